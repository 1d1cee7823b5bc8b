// TNumLab. Sections:
//   value text   FormatValue and the helpers of each display type
//   properties   constructor, Assign, setters
//   painting     Paint and its steps, in drawing order
//   mouse        MouseAreaCode
//   registry     the published properties, for form files
#include "displays/NumLab.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "frame/Engraved.h"
#include "frame/PaintBuffer.h"
#include "frame/StyleColors.h"
#include "qelbase/Frames.h"
#include "qelbase/Types.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace QEL_NumLab {

// ---------------------------------------------------------------- value text

namespace {

// Our own texts are written with a point; the separator rule turns it into
// what Comma asks for.
vcl::TFormatSettings PointSettings() {
    vcl::TFormatSettings S = vcl::FormatSettings;
    S.DecimalSeparator = '.';
    return S;
}

std::string Fixed(double V, int Decimals) {
    return vcl::Format("%*.*f", {1, Decimals, V}, PointSettings());
}

// Round to 64 bits, or nothing for values that have no such integer.
std::optional<int64_t> Rounded(double V) {
    if (!std::isfinite(V) || V >= 0x1p63 || V < -0x1p63) return std::nullopt;
    return vcl::Round(V);
}

// Sign and magnitude in Base, at least MinDigits digits.
std::string Digits(int64_t N, unsigned Base, int MinDigits) {
    uint64_t M = N < 0 ? 0 - static_cast<uint64_t>(N) : static_cast<uint64_t>(N);
    std::string S;
    do {
        S.insert(S.begin(), "0123456789ABCDEF"[M % Base]);
        M /= Base;
    } while (M != 0);
    if (static_cast<int>(S.size()) < MinDigits) S.insert(0, MinDigits - S.size(), '0');
    return N < 0 ? "-" + S : S;
}

int IntegerDigits(const std::string& S) {
    size_t I = (!S.empty() && S[0] == '-') ? 1 : 0;
    int N = 0;
    while (I < S.size() && S[I] >= '0' && S[I] <= '9') ++I, ++N;
    return N;
}

// Minutes and seconds are written with two integer digits ("05.50").
std::string TwoIntegerDigits(std::string S) { return IntegerDigits(S) < 2 ? "0" + S : S; }

// Whole degrees, then minutes (and seconds) where the last field carries
// Decimals digits. A last field that rounds up to 60 carries into the field
// above it, so 12.99999 degrees never shows as 12°60.00'.
std::string Sexagesimal(double V, int Decimals, bool WithSeconds) {
    if (!std::isfinite(V)) return Fixed(V, Decimals);
    const double A = std::fabs(V);
    double Deg = std::floor(A);
    double Min = 0.0;
    double Last = (A - Deg) * 60.0;
    if (WithSeconds) {
        Min = std::floor(Last);
        Last = (Last - Min) * 60.0;
    }
    std::string LastText = Fixed(Last, Decimals);
    if (IntegerDigits(LastText) == 2 && LastText.compare(0, 2, "60") == 0) {
        LastText = Fixed(0.0, Decimals);
        if (WithSeconds) {
            Min += 1.0;
            if (Min >= 60.0) Min = 0.0, Deg += 1.0;
        } else {
            Deg += 1.0;
        }
    }
    std::string S = (V < 0 ? "-" : "") + Fixed(Deg, 0) + "°";
    if (WithSeconds) S += Digits(static_cast<int64_t>(Min), 10, 2) + "'";
    return S + TwoIntegerDigits(LastText) + (WithSeconds ? "\"" : "'");
}

// Mantissa with Decimals digits and a metric prefix; with PrefixAsPoint the
// prefix takes the place of the decimal point.
std::string Engineering(double V, int Decimals, bool PrefixAsPoint) {
    static const char* const Prefixes[] = {"y", "z", "a", "f", "p", "n", "µ", "m", "",
                                           "k", "M", "G", "T", "P", "E", "Z", "Y"};
    constexpr int Lowest = -8, Highest = 8;
    if (!std::isfinite(V) || V == 0.0) return Fixed(V, Decimals);
    int E3 = static_cast<int>(std::floor(std::log10(std::fabs(V)) / 3.0));
    E3 = std::clamp(E3, Lowest, Highest);
    auto Mantissa = [&] { return V / std::pow(10.0, 3 * E3); };
    // log10 may land a hair off at exact powers of 1000.
    if (std::fabs(Mantissa()) < 1.0 && E3 > Lowest) --E3;
    std::string S = Fixed(Mantissa(), Decimals);
    if (IntegerDigits(S) > 3 && E3 < Highest) {
        ++E3;
        S = Fixed(Mantissa(), Decimals);
    }
    const std::string Prefix = Prefixes[E3 - Lowest];
    if (!PrefixAsPoint || Prefix.empty()) return S + Prefix;
    const size_t Point = S.find('.');
    return Point == std::string::npos ? S + Prefix : S.replace(Point, 1, Prefix);
}

bool FollowsSeparatorAndSign(TDisplay T) {
    return T != dtHex && T != dtDateTime && T != dtState && T != dtBin;
}

// The first day TDateTime can name (0001-01-01) and the day after the last.
constexpr double FirstDate = -693593.0;
constexpr double EndDate = 2958466.0;

}  // namespace

