// TNumIO2: construction, properties, value and copying. Painting is in
// NumIO2Paint.cpp, keyboard, mouse and caret timer in NumIO2Input.cpp.
#include "numio/NumIO2.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "frame/ComponentMessage.h"
#include "frame/PaintBuffer.h"
#include "numio/NumIO2Internal.h"

namespace QEL_NumIO {

using kestrix::Half;
using namespace vcl;

namespace {

constexpr int MinHeight = 18;

// Caret positions count characters, so the buffer holds printable ASCII
// only: a pasted or assigned text with anything else is not a number text.
bool IsPrintableAscii(const std::string& S) {
    return std::all_of(S.begin(), S.end(), [](char C) { return C >= 0x20 && C <= 0x7E; });
}

}  // namespace

// ---- 1. Construction --------------------------------------------------------

TNumIO2::TNumIO2(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 160, 28);
    FButHeight = Height();
    SetTabStop(true);
    FControlStyle.Include(csOpaque);
    FCaretTimerH = std::make_unique<kestrix::TTimerWindow>([this] { CaretTimerEvent(); });
    UpdateTimer();
}

TNumIO2::~TNumIO2() = default;

void TNumIO2::Loaded() {
    TCustomControl::Loaded();
    ClampGauge();
    if (!FInBuffer.empty() && !CheckValidity(FInBuffer)) FInBuffer.clear();
    ClampCaretAndSelection();
    Paint();
}

void TNumIO2::CreateWnd() {
    TCustomControl::CreateWnd();
    FSuppressPaint = false;
}

// ---- 2. Setters -------------------------------------------------------------
//
// One pattern: return when unchanged, clamp, store, update what depends on
// it, paint. The deliberate exceptions say so.

void TNumIO2::SetText(const std::string& Value) {
    if (Value == FInBuffer) return;
    if (!Loading() && !Value.empty() && !CheckValidity(Value)) return;
    FInBuffer = Value;
    FCaretPos = FSelBegin = FSelEnd = 0;
    Paint();
}

// While a form file is read, the text stored in it already has the format,
// places and separator read after it: they are stored without rewriting it.
bool TNumIO2::Loading() const { return ComponentState().Contains(csLoading); }

void TNumIO2::SetInputFormat(TInFormat Value) {
    if (Value == FInputFormat || Value > itDynamic) return;
    const double V = this->Value();
    FInputFormat = Value;
    if (!Loading()) SetValue(V);
}

void TNumIO2::SetFixPointDecPlaces(int Value) {
    if (Value == FDecP || Value <= 0) return;
    const double V = this->Value();
    FDecP = std::min(Value, 15);
    if (!Loading()) SetValue(V);
}

void TNumIO2::SetSignificantDigits(int Value) {
    if (Value == FSigDig || Value <= 0) return;
    FSigDig = std::min(Value, 15);
    if (!Loading()) SetValue(this->Value());
}

void TNumIO2::SetDecPlaceSep(QEL_base::TDecPSep Value) {
    if (Value == FDecPSep || Value > QEL_base::dpEither) return;
    if (Value != QEL_base::dpEither && !Loading()) {
        auto SepChar = [](QEL_base::TDecPSep S) {
            if (S == QEL_base::dpPoint) return '.';
            if (S == QEL_base::dpComma) return ',';
            return FormatSettings.DecimalSeparator;
        };
        const char New = SepChar(Value);
        if (FDecPSep == QEL_base::dpEither) {
            std::replace(FInBuffer.begin(), FInBuffer.end(), '.', New);
            std::replace(FInBuffer.begin(), FInBuffer.end(), ',', New);
        } else {
            std::replace(FInBuffer.begin(), FInBuffer.end(), SepChar(FDecPSep), New);
        }
    }
    FDecPSep = Value;
    Paint();
}

void TNumIO2::SetRangeLow(double Value) {
    if (Value == FMinimum) return;
    FMinimum = Value;
    if (FMinimum > FMaximum) FMaximum = FMinimum;
    Paint();
}

void TNumIO2::SetRangeHigh(double Value) {
    if (Value == FMaximum) return;
    FMaximum = Value;
    if (FMaximum < FMinimum) FMinimum = FMaximum;
    Paint();
}

void TNumIO2::SetLeftText(const std::string& Value) {
    if (Value == FLeftText) return;
    FLeftText = Value;
    Paint();
}

void TNumIO2::SetRightText(const std::string& Value) {
    if (Value == FRightText) return;
    FRightText = Value;
    Paint();
}

void TNumIO2::SetLeftSpace(int Value) {
    if (Value == FLeftSpace || Value < 0) return;
    FLeftSpace = std::min(Value, Width());
    Paint();
}

