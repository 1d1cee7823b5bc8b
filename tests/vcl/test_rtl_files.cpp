#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "vcl/DateUtils.h"
#include "vcl/SysUtils.h"
#include "vcl/TextFiles.h"

namespace {

using namespace vcl;

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vcl_text_XXXXXX";
        Dir = mkdtemp(tmpl);
    }
    void TearDown() override { std::system(("rm -rf " + Dir).c_str()); }
    std::string Dir;
};

TEST_F(TextFiles, WriteThenReadLines) {
    TextFile f;
    AssignFile(f, Dir + "/a.txt");
    Rewrite(f);
    WriteLn(f, "first");
    Write(f, "sec");
    WriteLn(f, "ond");
    WriteLn(f);
    CloseFile(f);
    EXPECT_EQ(LoadTextFile(Dir + "/a.txt"), "first\nsecond\n\n");

    Append(f);
    WriteLn(f, "more");
    CloseFile(f);

    Reset(f);
    std::vector<std::string> lines;
    while (!Eof(f)) lines.push_back(ReadLn(f));
    CloseFile(f);
    EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "", "more"}));
}

TEST_F(TextFiles, ReadAcceptsEveryLineBreak) {
    SaveTextFile(Dir + "/b.txt", "a\r\nb\rc\nd");
    TextFile f;
    AssignFile(f, Dir + "/b.txt");
    Reset(f);
    std::vector<std::string> lines;
    while (!Eof(f)) lines.push_back(ReadLn(f));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadLn(f), "");  // past the end: empty, no error
}

TEST_F(TextFiles, ErrorsAreInOutErrorsAndAnUnfinishedWriteKeepsTheOldFile) {
    TextFile f;
    EXPECT_THROW(Reset(f), EInOutError);
    AssignFile(f, Dir + "/missing.txt");
    try {
        Reset(f);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find("missing.txt"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(ReadLn(f), EInOutError);
    EXPECT_THROW(CloseFile(f), EInOutError);

    SaveTextFile(Dir + "/keep.txt", "old\n");
    {
        TextFile g;
        AssignFile(g, Dir + "/keep.txt");
        Rewrite(g);
        WriteLn(g, "new");
        EXPECT_EQ(LoadTextFile(Dir + "/keep.txt"), "old\n");
        EXPECT_THROW(ReadLn(g), EInOutError);
    }  // dropped without CloseFile
    EXPECT_EQ(LoadTextFile(Dir + "/keep.txt"), "old\n");

    TextFile h;
    AssignFile(h, Dir + "/no/such/dir/x.txt");
    EXPECT_THROW(Rewrite(h), EInOutError);
}

TEST(DateTexts, StrToDateFollowsTheShortDateFormat) {
    TFormatSettings us;  // M/d/yyyy
    TFormatSettings de;
    de.ShortDateFormat = "dd.mm.yyyy";
    de.DateSeparator = '.';
    EXPECT_EQ(StrToDate("3/5/2024", us), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 05.03.2024", de), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("5.3", de), EncodeDate(YearOf(Date()), 3, 5));
    // Two-digit years fall within 50 years of today.
    int thisYear = YearOf(Date());
    int expected = thisYear / 100 * 100 + 30;
    if (expected < thisYear - 50) expected += 100;
    if (expected > thisYear + 50) expected -= 100;
    EXPECT_EQ(YearOf(StrToDate("1/1/30", us)), expected);
    for (const char* bad : {"", "1", "13/1/2024", "2/30/2024", "1/1/2024x", "a/b/c", "1//2024",
                            "1/1/10000", "99999999999/1/1"}) {
        try {
            StrToDate(bad, us);
            FAIL() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid date");
        }
    }
}

TEST(DateTexts, StrToTimeWithAndWithoutAmPm) {
    TFormatSettings s;
    TDateTime t;
    ASSERT_TRUE(TryStrToTime("14:07", t, s));
    EXPECT_DOUBLE_EQ(t, EncodeTime(14, 7, 0, 0));
    ASSERT_TRUE(TryStrToTime("2:07:09 pm", t, s));
    EXPECT_DOUBLE_EQ(t, EncodeTime(14, 7, 9, 0));
    ASSERT_TRUE(TryStrToTime("12:00 AM", t, s));
    EXPECT_DOUBLE_EQ(t, 0);
    ASSERT_TRUE(TryStrToTime("1:02:03.5", t, s));
    EXPECT_DOUBLE_EQ(t, EncodeTime(1, 2, 3, 500));
    for (const char* bad : {"", "24:00", "13:00 PM", "1:60", "12", "1:2:3:4", "1:2 xm"})
        EXPECT_FALSE(TryStrToTime(bad, t, s)) << bad;
    EXPECT_THROW(StrToTime("x"), EConvertError);
}

TEST(DateUtils, IsoWeeksAndDays) {
    struct Case {
        uint16_t Y, M, D;
        int Week;
        uint16_t WeekYear;
    };
    const Case cases[] = {
        {2021, 1, 3, 53, 2020},  // a Sunday still in the last week of 2020
        {2021, 1, 4, 1, 2021},   {2024, 12, 30, 1, 2025},
        {2024, 6, 15, 24, 2024}, {2026, 12, 31, 53, 2026},
    };
    for (const auto& c : cases) {
        uint16_t wy = 0;
        EXPECT_EQ(WeekOfTheYear(EncodeDate(c.Y, c.M, c.D), wy), c.Week)
            << c.Y << "-" << c.M << "-" << c.D;
        EXPECT_EQ(wy, c.WeekYear);
    }
    EXPECT_EQ(WeeksInAYear(2020), 53);
    EXPECT_EQ(WeeksInAYear(2023), 52);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 1, 1)), 1);  // Monday
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 1, 7)), 7);  // Sunday
    EXPECT_EQ(DaysBetween(EncodeDate(2024, 3, 1), EncodeDate(2024, 2, 1)), 29);
    EXPECT_EQ(StartOfTheMonth(EncodeDate(2024, 2, 17) + 0.5), EncodeDate(2024, 2, 1));
    EXPECT_EQ(DayOf(EndOfTheMonth(EncodeDate(2024, 2, 17))), 29);
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
}

}  // namespace
