// TRLData: the table behind the report list view, usable on its own.
//
// A rectangle of text cells in columns 1..NrOfColumns and rows 1..NrOfRows,
// with a name, a format and a check mode per column. Cells of check columns
// keep their check mark as the first character of the stored text ("X"
// checked, a blank unchecked); Elem hides it. Column 0 is a hidden text per
// row that travels with its row.
//
// Files and exchange formats (RLDataFiles.cpp, CsvExchange.cpp,
// HtmlExport.cpp): every reader builds the new contents aside and replaces
// the table only once the whole input was read; every writer builds the whole
// output and replaces the target file in one step.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qelbase/StringArray.h"
#include "qelbase/Types.h"
#include "replist/RLTypes.h"
#include "replist/ReplistFile.h"
#include "vcl/Classes.h"
#include "vcl/TextFiles.h"

namespace QEL_replist {

class TRLData : public vcl::TComponent {
public:
    explicit TRLData(vcl::TComponent* AOwner);
    ~TRLData() override;
    std::string ClassName() const override { return "TRLData"; }

    // ------------------------------------------------------------ published

    int NrOfColumns() const { return FNrOfCols; }
    // Values below 1 give one column; new columns are named "C-" and their
    // number, with an empty format and no check mode.
    void SetNrOfColumns(int Value);
    int NrOfRows() const { return FNrOfRows; }
    // Negative values give 0 rows. New rows are empty.
    void SetNrOfRows(int Value);
    const std::string& CommonHeader() const { return FCommonHeader; }
    void SetCommonHeader(const std::string& Value);

    QEL_base::TBeforeSortExchgEvent OnBeforeSortExchange;
    TBeforeHTMLExportEvent OnBeforeHTMLExport;
    // Fired by ExportCSV for every cell it writes.
    QEL_base::TExportTextEvent OnExportText;
    // Progress of the file operations, at most about 100 calls each.
    QEL_base::TOnPercentDoneEvent OnPercentDone;

    // ------------------------------------------------------------ public

    const std::string& Comment() const { return FComment; }
    void SetComment(const std::string& Value) { FComment = Value; }
    const std::string& DataID() const { return FDataID; }
    void SetDataID(const std::string& Value) { FDataID = Value; }
    int LastSortColumn() const { return FSortColumnPrim; }
    int LastSortColumnSec() const { return FSortColumnSec; }
    bool LastSortOrder() const { return FSortOrderPrim; }
    bool LastSortOrderSec() const { return FSortOrderSec; }
    // Direction of the view's next header-click sort.
    bool SortToggle() const { return FSortToggle; }
    void SetSortToggle(bool Value) { FSortToggle = Value; }

    // The cell store, addressed (column, row) in the current sort order.
    std::unique_ptr<QEL_base::TStringArray> Strings;

    // Cells: columns 0..NrOfColumns, rows 1..NrOfRows; outside, reads give an
    // empty text or false and writes do nothing.
    std::string Elem(int ACol, int ARow) const;
    void SetElem(int ACol, int ARow, std::string_view Value);
    bool ElemChecked(int ACol, int ARow) const;
    // In a radio column, checking a cell unchecks all others.
    void SetElemChecked(int ACol, int ARow, bool Value);
    // The cell as a number: blanks around it are ignored, a comma counts as
    // the decimal point and an empty cell is 0. Anything else raises
    // QEL_base::EQELDStructError "Class TRLData: invalid numeric string:
    // [<col>,<row>]: <stored text>".
    double AsNumber(int ACol, int ARow) const;
    // The value a new cell of the column gets from its format (see RLData.cpp).
    std::string DefaultValue(int ACol, int ARow) const;

    // Columns 1..NrOfColumns; outside, reads give an empty text or cmNone and
    // writes do nothing.
    TNameStrType Header(int ColNr) const;
    void SetHeader(int ColNr, std::string_view Value);  // cut to 50 characters
    TColFmtString ColumnFormat(int ColNr) const;
    void SetColumnFormat(int ColNr, std::string_view Value);  // cut to 80 characters
    TCheckMode ColumnCheckMode(int ColNr) const;
    // Converts the cells: they get an unchecked mark, lose it, or (box to
    // radio) lose their check marks.
    void SetColumnCheckMode(int ColNr, TCheckMode Value);
    // True for box columns only; setting gives cmBox or cmNone.
    bool IsCheckedColumn(int ColNr) const;
    void SetIsCheckedColumn(int ColNr, bool Value);

