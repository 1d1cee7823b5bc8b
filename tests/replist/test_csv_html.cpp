#include <gtest/gtest.h>

#include "TempDir.h"
#include "replist/RLData.h"

using namespace QEL_replist;
using replist_test::ReadFile;
using replist_test::TTempDir;
using replist_test::WriteFile;

namespace {

struct Exchange : ::testing::Test {
    TTempDir Dir;
    TRLData T{nullptr};
    void SetUp() override {
        T.SetNrOfColumns(3);
        T.SetNrOfRows(3);
        T.SetHeader(1, "Name");
        T.SetHeader(2, "Done");
        T.SetHeader(3, "Note");
        T.SetElem(1, 1, "Ann");
        T.SetElem(1, 2, "Bob, Jr.");
        T.SetElem(1, 3, "C\"D\"");
        T.SetElem(2, 1, "yes");
        T.SetElem(2, 3, "no");
        T.SetElem(3, 1, "two\nlines");
        T.SetElem(3, 2, "x;y");
        T.SetColumnCheckMode(2, cmBox);
        T.SetElemChecked(2, 1, true);
        T.SetElemChecked(2, 2, true);  // a mark without text
    }
};

}  // namespace

TEST_F(Exchange, CsvExportQuotesWhatNeedsIt) {
    const std::string Name = Dir.File("t.csv");
    EXPECT_EQ(T.ExportCSV(Name, QEL_base::cdComma, true, true, 1, 1, 3, 3), 3);
    EXPECT_EQ(ReadFile(Name),
              "QEL Report Listview\r\n"
              "Name,Done,Done [box],Note\r\n"
              "Ann,yes,1,\"two\nlines\"\r\n"
              "\"Bob, Jr.\",,1,x;y\r\n"
              "\"C\"\"D\"\"\",no,0,\r\n");
}

TEST_F(Exchange, CsvExportClipsTheRangeAndLetsTheHandlerChangeCells) {
    T.OnExportText = [](vcl::TObject*, int Col, int Row, std::string& Text) {
        Text = std::to_string(Col) + ":" + std::to_string(Row) + "=" + Text;
    };
    const std::string Name = Dir.File("t.csv");
    EXPECT_EQ(T.ExportCSV(Name, QEL_base::cdSemicolon, false, false, 3, 2, 99, 99), 2);
    EXPECT_EQ(ReadFile(Name), "\"3:2=x;y\"\r\n3:3=\r\n");
    EXPECT_EQ(T.ExportCSV(Name, QEL_base::cdTab, false, false, 2, 3, 1, 1), 0);
    EXPECT_EQ(ReadFile(Name), "");
}

TEST_F(Exchange, CsvRoundTripKeepsCellsAndCheckColumns) {
    for (auto Delim :
         {QEL_base::cdComma, QEL_base::cdSemicolon, QEL_base::cdTab, QEL_base::cdSpace}) {
        const std::string Name = Dir.File("t.csv");
        T.ExportCSV(Name, Delim, true, false, 1, 1, 3, 3);
        TRLData U(nullptr);
        EXPECT_EQ(U.ImportCSV(Name, Delim, true), 3);
        ASSERT_EQ(U.NrOfColumns(), 3) << int(Delim);
        ASSERT_EQ(U.NrOfRows(), 3);
        EXPECT_EQ(U.ColumnCheckMode(2), cmBox);
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(U.Header(c), T.Header(c));
            for (int r = 1; r <= 3; ++r) {
                EXPECT_EQ(U.Strings->GetString(c, r), T.Strings->GetString(c, r))
                    << int(Delim) << " " << c << "," << r;
            }
        }
    }
}

TEST_F(Exchange, CsvProgressIsReportedAtMostOncePerPercent) {
    std::string Text;
    for (int r = 0; r < 3000; ++r) Text += "a,b,c\r\n";
    std::vector<int> Seen;
    T.OnPercentDone = [&](vcl::TObject*, int Percent) { Seen.push_back(Percent); };
    EXPECT_EQ(T.ImportCSVText(Text, QEL_base::cdComma, false, 1'000'000), 3000);
    EXPECT_GE(Seen.size(), 50u);
    EXPECT_LE(Seen.size(), 101u);
    EXPECT_EQ(Seen.back(), 100);
    Seen.clear();
    T.ExportCSV(Dir.File("p.csv"), QEL_base::cdComma, true, true, 1, 1, 3, 3000);
    EXPECT_LE(Seen.size(), 101u);
    EXPECT_EQ(Seen.back(), 100);
}

