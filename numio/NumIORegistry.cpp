// Published properties of the number fields, in declaration order.
#include "numio/NumIO.h"
#include "numio/NumIO2.h"
#include "vcl/TypInfo.h"

namespace QEL_NumIO {

namespace {

const vcl::TEnumType TInFormatType{
    "TInFormat",
    {"itExp", "itFloat", "itFixPoint", "itInt", "itHex", "itOct", "itBin", "itDynamic"}};
const vcl::TEnumType TDecPSepType{"TDecPSep", {"dpLocale", "dpPoint", "dpComma", "dpEither"}};
const vcl::TEnumType TFrameStyleType{
    "TFrameStyle", {"fsNoFrame", "fsSimple", "fsLowered", "fsRaised", "fsEngraved", "fsEmbossed"}};
const vcl::TEnumType TColorSchemeType{"TColorScheme", {"csClassic", "csSystem"}};
const vcl::TEnumType TAlignmentType{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const vcl::TEnumType TBorderStyleType{
    "TBorderStyle",
    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};

const bool NumIO2Registered = [] {
    using T = TNumIO2;
    vcl::RegisterClass<T, vcl::TCustomControl>("TNumIO2")
        .Str("Text", &T::Text, &T::SetText)
        // Value is the text read as a number: the text is what is stored.
        .Float("Value", &T::Value, &T::SetValue)
        .NoStore()
        .Enum("InputFormat", &T::InputFormat, &T::SetInputFormat, TInFormatType)
        .Int("FixPointDecPlaces", &T::FixPointDecPlaces, &T::SetFixPointDecPlaces)
        .Int("SignificantDigits", &T::SignificantDigits, &T::SetSignificantDigits)
        .Enum("DecPlaceSep", &T::DecPlaceSep, &T::SetDecPlaceSep, TDecPSepType)
        .Float("RangeLow", &T::RangeLow, &T::SetRangeLow)
        .Float("RangeHigh", &T::RangeHigh, &T::SetRangeHigh)
        .Str("LeftText", &T::LeftText, &T::SetLeftText)
        .Str("RightText", &T::RightText, &T::SetRightText)
        .Int("LeftSpace", &T::LeftSpace, &T::SetLeftSpace)
        .Int("TextBoxWidth", &T::TextBoxWidth, &T::SetTextBoxWidth)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, TAlignmentType)
        .Enum("LeftTextAlignment", &T::LeftTextAlignment, &T::SetLeftTextAlignment, TAlignmentType)
        .Enum("RightTextAlignment", &T::RightTextAlignment, &T::SetRightTextAlignment,
              TAlignmentType)
        .Enum("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, TFrameStyleType)
        .Color("ColorBoxBG", &T::ColorBoxBG, &T::SetColorBoxBG)
        .Color("ColorBoxText", &T::ColorBoxText, &T::SetColorBoxText)
        .Color("ColorOutBG", &T::ColorOutBG, &T::SetColorOutBG)
        .Color("ColorOutText", &T::ColorOutText, &T::SetColorOutText)
        .Color("ColorWarnBG", &T::ColorWarnBG, &T::SetColorWarnBG)
        .Color("ColorWarnText", &T::ColorWarnText, &T::SetColorWarnText)
        .Enum("ColorScheme", &T::ColorScheme, &T::SetColorScheme, TColorSchemeType)
        .Bool("ButVisible", &T::ButVisible, &T::SetButVisible)
        .Int("ButWidth", &T::ButWidth, &T::SetButWidth)
        .Int("ButHeight", &T::ButHeight, &T::SetButHeight)
        .Int("ButSpace", &T::ButSpace, &T::SetButSpace)
        .Bool("But3D", &T::But3D, &T::SetBut3D)
        .Color("ButColor", &T::ButColor, &T::SetButColor)
        .Float("ButIncrem", &T::ButIncrem, &T::SetButIncrem)
        .Bool("FreezeBoxVisible", &T::FreezeBoxVisible, &T::SetFreezeBoxVisible)
        .Bool("FreezeBoxChecked", &T::FreezeBoxChecked, &T::SetFreezeBoxChecked)
        .Int("FreezeBoxSize", &T::FreezeBoxSize, &T::SetFreezeBoxSize)
        .Int("FreezeBoxLeft", &T::FreezeBoxLeft, &T::SetFreezeBoxLeft)
        .Int("FreezeBoxTop", &T::FreezeBoxTop, &T::SetFreezeBoxTop)
        .Bool("HideInputOnFreeze", &T::HideInputOnFreeze, &T::SetHideInputOnFreeze)
        .Bool("HideInputEditor", &T::HideInputEditor, &T::SetHideInputEditor)
        .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection)
        .Bool("GaugeVisible", &T::GaugeVisible, &T::SetGaugeVisible)
        .Int("GaugeHeight", &T::GaugeHeight, &T::SetGaugeHeight)
        .Int("GaugeWidth", &T::GaugeWidth, &T::SetGaugeWidth)
        .Int("GaugeLeftMargin", &T::GaugeLeftMargin, &T::SetGaugeLeftMargin)
        .Int("GaugeTopMargin", &T::GaugeTopMargin, &T::SetGaugeTopMargin)
        .Enum("GaugeFrameStyle", &T::GaugeFrameStyle, &T::SetGaugeFrameStyle, TFrameStyleType)
        .Color("GaugeColor", &T::GaugeColor, &T::SetGaugeColor)
        .Color("GaugeColorBg", &T::GaugeColorBg, &T::SetGaugeColorBg)
        .Color("GaugeColorFrame", &T::GaugeColorFrame, &T::SetGaugeColorFrame)
        .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
        .Bool("Beep", &T::Beep, &T::SetBeep)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled)
        .Int("Height", &T::Height, &T::SetHeight)
        .Event("OnChange", &T::OnChange)
        .Event("OnGaugeChange", &T::OnGaugeChange);
    return true;
}();

const bool NumIORegistered = [] {
    using T = TNumIO;
    vcl::RegisterClass<vcl::TCustomEdit, vcl::TCustomControl>("TCustomEdit");
    vcl::RegisterClass<T, vcl::TCustomEdit>("TNumIO")
        .Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize)
        .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, TBorderStyleType)
        .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
        .Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D)
        .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection)
        .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
        .Str("Text", &T::Text, &T::SetText)
        .Enum("InputFormat", &T::InputFormat, &T::SetInputFormat, TInFormatType)
        .Int("FixPointDecPlaces", &T::FixPointDecPlaces, &T::SetFixPointDecPlaces)
        .Enum("DecPlaceSep", &T::DecPlaceSep, &T::SetDecPlaceSep, TDecPSepType)
        .Float("RangeLow", &T::RangeLow, &T::SetRangeLow)
        .Float("RangeHigh", &T::RangeHigh, &T::SetRangeHigh)
        .Bool("Beep", &T::Beep, &T::SetBeep)
        .Event("OnChange", static_cast<vcl::TNotifyEvent T::*>(&T::OnChange));
    return true;
}();

}  // namespace

}  // namespace QEL_NumIO
