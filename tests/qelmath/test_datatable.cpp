#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "qelmath/DataTable.h"

using namespace QEL_datatable;

namespace {

// A table whose cell (c, r) holds 10 * c + r, named and attributed by
// position, so that every test can see where a line went.
struct NumberedTable : ::testing::Test {
    TDataTable T{nullptr};
    std::vector<std::tuple<int, int, int, int>> Resizes;
    int DataChanges = 0, SetupChanges = 0;

    void SetUp() override {
        T.OnResized = [this](vcl::TObject* Sender, int OC, int OR, int NC, int NR) {
            EXPECT_EQ(Sender, &T);
            Resizes.emplace_back(OC, OR, NC, NR);
        };
        T.Resize(3, 4);
        for (int c = 1; c <= 3; ++c) {
            T.SetColName(c, "C" + std::to_string(c));
            T.SetColAttrib(c, static_cast<uint8_t>(c));
            for (int r = 1; r <= 4; ++r) {
                T.SetElem(c, r, 10 * c + r);
                T.SetCellState(c, r, static_cast<uint8_t>(r == 2 ? dtsMarkA : 0));
            }
        }
        for (int r = 1; r <= 4; ++r) {
            T.SetRowName(r, "R" + std::to_string(r));
            T.SetRowAttrib(r, static_cast<uint8_t>(0x10 * r));
        }
        T.SetMScaleType(2, mstNominal);
        T.SetNominalID(2, 1, "red");
        Resizes.clear();
        T.OnDataChanged = [this](vcl::TObject*) { ++DataChanges; };
        T.OnSetupChanged = [this](vcl::TObject*) { ++SetupChanges; };
    }

    std::vector<double> Row(int r) const {
        std::vector<double> V;
        for (int c = 1; c <= T.NrOfColumns(); ++c) V.push_back(T.GetElem(c, r));
        return V;
    }
    std::vector<double> Col(int c) const {
        std::vector<double> V;
        for (int r = 1; r <= T.NrOfRows(); ++r) V.push_back(T.GetElem(c, r));
        return V;
    }
};

using Values = std::vector<double>;
using ResizeLog = std::vector<std::tuple<int, int, int, int>>;

}  // namespace

TEST_F(NumberedTable, ReadsOutsideGiveNothingAndWritesThereAreIgnored) {
    for (auto [c, r] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 5}, {-1, -1}}) {
        T.SetElem(c, r, 99);
        T.SetCellState(c, r, 0xFF);
        EXPECT_EQ(T.GetElem(c, r), 0.0);
        EXPECT_EQ(T.GetCellState(c, r), 0);
        EXPECT_FALSE(T.GetIsNumber(c, r));
    }
    T.SetColName(4, "x");
    T.SetRowAttrib(5, 1);
    EXPECT_EQ(T.GetColName(4), "");
    EXPECT_EQ(T.GetRowAttrib(5), 0);
    EXPECT_EQ(T.GetMScaleType(9), mstUndefined);
    EXPECT_EQ(DataChanges + SetupChanges, 0);
}

TEST_F(NumberedTable, NamesAndIdentifiersAreCutTo50Characters) {
    const std::string Long = std::string(49, 'n') + "\xC3\xA9\xC3\xA9";
    T.SetColName(1, Long);
    T.SetRowName(1, std::string(80, 'r'));
    T.SetNominalID(2, 3, std::string(60, 'i'));
    EXPECT_EQ(T.GetColName(1), std::string(49, 'n') + "\xC3\xA9");
    EXPECT_EQ(T.GetRowName(1), std::string(50, 'r'));
    EXPECT_EQ(T.GetNominalID(2, 3), std::string(50, 'i'));
}

TEST_F(NumberedTable, CellStateTellsWhetherACellHoldsANumber) {
    const std::pair<uint8_t, bool> Cases[] = {{0, true},         {dtsInvalid, false},
                                              {dtsEmpty, false}, {dtsLocked | dtsMarkA, true},
                                              {0x2C, true},      {dtsInvalid | dtsEmpty, false}};
    for (auto [State, IsNumber] : Cases) {
        T.SetCellState(1, 1, State);
        EXPECT_EQ(T.GetCellState(1, 1), State);
        EXPECT_EQ(T.GetIsNumber(1, 1), IsNumber) << int(State);
    }
    // Writing a value leaves the state alone.
    T.SetCellState(1, 1, dtsInvalid);
    T.SetElem(1, 1, 5);
    EXPECT_EQ(T.GetCellState(1, 1), dtsInvalid);
}

