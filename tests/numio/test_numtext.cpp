// Number texts: readers, validity tests, writers and the field conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "numio/NumText.h"

using namespace QEL_NumIO;
using QEL_base::uc_MaxDouble;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

struct DecimalCase {
    std::string Text;
    bool AllowExp;
    TSepMode Sep;
    int Start;
    double Value;
    int End;
};

TEST(NumTextReaders, DecimalReaderStopsWhereTheNumberEnds) {
    const DecimalCase Cases[] = {
        {"1,5", true, smEither, 1, 1.5, 4},
        {"1.5", true, smEither, 1, 1.5, 4},
        {"1,5", true, smPoint, 1, 1.0, 2},
        {"1.5", true, smComma, 1, 1.0, 2},
        {"  42", true, smPoint, 1, 42.0, 5},
        {"12abc", true, smPoint, 1, 12.0, 3},
        {"1E5000", true, smPoint, 1, uc_MaxDouble, 7},
        {"-1E5000", true, smPoint, 1, -uc_MaxDouble, 8},
        {"1E-5000", true, smPoint, 1, 0.0, 8},
        {"1E4200", true, smPoint, 1, uc_MaxDouble, 7},
        {"-", true, smPoint, 1, 0.0, 2},
        {"", true, smPoint, 1, 0.0, 1},
        {"1E5", true, smPoint, 1, 1e5, 4},
        {"1e-5", true, smPoint, 1, 1e-5, 5},
        {"1E5", false, smPoint, 1, 1.0, 2},
        // An exponent still being typed reads as the mantissa.
        {"1E", true, smPoint, 1, 1.0, 3},
        {"1E-", true, smPoint, 1, 1.0, 4},
        {"1E-x", true, smPoint, 1, 1.0, 4},
        {"1E.", true, smPoint, 1, 0.0, 3},
        {".", true, smPoint, 1, 0.0, 2},
        {"-.5", true, smPoint, 1, -0.5, 4},
        {"12.", true, smPoint, 1, 12.0, 4},
        {"1.5.3", true, smPoint, 1, 0.0, 4},
        {"1 2", true, smPoint, 1, 1.0, 2},
        {"- 1", true, smPoint, 1, 0.0, 2},
        {" -3.25E+2x", true, smEither, 1, -325.0, 10},
        {"ab12", true, smPoint, 3, 12.0, 5},
        {"7", true, smPoint, -4, 7.0, 2},
        {"0.0000000000000000000000000000000000001E37", true, smPoint, 1, 1.0, 43},
        {"000000000000000000000000000000000000012", true, smPoint, 1, 12.0, 40},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("text \"" + C.Text + "\"");
        int Pos = C.Start;
        EXPECT_DOUBLE_EQ(ReadDecimal(C.Text, C.AllowExp, C.Sep, Pos), C.Value);
        EXPECT_EQ(Pos, C.End);
    }
}

TEST(NumTextReaders, ExponentDigitsBeyondTheLimitAddNothing) {
    int Pos = 1;
    const std::string Text = "0." + std::string(5000, '0') + "1E99999";
    EXPECT_EQ(ReadDecimal(Text, true, smPoint, Pos), 0.0);
    EXPECT_EQ(Pos, static_cast<int>(Text.size()) + 1);
}

enum Reader { rdSigned, rdHex, rdOct, rdBin };

struct IntCase {
    Reader R;
    std::string Text;
    int Start;
    int Value;
    int End;
};

