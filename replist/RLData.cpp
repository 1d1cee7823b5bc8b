// TRLData: cells, columns, check marks, sorting, clipboard and copying.
//
//   1. Construction and the store
//   2. Cells and column settings
//   3. Default values from column formats
//   4. Size and structure
//   5. Check marks
//   6. Sorting, clipboard, Assign
#include "replist/RLData.h"

#include <algorithm>
#include <new>

#include "frame/ComponentMessage.h"
#include "qelbase/Files.h"
#include "qelbase/Texts.h"
#include "vcl/Clipboard.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace QEL_replist {

namespace {

constexpr uint8_t RowDisabled = 0x40;

std::string DefaultColName(int ColNr) { return "C-" + std::to_string(ColNr); }

std::string AsciiLower(std::string_view S) {
    std::string Result(S);
    for (char& c : Result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return Result;
}

// Disconnects the store's change notification while a whole column is
// rewritten, so that a view repaints once instead of once per cell.
class TChangeSuspender {
public:
    explicit TChangeSuspender(QEL_base::TStringArray& Store)
        : FStore(Store), FSaved(std::move(Store.OnChange)) {
        FStore.OnChange = nullptr;
    }
    ~TChangeSuspender() {
        FStore.OnChange = std::move(FSaved);
        if (FStore.OnChange) FStore.OnChange(&FStore);
    }

private:
    QEL_base::TStringArray& FStore;
    vcl::TNotifyEvent FSaved;
};

const bool RLDataRegistered = [] {
    vcl::RegisterClass<TRLData, vcl::TComponent>("TRLData")
        .Int("NrOfColumns", &TRLData::NrOfColumns, &TRLData::SetNrOfColumns)
        .Int("NrOfRows", &TRLData::NrOfRows, &TRLData::SetNrOfRows)
        .Str("CommonHeader", &TRLData::CommonHeader, &TRLData::SetCommonHeader)
        .Event("OnBeforeSortExchange", &TRLData::OnBeforeSortExchange)
        .Event("OnBeforeHTMLExport", &TRLData::OnBeforeHTMLExport)
        .Event("OnExportText", &TRLData::OnExportText)
        .Event("OnPercentDone", &TRLData::OnPercentDone);
    return true;
}();

}  // namespace

// ---------------------------------------------------------------- 1. Construction and the store

TRLData::TRLData(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {
    FCommonHeader = "QEL Report Listview";
    try {
        Strings = std::make_unique<QEL_base::TStringArray>();
        Strings->SetAllocRowsBy(10);
        Strings->Resize(1, 1);
        Strings->Clear();
        FColName.assign(1, DefaultColName(1));
        FColumnFormat.assign(1, {});
        FColButMode.assign(1, cmNone);
    } catch (const std::bad_alloc&) {
        throw EQELRLDataError(kestrix::ComponentMessage(Name(), kestrix::ProblemInitOutOfMemory));
    } catch (const QEL_base::EQELDStructError&) {
        throw EQELRLDataError(kestrix::ComponentMessage(Name(), kestrix::ProblemInitOutOfMemory));
    }
    ConnectStore();
}

TRLData::~TRLData() = default;

void TRLData::ConnectStore() {
    Strings->OnBeforeSortExchange = [this](vcl::TObject* Sender, const std::string& Text,
                                           std::string& Key) {
        BeforeSortExchange(Sender, Text, Key);
    };
}

void TRLData::ReplaceStore(std::unique_ptr<QEL_base::TStringArray> NewStore) {
    NewStore->OnChange = std::move(Strings->OnChange);
    NewStore->OnPercentDone = std::move(Strings->OnPercentDone);
    NewStore->OnBeforeSortExchange = std::move(Strings->OnBeforeSortExchange);
    Strings = std::move(NewStore);
}

void TRLData::UpdateFeedback() {
    const int64_t Cells = static_cast<int64_t>(FNrOfRows) * (FNrOfCols + 1);
    FFeedbkNumCells = Cells <= 0 ? 1 : static_cast<int>(std::min<int64_t>(Cells, INT32_MAX));
    FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

void TRLData::ReportPercent(int Percent) {
    if (OnPercentDone) OnPercentDone(this, Percent);
}

void TRLData::ReportProgress(int64_t Done, int64_t Total, int& LastPercent) {
    const int Now = Total > 0 ? static_cast<int>(Done * 100 / Total) : 100;
    if (Now > LastPercent) ReportPercent(LastPercent = Now);
}

void TRLData::BeforeSortExchange(vcl::TObject*, const std::string& Text, std::string& Key) {
    if (OnBeforeSortExchange) OnBeforeSortExchange(this, Text, Key);
}

void TRLData::BeforeHTMLExport(std::string& Text, int Col, int Row) {
    if (OnBeforeHTMLExport) OnBeforeHTMLExport(this, Text, Col, Row);
}

// ---------------------------------------------------------------- 2. Cells and column settings

bool TRLData::IsCheckCol(int ACol) const {
    return ACol >= 1 && ACol <= FNrOfCols && FColButMode[ACol - 1] != cmNone;
}

bool TRLData::ValidCell(int ACol, int ARow) const {
    return ACol >= 0 && ACol <= FNrOfCols && ARow >= 1 && ARow <= FNrOfRows;
}

std::string TRLData::Elem(int ACol, int ARow) const {
    if (!ValidCell(ACol, ARow)) return {};
    const std::string_view Stored = Strings->StringView(ACol, ARow);
    if (IsCheckCol(ACol) && !Stored.empty()) return std::string(Stored.substr(1));
    return std::string(Stored);
}

void TRLData::SetElem(int ACol, int ARow, std::string_view Value) {
    if (!ValidCell(ACol, ARow)) return;
    if (IsCheckCol(ACol)) {
        const std::string_view Stored = Strings->StringView(ACol, ARow);
        std::string Text(1, Stored.empty() ? ' ' : Stored[0]);
        Text += Value;
        Strings->SetString(ACol, ARow, Text);
    } else {
        Strings->SetString(ACol, ARow, Value);
    }
}

bool TRLData::ElemChecked(int ACol, int ARow) const {
    if (!ValidCell(ACol, ARow) || !IsCheckCol(ACol)) return false;
    const std::string_view Stored = Strings->StringView(ACol, ARow);
    return !Stored.empty() && Stored[0] != ' ';
}

// The first stored character becomes the mark; an empty cell becomes the mark
// alone.
void TRLData::SetCheckChar(int ACol, int ARow, bool Checked) {
    std::string Text(Strings->StringView(ACol, ARow));
    const char Mark = Checked ? 'X' : ' ';
    if (Text.empty()) {
        Text.assign(1, Mark);
    } else if (Text[0] == Mark) {
        return;
    } else {
        // A check character is always a single byte; a stored text that
        // begins with a wider character had its mark replaced by it, and
        // the whole character must go so that no half of it stays behind.
        Text.replace(0, QEL_base::CutToChars(Text, 1).size(), 1, Mark);
    }
    Strings->SetString(ACol, ARow, Text);
}

void TRLData::SetElemChecked(int ACol, int ARow, bool Value) {
    if (!ValidCell(ACol, ARow) || !IsCheckCol(ACol)) return;
    if (FColButMode[ACol - 1] == cmRadio) SetAllCheckmarksOfColIntern(ACol, false, false);
    SetCheckChar(ACol, ARow, Value);
}

double TRLData::AsNumber(int ACol, int ARow) const {
    const std::string Stored = Strings->GetString(ACol, ARow);
    std::string_view Text = Stored;
    if (IsCheckCol(ACol) && !Text.empty()) Text.remove_prefix(1);
    while (!Text.empty() && Text.front() == ' ') Text.remove_prefix(1);
    while (!Text.empty() && Text.back() == ' ') Text.remove_suffix(1);
    if (Text.empty()) return 0.0;
    std::string Number(Text);
    std::replace(Number.begin(), Number.end(), ',', '.');
    double Value;
    int Code;
    vcl::Val(Number, Value, Code);
    if (Code != 0) {
        throw QEL_base::EQELDStructError("Class TRLData: invalid numeric string: [" +
                                         std::to_string(ACol) + "," + std::to_string(ARow) +
                                         "]: " + Stored);
    }
    return Value;
}

TNameStrType TRLData::Header(int ColNr) const {
    return ColNr >= 1 && ColNr <= FNrOfCols ? FColName[ColNr - 1] : TNameStrType();
}

void TRLData::SetHeader(int ColNr, std::string_view Value) {
    if (ColNr < 1 || ColNr > FNrOfCols) return;
    FColName[ColNr - 1] = QEL_base::CutToChars(Value, MaxNameChars);
}

TColFmtString TRLData::ColumnFormat(int ColNr) const {
    return ColNr >= 1 && ColNr <= FNrOfCols ? FColumnFormat[ColNr - 1] : TColFmtString();
}

void TRLData::SetColumnFormat(int ColNr, std::string_view Value) {
    if (ColNr < 1 || ColNr > FNrOfCols) return;
    FColumnFormat[ColNr - 1] = QEL_base::CutToChars(Value, MaxColFmtChars);
}

TCheckMode TRLData::ColumnCheckMode(int ColNr) const {
    return ColNr >= 1 && ColNr <= FNrOfCols ? FColButMode[ColNr - 1] : cmNone;
}

void TRLData::SetColumnCheckMode(int ColNr, TCheckMode Value) {
    if (ColNr < 1 || ColNr > FNrOfCols || Value > cmRadio) return;
    const TCheckMode Old = FColButMode[ColNr - 1];
    if (Value == Old) return;
    TChangeSuspender Quiet(*Strings);
    FColButMode[ColNr - 1] = Value;
    if (Old == cmNone) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            const std::string_view Stored = Strings->StringView(ColNr, r);
            if (!Stored.empty()) Strings->SetString(ColNr, r, " " + std::string(Stored));
        }
    } else if (Value == cmNone) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            const std::string_view Stored = Strings->StringView(ColNr, r);
            if (!Stored.empty()) Strings->SetString(ColNr, r, Stored.substr(1));
        }
    } else if (Value == cmRadio) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            if (!Strings->StringView(ColNr, r).empty()) SetCheckChar(ColNr, r, false);
        }
    }
}

