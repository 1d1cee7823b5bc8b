#include "vcl/StdCtrls.h"

#include <algorithm>

#include "vcl/Clipboard.h"
#include "vcl/Forms.h"
#include "vcl/TypInfo.h"

namespace vcl {

namespace {

// ---- UTF-8 positions --------------------------------------------------------

bool IsContinuation(char C) { return (static_cast<unsigned char>(C) & 0xC0) == 0x80; }

int CharCount(const std::string& S) {
    return static_cast<int>(
        std::count_if(S.begin(), S.end(), [](char C) { return !IsContinuation(C); }));
}

// Byte offset of character Pos (clamped to the text).
size_t ByteOffset(const std::string& S, int Pos) {
    size_t I = 0;
    for (int N = 0; I < S.size() && N < Pos; ++N) {
        ++I;
        while (I < S.size() && IsContinuation(S[I])) ++I;
    }
    return I;
}

std::string Utf8(char32_t Ch) {
    std::string S;
    if (Ch < 0x80) {
        S += static_cast<char>(Ch);
    } else if (Ch < 0x800) {
        S += static_cast<char>(0xC0 | (Ch >> 6));
        S += static_cast<char>(0x80 | (Ch & 0x3F));
    } else if (Ch < 0x10000) {
        S += static_cast<char>(0xE0 | (Ch >> 12));
        S += static_cast<char>(0x80 | ((Ch >> 6) & 0x3F));
        S += static_cast<char>(0x80 | (Ch & 0x3F));
    } else {
        S += static_cast<char>(0xF0 | (Ch >> 18));
        S += static_cast<char>(0x80 | ((Ch >> 12) & 0x3F));
        S += static_cast<char>(0x80 | ((Ch >> 6) & 0x3F));
        S += static_cast<char>(0x80 | (Ch & 0x3F));
    }
    return S;
}

// A single-line edit keeps one line: line breaks and tabs of pasted text
// become blanks, other control characters are dropped.
std::string SingleLine(const std::string& S) {
    std::string R;
    for (char C : S) {
        if (C == '\r' || C == '\n' || C == '\t')
            R += ' ';
        else if (static_cast<unsigned char>(C) >= 0x20 && C != 0x7F)
            R += C;
    }
    return R;
}

constexpr int BorderWidth = 2;  // the sunken 3D border
constexpr int TextMargin = 1;   // between the border and the text

}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
    FControlStyle.Include(csOpaque);
    AdjustHeight();
}

// ---- Selection ----------------------------------------------------------------

int TCustomEdit::Length() const { return CharCount(Text()); }

int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }

void TCustomEdit::SetSelStart(int Value) {
    FAnchor = FCaret = std::clamp(Value, 0, Length());
    Invalidate();
}

int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelLength(int Value) {
    const int Start = SelStart();
    FAnchor = Start;
    FCaret = std::clamp(Start + std::max(Value, 0), Start, Length());
    Invalidate();
}

std::string TCustomEdit::SelText() const {
    const std::string& T = Text();
    const size_t From = ByteOffset(T, SelStart());
    return T.substr(From, ByteOffset(T, SelStart() + SelLength()) - From);
}

void TCustomEdit::SetSelText(const std::string& Value) {
    ReplaceRange(SelStart(), SelStart() + SelLength(), SingleLine(Value));
}

void TCustomEdit::SelectAll() {
    FAnchor = 0;
    FCaret = Length();
    Invalidate();
}

void TCustomEdit::ClearSelection() {
    if (!FReadOnly && SelLength() > 0) ReplaceRange(SelStart(), SelStart() + SelLength(), "");
}

void TCustomEdit::CopyToClipboard() {
    if (SelLength() > 0) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (FReadOnly) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
    if (FReadOnly || !Clipboard()->HasFormat(CF_TEXT)) return;
    SetSelText(Clipboard()->AsText());
}

void TCustomEdit::Undo() {
    if (FReadOnly || !CanUndo()) return;
    const std::string Redo = Text();
    FEditing = true;
    SetText(FUndoText);
    FEditing = false;
    FUndoText = Redo;
    FAnchor = FCaret = Length();
    Invalidate();
}

