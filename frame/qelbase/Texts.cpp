#include "qelbase/Texts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

namespace QEL_base {

namespace {

bool IsContinuation(char C) { return (static_cast<unsigned char>(C) & 0xC0) == 0x80; }

char FoldAscii(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C + 32) : C; }

}  // namespace

size_t CharCount(std::string_view S) {
    size_t N = 0;
    for (char C : S)
        if (!IsContinuation(C)) ++N;
    return N;
}

std::string_view CutToChars(std::string_view S, size_t MaxChars) {
    if (S.size() <= MaxChars) return S;
    size_t N = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        if (IsContinuation(S[i])) continue;
        if (N == MaxChars) return S.substr(0, i);
        ++N;
    }
    return S;
}

std::string strff(double X, int Width, int Decimals) {
    Decimals = std::clamp(Decimals, 0, 60);
    Width = std::clamp(Width, 0, 400);
    char Buf[512];
    std::snprintf(Buf, sizeof Buf, "%*.*f", Width, Decimals, X);
    return Buf;
}

std::string LeftString(std::string_view S, int N) {
    if (N <= 0) return {};
    std::string R(CutToChars(S, static_cast<size_t>(N)));
    const size_t Have = CharCount(R);
    R.append(static_cast<size_t>(N) - Have, ' ');
    return R;
}

int Tokenize(std::string_view S, std::string_view Separators, std::vector<std::string>& Parts) {
    Parts.clear();
    size_t Start = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        if (Separators.find(S[i]) != std::string_view::npos) {
            Parts.emplace_back(S.substr(Start, i - Start));
            Start = i + 1;
        }
    }
    Parts.emplace_back(S.substr(Start));
    return static_cast<int>(Parts.size());
}

int NumberedPos(std::string_view Sub, std::string_view S, int Start, int N, bool IgnoreCase) {
    if (Sub.empty() || N < 1) return 0;
    size_t i = static_cast<size_t>(std::max(Start, 1) - 1);
    auto Matches = [&](size_t At) {
        for (size_t k = 0; k < Sub.size(); ++k) {
            char A = S[At + k], B = Sub[k];
            if (IgnoreCase) {
                A = FoldAscii(A);
                B = FoldAscii(B);
            }
            if (A != B) return false;
        }
        return true;
    };
    int Found = 0;
    while (i + Sub.size() <= S.size()) {
        if (Matches(i)) {
            if (++Found == N) return static_cast<int>(i) + 1;
            i += Sub.size();
        } else {
            ++i;
        }
    }
    return 0;
}

std::string EnsureTrailingChar(std::string_view S, char C) {
    std::string R(S);
    if (R.empty() || R.back() != C) R.push_back(C);
    return R;
}

std::string EnsureTrailingBkSlash(std::string_view S) { return EnsureTrailingChar(S, '/'); }

std::string RemoveControlChars(std::string_view S) {
    std::string R;
    R.reserve(S.size());
    for (char C : S) {
        const unsigned char U = static_cast<unsigned char>(C);
        if (U >= 0x20 && U != 0x7F) R.push_back(C);
    }
    return R;
}

std::string ReplaceCharInString(std::string_view S, char OldChar, char NewChar) {
    std::string R(S);
    std::replace(R.begin(), R.end(), OldChar, NewChar);
    return R;
}

std::string StripLeadingChars(std::string_view S, char C) {
    const size_t P = S.find_first_not_of(C);
    return P == std::string_view::npos ? std::string() : std::string(S.substr(P));
}

std::string StripTrailingChars(std::string_view S, char C) {
    const size_t P = S.find_last_not_of(C);
    return P == std::string_view::npos ? std::string() : std::string(S.substr(0, P + 1));
}

bool ReadsAsNumber(std::string_view S, double& Value) {
    const size_t B = S.find_first_not_of(" \t");
    if (B == std::string_view::npos) return false;
    S = S.substr(B, S.find_last_not_of(" \t") - B + 1);
    // Checked by hand because from_chars also takes "inf", "nan" and hex
    // forms, which are not numbers to a table user.
    char Buf[64];
    size_t n = 0, i = 0;
    bool Negative = false;
    if (S[0] == '+' || S[0] == '-') {
        Negative = S[0] == '-';
        ++i;
    }
    size_t Digits = 0;
    auto Take = [&](char C) {
        if (n + 1 >= sizeof Buf) return false;
        Buf[n++] = C;
        return true;
    };
    for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i, ++Digits)
        if (!Take(S[i])) return false;
    if (i < S.size() && (S[i] == '.' || S[i] == ',')) {
        if (!Take('.')) return false;
        for (++i; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i, ++Digits)
            if (!Take(S[i])) return false;
    }
    if (Digits == 0) return false;
    if (i < S.size() && (S[i] == 'e' || S[i] == 'E')) {
        if (!Take('e')) return false;
        ++i;
        if (i < S.size() && (S[i] == '+' || S[i] == '-'))
            if (!Take(S[i++])) return false;
        size_t ExpDigits = 0;
        for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i, ++ExpDigits)
            if (!Take(S[i])) return false;
        if (ExpDigits == 0) return false;
    }
    if (i != S.size()) return false;
    double V = 0;
    const auto Res = std::from_chars(Buf, Buf + n, V);
    if (Res.ec == std::errc::result_out_of_range) {
        // Overflow reads as the largest double, underflow as 0.
        const bool Huge = std::string_view(Buf, n).find("e-") == std::string_view::npos;
        V = Huge ? std::numeric_limits<double>::max() : 0.0;
    } else if (Res.ec != std::errc()) {
        return false;
    }
    Value = Negative ? -V : V;
    return true;
}

}  // namespace QEL_base
