#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "qelbase/StringArray.h"

using QEL_base::TStringArray;

namespace {

// Column 1 of rows 1..n, in the current order.
std::vector<std::string> Column(const TStringArray& A, int Col) {
    std::vector<std::string> R;
    for (int r = 1; r <= A.NrOfRows(); ++r) R.push_back(A.GetString(Col, r));
    return R;
}

void Fill(TStringArray& A, int Col, const std::vector<std::string>& Texts) {
    A.Resize(std::max(A.NrOfColumns(), Col),
             std::max(A.NrOfRows(), static_cast<int>(Texts.size())));
    for (size_t i = 0; i < Texts.size(); ++i) A.SetString(Col, static_cast<int>(i) + 1, Texts[i]);
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(StringArray, AddressesColumnZeroAndRowZeroBesidesTheDataCells) {
    TStringArray A(2, 3);
    EXPECT_EQ(A.NrOfColumns(), 2);
    EXPECT_EQ(A.NrOfRows(), 3);
    A.SetString(0, 0, "corner");
    A.SetString(0, 3, "hidden");
    A.SetString(2, 0, "head");
    A.SetString(2, 3, "last");
    EXPECT_EQ(A.GetString(0, 0), "corner");
    EXPECT_EQ(A.GetString(0, 3), "hidden");
    EXPECT_EQ(A.GetString(2, 0), "head");
    EXPECT_EQ(A.GetString(2, 3), "last");
    // Outside the store: empty reads, ignored writes, no growth.
    for (auto [c, r] : {std::pair{3, 1}, {-1, 1}, {1, 4}, {1, -1}}) {
        A.SetString(c, r, "x");
        EXPECT_EQ(A.GetString(c, r), "") << c << "," << r;
    }
    EXPECT_EQ(A.NrOfColumns(), 2);
    EXPECT_EQ(A.NrOfRows(), 3);
    EXPECT_EQ(A.GetRowAttrib(9), 0);
    EXPECT_EQ(A.GetColAttrib(9), 0);
}

TEST(StringArray, KeepsLongAndShortTextsAndCutsAt255Characters) {
    TStringArray A(1, 1);
    const std::string Short = "abc", Inline15 = "123456789012345", Long(200, 'x');
    for (const std::string& S : {Short, Inline15, Long, std::string()}) {
        A.SetString(1, 1, S);
        EXPECT_EQ(A.GetString(1, 1), S);
    }
    A.SetString(1, 1, std::string(300, 'y'));
    EXPECT_EQ(A.GetString(1, 1), std::string(255, 'y'));
    // 254 ASCII characters and then two-byte characters: the cut falls after
    // the 255th character, not inside the second one.
    const std::string Umlauts = std::string(254, 'a') + "\xC3\xA4\xC3\xB6\xC3\xBC";
    A.SetString(1, 1, Umlauts);
    EXPECT_EQ(A.GetString(1, 1), std::string(254, 'a') + "\xC3\xA4");
    // 255 characters of two bytes each are kept whole.
    std::string Wide;
    for (int i = 0; i < 255; ++i) Wide += "\xC3\xA9";
    A.SetString(1, 1, Wide);
    EXPECT_EQ(A.GetString(1, 1), Wide);
}

// Rewriting a cell with a part of its own text (dropping a check mark, for
// one) hands SetString a view into the cell it overwrites.
TEST(StringArray, SetStringTakesAPartOfTheCellsOwnText) {
    const std::string Long(40, 'L');
    const struct {
        std::string Stored;
        size_t From, Count;
    } Cases[] = {
        {"Xabcdefghijklmn", 1, 14},  // inline text, its own tail: overlapping copy
        {"abcdefghijklmno", 0, 5},   // inline text, its own head
        {"X" + Long, 30, 11},        // text on the heap becomes an inline one
        {"X" + Long, 1, 40},         // heap text stays on the heap
        {Long, 0, 40},               // the same text
    };
    for (const auto& Case : Cases) {
        TStringArray A(1, 1);
        A.SetString(1, 1, Case.Stored);
        A.SetString(1, 1, A.StringView(1, 1).substr(Case.From, Case.Count));
        EXPECT_EQ(A.GetString(1, 1), Case.Stored.substr(Case.From, Case.Count)) << Case.Stored;
    }
}

// Long texts live apart from the cells; every change of shape must keep each
// one with its cell and let a replaced one be reused without harm.
TEST(StringArray, LongTextsSurviveEveryChangeOfShape) {
    std::vector<std::vector<std::string>> Model(4, std::vector<std::string>(31));  // [col][row]
    TStringArray A(3, 30);
    auto Text = [](int c, int r, int Len) {
        std::string S = std::to_string(c) + ":" + std::to_string(r) + ":";
        S.resize(static_cast<size_t>(Len), static_cast<char>('a' + (c + r) % 26));
        return S;
    };
    for (int c = 0; c <= 3; ++c)
        for (int r = 1; r <= 30; ++r) {
            Model[c][r] = Text(c, r, 10 + (c * 37 + r * 11) % 240);
            A.SetString(c, r, Model[c][r]);
        }
    // Far more bytes than characters: continuation bytes count as none.
    Model[2][5] = "x" + std::string(2000, '\x80');
    A.SetString(2, 5, Model[2][5]);
    auto Check = [&](const char* Step) {
        ASSERT_EQ(A.NrOfRows() + 1, static_cast<int>(Model[0].size())) << Step;
        for (int c = 0; c <= A.NrOfColumns(); ++c)
            for (int r = 1; r <= A.NrOfRows(); ++r)
                ASSERT_EQ(A.GetString(c, r), Model[c][r]) << Step << " " << c << "," << r;
    };
    Check("filled");
    A.RemoveRow(3);
    for (auto& Col : Model) Col.erase(Col.begin() + 3);
    A.InsertRow(1);
    for (auto& Col : Model) Col.insert(Col.begin() + 1, "");
    A.RemoveColumn(1);
    Model.erase(Model.begin() + 1);
    Check("rows and a column");
    for (int r = 1; r <= A.NrOfRows(); r += 2) {  // replaced texts free room for new ones
        Model[1][r] = Text(9, r, 20 + r * 7);
        A.SetString(1, r, Model[1][r]);
    }
    Check("rewritten");
    A.Sort(1, -1, false);  // shrinking a sorted store drops the last shown rows
    A.Resize(2, 10);
    for (int c = 0; c <= 2; ++c) {
        std::vector<std::string> Kept(11);
        for (int r = 1; r <= 10; ++r) {
            Kept[r] = A.GetString(c, r);
            EXPECT_NE(std::find(Model[c].begin(), Model[c].end(), Kept[r]), Model[c].end())
                << c << "," << r;
        }
        Model[c] = Kept;
    }
    A.CommitSorting();
    Check("sorted and shrunk");
    A.Clear();
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(A.GetString(1, r), "");
}

TEST(StringArray, SetRowStringsFillsARowAndNotifiesOnce) {
    TStringArray A(3, 2);
    int Changes = 0;
    A.OnChange = [&](vcl::TObject*) { ++Changes; };
    const std::string Long(300, 'z');
    const std::vector<std::string_view> Values{"a", "", Long, "d", "beyond"};
    A.SetRowStrings(2, 0, Values);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(A.GetString(0, 2), "a");
    EXPECT_EQ(A.GetString(1, 2), "");
    EXPECT_EQ(A.GetString(2, 2), std::string(255, 'z'));
    EXPECT_EQ(A.GetString(3, 2), "d");
    A.SetRowStrings(2, 0, Values);  // nothing changes
    EXPECT_EQ(Changes, 1);

    // Values before column 0 and after the last column are dropped; a row
    // outside the store takes nothing.
    A.SetRowStrings(1, -2, Values);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(A.GetString(0, 1), std::string(255, 'z'));
    EXPECT_EQ(A.GetString(1, 1), "d");
    EXPECT_EQ(A.GetString(2, 1), "beyond");
    EXPECT_EQ(A.GetString(3, 1), "");
    for (auto [Row, Col] : {std::pair{3, 1}, {-1, 1}, {1, 4}, {1, -5}, {1, INT32_MIN}}) {
        A.SetRowStrings(Row, Col, Values);
        EXPECT_EQ(Changes, 2) << Row << "," << Col;
    }

    // Rows are positions in the current order, as for SetString.
    A.Sort(1, -1, true);
    const int Pos = A.GetSortOrder(1) == 1 ? 2 : 1;
    A.SetRowStrings(Pos, 1, std::vector<std::string_view>{"new"});
    EXPECT_EQ(A.GetString(1, Pos), "new");
}

TEST(StringArray, AppendRowAddsRowsWithinTheRoomMade) {
    TStringArray A(2, 1);
    int Changes = 0;
    A.OnChange = [&](vcl::TObject*) { ++Changes; };
    A.SetRowCapacity(100);
    EXPECT_EQ(A.RowCapacity(), 100);
    A.AppendRow(1, std::vector<std::string_view>{"a", "b", "dropped"});
    A.AppendRow(0, std::vector<std::string_view>{"hidden", std::string(20, 'l')});
    EXPECT_EQ(Changes, 2);  // one a row; the room is no change of the table
    EXPECT_EQ(A.NrOfRows(), 3);
    EXPECT_EQ(Column(A, 1), (Strings{"", "a", std::string(20, 'l')}));
    EXPECT_EQ(Column(A, 2), (Strings{"", "b", ""}));
    EXPECT_EQ(A.GetString(0, 3), "hidden");
    EXPECT_EQ(A.GetRowAttrib(3), 0);

    // A sorted store gets the row at the end of its order.
    A.Sort(1, -1, false);
    A.AppendRow(1, std::vector<std::string_view>{"z"});
    EXPECT_EQ(A.GetString(1, 4), "z");
    EXPECT_EQ(A.GetSortOrder(4), 4);
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"", "a", std::string(20, 'l'), "z"}));

    // Giving room back never drops rows.
    A.SetRowCapacity(0);
    EXPECT_EQ(A.RowCapacity(), 4);
    EXPECT_EQ(Column(A, 1), (Strings{"", "a", std::string(20, 'l'), "z"}));
    A.AppendRow(1, std::vector<std::string_view>{"grows"});
    EXPECT_EQ(A.GetString(1, 5), "grows");
}