std::string FormatValue(double Value, const TValueFormat& F) {
    const int P = F.Precision;
    std::string Text;
    switch (F.DisplayType) {
        case dtFloat:
            Text = vcl::Format("%*.*g", {1, P, Value}, PointSettings());
            break;
        case dtFixP:
            Text = Fixed(Value, P);
            break;
        case dtExp:
            Text = vcl::Format("%*.*e", {1, P, Value}, PointSettings());
            break;
        case dtInt:
        case dtZeroInt:
        case dtHex:
        case dtOct:
        case dtBin: {
            const std::optional<int64_t> N = Rounded(Value);
            if (!N) return F.OverflowIndicator;
            if (F.DisplayType == dtInt) Text = vcl::Format("%*.*d", {1, 0, *N});
            if (F.DisplayType == dtZeroInt) Text = vcl::Format("%*.*d", {1, P, *N});
            if (F.DisplayType == dtHex) Text = Digits(*N, 16, P);
            if (F.DisplayType == dtOct) Text = Digits(*N, 8, P);
            if (F.DisplayType == dtBin) Text = Digits(*N, 2, P);
            break;
        }
        case dtDateTime:
            if (!(Value >= FirstDate && Value < EndDate)) return F.OverflowIndicator;
            Text = vcl::FormatDateTime(F.DTFormat, Value);
            break;
        case dtState:
            Text = F.StateText;
            break;
        case dtDeg:
            Text = Fixed(Value, P) + "°";
            break;
        case dtDegMin:
            Text = Sexagesimal(Value, P, false);
            break;
        case dtDegMinSec:
            Text = Sexagesimal(Value, P, true);
            break;
        case dtEEng:
            Text = Engineering(Value, P, false);
            break;
        case dtEEngNoDP:
            Text = Engineering(Value, P, true);
            break;
    }
    if (!FollowsSeparatorAndSign(F.DisplayType)) return Text;
    const char From = F.Comma ? '.' : ',';
    const char To = F.Comma ? ',' : '.';
    for (char& C : Text)
        if (C == From) C = To;
    if (F.ForcePlusSign && (Value > 0 || std::isnan(Value))) Text.insert(0, "+");
    return Text;
}

// ---------------------------------------------------------------- properties

TNumLab::TNumLab(vcl::TComponent* AOwner) : vcl::TGraphicControl(AOwner) {
    SetWidth(160);
    SetHeight(28);
}