TEST_F(Exchange, CsvImportWithoutNamesUsesDefaultNames) {
    const std::string Name = Dir.File("in.csv");
    WriteFile(Name, "a,b\r\nc,d,e\r\n\r\nf");
    EXPECT_EQ(T.ImportCSV(Name, QEL_base::cdComma, false), 4);
    EXPECT_EQ(T.NrOfColumns(), 3);
    EXPECT_EQ(T.Header(3), "C-3");
    EXPECT_EQ(T.Elem(3, 2), "e");
    EXPECT_EQ(T.Elem(1, 3), "");
    EXPECT_EQ(T.Elem(1, 4), "f");
    EXPECT_EQ(T.ColumnCheckMode(2), cmNone);

    WriteFile(Name, "A,A [radio],B\r\nx,1,y,extra\r\n");
    EXPECT_EQ(T.ImportCSV(Name, QEL_base::cdComma, true), 1);
    EXPECT_EQ(T.NrOfColumns(), 3);
    EXPECT_EQ(T.ColumnCheckMode(1), cmRadio);
    EXPECT_EQ(T.Strings->GetString(1, 1), "Xx");
    EXPECT_EQ(T.Header(3), "C-3");
    EXPECT_EQ(T.Elem(3, 1), "extra");

    WriteFile(Name, "");
    EXPECT_EQ(T.ImportCSV(Name, QEL_base::cdComma, true), 0);
    EXPECT_EQ(T.NrOfColumns(), 1);
    EXPECT_EQ(T.NrOfRows(), 0);
}

TEST_F(Exchange, BrokenCsvLeavesTheTableAlone) {
    const std::string Name = Dir.File("in.csv");
    WriteFile(Name, "a,b\r\n\"never closed,c\r\n");
    EXPECT_THROW(T.ImportCSV(Name, QEL_base::cdComma, true), EQELRLDataError);
    EXPECT_EQ(T.Elem(1, 2), "Bob, Jr.");
    EXPECT_EQ(T.NrOfColumns(), 3);
    EXPECT_THROW(T.ImportCSV(Dir.File("missing.csv"), QEL_base::cdComma, true), vcl::EFOpenError);
    EXPECT_THROW(T.ImportCSVText(",,,,,,\n,\n,\n", QEL_base::cdComma, false, 20), EQELRLDataError);
    EXPECT_EQ(T.NrOfRows(), 3);
}

TEST_F(Exchange, LoadLinesFillsAColumnAndGrowsTheTable) {
    const std::string Name = Dir.File("lines.txt");
    WriteFile(Name, "\xEF\xBB\xBFone\r\ntwo\n\nfour\rfive\n");
    EXPECT_EQ(T.LoadLinesFromFile(2, 2, Name), 5);
    EXPECT_EQ(T.NrOfRows(), 6);
    EXPECT_EQ(T.Elem(2, 2), "one");
    EXPECT_TRUE(T.ElemChecked(2, 2));  // the check state of an existing cell stays
    EXPECT_EQ(T.Elem(2, 4), "");
    EXPECT_EQ(T.Elem(2, 6), "five");
    EXPECT_EQ(T.Elem(1, 1), "Ann");
    EXPECT_EQ(T.LoadLinesFromFile(0, 1, Name), 5);
    EXPECT_EQ(T.Elem(0, 1), "one");
    EXPECT_EQ(T.LoadLinesFromFile(4, 1, Name), 0);
    EXPECT_EQ(T.LoadLinesFromFile(1, 0, Name), 0);
    WriteFile(Name, "");
    EXPECT_EQ(T.LoadLinesFromFile(1, 10, Name), 0);
    EXPECT_EQ(T.NrOfRows(), 6);
    WriteFile(Name, "a\nb\n");
    EXPECT_THROW(T.LoadLinesFromFile(1, 2147483647, Name), EQELRLDataError);
    EXPECT_EQ(T.NrOfRows(), 6);
}