void TCustomEdit::ReplaceRange(int From, int To, const std::string& Insert) {
    std::string Piece = Insert;
    if (FMaxLength > 0) {
        // Cut the inserted text so the whole stays within MaxLength.
        const int Room = std::max(FMaxLength - (Length() - (To - From)), 0);
        Piece = Piece.substr(0, ByteOffset(Piece, Room));
    }
    const std::string& Old = Text();
    const size_t A = ByteOffset(Old, From);
    const size_t B = ByteOffset(Old, To);
    std::string New = Old.substr(0, A) + Piece + Old.substr(B);
    if (New == Old) return;
    FUndoText = Old;
    FAnchor = FCaret = From + CharCount(Piece);
    FEditing = true;
    SetText(New);
    FEditing = false;
}

void TCustomEdit::MoveCaret(int Pos, bool Extend) {
    FCaret = std::clamp(Pos, 0, Length());
    if (!Extend) FAnchor = FCaret;
    Invalidate();
}

// ---- Changes ------------------------------------------------------------------

void TCustomEdit::TextChanged() {
    const int Len = Length();
    if (FEditing) {
        FCaret = std::min(FCaret, Len);
        FAnchor = std::min(FAnchor, Len);
    } else {
        // A text set by code starts with the caret at its beginning.
        FAnchor = FCaret = 0;
    }
    TCustomControl::TextChanged();
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

// ---- Properties -----------------------------------------------------------------

void TCustomEdit::SetReadOnly(bool Value) {
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    Invalidate();
}

void TCustomEdit::SetMaxLength(int Value) { FMaxLength = std::max(Value, 0); }

void TCustomEdit::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    // An edit has a border or none; the form styles would not survive a form
    // file, whose names for an edit's border are bsNone and bsSingle only.
    if (Value != bsNone) Value = bsSingle;
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    AdjustHeight();
    Invalidate();
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomEdit::SetCtl3D(bool Value) {
    if (Value == FCtl3D) return;
    FCtl3D = Value;
    Invalidate();
}

void TCustomEdit::AdjustHeight() {
    if (!FAutoSize) return;
    TCanvas Measure;
    Measure.SetFont(Font());
    const int Border = FBorderStyle == bsNone ? 0 : 2 * BorderWidth;
    SetHeight(Measure.TextHeight("Wg") + Border + 2 * TextMargin + 2);
}

// ---- Keyboard -------------------------------------------------------------------

void TCustomEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool Extend = Shift.Contains(ssShift);
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
            case 'A':
                SelectAll();
                break;
            case 'C':
            case VK_INSERT:
                CopyToClipboard();
                break;
            case 'X':
                CutToClipboard();
                break;
            case 'V':
                PasteFromClipboard();
                break;
            case 'Z':
                Undo();
                break;
            case VK_LEFT:
                MoveCaret(0, Extend);
                break;
            case VK_RIGHT:
                MoveCaret(Length(), Extend);
                break;
        }
        return;
    }
    switch (Key) {
        case VK_LEFT:
            MoveCaret(SelLength() > 0 && !Extend ? SelStart() : FCaret - 1, Extend);
            break;
        case VK_RIGHT:
            MoveCaret(SelLength() > 0 && !Extend ? SelStart() + SelLength() : FCaret + 1, Extend);
            break;
        case VK_HOME:
            MoveCaret(0, Extend);
            break;
        case VK_END:
            MoveCaret(Length(), Extend);
            break;
        case VK_BACK:
            if (FReadOnly) break;
            if (SelLength() > 0)
                ClearSelection();
            else if (FCaret > 0)
                ReplaceRange(FCaret - 1, FCaret, "");
            break;
        case VK_DELETE:
            if (FReadOnly) break;
            if (Extend) {
                CutToClipboard();
            } else if (SelLength() > 0) {
                ClearSelection();
            } else if (FCaret < Length()) {
                ReplaceRange(FCaret, FCaret + 1, "");
            }
            break;
        case VK_INSERT:
            if (Extend) PasteFromClipboard();
            break;
    }
}

void TCustomEdit::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    // Control characters (Backspace, Tab, Enter, Ctrl+letter) were handled as
    // keys or belong to the form.
    if (Key < 0x20 || Key == 0x7F || FReadOnly) return;
    ReplaceRange(SelStart(), SelStart() + SelLength(), Utf8(Key));
}

void TCustomEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomEdit::WMSetFocus(TMessage& Message) {
    TCustomControl::WMSetFocus(Message);
    if (FAutoSelect && !FSelecting) SelectAll();
    Invalidate();
}

