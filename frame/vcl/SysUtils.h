// Run-time library: exceptions, number and text conversions, formatting,
// dates and times.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace vcl {

// ---------------------------------------------------------------- exceptions

// Base of every exception the platform and the components raise; the text is
// the message the user sees.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& Msg) : std::runtime_error(Msg) {}
    std::string Message() const { return what(); }
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Silent exception: stops an operation without a message to the user.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

class EIntOverflow : public Exception {
public:
    using Exception::Exception;
};

// Raised by Round and Trunc for NaN, infinities and values outside 64 bits.
class EInvalidOp : public Exception {
public:
    using Exception::Exception;
};

class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

// Index out of range in a list ("List index out of bounds (5)").
class EListError : public Exception {
public:
    using Exception::Exception;
};
class EStringListError : public EListError {
public:
    using EListError::EListError;
};

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// A class name that the class registry does not know.
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A malformed form file; Line and Column are 1-based and also lead the message
// ("Line 7, column 3: expected '=' but found 'end'").
class EParserError : public EReadError {
public:
    EParserError(const std::string& Msg, int Line, int Column)
        : EReadError(Msg), FLine(Line), FColumn(Column) {}
    int Line() const { return FLine; }
    int Column() const { return FColumn; }

private:
    int FLine;
    int FColumn;
};

// ---------------------------------------------------------------- locale

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    std::string CurrencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    uint8_t CurrencyFormat = 0;
    // 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-",
    // 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1", 13 "1- $", 14 "($ 1)", 15 "(1 $)"
    uint8_t NegCurrFormat = 0;
    uint8_t CurrencyDecimals = 2;
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    // Index 0 is Sunday, like DayOfWeek - 1.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    int TwoDigitYearCenturyWindow = 50;
};

// The process-wide settings every conversion without an explicit settings
// argument uses.
extern TFormatSettings FormatSettings;

// ---------------------------------------------------------------- Format

// One argument of Format: an integer, a floating-point value, a text or a
// pointer.
class TVarRec {
public:
    template <std::integral T>
    TVarRec(T V) {
        if constexpr (std::is_same_v<T, bool>)
            FValue = int64_t{V};
        else if constexpr (std::is_same_v<T, char>)
            FValue = std::string(1, V);
        else if constexpr (std::is_unsigned_v<T> && sizeof(T) == 8)
            FValue = static_cast<int64_t>(V), FUnsigned = true;
        else
            FValue = static_cast<int64_t>(V);
    }
    template <std::floating_point T>
    TVarRec(T V) : FValue(static_cast<double>(V)) {}
    TVarRec(const char* V) : FValue(std::string(V ? V : "")) {}
    TVarRec(std::string V) : FValue(std::move(V)) {}
    TVarRec(std::string_view V) : FValue(std::string(V)) {}
    TVarRec(const void* V) : FValue(V) {}

    bool IsInteger() const { return std::holds_alternative<int64_t>(FValue); }
    bool IsFloat() const { return std::holds_alternative<double>(FValue); }
    bool IsString() const { return std::holds_alternative<std::string>(FValue); }
    bool IsPointer() const { return std::holds_alternative<const void*>(FValue); }
    bool IsUnsigned() const { return FUnsigned; }
    int64_t AsInteger() const { return std::get<int64_t>(FValue); }
    double AsFloat() const { return std::get<double>(FValue); }
    const std::string& AsString() const { return std::get<std::string>(FValue); }
    const void* AsPointer() const { return std::get<const void*>(FValue); }

private:
    std::variant<int64_t, double, std::string, const void*> FValue;
    bool FUnsigned = false;
};

