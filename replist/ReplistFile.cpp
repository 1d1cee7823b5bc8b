// Report-list file: header test, reader and writer.
//
//   1. Lines and the header test
//   2. Element lines: tag, attributes, content
//   3. The reader (ParseReplist)
//   4. The writer (AppendReplist)
#include "replist/ReplistFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "qelbase/Files.h"
#include "qelbase/Texts.h"
#include "replist/RLData.h"
#include "replist/XmlText.h"
#include "vcl/Classes.h"
#include "vcl/TextFiles.h"

namespace QEL_replist {

namespace {

// ---------------------------------------------------------------- 1. Lines

constexpr std::string_view DefaultCommonHeader = "QEL Report Listview";

// The line starting at Pos, without its end (LF, CRLF or CR); Pos moves past it.
std::string_view NextLine(std::string_view Text, size_t& Pos) {
    const char* Begin = Text.data() + Pos;
    const char* End = Text.data() + Text.size();
    const char* p = Begin;
    while (p < End && *p != '\n' && *p != '\r') ++p;
    std::string_view Line(Begin, p - Begin);
    if (p < End && *p == '\r') {
        ++p;
        if (p < End && *p == '\n') ++p;
    } else if (p < End) {
        ++p;
    }
    Pos = p - Text.data();
    return Line;
}

std::string AsciiLower(std::string_view S) {
    std::string Result(S);
    for (char& c : Result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return Result;
}

std::string_view TrimBlanks(std::string_view S) {
    while (!S.empty() && S.front() == ' ') S.remove_prefix(1);
    while (!S.empty() && S.back() == ' ') S.remove_suffix(1);
    return S;
}

std::string_view TrimWhite(std::string_view S) {
    while (!S.empty() && (S.front() == ' ' || S.front() == '\t')) S.remove_prefix(1);
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t')) S.remove_suffix(1);
    return S;
}

// ---------------------------------------------------------------- 2. Element lines

struct TElement {
    TRepListXmlTag Tag = xmlInvalid;
    std::string_view Content;  // still escaped
    int64_t Col = -1;          // -1: attribute missing
    int64_t Row = -1;
};

class TReplistParser {
public:
    TReplistParser(std::string_view Text, const TReplistLimits& Limits)
        : FText(Text), FLimits(Limits) {}

    std::optional<TReplistDocument> Run(std::string_view DataID,
                                        const std::function<void(int)>& Progress);

private:
    [[noreturn]] void Fail(const std::string& Problem) const {
        throw EQELRLDataError("Invalid report list, line " + std::to_string(FLineNr) + ": " +
                              Problem);
    }

    bool ParseElement(std::string_view Line, TElement& Element) const;
    int64_t ParseNumber(std::string_view Digits, const char* What) const;
    std::string Unescape(std::string_view Content) const;
    int ColumnOf(const TElement& Element, int Low, int High) const;
    void Apply(const TElement& Element);
    void CreateStore();
    void AddCell(int Col, int Row, std::string_view Content);
    void FlushRow();

    std::string_view FText;
    const TReplistLimits& FLimits;
    size_t FLineNr = 0;
    TReplistDocument FDoc;
    bool FHaveCols = false;
    bool FHaveRows = false;
    // The row whose cells are being gathered (0: none yet), its cells of
    // columns 0..NrOfColumns, and the decoded texts some of them point to.
    int FPendingRow = 0;
    std::vector<std::string_view> FRowCells;
    std::vector<std::string> FRowTexts;
};

int64_t TReplistParser::ParseNumber(std::string_view Digits, const char* What) const {
    int64_t Value = 0;
    if (Digits.empty() || Digits.size() > 12) Fail(std::string("bad ") + What);
    const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Value);
    if (Error != std::errc() || End != Digits.data() + Digits.size() || Value < 0) {
        Fail(std::string("bad ") + What + " \"" + std::string(Digits) + "\"");
    }
    return Value;
}

// Splits one trimmed line into tag, attributes and content. False for a line
// that is some other markup (xmlInvalid): a declaration, a comment, an
// element of a later version.
bool TReplistParser::ParseElement(std::string_view Line, TElement& Element) const {
    if (Line.empty()) return false;
    if (Line[0] != '<') Fail("text outside an element");
    size_t p = 1;
    if (p < Line.size() && Line[p] == '/') ++p;
    while (p < Line.size() &&
           ((Line[p] >= 'a' && Line[p] <= 'z') || (Line[p] >= 'A' && Line[p] <= 'Z'))) {
        ++p;
    }
    const std::string_view Name = Line.substr(1, p - 1);
    Element.Tag = xmlInvalid;
    for (size_t t = 0; t < xmlInvalid; ++t) {
        if (Name == RepListXmlTags[t]) Element.Tag = static_cast<TRepListXmlTag>(t);
    }
    if (Element.Tag == xmlInvalid) return false;
    if (p < Line.size() && Line[p] != ' ' && Line[p] != '\t' && Line[p] != '>' && Line[p] != '/') {
        return false;  // a longer, unknown name that starts like a known one
    }
    if (Element.Tag == xmlEndReplist) {
        if (TrimWhite(Line.substr(p)) != ">") Fail("malformed </replist>");
        return true;
    }

    Element.Col = Element.Row = -1;
    for (;;) {
        while (p < Line.size() && (Line[p] == ' ' || Line[p] == '\t')) ++p;
        if (p >= Line.size()) Fail("element <" + std::string(Name) + "> is not closed");
        if (Line[p] == '>') {
            ++p;
            break;
        }
        if (Line.substr(p) == "/>") {
            Element.Content = {};
            return true;
        }
        const size_t AttrStart = p;
        while (p < Line.size() && Line[p] != '=' && Line[p] != ' ' && Line[p] != '>') ++p;
        const std::string_view Attr = Line.substr(AttrStart, p - AttrStart);
        if (Attr.empty() || p + 1 >= Line.size() || Line[p] != '=' || Line[p + 1] != '"') {
            Fail("malformed attribute in <" + std::string(Name) + ">");
        }
        const size_t ValueStart = p + 2;
        const size_t ValueEnd = Line.find('"', ValueStart);
        if (ValueEnd == std::string_view::npos) Fail("attribute value is not closed");
        const std::string_view Value = Line.substr(ValueStart, ValueEnd - ValueStart);
        if (Attr == "col") {
            Element.Col = ParseNumber(Value, "column number");
        } else if (Attr == "row") {
            Element.Row = ParseNumber(Value, "row number");
        }
        p = ValueEnd + 1;
    }

    // The content runs up to the closing tag, which must end the line.
    const size_t CloseLen = Name.size() + 3;
    if (Line.size() < p + CloseLen || Line.substr(Line.size() - CloseLen, 2) != "</" ||
        Line.substr(Line.size() - CloseLen + 2, Name.size()) != Name || Line.back() != '>') {
        Fail("element <" + std::string(Name) + "> does not end on its line");
    }
    Element.Content = Line.substr(p, Line.size() - CloseLen - p);
    return true;
}

std::string TReplistParser::Unescape(std::string_view Content) const {
    auto Text = XmlUnescape(Content);
    if (!Text) Fail("unescaped \"<\" or bad character reference");
    return std::move(*Text);
}

int TReplistParser::ColumnOf(const TElement& Element, int Low, int High) const {
    if (!FHaveCols || !FHaveRows) Fail("numcols and numrows must come first");
    if (Element.Col < 0) Fail("column number missing");
    if (Element.Col < Low || Element.Col > High) {
        Fail("column " + std::to_string(Element.Col) + " outside the table");
    }
    return static_cast<int>(Element.Col);
}

void TReplistParser::CreateStore() {
    const uint64_t Cells =
        (static_cast<uint64_t>(FDoc.NrOfColumns) + 1) * (static_cast<uint64_t>(FDoc.NrOfRows) + 1);
    if (Cells > FLimits.MaxCells) {
        Fail("the declared table of " + std::to_string(FDoc.NrOfColumns) + " columns x " +
             std::to_string(FDoc.NrOfRows) + " rows needs " + std::to_string(Cells) +
             " cells, above the limit of " + std::to_string(FLimits.MaxCells));
    }
    const int StoreCols = std::max(FDoc.NrOfColumns, 1);
    FDoc.Cells = std::make_unique<QEL_base::TStringArray>();
    FDoc.Cells->SetAllocRowsBy(10);
    FDoc.Cells->Resize(StoreCols, std::max(FDoc.NrOfRows, 1));
    FDoc.ColNames.resize(StoreCols);
    FDoc.ColFormats.assign(StoreCols, {});
    FDoc.CheckModes.assign(StoreCols, cmNone);
    for (int c = 1; c <= FDoc.NrOfColumns; ++c) FDoc.ColNames[c - 1] = "C-" + std::to_string(c);
    FRowCells.assign(static_cast<size_t>(StoreCols) + 1, {});
    FRowTexts.assign(static_cast<size_t>(StoreCols) + 1, {});
}

// A file lists its cells row by row, so the cells of a row are gathered and
// stored in one go. A row beyond every row named so far is still empty in the
// new store, which lets the columns it does not name be written as empty; a
// cell of an earlier row goes to the store on its own.
void TReplistParser::AddCell(int Col, int Row, std::string_view Content) {
    const bool Escaped = Content.find_first_of("&<") != std::string_view::npos;
    if (Row < FPendingRow) {
        if (Escaped)
            FDoc.Cells->SetString(Col, Row, Unescape(Content));
        else
            FDoc.Cells->SetString(Col, Row, Content);
        return;
    }
    if (Row > FPendingRow) {
        FlushRow();
        FPendingRow = Row;
    }
    if (Escaped) {
        FRowTexts[Col] = Unescape(Content);
        Content = FRowTexts[Col];
    }
    FRowCells[Col] = Content;
}

void TReplistParser::FlushRow() {
    if (FPendingRow == 0) return;
    FDoc.Cells->SetRowStrings(FPendingRow, 0, FRowCells);
    std::fill(FRowCells.begin(), FRowCells.end(), std::string_view());
}

void TReplistParser::Apply(const TElement& Element) {
    switch (Element.Tag) {
        case xmlNumCols:
        case xmlNumRows: {
            bool& Have = Element.Tag == xmlNumCols ? FHaveCols : FHaveRows;
            if (Have) Fail("second <" + std::string(RepListXmlTags[Element.Tag]) + ">");
            const int64_t Value = ParseNumber(TrimWhite(Element.Content), "count");
            const int64_t Max = Element.Tag == xmlNumCols ? FLimits.MaxColumns : FLimits.MaxRows;
            if (Value > Max)
                Fail("count " + std::to_string(Value) + " above " + std::to_string(Max));
            (Element.Tag == xmlNumCols ? FDoc.NrOfColumns : FDoc.NrOfRows) =
                static_cast<int>(Value);
            Have = true;
            if (FHaveCols && FHaveRows) CreateStore();
            break;
        }
        case xmlCommonHd:
            FDoc.CommonHeader = Unescape(Element.Content);
            break;
        case xmlComment:
            FDoc.Comment = Unescape(Element.Content);
            break;
        case xmlColName: {
            const int c = ColumnOf(Element, 1, FDoc.NrOfColumns);
            FDoc.ColNames[c - 1] = QEL_base::CutToChars(Unescape(Element.Content), MaxNameChars);
            break;
        }
        case xmlColumnFormat: {
            const int c = ColumnOf(Element, 1, FDoc.NrOfColumns);
            FDoc.ColFormats[c - 1] =
                QEL_base::CutToChars(Unescape(Element.Content), MaxColFmtChars);
            break;
        }
        case xmlCheckedColumn: {
            const int c = ColumnOf(Element, 1, FDoc.NrOfColumns);
            const int64_t Mode = ParseNumber(TrimWhite(Element.Content), "check mode");
            if (Mode > cmRadio) Fail("bad check mode " + std::to_string(Mode));
            FDoc.CheckModes[c - 1] = static_cast<TCheckMode>(Mode);
            break;
        }
        case xmlCell: {
            const int c = ColumnOf(Element, 0, FDoc.NrOfColumns);
            if (Element.Row < 1 || Element.Row > FDoc.NrOfRows) {
                Fail(Element.Row < 0 ? "row number missing"
                                     : "row " + std::to_string(Element.Row) + " outside the table");
            }
            AddCell(c, static_cast<int>(Element.Row), Element.Content);
            break;
        }
        case xmlEndReplist:
        case xmlInvalid:
            break;
    }
}

// ---------------------------------------------------------------- 3. The reader

std::optional<TReplistDocument> TReplistParser::Run(std::string_view DataID,
                                                    const std::function<void(int)>& Progress) {
    size_t Pos = 0;
    bool Found = false;
    while (Pos < FText.size()) {
        ++FLineNr;
        if (IsReplistHeader(NextLine(FText, Pos), DataID)) {
            Found = true;
            break;
        }
    }
    if (!Found) return std::nullopt;

    FDoc.CommonHeader = DefaultCommonHeader;
    int Percent = -1;
    size_t NextReport = 0;  // text position at which the next percentage is due
    auto Report = [&] {
        if (!Progress || Pos < NextReport) return;
        const int Now = static_cast<int>(Pos * 100 / std::max<size_t>(FText.size(), 1));
        if (Now > Percent) {
            Percent = Now;
            Progress(Percent);
        }
        NextReport = FText.size() * (Percent + 1) / 100;
    };
    Report();

    TElement Element;
    while (Pos < FText.size()) {
        ++FLineNr;
        const std::string_view Line = TrimWhite(NextLine(FText, Pos));
        if (ParseElement(Line, Element)) {
            if (Element.Tag == xmlEndReplist) {
                if (!FHaveCols || !FHaveRows) Fail("numcols or numrows missing");
                FlushRow();
                FDoc.Consumed = Pos;
                if (Progress && Percent < 100) Progress(100);
                return std::move(FDoc);
            }
            Apply(Element);
        }
        Report();
    }
    Fail("the report list ends before </replist>");
}

}  // namespace

std::string ReplistHeaderLine(std::string_view DataID) {
    std::string Line = "<replist format=\"vornelsix\" version=\"1\" id=\"";
    AppendXmlEscaped(Line, DataID);
    Line += "\">";
    return Line;
}

bool IsReplistHeader(std::string_view Line, std::string_view DataID) {
    // Cheap test first: most lines a reader skips hold no "<" at all.
    if (Line.find('<') == std::string_view::npos) return false;
    const std::string Lower = AsciiLower(Line);
    if (Lower.find("<replist") == std::string::npos ||
        Lower.find("vornelsix") == std::string::npos) {
        return false;
    }
    if (DataID.empty()) return true;
    std::string Id;
    const size_t Attr = Lower.find("id=\"");
    if (Attr != std::string::npos) {
        const size_t Close = Lower.find('"', Attr + 4);
        if (Close != std::string::npos) {
            const std::string_view Raw =
                TrimBlanks(std::string_view(Lower).substr(Attr + 4, Close - Attr - 4));
            const auto Decoded = XmlUnescape(Raw);
            Id = Decoded ? AsciiLower(TrimBlanks(*Decoded)) : std::string(Raw);
        }
    }
    // The argument is trimmed like the identifier in the line, so that an
    // identifier with surrounding blanks still finds the list written with it.
    return Id == AsciiLower(TrimBlanks(DataID));
}

// Read as a text file, so that a file that cannot be opened raises the same
// input/output error as the other text-file routines.
bool CheckIfValidReplist(const std::string& FileName, const std::string& DataID) {
    vcl::TextFile File;
    vcl::AssignFile(File, FileName);
    vcl::Reset(File);
    std::string Line;
    bool Found = false;
    while (!Found && !vcl::Eof(File)) {
        vcl::ReadLn(File, Line);
        Found = IsReplistHeader(Line, DataID);
    }
    vcl::CloseFile(File);
    return Found;
}

bool CheckIfValidReplist(vcl::TStream& InStream, const std::string& DataID) {
    std::string Line;
    while (QEL_base::ReadLnStream(InStream, Line)) {
        if (IsReplistHeader(Line, DataID)) return true;
    }
    return false;
}

TReplistLimits TReplistLimits::ForInput(size_t InputBytes) {
    TReplistLimits Limits;
    Limits.MaxCells = InputCellLimit(InputBytes);
    return Limits;
}

uint64_t InputCellLimit(size_t InputBytes) {
    const uint64_t Cap = TReplistLimits().MaxCells;
    // Compared before multiplying, so that no input size can overflow.
    if (InputBytes >= Cap / CellsPerInputByte) return Cap;
    return std::min(Cap, std::max(MinInputCells, CellsPerInputByte * InputBytes));
}

std::optional<TReplistDocument> ParseReplist(std::string_view Text, std::string_view DataID,
                                             const TReplistLimits& Limits,
                                             const std::function<void(int)>& Progress) {
    return TReplistParser(Text, Limits).Run(DataID, Progress);
}

// ---------------------------------------------------------------- 4. The writer

namespace {

void AppendElement(std::string& Out, TRepListXmlTag Tag, std::string_view Attrs,
                   std::string_view Text) {
    const std::string_view Name = RepListXmlTags[Tag];
    Out += '<';
    Out += Name;
    Out += Attrs;
    Out += '>';
    AppendXmlEscaped(Out, Text);
    Out += "</";
    Out += Name;
    Out += ">\n";
}

std::string ColAttr(int Col) { return " col=\"" + std::to_string(Col) + "\""; }

}  // namespace

void AppendReplist(std::string& Out, const TRLData& Data, bool CreateHeader,
                   std::string_view DataID, const std::function<void(int)>& Progress) {
    const int Cols = Data.NrOfColumns();
    const int Rows = Data.NrOfRows();
    if (CreateHeader) {
        Out += ReplistHeaderLine(DataID);
        Out += '\n';
    }
    AppendElement(Out, xmlNumCols, {}, std::to_string(Cols));
    AppendElement(Out, xmlNumRows, {}, std::to_string(Rows));
    AppendElement(Out, xmlCommonHd, {}, Data.CommonHeader());
    AppendElement(Out, xmlComment, {}, Data.Comment());
    for (int c = 1; c <= Cols; ++c) {
        const std::string Attr = ColAttr(c);
        AppendElement(Out, xmlColName, Attr, Data.Header(c));
        if (!Data.ColumnFormat(c).empty()) {
            AppendElement(Out, xmlColumnFormat, Attr, Data.ColumnFormat(c));
        }
        if (Data.ColumnCheckMode(c) != cmNone) {
            AppendElement(Out, xmlCheckedColumn, Attr, std::to_string(Data.ColumnCheckMode(c)));
        }
    }

    int Percent = -1;
    char Attrs[48];
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 0; c <= Cols; ++c) {
            const std::string_view Text = Data.Strings->StringView(c, r);
            if (Text.empty()) continue;
            std::snprintf(Attrs, sizeof Attrs, " col=\"%d\" row=\"%d\"", c, r);
            AppendElement(Out, xmlCell, Attrs, Text);
        }
        if (Progress) {
            const int Now = static_cast<int>(static_cast<int64_t>(r) * 100 / Rows);
            if (Now > Percent) Progress(Percent = Now);
        }
    }
    Out += "</replist>\n";
    if (Progress && Percent < 100) Progress(100);
}

}  // namespace QEL_replist
