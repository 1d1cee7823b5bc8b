// TDataTable.
//
// Sections:
//   Shape       every change of size or order is one Reshape with index maps
//   Cells       values and states
//   Headings    names, attributes, scale types, nominal identifiers
//   Bulk        clear, invert, exchange, fill, unmark
//   Sorting     stable order of a block, applied as exchanges
#include "qelmath/DataTable.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "qelbase/Texts.h"
#include "qelmath/GridRemap.h"

namespace QEL_datatable {

using QEL_matrix::detail::IdentityMap;
using QEL_matrix::detail::InsertMap;
using QEL_matrix::detail::MirrorMap;
using QEL_matrix::detail::RemapGrid;
using QEL_matrix::detail::RemapLine;
using QEL_matrix::detail::RemoveMap;

namespace {

std::string CutName(std::string_view Name) {
    return std::string(QEL_base::CutToChars(Name, MaxNameChars));
}

}  // namespace

TDataTable::TDataTable(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {
    FMatrix = new QEL_matrix::TMatrix(this);
    FMatrix->OnChange = [this](vcl::TObject*) { MatrixChanged(); };
}

TDataTable::~TDataTable() {
    // The matrix dies with the owned components after this destructor; it
    // must not call back into a table that is gone.
    FMatrix->OnChange = nullptr;
}

void TDataTable::DataChanged() {
    if (OnDataChanged) OnDataChanged(this);
}

void TDataTable::SetupChanged() {
    if (OnSetupChanged) OnSetupChanged(this);
}

// ---------------------------------------------------------------- Shape

size_t TDataTable::At(int Col, int Row) const {
    return static_cast<size_t>(Col - 1) * static_cast<size_t>(FNrRows) +
           static_cast<size_t>(Row - 1);
}

bool TDataTable::Inside(int Col, int Row) const {
    return Col >= 1 && Col <= FNrCols && Row >= 1 && Row <= FNrRows;
}

// The new table takes column ColSrc[c] and row RowSrc[r] of the old one
// (0: a new, empty one). Everything is built before anything is replaced, so
// a failed allocation leaves the table as it was.
void TDataTable::Reshape(const IndexMap& ColSrc, const IndexMap& RowSrc) {
    const int OldCols = FNrCols, OldRows = FNrRows;
    const int NewCols = static_cast<int>(ColSrc.size()) - 1;
    const int NewRows = static_cast<int>(RowSrc.size()) - 1;
    try {
        auto Values = RemapGrid(FMatrix->Storage(), OldRows, ColSrc, RowSrc, 0.0);
        auto States = RemapGrid(FStates, OldRows, ColSrc, RowSrc, uint8_t{0});
        auto ColNames = RemapLine(FColNames, ColSrc, TDTNameStr());
        auto RowNames = RemapLine(FRowNames, RowSrc, TDTNameStr());
        auto ColAttribs = RemapLine(FColAttribs, ColSrc, uint8_t{0});
        auto RowAttribs = RemapLine(FRowAttribs, RowSrc, uint8_t{0});
        auto ScaleTypes = RemapLine(FScaleTypes, ColSrc, uint8_t{mstUndefined});
        auto IDs = RemapLine(FNominalIDs, ColSrc, NominalIDs());
        FMatrix->Adopt(std::move(Values), NewCols, NewRows);
        FStates.swap(States);
        FColNames.swap(ColNames);
        FRowNames.swap(RowNames);
        FColAttribs.swap(ColAttribs);
        FRowAttribs.swap(RowAttribs);
        FScaleTypes.swap(ScaleTypes);
        FNominalIDs.swap(IDs);
    } catch (const std::bad_alloc&) {
        throw QEL_base::EQELDStructError("TDataTable: not enough memory for " +
                                         std::to_string(NewCols) + " columns and " +
                                         std::to_string(NewRows) + " rows");
    }
    FNrCols = NewCols;
    FNrRows = NewRows;
    if ((OldCols != NewCols || OldRows != NewRows) && OnResized)
        OnResized(this, OldCols, OldRows, NewCols, NewRows);
}

// The matrix notifies every change of its own; a change of its size made
// through it directly is followed here, so that the table keeps matching it.
void TDataTable::MatrixChanged() {
    const int Cols = FMatrix->NrOfColumns(), Rows = FMatrix->NrOfRows();
    if (Cols != FNrCols || Rows != FNrRows) {
        std::vector<double> Values = FMatrix->Storage();
        // Reshape works from the table's shape; give the matrix that shape
        // back for a moment so that all arrays go through the same maps.
        FMatrix->Adopt(
            RemapGrid(Values, Rows, IdentityMap(Cols, FNrCols), IdentityMap(Rows, FNrRows), 0.0),
            FNrCols, FNrRows);
        Reshape(IdentityMap(FNrCols, Cols), IdentityMap(FNrRows, Rows));
        FMatrix->Adopt(std::move(Values), Cols, Rows);
    }
    DataChanged();
}

void TDataTable::Resize(int NrCols, int NrRows) {
    NrCols = std::max(NrCols, 0);
    NrRows = std::max(NrRows, 0);
    if (NrCols == FNrCols && NrRows == FNrRows) return;
    Reshape(IdentityMap(FNrCols, NrCols), IdentityMap(FNrRows, NrRows));
}

void TDataTable::InsertRow(int Ix) {
    if (Ix < 1 || Ix > FNrRows + 1) return;
    Reshape(IdentityMap(FNrCols, FNrCols), InsertMap(FNrRows, Ix));
}

void TDataTable::InsertColumn(int Ix) {
    if (Ix < 1 || Ix > FNrCols + 1) return;
    Reshape(InsertMap(FNrCols, Ix), IdentityMap(FNrRows, FNrRows));
}

void TDataTable::RemoveRow(int Ix) {
    if (Ix < 1 || Ix > FNrRows) return;
    Reshape(IdentityMap(FNrCols, FNrCols), RemoveMap(FNrRows, Ix));
}

void TDataTable::RemoveColumn(int Ix) {
    if (Ix < 1 || Ix > FNrCols) return;
    Reshape(RemoveMap(FNrCols, Ix), IdentityMap(FNrRows, FNrRows));
}

void TDataTable::MirrorRows() {
    if (FNrRows < 2) return;
    Reshape(IdentityMap(FNrCols, FNrCols), MirrorMap(FNrRows));
    DataChanged();
    SetupChanged();
}

void TDataTable::MirrorColumns() {
    if (FNrCols < 2) return;
    Reshape(MirrorMap(FNrCols), IdentityMap(FNrRows, FNrRows));
    DataChanged();
    SetupChanged();
}

void TDataTable::Assign(vcl::TPersistent* Source) {
    auto* Src = dynamic_cast<TDataTable*>(Source);
    if (!Src) {
        vcl::TComponent::Assign(Source);
        return;
    }
    if (Src == this) return;
    Resize(Src->FNrCols, Src->FNrRows);
    FMatrix->Storage() = Src->FMatrix->Storage();
    FStates = Src->FStates;
    FColNames = Src->FColNames;
    FRowNames = Src->FRowNames;
    FColAttribs = Src->FColAttribs;
    FRowAttribs = Src->FRowAttribs;
    FScaleTypes = Src->FScaleTypes;
    FNominalIDs = Src->FNominalIDs;
    FComment = Src->FComment;
    DataChanged();
    SetupChanged();
}

// ---------------------------------------------------------------- Cells

double TDataTable::GetElem(int Col, int Row) const { return FMatrix->Elem(Col, Row); }

void TDataTable::SetElem(int Col, int Row, double Value) { FMatrix->SetElem(Col, Row, Value); }

uint8_t TDataTable::GetCellState(int Col, int Row) const {
    return Inside(Col, Row) ? FStates[At(Col, Row)] : 0;
}

void TDataTable::SetCellState(int Col, int Row, uint8_t State) {
    if (!Inside(Col, Row) || FStates[At(Col, Row)] == State) return;
    FStates[At(Col, Row)] = State;
    DataChanged();
}

bool TDataTable::GetIsNumber(int Col, int Row) const {
    return Inside(Col, Row) && (FStates[At(Col, Row)] & (dtsInvalid | dtsEmpty)) == 0;
}

// ---------------------------------------------------------------- Headings

void TDataTable::SetFComment(const std::string& Text) {
    if (Text == FComment) return;
    FComment = Text;
    SetupChanged();
}

uint8_t TDataTable::GetMScaleType(int Col) const {
    return (Col >= 1 && Col <= FNrCols) ? FScaleTypes[Col - 1] : uint8_t{mstUndefined};
}

void TDataTable::SetMScaleType(int Col, uint8_t ScaleType) {
    if (Col < 1 || Col > FNrCols || ScaleType > MaxMScaleType) return;
    if (FScaleTypes[Col - 1] == ScaleType) return;
    FScaleTypes[Col - 1] = ScaleType;
    SetupChanged();
}

std::string TDataTable::GetNominalID(int Col, int Code) const {
    if (Col < 1 || Col > FNrCols) return {};
    const NominalIDs& IDs = FNominalIDs[Col - 1];
    const auto It = IDs.find(Code);
    return It == IDs.end() ? std::string() : It->second;
}

void TDataTable::SetNominalID(int Col, int Code, std::string_view Text) {
    if (Col < 1 || Col > FNrCols || Code < 1) return;
    NominalIDs& IDs = FNominalIDs[Col - 1];
    const std::string Cut = CutName(Text);
    const auto It = IDs.find(Code);
    if (Cut.empty()) {
        if (It == IDs.end()) return;
        IDs.erase(It);
    } else {
        if (It != IDs.end() && It->second == Cut) return;
        IDs[Code] = Cut;
    }
    SetupChanged();
}

void TDataTable::ClearNominalIDs(int Col) {
    if (Col < 1 || Col > FNrCols || FNominalIDs[Col - 1].empty()) return;
    FNominalIDs[Col - 1].clear();
    SetupChanged();
}

int TDataTable::OrdinalOfNominalID(int Col, std::string_view Text, bool IgnoreCase) const {
    if (Col < 1 || Col > FNrCols) return 0;
    const size_t B = Text.find_first_not_of(' ');
    if (B == std::string_view::npos) return 0;
    Text = Text.substr(B, Text.find_last_not_of(' ') - B + 1);
    auto Fold = [](char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C + 32) : C; };
    for (const auto& [Code, ID] : FNominalIDs[Col - 1]) {
        if (ID.size() != Text.size()) continue;
        bool Same = true;
        for (size_t i = 0; i < ID.size() && Same; ++i)
            Same = IgnoreCase ? Fold(ID[i]) == Fold(Text[i]) : ID[i] == Text[i];
        if (Same) return Code;
    }
    return 0;
}

TDTNameStr TDataTable::GetColName(int Col) const {
    return (Col >= 1 && Col <= FNrCols) ? FColNames[Col - 1] : TDTNameStr();
}

void TDataTable::SetColName(int Col, std::string_view Name) {
    if (Col < 1 || Col > FNrCols) return;
    std::string Cut = CutName(Name);
    if (FColNames[Col - 1] == Cut) return;
    FColNames[Col - 1] = std::move(Cut);
    SetupChanged();
}

TDTNameStr TDataTable::GetRowName(int Row) const {
    return (Row >= 1 && Row <= FNrRows) ? FRowNames[Row - 1] : TDTNameStr();
}

void TDataTable::SetRowName(int Row, std::string_view Name) {
    if (Row < 1 || Row > FNrRows) return;
    std::string Cut = CutName(Name);
    if (FRowNames[Row - 1] == Cut) return;
    FRowNames[Row - 1] = std::move(Cut);
    SetupChanged();
}

uint8_t TDataTable::GetColAttrib(int Col) const {
    return (Col >= 1 && Col <= FNrCols) ? FColAttribs[Col - 1] : 0;
}

void TDataTable::SetColAttrib(int Col, uint8_t Value) {
    if (Col < 1 || Col > FNrCols || FColAttribs[Col - 1] == Value) return;
    FColAttribs[Col - 1] = Value;
    SetupChanged();
}

uint8_t TDataTable::GetRowAttrib(int Row) const {
    return (Row >= 1 && Row <= FNrRows) ? FRowAttribs[Row - 1] : 0;
}

void TDataTable::SetRowAttrib(int Row, uint8_t Value) {
    if (Row < 1 || Row > FNrRows || FRowAttribs[Row - 1] == Value) return;
    FRowAttribs[Row - 1] = Value;
    SetupChanged();
}

// ---------------------------------------------------------------- Bulk

void TDataTable::Clear() {
    std::fill(FMatrix->Storage().begin(), FMatrix->Storage().end(), 0.0);
    std::fill(FStates.begin(), FStates.end(), 0);
    std::fill(FColNames.begin(), FColNames.end(), TDTNameStr());
    std::fill(FRowNames.begin(), FRowNames.end(), TDTNameStr());
    std::fill(FColAttribs.begin(), FColAttribs.end(), 0);
    std::fill(FRowAttribs.begin(), FRowAttribs.end(), 0);
    std::fill(FScaleTypes.begin(), FScaleTypes.end(), uint8_t{mstUndefined});
    for (NominalIDs& IDs : FNominalIDs) IDs.clear();
    FComment.clear();
    DataChanged();
    SetupChanged();
}

void TDataTable::ForEachState(const std::function<uint8_t(uint8_t)>& Change) {
    bool Any = false;
    for (uint8_t& S : FStates) {
        const uint8_t N = Change(S);
        Any |= N != S;
        S = N;
    }
    if (Any) DataChanged();
}

void TDataTable::InvertCellStates(uint8_t Mask) {
    ForEachState([Mask](uint8_t S) { return static_cast<uint8_t>(S ^ Mask); });
}

void TDataTable::ExchangeMarkings() {
    ForEachState([](uint8_t S) {
        const uint8_t A = S & dtsMarkA, B = S & dtsMarkB;
        return static_cast<uint8_t>((S & ~(dtsMarkA | dtsMarkB)) | (A << 1) | (B >> 1));
    });
}

void TDataTable::UnmarkAllCells() {
    ForEachState([](uint8_t S) { return static_cast<uint8_t>(S & ~(dtsMarkA | dtsMarkB)); });
}

int TDataTable::FillMarkedCells(double Value, uint8_t Mask) {
    std::vector<double>& Values = FMatrix->Storage();
    int Count = 0;
    for (size_t i = 0; i < FStates.size(); ++i) {
        if ((FStates[i] & Mask) == 0) continue;
        Values[i] = Value;
        FStates[i] &= static_cast<uint8_t>(~(dtsInvalid | dtsEmpty));
        ++Count;
    }
    if (Count > 0) DataChanged();
    return Count;
}

// ---------------------------------------------------------------- Sorting

void TDataTable::ExchangeRows(int R1, int R2, int LowCol, int HighCol, bool IncludeHeaders) {
    std::vector<double>& Values = FMatrix->Storage();
    for (int c = LowCol; c <= HighCol; ++c) {
        std::swap(Values[At(c, R1)], Values[At(c, R2)]);
        std::swap(FStates[At(c, R1)], FStates[At(c, R2)]);
    }
    if (IncludeHeaders) {
        std::swap(FRowNames[R1 - 1], FRowNames[R2 - 1]);
        std::swap(FRowAttribs[R1 - 1], FRowAttribs[R2 - 1]);
    }
    if (OnSortExchange) OnSortExchange(this, ekRows, R1, R2, LowCol, HighCol);
}

void TDataTable::ExchangeColumns(int C1, int C2, int LowRow, int HighRow, bool IncludeHeaders) {
    std::vector<double>& Values = FMatrix->Storage();
    for (int r = LowRow; r <= HighRow; ++r) {
        std::swap(Values[At(C1, r)], Values[At(C2, r)]);
        std::swap(FStates[At(C1, r)], FStates[At(C2, r)]);
    }
    if (IncludeHeaders) {
        std::swap(FColNames[C1 - 1], FColNames[C2 - 1]);
        std::swap(FColAttribs[C1 - 1], FColAttribs[C2 - 1]);
        std::swap(FScaleTypes[C1 - 1], FScaleTypes[C2 - 1]);
        std::swap(FNominalIDs[C1 - 1], FNominalIDs[C2 - 1]);
    }
    if (OnSortExchange) OnSortExchange(this, ekColumns, C1, C2, LowRow, HighRow);
}

// A cell takes part in the value order when it holds a number that orders.
bool TDataTable::Sortable(int Col, int Row) const {
    return GetIsNumber(Col, Row) && !std::isnan(GetElem(Col, Row));
}

// Order[k] is the line that must end at position Low + k. The order is
// reached by exchanges of two lines (what the exchange hook reports), each
// putting one line in its final place.
void TDataTable::ApplyOrder(const std::vector<int>& Order, int Low,
                            const std::function<void(int, int)>& Exchange) {
    const int N = static_cast<int>(Order.size());
    std::vector<int> LineAt(N), Where(N);
    for (int k = 0; k < N; ++k) LineAt[k] = Where[k] = k;
    const int Step = std::max(N / 20, 1);
    for (int k = 0; k < N; ++k) {
        const int Line = Order[k] - Low;
        const int From = Where[Line];
        if (From != k) {
            Exchange(Low + k, Low + From);
            const int Displaced = LineAt[k];
            LineAt[From] = Displaced;
            Where[Displaced] = From;
            LineAt[k] = Line;
            Where[Line] = k;
        }
        if (OnPercentDone && k % Step == 0) OnPercentDone(this, k * 100 / N);
    }
    if (OnPercentDone) OnPercentDone(this, 100);
}

void TDataTable::SortRows(int SortColIx, bool Ascending, int LowCol, int HighCol, int LowRow,
                          int HighRow, bool IncludeHeaders) {
    LowCol = std::max(LowCol, 1);
    HighCol = std::min(HighCol, FNrCols);
    LowRow = std::max(LowRow, 1);
    HighRow = std::min(HighRow, FNrRows);
    if (SortColIx < 1 || SortColIx > FNrCols || LowCol > HighCol || LowRow >= HighRow) return;
    std::vector<int> Order;
    for (int r = LowRow; r <= HighRow; ++r) Order.push_back(r);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
        const bool NA = Sortable(SortColIx, A), NB = Sortable(SortColIx, B);
        if (NA != NB) return NA;
        if (!NA) return false;
        const double VA = GetElem(SortColIx, A), VB = GetElem(SortColIx, B);
        return Ascending ? VA < VB : VA > VB;
    });
    ApplyOrder(Order, LowRow,
               [&](int A, int B) { ExchangeRows(A, B, LowCol, HighCol, IncludeHeaders); });
    DataChanged();
    if (IncludeHeaders) SetupChanged();
}

void TDataTable::SortColumns(int SortRowIx, bool Ascending, int LowCol, int HighCol, int LowRow,
                             int HighRow, bool IncludeHeaders) {
    LowCol = std::max(LowCol, 1);
    HighCol = std::min(HighCol, FNrCols);
    LowRow = std::max(LowRow, 1);
    HighRow = std::min(HighRow, FNrRows);
    if (SortRowIx < 1 || SortRowIx > FNrRows || LowRow > HighRow || LowCol >= HighCol) return;
    std::vector<int> Order;
    for (int c = LowCol; c <= HighCol; ++c) Order.push_back(c);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
        const bool NA = Sortable(A, SortRowIx), NB = Sortable(B, SortRowIx);
        if (NA != NB) return NA;
        if (!NA) return false;
        const double VA = GetElem(A, SortRowIx), VB = GetElem(B, SortRowIx);
        return Ascending ? VA < VB : VA > VB;
    });
    ApplyOrder(Order, LowCol,
               [&](int A, int B) { ExchangeColumns(A, B, LowRow, HighRow, IncludeHeaders); });
    DataChanged();
    if (IncludeHeaders) SetupChanged();
}

}  // namespace QEL_datatable
