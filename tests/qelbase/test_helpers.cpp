#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "qelbase/BitFld.h"
#include "qelbase/Colors.h"
#include "qelbase/Files.h"
#include "qelbase/Texts.h"
#include "vcl/Classes.h"

using namespace QEL_base;

TEST(Texts, FixedPointAndPadding) {
    EXPECT_EQ(strff(7, 1, 2), "7.00");
    EXPECT_EQ(strff(-3.14159, 8, 3), "  -3.142");
    EXPECT_EQ(strff(2.5, 0, -1), "2");  // ties go to even, as printf rounds
    EXPECT_EQ(LeftString("Name", 6), "Name  ");
    EXPECT_EQ(LeftString("Longer", 3), "Lon");
    EXPECT_EQ(LeftString("\xC3\xA4\xC3\xB6", 3), "\xC3\xA4\xC3\xB6 ");
    EXPECT_EQ(LeftString("x", 0), "");
    EXPECT_EQ(CharCount("a\xC3\xA4\xE2\x82\xAC"), 3u);
    EXPECT_EQ(CutToChars("a\xC3\xA4\xE2\x82\xAC", 2), "a\xC3\xA4");
}

TEST(Texts, TokenizeCountsEveryFieldIncludingAnEmptyLastOne) {
    struct Case {
        const char* S;
        const char* Seps;
        std::vector<std::string> Parts;
    };
    const Case Cases[] = {
        {"a|b|c", "|", {"a", "b", "c"}},
        {"a||c|", "|", {"a", "", "c", ""}},
        {"", "|", {""}},
        {"one two;three", " ;", {"one", "two", "three"}},
        {"whole", "", {"whole"}},
    };
    for (const Case& C : Cases) {
        std::vector<std::string> Parts{"stale"};
        EXPECT_EQ(Tokenize(C.S, C.Seps, Parts), static_cast<int>(C.Parts.size())) << C.S;
        EXPECT_EQ(Parts, C.Parts) << C.S;
    }
}

TEST(Texts, NumberedPosFindsTheNthOccurrenceFromStart) {
    EXPECT_EQ(NumberedPos(".", "1.2.3", 1, 1, false), 2);
    EXPECT_EQ(NumberedPos(".", "1.2.3", 3, 1, false), 4);
    EXPECT_EQ(NumberedPos(".", "1.2.3", 1, 2, false), 4);
    EXPECT_EQ(NumberedPos(".", "1.2.3", 5, 1, false), 0);
    EXPECT_EQ(NumberedPos("aa", "aaaa", 1, 2, false), 3);  // no overlap
    EXPECT_EQ(NumberedPos("AB", "xaby", 1, 1, true), 2);
    EXPECT_EQ(NumberedPos("AB", "xaby", 1, 1, false), 0);
    EXPECT_EQ(NumberedPos("", "abc", 1, 1, false), 0);
    EXPECT_EQ(NumberedPos("b", "abc", -5, 1, false), 2);
    EXPECT_EQ(NumberedPos("b", "abc", 1, 0, false), 0);
}

TEST(Texts, CharacterEditing) {
    EXPECT_EQ(EnsureTrailingChar("dir", '/'), "dir/");
    EXPECT_EQ(EnsureTrailingChar("dir/", '/'), "dir/");
    EXPECT_EQ(EnsureTrailingChar("", '/'), "/");
    EXPECT_EQ(EnsureTrailingBkSlash("/tmp"), "/tmp/");
    EXPECT_EQ(RemoveControlChars("a\tb\r\nc\x7F\xC3\xA4"), "abc\xC3\xA4");
    EXPECT_EQ(ReplaceCharInString("a/b/c", '/', '\\'), "a\\b\\c");
    EXPECT_EQ(StripLeadingChars("\\\\a\\b\\", '\\'), "a\\b\\");
    EXPECT_EQ(StripTrailingChars("\\a\\b\\\\", '\\'), "\\a\\b");
    EXPECT_EQ(StripTrailingChars("////", '/'), "");
}

TEST(Texts, ReadsAsNumber) {
    const std::pair<const char*, bool> Cases[] = {
        {"12", true},   {" -3,5 ", true}, {"+.5", true},    {"1e-3", true}, {"2.", true},
        {"", false},    {"-", false},     {"1e", false},    {"12a", false}, {"inf", false},
        {"nan", false}, {"0x1A", false},  {"1.2.3", false}, {"1 2", false}};
    for (auto [S, IsNumber] : Cases) {
        double V = -1;
        EXPECT_EQ(ReadsAsNumber(S, V), IsNumber) << S;
    }
    double V = 0;
    ASSERT_TRUE(ReadsAsNumber(" -3,5 ", V));
    EXPECT_EQ(V, -3.5);
    ASSERT_TRUE(ReadsAsNumber("1e999", V));
    EXPECT_EQ(V, uc_MaxDouble);
}

TEST(Files, ParentDirClimbsToTheRootAndEnds) {
    const std::pair<const char*, const char*> Cases[] = {
        {"/home/ann", "/home"}, {"/home/ann/", "/home"},
        {"/home", "/"},         {"/", ""},
        {"relative", ""},       {"a/b", "a"},
        {"//x//y//", "//x"},    {"", ""}};
    for (auto [Path, Parent] : Cases) EXPECT_EQ(ParentDir(Path), Parent) << Path;
    std::string P = "/usr/share/doc";
    int Steps = 0;
    while (!P.empty() && Steps < 10) {
        P = ParentDir(P);
        ++Steps;
    }
    EXPECT_EQ(Steps, 4);
}