bool TRLData::IsCheckedColumn(int ColNr) const { return ColumnCheckMode(ColNr) == cmBox; }

void TRLData::SetIsCheckedColumn(int ColNr, bool Value) {
    SetColumnCheckMode(ColNr, Value ? cmBox : cmNone);
}

void TRLData::SetCommonHeader(const std::string& Value) {
    if (Value == FCommonHeader) return;
    FCommonHeader = Value;
}

// ---------------------------------------------------------------- 3. Default values

namespace {

// The number at the start of Text: blanks skipped, optional sign, decimal
// digits up to the first other character; 0 without digits. Large values
// saturate instead of overflowing.
int LeadingNumber(std::string_view Text) {
    size_t i = 0;
    while (i < Text.size() && Text[i] == ' ') ++i;
    bool Negative = false;
    if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) Negative = Text[i++] == '-';
    int64_t Value = 0;
    for (; i < Text.size() && Text[i] >= '0' && Text[i] <= '9'; ++i) {
        Value = std::min<int64_t>(Value * 10 + (Text[i] - '0'), INT32_MAX);
    }
    return static_cast<int>(Negative ? -Value : Value);
}

std::string RowAsHex(int Row, int Digits) {
    // The digit count is taken as a byte and kept to what 32 bits can show
    // padded to 16 places.
    const int n = std::clamp(static_cast<int>(static_cast<uint8_t>(Digits)), 1, 16);
    uint64_t Value = static_cast<uint32_t>(Row);
    std::string Text(n, '0');
    for (int k = n - 1; k >= 0; --k, Value >>= 4) Text[k] = "0123456789ABCDEF"[Value & 0xF];
    return Text;
}