    // ------------------------------------------------------------ methods

    void Assign(vcl::TPersistent* Source) override;

    // Empties every cell and resets names, formats and check modes; sizes,
    // comment, headers and sort state stay.
    void Clear();
    // Every data cell gets s; check columns keep their check state.
    void Fill(std::string_view s);

    void InsertRow(int r);
    void RemoveRow(int r);
    void RemoveEmptyRows();
    void CopyRow(int Source, int Target);
    void InsertColumn(int c);
    void RemoveColumn(int c);

    // The highest-numbered column whose name equals Head (or contains it,
    // with PartialMatch), ignoring case; -1 when none.
    int ColumnIndex(std::string_view Head, bool PartialMatch) const;

    void SetAllCheckmarksOfCol(int Column, bool Checked);
    void InvertAllCheckmarksOfCol(int Column);
    int CountCheckedElemsInCol(int Column) const;
    int CountCheckedElemsInRow(int Row) const;
    int FirstCheckedElemInCol(int ColNr) const;
    int FirstCheckedElemInRow(int RowNr) const;
    // For the view: optionally leave rows with the disabled bit (0x40) alone.
    void SetAllCheckmarksOfColIntern(int Column, bool Checked, bool AffectEnabledRowsOnly);
    void InvertAllCheckmarksOfColIntern(int Column, bool AffectEnabledRowsOnly);

    // The three-argument form sorts the secondary key ascending.
    void Sort(int PrimCol, int SecCol, bool Ascending);
    void Sort(int PrimCol, int SecCol, bool AscendPrim, bool AscendSec);
    void UnSort();

