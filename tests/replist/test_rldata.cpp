#include <gtest/gtest.h>

#include "replist/RLData.h"
#include "vcl/Clipboard.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

using namespace QEL_replist;

namespace {

// Columns Name | Done (box) | Size with three rows, for the tests that need
// a little content.
struct SmallTable : ::testing::Test {
    TRLData T{nullptr};
    void SetUp() override {
        T.SetNrOfColumns(3);
        T.SetNrOfRows(3);
        T.SetHeader(1, "Name");
        T.SetHeader(2, "Done");
        T.SetHeader(3, "Size");
        const char* Rows[3][3] = {{"ann", "a", "31"}, {"Bob", "", "7"}, {"cid", "c", "12"}};
        for (int r = 1; r <= 3; ++r) {
            for (int c = 1; c <= 3; ++c) T.SetElem(c, r, Rows[r - 1][c - 1]);
        }
        T.SetColumnCheckMode(2, cmBox);
    }
};

}  // namespace

TEST(RLData, StartsWithOneNamedColumnAndNoRows) {
    TRLData T(nullptr);
    EXPECT_EQ(T.ClassName(), "TRLData");
    EXPECT_EQ(T.NrOfColumns(), 1);
    EXPECT_EQ(T.NrOfRows(), 0);
    EXPECT_EQ(T.Header(1), "C-1");
    EXPECT_EQ(T.CommonHeader(), "QEL Report Listview");
    EXPECT_EQ(T.LastSortColumn(), -1);
    EXPECT_EQ(T.LastSortColumnSec(), -1);
    EXPECT_TRUE(T.LastSortOrder());
    EXPECT_TRUE(T.SortToggle());
    EXPECT_EQ(T.Strings->AllocRowsBy(), 10);
}

TEST(RLData, SizesClampAndNameNewColumns) {
    TRLData T(nullptr);
    T.SetNrOfColumns(3);
    EXPECT_EQ(T.Header(2), "C-2");
    EXPECT_EQ(T.Header(3), "C-3");
    T.SetHeader(2, "kept");
    T.SetNrOfColumns(2);
    T.SetNrOfColumns(4);
    EXPECT_EQ(T.Header(2), "kept");
    EXPECT_EQ(T.Header(3), "C-3");
    for (int Bad : {0, -4}) {
        T.SetNrOfColumns(Bad);
        EXPECT_EQ(T.NrOfColumns(), 1);
    }
    T.SetNrOfRows(-5);
    EXPECT_EQ(T.NrOfRows(), 0);
}

TEST(RLData, CellAccessStaysInsideTheTable) {
    TRLData T(nullptr);
    T.SetNrOfColumns(2);
    T.SetNrOfRows(2);
    T.SetElem(0, 1, "hidden");
    EXPECT_EQ(T.Elem(0, 1), "hidden");
    T.SetElem(3, 1, "x");
    T.SetElem(1, 3, "x");
    T.SetElem(-1, 1, "x");
    EXPECT_EQ(T.Elem(3, 1), "");
    EXPECT_EQ(T.Elem(1, 3), "");
    EXPECT_EQ(T.Elem(1, 0), "");
    EXPECT_FALSE(T.ElemChecked(3, 1));
    EXPECT_EQ(T.Strings->GetString(3, 1), "");
}

TEST(RLData, TextsAreCutByCharactersNotBytes) {
    TRLData T(nullptr);
    T.SetNrOfRows(1);
    std::string Long;
    for (int i = 0; i < 300; ++i) Long += "\xC3\xA4";  // 300 two-byte characters
    T.SetElem(1, 1, Long);
    EXPECT_EQ(T.Elem(1, 1).size(), 510u);
    T.SetHeader(1, Long);
    EXPECT_EQ(T.Header(1).size(), 100u);
    T.SetColumnFormat(1, Long);
    EXPECT_EQ(T.ColumnFormat(1).size(), 160u);
}