TEST_F(NumberedTable, NominalIdentifiersAreFoundByTextAndCode) {
    T.SetNominalID(2, 2, "Green");
    T.SetNominalID(2, 150, "blue");
    T.SetNominalID(2, 0, "zero");  // code 0 has no identifier
    EXPECT_EQ(T.GetNominalID(2, 2), "Green");
    EXPECT_EQ(T.GetNominalID(2, 0), "");
    EXPECT_EQ(T.GetNominalID(2, 3), "");
    EXPECT_EQ(T.GetNominalID(1, 2), "");
    EXPECT_EQ(T.OrdinalOfNominalID(2, "green", true), 2);
    EXPECT_EQ(T.OrdinalOfNominalID(2, " blue ", true), 150);
    EXPECT_EQ(T.OrdinalOfNominalID(2, "green", false), 0);
    EXPECT_EQ(T.OrdinalOfNominalID(2, "zero", true), 0);
    EXPECT_EQ(T.OrdinalOfNominalID(2, "", true), 0);
    EXPECT_EQ(T.OrdinalOfNominalID(1, "red", true), 0);
    T.SetNominalID(2, 2, "");
    EXPECT_EQ(T.OrdinalOfNominalID(2, "green", true), 0);
    EXPECT_STREQ(MScaleTypeNames[T.GetMScaleType(2)], "nominal");
    T.SetMScaleType(2, 77);
    EXPECT_EQ(T.GetMScaleType(2), mstNominal);
}

TEST_F(NumberedTable, ResizedHookFiresForEverySizeChangeWhoeverAsked) {
    T.Resize(3, 4);  // same size: nothing
    T.Resize(5, 6);
    T.InsertRow(7);
    T.InsertColumn(1);
    T.RemoveRow(1);
    T.RemoveColumn(6);
    T.Matrix()->Resize(2, 2);
    T.InsertRow(0);  // ignored
    T.RemoveColumn(3);
    TDataTable Other(nullptr);
    Other.Resize(1, 9);
    T.Assign(&Other);
    T.Resize(-1, -1);
    EXPECT_EQ(Resizes, (ResizeLog{{3, 4, 5, 6},
                                  {5, 6, 5, 7},
                                  {5, 7, 6, 7},
                                  {6, 7, 6, 6},
                                  {6, 6, 5, 6},
                                  {5, 6, 2, 2},
                                  {2, 2, 1, 9},
                                  {1, 9, 0, 0}}));
    EXPECT_EQ(T.NrOfColumns(), 0);
    EXPECT_EQ(T.Matrix()->NrOfColumns(), 0);
}

TEST_F(NumberedTable, ResizingKeepsWhatStaysAndAddsEmptyLines) {
    T.Resize(4, 2);
    EXPECT_EQ(Row(1), (Values{11, 21, 31, 0}));
    EXPECT_EQ(T.GetColName(3), "C3");
    EXPECT_EQ(T.GetColName(4), "");
    EXPECT_EQ(T.GetCellState(4, 2), 0);
    EXPECT_EQ(T.GetCellState(1, 2), dtsMarkA);
    // Resizing through the value matrix carries the rest of the table along.
    T.Matrix()->Resize(2, 3);
    EXPECT_EQ(T.NrOfColumns(), 2);
    EXPECT_EQ(T.NrOfRows(), 3);
    EXPECT_EQ(Col(1), (Values{11, 12, 0}));
    EXPECT_EQ(T.GetRowName(3), "");
    EXPECT_EQ(T.GetNominalID(2, 1), "red");
}