void TNumLab::Assign(vcl::TPersistent* Source) {
    auto* S = dynamic_cast<TNumLab*>(Source);
    if (!S) {
        vcl::TGraphicControl::Assign(Source);
        return;
    }
    FLeftSpace = S->FLeftSpace;
    FEmpty = S->FEmpty;
    FLabWidth = S->FLabWidth;
    FDecP = S->FDecP;
    FLeftText = S->FLeftText;
    FRightText = S->FRightText;
    FFrameStyle = S->FFrameStyle;
    FAlignment = S->FAlignment;
    FRTAlignment = S->FRTAlignment;
    FLTAlignment = S->FLTAlignment;
    FOverFlowIndi = S->FOverFlowIndi;
    FLabValue = S->FLabValue;
    FStateText = S->FStateText;
    FTransParent = S->FTransParent;
    FColorLabBakG = S->FColorLabBakG;
    FColorLabText = S->FColorLabText;
    FColorOutBakG = S->FColorOutBakG;
    FColorOutText = S->FColorOutText;
    FColBlackLine = S->FColBlackLine;
    FColGrayLine = S->FColGrayLine;
    FColWhiteLine = S->FColWhiteLine;
    FColorScheme = S->FColorScheme;
    FDisplayType = S->FDisplayType;
    Paint();
}

void TNumLab::AssignTo(vcl::TPersistent* Dest) {
    if (auto* D = dynamic_cast<TNumLab*>(Dest)) {
        D->Assign(this);
        return;
    }
    vcl::TGraphicControl::AssignTo(Dest);
}

void TNumLab::SetValue(double Value) {
    // NaN compares unequal to everything, so a change to or from it repaints.
    if (Value == FLabValue) return;
    FLabValue = Value;
    Paint();
}

void TNumLab::SetDisplayType(TDisplay Value) {
    if (Value == FDisplayType) return;
    FDisplayType = Value;
    Paint();
}

void TNumLab::SetPrecision(int Value) {
    if (Value < 0) return;
    // A double carries no more than 15 reliable decimal digits.
    Value = std::min(Value, 15);
    if (Value == FDecP) return;
    FDecP = Value;
    Paint();
}

void TNumLab::SetComma(bool Value) {
    if (Value == FComma) return;
    FComma = Value;
    Paint();
}

void TNumLab::SetForcePlusSign(bool Value) {
    if (Value == FPlusSign) return;
    FPlusSign = Value;
    Paint();
}

void TNumLab::SetEmpty(bool Value) {
    if (Value == FEmpty) return;
    FEmpty = Value;
    Paint();
}

void TNumLab::SetLeftText(const std::string& Value) {
    if (Value == FLeftText) return;
    FLeftText = Value;
    Paint();
}

void TNumLab::SetRightText(const std::string& Value) {
    if (Value == FRightText) return;
    FRightText = Value;
    Paint();
}

void TNumLab::SetLeftSpace(int Value) {
    if (Value < 0) return;
    // The box starts inside the control or at its right edge, never beyond.
    Value = std::min(Value, Width());
    if (Value == FLeftSpace) return;
    FLeftSpace = Value;
    Paint();
}

void TNumLab::SetLabelWidth(int Value) {
    if (Value == FLabWidth) return;
    FLabWidth = Value;
    Paint();
}

void TNumLab::SetAlignment(vcl::TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Paint();
}

void TNumLab::SetLeftTextAlignment(vcl::TAlignment Value) {
    if (Value == FLTAlignment) return;
    FLTAlignment = Value;
    Paint();
}

void TNumLab::SetRightTextAlignment(vcl::TAlignment Value) {
    if (Value == FRTAlignment) return;
    FRTAlignment = Value;
    Paint();
}

void TNumLab::SetFrameStyle(QEL_base::TFrameStyle Value) {
    if (Value == FFrameStyle) return;
    FFrameStyle = Value;
    Paint();
}

void TNumLab::SetColorLabText(vcl::TColor Value) {
    if (Value == FColorLabText) return;
    FColorLabText = Value;
    Paint();
}

