#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <sstream>

#include "TempDir.h"
#include "replist/RLData.h"
#include "replist/ReplistFile.h"

using namespace QEL_replist;
using replist_test::ReadFile;
using replist_test::TTempDir;
using replist_test::WriteFile;

namespace {

void FillSample(TRLData& T) {
    T.SetNrOfColumns(3);
    T.SetNrOfRows(2);
    T.SetHeader(1, "Name & <Title>");
    T.SetHeader(2, "Done");
    T.SetColumnFormat(3, "[f][80]rix2");
    T.SetColumnCheckMode(2, cmRadio);
    T.SetCommonHeader("Team \"A\"");
    T.SetComment("two\nlines\tand tab");
    T.SetElem(1, 1, "Ann");
    T.SetElem(2, 1, "yes");
    T.SetElemChecked(2, 2, false);
    T.SetElemChecked(2, 1, true);
    T.SetElem(3, 1, "1,5");
    T.SetElem(0, 2, "hidden");
    T.SetElem(1, 2, " leading and trailing ");
}

// Everything a report list carries, for comparing two tables.
std::string Snapshot(const TRLData& T) {
    std::ostringstream Out;
    Out << T.NrOfColumns() << 'x' << T.NrOfRows() << '|' << T.CommonHeader() << '|' << T.Comment();
    for (int c = 1; c <= T.NrOfColumns(); ++c) {
        Out << "|" << T.Header(c) << '/' << T.ColumnFormat(c) << '/' << int(T.ColumnCheckMode(c));
    }
    for (int r = 1; r <= T.NrOfRows(); ++r) {
        for (int c = 0; c <= T.NrOfColumns(); ++c) Out << "|[" << T.Strings->GetString(c, r) << ']';
    }
    return Out.str();
}

}  // namespace

TEST(CheckIfValidReplist, FindsTheHeaderLineAndItsIdentifier) {
    TTempDir Dir;
    const std::string Name = Dir.File("a.xml");
    WriteFile(Name, "first\nsecond\r\n<REPLIST x VORNELSIX ID=\" Sales \">\n");
    EXPECT_TRUE(CheckIfValidReplist(Name, "sales"));
    EXPECT_TRUE(CheckIfValidReplist(Name, "SALES"));
    EXPECT_TRUE(CheckIfValidReplist(Name, " sales "));
    EXPECT_TRUE(CheckIfValidReplist(Name, ""));
    EXPECT_FALSE(CheckIfValidReplist(Name, "costs"));
}

TEST(CheckIfValidReplist, LinesThatDoNotCount) {
    const struct {
        const char* Text;
        const char* Id;
        bool Valid;
    } Cases[] = {
        {"<replist id=\"a\">\n", "", false},  // no marker word
        {"<replist vornelsix>\n", "", true},  // no id attribute
        {"<replist vornelsix>\n", "a", false},
        {"<replist vornelsix id=\"a>\n", "a", false},      // id never closed
        {"<replist vornelsix id = \"a\">\n", "a", false},  // blanks break the attribute
        {"", "", false},
        {"plain text\nmore\n", "", false},
        {"<replist vornelsix id=\"a\">\n<replist vornelsix id=\"b\">", "b", true},
        {"<replist vornelsix id=\"a&amp;b\">", "A&B", true},
    };
    for (const auto& Case : Cases) {
        vcl::TStringStream Stream(Case.Text);
        EXPECT_EQ(CheckIfValidReplist(Stream, Case.Id), Case.Valid) << Case.Text;
    }
}

TEST(CheckIfValidReplist, LeavesTheStreamAfterTheHeaderLine) {
    vcl::TStringStream Stream("junk\r\n<replist vornelsix id=\"x\">\r\n<numcols>1</numcols>\n");
    ASSERT_TRUE(CheckIfValidReplist(Stream, "x"));
    EXPECT_EQ(Stream.ReadString(9), "<numcols>");
}

TEST(CheckIfValidReplist, MissingFileIsAnInputOutputError) {
    EXPECT_THROW(CheckIfValidReplist("/nonexistent/dir/file.xml", ""), vcl::EInOutError);
}