TEST_F(NumberedTable, InsertAndRemoveMoveEverythingThatBelongsToALine) {
    T.InsertRow(2);
    EXPECT_EQ(Col(1), (Values{11, 0, 12, 13, 14}));
    EXPECT_EQ(T.GetRowName(2), "");
    EXPECT_EQ(T.GetRowName(3), "R2");
    EXPECT_EQ(T.GetRowAttrib(3), 0x20);
    EXPECT_EQ(T.GetCellState(1, 3), dtsMarkA);
    T.InsertRow(6);  // appends
    EXPECT_EQ(T.NrOfRows(), 6);
    T.RemoveRow(1);
    EXPECT_EQ(Col(1), (Values{0, 12, 13, 14, 0}));

    T.InsertColumn(1);
    EXPECT_EQ(Row(2), (Values{0, 12, 22, 32}));
    EXPECT_EQ(T.GetColName(3), "C2");
    EXPECT_EQ(T.GetMScaleType(3), mstNominal);
    EXPECT_EQ(T.GetNominalID(3, 1), "red");
    EXPECT_EQ(T.GetColAttrib(1), 0);
    T.RemoveColumn(3);
    EXPECT_EQ(Row(2), (Values{0, 12, 32}));
    EXPECT_EQ(T.GetNominalID(3, 1), "");
    for (int i = 0; i < 3; ++i) T.RemoveColumn(1);
    EXPECT_EQ(T.NrOfColumns(), 0);
    T.RemoveColumn(1);
    EXPECT_EQ(T.NrOfColumns(), 0);
}

TEST_F(NumberedTable, MirrorReversesLinesWithTheirHeadings) {
    T.MirrorRows();
    EXPECT_EQ(Col(1), (Values{14, 13, 12, 11}));
    EXPECT_EQ(T.GetRowName(1), "R4");
    EXPECT_EQ(T.GetRowAttrib(1), 0x40);
    EXPECT_EQ(T.GetCellState(1, 3), dtsMarkA);
    T.MirrorColumns();
    EXPECT_EQ(Row(1), (Values{34, 24, 14}));
    EXPECT_EQ(T.GetColName(1), "C3");
    EXPECT_EQ(T.GetMScaleType(2), mstNominal);
    EXPECT_GE(DataChanges, 2);
    EXPECT_GE(SetupChanges, 2);
    EXPECT_TRUE(Resizes.empty());
}

TEST_F(NumberedTable, MarkOperationsWorkOnEveryCell) {
    T.SetCellState(3, 4, dtsMarkB | dtsLocked | 0x04);
    DataChanges = 0;
    T.ExchangeMarkings();
    EXPECT_EQ(T.GetCellState(1, 2), dtsMarkB);
    EXPECT_EQ(T.GetCellState(3, 4), dtsMarkA | dtsLocked | 0x04);
    EXPECT_EQ(T.GetCellState(1, 1), 0);
    T.InvertCellStates(dtsMarkA | dtsEmpty);
    EXPECT_EQ(T.GetCellState(1, 1), dtsMarkA | dtsEmpty);
    EXPECT_EQ(T.GetCellState(3, 4), dtsLocked | dtsEmpty | 0x04);
    T.UnmarkAllCells();
    EXPECT_EQ(T.GetCellState(1, 1), dtsEmpty);
    EXPECT_EQ(T.GetCellState(1, 2), dtsEmpty);
    EXPECT_EQ(DataChanges, 3);
    T.UnmarkAllCells();  // nothing left to change
    EXPECT_EQ(DataChanges, 3);
}

TEST_F(NumberedTable, FillMarkedCellsFillsAndValidatesTheMarkedOnes) {
    T.SetCellState(2, 2, dtsMarkA | dtsInvalid | dtsLocked);
    T.SetCellState(3, 3, dtsMarkB | dtsEmpty);
    EXPECT_EQ(T.FillMarkedCells(-1, dtsMarkA), 3);
    EXPECT_EQ(Row(2), (Values{-1, -1, -1}));
    EXPECT_EQ(T.GetCellState(2, 2), dtsMarkA | dtsLocked);
    EXPECT_EQ(T.GetElem(3, 3), 33);
    EXPECT_EQ(T.FillMarkedCells(7, dtsEmpty), 1);
    EXPECT_EQ(T.GetElem(3, 3), 7);
    EXPECT_EQ(T.GetCellState(3, 3), dtsMarkB);
    EXPECT_EQ(T.FillMarkedCells(7, dtsEmpty), 0);
}

