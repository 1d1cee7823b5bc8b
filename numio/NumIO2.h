// TNumIO2: a number field drawn entirely by itself.
//
// A left caption, a framed text box holding the number being edited (with
// caret and selection), optional spin buttons, a right caption, an optional
// freeze box that locks the value and an optional gauge along the bottom that
// shows and sets the value's place within its range. Every keystroke is
// checked against the input format and undone when the text would no longer
// be a number (or the beginning of one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "frame/LineColors.h"
#include "frame/TimerWindow.h"
#include "numio/NumText.h"
#include "qelbase/Types.h"
#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

namespace QEL_NumIO {

// Errors of the number fields' run-time resources (a refused timer, a value
// that does not fit an integer).
class EQELNumIO2Error : public QEL_base::EQELError {
public:
    using QEL_base::EQELError::EQELError;
};

using TOnGaugeChangeEvent =
    std::function<void(vcl::TObject* Sender, vcl::TShiftState Shift, double GaugeValue)>;

class TNumIO2 : public vcl::TCustomControl, protected kestrix::TLineColors {
public:
    explicit TNumIO2(vcl::TComponent* AOwner);
    ~TNumIO2() override;
    std::string ClassName() const override { return "TNumIO2"; }

    void Assign(vcl::TPersistent* Source) override;

