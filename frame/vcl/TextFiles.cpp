#include "vcl/TextFiles.h"

#include <unistd.h>

#include "vcl/SysUtils.h"

namespace vcl {

namespace {

void NeedAssigned(const TextFile& F) {
    if (F.FileName.empty()) throw EInOutError("File not assigned");
}

void NeedMode(const TextFile& F, TTextFileMode Mode) {
    if (F.Mode == tfClosed) throw EInOutError("File not open");
    if (F.Mode != Mode)
        throw EInOutError(Mode == tfInput ? "File not open for input" : "File not open for output");
}

// Stream errors become the text file's I/O errors with the same message.
template <class Fn>
void AsInOut(Fn&& F) {
    try {
        F();
    } catch (const EStreamError& e) {
        throw EInOutError(e.Message());
    }
}

void Discard(TextFile& F) {
    F.Stream.reset();
    if (!F.TempName.empty()) ::unlink(F.TempName.c_str());
    F.TempName.clear();
    F.Buffer.clear();
    F.Pos = 0;
    F.Mode = tfClosed;
}

void OpenForWriting(TextFile& F, const std::string& Initial) {
    NeedAssigned(F);
    if (F.Mode != tfClosed) Discard(F);
    std::string temp = F.FileName + ".tmp" + std::to_string(::getpid());
    AsInOut([&] {
        try {
            F.Stream = std::make_unique<TFileStream>(temp, fmCreate);
        } catch (const EStreamError&) {
            throw EFCreateError("Cannot create file \"" + F.FileName + "\"");
        }
        F.Stream->WriteBuffer(Initial.data(), static_cast<int64_t>(Initial.size()));
    });
    F.TempName = temp;
    F.Mode = tfOutput;
}

}  // namespace

TextFile::~TextFile() {
    if (!TempName.empty()) {
        Stream.reset();
        ::unlink(TempName.c_str());
    }
}

void AssignFile(TextFile& F, const std::string& FileName) {
    if (F.Mode != tfClosed) Discard(F);
    F.FileName = FileName;
}

void Reset(TextFile& F) {
    NeedAssigned(F);
    if (F.Mode != tfClosed) Discard(F);
    std::string text;
    AsInOut([&] { text = LoadTextFile(F.FileName); });
    F.Buffer = std::move(text);
    F.Pos = 0;
    F.Mode = tfInput;
}

void Rewrite(TextFile& F) { OpenForWriting(F, {}); }

void Append(TextFile& F) {
    NeedAssigned(F);
    std::string old;
    AsInOut([&] { old = LoadTextFile(F.FileName); });
    OpenForWriting(F, old);
}

void CloseFile(TextFile& F) {
    if (F.Mode == tfClosed) throw EInOutError("File not open");
    if (F.Mode == tfOutput) {
        F.Stream.reset();
        if (::rename(F.TempName.c_str(), F.FileName.c_str()) != 0) {
            Discard(F);
            throw EInOutError("Cannot create file \"" + F.FileName + "\"");
        }
        F.TempName.clear();
    }
    Discard(F);
}

void ReadLn(TextFile& F, std::string& Line) {
    NeedMode(F, tfInput);
    size_t end = F.Buffer.find_first_of("\r\n", F.Pos);
    if (end == std::string::npos) {
        Line = F.Buffer.substr(F.Pos);
        F.Pos = F.Buffer.size();
        return;
    }
    Line = F.Buffer.substr(F.Pos, end - F.Pos);
    F.Pos = end + 1;
    if (F.Buffer[end] == '\r' && F.Pos < F.Buffer.size() && F.Buffer[F.Pos] == '\n') ++F.Pos;
}

std::string ReadLn(TextFile& F) {
    std::string line;
    ReadLn(F, line);
    return line;
}

void Write(TextFile& F, const std::string& Text) {
    NeedMode(F, tfOutput);
    AsInOut([&] { F.Stream->WriteBuffer(Text.data(), static_cast<int64_t>(Text.size())); });
}

void WriteLn(TextFile& F, const std::string& Line) { Write(F, Line + "\n"); }

bool Eof(const TextFile& F) {
    NeedMode(F, tfInput);
    return F.Pos >= F.Buffer.size();
}

}  // namespace vcl