TEST_F(SmallTable, CheckModeConversionKeepsTheVisibleText) {
    EXPECT_EQ(T.Strings->GetString(2, 1), " a");
    EXPECT_EQ(T.Strings->GetString(2, 2), "");
    EXPECT_EQ(T.Elem(2, 1), "a");
    EXPECT_FALSE(T.ElemChecked(2, 1));
    T.SetElemChecked(2, 1, true);
    EXPECT_EQ(T.Strings->GetString(2, 1), "Xa");
    EXPECT_TRUE(T.ElemChecked(2, 1));
    T.SetElem(2, 1, "new");
    EXPECT_EQ(T.Strings->GetString(2, 1), "Xnew");
    T.SetElemChecked(2, 2, true);
    EXPECT_EQ(T.Strings->GetString(2, 2), "X");
    EXPECT_TRUE(T.IsCheckedColumn(2));

    T.SetColumnCheckMode(2, cmNone);
    EXPECT_EQ(T.Elem(2, 1), "new");
    EXPECT_EQ(T.Elem(2, 2), "");
    EXPECT_EQ(T.Elem(2, 3), "c");
    EXPECT_FALSE(T.ElemChecked(2, 1));
}

TEST_F(SmallTable, ConvertingAColumnReportsOneChange) {
    int Changes = 0;
    T.Strings->OnChange = [&](vcl::TObject*) { ++Changes; };
    T.SetColumnCheckMode(3, cmRadio);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(T.Strings->GetString(3, 2), " 7");
}

TEST_F(SmallTable, RadioColumnHoldsOneMark) {
    T.SetAllCheckmarksOfCol(2, true);
    EXPECT_EQ(T.CountCheckedElemsInCol(2), 3);
    T.SetColumnCheckMode(2, cmRadio);
    EXPECT_EQ(T.CountCheckedElemsInCol(2), 0);
    EXPECT_FALSE(T.IsCheckedColumn(2));
    T.SetElemChecked(2, 1, true);
    T.SetElemChecked(2, 3, true);
    EXPECT_EQ(T.CountCheckedElemsInCol(2), 1);
    EXPECT_EQ(T.FirstCheckedElemInCol(2), 3);
    T.SetAllCheckmarksOfCol(2, true);
    EXPECT_EQ(T.CountCheckedElemsInCol(2), 1);
    T.SetAllCheckmarksOfCol(2, false);
    EXPECT_EQ(T.CountCheckedElemsInCol(2), 0);
    EXPECT_EQ(T.FirstCheckedElemInCol(2), 0);
}

TEST_F(SmallTable, BulkMarksAndCounts) {
    T.Strings->SetRowAttrib(2, 0x40);
    T.SetAllCheckmarksOfColIntern(2, true, true);
    EXPECT_EQ(T.Strings->GetString(2, 2), "");
    EXPECT_EQ(T.CountCheckedElemsInCol(2), 2);
    T.InvertAllCheckmarksOfCol(2);
    EXPECT_EQ(T.Strings->GetString(2, 1), " a");
    EXPECT_EQ(T.Strings->GetString(2, 2), "X");
    EXPECT_EQ(T.CountCheckedElemsInRow(2), 1);
    EXPECT_EQ(T.FirstCheckedElemInRow(2), 2);
    EXPECT_EQ(T.FirstCheckedElemInRow(1), 0);
    EXPECT_EQ(T.FirstCheckedElemInRow(9), 0);
    // Columns without check mode are never touched by the bulk operations.
    T.SetAllCheckmarksOfColIntern(1, true, false);
    T.InvertAllCheckmarksOfCol(1);
    EXPECT_EQ(T.Elem(1, 1), "ann");
    EXPECT_EQ(T.CountCheckedElemsInCol(1), 0);
    EXPECT_EQ(T.CountCheckedElemsInCol(99), 0);
}