void TCustomEdit::WMKillFocus(TMessage& Message) {
    TCustomControl::WMKillFocus(Message);
    Invalidate();
}

// ---- Mouse ----------------------------------------------------------------------

int TCustomEdit::TextLeft(int TextWidth) const {
    const int Inner = (FBorderStyle == bsNone ? 0 : BorderWidth) + TextMargin;
    if (FAlignment == taRightJustify) return Width() - Inner - TextWidth - 1;
    if (FAlignment == taCenter) return (Width() - TextWidth) / 2;
    return Inner + 1;
}

int TCustomEdit::CharPosAt(int X) {
    TCanvas& C = *Canvas();
    C.SetFont(Font());
    const std::string& T = Text();
    const int Left = TextLeft(C.TextWidth(T));
    const int N = Length();
    // The boundary nearest to X: past a character's middle counts as after it.
    int Prev = 0;
    for (int I = 1; I <= N; ++I) {
        const int W = C.TextWidth(T.substr(0, ByteOffset(T, I)));
        if (X < Left + (Prev + W) / 2) return I - 1;
        Prev = W;
    }
    return N;
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        // A click places the caret: the focus must not select everything.
        FSelecting = true;
        if (CanFocus() && !Focused()) SetFocus();
        FSelecting = false;
        MoveCaret(CharPosAt(X), Shift.Contains(ssShift));
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
    if (Shift.Contains(ssLeft) && Focused()) MoveCaret(CharPosAt(X), true);
    TCustomControl::MouseMove(Shift, X, Y);
}

// ---- Painting -------------------------------------------------------------------

void TCustomEdit::Paint() {
    TCanvas& C = *Canvas();
    const int W = Width(), H = Height();
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    C.Pen()->SetColor(C.Brush()->Color());
    C.Rectangle(0, 0, W, H);
    if (FBorderStyle != bsNone) {
        // Sunken: shadow and dark shadow above and left, light and highlight
        // below and right.
        auto Edge = [&C](TColor TopLeft, TColor BottomRight, int L, int T, int R, int B) {
            C.Pen()->SetColor(TopLeft);
            C.MoveTo(L, B - 1);
            C.LineTo(L, T);
            C.LineTo(R, T);
            C.Pen()->SetColor(BottomRight);
            C.MoveTo(R - 1, T + 1);
            C.LineTo(R - 1, B - 1);
            C.LineTo(L, B - 1);
        };
        if (FCtl3D) {
            Edge(clBtnShadow, clBtnHighlight, 0, 0, W, H);
            Edge(cl3DDkShadow, cl3DLight, 1, 1, W - 1, H - 1);
        } else {
            Edge(clWindowFrame, clWindowFrame, 0, 0, W, H);
        }
    }

    C.SetFont(Font());
    const std::string& T = Text();
    const int Tw = C.TextWidth(T);
    const int X = TextLeft(Tw);
    const int Y = (H - C.TextHeight(T)) / 2;
    const int Inner = FBorderStyle == bsNone ? 0 : BorderWidth;
    const TRect Box = Rect(Inner, Inner, W - Inner, H - Inner);
    C.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    C.Brush()->SetStyle(bsClear);
    C.TextRect(Box, X, Y, T);

    const bool ShowSel = SelLength() > 0 && (Focused() || !FHideSelection);
    if (ShowSel) {
        const int X0 = X + C.TextWidth(T.substr(0, ByteOffset(T, SelStart())));
        const std::string Sel = SelText();
        C.Brush()->SetStyle(bsSolid);
        C.Brush()->SetColor(clHighlight);
        C.Font()->SetColor(clHighlightText);
        C.TextRect(
            Rect(std::max(X0, Inner), Inner, std::min(X0 + C.TextWidth(Sel), W - Inner), H - Inner),
            X0, Y, Sel);
    }
    if (Focused() && !ShowSel) {
        const int Cx = X + C.TextWidth(T.substr(0, ByteOffset(T, FCaret)));
        C.Pen()->SetColor(Font()->Color());
        C.MoveTo(Cx, Y);
        C.LineTo(Cx, Y + C.TextHeight("Wg"));
    }
}

namespace {

// The platform's edit publishes nothing itself: the classes built on it choose
// what to publish.
const bool CustomEditRegistered = [] {
    RegisterClass<TCustomEdit, TCustomControl>("TCustomEdit");
    return true;
}();

}  // namespace

}  // namespace vcl