TEST(NumTextReaders, IntegerAndDigitReadersWrapIn32Bits) {
    const IntCase Cases[] = {
        {rdSigned, "", 1, 0, 1},
        {rdSigned, "-12", 1, -12, 4},
        {rdSigned, "+5x", 1, 5, 3},
        {rdSigned, "  7", 1, 7, 4},
        {rdSigned, " ", 1, 0, 1},
        {rdSigned, "2147483648", 1, -2147483647 - 1, 11},
        {rdSigned, "4294967297", 1, 1, 11},
        {rdSigned, "-2147483648", 1, -2147483647 - 1, 12},
        {rdHex, "$FF", 1, 255, 4},
        {rdHex, "ff", 1, 255, 3},
        {rdHex, "1G", 1, 1, 2},
        {rdHex, "FFFFFFFF", 1, -1, 9},
        {rdHex, "100000001", 1, 1, 10},
        {rdHex, "1$", 1, 1, 2},
        {rdHex, " $5", 1, 0, 2},
        {rdHex, "x$5", 2, 0, 2},
        {rdOct, "777", 1, 511, 4},
        {rdOct, "78", 1, 7, 2},
        {rdOct, "$7", 1, 0, 1},
        {rdBin, "1012", 1, 5, 4},
        {rdBin, "  11", 1, 3, 5},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("reader " + std::to_string(C.R) + " text \"" + C.Text + "\"");
        int Pos = C.Start;
        int V = 0;
        switch (C.R) {
            case rdSigned:
                V = ReadSignedInt(C.Text, Pos);
                break;
            case rdHex:
                V = ReadHex(C.Text, Pos);
                break;
            case rdOct:
                V = ReadOct(C.Text, Pos);
                break;
            case rdBin:
                V = ReadBin(C.Text, Pos);
                break;
        }
        EXPECT_EQ(V, C.Value);
        EXPECT_EQ(Pos, C.End);
    }
}

struct CheckCase {
    TInFormat Format;
    TSepMode Sep;
    std::string Text;
    bool Valid;
};