std::string RowAsDecimal(int Row, int Digits) {
    const int n = std::max(1, static_cast<int>(static_cast<uint8_t>(Digits)));
    uint64_t Value = Row < 0 ? -static_cast<int64_t>(Row) : Row;
    std::string Text(n, '0');
    for (int k = n - 1; k >= 0; --k, Value /= 10) Text[k] = static_cast<char>('0' + Value % 10);
    return Row < 0 ? "-" + Text : Text;
}

}  // namespace

// A format is a type group, a width group and a rest, "[i][60]rix3": the
// default comes from the rest as the type letter asks.
std::string TRLData::DefaultValue(int ACol, int ARow) const {
    const std::string Format = ColumnFormat(ACol);
    const size_t TypeEnd = Format.find(']');
    if (TypeEnd == std::string::npos) return {};
    std::string_view Rest = std::string_view(Format).substr(TypeEnd + 1);
    if (Rest.empty()) return {};
    const size_t WidthEnd = Rest.find(']');
    if (WidthEnd != std::string_view::npos) Rest.remove_prefix(WidthEnd + 1);

    const size_t Open = Format.find('[');
    const char Type = Open != std::string::npos && Open + 1 < TypeEnd ? Format[Open + 1] : '\0';
    const std::string Lower = AsciiLower(Rest);
    switch (Type) {
        case 'c':
        case 'l':
            return std::string(Rest.substr(0, Rest.find('|')));
        case 'd':
            return std::string(Rest);
        case 'e':
        case 'f':
        case 'h':
        case 'i': {
            if (Lower.find("rix") == std::string::npos) return std::string(Rest);
            const int n = LeadingNumber(Rest.size() > 3 ? Rest.substr(3) : std::string_view());
            if (Type == 'h') return RowAsHex(ARow, n);
            if (Type == 'i') return RowAsDecimal(ARow, n);
            return QEL_base::strff(ARow, 1, n);
        }
        case 's': {
            if (Lower.find("$pwd$") == std::string::npos) return std::string(Rest);
            const int n = LeadingNumber(Rest.size() > 5 ? Rest.substr(5) : std::string_view());
            // A cell holds at most 255 characters; a longer password would be
            // cut anyway, and an absurd length must not exhaust the memory.
            return QEL_base::InventPassword(std::clamp(n, 0, QEL_base::TStringArray::MaxCellChars));
        }
        default:
            return {};
    }
}