TEST_F(SmallTable, AsNumberReadsCommaAndPointAlike) {
    T.SetElem(1, 1, " 3,25 ");
    EXPECT_DOUBLE_EQ(T.AsNumber(1, 1), 3.25);
    T.SetElem(1, 1, "");
    EXPECT_DOUBLE_EQ(T.AsNumber(1, 1), 0.0);
    T.SetElem(1, 1, "-1.5e2");
    EXPECT_DOUBLE_EQ(T.AsNumber(1, 1), -150.0);
    T.SetElem(2, 1, "4,5");
    EXPECT_DOUBLE_EQ(T.AsNumber(2, 1), 4.5);
    EXPECT_DOUBLE_EQ(T.AsNumber(99, 99), 0.0);
}

TEST_F(SmallTable, AsNumberNamesTheCellItCannotRead) {
    T.SetElem(3, 2, "1.234,5");
    try {
        T.AsNumber(3, 2);
        FAIL() << "no exception";
    } catch (const QEL_base::EQELDStructError& E) {
        EXPECT_EQ(E.Message(), "Class TRLData: invalid numeric string: [3,2]: 1.234,5");
    }
    T.SetElem(2, 1, "abc");
    try {
        T.AsNumber(2, 1);
        FAIL() << "no exception";
    } catch (const QEL_base::EQELDStructError& E) {
        EXPECT_EQ(E.Message(), "Class TRLData: invalid numeric string: [2,1]:  abc");
    }
}

TEST(RLData, DefaultValueFollowsTheColumnFormat) {
    const struct {
        const char* Format;
        int Row;
        const char* Default;
    } Cases[] = {
        {"[h][50]rix4", 255, "00FF"},
        {"[h][50]rix2", 0x1234, "34"},
        {"[h][50]rix20", 1, "0000000000000001"},
        {"[h][50]rix0", 10, "A"},
        {"[#s][80]abc", 1, ""},
        {"[c][100]one|two", 1, "one"},
        {"[l][120]red|green|blue", 4, "red"},
        {"[c:12][100]solo", 1, "solo"},
        {"no group", 1, ""},
        {"[s]", 1, ""},
        {"[s][100]", 1, ""},
        {"[s][100]hello", 1, "hello"},
        {"[i][60]rix3", 7, "007"},
        {"[i][60]RIX 2", 1234, "34"},
        {"[i][60]rix3", -5, "-005"},
        {"[i][60]rix", 5, "5"},
        {"[i][60]42", 5, "42"},
        {"[f][60]rix2", 3, "3.00"},
        {"[e][60]rix0", 3, "3"},
        {"[ddd.MM.yyyy][100]01.02.2026", 1, "01.02.2026"},
        {"[i]rix3", 7, "007"},
        {"[x][60]abc", 1, ""},
    };
    TRLData T(nullptr);
    T.SetNrOfRows(1);
    for (const auto& Case : Cases) {
        T.SetColumnFormat(1, Case.Format);
        EXPECT_EQ(T.DefaultValue(1, Case.Row), Case.Default) << Case.Format;
    }
    EXPECT_EQ(T.DefaultValue(2, 1), "");
}

TEST(RLData, DefaultPasswordHasTheAskedLengthWithinACell) {
    TRLData T(nullptr);
    T.SetColumnFormat(1, "[s][100]$pwd$12");
    const std::string A = T.DefaultValue(1, 1);
    EXPECT_EQ(A.size(), 12u);
    EXPECT_NE(A, T.DefaultValue(1, 1));
    T.SetColumnFormat(1, "[s][100]$pwd$999999999");
    EXPECT_EQ(T.DefaultValue(1, 1).size(), 255u);
}

TEST(RLData, ColumnIndexSearchesFromTheRight) {
    TRLData T(nullptr);
    T.SetNrOfColumns(3);
    EXPECT_EQ(T.ColumnIndex("c-", true), 3);
    EXPECT_EQ(T.ColumnIndex("C-2", false), 2);
    EXPECT_EQ(T.ColumnIndex("c-2", false), 2);
    EXPECT_EQ(T.ColumnIndex("C-", false), -1);
    EXPECT_EQ(T.ColumnIndex("nothing", true), -1);
    EXPECT_EQ(T.ColumnIndex("", true), -1);
}