    // ---- published properties, in declaration order
    std::string Text() const { return FInBuffer; }
    void SetText(const std::string& Value);
    double Value() const;
    void SetValue(double Value);
    TInFormat InputFormat() const { return FInputFormat; }
    void SetInputFormat(TInFormat Value);
    int FixPointDecPlaces() const { return FDecP; }
    void SetFixPointDecPlaces(int Value);
    int SignificantDigits() const { return FSigDig; }
    void SetSignificantDigits(int Value);
    QEL_base::TDecPSep DecPlaceSep() const { return FDecPSep; }
    void SetDecPlaceSep(QEL_base::TDecPSep Value);
    double RangeLow() const { return FMinimum; }
    void SetRangeLow(double Value);
    double RangeHigh() const { return FMaximum; }
    void SetRangeHigh(double Value);
    std::string LeftText() const { return FLeftText; }
    void SetLeftText(const std::string& Value);
    std::string RightText() const { return FRightText; }
    void SetRightText(const std::string& Value);
    int LeftSpace() const { return FLeftSpace; }
    void SetLeftSpace(int Value);
    int TextBoxWidth() const { return FTextBoxWidth; }
    void SetTextBoxWidth(int Value);
    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value);
    vcl::TAlignment LeftTextAlignment() const { return FLTAlignment; }
    void SetLeftTextAlignment(vcl::TAlignment Value);
    vcl::TAlignment RightTextAlignment() const { return FRTAlignment; }
    void SetRightTextAlignment(vcl::TAlignment Value);
    QEL_base::TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(QEL_base::TFrameStyle Value);
    vcl::TColor ColorBoxBG() const { return FColorBoxBG; }
    void SetColorBoxBG(vcl::TColor Value);
    vcl::TColor ColorBoxText() const { return FColorBoxText; }
    void SetColorBoxText(vcl::TColor Value);
    vcl::TColor ColorOutBG() const { return FColorOutBG; }
    void SetColorOutBG(vcl::TColor Value);
    vcl::TColor ColorOutText() const { return FColorOutText; }
    void SetColorOutText(vcl::TColor Value);
    vcl::TColor ColorWarnBG() const { return FColorWarnBG; }
    void SetColorWarnBG(vcl::TColor Value);
    vcl::TColor ColorWarnText() const { return FColorWarnTxt; }
    void SetColorWarnText(vcl::TColor Value);
    QEL_base::TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(QEL_base::TColorScheme Value);
    bool ButVisible() const { return FButVisible; }
    void SetButVisible(bool Value);
    int ButWidth() const { return FButWidth; }
    void SetButWidth(int Value);
    int ButHeight() const { return FButHeight; }
    void SetButHeight(int Value);
    int ButSpace() const { return FButSpace; }
    void SetButSpace(int Value);
    bool But3D() const { return FBut3D; }
    void SetBut3D(bool Value);
    vcl::TColor ButColor() const { return FButColor; }
    void SetButColor(vcl::TColor Value);
    double ButIncrem() const { return FButIncrem; }
    void SetButIncrem(double Value);
    bool FreezeBoxVisible() const { return FFreezeBoxVisib; }
    void SetFreezeBoxVisible(bool Value);
    bool FreezeBoxChecked() const { return FFreezeBoxChecked; }
    void SetFreezeBoxChecked(bool Value);
    int FreezeBoxSize() const { return FFreezeBoxSize; }
    void SetFreezeBoxSize(int Value);
    int FreezeBoxLeft() const { return FFreezeBoxLeft; }
    void SetFreezeBoxLeft(int Value);
    int FreezeBoxTop() const { return FFreezeBoxTop; }
    void SetFreezeBoxTop(int Value);
    bool HideInputOnFreeze() const { return FHideInputOnFreeze; }
    void SetHideInputOnFreeze(bool Value);
    bool HideInputEditor() const { return FHideNumInEdi; }
    void SetHideInputEditor(bool Value);
    bool HideSelection() const { return FHideSel; }
    void SetHideSelection(bool Value);
    bool GaugeVisible() const { return FGaugeVisib; }
    void SetGaugeVisible(bool Value);
    int GaugeHeight() const { return FGaugeHeight; }
    void SetGaugeHeight(int Value);
    int GaugeWidth() const { return FGaugeWidth; }
    void SetGaugeWidth(int Value);
    int GaugeLeftMargin() const { return FGaugeLeftMarg; }
    void SetGaugeLeftMargin(int Value);
    int GaugeTopMargin() const { return FGaugeTopMarg; }
    void SetGaugeTopMargin(int Value);
    QEL_base::TFrameStyle GaugeFrameStyle() const { return FGaugeFrameSt; }
    void SetGaugeFrameStyle(QEL_base::TFrameStyle Value);
    vcl::TColor GaugeColor() const { return FGaugeColor; }
    void SetGaugeColor(vcl::TColor Value);
    vcl::TColor GaugeColorBg() const { return FGaugeColorBg; }
    void SetGaugeColorBg(vcl::TColor Value);
    vcl::TColor GaugeColorFrame() const { return FGaugeColorFrm; }
    void SetGaugeColorFrame(vcl::TColor Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool Beep() const { return FBeep; }
    void SetBeep(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // Stores, hands the state to the platform and repaints, also when unchanged.
    void SetEnabled(bool Value) override;
    // Heights below 18 become 18; a height below ButHeight takes ButHeight
    // down with it.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    vcl::TNotifyEvent OnChange;
    TOnGaugeChangeEvent OnGaugeChange;

    // ---- public
    // Value rounded; EQELNumIO2Error "integer overflow" outside 32 bits.
    int IntegerValue() const;
    // 0 over the left caption, 1 over the text box, 2 right of it.
    int MouseAreaCode() const { return FMouseAreaCode; }
    int SelBegin() const { return FSelBegin; }
    void SetSelBegin(int Value);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int Value);
    // Values the spin buttons and the gauge snap to; empty for free stepping.
    QEL_base::TDoubleArray ButtonPivots;

    // Whether Instring may stand in the field in the current format.
    bool CheckValidity(const std::string& Instring) const;
    bool OutOfRange() const;
    void SetFocus() override;
    // x of the caret at character position I, and the nearest character
    // boundary to x.
    int CharPosToXCoords(int I);
    int XCoordsToCharPos(int X);
    int CaretPos() const { return FCaretPos; }
    bool CaretVisible() const { return FCaretVisib; }
    // Paints the face now (setters call it).
    void Paint() override;

protected:
    void AssignTo(vcl::TPersistent* Dest) override;
    // A text read from a form file is checked once the format and separator
    // it belongs to have been read too.
    void Loaded() override;
    void CreateWnd() override;
    void CNKeyDown(vcl::TWMKey& Message) override;
    void CNKeyUp(vcl::TWMKey& Message) override;
    void WMSetFocus(vcl::TMessage& Message) override;
    void WMGetDlgCode(vcl::TMessage& Message) override;
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void MouseMove(vcl::TShiftState Shift, int X, int Y) override;
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;
    void Click() override;
    // Fires OnChange.
    virtual void Changed();
    // Restarts the caret's blink; EQELNumIO2Error "no timer available" when
    // the timer is refused.
    void UpdateTimer();
    void CaretTimerEvent();

private:
    void ClampGauge();
    struct TLayout;
    TLayout Layout(int TextHeight) const;
    void PaintLeftCaption(vcl::TCanvas& C, const TLayout& L);
    void PaintRightCaption(vcl::TCanvas& C, const TLayout& L);
    void PaintCaption(vcl::TCanvas& C, const std::string& Text, int X, int Y);
    void PaintButtons(vcl::TCanvas& C, const TLayout& L);
    void PaintFreezeBox(vcl::TCanvas& C, const TLayout& L);
    void PaintGauge(vcl::TCanvas& C, const TLayout& L);
    void PaintBox(vcl::TCanvas& C, const TLayout& L);
    void PaintNumber(vcl::TCanvas& C, const TLayout& L);
    void DrawBoxFrame(vcl::TCanvas& C, QEL_base::TFrameStyle Style, bool Flag, int L, int T, int R,
                      int B);
    // An outline in the current pen over L..R-2 x T..B-2 and the two bevel
    // lines of Style inside it, the lower right one reaching R-1 and B-1.
    void DrawBevel(vcl::TCanvas& C, QEL_base::TFrameStyle Style, int L, int T, int R, int B);

    void HandleKey(uint16_t Key);
    void DeleteSelection(bool& ChangeFlag);
    void SpinClick(bool Up);
    double GaugeValueAt(int X) const;
    double SnapToPivot(double V) const;
    // Index of the pivot closest to V (the first of equally close ones);
    // ButtonPivots must not be empty.
    size_t NearestPivot(double V) const;
    int GaugeStrip() const;
    // Left edge of the freeze box.
    int FreezeBoxX() const;
    void ClampCaretAndSelection();
    TSepMode SepMode() const;
    bool Loading() const;

    std::string FInBuffer;
    TInFormat FInputFormat = itFloat;
    int FDecP = 2;
    int FSigDig = 6;
    QEL_base::TDecPSep FDecPSep = QEL_base::dpEither;
    double FMinimum = 0.0;
    double FMaximum = 1000.0;
    std::string FLeftText;
    std::string FRightText;
    int FLeftSpace = 35;
    int FTextBoxWidth = 80;
    vcl::TAlignment FAlignment = vcl::taCenter;
    vcl::TAlignment FLTAlignment = vcl::taRightJustify;
    vcl::TAlignment FRTAlignment = vcl::taLeftJustify;
    QEL_base::TFrameStyle FFrameStyle = QEL_base::fsLowered;
    vcl::TColor FColorBoxBG = vcl::clWhite;
    vcl::TColor FColorBoxText = vcl::clBlack;
    vcl::TColor FColorOutBG = vcl::clBtnFace;
    vcl::TColor FColorOutText = vcl::clBlack;
    // Stored as given; its low three bytes are a pale yellow.
    vcl::TColor FColorWarnBG = 0x6088FFF0;
    vcl::TColor FColorWarnTxt = vcl::clRed;
    bool FButVisible = false;
    int FButWidth = 18;
    int FButHeight = 28;
    int FButSpace = 3;
    bool FBut3D = true;
    vcl::TColor FButColor = vcl::clSilver;
    double FButIncrem = 1.0;
    bool FFreezeBoxVisib = false;
    bool FFreezeBoxChecked = false;
    int FFreezeBoxSize = 16;
    int FFreezeBoxLeft = 30;
    int FFreezeBoxTop = 4;
    bool FHideInputOnFreeze = false;
    bool FHideNumInEdi = false;
    bool FHideSel = true;
    bool FGaugeVisib = false;
    int FGaugeHeight = 8;
    int FGaugeWidth = 82;
    int FGaugeLeftMarg = 35;
    int FGaugeTopMarg = 3;
    QEL_base::TFrameStyle FGaugeFrameSt = QEL_base::fsLowered;
    vcl::TColor FGaugeColor = vcl::clNavy;
    vcl::TColor FGaugeColorBg = vcl::clSilver;
    vcl::TColor FGaugeColorFrm = vcl::clGray;
    bool FReadOnly = false;
    bool FBeep = false;
    bool FAutoSize = false;

    bool FSuppressPaint = true;
    std::unique_ptr<kestrix::TTimerWindow> FCaretTimerH;
    int FCaretPos = 0;
    bool FCaretVisib = true;
    int FSelBegin = 0;
    int FSelEnd = 0;
    bool FKeyShifted = false;
    bool FKeyCntrl = false;
    bool FValueChanged = false;
    bool FOnlineCheck = true;
    int FMouseAreaCode = 0;
};

}  // namespace QEL_NumIO