TEST(StringArray, ResizeKeepsContentAndAddsEmptyCells) {
    TStringArray A;
    A.SetAllocRowsBy(10);
    EXPECT_EQ(A.AllocRowsBy(), 10);
    A.SetAllocRowsBy(0);
    EXPECT_EQ(A.AllocRowsBy(), 1);
    A.Resize(2, 2);
    A.SetString(1, 1, "a");
    A.SetString(2, 2, "d");
    A.SetRowAttrib(2, 0x80);
    A.SetColAttrib(2, 0x40);
    A.Resize(4, 50);
    EXPECT_EQ(A.GetString(1, 1), "a");
    EXPECT_EQ(A.GetString(2, 2), "d");
    EXPECT_EQ(A.GetString(4, 50), "");
    EXPECT_EQ(A.GetRowAttrib(2), 0x80);
    EXPECT_EQ(A.GetRowAttrib(50), 0);
    EXPECT_EQ(A.GetColAttrib(2), 0x40);
    A.Resize(1, 1);
    EXPECT_EQ(A.GetString(1, 1), "a");
    EXPECT_EQ(A.GetString(2, 2), "");
    A.Resize(-3, -3);
    EXPECT_EQ(A.NrOfColumns(), 0);
    EXPECT_EQ(A.NrOfRows(), 0);
}

