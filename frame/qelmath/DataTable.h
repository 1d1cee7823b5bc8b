// TDataTable: a numeric table with per-cell state bytes, named and
// attributed columns and rows, measurement scales and nominal identifiers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "qelbase/Types.h"
#include "qelmath/Matrix.h"
#include "vcl/Classes.h"

namespace QEL_datatable {

// Column and row names: at most MaxNameChars characters; longer names are
// cut when stored.
using TDTNameStr = std::string;
inline constexpr int MaxNameChars = 50;

// Bits of a cell state byte. Bits 2, 3 and 5 are free for the application
// and carried along unchanged by every operation.
inline constexpr uint8_t dtsInvalid = 0x01;  // the cell holds no valid number
inline constexpr uint8_t dtsEmpty = 0x02;    // the cell is empty
inline constexpr uint8_t dtsLocked = 0x10;   // the cell must not be edited
inline constexpr uint8_t dtsMarkA = 0x40;
inline constexpr uint8_t dtsMarkB = 0x80;

// Measurement scale of a column. Nominal and binary columns hold integer
// codes that stand for the column's nominal identifiers.
enum TMScaleType : uint8_t {
    mstUndefined = 0,
    mstNominal = 1,
    mstBinary = 2,
    mstOrdinal = 3,
    mstInterval = 4,
    mstRatio = 5
};
inline constexpr int MaxMScaleType = 5;
// Names of the scale types, indexed by scale type.
inline constexpr std::array<const char*, MaxMScaleType + 1> MScaleTypeNames = {
    "undefined", "nominal", "binary", "ordinal", "interval", "ratio"};

// Sort exchange notification: Kind is ekColumns when columns Ix1 and Ix2 were
// exchanged (Low and High are then the block's first and last row), ekRows
// when rows were exchanged (Low and High the block's first and last column).
enum TExchangeKind : uint8_t { ekColumns = 1, ekRows = 2 };
using TExchangeEvent =
    std::function<void(vcl::TObject* Sender, uint8_t Kind, int Ix1, int Ix2, int Low, int High)>;
using TResizedEvent =
    std::function<void(vcl::TObject* Sender, int OldCols, int OldRows, int NewCols, int NewRows)>;

// Columns and rows are numbered from 1. Reads outside the table give 0, an
// empty text or false; writes there are ignored.
//
// Notifications (each fired only when set, with the table as Sender):
//   OnDataChanged   after values or cell states changed (also through the
//                   value matrix, Matrix()->Fill for example);
//   OnSetupChanged  after names, attributes, scale types, nominal
//                   identifiers or the comment changed;
//   OnResized       whenever the number of columns or rows changed, whatever
//                   operation changed it (Resize, Insert..., Remove...,
//                   Assign, or Matrix()->Resize), with the old and new sizes;
//   OnPercentDone   progress of the sorts;
//   OnSortExchange  for every exchange of two columns or rows by a sort.
// Writing a value or a state equal to the stored one notifies nothing.
class TDataTable : public vcl::TComponent {
public:
    explicit TDataTable(vcl::TComponent* AOwner);
    ~TDataTable() override;
    std::string ClassName() const override { return "TDataTable"; }

    int NrOfColumns() const { return FNrCols; }
    int NrOfRows() const { return FNrRows; }

    const std::string& Comment() const { return FComment; }
    void SetFComment(const std::string& Text);

    // New size (negative counts as 0). Cells, names and attributes that stay
    // keep their contents; new cells hold 0 with state 0, new columns and rows
    // have empty names, attribute 0, and new columns scale type mstUndefined
    // and no nominal identifiers. Raises QEL_base::EQELDStructError when the
    // memory cannot be had, leaving the table as it was.
    void Resize(int NrCols, int NrRows);

    double GetElem(int Col, int Row) const;
    // Stores the value; the cell state is not touched.
    void SetElem(int Col, int Row, double Value);
    uint8_t GetCellState(int Col, int Row) const;
    void SetCellState(int Col, int Row, uint8_t State);
    // True when the cell is inside the table and neither invalid nor empty.
    bool GetIsNumber(int Col, int Row) const;

    uint8_t GetMScaleType(int Col) const;
    // Values above MaxMScaleType are ignored.
    void SetMScaleType(int Col, uint8_t ScaleType);

    // Nominal identifiers: short texts (at most MaxNameChars characters) for
    // the codes 1 and up of a column. Code 0 and negative codes have none, so
    // that OrdinalOfNominalID can answer 0 for "not found".
    std::string GetNominalID(int Col, int Code) const;
    // Sets the identifier of Code; an empty Text removes it.
    void SetNominalID(int Col, int Code, std::string_view Text);
    void ClearNominalIDs(int Col);
    // The lowest code of column Col whose identifier equals Text (surrounding
    // blanks of Text ignored; with IgnoreCase, ASCII letters regardless of
    // case), 0 when there is none.
    int OrdinalOfNominalID(int Col, std::string_view Text, bool IgnoreCase) const;