TEST(Files, DirExists) {
    const auto Tmp = std::filesystem::temp_directory_path();
    EXPECT_TRUE(DirExists(Tmp.string()));
    EXPECT_TRUE(DirExists(Tmp.string() + "/"));
    EXPECT_FALSE(DirExists((Tmp / "kestrix-no-such-dir").string()));
    EXPECT_FALSE(DirExists(""));
}

TEST(Files, InventPasswordGivesFreshPasswordsOfTheAskedLength) {
    EXPECT_EQ(InventPassword(0), "");
    EXPECT_EQ(InventPassword(-4), "");
    EXPECT_EQ(InventPassword(1000).size(), static_cast<size_t>(MaxPasswordChars));
    std::set<std::string> Seen;
    std::set<char> Chars;
    for (int i = 0; i < 50; ++i) {
        const std::string P = InventPassword(12);
        ASSERT_EQ(P.size(), 12u);
        for (char C : P) {
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(C))) << P;
            Chars.insert(C);
        }
        Seen.insert(P);
    }
    EXPECT_EQ(Seen.size(), 50u);
    EXPECT_GT(Chars.size(), 50u);  // 600 draws cover nearly all 62 characters
}

TEST(Files, ReadLnStreamHandlesEveryLineEnd) {
    // Long lines cross the reader's buffer; a CR at a buffer end must still
    // pair with the LF that follows it.
    const std::string Long(255, 'x');
    const std::string Text = "a\nb\r\nc\rd\r\r\n\n" + Long + "\r\n" + "last";
    const std::vector<std::string> Expected = {"a", "b", "c", "d", "", "", Long, "last"};
    vcl::TStringStream S(Text);
    std::vector<std::string> Lines;
    std::string Line;
    while (ReadLnStream(S, Line)) Lines.push_back(Line);
    EXPECT_EQ(Lines, Expected);
    EXPECT_EQ(S.Position(), static_cast<int64_t>(Text.size()));
    EXPECT_FALSE(ReadLnStream(S, Line));
    EXPECT_EQ(Line, "");

    // The stream is left just after the line read.
    vcl::TStringStream T("first\r\nsecond\n");
    ASSERT_TRUE(ReadLnStream(T, Line));
    EXPECT_EQ(T.Position(), 7);
    ASSERT_TRUE(ReadLnStream(T, Line));
    EXPECT_EQ(Line, "second");
    EXPECT_FALSE(ReadLnStream(T, Line));
}

TEST(BitFld, SetsCountsAndFindsBits) {
    TBitFld B;
    EXPECT_EQ(B.Size(), TBitFld::DefaultSize);
    EXPECT_EQ(B.FirstTrueBit(), -1);
    for (int Ix : {100, 1, 64, 63}) B.SetBit(Ix, true);
    EXPECT_TRUE(B.GetBit(64));
    EXPECT_FALSE(B.GetBit(2));
    EXPECT_EQ(B.FirstTrueBit(), 1);
    EXPECT_EQ(B.CountTrueBits(), 4);
    B.SetBit(1, false);
    EXPECT_EQ(B.FirstTrueBit(), 63);
    B.SetBit(1000, true);  // grows
    EXPECT_EQ(B.Size(), 1001);
    EXPECT_TRUE(B.GetBit(1000));
    B.SetBit(-1, true);
    EXPECT_FALSE(B.GetBit(-1));
    B.SetSize(64);  // bits 64 and up go
    EXPECT_EQ(B.CountTrueBits(), 1);
    B.SetSize(2000);
    EXPECT_FALSE(B.GetBit(100));
    B.Clear();
    EXPECT_EQ(B.CountTrueBits(), 0);
    EXPECT_EQ(B.Size(), 2000);
}

TEST(Colors, PredefinedColorsAreFortySevenDistinctColours) {
    std::set<vcl::TColor> Distinct(PredefinedColors.begin() + 1, PredefinedColors.end());
    EXPECT_EQ(Distinct.size(), 47u);
    EXPECT_EQ(PredefinedColors[1], vcl::clBlack);
    EXPECT_EQ(PredefinedColors[16], vcl::clWhite);
    EXPECT_EQ(PredefinedColors[20], vcl::clMedGray);
    EXPECT_EQ(PredefinedColors[21], vcl::clScrollBar);
    for (int i = 21; i <= 47; ++i) EXPECT_EQ(PredefinedColors[i] >> 24, 0xFFu) << i;
}

TEST(Colors, MeanColorLiesBetweenBoth) {
    EXPECT_EQ(MeanColor(vcl::clBlack, vcl::clWhite), 0x7F7F7Fu);
    EXPECT_EQ(MeanColor(vcl::clRed, vcl::clBlue), 0x7F007Fu);
    EXPECT_EQ(MeanColor(0x102030, 0x102030), 0x102030u);
}

TEST(Colors, NameTablesFitTheirLimits) {
    for (int L = 0; L < NumLanguages; ++L) {
        for (const char* D : WeekDayShort[L]) EXPECT_LE(CharCount(D), 3u) << D;
        for (const char* M : MonthShort[L]) EXPECT_LE(CharCount(M), 4u) << M;
        for (const char* M : MonthLong[L]) EXPECT_LE(CharCount(M), 10u) << M;
    }
    EXPECT_STREQ(MonthLong[lgGerman][2], "M\xC3\xA4rz");
    EXPECT_STREQ(WeekDayShort[lgEnglish][0], "Mon");
    EXPECT_STREQ(MonthShort[lgSpanish][0], "Ene");
}