    // Puts the cells of the range (clipped to the table) on the clipboard,
    // a line per row ended by LF, the header line by two. UseTabs separates
    // the columns by tabs, otherwise each is padded with blanks to its widest
    // stored text plus one.
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                         bool UseTabs);
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                         const std::string& Separator);
    // Keeps a separator given as a literal from choosing the Boolean overload.
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                         const char* Separator) {
        CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, std::string(Separator));
    }

    // The store's sort-exchange hook; fires OnBeforeSortExchange with this
    // table as Sender.
    void BeforeSortExchange(vcl::TObject* Sender, const std::string& Text, std::string& Key);
    void BeforeHTMLExport(std::string& Text, int Col, int Row);

    // ------------------------------------------------------------ report-list files
    //
    // Readers return false when the input holds no report list with the
    // identifier DataID (any identifier when it is empty) and raise
    // EQELRLDataError when the list found is malformed, cut short or declares
    // a table larger than its input can justify (TReplistLimits::ForInput);
    // in all these cases the table is unchanged. On success they replace sizes, names,
    // formats, check modes, common header, comment and cells, and leave the
    // table unsorted. Writers raise vcl::EInOutError (or a stream error)
    // when the output cannot be written.

    bool LoadFromXMLFile(const std::string& FName, const std::string& DataID);
    bool ReadFromXMLString(const std::string& InString, const std::string& DataID);
    // Reads from the stream's position; afterwards the stream stands after
    // the "</replist>" line (at its end when nothing was found).
    bool ReadFromXMLStream(vcl::TStream& InStream, const std::string& DataID);
    // The same for a text file the caller opened; it stands after the
    // "</replist>" line afterwards.
    bool ReadFromOpenXMLFile(std::istream& InFile, const std::string& DataID);
    // The same for a platform text file opened with vcl::Reset: its next
    // ReadLn gives the line after "</replist>" (it is at its end when nothing
    // was found, and stays where it was when the list is malformed). Raises
    // vcl::EInOutError when the file is not open for reading.
    bool ReadFromOpenXMLFile(vcl::TextFile& InFile, const std::string& DataID);
    // Reads Text with the given bounds on the table size; Consumed (when
    // given) receives the bytes read up to the end of the "</replist>" line.
    bool ReadFromXMLText(std::string_view Text, const std::string& DataID,
                         const TReplistLimits& Limits, size_t* Consumed = nullptr);

    void SaveAsXMLFile(const std::string& FName, const std::string& DataID);
    void WriteToXMLStream(vcl::TStream& OutStream, bool CreateHeader, const std::string& DataID);
    void WriteToOpenXMLFile(std::ostream& OutFile, bool CreateHeader, const std::string& DataID);
    // Writes at the text file's position (opened with vcl::Rewrite or
    // vcl::Append); raises vcl::EInOutError when it is not open for writing.
    void WriteToOpenXMLFile(vcl::TextFile& OutFile, bool CreateHeader, const std::string& DataID);
    // The whole report list as one text.
    std::string XMLText(bool CreateHeader, const std::string& DataID);

    // ------------------------------------------------------------ CSV and text files
    //
    // CSV files are RFC 4180 text, fields separated by the delimiter chosen
    // (comma, semicolon, tab or blank), records ended by CRLF. A check column
    // is written as two fields: its visible text, then its check state ("1"
    // checked, "0" unchecked, empty for an empty cell) in a column whose name
    // is the column's name followed by " [box]" or " [radio]". With column
    // names, ImportCSV recognises such pairs and rebuilds the check column.

    // Replaces the table with the file's records: the widest record gives
    // the number of columns; with IncludeColHeaders the first record gives
    // the column names. Returns the number of data rows read. Raises
    // vcl::EFOpenError when the file cannot be read and EQELRLDataError when
    // a quoted field is not closed or the table would hold more cells than
    // the file can justify (InputCellLimit); the table is then unchanged.
    int ImportCSV(const std::string& FName, QEL_base::TCSVDelimiters Delimiter,
                  bool IncludeColHeaders);
    // The same from a text in memory, with a bound on the number of cells,
    // (columns + 1) x (rows + 1); a table beyond it is refused before room
    // is made for it.
    int ImportCSVText(std::string_view Text, QEL_base::TCSVDelimiters Delimiter,
                      bool IncludeColHeaders, uint64_t MaxCells);
    // Writes the cells of the range (clipped to columns 1..NrOfColumns and
    // rows 1..NrOfRows), with the common header as a first record of one
    // field and the column names as the next when asked. Returns the number
    // of data rows written.
    int ExportCSV(const std::string& FName, QEL_base::TCSVDelimiters Delimiter,
                  bool IncludeColHeaders, bool IncludeCommonHeader, int FirstCol, int FirstRow,
                  int LastCol, int LastRow);
    // Puts the lines of the file (LF, CRLF or CR ends, a UTF-8 byte order
    // mark skipped) into column Column (0..NrOfColumns) from row FirstRow
    // (at least 1) on, adding rows as needed. Returns the number of lines
    // stored, 0 when Column or FirstRow is out of range. Raises
    // vcl::EFOpenError when the file cannot be read.
    int LoadLinesFromFile(int Column, int FirstRow, const std::string& FName);

    // Writes an HTML page with a table of rows LoR..HiR and those columns of
    // LoC..HiC that ColumnSelection lists (all of them when it is empty), the
    // column names as a header row when IncludeHeader is set (Row 0 for
    // OnBeforeHTMLExport), and the class names given (none when empty).
    void ExportHTMLTable(const std::string& FName, int LoC, int LoR, int HiC, int HiR,
                         const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                         int Cellpadding, bool IncludeHeader, const std::string& HeadClass,
                         const std::string& CellClass, const std::string& TableClass);
    std::string HTMLTableText(int LoC, int LoR, int HiC, int HiR,
                              const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                              int Cellpadding, bool IncludeHeader, const std::string& HeadClass,
                              const std::string& CellClass, const std::string& TableClass);

protected:
    void AssignTo(vcl::TPersistent* Dest) override;

private:
    bool IsCheckCol(int ACol) const;
    bool ValidCell(int ACol, int ARow) const;
    void SetCheckChar(int ACol, int ARow, bool Checked);
    void UpdateFeedback();
    void ConnectStore();
    // Puts NewStore in place of Strings, keeping the hooks a view set.
    void ReplaceStore(std::unique_ptr<QEL_base::TStringArray> NewStore);
    void ReportPercent(int Percent);
    // Reports Done of Total as a percentage when it grew past LastPercent,
    // so that an operation reports at most 101 times.
    void ReportProgress(int64_t Done, int64_t Total, int& LastPercent);
    void AdoptDocument(TReplistDocument& Doc);

    std::string FComment;
    std::vector<TNameStrType> FColName;
    std::vector<TColFmtString> FColumnFormat;
    std::string FCommonHeader;
    std::vector<TCheckMode> FColButMode;
    int FNrOfCols = 1;
    int FNrOfRows = 0;
    int FSortColumnPrim = -1;
    int FSortColumnSec = -1;
    bool FSortOrderPrim = true;
    bool FSortOrderSec = true;
    std::string FDataID;
    bool FSortToggle = true;
    int FFeedbkNumCells = 1;
    int FFeedbkStep = 1;
};

}  // namespace QEL_replist