TEST(NumTextValidity, EachFormatAcceptsItsPartialTexts) {
    const CheckCase Cases[] = {
        {itExp, smPoint, "1x", true},
        {itExp, smPoint, "1E", true},
        {itExp, smPoint, "1E-", true},
        {itExp, smPoint, "-", false},
        {itExp, smPoint, "", false},
        {itExp, smPoint, " ", false},
        {itExp, smPoint, ".", true},
        {itExp, smPoint, "1E4200", true},
        {itExp, smPoint, "1E4201", false},
        {itExp, smPoint, "1E000004200", true},
        {itExp, smPoint, "1.5.3", false},
        {itExp, smPoint, "1,5", true},  // the number ends at the comma
        {itExp, smComma, "1,5E-3", true},
        {itFloat, smPoint, "-", true},
        {itFloat, smPoint, "12.", true},
        {itFloat, smPoint, ".", true},
        {itFloat, smPoint, "-.", true},
        {itFloat, smPoint, "3.5", true},
        {itFloat, smPoint, "1,5", false},
        {itFloat, smPoint, "1.2.3", false},
        {itFloat, smPoint, "", false},
        {itFloat, smPoint, "+-1", false},
        {itFloat, smPoint, "1e5", false},
        {itFloat, smComma, "1,5", true},
        {itFloat, smComma, "1.5", false},
        {itFloat, smEither, "1,5", true},
        {itFloat, smEither, "1.5", true},
        {itFloat, smEither, "1.5,", false},
        {itFixPoint, smPoint, "3.50", true},
        {itFixPoint, smPoint, "3.5", false},
        {itFixPoint, smPoint, "12", true},
        {itFixPoint, smPoint, "123", false},
        {itFixPoint, smPoint, "-1.25", true},
        {itFixPoint, smPoint, ".25", true},
        {itFixPoint, smComma, "3,50", true},
        {itFixPoint, smComma, "3.50", false},
        {itFixPoint, smEither, "3,50", true},
        {itInt, smPoint, "+5", true},
        {itInt, smPoint, "-12", true},
        {itInt, smPoint, "7", true},
        {itInt, smPoint, "+", false},
        {itInt, smPoint, "5-", false},
        {itInt, smPoint, "", false},
        {itInt, smPoint, "1.5", false},
        {itHex, smPoint, "FF", true},
        {itHex, smPoint, "a0", true},
        {itHex, smPoint, "$FF", false},
        {itHex, smPoint, "G", false},
        {itHex, smPoint, "", false},
        {itOct, smPoint, "17", true},
        {itOct, smPoint, "8", false},
        {itBin, smPoint, "101", true},
        {itBin, smPoint, "2", false},
        {itDynamic, smPoint, "$", false},
        {itDynamic, smPoint, "$1F", true},
        {itDynamic, smPoint, "%101", true},
        {itDynamic, smPoint, "%2", false},
        {itDynamic, smPoint, "&17", true},
        {itDynamic, smPoint, "&8", false},
        {itDynamic, smPoint, "1E5", true},
        {itDynamic, smPoint, "-", false},
        {itDynamic, smPoint, "", false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("format " + std::to_string(C.Format) + " sep " + std::to_string(C.Sep) +
                     " text \"" + C.Text + "\"");
        EXPECT_EQ(CheckNumText(C.Text, C.Format, C.Sep, 2), C.Valid);
    }
}

TEST(NumTextValidity, ExponentTestWithoutExponentEndsAtE) {
    EXPECT_TRUE(IsValidExpText("1E5", false, smPoint));
    EXPECT_FALSE(IsValidExpText("E5", false, smPoint));
}

struct ValueCase {
    TInFormat Format;
    std::string Text;
    double Value;
};

TEST(NumTextValues, NumIO2ReadsItsBufferByFormat) {
    const ValueCase Cases[] = {
        {itFloat, "3.5", 3.5},
        {itFloat, "1,5", 1.5},
        {itFixPoint, "-2.25", -2.25},
        {itExp, " 1.23456E+02", 123.456},
        {itExp, "", 0.0},
        {itInt, "", 0.0},
        {itInt, "abc", 0.0},
        {itInt, "+5", 5.0},
        {itInt, "-12", -12.0},
        {itInt, "99999999999", 2147483647.0},
        {itInt, "-99999999999", -2147483648.0},
        {itHex, "FF", 255.0},
        {itHex, "FFFFFFFF", -1.0},
        {itOct, "17", 15.0},
        {itBin, "101", 5.0},
        {itDynamic, "", 0.0},
        {itDynamic, "$FF", 255.0},
        {itDynamic, "%101", 5.0},
        {itDynamic, "&17", 15.0},
        {itDynamic, "1e3", 1000.0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("format " + std::to_string(C.Format) + " text \"" + C.Text + "\"");
        EXPECT_DOUBLE_EQ(NumIO2ValueOf(C.Text, C.Format), C.Value);
    }
}

TEST(NumTextWriters, ScientificTextHasTwoExponentDigitsOrAsterisks) {
    EXPECT_EQ(SciText(123.456, 12), " 1.23456E+02");
    EXPECT_EQ(SciText(-123.456, 12), "-1.23456E+02");
    EXPECT_EQ(SciText(0.0, 12), " 0.00000E+00");
    EXPECT_EQ(SciText(1e-5, 10), " 1.000E-05");
    EXPECT_EQ(SciText(1e150, 12), "************");
    EXPECT_EQ(SciText(-1e-150, 12), "************");
    EXPECT_EQ(SciText(9.9999999e99, 12), "************");  // rounds up to E+100
    EXPECT_EQ(SciText(NaN, 12), "************");
    EXPECT_EQ(SciText(std::numeric_limits<double>::infinity(), 9), "*********");
    // Fewer than two significant digits asked for: the layout keeps one digit
    // after the point.
    EXPECT_EQ(SciText(1.5, 7), " 1.5E+00");
    EXPECT_EQ(SciText(NaN, 3), "********");
}

TEST(NumTextWriters, FixedText) {
    EXPECT_EQ(FixedText(3.14159, 1, 2), "3.14");
    EXPECT_EQ(FixedText(3.0, 1, 2), "3.00");
    EXPECT_EQ(FixedText(-7.26, 1, 1), "-7.3");
    EXPECT_EQ(FixedText(12.0, 1, 0), "12");
    EXPECT_EQ(FixedText(1.5, 6, 1), "   1.5");
    EXPECT_EQ(FixedText(1.7, 1, -3), "2");
}

struct DigitCase {
    double X;
    int Base;
    int Count;
    std::string Text;
};

TEST(NumTextWriters, DigitTextIsThe32BitPattern) {
    const DigitCase Cases[] = {
        {255, 16, 8, "000000FF"},
        {-1, 16, 8, "FFFFFFFF"},
        {5, 2, 32, std::string(29, '0') + "101"},
        {8, 8, 11, "00000000010"},
        {2.5, 16, 2, "02"},
        {3.5, 16, 2, "04"},
        {255, 16, 0, "F"},
        {255, 16, -5, "F"},
        {255, 16, 20, "00000000000000FF"},
        {-1, 16, 16, "00000000FFFFFFFF"},
        {-1, 8, 11, "37777777777"},
        {-1, 2, 40, std::string(32, '1')},
        {NaN, 16, 4, "0000"},
        {4294967301.0, 16, 8, "00000005"},
        {-4294967297.0, 16, 8, "FFFFFFFF"},
        {1e20, 16, 8, "63100000"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("x " + std::to_string(C.X) + " base " + std::to_string(C.Base));
        EXPECT_EQ(DigitText(C.X, C.Base, C.Count), C.Text);
    }
}

struct WriteCase {
    TInFormat Format;
    double X;
    std::string Text;
};

TEST(NumTextWriters, NumIO2WritesByFormat) {
    const WriteCase Cases[] = {
        {itHex, 255, "000000FF"},   {itHex, -1, "FFFFFFFF"},
        {itOct, 8, "00000000010"},  {itBin, 5, std::string(29, '0') + "101"},
        {itFloat, 3.14159, "3.14"}, {itFixPoint, 3, "3.00"},
        {itInt, 2.5, "2"},          {itInt, -3.5, "-4"},
        {itDynamic, 3.5, "4"},      {itExp, 123.456, " 1.23456E+02"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("format " + std::to_string(C.Format));
        EXPECT_EQ(NumIO2TextOf(C.X, C.Format, 6, 2), C.Text);
    }
}

TEST(NumTextWriters, IntegerTextOfHugeValuesStaysAnIntegerText) {
    for (double X : {1e300, -1e300, NaN, std::numeric_limits<double>::infinity()}) {
        const std::string T = NumIO2TextOf(X, itInt, 6, 2);
        EXPECT_TRUE(IsValidIntText(T)) << T;
        EXPECT_GT(T.size(), 300u);
    }
}

TEST(NumTextWriters, NumIOWritesByFormatWithoutDroppingHighBits) {
    const WriteCase Cases[] = {
        {itBin, 5, "00000101"},
        {itBin, 300, "100101100"},
        {itBin, -1, std::string(32, '1')},
        {itOct, 8, "00000010"},
        {itOct, -1, "37777777777"},
        {itHex, 255, "000000FF"},
        {itExp, 123.456, " 1.23456E+02"},
        {itDynamic, 123.456, " 1.23456E+02"},
        {itFloat, 1.5, "1.50000000"},
        {itFixPoint, 1.5, "1.500"},
        {itInt, 2.4, "2"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("format " + std::to_string(C.Format));
        EXPECT_EQ(NumIOTextOf(C.X, C.Format, 3), C.Text);
    }
}

// What a field writes it must accept and read back.
TEST(NumTextWriters, WrittenTextsPassTheTestAndReadBack) {
    const TInFormat Formats[] = {itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic};
    for (TInFormat F : Formats) {
        for (double X : {0.0, 1.0, -1.0, 123.456, 255.0, -1000.25, 1e-5, 65535.0}) {
            SCOPED_TRACE("format " + std::to_string(F) + " x " + std::to_string(X));
            const std::string T = NumIO2TextOf(X, F, 6, 2);
            EXPECT_TRUE(CheckNumText(T, F, smPoint, 2)) << T;
            double Expected = X;
            if (F == itInt || F == itDynamic || F == itHex || F == itOct || F == itBin)
                Expected = std::nearbyint(X);
            else if (F == itFloat || F == itFixPoint)
                Expected = std::round(X * 100) / 100;
            EXPECT_NEAR(NumIO2ValueOf(T, F), Expected, std::fabs(Expected) * 1e-5 + 1e-12) << T;

            const std::string U = NumIOTextOf(X, F, 2);
            double V = 1234.0;
            EXPECT_TRUE(ConvertNumString(U, F, smPoint, V)) << U;
            EXPECT_EQ(V, NumIOValueOf(U, F)) << U;
        }
    }
}

struct ConvertCase {
    std::string Text;
    TInFormat Format;
    TSepMode Sep;
    bool Ok;
    double Value;
};

TEST(NumTextConvert, ConvertNumStringAcceptsCompleteAndZeroReadingTexts) {
    const ConvertCase Cases[] = {
        {"-", itExp, smPoint, true, 0.0},        {"+", itExp, smPoint, true, 0.0},
        {".", itExp, smPoint, true, 0.0},        {"e", itExp, smPoint, true, 0.0},
        {"1-", itExp, smPoint, false, 1.0},      {"--", itExp, smPoint, false, 0.0},
        {"12x", itExp, smPoint, false, 12.0},    {"1e", itExp, smPoint, true, 1.0},
        {"1E-", itExp, smPoint, true, 1.0},      {"1e5000", itExp, smPoint, true, uc_MaxDouble},
        {"   ", itExp, smPoint, true, 0.0},      {"  42", itInt, smPoint, true, 42.0},
        {"4 2", itInt, smPoint, false, 0.0},     {"42 ", itInt, smPoint, false, 0.0},
        {"-7", itInt, smPoint, true, -7.0},      {"1.5", itInt, smPoint, false, 1.0},
        {"1E5", itFloat, smPoint, false, 1.0},   {"1,5", itFloat, smComma, true, 1.5},
        {"1,5", itFloat, smPoint, false, 1.0},   {"3.50", itFixPoint, smPoint, true, 3.5},
        {"FF", itHex, smPoint, true, 255.0},     {"fg", itHex, smPoint, false, 15.0},
        {"19", itOct, smPoint, false, 1.0},      {"101", itBin, smPoint, true, 5.0},
        {"1e5", itDynamic, smPoint, true, 1e5},  {"$ff", itDynamic, smPoint, true, 255.0},
        {"$", itDynamic, smPoint, true, 0.0},    {"&17", itDynamic, smPoint, true, 15.0},
        {"%101", itDynamic, smPoint, true, 5.0}, {"%102", itDynamic, smPoint, false, 2.0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE("format " + std::to_string(C.Format) + " text \"" + C.Text + "\"");
        double V = 1234.0;
        EXPECT_EQ(ConvertNumString(C.Text, C.Format, C.Sep, V), C.Ok);
        EXPECT_DOUBLE_EQ(V, C.Value);
    }
}

TEST(NumTextConvert, EmptyTextLeavesTheValueAlone) {
    double V = 1234.0;
    EXPECT_FALSE(ConvertNumString("", itExp, smPoint, V));
    EXPECT_EQ(V, 1234.0);
}

TEST(NumTextConvert, NumIOValueReadsCommaTextsInEveryMode) {
    EXPECT_DOUBLE_EQ(NumIOValueOf("1,5", itFloat), 1.5);
    EXPECT_DOUBLE_EQ(NumIOValueOf("12.", itFloat), 12.0);
    EXPECT_DOUBLE_EQ(NumIOValueOf("abc", itFloat), 0.0);
    EXPECT_DOUBLE_EQ(NumIOValueOf("$FF", itDynamic), 255.0);
    EXPECT_DOUBLE_EQ(NumIOValueOf("", itExp), 0.0);
}

TEST(NumTextSeparators, LocaleChoiceResolvesDifferentlyForTheTwoFields) {
    using QEL_base::dpComma;
    using QEL_base::dpEither;
    using QEL_base::dpLocale;
    using QEL_base::dpPoint;
    EXPECT_EQ(ResolveSepForNumIO2(dpLocale, '.'), smPoint);
    EXPECT_EQ(ResolveSepForNumIO2(dpLocale, ','), smComma);
    EXPECT_EQ(ResolveSepForNumIO2(dpLocale, '\''), smComma);
    EXPECT_EQ(ResolveSepForNumIO(dpLocale, '.'), smPoint);
    EXPECT_EQ(ResolveSepForNumIO(dpLocale, ','), smComma);
    EXPECT_EQ(ResolveSepForNumIO(dpLocale, '\''), smPoint);
    for (auto Sep : {dpPoint, dpComma, dpEither}) {
        EXPECT_EQ(ResolveSepForNumIO2(Sep, ','), static_cast<TSepMode>(Sep));
        EXPECT_EQ(ResolveSepForNumIO(Sep, '.'), static_cast<TSepMode>(Sep));
    }
}

}  // namespace