// printf-like formatting with the platform's rules:
//   %[index:][-][width][.prec]type, width and precision may be '*'.
//   d u   integers; precision = minimum digits
//   x     upper-case hexadecimal; precision = minimum digits
//   e     scientific, precision = significant digits (default 15), exponent with
//         sign and at least three digits: "1.23E+003"
//   f     fixed, precision = decimals (default 2)
//   g     general, shortest form with precision significant digits (default 15)
//   n     like f with thousand separators
//   m     money: CurrencyString, CurrencyFormat/NegCurrFormat, CurrencyDecimals
//   s     text; precision = maximum characters
//   p     pointer as 16 hexadecimal digits
// Float formats use the DecimalSeparator of the settings. A bad specifier or
// an argument of the wrong type raises EConvertError
// "Format '<fmt>' invalid or incompatible with argument"; a missing argument
// "No argument for format '<fmt>'".
std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args);
std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args,
                   const TFormatSettings& Settings);
std::string FormatV(const std::string& Fmt, const std::vector<TVarRec>& Args,
                    const TFormatSettings& Settings);

template <class... A>
requires(sizeof...(A) > 0 && (std::constructible_from<TVarRec, const A&> && ...)) std::string
    Format(const std::string& Fmt, const A&... Args) {
    return FormatV(Fmt, std::vector<TVarRec>{TVarRec(Args)...}, FormatSettings);
}
inline std::string Format(const std::string& Fmt) { return FormatV(Fmt, {}, FormatSettings); }

// ---------------------------------------------------------------- integers

std::string IntToStr(int64_t Value);
// Upper-case hexadecimal with at least Digits digits.
std::string IntToHex(int64_t Value, int Digits);
// Accepts leading blanks, a sign and decimal or hexadecimal ("$1F", "0x1F")
// digits. Failure or a value outside the result type raises EConvertError
// "'<s>' is not a valid integer value".
int StrToInt(const std::string& S);
int64_t StrToInt64(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);
bool TryStrToInt64(const std::string& S, int64_t& Value);

// ---------------------------------------------------------------- floats

// General format with 15 significant digits ("0.1", "1E20", "1.5E-7"); NaN is
// "NAN", infinities "INF" and "-INF".
std::string FloatToStr(double Value);
std::string FloatToStr(double Value, const TFormatSettings& Settings);

enum TFloatFormat : uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings);

// Accepts surrounding blanks, a sign, digits with the settings' decimal
// separator and an exponent, and "INF"/"NAN"; otherwise EConvertError
// "'<s>' is not a valid floating point value".
double StrToFloat(const std::string& S);
double StrToFloat(const std::string& S, const TFormatSettings& Settings);
double StrToFloatDef(const std::string& S, double Default);
bool TryStrToFloat(const std::string& S, double& Value);
bool TryStrToFloat(const std::string& S, double& Value, const TFormatSettings& Settings);

// Rounds half to even (Round(2.5) = 2, Round(-2.5) = -2). NaN, infinities and
// results beyond 64 bits raise EInvalidOp "Invalid floating point operation".
int64_t Round(double X);
// Toward zero; the same errors as Round.
int64_t Trunc(double X);

// Str(X:Width:Decimals): fixed, right-justified in at least Width characters.
std::string Str(double X, int Width, int Decimals);
// Str(X:Width): scientific with a sign column (blank or "-"), max(1, Width - 9)
// decimals and four exponent digits: Str(123.456, 14) = " 1.23456E+0002".
std::string Str(double X, int Width);
// Str(I:Width): the integer right-justified in at least Width characters.
std::string StrInt(int64_t X, int Width);

// Val: optional leading blanks, sign, digits, "." fraction and exponent ("."
// whatever the locale). Code is 0 on success, else the 1-based position of the
// first character that does not fit (Length + 1 when the text ends too
// early); V is then 0.
void Val(const std::string& S, double& V, int& Code);
// Integer form: sign and decimal or "$"/"0x" hexadecimal digits; a digit that
// overflows is the bad character.
void Val(const std::string& S, int& V, int& Code);
void Val(const std::string& S, int64_t& V, int& Code);

// ---------------------------------------------------------------- texts

