// TStringArray: a two-dimensional store of short texts with a sort
// permutation of its rows, row and column attribute bytes and notifications.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "qelbase/Types.h"
#include "vcl/System.h"

namespace QEL_base {

class TCellTextPool;  // where a TStringArray keeps its long texts

// Addressing. Cells are (column, row) with columns 0..NrOfColumns() and rows
// 0..NrOfRows(): column 0 and row 0 exist besides the data cells, so a store
// resized to (3, 2) holds 4 x 3 cells. Reads outside that range give an empty
// text or 0; writes there are ignored.
//
// Texts are UTF-8 of at most MaxCellChars characters (code points); a longer
// text is cut after the last whole character that fits.
//
// Rows are seen through a sort permutation: every row index of this interface
// (GetString, SetString, row attributes, InsertRow, RemoveRow) is a position
// in the current order. Row 0 never moves. A row's cells of every column
// (column 0 included) and its attribute byte travel with it when the order
// changes. GetSortOrder tells where a row stood before any sorting;
// CommitSorting makes the current order the physical one.
class TStringArray : public vcl::TObject {
public:
    static constexpr int MaxCellChars = 255;

    TStringArray();
    TStringArray(int NrCols, int NrRows);
    ~TStringArray() override;

    std::string ClassName() const override { return "TStringArray"; }

    int NrOfColumns() const { return FNrCols; }
    int NrOfRows() const { return FNrRows; }

    // Storage grows by at least this many rows at a time (never less than 1),
    // and geometrically once the table is large, so that adding rows one at a
    // time stays linear.
    int AllocRowsBy() const { return FAllocRowsBy; }
    void SetAllocRowsBy(int Rows);
    // The rows every column has room for, present columns and those added
    // later alike, so that growing the table up to that size moves no cell.
    // Setting it makes that room in one step or gives back what lies beyond
    // it; it never goes below NrOfRows. Raises EQELDStructError when the
    // memory cannot be had.
    int RowCapacity() const;
    void SetRowCapacity(int Rows);

    // New size; negative counts are taken as 0. New cells are empty, new rows
    // have attribute 0 and are appended at the end of the current order. When
    // rows are dropped, the ones at the end of the current order go; the rows
    // that remain keep their permutation, so UnSort still works. Raises
    // EQELDStructError when the memory cannot be had, leaving the store as it
    // was.
    void Resize(int NrCols, int NrRows);

    // Empties every text (row 0 and column 0 included). Size, attribute bytes
    // and the row order stay.
    void Clear();

    std::string GetString(int ACol, int ARow) const;
    // The same text without a copy; valid until the cell is next changed.
    std::string_view StringView(int ACol, int ARow) const;
    // Value may be a part of the cell's own text (StringView of the same
    // cell): it is read before the cell changes.
    void SetString(int ACol, int ARow, std::string_view Value);
    // Writes Values into row ARow, the first into column FirstCol and each
    // next one into the column after; values that fall outside columns
    // 0..NrOfColumns are dropped. Each text is cut as by SetString, and
    // OnChange fires once when any cell changed. This is the way to fill a
    // table row by row: a cell costs a small part of a SetString call.
    void SetRowStrings(int ARow, int FirstCol, std::span<const std::string_view> Values);
    // Adds a row at the end of the current order, as growing by Resize does,
    // holding Values as SetRowStrings would put them. With the room made by
    // SetRowCapacity, appending rows is the fastest way to fill a new table.
    void AppendRow(int FirstCol, std::span<const std::string_view> Values);

    uint8_t GetRowAttrib(int ARow) const;
    void SetRowAttrib(int ARow, uint8_t Value);
    uint8_t GetColAttrib(int ACol) const;
    void SetColAttrib(int ACol, uint8_t Value);