// ---------------------------------------------------------------- 4. Size and structure

void TRLData::SetNrOfRows(int Value) {
    const int a = std::max(Value, 0);
    Strings->Resize(std::max(FNrOfCols, 1), std::max(a, 1));
    if (a == 0) {
        // Blanked as SetElem would, while the old row count still holds: a
        // check column keeps its check character.
        for (int c = 1; c <= FNrOfCols; ++c) SetElem(c, 1, "");
        // The row stays in the store as a spare; its hidden text and its
        // selected or disabled bits must not come back when rows are added
        // again.
        if (FNrOfRows > 0) {
            Strings->SetString(0, 1, "");
            Strings->SetRowAttrib(1, 0);
        }
    }
    FNrOfRows = a;
    UpdateFeedback();
}

void TRLData::SetNrOfColumns(int Value) {
    const int a = std::max(Value, 1);
    const int Old = FNrOfCols;
    std::vector<TNameStrType> Names;
    std::vector<TColFmtString> Formats;
    std::vector<TCheckMode> Modes;
    try {
        Names.assign(FColName.begin(), FColName.begin() + std::min<size_t>(a, FColName.size()));
        Formats.assign(FColumnFormat.begin(),
                       FColumnFormat.begin() + std::min<size_t>(a, FColumnFormat.size()));
        Modes.assign(FColButMode.begin(),
                     FColButMode.begin() + std::min<size_t>(a, FColButMode.size()));
        Names.resize(a);
        Formats.resize(a);
        Modes.resize(a, cmNone);
    } catch (const std::bad_alloc&) {
        throw EQELRLDataError(kestrix::ComponentMessage(Name(), kestrix::ProblemNoHeap));
    }
    for (int c = Old + 1; c <= a; ++c) Names[c - 1] = DefaultColName(c);
    Strings->Resize(a, std::max(FNrOfRows, 1));
    FColName = std::move(Names);
    FColumnFormat = std::move(Formats);
    FColButMode = std::move(Modes);
    FNrOfCols = a;
    const int64_t Cells = static_cast<int64_t>(std::max(FNrOfRows, 1)) * (a + 1);
    FFeedbkNumCells = static_cast<int>(std::min<int64_t>(Cells, INT32_MAX));
    FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

void TRLData::InsertColumn(int c) {
    if (c < 1 || c > FNrOfCols) return;
    std::vector<TNameStrType> Names = FColName;
    std::vector<TColFmtString> Formats = FColumnFormat;
    std::vector<TCheckMode> Modes = FColButMode;
    Names.insert(Names.begin() + (c - 1), TNameStrType());
    Formats.insert(Formats.begin() + (c - 1), TColFmtString());
    Modes.insert(Modes.begin() + (c - 1), cmNone);
    Strings->InsertColumn(c);
    FColName = std::move(Names);
    FColumnFormat = std::move(Formats);
    FColButMode = std::move(Modes);
    ++FNrOfCols;
    UpdateFeedback();
}

void TRLData::RemoveColumn(int c) {
    if (c < 1 || c > FNrOfCols) return;
    Strings->CommitSorting();
    if (FNrOfCols >= 2) {
        Strings->RemoveColumn(c);
        FColName.erase(FColName.begin() + (c - 1));
        FColumnFormat.erase(FColumnFormat.begin() + (c - 1));
        FColButMode.erase(FColButMode.begin() + (c - 1));
        --FNrOfCols;
    } else {
        for (int r = 0; r <= FNrOfRows; ++r) Strings->SetString(c, r, "");
        FColName.assign(1, {});
        FColumnFormat.assign(1, {});
        FColButMode.assign(1, cmNone);
        FNrOfCols = 0;
    }
    UpdateFeedback();
}

void TRLData::InsertRow(int r) {
    if (r < 1 || r > FNrOfRows) return;
    Strings->CommitSorting();
    Strings->InsertRow(r);
    ++FNrOfRows;
    UpdateFeedback();
}

void TRLData::RemoveRow(int r) {
    if (r < 1 || r > FNrOfRows) return;
    Strings->CommitSorting();
    if (FNrOfRows >= 2) {
        Strings->RemoveRow(r);
        --FNrOfRows;
    } else {
        for (int c = 0; c <= FNrOfCols; ++c) Strings->SetString(c, r, "");
        // The row stays in the store as a spare; its selected or disabled
        // bits must not come back when rows are added again.
        Strings->SetRowAttrib(r, 0);
        FNrOfRows = 0;
    }
    UpdateFeedback();
}

void TRLData::RemoveEmptyRows() {
    for (int r = FNrOfRows; r >= 1; --r) {
        bool Empty = true;
        for (int c = 0; c <= FNrOfCols && Empty; ++c) Empty = Elem(c, r).empty();
        if (Empty) RemoveRow(r);
    }
}

void TRLData::CopyRow(int Source, int Target) {
    if (Source < 1 || Source > FNrOfRows || Target < 1 || Target > FNrOfRows) return;
    for (int c = 0; c <= FNrOfCols; ++c) {
        Strings->SetString(c, Target, Strings->StringView(c, Source));
    }
    Strings->SetRowAttrib(Target, Strings->GetRowAttrib(Source));
}

void TRLData::Clear() {
    Strings->Clear();
    for (int c = 1; c <= FNrOfCols; ++c) {
        FColName[c - 1] = DefaultColName(c);
        FColumnFormat[c - 1].clear();
        FColButMode[c - 1] = cmNone;
    }
}

void TRLData::Fill(std::string_view s) {
    for (int c = 1; c <= FNrOfCols; ++c) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            if (IsCheckCol(c)) {
                std::string Text(1, ElemChecked(c, r) ? 'X' : ' ');
                Text += s;
                Strings->SetString(c, r, Text);
            } else {
                Strings->SetString(c, r, s);
            }
        }
    }
}