TEST_F(SmallTable, RemovingTheLastRowOrColumnBlanksIt) {
    T.RemoveRow(2);
    T.RemoveRow(1);
    EXPECT_EQ(T.NrOfRows(), 1);
    EXPECT_EQ(T.Elem(1, 1), "cid");
    T.Strings->SetRowAttrib(1, 0xC0);
    T.SetElem(0, 1, "hidden");
    T.RemoveRow(1);
    EXPECT_EQ(T.NrOfRows(), 0);
    T.SetNrOfRows(1);
    EXPECT_EQ(T.Strings->GetString(1, 1), "");
    EXPECT_EQ(T.Strings->GetString(0, 1), "");
    EXPECT_EQ(T.Strings->GetRowAttrib(1), 0);

    T.RemoveColumn(1);
    T.RemoveColumn(1);
    EXPECT_EQ(T.NrOfColumns(), 1);
    EXPECT_EQ(T.Header(1), "Size");
    T.RemoveColumn(1);
    EXPECT_EQ(T.NrOfColumns(), 0);
    EXPECT_EQ(T.Header(1), "");
    T.RemoveColumn(1);
    EXPECT_EQ(T.NrOfColumns(), 0);
}

TEST_F(SmallTable, InsertedColumnIsEmptyAndShiftsSettings) {
    T.SetColumnFormat(1, "[s]");
    T.InsertColumn(1);
    EXPECT_EQ(T.NrOfColumns(), 4);
    EXPECT_EQ(T.Header(1), "");
    EXPECT_EQ(T.ColumnFormat(1), "");
    EXPECT_EQ(T.Header(2), "Name");
    EXPECT_EQ(T.ColumnFormat(2), "[s]");
    EXPECT_EQ(T.ColumnCheckMode(3), cmBox);
    EXPECT_EQ(T.Elem(2, 1), "ann");
    EXPECT_EQ(T.Elem(1, 1), "");
    T.InsertColumn(5);
    EXPECT_EQ(T.NrOfColumns(), 4);
}

TEST_F(SmallTable, RowOperations) {
    T.InsertRow(2);
    EXPECT_EQ(T.NrOfRows(), 4);
    EXPECT_EQ(T.Elem(1, 2), "");
    EXPECT_EQ(T.Elem(1, 3), "Bob");
    T.SetElemChecked(2, 2, false);  // a check character alone leaves the row empty
    T.SetElem(0, 4, "only hidden");
    T.RemoveEmptyRows();
    EXPECT_EQ(T.NrOfRows(), 3);
    EXPECT_EQ(T.Elem(1, 2), "Bob");
    EXPECT_EQ(T.Elem(0, 3), "only hidden");

    T.Strings->SetRowAttrib(1, 0x80);
    T.SetElem(0, 1, "h1");
    T.CopyRow(1, 3);
    EXPECT_EQ(T.Elem(0, 3), "h1");
    EXPECT_EQ(T.Strings->GetString(2, 3), " a");
    EXPECT_EQ(T.Strings->GetRowAttrib(3), 0x80);
    T.CopyRow(1, 4);
    EXPECT_EQ(T.Elem(1, 2), "Bob");
}

TEST_F(SmallTable, FillKeepsCheckStatesAndClearResetsColumns) {
    T.SetElemChecked(2, 3, true);
    T.Fill("z");
    EXPECT_EQ(T.Strings->GetString(2, 2), " z");
    EXPECT_EQ(T.Strings->GetString(2, 3), "Xz");
    EXPECT_EQ(T.Elem(1, 1), "z");
    T.SetComment("keep");
    T.Clear();
    EXPECT_EQ(T.Elem(1, 1), "");
    EXPECT_EQ(T.Header(2), "C-2");
    EXPECT_EQ(T.ColumnCheckMode(2), cmNone);
    EXPECT_EQ(T.NrOfRows(), 3);
    EXPECT_EQ(T.Comment(), "keep");
}

