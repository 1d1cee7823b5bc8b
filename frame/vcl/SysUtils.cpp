// Conversions and formatting of the run-time library. Dates and times live in
// DateTime.cpp.
#include "vcl/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace vcl {

TFormatSettings FormatSettings;

namespace {

// ---------------------------------------------------------------- float digits

// The decimal digits of |V| rounded to Precision significant digits and the
// decimal exponent of the first one (V = 0.d1d2... * 10^(Exponent + 1)).
struct TDigits {
    std::string Digits;
    int Exponent = 0;
};

// True when |X| * 10^K lies exactly half-way between two integers. The
// platform rounds such decimal ties away from zero, where printf would pick
// the even neighbour.
bool IsDecimalTie(double X, int K) {
    static const double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    double ax = std::fabs(X);
    int j = K + 1;
    if (j > 22 || j < -22 || ax == 0) return false;
    double y;
    if (j >= 0) {
        double p = kPow10[j];
        y = ax * p;
        if (std::fma(ax, p, -y) != 0) return false;
    } else {
        double p = kPow10[-j];
        y = ax / p;
        if (std::fma(y, p, -ax) != 0) return false;
    }
    if (y != std::trunc(y) || y > 9007199254740992.0) return false;
    return std::fmod(y, 10.0) == 5.0;
}

// X moved one step away from zero when it is a tie at K decimals, so that
// printf rounds it away from zero.
double AwayOnTie(double X, int K) {
    return IsDecimalTie(X, K) ? std::nextafter(X, X < 0 ? -INFINITY : INFINITY) : X;
}

TDigits SignificantDigits(double V, int Precision) {
    TDigits r;
    if (V == 0) {
        r.Digits.assign(static_cast<size_t>(Precision), '0');
        return r;
    }
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*e", Precision - 1, std::fabs(V));
    int e0 = std::atoi(std::strchr(buf, 'e') + 1);
    double nudged = AwayOnTie(V, Precision - 1 - e0);
    if (nudged != V) std::snprintf(buf, sizeof buf, "%.*e", Precision - 1, std::fabs(nudged));
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') r.Digits += *p;
    r.Exponent = std::atoi(p + 1);
    return r;
}

std::string SpecialFloat(double V) {
    if (std::isnan(V)) return "NAN";
    return V < 0 ? "-INF" : "INF";
}

std::string ExponentText(int Exponent, int MinDigits, bool PlusSign) {
    std::string digits = std::to_string(std::abs(Exponent));
    if (static_cast<int>(digits.size()) < MinDigits)
        digits.insert(0, static_cast<size_t>(MinDigits) - digits.size(), '0');
    if (Exponent < 0) return "-" + digits;
    return PlusSign ? "+" + digits : digits;
}

std::string InsertThousands(const std::string& IntPart, char Separator) {
    std::string out;
    size_t n = IntPart.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += Separator;
        out += IntPart[i];
    }
    return out;
}

// |V| with Decimals decimals: integer part and fraction part apart.
void FixedParts(double V, int Decimals, std::string& IntPart, std::string& Frac) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", Decimals, std::fabs(AwayOnTie(V, Decimals)));
    std::string s = buf;
    size_t dot = s.find('.');
    IntPart = dot == std::string::npos ? s : s.substr(0, dot);
    Frac = dot == std::string::npos ? std::string() : s.substr(dot + 1);
}

bool IsZeroText(const std::string& IntPart, const std::string& Frac) {
    for (char c : IntPart + Frac)
        if (c != '0') return false;
    return true;
}

