// What the value box says for each display type, before OnBeforeDisplay.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "displays/NumLab.h"
#include "vcl/SysUtils.h"

namespace {

using namespace QEL_NumLab;

struct Case {
    TDisplay Type;
    int Precision;
    double Value;
    const char* Expected;
    bool Comma = false;
    bool Plus = false;
};

std::string Text(const Case& C) {
    TValueFormat F;
    F.DisplayType = C.Type;
    F.Precision = C.Precision;
    F.Comma = C.Comma;
    F.ForcePlusSign = C.Plus;
    return FormatValue(C.Value, F);
}

TEST(NumLabText, EachDisplayTypeWritesItsText) {
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const Case Cases[] = {
        {dtFixP, 2, 0.0, "0.00"},
        {dtFixP, 2, 3.14159, "3,14", true},
        {dtFixP, 2, 3.14159, "+3,14", true, true},
        {dtFixP, 0, -2.6, "-3"},
        {dtFixP, 2, 0.0, "0.00", false, true},  // zero gets no plus sign
        {dtInt, 2, 2.5, "2"},
        {dtInt, 2, 3.5, "4"},
        {dtInt, 2, -7.2, "-7"},
        {dtInt, 2, 0.3, "+0", false, true},
        {dtInt, 2, NaN, "*********"},
        {dtInt, 2, 1e20, "*********"},
        {dtExp, 3, 1234.5, "1.23E+003"},
        {dtFloat, 4, 123.5, "123.5"},
        {dtFloat, 4, 0.25, "0,25", true},
        {dtZeroInt, 3, 7.0, "007"},
        {dtZeroInt, 3, -7.0, "-007"},
        {dtZeroInt, 0, 1234.0, "1234"},
        {dtHex, 2, 255.0, "FF", false, true},  // no plus sign for hexadecimal
        {dtHex, 2, 10.0, "0A"},
        {dtHex, 4, 255.0, "00FF"},
        {dtHex, 0, -31.0, "-1F"},
        {dtHex, 0, -9223372036854775808.0, "-8000000000000000"},
        {dtOct, 2, 15.0, "17"},
        {dtOct, 2, 15.0, "+17", false, true},
        {dtBin, 2, 5.0, "101"},
        {dtBin, 2, 1.0, "01"},
        {dtDeg, 2, 12.5, "12.50°"},
        {dtDeg, 1, 12.5, "12,5°", true},
        {dtDegMin, 2, 12.0 + 5.5 / 60, "12°05.50'"},
        {dtDegMin, 2, -12.5, "-12°30.00'"},
        {dtDegMin, 2, 12.9999999, "13°00.00'"},  // rounding carries into degrees
        {dtDegMin, 0, 0.0, "0°00'"},
        {dtDegMinSec, 2, 12.5 + 15.0 / 3600, "12°30'15.00\""},
        {dtDegMinSec, 1, 12.0 + 59.0 / 60 + 59.99 / 3600, "13°00'00.0\""},
        {dtEEng, 2, 4700.0, "4.70k"},
        {dtEEng, 2, 4700.0, "4,70k", true},
        {dtEEng, 2, 0.00033, "330.00µ"},
        {dtEEng, 2, 999.999, "1.00k"},  // the mantissa stays below 1000
        {dtEEng, 2, 1000.0, "1.00k"},
        {dtEEng, 2, 0.001, "1.00m"},
        {dtEEng, 2, -2.2e6, "-2.20M"},
        {dtEEng, 2, 1.5, "1.50"},
        {dtEEng, 2, 0.0, "0.00"},
        {dtEEngNoDP, 2, 4700.0, "4k70"},
        {dtEEngNoDP, 0, 4700.0, "5k"},
        {dtEEngNoDP, 1, 2.2e6, "2M2"},
        {dtEEngNoDP, 2, 1.5, "1.50"},  // no prefix: the point stays
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Text(C), C.Expected) << "type " << int(C.Type) << " value " << C.Value;
}

TEST(NumLabText, GeneralFormatTurnsScientificBeyondPrecisionAndBelowTheSmallFixedRange) {
    for (double V : {123456.0, 0.000001})
        EXPECT_NE(Text({dtFloat, 4, V, ""}).find('E'), std::string::npos) << V;
    EXPECT_EQ(Text({dtFloat, 4, 0.0001, ""}), "0.0001");
    EXPECT_EQ(Text({dtFloat, 4, 0.00001, ""}), "0.00001");  // the smallest fixed value
}

TEST(NumLabText, NotANumberCountsAsPositiveForThePlusSign) {
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Text({dtFixP, 2, NaN, "", false, true})[0], '+');
}

TEST(NumLabText, DateTimeFollowsThePatternAndStateShowsTheStateText) {
    TValueFormat F;
    F.DisplayType = dtDateTime;
    EXPECT_EQ(FormatValue(vcl::EncodeDate(2024, 1, 5), F), "Jan-05, 2024");
    F.DTFormat = "yyyy-mm-dd";
    F.Comma = true;  // the separator rule leaves dates alone
    F.ForcePlusSign = true;
    EXPECT_EQ(FormatValue(vcl::EncodeDate(2024, 1, 5), F), "2024-01-05");
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::infinity(), F), "*********");
    EXPECT_EQ(FormatValue(1e9, F), "*********");

    F.DisplayType = dtState;
    EXPECT_EQ(FormatValue(42.0, F), "undefined");
    F.StateText = "running 1.5";
    EXPECT_EQ(FormatValue(42.0, F), "running 1.5");
}

}  // namespace