TEST(ReplistFile, WrittenFileIsOneElementPerLineAndPassesTheHeaderTest) {
    TRLData T(nullptr);
    FillSample(T);
    const std::string Text = T.XMLText(true, "Team");
    EXPECT_EQ(Text.substr(0, Text.find('\n')),
              "<replist format=\"vornelsix\" version=\"1\" id=\"Team\">");
    EXPECT_NE(Text.find("<colname col=\"1\">Name &amp; &lt;Title&gt;</colname>\n"),
              std::string::npos);
    EXPECT_NE(Text.find("<comment>two&#10;lines&#9;and tab</comment>\n"), std::string::npos);
    EXPECT_NE(Text.find("<checkedcolumn col=\"2\">2</checkedcolumn>\n"), std::string::npos);
    EXPECT_NE(Text.find("<cell col=\"2\" row=\"1\">Xyes</cell>\n"), std::string::npos);
    EXPECT_NE(Text.find("<cell col=\"0\" row=\"2\">hidden</cell>\n"), std::string::npos);
    EXPECT_TRUE(Text.ends_with("</replist>\n"));
    vcl::TStringStream Stream(Text);
    EXPECT_TRUE(CheckIfValidReplist(Stream, "team"));
}

TEST(ReplistFile, SaveAndLoadKeepEverything) {
    TTempDir Dir;
    TRLData T(nullptr);
    FillSample(T);
    T.SaveAsXMLFile(Dir.File("t.xml"), "Team");
    TRLData U(nullptr);
    U.SetNrOfColumns(7);
    ASSERT_TRUE(U.LoadFromXMLFile(Dir.File("t.xml"), "team"));
    EXPECT_EQ(Snapshot(U), Snapshot(T));
    EXPECT_EQ(U.ColumnFormat(3), "[f][80]rix2");
    EXPECT_FALSE(U.Strings->IsSorted());
}

TEST(ReplistFile, ReadingASortedTableGivesItsVisibleOrder) {
    TRLData T(nullptr);
    FillSample(T);
    T.Sort(1, -1, false);
    TRLData U(nullptr);
    ASSERT_TRUE(U.ReadFromXMLString(T.XMLText(true, ""), ""));
    EXPECT_EQ(U.LastSortColumn(), -1);
    EXPECT_EQ(Snapshot(U), Snapshot(T));
}

TEST(ReplistFile, WrongIdentifierReadsNothing) {
    TRLData T(nullptr);
    FillSample(T);
    TRLData U(nullptr);
    const std::string Before = Snapshot(U);
    EXPECT_FALSE(U.ReadFromXMLString(T.XMLText(true, "Team"), "Other"));
    EXPECT_FALSE(U.ReadFromXMLString("no list here", ""));
    EXPECT_EQ(Snapshot(U), Before);
}