void TNumIO2::SetTextBoxWidth(int Value) {
    if (Value == FTextBoxWidth) return;
    FTextBoxWidth = Value;
    Paint();
}

void TNumIO2::SetAlignment(TAlignment Value) {
    if (Value == FAlignment || Value > taCenter) return;
    FAlignment = Value;
    Paint();
}

void TNumIO2::SetLeftTextAlignment(TAlignment Value) {
    if (Value == FLTAlignment || Value > taCenter) return;
    FLTAlignment = Value;
    Paint();
}

void TNumIO2::SetRightTextAlignment(TAlignment Value) {
    if (Value == FRTAlignment || Value > taCenter) return;
    FRTAlignment = Value;
    Paint();
}

void TNumIO2::SetFrameStyle(QEL_base::TFrameStyle Value) {
    if (Value == FFrameStyle || Value > QEL_base::fsEmbossed) return;
    FFrameStyle = Value;
    Paint();
}

void TNumIO2::SetColorBoxBG(TColor Value) {
    if (Value == FColorBoxBG) return;
    FColorBoxBG = Value;
    Paint();
}

void TNumIO2::SetColorBoxText(TColor Value) {
    if (Value == FColorBoxText) return;
    FColorBoxText = Value;
    Paint();
}

void TNumIO2::SetColorOutBG(TColor Value) {
    if (Value == FColorOutBG) return;
    FColorOutBG = Value;
    Paint();
}

void TNumIO2::SetColorOutText(TColor Value) {
    if (Value == FColorOutText) return;
    FColorOutText = Value;
    Paint();
}

// The warning colours repaint even when unchanged.
void TNumIO2::SetColorWarnBG(TColor Value) {
    FColorWarnBG = Value;
    Paint();
}

void TNumIO2::SetColorWarnText(TColor Value) {
    FColorWarnTxt = Value;
    Paint();
}

void TNumIO2::SetColorScheme(QEL_base::TColorScheme Value) {
    if (Value == FColorScheme) return;
    ApplyColorScheme(Value);
    Paint();
}

void TNumIO2::SetButVisible(bool Value) {
    if (Value == FButVisible) return;
    FButVisible = Value;
    Paint();
}

void TNumIO2::SetButWidth(int Value) {
    if (Value == FButWidth) return;
    FButWidth = std::clamp(Value, 8, 50);
    Paint();
}

void TNumIO2::SetButHeight(int Value) {
    if (Value == FButHeight) return;
    FButHeight = std::min(std::max(Value, MinHeight), Height());
    Paint();
}

void TNumIO2::SetButSpace(int Value) {
    if (Value == FButSpace) return;
    FButSpace = std::clamp(Value, 0, 50);
    Paint();
}

void TNumIO2::SetBut3D(bool Value) {
    if (Value == FBut3D) return;
    FBut3D = Value;
    Paint();
}

void TNumIO2::SetButColor(TColor Value) {
    if (Value == FButColor) return;
    FButColor = Value;
    Paint();
}

void TNumIO2::SetButIncrem(double Value) {
    if (Value == FButIncrem) return;
    FButIncrem = Value;
    Paint();
}

void TNumIO2::SetFreezeBoxVisible(bool Value) {
    if (Value == FFreezeBoxVisib) return;
    FFreezeBoxVisib = Value;
    Paint();
}

void TNumIO2::SetFreezeBoxChecked(bool Value) {
    if (Value == FFreezeBoxChecked) return;
    FFreezeBoxChecked = Value;
    SetReadOnly(Value);
    Paint();
}

void TNumIO2::SetFreezeBoxSize(int Value) {
    if (Value == FFreezeBoxSize) return;
    FFreezeBoxSize = std::clamp(Value, 12, 25);
    // Centred in the band above the gauge, whether or not the gauge shows.
    FFreezeBoxTop = Half(Height() - (FGaugeHeight + FGaugeTopMarg + FFreezeBoxSize + 1));
    Paint();
}

void TNumIO2::SetFreezeBoxLeft(int Value) {
    if (Value == FFreezeBoxLeft) return;
    FFreezeBoxLeft = Value;
    Paint();
}

void TNumIO2::SetFreezeBoxTop(int Value) {
    if (Value == FFreezeBoxTop) return;
    FFreezeBoxTop = Value;
    Paint();
}

void TNumIO2::SetHideInputOnFreeze(bool Value) {
    if (Value == FHideInputOnFreeze) return;
    FHideInputOnFreeze = Value;
    Paint();
}

