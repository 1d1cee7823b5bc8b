// Registry entries of the graphics objects: the colour names that form files
// use, and the published properties of TFont, TPen and TBrush.
#include "vcl/Graphics.h"
#include "vcl/TypInfo.h"

namespace vcl {

namespace {

const TEnumType TFontStyleType{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const TEnumType TFontPitchType{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
const TEnumType TFontQualityType{"TFontQuality",
                                 {"fqDefault", "fqDraft", "fqProof", "fqNonAntialiased",
                                  "fqAntialiased", "fqClearType", "fqClearTypeNatural"}};
const TEnumType TPenStyleType{
    "TPenStyle",
    {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
const TEnumType TPenModeType{"TPenMode",
                             {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                              "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                              "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
const TEnumType TBrushStyleType{"TBrushStyle",
                                {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                 "bsBDiagonal", "bsCross", "bsDiagCross"}};

}  // namespace

void detail::RegisterGraphicsClasses() {
    // The colour table lists the standard names first, so a value that has
    // two names (clSilver and clLtGray) is written with the standard one.
    RegisterIntegerConsts("TColor", {
                                        {clBlack, "clBlack"},
                                        {clMaroon, "clMaroon"},
                                        {clGreen, "clGreen"},
                                        {clOlive, "clOlive"},
                                        {clNavy, "clNavy"},
                                        {clPurple, "clPurple"},
                                        {clTeal, "clTeal"},
                                        {clGray, "clGray"},
                                        {clSilver, "clSilver"},
                                        {clRed, "clRed"},
                                        {clLime, "clLime"},
                                        {clYellow, "clYellow"},
                                        {clBlue, "clBlue"},
                                        {clFuchsia, "clFuchsia"},
                                        {clAqua, "clAqua"},
                                        {clWhite, "clWhite"},
                                        {clMoneyGreen, "clMoneyGreen"},
                                        {clSkyBlue, "clSkyBlue"},
                                        {clCream, "clCream"},
                                        {clMedGray, "clMedGray"},
                                        {clNone, "clNone"},
                                        {clDefault, "clDefault"},
                                        {clScrollBar, "clScrollBar"},
                                        {clBackground, "clBackground"},
                                        {clActiveCaption, "clActiveCaption"},
                                        {clInactiveCaption, "clInactiveCaption"},
                                        {clMenu, "clMenu"},
                                        {clWindow, "clWindow"},
                                        {clWindowFrame, "clWindowFrame"},
                                        {clMenuText, "clMenuText"},
                                        {clWindowText, "clWindowText"},
                                        {clCaptionText, "clCaptionText"},
                                        {clActiveBorder, "clActiveBorder"},
                                        {clInactiveBorder, "clInactiveBorder"},
                                        {clAppWorkSpace, "clAppWorkSpace"},
                                        {clHighlight, "clHighlight"},
                                        {clHighlightText, "clHighlightText"},
                                        {clBtnFace, "clBtnFace"},
                                        {clBtnShadow, "clBtnShadow"},
                                        {clGrayText, "clGrayText"},
                                        {clBtnText, "clBtnText"},
                                        {clInactiveCaptionText, "clInactiveCaptionText"},
                                        {clBtnHighlight, "clBtnHighlight"},
                                        {cl3DDkShadow, "cl3DDkShadow"},
                                        {cl3DLight, "cl3DLight"},
                                        {clInfoText, "clInfoText"},
                                        {clInfoBk, "clInfoBk"},
                                        {clHotLight, "clHotLight"},
                                        {clGradientActiveCaption, "clGradientActiveCaption"},
                                        {clGradientInactiveCaption, "clGradientInactiveCaption"},
                                        {clMenuHighlight, "clMenuHighlight"},
                                        {clMenuBar, "clMenuBar"},
                                        {clLtGray, "clLtGray"},
                                        {clDkGray, "clDkGray"},
                                    });

    RegisterClass<TGraphicsObject, TPersistent>("TGraphicsObject");
    RegisterClass<TFont, TGraphicsObject>("TFont")
        .Color("Color", &TFont::Color, &TFont::SetColor)
        .Int("Height", &TFont::Height, &TFont::SetHeight)
        .Str("Name", &TFont::Name, &TFont::SetName)
        .Int("Orientation", &TFont::Orientation, &TFont::SetOrientation)
        .Default(0)
        .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, TFontPitchType)
        .Default(fpDefault)
        .Int("Size", &TFont::Size, &TFont::SetSize)
        .NoStore()
        .Set("Style", &TFont::Style, &TFont::SetStyle, TFontStyleType)
        .Enum("Quality", &TFont::Quality, &TFont::SetQuality, TFontQualityType)
        .Default(fqDefault);
    RegisterClass<TPen, TGraphicsObject>("TPen")
        .Color("Color", &TPen::Color, &TPen::SetColor)
        .Default(clBlack)
        .Enum("Mode", &TPen::Mode, &TPen::SetMode, TPenModeType)
        .Default(pmCopy)
        .Enum("Style", &TPen::Style, &TPen::SetStyle, TPenStyleType)
        .Default(psSolid)
        .Int("Width", &TPen::Width, &TPen::SetWidth)
        .Default(1);
    RegisterClass<TBrush, TGraphicsObject>("TBrush")
        .Color("Color", &TBrush::Color, &TBrush::SetColor)
        .Default(clWhite)
        .Enum("Style", &TBrush::Style, &TBrush::SetStyle, TBrushStyleType)
        .Default(bsSolid);
}

}  // namespace vcl