TEST(ReplistFile, MalformedListsRaiseAndLeaveTheTableAlone) {
    const std::string H = "<replist vornelsix id=\"x\">\n";
    const std::string Size = "<numcols>2</numcols>\n<numrows>2</numrows>\n";
    const char* Bodies[] = {
        "<numcols>2</numcols>\n<numrows>2</numrows>\n",              // truncated
        "",                                                          // header only
        "<cell col=\"1\" row=\"1\">a</cell>\n</replist>\n",          // cell before size
        "<numcols>2</numcols>\n</replist>\n",                        // rows missing
        "<numcols>x</numcols>\n<numrows>2</numrows>\n</replist>\n",  // bad number
        "<numcols>-1</numcols>\n<numrows>2</numrows>\n</replist>\n",
        "<numcols>1</numcols>\n<numcols>1</numcols>\n<numrows>2</numrows>\n</replist>\n",
        "<numcols>1</numcols>\n<numrows>99999999999</numrows>\n</replist>\n",
        "<numcols>1000000</numcols>\n<numrows>1</numrows>\n</replist>\n",
    };
    const char* AfterSize[] = {
        "<cell col=\"3\" row=\"1\">a</cell>\n",  // column outside
        "<cell col=\"1\" row=\"3\">a</cell>\n",  // row outside
        "<cell col=\"1\" row=\"0\">a</cell>\n",
        "<cell col=\"1\">a</cell>\n",  // row missing
        "<cell row=\"1\">a</cell>\n",
        "<cell col=\"1\" row=\"1\">a & b</cell>\n",  // bare ampersand
        "<cell col=\"1\" row=\"1\">a<b</cell>\n",
        "<cell col=\"1\" row=\"1\">a</cel>\n",  // not closed on its line
        "<cell col=\"1\" row=\"1\">a\n",
        "<cell col=\"1\" row=\"1>a</cell>\n",
        "<cell col=1 row=\"1\">a</cell>\n",
        "<colname col=\"0\">a</colname>\n",
        "<checkedcolumn col=\"1\">3</checkedcolumn>\n",
        "<checkedcolumn col=\"1\">box</checkedcolumn>\n",
        "stray text\n",
        "</replist >x\n",
    };
    std::vector<std::string> Texts;
    for (const char* Body : Bodies) Texts.push_back(H + Body);
    for (const char* Line : AfterSize) Texts.push_back(H + Size + Line + "</replist>\n");

    TRLData T(nullptr);
    FillSample(T);
    const std::string Before = Snapshot(T);
    for (const std::string& Text : Texts) {
        EXPECT_THROW(T.ReadFromXMLString(Text, ""), EQELRLDataError) << Text;
        EXPECT_EQ(Snapshot(T), Before) << Text;
    }
}

TEST(ReplistFile, CellsMayComeInAnyOrderAndTheLastOneCounts) {
    TRLData T(nullptr);
    ASSERT_TRUE(
        T.ReadFromXMLString("<replist vornelsix>\n<numcols>2</numcols>\n"
                            "<numrows>3</numrows>\n"
                            "<cell col=\"2\" row=\"2\">b2</cell>\n"
                            "<cell col=\"1\" row=\"2\">a&amp;2</cell>\n"
                            "<cell col=\"2\" row=\"2\">B2</cell>\n"
                            "<cell col=\"1\" row=\"1\">a1</cell>\n"
                            "<cell col=\"1\" row=\"3\">a3</cell>\n"
                            "<cell col=\"1\" row=\"2\">A&lt;2</cell>\n"
                            "<cell col=\"0\" row=\"1\">h1</cell>\n"
                            "</replist>\n",
                            ""));
    EXPECT_EQ(T.Elem(1, 1), "a1");
    EXPECT_EQ(T.Elem(0, 1), "h1");
    EXPECT_EQ(T.Elem(1, 2), "A<2");
    EXPECT_EQ(T.Elem(2, 2), "B2");
    EXPECT_EQ(T.Elem(1, 3), "a3");
    EXPECT_EQ(T.Elem(2, 3), "");
}

TEST(ReplistFile, ErrorNamesTheLine) {
    TRLData T(nullptr);
    try {
        T.ReadFromXMLString(
            "x\n<replist vornelsix>\n<numcols>1</numcols>\n<numrows>1</numrows>\n"
            "<cell col=\"9\" row=\"1\">a</cell>\n</replist>\n",
            "");
        FAIL() << "no exception";
    } catch (const EQELRLDataError& E) {
        EXPECT_EQ(E.Message(), "Invalid report list, line 5: column 9 outside the table");
    }
}

TEST(ReplistFile, ReaderIsLenientWhereNothingIsLost) {
    TRLData T(nullptr);
    ASSERT_TRUE(T.ReadFromXMLString(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<replist vornelsix id=\"q\">\r\n"
        "  <numcols> 2 </numcols>\r\n\t<numrows>3</numrows>\r\n\r\n"
        "<!-- a comment -->\r\n<future attr=\"1\">ignored</future>\r\n<cells>x</cells>\r\n"
        "<colname col=\"2\" extra=\"y\"/>\r\n<cell col=\"1\" row=\"3\">&#x41;&#66;</cell>\r\n"
        "</replist>\r\nafter",
        "Q"));
    EXPECT_EQ(T.NrOfColumns(), 2);
    EXPECT_EQ(T.NrOfRows(), 3);
    EXPECT_EQ(T.Header(1), "C-1");
    EXPECT_EQ(T.Header(2), "");
    EXPECT_EQ(T.Elem(1, 3), "AB");
    EXPECT_EQ(T.CommonHeader(), "QEL Report Listview");
}