TEST(StringArray, ClearEmptiesTextsButKeepsSizeAttributesAndOrder) {
    TStringArray A;
    Fill(A, 1, {"b", "a"});
    A.SetString(0, 0, "h");
    A.SetRowAttrib(1, 7);
    A.Sort(1, -1, true);
    A.Clear();
    EXPECT_EQ(A.NrOfRows(), 2);
    EXPECT_EQ(Column(A, 1), (Strings{"", ""}));
    EXPECT_EQ(A.GetString(0, 0), "");
    EXPECT_EQ(A.GetSortOrder(1), 2);
    EXPECT_EQ(A.GetRowAttrib(2), 7);
}

TEST(StringArray, InsertsAndRemovesRowsAndColumns) {
    TStringArray A;
    Fill(A, 1, {"r1", "r2", "r3"});
    A.Resize(2, 3);
    A.SetString(2, 2, "x2");
    A.SetRowAttrib(2, 5);
    A.InsertRow(2);
    EXPECT_EQ(Column(A, 1), (Strings{"r1", "", "r2", "r3"}));
    EXPECT_EQ(A.GetRowAttrib(2), 0);
    EXPECT_EQ(A.GetRowAttrib(3), 5);
    A.InsertRow(5);  // appends
    EXPECT_EQ(A.NrOfRows(), 5);
    A.InsertRow(7);  // beyond the end: ignored
    A.InsertRow(0);
    EXPECT_EQ(A.NrOfRows(), 5);
    A.RemoveRow(1);
    EXPECT_EQ(Column(A, 1), (Strings{"", "r2", "r3", ""}));
    A.RemoveRow(5);
    EXPECT_EQ(A.NrOfRows(), 4);

    A.SetColAttrib(2, 9);
    A.InsertColumn(1);
    EXPECT_EQ(A.NrOfColumns(), 3);
    EXPECT_EQ(A.GetString(2, 2), "r2");
    EXPECT_EQ(A.GetString(3, 2), "x2");
    EXPECT_EQ(A.GetColAttrib(3), 9);
    EXPECT_EQ(A.GetString(1, 2), "");
    A.InsertColumn(4);  // appends
    EXPECT_EQ(A.NrOfColumns(), 4);
    A.RemoveColumn(1);
    EXPECT_EQ(A.GetString(1, 2), "r2");
    EXPECT_EQ(A.GetString(2, 2), "x2");
    A.RemoveColumn(0);  // the hidden column stays
    A.RemoveColumn(4);
    EXPECT_EQ(A.NrOfColumns(), 3);
}

