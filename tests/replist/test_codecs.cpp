#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "replist/CsvCodec.h"
#include "replist/HtmlText.h"
#include "replist/XmlText.h"

using namespace QEL_replist;

TEST(XmlText, EscapesSpecialsAndEveryControlCharacter) {
    std::string Out;
    AppendXmlEscaped(Out,
                     "a&b<c>d\"e\tf\ng\rh\x7F"
                     "\xC3\xA4");
    EXPECT_EQ(Out, "a&amp;b&lt;c&gt;d&quot;e&#9;f&#10;g&#13;h&#127;\xC3\xA4");
}

TEST(XmlText, UnescapeDecodesReferences) {
    const struct {
        const char* In;
        const char* Out;
    } Cases[] = {
        {"plain", "plain"},
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&#9;&#10;&#x41;&#xe4;", "\t\nA\xC3\xA4"},
        {"&#x20AC;&#128512;", "\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"a > b", "a > b"},
    };
    for (const auto& Case : Cases) {
        const auto Result = XmlUnescape(Case.In);
        ASSERT_TRUE(Result) << Case.In;
        EXPECT_EQ(*Result, Case.Out) << Case.In;
    }
}

TEST(XmlText, UnescapeRejectsWhatCannotBeDecoded) {
    for (const char* In : {"a & b", "&unknown;", "&amp", "&#;", "&#xD800;", "&#1114112;", "&#x;",
                           "&#12a;", "a<b", "&#99999999999;"}) {
        EXPECT_FALSE(XmlUnescape(In)) << In;
    }
}

TEST(CsvCodec, QuotesOnlyFieldsThatNeedIt) {
    const struct {
        const char* Field;
        char Delim;
        const char* Out;
    } Cases[] = {
        {"plain", ',', "plain"},
        {"a,b", ',', "\"a,b\""},
        {"a,b", ';', "a,b"},
        {"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
        {"two\nlines", ';', "\"two\nlines\""},
        {"cr\r", ',', "\"cr\r\""},
        {"a b", ' ', "\"a b\""},
        {"a\tb", '\t', "\"a\tb\""},
        {"", ',', ""},
        {"\xEF\xBB\xBFmark", ',', "\"\xEF\xBB\xBFmark\""},
    };
    for (const auto& Case : Cases) {
        std::string Out;
        AppendCsvField(Out, Case.Field, Case.Delim);
        EXPECT_EQ(Out, Case.Out) << Case.Field;
    }
}

TEST(CsvCodec, ParsesRecordsWithAnyLineEnd) {
    const TCsvRecords R = ParseCsv(
        "\xEF\xBB\xBF"
        "a,b\r\nc\n\"d,\"\"e\"\"\",\"f\r\ng\"\rh,",
        ',', 1000);
    ASSERT_EQ(R.Count(), 4u);
    EXPECT_EQ(R.MaxFields, 2u);
    EXPECT_EQ(R.Field(0, 0), "a");
    EXPECT_EQ(R.Field(0, 1), "b");
    EXPECT_EQ(R.FieldCount(1), 1u);
    EXPECT_EQ(R.Field(1, 0), "c");
    EXPECT_EQ(R.Field(1, 1), "");
    EXPECT_EQ(R.Field(2, 0), "d,\"e\"");
    EXPECT_EQ(R.Field(2, 1), "f\r\ng");
    EXPECT_EQ(R.Field(3, 0), "h");
    EXPECT_EQ(R.Field(3, 1), "");
}

TEST(CsvCodec, RecordBoundCountsEveryLineEndOnce) {
    // The reader looks at 16 bytes at a time, so line ends at the edges of
    // such blocks matter.
    const std::string Pad(15, 'x');
    const struct {
        std::string Text;
        size_t Bound;
    } Cases[] = {
        {"", 1},
        {"a", 1},
        {"a\n", 2},
        {"a\r\nb", 2},
        {"a\rb\rc", 3},
        {"\r\n\r\n\n\r", 5},
        {Pad + "\r\n" + Pad + Pad, 2},  // CR ends a block, its LF starts the next
        {Pad + "\r" + Pad + Pad, 2},
        {Pad + Pad + "\n\r", 3},
    };
    for (const auto& Case : Cases) EXPECT_EQ(CsvRecordBound(Case.Text), Case.Bound) << Case.Text;
}

// Texts without quotes against a plain splitter, long enough that fields and
// records cross the reader's 64-byte windows anywhere.
TEST(CsvCodec, ReaderMatchesAPlainSplitter) {
    std::mt19937 Rng(4180);
    const char Alphabet[] = {'a', 'b', ',', ',', '\r', '\n', 'c'};
    for (int Round = 0; Round < 300; ++Round) {
        std::string Text(Rng() % 300, ' ');
        for (char& c : Text) c = Alphabet[Rng() % sizeof Alphabet];
        std::vector<std::vector<std::string>> Expected;
        size_t Pos = 0;
        while (Pos < Text.size()) {
            size_t End = Text.find_first_of("\r\n", Pos);
            if (End == std::string::npos) End = Text.size();
            std::vector<std::string>& Record = Expected.emplace_back();
            for (size_t From = Pos;;) {
                const size_t Comma = Text.find(',', From);
                if (Comma == std::string::npos || Comma >= End) {
                    Record.push_back(Text.substr(From, End - From));
                    break;
                }
                Record.push_back(Text.substr(From, Comma - From));
                From = Comma + 1;
            }
            Pos = End;
            if (Pos < Text.size() && Text[Pos] == '\r') ++Pos;
            if (Pos < Text.size() && Text[Pos] == '\n') ++Pos;
        }
        TCsvReader Reader(Text, ',');
        std::vector<std::string_view> Fields;
        size_t Count = 0;
        while (Reader.NextRecord(Fields)) {
            ASSERT_LT(Count, Expected.size()) << Round;
            ASSERT_EQ(std::vector<std::string>(Fields.begin(), Fields.end()), Expected[Count])
                << "round " << Round << " record " << Count;
            ++Count;
        }
        EXPECT_EQ(Count, Expected.size()) << Round;
        EXPECT_LE(Count, CsvRecordBound(Text)) << Round;
    }
}

TEST(CsvCodec, IsLenientWithStrayQuotes) {
    const TCsvRecords R = ParseCsv("ab\"c,\"x\"y\n", ',', 1000);
    ASSERT_EQ(R.Count(), 1u);
    EXPECT_EQ(R.Field(0, 0), "ab\"c");
    EXPECT_EQ(R.Field(0, 1), "xy");
}

TEST(CsvCodec, RefusesUnclosedQuoteAndOversizedTables) {
    EXPECT_THROW(ParseCsv("a,\"b\nc", ',', 1000), QEL_base::EQELDStructError);
    EXPECT_THROW(ParseCsv(",,,,\n\n\n", ',', 10), QEL_base::EQELDStructError);
    EXPECT_NO_THROW(ParseCsv(",,,,\n\n", ',', 10));
}

TEST(HtmlText, EscapesAndKeepsThePageValid) {
    const struct {
        const char* In;
        bool Breaks;
        const char* Out;
    } Cases[] = {
        {"<b>&\"'", true, "&lt;b&gt;&amp;&quot;&#39;"},
        {"a\r\nb\nc\rd", true, "a<br>b<br>c<br>d"},
        {"a\nb", false, "a b"},
        {"t\tx\x01y", true, "t\tx y"},
        {"\xC3\xA4\xE2\x82\xAC", true, "\xC3\xA4\xE2\x82\xAC"},
        {"bad\xFFz\xC3", true, "bad\xEF\xBF\xBDz\xEF\xBF\xBD"},
        {"\xED\xA0\x80", true, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& Case : Cases) {
        std::string Out;
        AppendHtmlEscaped(Out, Case.In, Case.Breaks);
        EXPECT_EQ(Out, Case.Out) << Case.In;
    }
}