    // Inserts an empty row (attribute 0) before row ARow, 1 <= ARow <= NrOfRows + 1
    // (NrOfRows + 1 appends). Makes the current order physical first.
    void InsertRow(int ARow);
    // Removes row ARow, 1 <= ARow <= NrOfRows. Makes the current order
    // physical first.
    void RemoveRow(int ARow);
    // Inserts an empty column (attribute 0) before column ACol,
    // 1 <= ACol <= NrOfColumns + 1. The row order is not touched.
    void InsertColumn(int ACol);
    // Removes column ACol, 1 <= ACol <= NrOfColumns. The row order is not
    // touched.
    void RemoveColumn(int ACol);

    // Sorting orders rows 1..NrOfRows by the primary column and, among rows
    // whose primary keys are equal, by the secondary column. A key column may
    // be 0 (the hidden column); a secondary column outside 0..NrOfColumns
    // (for example -1) means "no secondary key", a primary column outside it
    // leaves the order as it is.
    //
    // Key order (ascending): cells that read as numbers come first, in
    // numeric order; then texts, compared character by character after
    // folding the case of ASCII and Latin-1 letters; empty cells last. A
    // cell reads as a number when, after removing surrounding blanks, it is
    // a decimal number with optional sign, fraction (point or comma) and
    // exponent. Numbers are kept apart from texts (rather than compared as
    // texts) so that the order is consistent and each sort gives the same
    // result whatever order the rows start in. Descending reverses the key
    // order, empty cells included. The sort is stable: rows with equal keys
    // keep their current order, so sorting by one column after another works
    // as expected.
    //
    // OnBeforeSortExchange, when set, is asked for every key cell before the
    // comparison and may replace the key; OnPercentDone reports progress.
    void Sort(int PrimCol, int SecCol, bool AscendPrim, bool AscendSec);
    // The same with the primary key in the direction given and the secondary
    // key always ascending, as a table sorted "descending by name" is
    // expected to keep its secondary key in natural order.
    void Sort(int PrimCol, int SecCol, bool Ascending);
    // Back to the order from before any sorting (the physical order).
    void UnSort();
    // The position before any sorting of the row now at ARow (ARow itself
    // when unsorted); 0 for row 0 and for rows outside the table.
    int GetSortOrder(int ARow) const;
    // Shows the physical row Value at position ARow. Both must lie in
    // 1..NrOfRows, otherwise nothing happens. Meant for copying a complete
    // permutation position by position; a permutation left with two
    // positions on the same row is repaired by the next CommitSorting,
    // UnSort or structural change, which fall back to the physical order.
    void SetSortOrder(int ARow, int Value);
    // Makes the current order the physical one; GetSortOrder(r) becomes r.
    void CommitSorting();
    // True when the current order is not the physical one.
    bool IsSorted() const;

    // Fired after a change of texts, size, order or attributes.
    vcl::TNotifyEvent OnChange;
    TOnPercentDoneEvent OnPercentDone;
    TBeforeSortExchgEvent OnBeforeSortExchange;

private:
    struct Column;

    int PhysRow(int ARow) const;
    void RepairPermutation();
    void Changed();
    void ReserveCells(size_t Cells);
    bool StoreRow(int Phys, int FirstCol, std::span<const std::string_view> Values);
    // Gives the long texts of physical rows [From, To) of column Col back
    // before those cells are dropped.
    void ReleaseCells(Column& Col, size_t From, size_t To);
    void KeepPositions(int NrRows);

    int FNrCols = 0;
    int FNrRows = 0;
    int FAllocRowsBy = 1;
    size_t FRowCapacity = 0;
    std::unique_ptr<TCellTextPool> FTexts;          // the long texts of all cells
    std::vector<std::unique_ptr<Column>> FColumns;  // NrOfColumns + 1, each NrOfRows + 1 cells
    std::vector<uint8_t> FRowAttrib;                // physical rows
    std::vector<uint8_t> FColAttrib;
    std::vector<int> FOrder;       // FOrder[position] = physical row; FOrder[0] == 0
    bool FOrderUnchecked = false;  // SetSortOrder may have broken the permutation
};

}  // namespace QEL_base
