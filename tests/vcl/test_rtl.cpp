#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vcl/SysUtils.h"

namespace {

using namespace vcl;

template <class E, class F>
std::string MessageOf(F&& Fn) {
    try {
        Fn();
    } catch (const E& e) {
        return e.Message();
    }
    return "<no exception>";
}

TEST(Rtl, StrFixedAndScientificLayouts) {
    struct Case {
        double X;
        int Width, Decimals;  // Decimals < 0: the scientific form Str(X:Width)
        const char* Expected;
    };
    const Case cases[] = {
        {123.456, 14, -1, " 1.23456E+0002"},
        {-123.456, 14, -1, "-1.23456E+0002"},
        {0.0, 12, -1, " 0.000E+0000"},
        {1e-300, 12, -1, " 1.000E-0300"},
        {5.0, 8, -1, " 5.0E+0000"},  // at least one decimal, wider than asked
        {3.14159, 8, 2, "    3.14"},
        {-3.14159, 0, 3, "-3.142"},
        {2.5, 1, 0, "3"},  // decimal ties round away from zero
        {0.125, 0, 2, "0.13"},
        {-0.125, 0, 2, "-0.13"},
        {0.15, 0, 1, "0.1"},  // 0.1499999... in binary
        {1234.5, 3, 1, "1234.5"},
        {std::numeric_limits<double>::quiet_NaN(), 5, 2, "  Nan"},
        {-std::numeric_limits<double>::infinity(), 0, -1, "-Inf"},
    };
    for (const auto& c : cases) {
        std::string got = c.Decimals < 0 ? Str(c.X, c.Width) : Str(c.X, c.Width, c.Decimals);
        EXPECT_EQ(got, c.Expected) << c.X << ":" << c.Width << ":" << c.Decimals;
    }
    EXPECT_EQ(StrInt(-42, 6), "   -42");
    EXPECT_EQ(StrInt(123456, 2), "123456");
}

TEST(Rtl, ValReportsFirstBadCharacter) {
    struct Case {
        const char* Text;
        double Value;
        int Code;
    };
    const Case cases[] = {
        {"1.5", 1.5, 0}, {"-2.5e3", -2500, 0}, {"  7", 7, 0},  {"+.5", 0.5, 0},
        {"5.", 5, 0},    {"1e-400", 0, 0},     {"", 0, 1},     {"-", 0, 2},
        {"1.5x", 0, 4},  {"1,5", 0, 2},        {"1e", 0, 3},   {"1e+", 0, 4},
        {"1ex", 0, 3},   {"abc", 0, 1},        {"1.5 ", 0, 4}, {"1e999", 0, 1},
    };
    for (const auto& c : cases) {
        double v = -1;
        int code = -1;
        Val(c.Text, v, code);
        EXPECT_EQ(code, c.Code) << '"' << c.Text << '"';
        EXPECT_EQ(v, c.Value) << '"' << c.Text << '"';
    }
    int i = -1, code = -1;
    Val("12a", i, code);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(i, 0);
    Val("$FF", i, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(i, 255);
    Val("2147483648", i, code);  // the last digit overflows
    EXPECT_EQ(code, 10);
    Val("-2147483648", i, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(i, INT32_MIN);
}

TEST(Rtl, RoundTiesToEvenAndTruncTowardZero) {
    const std::pair<double, int64_t> rounds[] = {
        {2.5, 2},    {3.5, 4},   {-2.5, -2},
        {-3.5, -4},  {0.5, 0},   {1.5, 2},
        {2.4999, 2}, {-0.6, -1}, {1e15 + 0.5, 1000000000000000}};
    for (auto [x, r] : rounds) EXPECT_EQ(Round(x), r) << x;
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Trunc(2.7), 2);
    EXPECT_EQ(Round(9.0e18), int64_t{9000000000000000000});
    EXPECT_THROW(Round(1e19), EInvalidOp);
    EXPECT_THROW(Trunc(std::nan("")), EInvalidOp);
}

TEST(Rtl, StrToIntAcceptsDecimalAndHexAndNamesBadText) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt(" -17"), -17);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    const char* bad[] = {"", "12 ", "1.5", "abc", "2147483648", "$", "--1", "0x"};
    for (const char* s : bad)
        EXPECT_EQ(MessageOf<EConvertError>([&] { StrToInt(s); }),
                  std::string("'") + s + "' is not a valid integer value");
    EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(Rtl, StrToFloatUsesTheDecimalSeparator) {
    EXPECT_DOUBLE_EQ(StrToFloat(" 1.25 "), 1.25);
    EXPECT_DOUBLE_EQ(StrToFloat("-1E3"), -1000);
    EXPECT_TRUE(std::isinf(StrToFloat("INF")));
    EXPECT_TRUE(std::isnan(StrToFloat("nan")));
    EXPECT_EQ(MessageOf<EConvertError>([] { StrToFloat("1,5"); }),
              "'1,5' is not a valid floating point value");
    TFormatSettings de;
    de.DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,5", de), 1.5);
    EXPECT_THROW(StrToFloat("1.5", de), EConvertError);
}

TEST(Rtl, FloatToStrIsGeneralWithFifteenDigits) {
    struct Case {
        double X;
        const char* Expected;
    };
    const Case cases[] = {
        {0, "0"},
        {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},
        {-2.5, "-2.5"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {0.0001, "0.0001"},
        {0.00001, "0.00001"},
        {0.000001, "1E-6"},
        {1.5e-7, "1.5E-7"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.X), c.Expected) << c.X;
    TFormatSettings de;
    de.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStr(2.5, de), "2,5");
}

// General format: fixed while the integer part fits in the precision and the
// rounded value is at least 0.00001, scientific otherwise.
TEST(Rtl, GeneralFormatIsFixedOnlyInsideItsRange) {
    struct Case {
        const char* Fmt;
        double X;
        const char* Expected;
    };
    const Case cases[] = {
        {"%.4g", 0.00001, "0.00001"},
        {"%.4g", -0.00001, "-0.00001"},
        {"%.4g", 0.000012346, "0.00001235"},
        {"%.4g", 0.0000099999, "0.00001"},  // rounds up into the fixed range
        {"%.4g", 0.000001, "1E-006"},
        {"%.4g", -0.000001, "-1E-006"},
        {"%.4g", 1234, "1234"},
        {"%.4g", -1234, "-1234"},
        {"%.4g", 1234.4, "1234"},
        {"%.4g", 9999.5, "1E004"},  // rounding adds a fifth integer digit
        {"%.4g", 123456, "1.235E005"},
        {"%.4g", -123456, "-1.235E005"},
        {"%.4g", 0, "0"},
        {"%.4g", -0.0, "0"},
        {"%.4g", 0.5, "0.5"},
        {"%g", 0.00001, "0.00001"},
        {"%g", 123456, "123456"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.Fmt, c.X), c.Expected) << c.Fmt << " " << c.X;
}

TEST(Rtl, FormatFollowsThePlatformRules) {
    struct Case {
        std::string Got, Expected;
    };
    const Case cases[] = {
        {Format("%d|%5d|%-5d|%.3d", 42, 42, 42, -7), "42|   42|42   |-007"},
        {Format("%x|%.4x|%X", 255, 10, -1), "FF|000A|FFFFFFFF"},
        {Format("%e", 1.23), "1.23000000000000E+000"},
        {Format("%.3e", 1234.5), "1.23E+003"},
        {Format("%.2e", -0.000123), "-1.2E-004"},
        {Format("%f|%.1f|%.0f", 3.14159, 2.25, 2.5), "3.14|2.3|3"},
        {Format("%.2e", 1.125), "1.1E+000"},
        {Format("%.3e", 1.125), "1.13E+000"},
        {Format("%g|%g", 0.5, 1e20), "0.5|1E020"},
        {Format("%n", 1234567.891), "1,234,567.89"},
        {Format("%m|%m", 12.5, -3.0), "$12.50|($3.00)"},
        {Format("%s|%.2s|%6s", "abc", "abc", "ab"), "abc|ab|    ab"},
        {Format("%1:s %0:s %s", "a", "b"), "b a b"},
        {Format("%*d|%-*d|", 4, 7, 3, 1), "   7|1  |"},
        {Format("100%% %d", 5), "100% 5"},
        {Format("%d", {int64_t{-5}}), "-5"},
        {Format("no args"), "no args"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Got, c.Expected);

    TFormatSettings de;
    de.DecimalSeparator = ',';
    de.ThousandSeparator = '.';
    EXPECT_EQ(Format("%.2f %n", {1.5, 1234.5}, de), "1,50 1.234,50");

    EXPECT_EQ(MessageOf<EConvertError>([] { Format("%d", 1.5); }),
              "Format '%d' invalid or incompatible with argument");
    EXPECT_EQ(MessageOf<EConvertError>([] { Format("%s", 1); }),
              "Format '%s' invalid or incompatible with argument");
    EXPECT_EQ(MessageOf<EConvertError>([] { Format("%d %d", 1); }),
              "No argument for format '%d %d'");
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("abc %", 1), EConvertError);
    // A width taken from the arguments is bounded like a written one.
    EXPECT_THROW(Format("%*d", int64_t{INT32_MIN}, 1), EConvertError);
    EXPECT_THROW(Format("%.*f", int64_t{1} << 40, 1.0), EConvertError);
}

TEST(Rtl, CaseAndTrimHelpers) {
    EXPECT_EQ(LowerCase("AbC-Ä"), "abc-Ä");  // ASCII letters only
    EXPECT_EQ(UpperCase("abc1"), "ABC1");
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(CompareText("abc", "ABD"), -1);
    EXPECT_TRUE(SameText("Name", "nAME"));
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", true, true), "a-b-c");
    EXPECT_EQ(StringReplace("aaa", "a", "b", false), "baa");
    EXPECT_EQ(Pos("lo", "hello"), 4);
    EXPECT_EQ(Copy("hello", 2, 3), "ell");
    EXPECT_EQ(Copy("hello", 4, 10), "lo");
    EXPECT_TRUE(IsValidIdent("_a1"));
    EXPECT_FALSE(IsValidIdent("1a"));
    EXPECT_FALSE(IsValidIdent("a b"));
}

TEST(Rtl, DatesEncodeDecodeAndValidate) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    struct Ymd {
        uint16_t Y, M, D;
    };
    const Ymd dates[] = {{1, 1, 1},     {1600, 2, 29},  {1899, 12, 29}, {1900, 2, 28},
                         {2000, 2, 29}, {2024, 12, 31}, {9999, 12, 31}};
    for (auto d : dates) {
        uint16_t y, m, day;
        DecodeDate(EncodeDate(d.Y, d.M, d.D), y, m, day);
        EXPECT_EQ(y, d.Y);
        EXPECT_EQ(m, d.M);
        EXPECT_EQ(day, d.D);
    }
    const Ymd invalid[] = {{0, 1, 1},     {10000, 1, 1}, {1900, 2, 29},
                           {2023, 13, 1}, {2023, 4, 31}, {2023, 1, 0}};
    for (auto d : invalid)
        EXPECT_EQ(MessageOf<EConvertError>([&] { EncodeDate(d.Y, d.M, d.D); }),
                  "Invalid argument to date encode");
    EXPECT_EQ(MessageOf<EConvertError>([] { EncodeTime(24, 0, 0, 0); }),
              "Invalid argument to time encode");