int TRLData::ColumnIndex(std::string_view Head, bool PartialMatch) const {
    const std::string Wanted = AsciiLower(Head);
    for (int c = FNrOfCols; c >= 1; --c) {
        const std::string Name = AsciiLower(FColName[c - 1]);
        if (PartialMatch ? !Wanted.empty() && Name.find(Wanted) != std::string::npos
                         : Name == Wanted) {
            return c;
        }
    }
    return -1;
}

// ---------------------------------------------------------------- 5. Check marks

void TRLData::SetAllCheckmarksOfColIntern(int Column, bool Checked, bool AffectEnabledRowsOnly) {
    if (!IsCheckCol(Column)) return;
    for (int r = 1; r <= FNrOfRows; ++r) {
        if (AffectEnabledRowsOnly && (Strings->GetRowAttrib(r) & RowDisabled)) continue;
        SetCheckChar(Column, r, Checked);
    }
}

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked) {
    const TCheckMode Mode = ColumnCheckMode(Column);
    if (Mode == cmBox || (Mode == cmRadio && !Checked)) {
        SetAllCheckmarksOfColIntern(Column, Checked, false);
    }
}

void TRLData::InvertAllCheckmarksOfColIntern(int Column, bool AffectEnabledRowsOnly) {
    if (ColumnCheckMode(Column) != cmBox) return;
    for (int r = 1; r <= FNrOfRows; ++r) {
        if (AffectEnabledRowsOnly && (Strings->GetRowAttrib(r) & RowDisabled)) continue;
        const std::string_view Stored = Strings->StringView(Column, r);
        SetCheckChar(Column, r, Stored.empty() || Stored[0] != 'X');
    }
}

