// The report-list file: a UTF-8 text of one element per line.
//
//     <replist format="vornelsix" version="1" id="Sales">
//     <numcols>2</numcols>
//     <numrows>3</numrows>
//     <commonheader>Sales 2026</commonheader>
//     <comment>first quarter</comment>
//     <colname col="1">Region</colname>
//     <columnformat col="2">[f][80]</columnformat>
//     <checkedcolumn col="2">1</checkedcolumn>
//     <cell col="1" row="1">North &amp; East</cell>
//     <cell col="2" row="1">X1250.5</cell>
//     </replist>
//
// - The header line is the one CheckIfValidReplist looks for; any lines before
//   it are skipped, so a report list can follow other text in a file or stream.
// - numcols and numrows come once each, before every element that names a
//   column or a row. Columns are 1..numcols (cells also column 0, the hidden
//   per-row text), rows 1..numrows.
// - Every text is escaped (XmlText.h), line breaks and tabs included, so an
//   element never spans lines.
// - A column without colname is named "C-" and its number; without
//   columnformat its format is empty; without checkedcolumn its check mode is
//   cmNone (checkedcolumn holds the ordinal of TCheckMode). Without
//   commonheader and comment a table gets the values of a new table.
// - A cell of a check column holds its check character first ("X" checked,
//   a blank unchecked), exactly as the table stores it; empty cells are not
//   written.
// - Elements with any other tag (xmlInvalid) are skipped, so that files of a
//   later version stay readable. "</replist>" ends the list; reading stops
//   after its line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qelbase/StringArray.h"
#include "replist/RLTypes.h"
#include "vcl/Classes.h"

namespace QEL_replist {

class TRLData;

enum TRepListXmlTag : uint8_t {
    xmlNumCols = 0,
    xmlNumRows = 1,
    xmlColName = 2,
    xmlCheckedColumn = 3,
    xmlCommonHd = 4,
    xmlColumnFormat = 5,
    xmlCell = 6,
    xmlComment = 7,
    xmlEndReplist = 8,
    xmlInvalid = 9
};

inline constexpr std::array<std::string_view, 10> RepListXmlTags = {
    "numcols",      "numrows", "colname", "checkedcolumn", "commonheader",
    "columnformat", "cell",    "comment", "/replist",      "invalidtag"};

// The header line (without line end) that names DataID.
std::string ReplistHeaderLine(std::string_view DataID);

// True when Line is a report-list header line and, unless DataID is empty,
// its identifier equals DataID regardless of letter case. The identifier is
// the text between the quotation marks of the first id="..." of the line,
// without surrounding blanks, with character references decoded.
bool IsReplistHeader(std::string_view Line, std::string_view DataID);

// True when the file holds a header line that IsReplistHeader accepts.
// Raises vcl::EInOutError when the file cannot be opened.
bool CheckIfValidReplist(const std::string& FileName, const std::string& DataID);
// The same from the stream's position on; the stream is left after the last
// line read.
bool CheckIfValidReplist(vcl::TStream& InStream, const std::string& DataID);

// Bounds a reader puts on the table a text may ask for, so that a few bytes
// declaring a huge table cannot exhaust the memory.
struct TReplistLimits {
    int MaxColumns = 100'000;
    int MaxRows = 100'000'000;
    uint64_t MaxCells = 200'000'000;  // (columns + 1) x (rows + 1), the store's cells

    // The bounds the readers use when the caller names none: MaxCells is
    // further tied to the size of the input, see InputCellLimit.
    static TReplistLimits ForInput(size_t InputBytes);
};

// A cell costs the store about 16 bytes whether it holds text or not, so a
// table declared by a text is only set up when the text can justify it: a
// text of B bytes may ask for at most max(MinInputCells, CellsPerInputByte x B)
// cells. A file of a hundred bytes then cannot make a reader claim gigabytes,
// while a sparse but legitimate table (few cells filled, many empty) still
// loads: the floor of 16M cells (256 MB) covers any small file of a sensible
// shape, and above it a filled cell, which takes at least 30 bytes in a
// report-list file, pays for hundreds of empty ones. Only a table that is
// nearly all empty cells and larger than the floor, such as a million empty
// rows of a hundred columns, is refused: its declared size cannot be told
// apart from a hostile one.
inline constexpr uint64_t MinInputCells = 16'777'216;
inline constexpr uint64_t CellsPerInputByte = 16;

// max(MinInputCells, CellsPerInputByte x InputBytes), and never above the
// default TReplistLimits::MaxCells.
uint64_t InputCellLimit(size_t InputBytes);

// A report list read from a text, complete and checked, ready to replace a
// table's contents.
struct TReplistDocument {
    int NrOfColumns = 0;
    int NrOfRows = 0;
    std::string CommonHeader;
    std::string Comment;
    std::vector<TNameStrType> ColNames;  // max(NrOfColumns, 1) entries each
    std::vector<TColFmtString> ColFormats;
    std::vector<TCheckMode> CheckModes;
    std::unique_ptr<QEL_base::TStringArray> Cells;
    size_t Consumed = 0;  // bytes of the text up to the end of the "</replist>" line
};

// Reads the first report list of Text whose header IsReplistHeader accepts.
// Nothing when there is none; EQELRLDataError naming the line when the list
// is malformed, asks for more than Limits allow (checked before anything of
// the table is set up) or ends before "</replist>".
// Progress gets percentages 0..100 of the text read, each at most once.
std::optional<TReplistDocument> ParseReplist(std::string_view Text, std::string_view DataID,
                                             const TReplistLimits& Limits,
                                             const std::function<void(int)>& Progress);

// Appends the report list of Data to Out, with the header line naming DataID
// when CreateHeader is set. Progress as above, over the rows written.
void AppendReplist(std::string& Out, const TRLData& Data, bool CreateHeader,
                   std::string_view DataID, const std::function<void(int)>& Progress);

}  // namespace QEL_replist