    TDateTime t = EncodeTime(13, 45, 30, 250);
    uint16_t h, n, s, ms;
    DecodeTime(EncodeDate(2020, 5, 17) + t, h, n, s, ms);
    EXPECT_EQ(h, 13);
    EXPECT_EQ(n, 45);
    EXPECT_EQ(s, 30);
    EXPECT_EQ(ms, 250);

    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7)), 1);    // Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);       // Monday
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 15), -15), EncodeDate(2022, 12, 15));
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2024, 1, 1) + 0.5, 12), EncodeDate(2025, 1, 1) + 0.5);
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
    EXPECT_EQ(Date(), std::trunc(Date()));
}

TEST(Rtl, FormatDateTimeLetters) {
    TDateTime dt = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    struct Case {
        const char* Fmt;
        const char* Expected;
    };
    const Case cases[] = {
        {"d dd ddd dddd", "5 05 Tue Tuesday"},
        {"m mm mmm mmmm", "3 03 Mar March"},
        {"yy yyyy", "24 2024"},
        {"h:n:s", "14:7:9"},
        {"hh:mm:ss.zzz", "14:07:09.045"},  // mm after hh are minutes
        {"hh:nn AM/PM", "02:07 PM"},
        {"h a/p", "2 p"},
        {"h am/pm", "2 pm"},
        {"h ampm", "2 PM"},
        {"yyyy/mm/dd", "2024/03/05"},
        {"'dd' \"mm\" d", "dd mm 5"},
        {"DD-MMM-YYYY", "05-Mar-2024"},
        {"ddddd", "3/5/2024"},
        {"c", "3/5/2024 2:07:09 PM"},
        {"t", "2:07 PM"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.Fmt, dt), c.Expected) << c.Fmt;
    TFormatSettings s;
    s.DateSeparator = '.';
    s.TimeSeparator = '-';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", dt, s), "05.03.2024 14-07");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/2024");
}

}  // namespace