void TRLData::InvertAllCheckmarksOfCol(int Column) {
    InvertAllCheckmarksOfColIntern(Column, false);
}

int TRLData::CountCheckedElemsInCol(int Column) const {
    if (!IsCheckCol(Column)) return 0;
    int Count = 0;
    for (int r = 1; r <= FNrOfRows; ++r) Count += ElemChecked(Column, r);
    return Count;
}

int TRLData::CountCheckedElemsInRow(int Row) const {
    int Count = 0;
    for (int c = 1; c <= FNrOfCols; ++c) Count += ElemChecked(c, Row);
    return Count;
}

int TRLData::FirstCheckedElemInCol(int ColNr) const {
    if (!IsCheckCol(ColNr)) return 0;
    for (int r = 1; r <= FNrOfRows; ++r) {
        if (ElemChecked(ColNr, r)) return r;
    }
    return 0;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const {
    for (int c = 1; c <= FNrOfCols; ++c) {
        if (ElemChecked(c, RowNr)) return c;
    }
    return 0;
}

// ---------------------------------------------------------------- 6. Sorting, clipboard, Assign

void TRLData::Sort(int PrimCol, int SecCol, bool Ascending) {
    Sort(PrimCol, SecCol, Ascending, true);
}

void TRLData::Sort(int PrimCol, int SecCol, bool AscendPrim, bool AscendSec) {
    FSortColumnPrim = PrimCol;
    FSortColumnSec = SecCol;
    FSortOrderPrim = AscendPrim;
    FSortOrderSec = AscendSec;
    Strings->Sort(PrimCol, SecCol, AscendPrim, AscendSec);
}

void TRLData::UnSort() {
    FSortColumnPrim = -1;
    FSortColumnSec = -1;
    Strings->UnSort();
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              bool UseTabs) {
    if (UseTabs) {
        CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, std::string("\t"));
        return;
    }
    // Rows and columns beyond the table would only add empty text.
    LeftCol = std::max(LeftCol, 0);
    RightCol = std::min(RightCol, FNrOfCols);
    TopRow = std::max(TopRow, 1);
    BottomRow = std::min(BottomRow, FNrOfRows);
    std::vector<int> Width(std::max(RightCol - LeftCol + 1, 0), 0);
    for (int c = LeftCol; c <= RightCol; ++c) {
        int& w = Width[c - LeftCol];
        for (int r = TopRow; r <= BottomRow; ++r) {
            w = std::max(w, static_cast<int>(QEL_base::CharCount(Strings->StringView(c, r))));
        }
        if (AddHeader) w = std::max(w, static_cast<int>(QEL_base::CharCount(Header(c))));
    }
    std::string Text;
    if (AddHeader) {
        for (int c = LeftCol; c <= RightCol; ++c) {
            Text += QEL_base::LeftString(Header(c), Width[c - LeftCol] + 1);
        }
        Text += "\n\n";
    }
    for (int r = TopRow; r <= BottomRow; ++r) {
        for (int c = LeftCol; c <= RightCol; ++c) {
            Text += QEL_base::LeftString(Elem(c, r), Width[c - LeftCol] + 1);
        }
        Text += '\n';
    }
    vcl::Clipboard()->SetAsText(Text);
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              const std::string& Separator) {
    LeftCol = std::max(LeftCol, 0);
    RightCol = std::min(RightCol, FNrOfCols);
    TopRow = std::max(TopRow, 1);
    BottomRow = std::min(BottomRow, FNrOfRows);
    std::string Text;
    auto AppendLine = [&](auto&& CellText) {
        for (int c = LeftCol; c <= RightCol; ++c) {
            if (c > LeftCol) Text += Separator;
            Text += CellText(c);
        }
    };
    if (AddHeader) {
        AppendLine([&](int c) { return Header(c); });
        Text += "\n\n";
    }
    for (int r = TopRow; r <= BottomRow; ++r) {
        AppendLine([&](int c) { return Elem(c, r); });
        Text += '\n';
    }
    vcl::Clipboard()->SetAsText(Text);
}