TEST(ReplistFile, TableWithoutColumnsOrRowsSurvives) {
    TRLData T(nullptr);
    T.SetNrOfRows(2);
    T.SetElem(0, 1, "h");
    T.RemoveColumn(1);
    ASSERT_EQ(T.NrOfColumns(), 0);
    TRLData U(nullptr);
    ASSERT_TRUE(U.ReadFromXMLString(T.XMLText(true, ""), ""));
    EXPECT_EQ(U.NrOfColumns(), 0);
    EXPECT_EQ(U.NrOfRows(), 2);
    EXPECT_EQ(U.Elem(0, 1), "h");

    TRLData Empty(nullptr);
    ASSERT_TRUE(U.ReadFromXMLString(Empty.XMLText(true, ""), ""));
    EXPECT_EQ(Snapshot(U), Snapshot(Empty));
}

TEST(ReplistFile, StreamsAndOpenFilesStopAfterTheList) {
    TRLData T(nullptr);
    FillSample(T);
    vcl::TMemoryStream Stream;
    Stream.Write("before\n", 7);
    T.WriteToXMLStream(Stream, true, "one");
    Stream.Write("tail", 4);
    Stream.SetPosition(0);
    TRLData U(nullptr);
    ASSERT_TRUE(U.ReadFromXMLStream(Stream, "one"));
    EXPECT_EQ(Snapshot(U), Snapshot(T));
    char Tail[5] = {};
    EXPECT_EQ(Stream.Read(Tail, 4), 4);
    EXPECT_STREQ(Tail, "tail");

    std::stringstream File;
    T.WriteToOpenXMLFile(File, true, "a");
    U.SetComment("second");
    U.WriteToOpenXMLFile(File, true, "b");
    File << "rest\n";
    TRLData V(nullptr);
    ASSERT_TRUE(V.ReadFromOpenXMLFile(File, "b"));
    EXPECT_EQ(V.Comment(), "second");
    std::string Rest;
    std::getline(File, Rest);
    EXPECT_EQ(Rest, "rest");
}

TEST(ReplistFile, PlatformTextFileRoundTripLeavesTheFileAfterTheList) {
    TTempDir Dir;
    const std::string Name = Dir.File("lists.txt");
    TRLData T(nullptr);
    FillSample(T);
    vcl::TextFile F;
    vcl::AssignFile(F, Name);
    EXPECT_THROW(T.WriteToOpenXMLFile(F, true, "a"), vcl::EInOutError);  // not open
    vcl::Rewrite(F);
    vcl::WriteLn(F, "before");
    T.WriteToOpenXMLFile(F, true, "a");
    vcl::WriteLn(F, "after");
    vcl::CloseFile(F);

    TRLData U(nullptr);
    vcl::Reset(F);
    ASSERT_TRUE(U.ReadFromOpenXMLFile(F, "a"));
    EXPECT_EQ(Snapshot(U), Snapshot(T));
    EXPECT_EQ(vcl::ReadLn(F), "after");
    EXPECT_FALSE(U.ReadFromOpenXMLFile(F, "a"));  // at the end
    vcl::CloseFile(F);

    // Not found: the file is read to its end; malformed: it stays in place.
    vcl::Reset(F);
    EXPECT_FALSE(U.ReadFromOpenXMLFile(F, "other"));
    EXPECT_TRUE(vcl::Eof(F));
    vcl::CloseFile(F);
    WriteFile(Name, "first\n<replist vornelsix>\n<numcols>1</numcols>\n");
    vcl::Reset(F);
    EXPECT_THROW(U.ReadFromOpenXMLFile(F, ""), EQELRLDataError);
    EXPECT_EQ(vcl::ReadLn(F), "first");
    EXPECT_EQ(Snapshot(U), Snapshot(T));
    vcl::CloseFile(F);

    vcl::Rewrite(F);
    EXPECT_THROW(U.ReadFromOpenXMLFile(F, ""), vcl::EInOutError);  // open for writing
}