std::string GeneralText(double V, int Precision, int ExpDigits, char Dec) {
    if (Precision < 1) Precision = 1;
    if (Precision > 17) Precision = 17;
    if (V == 0) return "0";
    TDigits d = SignificantDigits(V, Precision);
    while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
    std::string out = std::signbit(V) ? "-" : "";
    // Fixed while the integer part fits in Precision digits and the value
    // (once rounded) is at least 0.00001; scientific beyond either bound.
    int e = d.Exponent;
    if (e >= Precision || e < -5) {
        out += d.Digits[0];
        if (d.Digits.size() > 1) out += Dec + d.Digits.substr(1);
        out += "E" + ExponentText(e, ExpDigits, false);
        return out;
    }
    if (e < 0) {
        out += "0";
        out += Dec;
        out += std::string(static_cast<size_t>(-e - 1), '0') + d.Digits;
        return out;
    }
    std::string digits = d.Digits;
    if (static_cast<int>(digits.size()) < e + 1)
        digits.append(static_cast<size_t>(e + 1) - digits.size(), '0');
    out += digits.substr(0, static_cast<size_t>(e + 1));
    if (static_cast<int>(digits.size()) > e + 1)
        out += Dec + digits.substr(static_cast<size_t>(e + 1));
    return out;
}

std::string ExponentFormText(double V, int Precision, int ExpDigits, char Dec) {
    if (Precision < 1) Precision = 1;
    if (Precision > 18) Precision = 18;
    TDigits d = SignificantDigits(V, Precision);
    std::string out = (std::signbit(V) && V != 0) ? "-" : "";
    out += d.Digits[0];
    if (Precision > 1) out += Dec + d.Digits.substr(1);
    out += "E" + ExponentText(d.Exponent, ExpDigits, true);
    return out;
}

std::string CurrencyText(const std::string& Number, bool Negative, const TFormatSettings& S) {
    const std::string& c = S.CurrencyString;
    if (!Negative) {
        switch (S.CurrencyFormat) {
            case 1:
                return Number + c;
            case 2:
                return c + " " + Number;
            case 3:
                return Number + " " + c;
            default:
                return c + Number;
        }
    }
    switch (S.NegCurrFormat) {
        case 1:
            return "-" + c + Number;
        case 2:
            return c + "-" + Number;
        case 3:
            return c + Number + "-";
        case 4:
            return "(" + Number + c + ")";
        case 5:
            return "-" + Number + c;
        case 6:
            return Number + "-" + c;
        case 7:
            return Number + c + "-";
        case 8:
            return "-" + Number + " " + c;
        case 9:
            return "-" + c + " " + Number;
        case 10:
            return Number + " " + c + "-";
        case 11:
            return c + " " + Number + "-";
        case 12:
            return c + " -" + Number;
        case 13:
            return Number + "- " + c;
        case 14:
            return "(" + c + " " + Number + ")";
        case 15:
            return "(" + Number + " " + c + ")";
        default:
            return "(" + c + Number + ")";
    }
}