void TRLData::Assign(vcl::TPersistent* Source) {
    auto* Src = dynamic_cast<TRLData*>(Source);
    if (!Src) {
        vcl::TComponent::Assign(Source);
        return;
    }
    if (Src == this) return;
    const int Cols = Src->FNrOfCols;
    const int Rows = Src->FNrOfRows;
    const QEL_base::TStringArray& From = *Src->Strings;

    // Everything is built aside first, so that a failure leaves this table
    // as it was.
    auto Store = std::make_unique<QEL_base::TStringArray>();
    Store->SetAllocRowsBy(From.AllocRowsBy());
    Store->Resize(std::max(Cols, 1), std::max(Rows, 1));
    for (int c = 1; c <= Cols; ++c) Store->SetColAttrib(c, From.GetColAttrib(c));
    std::vector<std::string_view> Row(Cols + 1);
    for (int i = 1; i <= Rows; ++i) {
        // Row i of the source's current order is physical row GetSortOrder(i);
        // its attribute byte goes with it, so that it stays on its row once
        // the same order is set up below.
        const int Phys = From.GetSortOrder(i);
        Store->SetRowAttrib(Phys, From.GetRowAttrib(i));
        for (int c = 0; c <= Cols; ++c) Row[c] = From.StringView(c, i);
        Store->SetRowStrings(Phys, 0, Row);
    }
    for (int i = 1; i <= Rows; ++i) Store->SetSortOrder(i, From.GetSortOrder(i));

    std::vector<TNameStrType> Names;
    std::vector<TColFmtString> Formats;
    std::vector<TCheckMode> Modes;
    try {
        Names = Src->FColName;
        Formats = Src->FColumnFormat;
        Modes = Src->FColButMode;
    } catch (const std::bad_alloc&) {
        throw EQELRLDataError(kestrix::ComponentMessage(Name(), kestrix::ProblemNoHeap));
    }

    // A view that owns this table has hooked the store; it must keep hearing
    // of changes after the contents were replaced.
    ReplaceStore(std::move(Store));
    FNrOfCols = Cols;
    FNrOfRows = Rows;
    FSortColumnPrim = Src->FSortColumnPrim;
    FSortColumnSec = Src->FSortColumnSec;
    FSortOrderPrim = Src->FSortOrderPrim;
    FSortOrderSec = Src->FSortOrderSec;
    FSortToggle = Src->FSortToggle;
    FComment = Src->FComment;
    FCommonHeader = Src->FCommonHeader;
    OnBeforeSortExchange = Src->OnBeforeSortExchange;
    FDataID = Src->FDataID;
    FColName = std::move(Names);
    FColumnFormat = std::move(Formats);
    FColButMode = std::move(Modes);
    const int64_t Cells = static_cast<int64_t>(std::max(Rows, 1)) * (Cols + 1);
    FFeedbkNumCells = static_cast<int>(std::min<int64_t>(Cells, INT32_MAX));
    FFeedbkStep = FFeedbkNumCells / 100 + 1;
    if (Strings->OnChange) Strings->OnChange(Strings.get());
}

void TRLData::AssignTo(vcl::TPersistent* Dest) {
    if (auto* D = dynamic_cast<TRLData*>(Dest)) {
        D->Assign(this);
        return;
    }
    vcl::TComponent::AssignTo(Dest);
}

}  // namespace QEL_replist
