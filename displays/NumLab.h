// TNumLab: a read-only numeric display.
//
// A left caption, a framed value box showing Value formatted by DisplayType,
// and a right caption (typically a unit), in one graphic control:
//
//     LeftText  [   12.50   ]  RightText
//     0 ... LeftSpace ... LeftSpace+LabelWidth ... Width
//
// Every setter repaints at once when the value changed; Transparent switched
// on invalidates instead, so that the parent repaints what lies behind.
//
// How Value becomes text, by DisplayType (P = Precision, "round" = to the
// nearest 64-bit integer with ties to even):
//
//   dtFloat      general format, P significant digits        123.5
//   dtFixP       fixed, P digits after the point             3.14
//   dtExp        scientific, P mantissa digits in all        1.23E+003
//   dtInt        round, decimal                              -7
//   dtZeroInt    round, decimal, zero-padded to P digits     007 (P 3)
//   dtHex        round, upper-case hexadecimal, zero-padded  0A (P 2), -1F
//                to P digits; negatives as "-" and magnitude
//   dtOct        round, octal, zero-padded to P digits       17
//   dtBin        round, binary, zero-padded to P digits      101
//   dtDateTime   Value as a date and time, by DTFormat       Jan-05, 2024
//   dtState      StateText as it is; Value is not shown      undefined
//   dtDeg        degrees, P digits after the point, "°"      12.50°
//   dtDegMin     whole degrees and minutes with P decimals   12°05.50'
//   dtDegMinSec  whole degrees, minutes, and seconds with    12°30'15.00"
//                P decimals; minutes and seconds take two
//                integer digits, and a last field that
//                rounds up to 60 carries into the one above
//                (12.99999 as dtDegMin, P 2: 13°00.00')
//   dtEEng       engineering notation with a metric prefix:  4.70k, 330.00µ
//                mantissa 1 <= |m| < 1000 with P decimals,
//                then the prefix (y z a f p n µ m, none,
//                k M G T P E Z Y); beyond Y or below y the
//                mantissa leaves that range
//   dtEEngNoDP   the same with the prefix in the place of    4k70, 330µ00
//                the decimal point, as parts lists write
//                values; a value that needs no prefix keeps
//                its decimal point (1.50)
//
// A value that an integer type cannot show (not a number, infinite, or
// beyond the 64-bit range) and a dtDateTime value outside the years 1 to 9999
// show OverflowIndicator. Comma and ForcePlusSign apply to every type except
// dtHex, dtDateTime, dtState and dtBin. OnBeforeDisplay then sees the text and
// may replace it; a text wider than LabelWidth - 6 is replaced by
// OverflowIndicator, except for dtState, which is clipped instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "frame/LineColors.h"
#include "qelbase/Types.h"
#include "vcl/Classes.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/StdCtrls.h"
#include "vcl/TypInfo.h"

namespace QEL_NumLab {

enum TDisplay : uint8_t {
    dtFloat,
    dtFixP,
    dtExp,
    dtHex,
    dtZeroInt,
    dtInt,
    dtDateTime,
    dtState,
    dtBin,
    dtOct,
    dtDeg,
    dtDegMin,
    dtDegMinSec,
    dtEEng,
    dtEEngNoDP
};

// The names of TDisplay, for form files.
extern const vcl::TEnumType TDisplayTypeInfo;

// Lets the application rewrite the value text before it is shown.
using TBeforeDisplayEvent = std::function<void(vcl::TObject* Sender, std::string& Text)>;

// What the value box shows before OnBeforeDisplay and the overflow rule: the
// formatted value with the separator and sign rules applied.
struct TValueFormat {
    TDisplay DisplayType = dtFixP;
    int Precision = 2;
    bool Comma = false;
    bool ForcePlusSign = false;
    std::string DTFormat = "mmm-dd, yyyy";
    std::string StateText = "undefined";
    std::string OverflowIndicator = "*********";
};
std::string FormatValue(double Value, const TValueFormat& Format);

class TNumLab : public vcl::TGraphicControl, protected kestrix::TLineColors {
public:
    explicit TNumLab(vcl::TComponent* AOwner);
    std::string ClassName() const override { return "TNumLab"; }

    // From another TNumLab: the layout, texts, value, display type, colours
    // and colour scheme; not Comma, ForcePlusSign, DTFormat, Enabled or the
    // event. Then repaints.
    void Assign(vcl::TPersistent* Source) override;

