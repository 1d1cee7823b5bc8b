// Number texts: readers, validity tests, writers.
//
// Sections:
//   1. character helpers
//   2. the decimal state machine (shared by the decimal reader and the
//      exponent test)
//   3. number text to double (what the decimal reader hands to Val)
//   4. integer and digit readers
//   5. validity tests
//   6. writers
//   7. field values and ConvertNumString
#include "numio/NumText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "vcl/SysUtils.h"

namespace QEL_NumIO {

using QEL_base::uc_MaxDouble;

namespace {

// ---- 1. Character helpers -------------------------------------------------

// ASCII only: the number texts are ASCII, and the bytes of other UTF-8
// characters must stay "other" whatever the process locale says.
char Upper(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; }
char Lower(char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

bool IsSeparator(char C, TSepMode Sep) {
    switch (Sep) {
        case smPoint:
            return C == '.';
        case smComma:
            return C == ',';
        case smEither:
            return C == '.' || C == ',';
    }
    return false;
}

// Readers count from 1; a position before the text starts at its beginning.
int FirstPos(int Pos) { return Pos < 1 ? 1 : Pos; }

// Past the end the machine reads "Z", which belongs to no number.
char CharAt(const std::string& Text, int Pos) {
    if (Pos < 1 || Pos > static_cast<int>(Text.size())) return 'Z';
    return Text[static_cast<size_t>(Pos - 1)];
}

// ---- 2. Decimal state machine ---------------------------------------------
//
//  state                  sep  blank  sign  digit  "E"          other
//  1 start                 4    1      2     3     reject       reject
//  2 after sign            4    rej    rej   3     reject       reject
//  3 integer digits        4    9      9     3     6 (or 9)     9
//  4 after separator      rej   9      9     5     6 (or 9)     9
//  5 fraction digits      rej   9      9     5     6 (or 9)     9
//  6 after "E"            rej   rej    7     8     reject       9
//  7 after exponent sign  rej   rej    rej   8     reject       9
//  8 exponent digits       9    9      9     8     9            9
//
// "6 (or 9)": 6 when an exponent is allowed. The machine stops on 9 (a number
// ended) or on reject.

enum TCharClass { ccSep, ccBlank, ccSign, ccDigit, ccE, ccOther };

constexpr int stReject = -1;
constexpr int stDone = 9;

// Exponents beyond this stop adding digits to the number text (its value is
// then clamped anyway) and make the exponent test fail.
constexpr long ExpLimit = 4200;

TCharClass Classify(char C, TSepMode Sep) {
    if (IsSeparator(C, Sep)) return ccSep;
    if (C == ' ') return ccBlank;
    if (C == '+' || C == '-') return ccSign;
    if (IsDigit(C)) return ccDigit;
    if (C == 'E') return ccE;
    return ccOther;
}

int NextState(int State, TCharClass CC, bool AllowExp) {
    const int AfterE = AllowExp ? 6 : stDone;
    switch (State) {
        case 1:
            switch (CC) {
                case ccSep:
                    return 4;
                case ccBlank:
                    return 1;
                case ccSign:
                    return 2;
                case ccDigit:
                    return 3;
                default:
                    return stReject;
            }
        case 2:
            if (CC == ccSep) return 4;
            return CC == ccDigit ? 3 : stReject;
        case 3:
            if (CC == ccSep) return 4;
            if (CC == ccDigit) return 3;
            return CC == ccE ? AfterE : stDone;
        case 4:
        case 5:
            if (CC == ccSep) return stReject;
            if (CC == ccDigit) return 5;
            return CC == ccE ? AfterE : stDone;
        case 6:
            if (CC == ccSign) return 7;
            if (CC == ccDigit) return 8;
            return CC == ccOther ? stDone : stReject;
        case 7:
            if (CC == ccDigit) return 8;
            return CC == ccOther ? stDone : stReject;
        case 8:
            return CC == ccDigit ? 8 : stDone;
    }
    return stReject;
}

struct TScan {
    int State = 1;   // stDone or stReject
    int EndPos = 1;  // first character not used
    bool ExpTooLarge = false;
    std::string Number;  // the characters used, separators as "."
};

TScan RunDecimalMachine(const std::string& Text, bool AllowExp, TSepMode Sep, int Pos) {
    TScan S;
    long ExpMag = 0;
    Pos = FirstPos(Pos);
    for (;;) {
        const char C = Upper(CharAt(Text, Pos));
        ++Pos;
        const TCharClass CC = Classify(C, Sep);
        const int Prev = S.State;
        S.State = NextState(S.State, CC, AllowExp);
        if (S.State == stDone || S.State == stReject) break;
        if (S.State == 8) {
            const long D = C - '0';
            // Saturating: only "above the limit" matters from here on.
            ExpMag = (Prev == 8) ? std::min(ExpMag * 10 + D, 10 * ExpLimit) : D;
            if (ExpMag > ExpLimit) S.ExpTooLarge = true;
        }
        if (!S.ExpTooLarge) S.Number += (CC == ccSep) ? '.' : C;
    }
    S.EndPos = Pos - 1;
    return S;
}

// ---- 3. Number text to double ---------------------------------------------

double ClampToDouble(double V) {
    if (std::isnan(V)) return uc_MaxDouble;
    return std::clamp(V, -uc_MaxDouble, uc_MaxDouble);
}

// The machine's number text is blanks, sign, digits, ".", digits, "E", sign,
// digits, any part possibly empty. Val gets it in one canonical form: no
// blanks, a digit on both sides of the point, and no exponent without
// digits (a dangling "E" or "E-" is dropped, so "1E-" reads 1).
// Returns the decimal exponent of the first significant digit through Mag
// (or false through NonZero for a text of zeros), so that the caller can tell
// an overflow from an underflow without relying on how Val reports either.
std::string CanonicalNumber(const std::string& Number, bool& Negative, bool& NonZero, long& Mag) {
    size_t I = Number.find_first_not_of(' ');
    if (I == std::string::npos) I = Number.size();
    Negative = false;
    std::string Out;
    if (I < Number.size() && (Number[I] == '+' || Number[I] == '-')) {
        Negative = Number[I] == '-';
        Out += Number[I];
        ++I;
    }
    const size_t EPos = Number.find('E', I);
    const std::string Mantissa =
        Number.substr(I, EPos == std::string::npos ? std::string::npos : EPos - I);
    std::string ExpSign, ExpDigits;
    if (EPos != std::string::npos) {
        size_t J = EPos + 1;
        if (J < Number.size() && (Number[J] == '+' || Number[J] == '-')) ExpSign = Number[J++];
        ExpDigits = Number.substr(J);
    }

    const size_t Dot = Mantissa.find('.');
    std::string IntDigits = Mantissa.substr(0, Dot);
    std::string FracDigits = Dot == std::string::npos ? "" : Mantissa.substr(Dot + 1);
    Out += IntDigits.empty() ? "0" : IntDigits;
    if (!FracDigits.empty()) Out += "." + FracDigits;

    long Exp = 0;
    for (char D : ExpDigits) Exp = std::min(Exp * 10 + (D - '0'), 10 * ExpLimit);
    if (ExpSign == "-") Exp = -Exp;
    if (!ExpDigits.empty()) Out += "E" + ExpSign + ExpDigits;

    const size_t FirstInt = IntDigits.find_first_not_of('0');
    const size_t FirstFrac = FracDigits.find_first_not_of('0');
    NonZero = true;
    if (FirstInt != std::string::npos) {
        Mag = static_cast<long>(IntDigits.size() - FirstInt) - 1 + Exp;
    } else if (FirstFrac != std::string::npos) {
        Mag = -static_cast<long>(FirstFrac) - 1 + Exp;
    } else {
        NonZero = false;
        Mag = 0;
    }
    return Out;
}

double NumberTextToDouble(const std::string& Number) {
    bool Negative = false, NonZero = false;
    long Mag = 0;
    const std::string Canonical = CanonicalNumber(Number, Negative, NonZero, Mag);
    const double Huge = Negative ? -uc_MaxDouble : uc_MaxDouble;
    if (!NonZero) return 0.0;
    // Far outside the double range the answer is known without converting.
    if (Mag > 400) return Huge;
    if (Mag < -400) return 0.0;
    double V = 0.0;
    int Code = 0;
    vcl::Val(Canonical, V, Code);
    if (Code != 0) return Mag > 0 ? Huge : 0.0;
    return ClampToDouble(V);
}

// ---- 4. Integer and digit readers -----------------------------------------

// Blanks are skipped only while the position is before the last character,
// so a text of blanks leaves the position on its last blank.
int SkipBlanks(const std::string& Text, int Pos) {
    const int Len = static_cast<int>(Text.size());
    while (Pos < Len && Text[static_cast<size_t>(Pos - 1)] == ' ') ++Pos;
    return Pos;
}

int DigitValue(char C) {
    C = Upper(C);
    if (IsDigit(C)) return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return -1;
}

int ReadDigits(const std::string& Text, int& Pos, uint32_t Base, bool SkipDollar) {
    Pos = SkipBlanks(Text, FirstPos(Pos));
    if (SkipDollar && Pos == 1 && !Text.empty() && Text[0] == '$') ++Pos;
    uint32_t R = 0;
    const int Len = static_cast<int>(Text.size());
    while (Pos <= Len) {
        const int D = DigitValue(Text[static_cast<size_t>(Pos - 1)]);
        if (D < 0 || static_cast<uint32_t>(D) >= Base) break;
        R = R * Base + static_cast<uint32_t>(D);
        ++Pos;
    }
    return static_cast<int32_t>(R);
}

// ---- 5. Validity test helpers ---------------------------------------------

bool AllOf(const std::string& Text, int Base) {
    if (Text.empty()) return false;
    return std::all_of(Text.begin(), Text.end(), [Base](char C) {
        const int D = DigitValue(C);
        return D >= 0 && D < Base;
    });
}

// 1-based position of the first character the mode takes as separator.
int FirstSeparatorPos(const std::string& Text, TSepMode Sep) {
    for (size_t I = 0; I < Text.size(); ++I)
        if (IsSeparator(Text[I], Sep)) return static_cast<int>(I) + 1;
    return 0;
}

// ---- 6. Writer helpers ----------------------------------------------------

// Integers up to this magnitude go through Round; beyond it every double is
// already an integer.
constexpr double RoundLimit = 4611686018427387904.0;  // 2^62

// X rounded and reduced modulo 2^32.
uint32_t Pattern32(double X) {
    if (std::isnan(X)) return 0;
    if (std::isinf(X)) return 0;
    if (std::fabs(X) < RoundLimit)
        return static_cast<uint32_t>(static_cast<uint64_t>(vcl::Round(X)));
    double M = std::fmod(X, 4294967296.0);  // exact: X is an integer here
    if (M < 0) M += 4294967296.0;
    return static_cast<uint32_t>(M);
}

}  // namespace

// ---- Separator modes --------------------------------------------------------

TSepMode ResolveSepForNumIO2(QEL_base::TDecPSep Sep, char LocaleSeparator) {
    if (Sep == QEL_base::dpLocale) return LocaleSeparator == '.' ? smPoint : smComma;
    return static_cast<TSepMode>(Sep);
}

TSepMode ResolveSepForNumIO(QEL_base::TDecPSep Sep, char LocaleSeparator) {
    if (Sep == QEL_base::dpLocale) return LocaleSeparator == ',' ? smComma : smPoint;
    return static_cast<TSepMode>(Sep);
}

TSepMode ResolveSepForNumIO2(QEL_base::TDecPSep Sep) {
    return ResolveSepForNumIO2(Sep, vcl::FormatSettings.DecimalSeparator);
}

TSepMode ResolveSepForNumIO(QEL_base::TDecPSep Sep) {
    return ResolveSepForNumIO(Sep, vcl::FormatSettings.DecimalSeparator);
}

// ---- Readers ----------------------------------------------------------------

double ReadDecimal(const std::string& Text, bool AllowExp, TSepMode Sep, int& Pos) {
    const TScan S = RunDecimalMachine(Text, AllowExp, Sep, Pos);
    Pos = S.EndPos;
    if (S.State == stReject) return 0.0;
    return NumberTextToDouble(S.Number);
}

int ReadSignedInt(const std::string& Text, int& Pos) {
    Pos = SkipBlanks(Text, FirstPos(Pos));
    bool Negative = false;
    const char C = CharAt(Text, Pos);
    if (C == '-' || C == '+') {
        Negative = C == '-';
        ++Pos;
    }
    uint32_t R = 0;
    for (char D = CharAt(Text, Pos); IsDigit(D); D = CharAt(Text, ++Pos))
        R = R * 10u + static_cast<uint32_t>(D - '0');
    if (Negative) R = 0u - R;
    return static_cast<int32_t>(R);
}

int ReadHex(const std::string& Text, int& Pos) { return ReadDigits(Text, Pos, 16, true); }
int ReadOct(const std::string& Text, int& Pos) { return ReadDigits(Text, Pos, 8, false); }
int ReadBin(const std::string& Text, int& Pos) { return ReadDigits(Text, Pos, 2, false); }

// ---- Validity tests ---------------------------------------------------------

bool IsValidExpText(const std::string& Text, bool AllowExp, TSepMode Sep) {
    if (Text.empty()) return false;
    const TScan S = RunDecimalMachine(Text, AllowExp, Sep, 1);
    return S.State == stDone && !S.ExpTooLarge;
}

bool IsValidDecimalText(const std::string& Text, TSepMode Sep) {
    if (Text.empty()) return false;
    // 0 start, 1 after sign, 2 after separator (no digits yet), 3 integer
    // digits, 4 fraction digits.
    int State = 0;
    for (char C : Text) {
        const bool IsSep = IsSeparator(C, Sep);
        const bool Digit = IsDigit(C);
        switch (State) {
            case 0:
                if (C == '+' || C == '-')
                    State = 1;
                else if (IsSep)
                    State = 2;
                else if (Digit)
                    State = 3;
                else
                    return false;
                break;
            case 1:
            case 3:
                if (IsSep)
                    State = 2;
                else if (Digit)
                    State = 3;
                else
                    return false;
                break;
            default:
                if (!Digit) return false;
                State = 4;
                break;
        }
    }
    return true;
}

bool IsValidIntText(const std::string& Text) {
    if (Text.empty()) return false;
    if (Text.size() == 1) return IsDigit(Text[0]);
    if (!IsDigit(Text[0]) && Text[0] != '+' && Text[0] != '-') return false;
    return std::all_of(Text.begin() + 1, Text.end(), IsDigit);
}

bool IsValidHexText(const std::string& Text) { return AllOf(Text, 16); }
bool IsValidOctText(const std::string& Text) { return AllOf(Text, 8); }
bool IsValidBinText(const std::string& Text) { return AllOf(Text, 2); }

bool CheckNumText(const std::string& Text, TInFormat Format, TSepMode Sep, int FixPointPlaces) {
    switch (Format) {
        case itFloat:
            return IsValidDecimalText(Text, Sep);
        case itFixPoint:
            return IsValidDecimalText(Text, Sep) &&
                   FirstSeparatorPos(Text, Sep) == static_cast<int>(Text.size()) - FixPointPlaces;
        case itInt:
            return IsValidIntText(Text);
        case itHex:
            return IsValidHexText(Text);
        case itOct:
            return IsValidOctText(Text);
        case itBin:
            return IsValidBinText(Text);
        case itDynamic:
            if (!Text.empty()) {
                const std::string Rest = Text.substr(1);
                if (Text[0] == '$') return IsValidHexText(Rest);
                if (Text[0] == '%') return IsValidBinText(Rest);
                if (Text[0] == '&') return IsValidOctText(Rest);
            }
            return IsValidExpText(Text, true, Sep);
        case itExp:
            break;
    }
    // itExp, and any ordinal outside the enumeration.
    return IsValidExpText(Text, true, Sep);
}

// ---- Field values -----------------------------------------------------------

double NumIO2ValueOf(const std::string& Text, TInFormat Format) {
    int Pos = 1;
    switch (Format) {
        case itInt: {
            if (!IsValidIntText(Text)) return 0.0;
            try {
                return vcl::StrToInt(Text);
            } catch (const vcl::EConvertError&) {
                // The text is a well-formed integer, so only its size failed;
                // keep its sign rather than turning a large negative number
                // into a large positive one.
                return Text[0] == '-' ? -2147483648.0 : 2147483647.0;
            }
        }
        case itHex:
            return ReadHex(Text, Pos);
        case itOct:
            return ReadOct(Text, Pos);
        case itBin:
            return ReadBin(Text, Pos);
        case itDynamic:
            if (Text.empty()) return 0.0;
            if (Text[0] == '$' || Text[0] == '%' || Text[0] == '&') {
                const std::string Rest = Text.substr(1);
                if (Text[0] == '$') return ReadHex(Rest, Pos);
                if (Text[0] == '%') return ReadBin(Rest, Pos);
                return ReadOct(Rest, Pos);
            }
            break;
        case itExp:
        case itFloat:
        case itFixPoint:
            break;
    }
    return ReadDecimal(Text, true, smEither, Pos);
}

// ---- Writers ----------------------------------------------------------------

std::string FixedText(double X, int Width, int Decimals) {
    return vcl::Str(X, Width, std::max(Decimals, 0));
}

std::string SciText(double X, int Width) {
    // Below width 8 the layout still needs one digit after the point.
    const size_t Len = static_cast<size_t>(std::max(Width, 8));
    if (!std::isfinite(X)) return std::string(Len, '*');
    std::string S = vcl::Str(X, Width + 2);
    // The layout ends in "E", the exponent's sign and four digits.
    const size_t E = S.rfind('E');
    if (E == std::string::npos || E + 6 != S.size()) return std::string(Len, '*');
    const bool Fits = S[E + 2] == '0' && S[E + 3] == '0';
    S.erase(E + 2, 2);
    if (!Fits) S.assign(S.size(), '*');
    return S;
}

std::string DigitText(double X, int Base, int Count) {
    int Bits = 4, Cap = 16;
    if (Base == 8) Bits = 3, Cap = 11;
    if (Base == 2) Bits = 1, Cap = 32;
    Count = std::clamp(Count, 1, Cap);
    const uint64_t P = Pattern32(X);
    std::string S(static_cast<size_t>(Count), '0');
    for (int I = 0; I < Count; ++I) {
        const int Shift = I * Bits;
        const uint64_t D = (P >> Shift) & ((1u << Bits) - 1u);
        S[static_cast<size_t>(Count - 1 - I)] = HexDigits[D];
    }
    return S;
}

std::string RoundedIntText(double X) {
    X = ClampToDouble(X);
    if (std::fabs(X) < RoundLimit) return vcl::IntToStr(vcl::Round(X));
    return FixedText(X, 1, 0);
}

std::string NumIO2TextOf(double X, TInFormat Format, int SignificantDigits, int FixPointPlaces) {
    switch (Format) {
        case itFloat:
        case itFixPoint:
            return FixedText(X, 1, FixPointPlaces);
        case itInt:
        case itDynamic:
            return RoundedIntText(X);
        case itHex:
            return DigitText(X, 16, 8);
        case itOct:
            return DigitText(X, 8, 11);
        case itBin:
            return DigitText(X, 2, 32);
        case itExp:
            break;
    }
    return SciText(X, SignificantDigits + 6);
}

std::string NumIOTextOf(double X, TInFormat Format, int FixPointPlaces) {
    switch (Format) {
        case itFloat:
            return FixedText(X, 1, 8);
        case itFixPoint:
            return FixedText(X, 1, FixPointPlaces);
        case itInt:
            return FixedText(X, 1, 0);
        case itHex:
        case itOct:
        case itBin: {
            // Eight digits, or as many as the 32-bit pattern needs: a short
            // text must not drop the value's high bits (300 in binary would
            // otherwise read back as 44).
            const int Bits = Format == itHex ? 4 : (Format == itOct ? 3 : 1);
            const uint32_t P = Pattern32(X);
            int Needed = 1;
            while (Needed * Bits < 32 && (static_cast<uint64_t>(P) >> (Needed * Bits)) != 0)
                ++Needed;
            return DigitText(X, Format == itHex ? 16 : (Format == itOct ? 8 : 2),
                             std::max(8, Needed));
        }
        case itExp:
        case itDynamic:
            break;
    }
    return SciText(X, 12);
}

// ---- ConvertNumString -------------------------------------------------------

bool ConvertNumString(const std::string& Text, TInFormat Format, TSepMode Sep, double& Value) {
    if (Text.empty()) return false;
    Value = 0.0;
    const size_t First = Text.find_first_not_of(' ');
    std::string T = First == std::string::npos ? std::string() : Text.substr(First);
    if (T.find(' ') != std::string::npos) return false;
    std::transform(T.begin(), T.end(), T.begin(), Lower);
    if (T.empty()) return true;

    TInFormat F = Format;
    if (F == itDynamic) {
        F = itExp;
        if (T[0] == '$') F = itHex;
        if (T[0] == '&') F = itOct;
        if (T[0] == '%') F = itBin;
        if (F != itExp) T.erase(0, 1);
    }

    int Pos = 1;
    switch (F) {
        case itFloat:
        case itFixPoint:
            Value = ReadDecimal(T, false, Sep, Pos);
            break;
        case itInt:
            Value = ReadSignedInt(T, Pos);
            break;
        case itHex:
            Value = ReadHex(T, Pos);
            break;
        case itOct:
            Value = ReadOct(T, Pos);
            break;
        case itBin:
            Value = ReadBin(T, Pos);
            break;
        default: {
            // A trailing "e" or "e+"/"e-" is an exponent still being typed.
            const size_t E = T.find('e');
            if (E != std::string::npos &&
                (E + 1 == T.size() || (E + 2 == T.size() && (T[E + 1] == '+' || T[E + 1] == '-'))))
                T.erase(E);
            Value = ReadDecimal(T, true, Sep, Pos);
            break;
        }
    }
    return Pos == static_cast<int>(T.size()) + 1;
}

double NumIOValueOf(const std::string& Text, TInFormat Format) {
    std::string T = Text;
    const size_t Comma = T.find(',');
    if (Comma != std::string::npos) T[Comma] = '.';
    if (!T.empty() && T.back() == '.') T += '0';
    double V = 0.0;
    return ConvertNumString(T, Format, smEither, V) ? V : 0.0;
}

}  // namespace QEL_NumIO
