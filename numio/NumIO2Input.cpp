// TNumIO2: keyboard, mouse and the caret timer.
#include <algorithm>
#include <cmath>

#include "frame/PaintBuffer.h"
#include "numio/NumIO2.h"
#include "numio/NumIO2Internal.h"
#include "vcl/Clipboard.h"
#include "vcl/Forms.h"

namespace QEL_NumIO {

using kestrix::Half;
using namespace vcl;

namespace {

constexpr unsigned CaretBlinkMs = 500;

// The character a key types, or 0 for a key that types nothing. The table is
// a United States layout: the component maps key codes, not the characters
// the active layout produces.
char KeyChar(uint16_t Key, bool Shifted) {
    if (Key >= '0' && Key <= '9') {
        // Shift+4, 5, 6 type the prefixes of the dynamic format.
        if (Shifted && Key == '4') return '$';
        if (Shifted && Key == '5') return '%';
        if (Shifted && Key == '6') return '&';
        return static_cast<char>(Key);
    }
    if (Key >= 'A' && Key <= 'F') return static_cast<char>(Key);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return static_cast<char>('0' + Key - VK_NUMPAD0);
    switch (Key) {
        case VK_ADD:
        case VK_OEM_PLUS:
            return '+';
        case VK_SUBTRACT:
        case VK_OEM_MINUS:
            return '-';
        case VK_DECIMAL:
        case VK_OEM_COMMA:
            return ',';
        case VK_OEM_PERIOD:
            return '.';
    }
    return 0;
}

}  // namespace

// ---- 1. Keyboard ------------------------------------------------------------
//
// A key goes through these steps:
//   Shift/Ctrl          remember the modifier, nothing else
//   read-only           only Ctrl+C gets further
//   save                buffer and caret, for the undo below
//   Ctrl+C/X/V          clipboard; other Ctrl keys only beep
//   key table           move the caret, delete, or type a character
//   check               a buffer the format rejects is undone (beep);
//                       "", "-" and "+" stay, as beginnings of any number
//   fixed point         among the decimals the next character is selected,
//                       so the next digit replaces it
//   finish              caret visible, OnChange when the text changed, paint

void TNumIO2::CNKeyDown(TWMKey& Message) {
    // The key stays unhandled, so the platform's key events (and the form's
    // key preview) still see it afterwards.
    HandleKey(Message.CharCode);
    Message.Result = 0;
}

void TNumIO2::CNKeyUp(TWMKey& Message) {
    if (Message.CharCode == VK_SHIFT) FKeyShifted = false;
    if (Message.CharCode == VK_CONTROL) FKeyCntrl = false;
    Message.Result = 0;
}

void TNumIO2::WMGetDlgCode(TMessage& Message) {
    // The arrows move the caret and Tab is handled by the key table.
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
}

void TNumIO2::HandleKey(uint16_t Key) {
    if (Key == VK_SHIFT) {
        FKeyShifted = true;
        return;
    }
    if (Key == VK_CONTROL) {
        FKeyCntrl = true;
        return;
    }
    const TShiftState Now = CurrentShiftState();
    const bool Shifted = FKeyShifted || Now.Contains(ssShift);
    const bool Ctrl = FKeyCntrl || Now.Contains(ssCtrl);
    if (FReadOnly && !(Ctrl && Key == 'C')) return;

    const std::string SavedBuffer = FInBuffer;
    const int SavedCaret = FCaretPos;
    bool ChangeFlag = false;
    auto BeepIfAsked = [this] {
        if (FBeep) MessageBeep(MB_SIMPLEBEEP);
    };
    auto Selection = [this] {
        return FInBuffer.substr(static_cast<size_t>(FSelBegin),
                                static_cast<size_t>(FSelEnd - FSelBegin));
    };

    if (Ctrl) {
        if (Key == 'C' || Key == 'X') {
            if (FSelBegin < FSelEnd) Clipboard()->SetAsText(Selection());
            if (Key == 'X') DeleteSelection(ChangeFlag);
        } else if (Key == 'V') {
            if (Clipboard()->HasFormat(CF_TEXT)) {
                const std::string Paste = Clipboard()->AsText();
                // Only a real selection moves the caret: after caret keys the
                // (empty) selection may lie elsewhere.
                if (FSelBegin < FSelEnd) {
                    FInBuffer.erase(static_cast<size_t>(FSelBegin),
                                    static_cast<size_t>(FSelEnd - FSelBegin));
                    FCaretPos = FSelBegin;
                }
                FInBuffer.insert(static_cast<size_t>(FCaretPos), Paste);
                FCaretPos += TextLength(Paste);
                ChangeFlag = true;
                FSelBegin = FSelEnd = 0;
            }
        } else {
            BeepIfAsked();
        }
    } else {
        const int Len = TextLength(FInBuffer);
        switch (Key) {
            case VK_BACK:
                if (FSelBegin < FSelEnd) {
                    DeleteSelection(ChangeFlag);
                } else if (FCaretPos > 0) {
                    FInBuffer.erase(static_cast<size_t>(FCaretPos - 1), 1);
                    --FCaretPos;
                    ChangeFlag = true;
                }
                break;
            case VK_TAB:
                if (TCustomForm* Form = GetParentForm(this)) Form->SelectNext(this, !Shifted, true);
                break;
            case VK_END:
                FCaretPos = Len;
                break;
            case VK_HOME:
                FCaretPos = 0;
                break;
            case VK_LEFT:
            case VK_UP:
                FCaretPos = std::max(FCaretPos - 1, 0);
                break;
            case VK_RIGHT:
            case VK_DOWN:
                FCaretPos = std::min(FCaretPos + 1, Len);
                break;
            case VK_DELETE:
                if (FSelBegin < FSelEnd) {
                    DeleteSelection(ChangeFlag);
                } else if (FCaretPos < Len) {
                    FInBuffer.erase(static_cast<size_t>(FCaretPos), 1);
                    ChangeFlag = true;
                }
                break;
            default: {
                const char Ch = KeyChar(Key, Shifted);
                if (Ch == 0) {
                    BeepIfAsked();
                    break;
                }
                if (FSelBegin < FSelEnd) {
                    FInBuffer.erase(static_cast<size_t>(FSelBegin),
                                    static_cast<size_t>(FSelEnd - FSelBegin));
                    FCaretPos = FSelEnd = FSelBegin;
                }
                FInBuffer.insert(static_cast<size_t>(FCaretPos), 1, Ch);
                ++FCaretPos;
                ChangeFlag = true;
                break;
            }
        }
    }

    if (FOnlineCheck && !FInBuffer.empty() && FInBuffer != "-" && FInBuffer != "+" &&
        !CheckValidity(FInBuffer)) {
        FInBuffer = SavedBuffer;
        FCaretPos = SavedCaret;
        ChangeFlag = false;
        BeepIfAsked();
    }
    ClampCaretAndSelection();

    const int Len = TextLength(FInBuffer);
    if (FInputFormat == itFixPoint && FCaretPos > Len - FDecP - 1) {
        FSelBegin = FCaretPos;
        FSelEnd = std::min(FCaretPos + 1, Len);
    } else {
        FSelBegin = FSelEnd;
    }
    ClampCaretAndSelection();

    FCaretVisib = true;
    if (ChangeFlag) Changed();
    Paint();
}

void TNumIO2::DeleteSelection(bool& ChangeFlag) {
    FInBuffer.erase(static_cast<size_t>(FSelBegin), static_cast<size_t>(FSelEnd - FSelBegin));
    if (FInBuffer.empty()) SetValue(0.0);
    FCaretPos = FSelEnd = FSelBegin;
    ClampCaretAndSelection();
    ChangeFlag = true;
}

void TNumIO2::Changed() {
    if (OnChange) OnChange(this);
}

// ---- 2. Mouse -----------------------------------------------------------------

size_t TNumIO2::NearestPivot(double V) const {
    double Best = QEL_base::uc_MaxReal;
    size_t D = 0;
    for (size_t I = 0; I < ButtonPivots.size(); ++I) {
        const double Dist = std::fabs(ButtonPivots[I] - V);
        if (Dist < Best) {
            Best = Dist;
            D = I;
        }
    }
    return D;
}

double TNumIO2::SnapToPivot(double V) const {
    return ButtonPivots.empty() ? V : ButtonPivots[NearestPivot(V)];
}

double TNumIO2::GaugeValueAt(int X) const {
    // A gauge squeezed to no width by a narrow control takes its left end.
    const double F = FGaugeWidth > 0 ? static_cast<double>(X - FGaugeLeftMarg) / FGaugeWidth : 0.0;
    const double V = SnapToPivot(GaugePoint(F, FMinimum, FMaximum));
    return std::clamp(V, FMinimum, FMaximum);
}

void TNumIO2::SpinClick(bool Up) {
    const double Cur = Value();
    double New;
    if (ButtonPivots.empty()) {
        New = std::clamp(Up ? Cur + FButIncrem : Cur - FButIncrem, FMinimum, FMaximum);
    } else {
        const double Eps = std::pow(10.0, -FDecP);
        size_t D = NearestPivot(Cur);
        // From a pivot (within eps) step to the next one; from between two
        // pivots jump to the nearest one in the direction of the click.
        if (Up && Cur >= ButtonPivots[D] - Eps && D + 1 < ButtonPivots.size()) ++D;
        if (!Up && Cur <= ButtonPivots[D] + Eps && D > 0) --D;
        New = ButtonPivots[D];
    }
    SetValue(New);
    Changed();
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const int G = GaugeStrip();
    const int H = Height();
    if (!FReadOnly) FCaretVisib = true;
    if (Y > 0 && Y < H - G) {
        const int P = XCoordsToCharPos(X);
        SetSelBegin(P);
        SetSelEnd(P);
        Paint();
    }
    if (FGaugeVisib && !FReadOnly && Y > H - G && X >= FGaugeLeftMarg &&
        X <= FGaugeLeftMarg + FGaugeWidth) {
        SetValue(GaugeValueAt(X));
        FValueChanged = true;
    }
    const int ButLeft = FLeftSpace + FTextBoxWidth + FButSpace;
    if (FButVisible && !FReadOnly && X > ButLeft && X < ButLeft + FButWidth && Y > 0 &&
        Y < FButHeight)
        SpinClick(Y <= Half(FButHeight));
    const int Fx = FreezeBoxX();
    if (FFreezeBoxVisib && X > Fx && X < Fx + FFreezeBoxSize && Y > FFreezeBoxTop &&
        Y < FFreezeBoxTop + FFreezeBoxSize) {
        const bool Checked = !FFreezeBoxChecked;
        FFreezeBoxChecked = Checked;
        FHideNumInEdi = FHideInputOnFreeze ? Checked : false;
        SetReadOnly(Checked);
        Paint();
        Changed();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
    FMouseAreaCode = X <= FLeftSpace ? 0 : (X <= FLeftSpace + FTextBoxWidth ? 1 : 2);
    if (Shift.Contains(ssLeft)) {
        const int G = GaugeStrip();
        const int H = Height();
        if (Y > 0 && Y < H - G) {
            const int P = XCoordsToCharPos(X);
            if (P > FSelBegin)
                SetSelEnd(P);
            else
                SetSelBegin(P);
        }
        if (FGaugeVisib && !FReadOnly && Y > H - G && X >= FGaugeLeftMarg - 1 &&
            X <= FGaugeLeftMarg + FGaugeWidth + 1) {
            const double V = GaugeValueAt(X);
            SetValue(V);
            FValueChanged = true;
            if (OnGaugeChange) OnGaugeChange(this, Shift, V);
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FValueChanged) {
        FValueChanged = false;
        Changed();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TNumIO2::Click() {
    // A field on a hidden form cannot take the focus; the click still counts.
    if (CanFocus()) SetFocus();
    if (!FReadOnly) UpdateTimer();
    TCustomControl::Click();
}

// ---- 3. Caret timer and focus -------------------------------------------------

void TNumIO2::UpdateTimer() {
    FCaretTimerH->Stop();
    FCaretVisib = true;
    FCaretTimerH->Start<EQELNumIO2Error>(CaretBlinkMs, Name());
    Paint();
}

void TNumIO2::CaretTimerEvent() {
    if (Focused()) {
        FCaretVisib = !FCaretVisib;
    } else {
        FCaretTimerH->Stop();
        FCaretVisib = false;
    }
    Paint();
}

void TNumIO2::WMSetFocus(TMessage& Message) {
    TCustomControl::WMSetFocus(Message);
    if (!FReadOnly) UpdateTimer();
}

void TNumIO2::SetFocus() {
    TCustomControl::SetFocus();
    if (!FReadOnly) UpdateTimer();
}

}  // namespace QEL_NumIO