// ---------------------------------------------------------------- parsing helpers

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Integer text as Val reads it. Returns 0 or the 1-based bad position. Hex
// digits may fill all Bits bits (so "$FFFFFFFF" is -1 for 32 bits).
int ParseInteger(const std::string& S, int Bits, int64_t& Out) {
    Out = 0;
    size_t i = 0, n = S.size();
    while (i < n && IsBlank(S[i])) ++i;
    bool neg = false;
    if (i < n && (S[i] == '+' || S[i] == '-')) neg = S[i++] == '-';
    bool hex = false;
    if (i < n && S[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return static_cast<int>(n) + 1;
    uint64_t limit = hex ? (Bits == 64 ? ~uint64_t{0} : (uint64_t{1} << Bits) - 1)
                         : (uint64_t{1} << (Bits - 1)) - (neg ? 0 : 1);
    uint64_t v = 0;
    for (; i < n; ++i) {
        int d = hex ? HexValue(S[i]) : (S[i] >= '0' && S[i] <= '9' ? S[i] - '0' : -1);
        if (d < 0) return static_cast<int>(i) + 1;
        unsigned base = hex ? 16 : 10;
        if (v > (limit - static_cast<unsigned>(d)) / base) return static_cast<int>(i) + 1;
        v = v * base + static_cast<unsigned>(d);
    }
    if (hex && Bits == 32) {
        int32_t w = static_cast<int32_t>(static_cast<uint32_t>(v));
        Out = neg ? -int64_t{w} : w;
    } else {
        int64_t w = static_cast<int64_t>(v);
        Out = neg ? static_cast<int64_t>(0 - v) : w;
    }
    return 0;
}

// Floating-point text with the given decimal separator. Returns 0 or the
// 1-based bad position.
int ParseFloat(const std::string& S, char Dec, double& Out, bool SkipTrailingBlanks) {
    Out = 0;
    size_t i = 0, n = S.size();
    while (i < n && IsBlank(S[i])) ++i;
    size_t start = i;
    std::string norm;
    if (i < n && (S[i] == '+' || S[i] == '-')) {
        if (S[i] == '-') norm += '-';
        ++i;
    }
    bool digits = false;
    while (i < n && S[i] >= '0' && S[i] <= '9') norm += S[i++], digits = true;
    if (i < n && S[i] == Dec) {
        norm += '.';
        ++i;
        while (i < n && S[i] >= '0' && S[i] <= '9') norm += S[i++], digits = true;
    }
    if (!digits) return static_cast<int>(i < n ? i : n) + 1;
    int expSign = 1;
    if (i < n && (S[i] == 'e' || S[i] == 'E')) {
        norm += 'e';
        ++i;
        if (i < n && (S[i] == '+' || S[i] == '-')) {
            if (S[i] == '-') expSign = -1;
            norm += S[i++];
        }
        if (i >= n) return static_cast<int>(n) + 1;
        if (S[i] < '0' || S[i] > '9') return static_cast<int>(i) + 1;
        while (i < n && S[i] >= '0' && S[i] <= '9') norm += S[i++];
    }
    if (SkipTrailingBlanks)
        while (i < n && IsBlank(S[i])) ++i;
    if (i < n) return static_cast<int>(i) + 1;
    double v = 0;
    auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow has no value.
        if (expSign < 0) {
            Out = 0;
            return 0;
        }
        return static_cast<int>(start) + 1;
    }
    Out = v;
    return 0;
}

[[noreturn]] void FormatError(const std::string& Fmt) {
    throw EConvertError("Format '" + Fmt + "' invalid or incompatible with argument");
}

}  // namespace

// ---------------------------------------------------------------- Format

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args) {
    return FormatV(Fmt, std::vector<TVarRec>(Args), FormatSettings);
}

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args,
                   const TFormatSettings& Settings) {
    return FormatV(Fmt, std::vector<TVarRec>(Args), Settings);
}