    double Value() const { return FLabValue; }
    void SetValue(double Value);
    TDisplay DisplayType() const { return FDisplayType; }
    void SetDisplayType(TDisplay Value);
    // 0..15; negative values are ignored, larger ones stored as 15.
    int Precision() const { return FDecP; }
    void SetPrecision(int Value);
    bool Comma() const { return FComma; }
    void SetComma(bool Value);
    bool ForcePlusSign() const { return FPlusSign; }
    void SetForcePlusSign(bool Value);
    // The box without a value (and without OnBeforeDisplay).
    bool Empty() const { return FEmpty; }
    void SetEmpty(bool Value);
    const std::string& LeftText() const { return FLeftText; }
    void SetLeftText(const std::string& Value);
    const std::string& RightText() const { return FRightText; }
    void SetRightText(const std::string& Value);
    // x of the box's left edge; negative values are ignored, values beyond
    // Width stored as Width.
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int Value);
    int LabelWidth() const { return FLabWidth; }
    void SetLabelWidth(int Value);
    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value);
    vcl::TAlignment LeftTextAlignment() const { return FLTAlignment; }
    void SetLeftTextAlignment(vcl::TAlignment Value);
    vcl::TAlignment RightTextAlignment() const { return FRTAlignment; }
    void SetRightTextAlignment(vcl::TAlignment Value);
    QEL_base::TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(QEL_base::TFrameStyle Value);
    vcl::TColor ColorLabText() const { return FColorLabText; }
    void SetColorLabText(vcl::TColor Value);
    vcl::TColor ColorLabBakG() const { return FColorLabBakG; }
    void SetColorLabBakG(vcl::TColor Value);
    vcl::TColor ColorOutText() const { return FColorOutText; }
    void SetColorOutText(vcl::TColor Value);
    vcl::TColor ColorOutBakG() const { return FColorOutBakG; }
    void SetColorOutBakG(vcl::TColor Value);
    // Classic gray and white lines, or the system's shadow and highlight;
    // under an active platform style with seBorder all three lines take the
    // style's border colour.
    QEL_base::TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(QEL_base::TColorScheme Value);
    // The face is combined with what lies behind: its white pixels let the
    // parent show through.
    bool Transparent() const { return FTransParent; }
    void SetTransparent(bool Value);
    const std::string& OverflowIndicator() const { return FOverFlowIndi; }
    void SetOverflowIndicator(const std::string& Value);
    const std::string& DTFormat() const { return FDtFormat; }
    void SetDTFormat(const std::string& Value);
    const std::string& StateText() const { return FStateText; }
    void SetStateText(const std::string& Value);
    // Stores, hands on to the control and repaints, without comparing.
    void SetEnabled(bool Value) override;

    // Which part the mouse was last over: 0 the left caption, 1 the box,
    // 2 the right caption. Read it from OnMouseMove.
    int MouseAreaCode() const { return FMouseAreaCode; }

    TBeforeDisplayEvent OnBeforeDisplay;

    // The line colours in effect (ColorScheme, platform style).
    vcl::TColor ColBlackLine() const { return FColBlackLine; }
    vcl::TColor ColGrayLine() const { return FColGrayLine; }
    vcl::TColor ColWhiteLine() const { return FColWhiteLine; }

protected:
    void AssignTo(vcl::TPersistent* Dest) override;
    void Paint() override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;

private:
    TValueFormat ValueFormat() const;
    void PaintBackground(vcl::TCanvas& C, int W, int H);
    void PaintCaption(vcl::TCanvas& C, const std::string& Text, int X, int Y);
    void PaintBox(vcl::TCanvas& C, int H);
    void PaintValue(vcl::TCanvas& C, int H, int TextY);

    double FLabValue = 0.0;
    TDisplay FDisplayType = dtFixP;
    int FDecP = 2;
    bool FComma = false;
    bool FPlusSign = false;
    bool FEmpty = false;
    std::string FLeftText;
    std::string FRightText;
    int FLeftSpace = 35;
    int FLabWidth = 80;
    vcl::TAlignment FAlignment = vcl::taCenter;
    vcl::TAlignment FLTAlignment = vcl::taRightJustify;
    vcl::TAlignment FRTAlignment = vcl::taLeftJustify;
    QEL_base::TFrameStyle FFrameStyle = QEL_base::fsLowered;
    vcl::TColor FColorLabText = vcl::clBlack;
    vcl::TColor FColorLabBakG = vcl::clBtnFace;
    vcl::TColor FColorOutText = vcl::clBlack;
    vcl::TColor FColorOutBakG = vcl::clBtnFace;
    bool FTransParent = false;
    std::string FOverFlowIndi = "*********";
    std::string FDtFormat = "mmm-dd, yyyy";
    std::string FStateText = "undefined";
    int FMouseAreaCode = 0;
};

}  // namespace QEL_NumLab