TEST(StringArray, ComparesNumbersAsNumbersAndTextsWithoutRegardToCase) {
    struct Case {
        Strings In, Ascending;
    };
    const Case Cases[] = {
        {{"10", "9", "-2.5", "1e2", "3,5"}, {"-2.5", "3,5", "9", "10", "1e2"}},
        {{"banana", "Apple", "cherry", "apple"}, {"Apple", "apple", "banana", "cherry"}},
        {{"", "b", "", "A"}, {"A", "b", "", ""}},
        {{"x", "2", "", "10", "Y"}, {"2", "10", "x", "Y", ""}},
        {{"\xC3\x84pfel", "\xC3\xA4rger", "Zebra"}, {"Zebra", "\xC3\x84pfel", "\xC3\xA4rger"}},
        {{" 7 ", "12", "7a"}, {" 7 ", "12", "7a"}},
        {{"abcdefgh2", "ABCDEFGH10", "abcdefgh"}, {"abcdefgh", "ABCDEFGH10", "abcdefgh2"}},
    };
    for (const Case& C : Cases) {
        TStringArray A;
        Fill(A, 1, C.In);
        A.Sort(1, -1, true);
        EXPECT_EQ(Column(A, 1), C.Ascending);
        A.Sort(1, -1, false);
        Strings Desc(C.Ascending.rbegin(), C.Ascending.rend());
        // Equal keys keep their order in both directions.
        if (C.In[0] == "banana") Desc = {"cherry", "banana", "Apple", "apple"};
        if (C.In[0] == "") Desc = {"", "", "b", "A"};
        EXPECT_EQ(Column(A, 1), Desc);
    }
}