void TNumLab::SetColorLabBakG(vcl::TColor Value) {
    if (Value == FColorLabBakG) return;
    FColorLabBakG = Value;
    Paint();
}

void TNumLab::SetColorOutText(vcl::TColor Value) {
    if (Value == FColorOutText) return;
    FColorOutText = Value;
    Paint();
}

void TNumLab::SetColorOutBakG(vcl::TColor Value) {
    if (Value == FColorOutBakG) return;
    FColorOutBakG = Value;
    Paint();
}

void TNumLab::SetColorScheme(QEL_base::TColorScheme Value) {
    if (Value == FColorScheme) return;
    ApplyColorScheme(Value);
    if (Value != QEL_base::csClassic && kestrix::StyleApplies(*this, vcl::seBorder)) {
        const vcl::TColor Border = vcl::StyleServices().GetStyleColor(vcl::scBorder);
        FColBlackLine = FColGrayLine = FColWhiteLine = Border;
    }
    Paint();
}

void TNumLab::SetTransparent(bool Value) {
    if (Value == FTransParent) return;
    FTransParent = Value;
    // Switching on needs what lies behind the control, which only the
    // parent's repaint brings back.
    if (Value)
        Invalidate();
    else
        Paint();
}

void TNumLab::SetOverflowIndicator(const std::string& Value) {
    if (Value == FOverFlowIndi) return;
    FOverFlowIndi = Value;
    Paint();
}

void TNumLab::SetDTFormat(const std::string& Value) {
    if (Value == FDtFormat) return;
    FDtFormat = Value;
    Paint();
}

void TNumLab::SetStateText(const std::string& Value) {
    if (Value == FStateText) return;
    FStateText = Value;
    Paint();
}

void TNumLab::SetEnabled(bool Value) {
    vcl::TGraphicControl::SetEnabled(Value);
    Refresh();
}

TValueFormat TNumLab::ValueFormat() const {
    return {FDisplayType, FDecP, FComma, FPlusSign, FDtFormat, FStateText, FOverFlowIndi};
}

// ---------------------------------------------------------------- painting

void TNumLab::Paint() {
    if (!kestrix::PaintsNow(*this)) return;
    const int W = Width(), H = Height();
    kestrix::TPaintBuffer Buffer(*Canvas(), *Font(), W, H);
    vcl::TCanvas& C = Buffer.Canvas();
    const int YCap = kestrix::Half(H - Buffer.TextHeight());
    const int LS = FLeftSpace, LW = FLabWidth;

    PaintBackground(C, W, H);

    const int TL = C.TextWidth(FLeftText);
    int XL = 7;
    if (FLTAlignment == vcl::taRightJustify) XL = LS - TL - 5;
    if (FLTAlignment == vcl::taCenter) XL = kestrix::Half(LS - TL);
    PaintCaption(C, FLeftText, XL, YCap);

    const int TR = C.TextWidth(FRightText);
    int XR = LS + LW + 7;
    if (FRTAlignment == vcl::taRightJustify) XR = W - TR - 6;
    if (FRTAlignment == vcl::taCenter) XR = kestrix::Half(W - LS - LW - TR) + LS + LW + 1;
    PaintCaption(C, FRightText, XR, YCap);

    PaintBox(C, H);
    if (!FEmpty) PaintValue(C, H, YCap);

    if (FTransParent) {
        // The box area of the control is prepared so that ANDing the face
        // gives the box the intended colour.
        vcl::TCanvas& Target = *Canvas();
        const vcl::TColor Fill = FColorLabText != vcl::clBlack ? vcl::clWhite : FColorLabBakG;
        Target.Pen()->SetColor(Fill);
        Target.Brush()->SetStyle(vcl::bsSolid);
        Target.Brush()->SetColor(Fill);
        Target.Rectangle(LS + 2, 2, LS + LW, H - 2);
    }
    Buffer.CopyTo(*Canvas(), FTransParent);
}