TEST(ReplistFile, StreamErrorPutsTheStreamBack) {
    TRLData T(nullptr);
    vcl::TStringStream Stream("<replist vornelsix>\n<numcols>1</numcols>\n");
    EXPECT_THROW(T.ReadFromXMLStream(Stream, ""), EQELRLDataError);
    EXPECT_EQ(Stream.Position(), 0);
}

TEST(ReplistFile, BodyWithoutHeaderCanBeWrappedByTheCaller) {
    TRLData T(nullptr);
    FillSample(T);
    const std::string Body = T.XMLText(false, "");
    EXPECT_FALSE(Body.starts_with("<replist"));
    TRLData U(nullptr);
    ASSERT_TRUE(U.ReadFromXMLString(ReplistHeaderLine("mine") + "\n" + Body, "mine"));
    EXPECT_EQ(Snapshot(U), Snapshot(T));
}

TEST(ReplistFile, ProgressIsReportedAtMostOncePerPercent) {
    TRLData T(nullptr);
    T.SetNrOfColumns(3);
    T.SetNrOfRows(5000);
    T.Fill("cell");
    std::vector<int> Seen;
    T.OnPercentDone = [&](vcl::TObject* Sender, int Percent) {
        EXPECT_EQ(Sender, &T);
        Seen.push_back(Percent);
    };
    const std::string Text = T.XMLText(true, "");
    EXPECT_LE(Seen.size(), 101u);
    ASSERT_FALSE(Seen.empty());
    EXPECT_EQ(Seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(Seen.begin(), Seen.end()));
    Seen.clear();
    ASSERT_TRUE(T.ReadFromXMLString(Text, ""));
    EXPECT_LE(Seen.size(), 101u);
    EXPECT_GE(Seen.size(), 50u);
    EXPECT_EQ(Seen.back(), 100);
}

TEST(ReplistFile, FailedSaveLeavesTheOldFile) {
    TTempDir Dir;
    TRLData T(nullptr);
    FillSample(T);
    const std::string Name = Dir.File("t.xml");
    WriteFile(Name, "old contents");
    EXPECT_THROW(T.SaveAsXMLFile(Dir.File("missing/t.xml"), ""), vcl::Exception);
    // A folder in the way of the target: the new file cannot take its place.
    std::filesystem::create_directory(Dir.File("dir.xml"));
    EXPECT_THROW(T.SaveAsXMLFile(Dir.File("dir.xml"), ""), vcl::Exception);
    T.SaveAsXMLFile(Name, "");
    EXPECT_NE(ReadFile(Name), "old contents");
    size_t Files = 0;
    for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
        ++Files;
    EXPECT_EQ(Files, 2u);  // t.xml and dir.xml: no temporary file left behind
}