    TDTNameStr GetColName(int Col) const;
    void SetColName(int Col, std::string_view Name);
    TDTNameStr GetRowName(int Row) const;
    void SetRowName(int Row, std::string_view Name);
    uint8_t GetColAttrib(int Col) const;
    void SetColAttrib(int Col, uint8_t Value);
    uint8_t GetRowAttrib(int Row) const;
    void SetRowAttrib(int Row, uint8_t Value);

    // Empties the table but keeps its size: values and states 0, names empty,
    // attributes 0, scale types mstUndefined, no nominal identifiers, empty
    // comment.
    void Clear();

    // Insert an empty row / column at Ix (1 <= Ix <= count + 1; count + 1
    // appends), everything from Ix on moving one place up. Other Ix are ignored.
    void InsertRow(int Ix);
    void InsertColumn(int Ix);
    // Remove row / column Ix (1 <= Ix <= count) with everything that belongs
    // to it. Removing the last one leaves a table without rows / columns.
    void RemoveRow(int Ix);
    void RemoveColumn(int Ix);
    // Reverse the order of the rows / columns, names, attributes (and scale
    // types and identifiers of columns) moving along.
    void MirrorRows();
    void MirrorColumns();

    // Flips the bits of Mask in every cell state.
    void InvertCellStates(uint8_t Mask);
    // Exchanges mark A and mark B in every cell.
    void ExchangeMarkings();
    // Gives every cell whose state has any bit of Mask the value Value; those
    // cells then hold a number, so their invalid and empty bits are cleared
    // (marks, lock and the free bits stay). Returns the number of cells filled.
    int FillMarkedCells(double Value, uint8_t Mask);
    // Clears mark A and mark B in every cell.
    void UnmarkAllCells();

    // Sorts the rows LowRow..HighRow of the block LowCol..HighCol by the values
    // in column SortColIx (which may lie outside the block). Cells that are
    // not numbers go last in either direction; equal values keep their order.
    // With IncludeHeaders the names and attributes of the rows move along.
    // The block is clipped to the table.
    void SortRows(int SortColIx, bool Ascending, int LowCol, int HighCol, int LowRow, int HighRow,
                  bool IncludeHeaders);
    // The same for columns, ordered by the values in row SortRowIx; with
    // IncludeHeaders names, attributes, scale types and identifiers move along.
    void SortColumns(int SortRowIx, bool Ascending, int LowCol, int HighCol, int LowRow,
                     int HighRow, bool IncludeHeaders);

    // The value matrix, owned by the table. Its size always equals the
    // table's; resizing it resizes the table.
    QEL_matrix::TMatrix* Matrix() const { return FMatrix; }

    // Copies size, values, states, names, attributes, scale types,
    // identifiers and comment of another TDataTable; hooks stay.
    void Assign(vcl::TPersistent* Source) override;

    vcl::TNotifyEvent OnDataChanged;
    vcl::TNotifyEvent OnSetupChanged;
    QEL_base::TOnPercentDoneEvent OnPercentDone;
    TResizedEvent OnResized;
    TExchangeEvent OnSortExchange;

private:
    using IndexMap = std::vector<int>;
    using NominalIDs = std::map<int, std::string>;

    void DataChanged();
    void SetupChanged();
    void MatrixChanged();
    void Reshape(const IndexMap& ColSrc, const IndexMap& RowSrc);
    size_t At(int Col, int Row) const;
    bool Inside(int Col, int Row) const;
    void ForEachState(const std::function<uint8_t(uint8_t)>& Change);
    void ExchangeRows(int R1, int R2, int LowCol, int HighCol, bool IncludeHeaders);
    void ExchangeColumns(int C1, int C2, int LowRow, int HighRow, bool IncludeHeaders);
    bool Sortable(int Col, int Row) const;
    void ApplyOrder(const std::vector<int>& Order, int Low,
                    const std::function<void(int, int)>& Exchange);

    int FNrCols = 0;
    int FNrRows = 0;
    std::string FComment;
    QEL_matrix::TMatrix* FMatrix;
    std::vector<uint8_t> FStates;  // column after column, like the matrix
    std::vector<TDTNameStr> FColNames, FRowNames;
    std::vector<uint8_t> FColAttribs, FRowAttribs;
    std::vector<uint8_t> FScaleTypes;
    std::vector<NominalIDs> FNominalIDs;
};

}  // namespace QEL_datatable