TEST_F(NumberedTable, ValueMatrixFillNotifiesAndKeepsStates) {
    T.Matrix()->Fill(2.5);
    EXPECT_EQ(Row(4), (Values{2.5, 2.5, 2.5}));
    EXPECT_EQ(T.GetCellState(1, 2), dtsMarkA);
    EXPECT_EQ(DataChanges, 1);
    T.SetElem(1, 1, 2.5);  // same value
    EXPECT_EQ(DataChanges, 1);
}

TEST_F(NumberedTable, ClearKeepsTheSizeAndEmptiesTheRest) {
    T.SetFComment("about");
    T.Clear();
    EXPECT_EQ(T.NrOfColumns(), 3);
    EXPECT_EQ(T.NrOfRows(), 4);
    EXPECT_EQ(Row(1), (Values{0, 0, 0}));
    EXPECT_EQ(T.GetCellState(1, 2), 0);
    EXPECT_EQ(T.GetColName(1), "");
    EXPECT_EQ(T.GetRowAttrib(1), 0);
    EXPECT_EQ(T.GetMScaleType(2), mstUndefined);
    EXPECT_EQ(T.GetNominalID(2, 1), "");
    EXPECT_EQ(T.Comment(), "");
    EXPECT_TRUE(Resizes.empty());
}

TEST_F(NumberedTable, AssignCopiesEverythingButTheHooks) {
    T.SetFComment("source");
    TDataTable Copy(nullptr);
    bool CopyNotified = false;
    Copy.OnDataChanged = [&](vcl::TObject*) { CopyNotified = true; };
    Copy.Assign(&T);
    EXPECT_TRUE(CopyNotified);
    EXPECT_EQ(Copy.NrOfColumns(), 3);
    EXPECT_EQ(Copy.GetElem(3, 4), 34);
    EXPECT_EQ(Copy.GetCellState(2, 2), dtsMarkA);
    EXPECT_EQ(Copy.GetRowName(4), "R4");
    EXPECT_EQ(Copy.GetNominalID(2, 1), "red");
    EXPECT_EQ(Copy.Comment(), "source");
    EXPECT_FALSE(static_cast<bool>(Copy.OnResized));
}

TEST_F(NumberedTable, SortRowsIsStableAndReportsEveryExchange) {
    // Column 2 as the key: 5, invalid, 5, 1.
    T.SetElem(2, 1, 5);
    T.SetElem(2, 3, 5);
    T.SetElem(2, 4, 1);
    T.SetCellState(2, 2, dtsInvalid);
    std::vector<std::tuple<int, int, int, int, int>> Exchanges;
    T.OnSortExchange = [&](vcl::TObject*, uint8_t Kind, int A, int B, int Lo, int Hi) {
        Exchanges.emplace_back(Kind, A, B, Lo, Hi);
    };
    std::vector<int> Percents;
    T.OnPercentDone = [&](vcl::TObject*, int P) { Percents.push_back(P); };
    T.SortRows(2, true, 1, 3, 1, 4, true);
    ASSERT_FALSE(Percents.empty());
    EXPECT_EQ(Percents.back(), 100);
    EXPECT_EQ(Col(1), (Values{14, 11, 13, 12}));  // 1, 5, 5, then the invalid cell
    EXPECT_EQ(T.GetRowName(1), "R4");
    EXPECT_EQ(T.GetRowAttrib(4), 0x20);
    EXPECT_EQ(T.GetCellState(2, 4), dtsInvalid);
    ASSERT_FALSE(Exchanges.empty());
    EXPECT_EQ(std::get<0>(Exchanges[0]), ekRows);
    EXPECT_EQ(std::get<3>(Exchanges[0]), 1);
    EXPECT_EQ(std::get<4>(Exchanges[0]), 3);

    // Descending by row 1, moving only columns 2..3 without headings.
    Exchanges.clear();
    T.SortColumns(1, false, 2, 3, 1, 4, false);
    EXPECT_EQ(Row(1), (Values{14, 34, 1}));
    EXPECT_EQ(T.GetColName(2), "C2");
    EXPECT_EQ(Exchanges.size(), 1u);
    EXPECT_EQ(std::get<0>(Exchanges[0]), ekColumns);
}