// A few bytes that declare a huge table must be refused before the table is
// set up, by every way of reading a list, and leave the table alone.
TEST(ReplistFile, TinyListDeclaringAHugeTableIsRefusedEverywhere) {
    struct TCase {
        int Cols;
        int Rows;
    };
    const TCase Cases[] = {
        {100'000, 100'000'000},  // each count within its own bound
        {4096, 4095},            // (4097 x 4096) cells, just above the floor
        {1, 16'777'216},
    };
    TTempDir Dir;
    const std::string Name = Dir.File("huge.txt");
    for (const TCase& C : Cases) {
        const std::string Text = "<replist vornelsix>\n<numcols>" + std::to_string(C.Cols) +
                                 "</numcols>\n<numrows>" + std::to_string(C.Rows) +
                                 "</numrows>\n<cell col=\"1\" row=\"1\">a</cell>\n</replist>\n";
        WriteFile(Name, Text);
        TRLData T(nullptr);
        FillSample(T);
        const std::string Before = Snapshot(T);
        const std::function<void()> Readers[] = {
            [&] { T.ReadFromXMLString(Text, ""); },
            [&] { T.LoadFromXMLFile(Name, ""); },
            [&] {
                vcl::TStringStream Stream(Text);
                T.ReadFromXMLStream(Stream, "");
            },
            [&] {
                std::istringstream File(Text);
                T.ReadFromOpenXMLFile(File, "");
            },
            [&] {
                vcl::TextFile File;
                vcl::AssignFile(File, Name);
                vcl::Reset(File);
                try {
                    T.ReadFromOpenXMLFile(File, "");
                } catch (...) {
                    vcl::CloseFile(File);
                    throw;
                }
                vcl::CloseFile(File);
            },
        };
        for (size_t i = 0; i < std::size(Readers); ++i) {
            EXPECT_THROW(Readers[i](), EQELRLDataError) << C.Cols << 'x' << C.Rows << " #" << i;
            EXPECT_EQ(Snapshot(T), Before) << C.Cols << 'x' << C.Rows << " #" << i;
        }
    }
}

TEST(ReplistFile, RefusalNamesTheDeclaredSizeAndTheLimit) {
    TRLData T(nullptr);
    try {
        T.ReadFromXMLString(
            "<replist vornelsix>\n<numcols>4096</numcols>\n<numrows>4095</numrows>\n</replist>\n",
            "");
        FAIL() << "no exception";
    } catch (const EQELRLDataError& E) {
        EXPECT_EQ(E.Message(),
                  "Invalid report list, line 3: the declared table of 4096 columns x 4095 rows "
                  "needs 16781312 cells, above the limit of 16777216");
    }
}

// Few cells filled in a table far larger than the text: within the limit it
// loads like any other.
TEST(ReplistFile, SparseTableWithinTheLimitLoads) {
    TRLData T(nullptr);
    ASSERT_TRUE(
        T.ReadFromXMLString("<replist vornelsix>\n<numcols>1000</numcols>\n"
                            "<numrows>4000</numrows>\n"
                            "<cell col=\"1000\" row=\"4000\">last</cell>\n"
                            "<cell col=\"0\" row=\"1\">first</cell>\n</replist>\n",
                            ""));
    EXPECT_EQ(T.NrOfColumns(), 1000);
    EXPECT_EQ(T.NrOfRows(), 4000);
    EXPECT_EQ(T.Elem(1000, 4000), "last");
    EXPECT_EQ(T.Elem(0, 1), "first");
    EXPECT_EQ(T.Elem(500, 2000), "");
}

TEST(ReplistFile, CellLimitGrowsWithTheInputUpToTheDefault) {
    const struct {
        size_t Bytes;
        uint64_t Cells;
    } Cases[] = {
        {0, MinInputCells},
        {100, MinInputCells},
        {MinInputCells / CellsPerInputByte, MinInputCells},
        {MinInputCells / CellsPerInputByte + 1, MinInputCells + CellsPerInputByte},
        {3'000'000, 48'000'000},
        {1'000'000'000, TReplistLimits().MaxCells},
        {SIZE_MAX, TReplistLimits().MaxCells},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(InputCellLimit(C.Bytes), C.Cells) << C.Bytes;
        EXPECT_EQ(TReplistLimits::ForInput(C.Bytes).MaxCells, C.Cells) << C.Bytes;
    }
}

// A caller's own bounds stand exactly as given.
TEST(ReplistFile, ExplicitLimitsAreKept) {
    const std::string Text =
        "<replist vornelsix>\n<numcols>9</numcols>\n<numrows>9</numrows>\n</replist>\n";
    TRLData T(nullptr);
    TReplistLimits Tight;
    Tight.MaxCells = 99;
    EXPECT_THROW(T.ReadFromXMLText(Text, "", Tight), EQELRLDataError);
    Tight.MaxCells = 100;
    EXPECT_TRUE(T.ReadFromXMLText(Text, "", Tight));
    EXPECT_EQ(T.NrOfRows(), 9);
}