std::string FormatV(const std::string& Fmt, const std::vector<TVarRec>& Args,
                    const TFormatSettings& Settings) {
    std::string out;
    size_t argIndex = 0, i = 0, n = Fmt.size();
    auto nextArg = [&]() -> const TVarRec& {
        if (argIndex >= Args.size()) throw EConvertError("No argument for format '" + Fmt + "'");
        return Args[argIndex++];
    };
    auto readNumber = [&](int& Value) -> bool {
        if (i < n && Fmt[i] == '*') {
            ++i;
            const TVarRec& a = nextArg();
            // The same bound as a written number: a runaway argument must not
            // ask for gigabytes of padding or overflow when negated.
            if (!a.IsInteger() || a.AsInteger() < -1000000 || a.AsInteger() > 1000000)
                FormatError(Fmt);
            Value = static_cast<int>(a.AsInteger());
            return true;
        }
        bool any = false;
        Value = 0;
        while (i < n && Fmt[i] >= '0' && Fmt[i] <= '9') {
            if (Value > 100000) FormatError(Fmt);
            Value = Value * 10 + (Fmt[i++] - '0');
            any = true;
        }
        return any;
    };
    while (i < n) {
        char c = Fmt[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < n && Fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        int width = 0, prec = -1, num = 0;
        bool left = false, hasWidth = false;
        size_t save = i;
        while (i < n && Fmt[i] >= '0' && Fmt[i] <= '9' && num <= 100000)
            num = num * 10 + (Fmt[i++] - '0');
        if (i > save && i < n && Fmt[i] == ':') {
            argIndex = static_cast<size_t>(num);
            ++i;
        } else {
            i = save;
        }
        if (i < n && Fmt[i] == '-') {
            left = true;
            ++i;
        }
        hasWidth = readNumber(width);
        if (width < 0) {
            left = true;
            width = -width;
        }
        if (i < n && Fmt[i] == '.') {
            ++i;
            if (!readNumber(prec)) prec = 0;
        }
        if (i >= n) FormatError(Fmt);
        char type = static_cast<char>(std::tolower(static_cast<unsigned char>(Fmt[i++])));
        const TVarRec& arg = nextArg();
        std::string text;
        switch (type) {
            case 'd':
            case 'u': {
                if (!arg.IsInteger()) FormatError(Fmt);
                int64_t v = arg.AsInteger();
                bool neg = v < 0 && !arg.IsUnsigned();
                std::string digits;
                if (type == 'u' || arg.IsUnsigned()) {
                    uint64_t u = static_cast<uint64_t>(v);
                    if (type == 'u' && v < 0 && v >= INT32_MIN) u = static_cast<uint32_t>(v);
                    digits = std::to_string(u);
                    neg = false;
                } else {
                    digits = std::to_string(v);
                    if (neg) digits.erase(0, 1);
                }
                if (prec > 0 && static_cast<int>(digits.size()) < prec)
                    digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
                text = (neg ? "-" : "") + digits;
                break;
            }
            case 'x': {
                if (!arg.IsInteger()) FormatError(Fmt);
                int64_t v = arg.AsInteger();
                uint64_t u = (v < 0 && v >= INT32_MIN && !arg.IsUnsigned())
                                 ? static_cast<uint32_t>(v)
                                 : static_cast<uint64_t>(v);
                char buf[32];
                std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(u));
                text = buf;
                if (prec > 0 && static_cast<int>(text.size()) < prec)
                    text.insert(0, static_cast<size_t>(prec) - text.size(), '0');
                break;
            }
            case 'e':
                if (!arg.IsFloat()) FormatError(Fmt);
                text = FloatToStrF(arg.AsFloat(), ffExponent, prec < 0 ? 15 : prec, 3, Settings);
                break;
            case 'f':
                if (!arg.IsFloat()) FormatError(Fmt);
                text = FloatToStrF(arg.AsFloat(), ffFixed, 18, prec < 0 ? 2 : prec, Settings);
                break;
            case 'g':
                if (!arg.IsFloat()) FormatError(Fmt);
                text = FloatToStrF(arg.AsFloat(), ffGeneral, prec < 0 ? 15 : prec, 3, Settings);
                break;
            case 'n':
                if (!arg.IsFloat()) FormatError(Fmt);
                text = FloatToStrF(arg.AsFloat(), ffNumber, 18, prec < 0 ? 2 : prec, Settings);
                break;
            case 'm':
                if (!arg.IsFloat()) FormatError(Fmt);
                text = FloatToStrF(arg.AsFloat(), ffCurrency, 18,
                                   prec < 0 ? Settings.CurrencyDecimals : prec, Settings);
                break;
            case 's':
                if (!arg.IsString()) FormatError(Fmt);
                text = arg.AsString();
                if (prec >= 0 && static_cast<int>(text.size()) > prec)
                    text.resize(static_cast<size_t>(prec));
                break;
            case 'p': {
                if (!arg.IsPointer()) FormatError(Fmt);
                char buf[32];
                std::snprintf(
                    buf, sizeof buf, "%016llX",
                    static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(arg.AsPointer())));
                text = buf;
                break;
            }
            default:
                FormatError(Fmt);
        }
        if (hasWidth && static_cast<int>(text.size()) < width) {
            std::string pad(static_cast<size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

// ---------------------------------------------------------------- integers

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(int64_t Value, int Digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llX",
                  static_cast<unsigned long long>(static_cast<uint64_t>(Value)));
    std::string s = buf;
    if (static_cast<int>(s.size()) < Digits)
        s.insert(0, static_cast<size_t>(Digits) - s.size(), '0');
    return s;
}

bool TryStrToInt64(const std::string& S, int64_t& Value) { return ParseInteger(S, 64, Value) == 0; }

bool TryStrToInt(const std::string& S, int& Value) {
    int64_t v;
    if (ParseInteger(S, 32, v) != 0) return false;
    Value = static_cast<int>(v);
    return true;
}

int StrToInt(const std::string& S) {
    int v;
    if (!TryStrToInt(S, v)) throw EConvertError("'" + S + "' is not a valid integer value");
    return v;
}

int64_t StrToInt64(const std::string& S) {
    int64_t v;
    if (!TryStrToInt64(S, v)) throw EConvertError("'" + S + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const std::string& S, int Default) {
    int v;
    return TryStrToInt(S, v) ? v : Default;
}

void Val(const std::string& S, int& V, int& Code) {
    int64_t v;
    Code = ParseInteger(S, 32, v);
    V = Code == 0 ? static_cast<int>(v) : 0;
}

void Val(const std::string& S, int64_t& V, int& Code) {
    int64_t v;
    Code = ParseInteger(S, 64, v);
    V = Code == 0 ? v : 0;
}

// ---------------------------------------------------------------- floats

std::string FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

std::string FloatToStr(double Value, const TFormatSettings& Settings) {
    return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
    return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings) {
    if (!std::isfinite(Value)) return SpecialFloat(Value);
    char dec = Settings.DecimalSeparator;
    switch (Format) {
        case ffGeneral:
            return GeneralText(Value, Precision, Digits, dec);
        case ffExponent:
            return ExponentFormText(Value, Precision, Digits, dec);
        case ffFixed:
        case ffNumber:
        case ffCurrency: {
            if (Digits < 0) Digits = 0;
            if (Digits > 18) Digits = 18;
            if (Format != ffCurrency && std::fabs(Value) >= std::pow(10.0, std::min(Precision, 18)))
                return GeneralText(Value, Precision, 3, dec);
            std::string ip, frac;
            FixedParts(Value, Digits, ip, frac);
            bool neg = std::signbit(Value) && !IsZeroText(ip, frac);
            if (Format != ffFixed) ip = InsertThousands(ip, Settings.ThousandSeparator);
            std::string num = frac.empty() ? ip : ip + dec + frac;
            if (Format == ffCurrency) return CurrencyText(num, neg, Settings);
            return neg ? "-" + num : num;
        }
    }
    return GeneralText(Value, Precision, Digits, dec);
}

bool TryStrToFloat(const std::string& S, double& Value, const TFormatSettings& Settings) {
    std::string t = Trim(S);
    if (SameText(t, "INF") || SameText(t, "+INF")) {
        Value = std::numeric_limits<double>::infinity();
        return true;
    }
    if (SameText(t, "-INF")) {
        Value = -std::numeric_limits<double>::infinity();
        return true;
    }
    if (SameText(t, "NAN")) {
        Value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    double v;
    if (t.empty() || ParseFloat(t, Settings.DecimalSeparator, v, false) != 0) return false;
    Value = v;
    return true;
}

bool TryStrToFloat(const std::string& S, double& Value) {
    return TryStrToFloat(S, Value, FormatSettings);
}

double StrToFloat(const std::string& S) { return StrToFloat(S, FormatSettings); }

double StrToFloat(const std::string& S, const TFormatSettings& Settings) {
    double v;
    if (!TryStrToFloat(S, v, Settings))
        throw EConvertError("'" + S + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const std::string& S, double Default) {
    double v;
    return TryStrToFloat(S, v) ? v : Default;
}

void Val(const std::string& S, double& V, int& Code) {
    double v;
    Code = ParseFloat(S, '.', v, false);
    V = Code == 0 ? v : 0;
}

namespace {

void CheckIntegralRange(double X) {
    // 2^63 is exactly representable; anything at or beyond it has no int64.
    if (!(X >= -9223372036854775808.0 && X < 9223372036854775808.0))
        throw EInvalidOp("Invalid floating point operation");
}

}  // namespace

int64_t Round(double X) {
    double r = std::nearbyint(X);
    CheckIntegralRange(r);
    return static_cast<int64_t>(r);
}

int64_t Trunc(double X) {
    double r = std::trunc(X);
    CheckIntegralRange(r);
    return static_cast<int64_t>(r);
}

namespace {

std::string RightJustify(const std::string& S, int Width) {
    if (static_cast<int>(S.size()) >= Width) return S;
    return std::string(static_cast<size_t>(Width) - S.size(), ' ') + S;
}

std::string StrSpecial(double X) {
    if (std::isnan(X)) return "Nan";
    return X < 0 ? "-Inf" : "+Inf";
}

}  // namespace

std::string Str(double X, int Width, int Decimals) {
    if (!std::isfinite(X)) return RightJustify(StrSpecial(X), Width);
    if (Decimals < 0) Decimals = 0;
    if (Decimals > 64) Decimals = 64;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", Decimals, AwayOnTie(X, Decimals));
    return RightJustify(buf, Width);
}

std::string Str(double X, int Width) {
    if (!std::isfinite(X)) return RightJustify(StrSpecial(X), Width);
    int decimals = std::max(1, Width - 9);
    if (decimals > 64) decimals = 64;
    TDigits d = SignificantDigits(X, decimals + 1);
    std::string out = (std::signbit(X) && X != 0) ? "-" : " ";
    out +=
        d.Digits.substr(0, 1) + "." + d.Digits.substr(1) + "E" + ExponentText(d.Exponent, 4, true);
    return RightJustify(out, Width);
}

std::string StrInt(int64_t X, int Width) { return RightJustify(std::to_string(X), Width); }

// ---------------------------------------------------------------- texts

std::string LowerCase(const std::string& S) {
    std::string r = S;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string UpperCase(const std::string& S) {
    std::string r = S;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string Trim(const std::string& S) { return TrimLeft(TrimRight(S)); }

std::string TrimLeft(const std::string& S) {
    size_t i = 0;
    while (i < S.size() && IsTrimmed(S[i])) ++i;
    return S.substr(i);
}

std::string TrimRight(const std::string& S) {
    size_t n = S.size();
    while (n > 0 && IsTrimmed(S[n - 1])) --n;
    return S.substr(0, n);
}

int CompareText(const std::string& A, const std::string& B) {
    size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        auto a = static_cast<unsigned char>(A[i]), b = static_cast<unsigned char>(B[i]);
        if (a >= 'a' && a <= 'z') a = static_cast<unsigned char>(a - 32);
        if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 32);
        if (a != b) return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

bool SameText(const std::string& A, const std::string& B) {
    return A.size() == B.size() && CompareText(A, B) == 0;
}

int CompareStr(const std::string& A, const std::string& B) {
    int c = A.compare(B);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string QuotedStr(const std::string& S, char Quote) {
    std::string r(1, Quote);
    for (char c : S) {
        r += c;
        if (c == Quote) r += c;
    }
    r += Quote;
    return r;
}

std::string StringReplace(const std::string& S, const std::string& OldPattern,
                          const std::string& NewPattern, bool All, bool IgnoreCase) {
    if (OldPattern.empty()) return S;
    std::string hay = IgnoreCase ? UpperCase(S) : S;
    std::string pat = IgnoreCase ? UpperCase(OldPattern) : OldPattern;
    std::string out;
    size_t i = 0;
    while (i < S.size()) {
        size_t p = hay.find(pat, i);
        if (p == std::string::npos) break;
        out.append(S, i, p - i);
        out += NewPattern;
        i = p + OldPattern.size();
        if (!All) break;
    }
    out.append(S, std::min(i, S.size()), std::string::npos);
    return out;
}

int Pos(const std::string& Sub, const std::string& S) {
    if (Sub.empty()) return 0;
    size_t p = S.find(Sub);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

std::string Copy(const std::string& S, int Index, int Count) {
    if (Index < 1) Index = 1;
    if (Count <= 0 || Index > static_cast<int>(S.size())) return {};
    return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

bool IsValidIdent(const std::string& Ident) {
    if (Ident.empty()) return false;
    auto alpha = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    if (!alpha(Ident[0])) return false;
    for (char c : Ident)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

bool StartsText(const std::string& SubText, const std::string& Text) {
    return Text.size() >= SubText.size() && SameText(Text.substr(0, SubText.size()), SubText);
}

bool EndsText(const std::string& SubText, const std::string& Text) {
    return Text.size() >= SubText.size() &&
           SameText(Text.substr(Text.size() - SubText.size()), SubText);
}

// ---------------------------------------------------------------- files

bool FileExists(const std::string& FileName) {
    struct stat st {};
    return ::stat(FileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& Dir) {
    struct stat st {};
    return ::stat(Dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& FileName) { return ::unlink(FileName.c_str()) == 0; }

bool RenameFile(const std::string& OldName, const std::string& NewName) {
    if (FileExists(NewName) || DirectoryExists(NewName)) return false;
    return std::rename(OldName.c_str(), NewName.c_str()) == 0;
}

std::string ExtractFilePath(const std::string& FileName) {
    size_t p = FileName.find_last_of('/');
    return p == std::string::npos ? std::string() : FileName.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& FileName) {
    size_t p = FileName.find_last_of('/');
    return p == std::string::npos ? FileName : FileName.substr(p + 1);
}

std::string ExtractFileExt(const std::string& FileName) {
    std::string name = ExtractFileName(FileName);
    size_t p = name.find_last_of('.');
    return p == std::string::npos ? std::string() : name.substr(p);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
    std::string ext = ExtractFileExt(FileName);
    return FileName.substr(0, FileName.size() - ext.size()) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& Path) {
    return !Path.empty() && Path.back() == '/' ? Path : Path + "/";
}

std::string ExcludeTrailingPathDelimiter(const std::string& Path) {
    if (Path.size() > 1 && Path.back() == '/') return Path.substr(0, Path.size() - 1);
    return Path;
}

std::u32string DecodeUtf8(const std::string& Text) {
    std::u32string Out;
    Out.reserve(Text.size());
    size_t I = 0;
    while (I < Text.size()) {
        const uint8_t B = uint8_t(Text[I]);
        int Len = B < 0x80 ? 1 : (B >> 5) == 6 ? 2 : (B >> 4) == 14 ? 3 : (B >> 3) == 30 ? 4 : 0;
        char32_t C = Len == 1 ? B : Len == 2 ? (B & 0x1F) : Len == 3 ? (B & 0x0F) : (B & 0x07);
        bool Ok = Len > 0 && I + Len <= Text.size();
        for (int K = 1; Ok && K < Len; ++K) {
            const uint8_t T = uint8_t(Text[I + K]);
            Ok = (T & 0xC0) == 0x80;
            C = (C << 6) | (T & 0x3F);
        }
        if (!Ok || C > 0x10FFFF) {
            Out.push_back(0xFFFD);
            ++I;
            continue;
        }
        Out.push_back(C);
        I += Len;
    }
    return Out;
}

}  // namespace vcl
