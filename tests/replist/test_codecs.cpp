#include <gtest/gtest.h>

#include "replist/CsvCodec.h"
#include "replist/HtmlText.h"
#include "replist/XmlText.h"

using namespace QEL_replist;

TEST(XmlText, EscapesSpecialsAndEveryControlCharacter) {
    std::string Out;
    AppendXmlEscaped(Out, "a&b<c>d\"e\tf\ng\rh\x7F" "\xC3\xA4");
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
    for (const char* In : {"a & b", "&unknown;", "&amp", "&#;", "&#xD800;", "&#1114112;",
                           "&#x;", "&#12a;", "a<b", "&#99999999999;"}) {
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
    };
    for (const auto& Case : Cases) {
        std::string Out;
        AppendCsvField(Out, Case.Field, Case.Delim);
        EXPECT_EQ(Out, Case.Out) << Case.Field;
    }
}

TEST(CsvCodec, ParsesRecordsWithAnyLineEnd) {
    const TCsvRecords R = ParseCsv("\xEF\xBB\xBF" "a,b\r\nc\n\"d,\"\"e\"\"\",\"f\r\ng\"\rh,", ',', 1000);
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
