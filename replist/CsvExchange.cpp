// TRLData: CSV import and export, and lines of text into a column.
#include <algorithm>

#include "frame/ComponentMessage.h"
#include "qelbase/Texts.h"
#include "replist/CsvCodec.h"
#include "replist/RLData.h"
#include "vcl/SysUtils.h"

namespace QEL_replist {

namespace {

constexpr std::string_view BoxSuffix = " [box]";
constexpr std::string_view RadioSuffix = " [radio]";

// The check mode a header field announces for the field before it, cmNone
// when it is an ordinary column name.
TCheckMode StateColumnMode(std::string_view Field, std::string_view Previous) {
    for (const auto& [Suffix, Mode] :
         {std::pair{BoxSuffix, cmBox}, std::pair{RadioSuffix, cmRadio}}) {
        if (Field.size() == Previous.size() + Suffix.size() && Field.starts_with(Previous) &&
            Field.ends_with(Suffix)) {
            return Mode;
        }
    }
    return cmNone;
}

// Where a field of a record goes: its column, and whether it is the check
// state of that column rather than its text.
struct TFieldTarget {
    int Col;
    bool IsState;
};

}  // namespace

int TRLData::ImportCSV(const std::string& FName, QEL_base::TCSVDelimiters Delimiter,
                       bool IncludeColHeaders) {
    const std::string Text = vcl::LoadTextFile(FName);
    return ImportCSVText(Text, Delimiter, IncludeColHeaders, InputCellLimit(Text.size()));
}

int TRLData::ImportCSVText(std::string_view Text, QEL_base::TCSVDelimiters Delimiter,
                           bool IncludeColHeaders, uint64_t MaxCells) {
    TCsvReader Reader(Text, CsvDelimiterChar(Delimiter));
    std::vector<std::string_view> Fields;
    auto Next = [&] {
        try {
            return Reader.NextRecord(Fields);
        } catch (const QEL_base::EQELDStructError& E) {
            throw EQELRLDataError(E.Message());
        }
    };

    // Every field index maps to its column; a state field follows its column.
    std::vector<TFieldTarget> Targets;
    std::vector<TCheckMode> Modes;
    std::vector<TNameStrType> Names;
    auto AddColumn = [&](std::string_view Name) {
        Targets.push_back({static_cast<int>(Modes.size()) + 1, false});
        Modes.push_back(cmNone);
        Names.emplace_back(QEL_base::CutToChars(Name, MaxNameChars));
    };
    if (IncludeColHeaders && Next()) {
        for (size_t j = 0; j < Fields.size(); ++j) {
            const TCheckMode Mode = j > 0 && !Targets.back().IsState
                                        ? StateColumnMode(Fields[j], Fields[j - 1])
                                        : cmNone;
            if (Mode != cmNone) {
                Targets.push_back({Targets.back().Col, true});
                Modes.back() = Mode;
            } else {
                AddColumn(Fields[j]);
            }
        }
    }

    // The store gets room for as many rows as the text has lines, an upper
    // bound of its records, so that appending the rows moves no cell.
    const size_t Lines = CsvRecordBound(Text);
    const auto TooLarge = [&](uint64_t Cols, uint64_t Rows) {
        return (Cols + 1) * (Rows + 1) > MaxCells;
    };
    const auto Refuse = [&](uint64_t Cols, uint64_t Rows) {
        throw EQELRLDataError("CSV text: a table of " + std::to_string(Cols) + " columns x " +
                              std::to_string(Rows) + " rows needs " +
                              std::to_string((Cols + 1) * (Rows + 1)) +
                              " cells, above the limit of " + std::to_string(MaxCells));
    };
    // When that room would break the bound, the text is measured first: its
    // widest record and number of records give the table it makes, which is
    // refused before any room for it is made. One wide line followed by many
    // short ones would otherwise claim room for a huge table that the rows
    // read so far cannot show to be too large.
    bool Measured = false;
    const auto Measure = [&](size_t ColsNow) {
        TCsvReader Counter(Text, CsvDelimiterChar(Delimiter));
        std::vector<std::string_view> Counted;
        uint64_t Records = 0;
        size_t Widest = 0;
        try {
            if (IncludeColHeaders) Counter.NextRecord(Counted);
            while (Counter.NextRecord(Counted)) {
                ++Records;
                Widest = std::max(Widest, Counted.size());
            }
        } catch (const QEL_base::EQELDStructError& E) {
            throw EQELRLDataError(E.Message());
        }
        const uint64_t Cols = std::max<uint64_t>(
            ColsNow + (Widest > Targets.size() ? Widest - Targets.size() : 0), 1);
        if (Records > static_cast<uint64_t>(TReplistLimits().MaxRows) || TooLarge(Cols, Records)) {
            Refuse(Cols, Records);
        }
        Measured = true;
        return static_cast<int64_t>(Records);
    };
    auto Store = std::make_unique<QEL_base::TStringArray>();
    Store->SetAllocRowsBy(Strings->AllocRowsBy());
    int Rows = 0;
    int Percent = -1;
    // Without check columns a record's fields are the row's cells as they
    // stand; otherwise the row is put together first.
    const bool Plain = std::none_of(Targets.begin(), Targets.end(),
                                    [](const TFieldTarget& T) { return T.IsState; });
    std::vector<std::string_view> Row;
    std::vector<std::string> Marked;
    while (Next()) {
        ++Rows;
        if (OnPercentDone) {
            ReportProgress(static_cast<int64_t>(Reader.Position()),
                           static_cast<int64_t>(Reader.Size()), Percent);
        }
        while (Targets.size() < Fields.size()) AddColumn("C-" + std::to_string(Modes.size() + 1));
        const int Cols = std::max<int>(static_cast<int>(Modes.size()), 1);
        if (Rows > TReplistLimits().MaxRows || TooLarge(Cols, Rows)) Refuse(Cols, Rows);
        if (Cols > Store->NrOfColumns()) {
            if (!Measured) {
                int64_t Room =
                    std::min<int64_t>(static_cast<int64_t>(std::min<size_t>(Lines, INT32_MAX)),
                                      TReplistLimits().MaxRows);
                // No room beyond the bound is made on a guess: measuring
                // either refuses the text or gives its exact number of rows.
                if (TooLarge(Cols, Room)) Room = Measure(Modes.size());
                Store->SetRowCapacity(static_cast<int>(Room));
            }
            Store->Resize(Cols, Rows - 1);
        }
        if (Plain) {
            Store->AppendRow(1, Fields);
            continue;
        }
        Row.assign(Cols, {});
        Marked.resize(Cols);
        for (size_t j = 0; j < Fields.size(); ++j) {
            const TFieldTarget Target = Targets[j];
            if (Target.IsState) continue;
            if (Modes[Target.Col - 1] == cmNone) {
                Row[Target.Col - 1] = Fields[j];
                continue;
            }
            // A check column: its state field decides the mark; an empty
            // state with an empty text is an empty cell.
            const std::string_view State =
                j + 1 < Fields.size() ? Fields[j + 1] : std::string_view();
            if (State.empty() && Fields[j].empty()) continue;
            std::string& Cell = Marked[Target.Col - 1];
            Cell.assign(1, State.empty() || State == "0" ? ' ' : 'X');
            Cell += Fields[j];
            Row[Target.Col - 1] = Cell;
        }
        Store->AppendRow(1, Row);
    }
    // Quoted line breaks can leave much of the room unused.
    if (Store->RowCapacity() > 2 * Rows + 16) Store->SetRowCapacity(Rows);
    const int Cols = std::max<int>(static_cast<int>(Modes.size()), 1);
    Store->Resize(Cols, std::max(Rows, 1));
    while (static_cast<int>(Names.size()) < Cols)
        Names.push_back("C-" + std::to_string(Names.size() + 1));
    Modes.resize(Cols, cmNone);

    ReplaceStore(std::move(Store));
    FNrOfCols = Cols;
    FNrOfRows = Rows;
    FColName = std::move(Names);
    FColumnFormat.assign(Cols, {});
    FColButMode = std::move(Modes);
    FSortColumnPrim = -1;
    FSortColumnSec = -1;
    UpdateFeedback();
    if (Percent < 100) ReportPercent(100);
    if (Strings->OnChange) Strings->OnChange(Strings.get());
    return Rows;
}

int TRLData::ExportCSV(const std::string& FName, QEL_base::TCSVDelimiters Delimiter,
                       bool IncludeColHeaders, bool IncludeCommonHeader, int FirstCol, int FirstRow,
                       int LastCol, int LastRow) {
    const char Delim = CsvDelimiterChar(Delimiter);
    FirstCol = std::max(FirstCol, 1);
    LastCol = std::min(LastCol, FNrOfCols);
    FirstRow = std::max(FirstRow, 1);
    LastRow = std::min(LastRow, FNrOfRows);
    std::string Text;
    auto EndRecord = [&] { Text += "\r\n"; };
    if (IncludeCommonHeader) {
        AppendCsvField(Text, FCommonHeader, Delim);
        EndRecord();
    }
    if (IncludeColHeaders) {
        for (int c = FirstCol; c <= LastCol; ++c) {
            if (c > FirstCol) Text += Delim;
            AppendCsvField(Text, Header(c), Delim);
            const TCheckMode Mode = ColumnCheckMode(c);
            if (Mode != cmNone) {
                Text += Delim;
                AppendCsvField(
                    Text, Header(c) + std::string(Mode == cmBox ? BoxSuffix : RadioSuffix), Delim);
            }
        }
        EndRecord();
    }
    const int Rows = std::max(LastRow - FirstRow + 1, 0);
    int Percent = -1;
    std::string Cell;
    for (int r = FirstRow; r <= LastRow; ++r) {
        for (int c = FirstCol; c <= LastCol; ++c) {
            if (c > FirstCol) Text += Delim;
            Cell = Elem(c, r);
            if (OnExportText) OnExportText(this, c, r, Cell);
            AppendCsvField(Text, Cell, Delim);
            if (IsCheckCol(c)) {
                Text += Delim;
                if (!Strings->StringView(c, r).empty()) Text += ElemChecked(c, r) ? '1' : '0';
            }
        }
        EndRecord();
        ReportProgress(r - FirstRow + 1, Rows, Percent);
    }
    vcl::SaveTextFile(FName, Text);
    return Rows;
}

int TRLData::LoadLinesFromFile(int Column, int FirstRow, const std::string& FName) {
    if (Column < 0 || Column > FNrOfCols || FirstRow < 1) return 0;
    const std::string Data = vcl::LoadTextFile(FName);
    std::string_view Text = Data;
    if (Text.starts_with("\xEF\xBB\xBF")) Text.remove_prefix(3);
    std::vector<std::string_view> Lines;
    size_t Pos = 0;
    while (Pos < Text.size()) {
        const size_t End = Text.find_first_of("\r\n", Pos);
        if (End == std::string_view::npos) {
            Lines.push_back(Text.substr(Pos));
            break;
        }
        Lines.push_back(Text.substr(Pos, End - Pos));
        Pos = End + 1;
        if (Text[End] == '\r' && Pos < Text.size() && Text[Pos] == '\n') ++Pos;
    }
    if (Lines.empty()) return 0;
    const int64_t LastRow = static_cast<int64_t>(FirstRow) + static_cast<int64_t>(Lines.size()) - 1;
    if (LastRow > TReplistLimits().MaxRows) {
        throw EQELRLDataError(kestrix::ComponentMessage(Name(), kestrix::ProblemIntegerOverflow));
    }
    // Growing first means that a store which cannot take the new rows fails
    // before any cell changed.
    if (LastRow > FNrOfRows) SetNrOfRows(static_cast<int>(LastRow));
    int Percent = -1;
    for (size_t i = 0; i < Lines.size(); ++i) {
        SetElem(Column, FirstRow + static_cast<int>(i), Lines[i]);
        ReportProgress(static_cast<int64_t>(i) + 1, static_cast<int64_t>(Lines.size()), Percent);
    }
    return static_cast<int>(Lines.size());
}

}  // namespace QEL_replist