void TNumIO2::SetHideInputEditor(bool Value) {
    if (Value == FHideNumInEdi) return;
    FHideNumInEdi = Value;
    Paint();
}

void TNumIO2::SetHideSelection(bool Value) {
    if (Value == FHideSel) return;
    FHideSel = Value;
    Paint();
}

void TNumIO2::SetGaugeVisible(bool Value) {
    if (Value == FGaugeVisib) return;
    FGaugeVisib = Value;
    Paint();
}

void TNumIO2::SetGaugeHeight(int Value) {
    if (Value == FGaugeHeight) return;
    FGaugeHeight = Loading() ? std::max(Value, 3)
                             : std::max(std::min(Value, Height() - FGaugeTopMarg - MinHeight), 3);
    Paint();
}

void TNumIO2::SetGaugeWidth(int Value) {
    if (Value == FGaugeWidth) return;
    FGaugeWidth =
        Loading() ? std::max(Value, 10) : std::min(std::max(Value, 10), Width() - FGaugeLeftMarg);
    Paint();
}

void TNumIO2::SetGaugeLeftMargin(int Value) {
    if (Value == FGaugeLeftMarg) return;
    FGaugeLeftMarg =
        Loading() ? std::max(Value, 0) : std::max(std::min(Value, Width() - FGaugeWidth), 0);
    Paint();
}

void TNumIO2::SetGaugeTopMargin(int Value) {
    if (Value == FGaugeTopMarg) return;
    FGaugeTopMarg = Loading() ? std::max(Value, 0)
                              : std::max(std::min(Value, Height() - FGaugeHeight - MinHeight), 0);
    Paint();
}

// Each gauge size is bounded by its partner (width by left margin, height by
// top margin). A form file stores one before the other, so while it is read
// the sizes are taken as they come and bounded together once all are in:
// a gauge that fitted when it was saved comes back unchanged.
void TNumIO2::ClampGauge() {
    FGaugeWidth = std::min(std::max(FGaugeWidth, 10), Width() - FGaugeLeftMarg);
    FGaugeLeftMarg = std::max(std::min(FGaugeLeftMarg, Width() - FGaugeWidth), 0);
    FGaugeHeight = std::max(std::min(FGaugeHeight, Height() - FGaugeTopMarg - MinHeight), 3);
    FGaugeTopMarg = std::max(std::min(FGaugeTopMarg, Height() - FGaugeHeight - MinHeight), 0);
}

void TNumIO2::SetGaugeFrameStyle(QEL_base::TFrameStyle Value) {
    if (Value == FGaugeFrameSt || Value > QEL_base::fsEmbossed) return;
    FGaugeFrameSt = Value;
    Paint();
}

void TNumIO2::SetGaugeColor(TColor Value) {
    if (Value == FGaugeColor) return;
    FGaugeColor = Value;
    Paint();
}

void TNumIO2::SetGaugeColorBg(TColor Value) {
    if (Value == FGaugeColorBg) return;
    FGaugeColorBg = Value;
    Paint();
}

void TNumIO2::SetGaugeColorFrame(TColor Value) {
    if (Value == FGaugeColorFrm) return;
    FGaugeColorFrm = Value;
    Paint();
}

void TNumIO2::SetReadOnly(bool Value) {
    if (Value == FReadOnly) return;
    FReadOnly = Value;
    if (FReadOnly) {
        FCaretTimerH->Stop();
        FCaretVisib = false;
    } else {
        UpdateTimer();
    }
    Paint();
}

void TNumIO2::SetBeep(bool Value) {
    if (Value == FBeep) return;
    FBeep = Value;
    Paint();
}

void TNumIO2::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    Paint();
}

void TNumIO2::SetEnabled(bool Value) {
    TCustomControl::SetEnabled(Value);
    Refresh();
}

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AHeight = std::max(AHeight, MinHeight);
    if (AHeight < FButHeight) FButHeight = AHeight;
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// ---- 3. Value, range and selection -------------------------------------------

TSepMode TNumIO2::SepMode() const { return ResolveSepForNumIO2(FDecPSep); }

bool TNumIO2::CheckValidity(const std::string& Instring) const {
    return IsPrintableAscii(Instring) && CheckNumText(Instring, FInputFormat, SepMode(), FDecP);
}

double TNumIO2::Value() const { return NumIO2ValueOf(FInBuffer, FInputFormat); }

void TNumIO2::SetValue(double Value) {
    FInBuffer = NumIO2TextOf(Value, FInputFormat, FSigDig, FDecP);
    // A comma field writes its numbers with a comma, so that what it writes
    // passes its own test and can be edited further.
    if (SepMode() == smComma) std::replace(FInBuffer.begin(), FInBuffer.end(), '.', ',');
    ClampCaretAndSelection();
    Paint();
}