TEST_F(SmallTable, SetNrOfRowsZeroKeepsTheCheckCharacterOfRowOne) {
    T.SetElemChecked(2, 1, true);
    T.SetElem(0, 1, "id-17");
    T.Strings->SetRowAttrib(1, 0xC0);
    T.SetNrOfRows(0);
    T.SetNrOfRows(1);
    EXPECT_EQ(T.Strings->GetString(1, 1), "");
    EXPECT_EQ(T.Strings->GetString(2, 1), "X");
    // A row added again is a new row: no hidden text, not selected or disabled.
    EXPECT_EQ(T.Elem(0, 1), "");
    EXPECT_EQ(T.Strings->GetRowAttrib(1), 0);
}

TEST_F(SmallTable, SortRemembersItsKeysAndUnSortRestores) {
    std::vector<std::string> Keys;
    vcl::TObject* Sender = nullptr;
    T.OnBeforeSortExchange = [&](vcl::TObject* S, const std::string& Text, std::string&) {
        Sender = S;
        Keys.push_back(Text);
    };
    T.Sort(3, 1, false, true);
    EXPECT_EQ(T.LastSortColumn(), 3);
    EXPECT_EQ(T.LastSortColumnSec(), 1);
    EXPECT_FALSE(T.LastSortOrder());
    EXPECT_TRUE(T.LastSortOrderSec());
    EXPECT_EQ(Sender, &T);
    EXPECT_FALSE(Keys.empty());
    EXPECT_EQ(T.Elem(1, 1), "ann");
    EXPECT_EQ(T.Elem(1, 2), "cid");
    EXPECT_EQ(T.Elem(1, 3), "Bob");
    T.Sort(1, -1, true);
    EXPECT_EQ(T.Elem(1, 2), "Bob");
    EXPECT_TRUE(T.LastSortOrderSec());
    T.UnSort();
    EXPECT_EQ(T.LastSortColumn(), -1);
    EXPECT_EQ(T.Elem(1, 1), "ann");
    EXPECT_EQ(T.Elem(1, 2), "Bob");
}

TEST_F(SmallTable, InsertRowMakesTheSortedOrderPermanent) {
    T.Sort(3, -1, true);
    T.InsertRow(1);
    T.UnSort();
    EXPECT_EQ(T.Elem(1, 2), "Bob");
    EXPECT_EQ(T.Elem(1, 3), "cid");
    EXPECT_EQ(T.Elem(1, 4), "ann");
}

TEST_F(SmallTable, AssignCopiesContentsOrderAndAttributes) {
    T.SetElem(0, 2, "hidden-bob");
    T.Strings->SetRowAttrib(2, 0x80);  // Bob selected
    T.Strings->SetColAttrib(3, 0x80);
    T.SetColumnFormat(3, "[i][40]");
    T.SetComment("c");
    T.SetDataID("id");
    T.Sort(3, -1, true);  // Bob, cid, ann
    TRLData Copy(nullptr);
    Copy.Assign(&T);
    EXPECT_EQ(Copy.NrOfColumns(), 3);
    EXPECT_EQ(Copy.NrOfRows(), 3);
    EXPECT_EQ(Copy.LastSortColumn(), 3);
    EXPECT_EQ(Copy.Comment(), "c");
    EXPECT_EQ(Copy.DataID(), "id");
    EXPECT_EQ(Copy.ColumnFormat(3), "[i][40]");
    EXPECT_EQ(Copy.ColumnCheckMode(2), cmBox);
    EXPECT_EQ(Copy.Strings->GetColAttrib(3), 0x80);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 0; c <= 3; ++c) {
            EXPECT_EQ(Copy.Strings->GetString(c, r), T.Strings->GetString(c, r)) << c << "," << r;
        }
        EXPECT_EQ(Copy.Strings->GetRowAttrib(r), T.Strings->GetRowAttrib(r)) << r;
    }
    EXPECT_EQ(Copy.Elem(1, 1), "Bob");
    EXPECT_EQ(Copy.Strings->GetRowAttrib(1), 0x80);
    Copy.UnSort();
    EXPECT_EQ(Copy.Elem(1, 2), "Bob");
    EXPECT_EQ(Copy.Elem(0, 2), "hidden-bob");
    EXPECT_EQ(Copy.Strings->GetRowAttrib(2), 0x80);
}