void TNumLab::PaintBackground(vcl::TCanvas& C, int W, int H) {
    vcl::TColor Back = FColorOutBakG;
    if (FTransParent)
        Back = vcl::clWhite;
    else if (kestrix::StyleApplies(*this, vcl::seClient))
        Back = vcl::StyleServices().GetStyleColor(vcl::scWindow);
    C.Pen()->SetColor(Back);
    C.Brush()->SetStyle(vcl::bsSolid);
    C.Brush()->SetColor(Back);
    C.Rectangle(0, 0, W, H);
}

// Enabled: the caption colour (or the style's). Disabled: engraved, or under a
// style with seFont a single pass in the style's disabled colour at the
// shadow's place.
void TNumLab::PaintCaption(vcl::TCanvas& C, const std::string& Text, int X, int Y) {
    const bool StyledFont = kestrix::StyleApplies(*this, vcl::seFont);
    if (Enabled()) {
        C.Brush()->SetStyle(vcl::bsClear);
        C.Font()->SetColor(StyledFont
                               ? vcl::StyleServices().GetStyleFontColor(vcl::sfCheckBoxTextNormal)
                               : FColorOutText);
        C.TextOut(X, Y, Text);
    } else if (StyledFont) {
        C.Brush()->SetStyle(vcl::bsClear);
        C.Font()->SetColor(vcl::StyleServices().GetStyleFontColor(vcl::sfCheckBoxTextDisabled));
        C.TextOut(X + 1, Y + 1, Text);
    } else {
        kestrix::TextOutEngraved(C, X, Y, Text);
    }
}

void TNumLab::PaintBox(vcl::TCanvas& C, int H) {
    const int LS = FLeftSpace, LW = FLabWidth;
    vcl::TColor PenColor = FColGrayLine;
    if (FFrameStyle == QEL_base::fsNoFrame) PenColor = FColorLabBakG;
    if (FFrameStyle == QEL_base::fsEngraved) PenColor = FColWhiteLine;
    C.Pen()->SetColor(PenColor);
    C.Brush()->SetStyle(vcl::bsSolid);
    C.Brush()->SetColor(kestrix::StyleApplies(*this, vcl::seClient)
                            ? vcl::StyleServices().GetStyleColor(vcl::scGrid)
                            : FColorLabBakG);
    // The box is filled with the pen and brush just set, so an empty box and
    // the margin around the value text have the box colour; the frame lines
    // then go over its border.
    C.Rectangle(LS + 1, 0, LS + LW, H - 2);
    const kestrix::TFrameColors FC = kestrix::FrameColors(*this);
    QEL_base::DrawFrame(&C, FFrameStyle, LS + 1, 0, LS + LW, H - 2, FC.C1, FC.C2, FC.C3, FC.C4,
                        FC.C5);
}

void TNumLab::PaintValue(vcl::TCanvas& C, int H, int TextY) {
    const int LS = FLeftSpace, LW = FLabWidth;
    std::string Text = FormatValue(FLabValue, ValueFormat());
    if (OnBeforeDisplay) OnBeforeDisplay(this, Text);
    // The position comes from the width of the text itself, also when the
    // overflow indicator replaces it.
    const int TV = C.TextWidth(Text);
    if (TV > LW - 6 && FDisplayType != dtState) Text = FOverFlowIndi;

    vcl::TColor Color = FColorLabText;
    if (!Enabled())
        Color = vcl::clBtnShadow;
    else if (kestrix::StyleApplies(*this, vcl::seFont))
        Color = vcl::StyleServices().GetStyleFontColor(vcl::sfPanelTextNormal);
    C.Font()->SetColor(Color);

    int X = LS + 2 + kestrix::Half(LW - TV);
    if (FAlignment == vcl::taLeftJustify) X = LS + 4;
    if (FAlignment == vcl::taRightJustify) X = LS + LW - 2 - TV;
    C.TextRect(vcl::Rect(LS + 3, 2, LS + LW - 1, H - 3), X, TextY, Text);
}