int TNumIO2::IntegerValue() const {
    const double V = Value();
    // Round would fail beyond 64 bits; decide on the double first.
    if (!(V > -2147483649.0 && V < 2147483648.0))
        throw EQELNumIO2Error(kestrix::ComponentMessage(Name(), kestrix::ProblemIntegerOverflow));
    const int64_t R = Round(V);
    if (R > std::numeric_limits<int>::max() || R < std::numeric_limits<int>::min())
        throw EQELNumIO2Error(kestrix::ComponentMessage(Name(), kestrix::ProblemIntegerOverflow));
    return static_cast<int>(R);
}

bool TNumIO2::OutOfRange() const {
    const double V = Value();
    return !(V >= FMinimum && V <= FMaximum);
}

void TNumIO2::SetSelBegin(int Value) {
    FSelBegin = std::clamp(Value, 0, TextLength(FInBuffer));
    FCaretPos = FSelBegin;
    if (FSelEnd < FSelBegin) FSelEnd = FSelBegin;
    Paint();
}

void TNumIO2::SetSelEnd(int Value) {
    FSelEnd = std::clamp(Value, 0, TextLength(FInBuffer));
    FCaretPos = FSelEnd;
    if (FSelBegin > FSelEnd) FSelBegin = FSelEnd;
    Paint();
}

// Writing a value or undoing a key can shorten the buffer under the caret.
void TNumIO2::ClampCaretAndSelection() {
    const int Len = TextLength(FInBuffer);
    FCaretPos = std::clamp(FCaretPos, 0, Len);
    FSelEnd = std::clamp(FSelEnd, 0, Len);
    FSelBegin = std::clamp(FSelBegin, 0, FSelEnd);
}

// ---- 4. Copying -----------------------------------------------------------------

void TNumIO2::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TNumIO2*>(Source);
    if (!S) {
        TCustomControl::Assign(Source);
        return;
    }
    FLeftSpace = S->FLeftSpace;
    FTextBoxWidth = S->FTextBoxWidth;
    FDecP = S->FDecP;
    FSigDig = S->FSigDig;
    FLeftText = S->FLeftText;
    FRightText = S->FRightText;
    FFrameStyle = S->FFrameStyle;
    FFreezeBoxVisib = S->FFreezeBoxVisib;
    FFreezeBoxSize = S->FFreezeBoxSize;
    FFreezeBoxLeft = S->FFreezeBoxLeft;
    FFreezeBoxTop = S->FFreezeBoxTop;
    FFreezeBoxChecked = S->FFreezeBoxChecked;
    FHideInputOnFreeze = S->FHideInputOnFreeze;
    FAlignment = S->FAlignment;
    FRTAlignment = S->FRTAlignment;
    FLTAlignment = S->FLTAlignment;
    FColorBoxBG = S->FColorBoxBG;
    FColorBoxText = S->FColorBoxText;
    FColorOutBG = S->FColorOutBG;
    FColorOutText = S->FColorOutText;
    FColBlackLine = S->FColBlackLine;
    FColGrayLine = S->FColGrayLine;
    FColWhiteLine = S->FColWhiteLine;
    FColorScheme = S->FColorScheme;
    FInputFormat = S->FInputFormat;
    FInBuffer = S->FInBuffer;
    FCaretPos = S->FCaretPos;
    FCaretVisib = S->FCaretVisib;
    FMouseAreaCode = S->FMouseAreaCode;
    FColorWarnBG = S->FColorWarnBG;
    FColorWarnTxt = S->FColorWarnTxt;
    FSelBegin = S->FSelBegin;
    FSelEnd = S->FSelEnd;
    FDecPSep = S->FDecPSep;
    FKeyShifted = S->FKeyShifted;
    FKeyCntrl = S->FKeyCntrl;
    FHideSel = S->FHideSel;
    FHideNumInEdi = S->FHideNumInEdi;
    FMaximum = S->FMaximum;
    FMinimum = S->FMinimum;
    FOnlineCheck = S->FOnlineCheck;
    FBeep = S->FBeep;
    FAutoSize = S->FAutoSize;
    // Through the setter, so that the caret timer follows.
    SetReadOnly(S->FReadOnly);
    Paint();
}

void TNumIO2::AssignTo(TPersistent* Dest) {
    if (auto* D = dynamic_cast<TNumIO2*>(Dest)) {
        D->Assign(this);
        return;
    }
    TCustomControl::AssignTo(Dest);
}

}  // namespace QEL_NumIO