std::string LowerCase(const std::string& S);
// The code points of a UTF-8 text; each malformed byte becomes U+FFFD.
std::u32string DecodeUtf8(const std::string& Text);
std::string UpperCase(const std::string& S);
// Removes blanks and control characters at both ends / the left / the right.
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
// ASCII case-insensitive comparisons.
int CompareText(const std::string& A, const std::string& B);
bool SameText(const std::string& A, const std::string& B);
int CompareStr(const std::string& A, const std::string& B);
// The text between quotes, every inner quote doubled.
std::string QuotedStr(const std::string& S, char Quote = '\'');
// Replaces the first (or every, with All) occurrence; IgnoreCase compares ASCII
// letters without case.
std::string StringReplace(const std::string& S, const std::string& OldPattern,
                          const std::string& NewPattern, bool All = true, bool IgnoreCase = false);
// 1-based position of Sub in S, 0 when absent.
int Pos(const std::string& Sub, const std::string& S);
// Copy(S, Index, Count) with a 1-based Index, clamped to the text.
std::string Copy(const std::string& S, int Index, int Count);
bool IsValidIdent(const std::string& Ident);
bool StartsText(const std::string& SubText, const std::string& Text);
bool EndsText(const std::string& SubText, const std::string& Text);

// ---------------------------------------------------------------- files

bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Dir);
bool DeleteFile(const std::string& FileName);
bool RenameFile(const std::string& OldName, const std::string& NewName);
std::string ExtractFilePath(const std::string& FileName);
std::string ExtractFileName(const std::string& FileName);
std::string ExtractFileExt(const std::string& FileName);
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& Path);
std::string ExcludeTrailingPathDelimiter(const std::string& Path);

// ---------------------------------------------------------------- dates

// Days since 1899-12-30 plus the fraction of the day.
using TDateTime = double;

// Years 1..9999 and valid days, else EConvertError
// "Invalid argument to date encode".
TDateTime EncodeDate(uint16_t Year, uint16_t Month, uint16_t Day);
bool TryEncodeDate(uint16_t Year, uint16_t Month, uint16_t Day, TDateTime& Date);
void DecodeDate(TDateTime Date, uint16_t& Year, uint16_t& Month, uint16_t& Day);
// Hour < 24, Min < 60, Sec < 60, MSec < 1000, else EConvertError
// "Invalid argument to time encode".
TDateTime EncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec);
bool TryEncodeTime(uint16_t Hour, uint16_t Min, uint16_t Sec, uint16_t MSec, TDateTime& Time);
void DecodeTime(TDateTime Time, uint16_t& Hour, uint16_t& Min, uint16_t& Sec, uint16_t& MSec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime Date);
bool IsLeapYear(uint16_t Year);
uint16_t DaysInAMonth(uint16_t Year, uint16_t Month);
// Moves by whole months, keeping the time and clamping the day to the
// target month's length.
TDateTime IncMonth(TDateTime Date, int NumberOfMonths = 1);
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Letters (case-insensitive except am/pm and a/p): d dd ddd dddd ddddd dddddd;
// m mm (minutes right after h/hh) mmm mmmm; yy yyyy; h hh; n nn; s ss; z zzz;
// am/pm a/p ampm; c; t tt; "/" and ":" are the settings' separators; '...'
// and "..." are literal.
std::string FormatDateTime(const std::string& Fmt, TDateTime DateTime);
std::string FormatDateTime(const std::string& Fmt, TDateTime DateTime,
                           const TFormatSettings& Settings);
// Reads a date in the order of the settings' ShortDateFormat (day, month,
// year), numbers separated by DateSeparator; a missing year is this year,
// a two-digit year falls in the TwoDigitYearCenturyWindow. Failure: EConvertError
// "'<s>' is not a valid date".
TDateTime StrToDate(const std::string& S);
TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings);
bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
// "h:n[:s[.z]]" with an optional AM/PM (or the settings' strings); failure:
// EConvertError "'<s>' is not a valid time".
TDateTime StrToTime(const std::string& S);
bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
std::string DateToStr(TDateTime Date);
std::string TimeToStr(TDateTime Time);
std::string DateTimeToStr(TDateTime DateTime);

}  // namespace vcl