TEST(StringArray, SortIsStableAndUsesTheSecondaryKeyWithItsOwnDirection) {
    TStringArray A;
    Fill(A, 1, {"b", "a", "b", "a", "b"});
    Fill(A, 2, {"1", "1", "2", "2", "1"});
    Fill(A, 3, {"p", "q", "r", "s", "t"});
    A.Sort(1, -1, true);
    EXPECT_EQ(Column(A, 3), (Strings{"q", "s", "p", "r", "t"}));
    A.Sort(1, 2, true, false);
    EXPECT_EQ(Column(A, 3), (Strings{"s", "q", "r", "p", "t"}));
    // Three arguments: the primary direction as given, the secondary ascending.
    A.Sort(1, 2, false);
    EXPECT_EQ(Column(A, 3), (Strings{"p", "t", "r", "q", "s"}));
    // Sorting again by another column starts from the current order.
    A.Sort(2, -1, true);
    EXPECT_EQ(Column(A, 3), (Strings{"p", "t", "q", "r", "s"}));
    // A primary column outside the table leaves the order alone.
    A.Sort(9, 1, true);
    EXPECT_EQ(Column(A, 3), (Strings{"p", "t", "q", "r", "s"}));
}

TEST(StringArray, HiddenColumnAndAttributesTravelWithTheirRows) {
    TStringArray A;
    Fill(A, 1, {"c", "a", "b"});
    Fill(A, 0, {"id-c", "id-a", "id-b"});
    A.SetRowAttrib(1, 0x80);
    A.SetRowAttrib(3, 0x40);
    A.Sort(1, -1, true);
    EXPECT_EQ(Column(A, 1), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Column(A, 0), (Strings{"id-a", "id-b", "id-c"}));
    EXPECT_EQ(A.GetRowAttrib(1), 0);
    EXPECT_EQ(A.GetRowAttrib(2), 0x40);
    EXPECT_EQ(A.GetRowAttrib(3), 0x80);
    // Writes go to the row shown at the position.
    A.SetString(1, 1, "A!");
    A.SetRowAttrib(1, 1);
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"c", "A!", "b"}));
    EXPECT_EQ(A.GetRowAttrib(2), 1);
    EXPECT_EQ(A.GetRowAttrib(1), 0x80);
}

TEST(StringArray, SortOrderTellsThePositionBeforeSortingAndCommitMakesItPhysical) {
    TStringArray A;
    Fill(A, 1, {"c", "a", "b"});
    EXPECT_FALSE(A.IsSorted());
    EXPECT_EQ(A.GetSortOrder(2), 2);
    A.Sort(1, -1, true);
    EXPECT_TRUE(A.IsSorted());
    EXPECT_EQ(A.GetSortOrder(1), 2);
    EXPECT_EQ(A.GetSortOrder(2), 3);
    EXPECT_EQ(A.GetSortOrder(3), 1);
    EXPECT_EQ(A.GetSortOrder(0), 0);
    EXPECT_EQ(A.GetSortOrder(4), 0);
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"c", "a", "b"}));

    A.Sort(1, -1, false);
    A.CommitSorting();
    EXPECT_FALSE(A.IsSorted());
    EXPECT_EQ(A.GetSortOrder(1), 1);
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"c", "b", "a"}));
}

TEST(StringArray, StructuralRowChangesCommitTheSortedOrderFirst) {
    TStringArray A;
    Fill(A, 1, {"c", "a", "b"});
    A.Sort(1, -1, true);
    A.InsertRow(2);
    EXPECT_EQ(Column(A, 1), (Strings{"a", "", "b", "c"}));
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"a", "", "b", "c"}));
    A.Sort(1, -1, false);  // "" c b a
    A.RemoveRow(2);
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"", "b", "a"}));
}

TEST(StringArray, ShrinkingDropsTheLastShownRowsAndKeepsThePermutation) {
    TStringArray A;
    Fill(A, 1, {"d", "b", "a", "c"});
    A.Sort(1, -1, true);  // a b c d
    A.Resize(1, 2);
    EXPECT_EQ(Column(A, 1), (Strings{"a", "b"}));
    A.UnSort();
    EXPECT_EQ(Column(A, 1), (Strings{"b", "a"}));
    A.Sort(1, -1, true);
    A.Resize(1, 3);  // a new row goes to the end
    A.SetString(1, 3, "new");
    EXPECT_EQ(Column(A, 1), (Strings{"a", "b", "new"}));
}