// ---------------------------------------------------------------- mouse

void TNumLab::MouseMove(vcl::TShiftState Shift, int X, int Y) {
    if (X <= FLeftSpace)
        FMouseAreaCode = 0;
    else if (X <= FLeftSpace + FLabWidth)
        FMouseAreaCode = 1;
    else
        FMouseAreaCode = 2;
    vcl::TGraphicControl::MouseMove(Shift, X, Y);
}

// ---------------------------------------------------------------- registry

const vcl::TEnumType TDisplayTypeInfo{
    "TDisplay",
    {"dtFloat", "dtFixP", "dtExp", "dtHex", "dtZeroInt", "dtInt", "dtDateTime", "dtState", "dtBin",
     "dtOct", "dtDeg", "dtDegMin", "dtDegMinSec", "dtEEng", "dtEEngNoDP"}};

namespace {

const bool Registered = [] {
    using vcl::TAlignmentTypeInfo;
    vcl::RegisterClass<TNumLab, vcl::TGraphicControl>("TNumLab")
        .Float("Value", &TNumLab::Value, &TNumLab::SetValue)
        .Enum("DisplayType", &TNumLab::DisplayType, &TNumLab::SetDisplayType, TDisplayTypeInfo)
        .Int("Precision", &TNumLab::Precision, &TNumLab::SetPrecision)
        .Bool("Comma", &TNumLab::Comma, &TNumLab::SetComma)
        .Bool("ForcePlusSign", &TNumLab::ForcePlusSign, &TNumLab::SetForcePlusSign)
        .Bool("Empty", &TNumLab::Empty, &TNumLab::SetEmpty)
        .Str("LeftText", &TNumLab::LeftText, &TNumLab::SetLeftText)
        .Str("RightText", &TNumLab::RightText, &TNumLab::SetRightText)
        .Int("LeftSpace", &TNumLab::LeftSpace, &TNumLab::SetLeftSpace)
        .Int("LabelWidth", &TNumLab::LabelWidth, &TNumLab::SetLabelWidth)
        .Enum("Alignment", &TNumLab::Alignment, &TNumLab::SetAlignment, TAlignmentTypeInfo)
        .Enum("LeftTextAlignment", &TNumLab::LeftTextAlignment, &TNumLab::SetLeftTextAlignment,
              TAlignmentTypeInfo)
        .Enum("RightTextAlignment", &TNumLab::RightTextAlignment, &TNumLab::SetRightTextAlignment,
              TAlignmentTypeInfo)
        .Enum("FrameStyle", &TNumLab::FrameStyle, &TNumLab::SetFrameStyle,
              QEL_base::TFrameStyleTypeInfo)
        .Color("ColorLabText", &TNumLab::ColorLabText, &TNumLab::SetColorLabText)
        .Color("ColorLabBakG", &TNumLab::ColorLabBakG, &TNumLab::SetColorLabBakG)
        .Color("ColorOutText", &TNumLab::ColorOutText, &TNumLab::SetColorOutText)
        .Color("ColorOutBakG", &TNumLab::ColorOutBakG, &TNumLab::SetColorOutBakG)
        .Enum("ColorScheme", &TNumLab::ColorScheme, &TNumLab::SetColorScheme,
              QEL_base::TColorSchemeTypeInfo)
        .Bool("Transparent", &TNumLab::Transparent, &TNumLab::SetTransparent)
        .Str("OverflowIndicator", &TNumLab::OverflowIndicator, &TNumLab::SetOverflowIndicator)
        .Str("DTFormat", &TNumLab::DTFormat, &TNumLab::SetDTFormat)
        .Str("StateText", &TNumLab::StateText, &TNumLab::SetStateText)
        .Bool("Enabled", &TNumLab::Enabled, &TNumLab::SetEnabled)
        .Event("OnBeforeDisplay", &TNumLab::OnBeforeDisplay);
    return true;
}();

}  // namespace

}  // namespace QEL_NumLab