TEST_F(Exchange, HtmlTableIsEscapedAndUsesTheClasses) {
    T.SetCommonHeader("A & B");
    const std::string Html = T.HTMLTableText(1, 1, 3, 2, {1, 2}, 1, 2, 3, true, "hd", "", "t<x>");
    EXPECT_TRUE(
        Html.starts_with("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                         "<title>A &amp; B</title>"));
    EXPECT_NE(Html.find("table { border: 1px solid; border-spacing: 2px; }"), std::string::npos);
    EXPECT_NE(Html.find("padding: 3px;"), std::string::npos);
    EXPECT_NE(
        Html.find("<table class=\"t&lt;x&gt;\">\n"
                  "<tr><th class=\"hd\">Name</th><th class=\"hd\">Done</th></tr>\n"
                  "<tr><td>Ann</td><td><input type=\"checkbox\" disabled checked> yes</td></tr>\n"
                  "<tr><td>Bob, Jr.</td><td><input type=\"checkbox\" disabled checked> </td></tr>\n"
                  "</table>\n</body>\n</html>\n"),
        std::string::npos)
        << Html;
}

TEST_F(Exchange, HtmlHandlerSeesEveryCellAndFileIsWritten) {
    std::vector<std::pair<int, int>> Seen;
    T.OnBeforeHTMLExport = [&](vcl::TObject* Sender, std::string& Text, int Col, int Row) {
        EXPECT_EQ(Sender, &T);
        Seen.emplace_back(Col, Row);
        if (Col == 3 && Row == 1) Text = "<b>raw</b>";
    };
    const std::string Name = Dir.File("t.html");
    T.ExportHTMLTable(Name, 0, 0, 9, 9, {}, 0, 0, 0, true, "", "", "");
    const std::string Html = ReadFile(Name);
    EXPECT_NE(Html.find("<td><b>raw</b></td>"), std::string::npos);
    EXPECT_NE(Html.find("<td>C&quot;D&quot;</td>"), std::string::npos);
    EXPECT_EQ(Seen.size(), 12u);  // 3 header cells and 9 data cells
    EXPECT_EQ(Seen.front(), std::make_pair(1, 0));
    EXPECT_EQ(Seen.back(), std::make_pair(3, 3));
}

// A short text whose widest record times its records is a huge table: it is
// refused before room for that table is made, and the table stays as it was.
TEST_F(Exchange, CsvThatMakesAHugeTableIsRefused) {
    const std::string Wide = std::string(19'999, ',');  // 20,000 empty fields
    const std::string Empty(20'000, '\n');
    const struct {
        std::string Text;
        bool Headers;
    } Cases[] = {
        {Wide + '\n' + Empty, false},                 // one wide line, many empty ones
        {Wide + '\n' + Empty, true},                  // the wide line names the columns
        {"a\n" + Wide + "\n" + Empty, false},         // widened after the first row
        {Empty + Wide, false},                        // widened by the last record
        {"\"q\nq\"" + Wide + "\r\n" + Empty, false},  // a quoted line break in front
    };
    const std::string Name = Dir.File("huge.csv");
    for (const auto& C : Cases) {
        WriteFile(Name, C.Text);
        try {
            T.ImportCSV(Name, QEL_base::cdComma, C.Headers);
            ADD_FAILURE() << "no exception, headers " << C.Headers << ", " << C.Text.size();
        } catch (const EQELRLDataError& E) {
            EXPECT_NE(E.Message().find("above the limit of 16777216"), std::string::npos)
                << E.Message();
        }
        EXPECT_EQ(T.NrOfColumns(), 3);
        EXPECT_EQ(T.NrOfRows(), 3);
        EXPECT_EQ(T.Elem(1, 2), "Bob, Jr.");
        EXPECT_EQ(T.ColumnCheckMode(2), cmBox);
    }
}

TEST_F(Exchange, CsvRefusalNamesTheTableAndTheLimit) {
    try {
        T.ImportCSVText(",,\n\n\n", QEL_base::cdComma, false, 15);
        FAIL() << "no exception";
    } catch (const EQELRLDataError& E) {
        EXPECT_EQ(E.Message(),
                  "CSV text: a table of 3 columns x 3 rows needs 16 cells, above the limit of 15");
    }
    EXPECT_EQ(T.ImportCSVText(",,\n\n\n", QEL_base::cdComma, false, 16), 3);
}

// Wide but within the limit: the sparse table loads.
TEST_F(Exchange, WideCsvWithinTheLimitLoads) {
    const std::string Name = Dir.File("wide.csv");
    WriteFile(Name, std::string(1999, ',') + "z\n" + std::string(1999, '\n') + "last");
    EXPECT_EQ(T.ImportCSV(Name, QEL_base::cdComma, false), 2001);
    EXPECT_EQ(T.NrOfColumns(), 2000);
    EXPECT_EQ(T.Elem(2000, 1), "z");
    EXPECT_EQ(T.Elem(1, 2001), "last");
    EXPECT_EQ(T.Elem(2000, 2001), "");
}