TEST_F(SmallTable, AssignKeepsTheHooksOfTheStoreItReplaces) {
    // A view that owns a table hooks its store; after Assign it must still
    // hear of the new contents and of later changes.
    int Changes = 0;
    T.Strings->OnChange = [&](vcl::TObject*) { ++Changes; };
    TRLData Source(nullptr);
    Source.SetNrOfRows(1);
    Source.SetElem(1, 1, "new");
    T.Assign(&Source);
    EXPECT_EQ(T.Elem(1, 1), "new");
    EXPECT_EQ(Changes, 1);
    T.SetElem(1, 1, "changed");
    EXPECT_EQ(Changes, 2);
}

TEST(RLData, AssignFromAnotherClassIsAConversionError) {
    TRLData T(nullptr);
    vcl::TComponent Other(nullptr);
    EXPECT_THROW(T.Assign(&Other), vcl::EConvertError);
    EXPECT_THROW(Other.Assign(&T), vcl::EConvertError);
}

TEST(RLData, ClipboardLayouts) {
    TRLData T(nullptr);
    T.SetNrOfColumns(2);
    T.SetNrOfRows(2);
    T.SetHeader(1, "Name");
    T.SetHeader(2, "Age");
    T.SetElem(1, 1, "Ann");
    T.SetElem(2, 1, "31");
    T.SetElem(1, 2, "Bob");
    T.SetElem(2, 2, "7");
    T.CopyToClipBoard(1, 1, 2, 2, true, true);
    EXPECT_EQ(vcl::Clipboard()->AsText(), "Name\tAge\n\nAnn\t31\nBob\t7\n");
    T.CopyToClipBoard(1, 1, 2, 2, true, false);
    EXPECT_EQ(vcl::Clipboard()->AsText(), "Name Age \n\nAnn  31  \nBob  7   \n");
    T.CopyToClipBoard(1, 2, 2, 2, false, "; ");
    EXPECT_EQ(vcl::Clipboard()->AsText(), "Bob; 7\n");
    // Beyond the table nothing more is copied.
    T.CopyToClipBoard(2, 1, 50000, 1000000, false, false);
    EXPECT_EQ(vcl::Clipboard()->AsText(), "31 \n7  \n");
}

TEST(RLData, PaddedClipboardCountsTheCheckCharacter) {
    TRLData T(nullptr);
    T.SetNrOfRows(2);
    T.SetHeader(1, "\xC3\xA4");
    T.SetElem(1, 1, "ab");
    T.SetColumnCheckMode(1, cmBox);
    T.SetElemChecked(1, 1, true);
    T.CopyToClipBoard(1, 1, 1, 2, true, false);
    EXPECT_EQ(vcl::Clipboard()->AsText(), "\xC3\xA4   \n\nab  \n    \n");
}

TEST(RLData, PublishedPropertiesAreRegistered) {
    TRLData T(nullptr);
    vcl::SetOrdProp(&T, "NrOfColumns", 4);
    vcl::SetOrdProp(&T, "NrOfRows", 2);
    vcl::SetStrProp(&T, "CommonHeader", "Head");
    EXPECT_EQ(T.NrOfColumns(), 4);
    EXPECT_EQ(T.NrOfRows(), 2);
    EXPECT_EQ(T.CommonHeader(), "Head");
    std::vector<std::string> Names;
    for (const vcl::TPropInfo* P : vcl::GetPropList(&T)) Names.push_back(P->Name);
    const std::vector<std::string> Own(Names.end() - 7, Names.end());
    EXPECT_EQ(Own, (std::vector<std::string>{"NrOfColumns", "NrOfRows", "CommonHeader",
                                             "OnBeforeSortExchange", "OnBeforeHTMLExport",
                                             "OnExportText", "OnPercentDone"}));
}
