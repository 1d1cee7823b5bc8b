// Published properties of the number fields, in declaration order.
#include "numio/NumIO.h"
#include "numio/NumIO2.h"
#include "qelbase/Types.h"
#include "vcl/TypInfo.h"

namespace QEL_NumIO {

namespace {

const vcl::TEnumType TInFormatTypeInfo{
    "TInFormat",
    {"itExp", "itFloat", "itFixPoint", "itInt", "itHex", "itOct", "itBin", "itDynamic"}};

const bool NumIO2Registered = [] {
    using T = TNumIO2;
    vcl::RegisterClass<T, vcl::TCustomControl>("TNumIO2")
        .Str("Text", &T::Text, &T::SetText)
        // Value is the text read as a number: the text is what is stored.
        .Float("Value", &T::Value, &T::SetValue)
        .NoStore()
        .Enum("InputFormat", &T::InputFormat, &T::SetInputFormat, TInFormatTypeInfo)
        .Int("FixPointDecPlaces", &T::FixPointDecPlaces, &T::SetFixPointDecPlaces)
        .Int("SignificantDigits", &T::SignificantDigits, &T::SetSignificantDigits)
        .Enum("DecPlaceSep", &T::DecPlaceSep, &T::SetDecPlaceSep, QEL_base::TDecPSepTypeInfo)
        .Float("RangeLow", &T::RangeLow, &T::SetRangeLow)
        .Float("RangeHigh", &T::RangeHigh, &T::SetRangeHigh)
        .Str("LeftText", &T::LeftText, &T::SetLeftText)
        .Str("RightText", &T::RightText, &T::SetRightText)
        .Int("LeftSpace", &T::LeftSpace, &T::SetLeftSpace)
        .Int("TextBoxWidth", &T::TextBoxWidth, &T::SetTextBoxWidth)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, vcl::TAlignmentTypeInfo)
        .Enum("LeftTextAlignment", &T::LeftTextAlignment, &T::SetLeftTextAlignment,
              vcl::TAlignmentTypeInfo)
        .Enum("RightTextAlignment", &T::RightTextAlignment, &T::SetRightTextAlignment,
              vcl::TAlignmentTypeInfo)
        .Enum("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, QEL_base::TFrameStyleTypeInfo)
        .Color("ColorBoxBG", &T::ColorBoxBG, &T::SetColorBoxBG)
        .Color("ColorBoxText", &T::ColorBoxText, &T::SetColorBoxText)
        .Color("ColorOutBG", &T::ColorOutBG, &T::SetColorOutBG)
        .Color("ColorOutText", &T::ColorOutText, &T::SetColorOutText)
        .Color("ColorWarnBG", &T::ColorWarnBG, &T::SetColorWarnBG)
        .Color("ColorWarnText", &T::ColorWarnText, &T::SetColorWarnText)
        .Enum("ColorScheme", &T::ColorScheme, &T::SetColorScheme, QEL_base::TColorSchemeTypeInfo)
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
        .Enum("GaugeFrameStyle", &T::GaugeFrameStyle, &T::SetGaugeFrameStyle,
              QEL_base::TFrameStyleTypeInfo)
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
    vcl::RegisterClass<T, vcl::TCustomEdit>("TNumIO")
        .Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize)
        .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, vcl::TBorderStyleTypeInfo)
        .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
        .Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D)
        .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection)
        .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly)
        .Str("Text", &T::Text, &T::SetText)
        .Enum("InputFormat", &T::InputFormat, &T::SetInputFormat, TInFormatTypeInfo)
        .Int("FixPointDecPlaces", &T::FixPointDecPlaces, &T::SetFixPointDecPlaces)
        .Enum("DecPlaceSep", &T::DecPlaceSep, &T::SetDecPlaceSep, QEL_base::TDecPSepTypeInfo)
        .Float("RangeLow", &T::RangeLow, &T::SetRangeLow)
        .Float("RangeHigh", &T::RangeHigh, &T::SetRangeHigh)
        .Bool("Beep", &T::Beep, &T::SetBeep)
        .Event("OnChange", static_cast<vcl::TNotifyEvent T::*>(&T::OnChange));
    return true;
}();

}  // namespace

}  // namespace QEL_NumIO