TEST(StringArray, SetSortOrderCopiesAPermutation) {
    TStringArray Src;
    Fill(Src, 1, {"c", "a", "b"});
    Src.SetString(0, 1, "h");
    Src.Sort(1, -1, true);

    // The copy writes each shown row to its physical place, then takes the
    // permutation, as a table does when it copies another.
    TStringArray Copy(1, 3);
    for (int i = 1; i <= 3; ++i)
        for (int c = 0; c <= 1; ++c) Copy.SetString(c, Src.GetSortOrder(i), Src.GetString(c, i));
    for (int i = 1; i <= 3; ++i) Copy.SetSortOrder(i, Src.GetSortOrder(i));
    EXPECT_EQ(Column(Copy, 1), Column(Src, 1));
    Copy.UnSort();
    EXPECT_EQ(Column(Copy, 1), (Strings{"c", "a", "b"}));
    EXPECT_EQ(Copy.GetString(0, 1), "h");

    // Out-of-range values are ignored; a permutation left with a row shown
    // twice falls back to the physical order when it is next used.
    Copy.SetSortOrder(1, 7);
    Copy.SetSortOrder(0, 2);
    EXPECT_EQ(Copy.GetSortOrder(1), 1);
    Copy.SetSortOrder(1, 2);
    EXPECT_EQ(Column(Copy, 1), (Strings{"a", "a", "b"}));
    Copy.CommitSorting();
    EXPECT_EQ(Column(Copy, 1), (Strings{"c", "a", "b"}));
}

TEST(StringArray, NotifiesChangesProgressAndAsksForSortKeys) {
    TStringArray A;
    int Changes = 0;
    std::vector<int> Percents;
    A.OnChange = [&](vcl::TObject* Sender) {
        EXPECT_EQ(Sender, &A);
        ++Changes;
    };
    A.OnPercentDone = [&](vcl::TObject*, int P) { Percents.push_back(P); };
    A.Resize(1, 3);
    EXPECT_EQ(Changes, 1);
    A.SetString(1, 1, "x");
    A.SetString(1, 1, "x");  // same text: no change
    EXPECT_EQ(Changes, 2);
    A.SetRowAttrib(1, 1);
    A.SetColAttrib(1, 1);
    EXPECT_EQ(Changes, 4);

    // Dates written day first sort by the key the handler makes of them.
    Fill(A, 1, {"03.01.2024", "15.12.2023", "01.02.2024"});
    A.OnBeforeSortExchange = [&](vcl::TObject* Sender, const std::string& Text, std::string& Key) {
        EXPECT_EQ(Sender, &A);
        EXPECT_EQ(Key, Text);
        Key = Text.substr(6, 4) + Text.substr(3, 2) + Text.substr(0, 2);
    };
    Changes = 0;
    A.Sort(1, -1, true);
    EXPECT_EQ(Column(A, 1), (Strings{"15.12.2023", "03.01.2024", "01.02.2024"}));
    EXPECT_EQ(Changes, 1);
    ASSERT_FALSE(Percents.empty());
    EXPECT_EQ(Percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(Percents.begin(), Percents.end()));
}

TEST(StringArray, GrowsByTheAllocationIncrementWhenRowsAreAppended) {
    TStringArray A;
    A.SetAllocRowsBy(10);
    for (int r = 1; r <= 1000; ++r) {
        A.InsertRow(r);
        A.SetString(1, r, std::to_string(r));
    }
    EXPECT_EQ(A.NrOfRows(), 1000);
    EXPECT_EQ(A.GetString(1, 1000), "");  // no column 1 yet
    A.Resize(1, 1000);
    for (int r = 1; r <= 1000; ++r) A.SetString(1, r, std::to_string(r));
    A.Sort(1, -1, false);
    EXPECT_EQ(A.GetString(1, 1), "1000");
    EXPECT_EQ(A.GetString(1, 1000), "1");
}
