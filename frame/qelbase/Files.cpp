#include "qelbase/Files.h"

#include <sys/random.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>

#include "qelbase/Types.h"

namespace QEL_base {

bool DirExists(const std::string& Path) {
    if (Path.empty()) return false;
    std::error_code Ec;
    return std::filesystem::is_directory(Path, Ec);
}

std::string ParentDir(std::string_view Path) {
    while (Path.size() > 1 && Path.back() == '/') Path.remove_suffix(1);
    const size_t Slash = Path.rfind('/');
    if (Slash == std::string_view::npos || Path == "/") return {};
    if (Slash == 0) return "/";
    std::string_view Parent = Path.substr(0, Slash);
    while (Parent.size() > 1 && Parent.back() == '/') Parent.remove_suffix(1);
    return std::string(Parent);
}

namespace {

void SecureRandomBytes(uint8_t* Buf, size_t Len) {
    while (Len > 0) {
        const ssize_t N = getrandom(Buf, Len, 0);
        if (N < 0) {
            if (errno == EINTR) continue;
            throw EQELError("no secure random numbers available for a password");
        }
        Buf += N;
        Len -= static_cast<size_t>(N);
    }
}

}  // namespace

std::string InventPassword(int Length) {
    static constexpr std::string_view Alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Bytes of 248 and above are dropped so that every character of the
    // 62-character alphabet is equally likely (248 = 4 * 62).
    constexpr uint8_t Limit = 4 * Alphabet.size();
    std::string Pwd;
    const size_t Want = static_cast<size_t>(std::clamp(Length, 0, MaxPasswordChars));
    uint8_t Buf[64];
    while (Pwd.size() < Want) {
        SecureRandomBytes(Buf, sizeof Buf);
        for (uint8_t B : Buf)
            if (B < Limit && Pwd.size() < Want) Pwd.push_back(Alphabet[B % Alphabet.size()]);
    }
    return Pwd;
}

bool ReadLnStream(vcl::TStream& Stream, std::string& Line) {
    Line.clear();
    char Buf[256];
    bool ReadAny = false;
    for (;;) {
        const int64_t N = Stream.Read(Buf, sizeof Buf);
        if (N <= 0) return ReadAny;
        ReadAny = true;
        for (int64_t i = 0; i < N; ++i) {
            if (Buf[i] != '\n' && Buf[i] != '\r') continue;
            Line.append(Buf, static_cast<size_t>(i));
            int64_t Used = i + 1;
            if (Buf[i] == '\r') {
                if (Used < N) {
                    if (Buf[Used] == '\n') ++Used;
                } else {
                    char Next;
                    if (Stream.Read(&Next, 1) == 1 && Next != '\n') Stream.Seek(-1, vcl::soCurrent);
                }
            }
            if (Used < N) Stream.Seek(Used - N, vcl::soCurrent);
            return true;
        }
        Line.append(Buf, static_cast<size_t>(N));
    }
}

}  // namespace QEL_base
