// TNumLab on a form of the headless host: setters, copying, painting, mouse.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "buttons/gradfl.h"
#include "displays/NumLab.h"
#include "vcl/Forms.h"
#include "vcl/Themes.h"
#include "vcl/hosts/Headless.h"

namespace {

using namespace QEL_NumLab;
using vcl::TColor;

class NumLab : public ::testing::Test {
protected:
    void SetUp() override {
        Form = new vcl::TForm(nullptr);
        Form->SetBounds(0, 0, 400, 200);
        Form->SetColor(vcl::clLime);
        Lab = Place(10, 10);
        Form->Show();
        Settle();
    }
    void TearDown() override {
        vcl::StyleServices().Deactivate();
        delete Form;
    }

    TNumLab* Place(int X, int Y) {
        auto* L = new TNumLab(Form);
        L->SetParent(Form);
        L->SetLeft(X);
        L->SetTop(Y);
        // Pure colours make the pixel checks exact.
        L->Font()->SetQuality(vcl::fqNonAntialiased);
        L->Font()->SetColor(vcl::clBlack);
        return L;
    }
    void Settle() {
        vcl::Application->ProcessMessages();
        vcl::Headless().ResetPaintCounts();
    }
    int Paints(const vcl::TControl* C) const { return vcl::Headless().PaintCount(C); }
    // A pixel of L's face, in L's coordinates.
    TColor Pixel(const TNumLab* L, int X, int Y) const {
        return Form->Surface()->Canvas()->Pixels(L->Left() + X, L->Top() + Y);
    }
    // The pixels of a rectangle of L's face, row by row.
    std::vector<TColor> Pixels(const TNumLab* L, vcl::TRect R) const {
        std::vector<TColor> P;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X) P.push_back(Pixel(L, X, Y));
        return P;
    }
    std::vector<TColor> BoxInside(const TNumLab* L) const {
        return Pixels(L, vcl::Rect(L->LeftSpace() + 3, 2, L->LeftSpace() + L->LabelWidth() - 1,
                                   L->Height() - 3));
    }
    // The places in R of pixels with colour C.
    std::set<std::pair<int, int>> Where(const TNumLab* L, vcl::TRect R, TColor C) const {
        std::set<std::pair<int, int>> S;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (Pixel(L, X, Y) == C) S.insert({X, Y});
        return S;
    }

    // Where a caption "8" and the value leave black ink on a yellow face.
    struct TInk {
        vcl::TRect Caption, Box;
        std::set<std::pair<int, int>> Text, Value;
    };
    TInk InkOnYellow() {
        Lab->SetLeftText("8");
        Lab->SetColorOutBakG(vcl::clYellow);
        Lab->SetColorLabBakG(vcl::clYellow);
        TInk Ink;
        Ink.Caption = vcl::Rect(0, 0, Lab->LeftSpace(), Lab->Height());
        Ink.Box = vcl::Rect(Lab->LeftSpace() + 3, 2, 110, Lab->Height() - 3);
        Ink.Text = Where(Lab, Ink.Caption, vcl::clBlack);
        Ink.Value = Where(Lab, Ink.Box, vcl::clBlack);
        return Ink;
    }

    vcl::TForm* Form = nullptr;
    TNumLab* Lab = nullptr;
};

TEST_F(NumLab, StartsWithTheDocumentedValues) {
    EXPECT_EQ(Lab->Width(), 160);
    EXPECT_EQ(Lab->Height(), 28);
    EXPECT_EQ(Lab->Value(), 0.0);
    EXPECT_EQ(Lab->DisplayType(), dtFixP);
    EXPECT_EQ(Lab->Precision(), 2);
    EXPECT_EQ(Lab->LeftSpace(), 35);
    EXPECT_EQ(Lab->LabelWidth(), 80);
    EXPECT_EQ(Lab->Alignment(), vcl::taCenter);
    EXPECT_EQ(Lab->LeftTextAlignment(), vcl::taRightJustify);
    EXPECT_EQ(Lab->RightTextAlignment(), vcl::taLeftJustify);
    EXPECT_EQ(Lab->FrameStyle(), QEL_base::fsLowered);
    EXPECT_EQ(Lab->ColorLabBakG(), vcl::clBtnFace);
    EXPECT_EQ(Lab->ColorOutBakG(), vcl::clBtnFace);
    EXPECT_EQ(Lab->OverflowIndicator(), "*********");
    EXPECT_EQ(Lab->DTFormat(), "mmm-dd, yyyy");
    EXPECT_EQ(Lab->StateText(), "undefined");
    EXPECT_EQ(Lab->ColBlackLine(), vcl::clBlack);
    EXPECT_EQ(Lab->ColGrayLine(), vcl::clGray);
    EXPECT_EQ(Lab->ColWhiteLine(), vcl::clWhite);

    std::string Shown;
    Lab->OnBeforeDisplay = [&](vcl::TObject*, std::string& Text) { Shown = Text; };
    Lab->Repaint();
    EXPECT_EQ(Shown, "0.00");
}

// Each setter with a value different from the start and with the start again.
TEST_F(NumLab, SettersRepaintAtOnceOnlyWhenTheValueChanges) {
    const std::vector<std::pair<const char*, std::function<void(bool)>>> Setters = {
        {"Value", [&](bool New) { Lab->SetValue(New ? 1.5 : 0.0); }},
        {"DisplayType", [&](bool New) { Lab->SetDisplayType(New ? dtInt : dtFixP); }},
        {"Precision", [&](bool New) { Lab->SetPrecision(New ? 4 : 2); }},
        {"Comma", [&](bool New) { Lab->SetComma(New); }},
        {"ForcePlusSign", [&](bool New) { Lab->SetForcePlusSign(New); }},
        {"Empty", [&](bool New) { Lab->SetEmpty(New); }},
        {"LeftText", [&](bool New) { Lab->SetLeftText(New ? "U" : ""); }},
        {"RightText", [&](bool New) { Lab->SetRightText(New ? "V" : ""); }},
        {"LeftSpace", [&](bool New) { Lab->SetLeftSpace(New ? 40 : 35); }},
        {"LabelWidth", [&](bool New) { Lab->SetLabelWidth(New ? 70 : 80); }},
        {"Alignment",
         [&](bool New) { Lab->SetAlignment(New ? vcl::taLeftJustify : vcl::taCenter); }},
        {"FrameStyle",
         [&](bool New) { Lab->SetFrameStyle(New ? QEL_base::fsRaised : QEL_base::fsLowered); }},
        {"ColorLabText", [&](bool New) { Lab->SetColorLabText(New ? vcl::clRed : vcl::clBlack); }},
        {"ColorOutBakG",
         [&](bool New) { Lab->SetColorOutBakG(New ? vcl::clWhite : vcl::clBtnFace); }},
        {"ColorScheme",
         [&](bool New) { Lab->SetColorScheme(New ? QEL_base::csSystem : QEL_base::csClassic); }},
        {"OverflowIndicator",
         [&](bool New) { Lab->SetOverflowIndicator(New ? "#" : "*********"); }},
        {"DTFormat", [&](bool New) { Lab->SetDTFormat(New ? "yyyy" : "mmm-dd, yyyy"); }},
        {"StateText", [&](bool New) { Lab->SetStateText(New ? "on" : "undefined"); }},
    };
    int Events = 0;
    Lab->OnBeforeDisplay = [&](vcl::TObject*, std::string&) { ++Events; };
    for (const auto& [Name, Set] : Setters) {
        Settle();
        Events = 0;
        Set(false);
        EXPECT_EQ(Paints(Lab), 0) << Name;
        EXPECT_EQ(Events, 0) << Name;
        Set(true);
        EXPECT_EQ(Paints(Lab), 1) << Name;
        Set(false);
    }
}

TEST_F(NumLab, EnabledRepaintsEvenWhenUnchanged) {
    Lab->SetEnabled(true);
    EXPECT_EQ(Paints(Lab), 1);
    EXPECT_TRUE(Lab->Enabled());
}

TEST_F(NumLab, ACollapsedControlPaintsWithoutHarm) {
    Lab->SetBounds(10, 10, 0, 0);
    Lab->SetLeftText("L");
    Lab->SetValue(99.0);
    vcl::Application->ProcessMessages();
    EXPECT_EQ(Lab->LeftSpace(), 35);  // kept: the clamp applies only when it is set
}

TEST_F(NumLab, ChangesToAndFromNotANumberAlwaysRepaint) {
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    Lab->SetValue(NaN);
    Settle();
    Lab->SetValue(NaN);
    EXPECT_EQ(Paints(Lab), 1);
}

TEST_F(NumLab, PrecisionAndLeftSpaceClampOrIgnoreOutOfRangeValues) {
    Lab->SetPrecision(20);
    EXPECT_EQ(Lab->Precision(), 15);
    Lab->SetPrecision(-1);
    EXPECT_EQ(Lab->Precision(), 15);
    Lab->SetPrecision(0);
    EXPECT_EQ(Lab->Precision(), 0);

    Lab->SetLeftSpace(500);
    EXPECT_EQ(Lab->LeftSpace(), 160);
    Lab->SetLeftSpace(-3);
    EXPECT_EQ(Lab->LeftSpace(), 160);

    Lab->SetLabelWidth(-10);  // taken as it is
    EXPECT_EQ(Lab->LabelWidth(), -10);
}

TEST_F(NumLab, AssignCopiesTheListedPropertiesAndRepaints) {
    TNumLab* Src = Place(10, 60);
    Src->SetLeftSpace(50);
    Src->SetEmpty(true);
    Src->SetLabelWidth(60);
    Src->SetPrecision(4);
    Src->SetLeftText("L");
    Src->SetRightText("R");
    Src->SetFrameStyle(QEL_base::fsSimple);
    Src->SetAlignment(vcl::taRightJustify);
    Src->SetRightTextAlignment(vcl::taCenter);
    Src->SetLeftTextAlignment(vcl::taLeftJustify);
    Src->SetOverflowIndicator("!");
    Src->SetValue(7.25);
    Src->SetStateText("busy");
    Src->SetTransparent(true);
    Src->SetColorLabBakG(vcl::clAqua);
    Src->SetColorLabText(vcl::clRed);
    Src->SetColorOutBakG(vcl::clYellow);
    Src->SetColorOutText(vcl::clNavy);
    Src->SetColorScheme(QEL_base::csSystem);
    Src->SetDisplayType(dtExp);
    Src->SetComma(true);
    Src->SetForcePlusSign(true);
    Src->SetDTFormat("yyyy");
    Src->SetEnabled(false);
    Src->OnBeforeDisplay = [](vcl::TObject*, std::string&) {};
    Settle();

    Lab->Assign(Src);
    EXPECT_EQ(Paints(Lab), 1);
    EXPECT_EQ(Lab->LeftSpace(), 50);
    EXPECT_TRUE(Lab->Empty());
    EXPECT_EQ(Lab->LabelWidth(), 60);
    EXPECT_EQ(Lab->Precision(), 4);
    EXPECT_EQ(Lab->LeftText(), "L");
    EXPECT_EQ(Lab->RightText(), "R");
    EXPECT_EQ(Lab->FrameStyle(), QEL_base::fsSimple);
    EXPECT_EQ(Lab->Alignment(), vcl::taRightJustify);
    EXPECT_EQ(Lab->RightTextAlignment(), vcl::taCenter);
    EXPECT_EQ(Lab->LeftTextAlignment(), vcl::taLeftJustify);
    EXPECT_EQ(Lab->OverflowIndicator(), "!");
    EXPECT_EQ(Lab->Value(), 7.25);
    EXPECT_EQ(Lab->StateText(), "busy");
    EXPECT_TRUE(Lab->Transparent());
    EXPECT_EQ(Lab->ColorLabBakG(), vcl::clAqua);
    EXPECT_EQ(Lab->ColorLabText(), vcl::clRed);
    EXPECT_EQ(Lab->ColorOutBakG(), vcl::clYellow);
    EXPECT_EQ(Lab->ColorOutText(), vcl::clNavy);
    EXPECT_EQ(Lab->ColorScheme(), QEL_base::csSystem);
    EXPECT_EQ(Lab->ColGrayLine(), vcl::clBtnShadow);
    EXPECT_EQ(Lab->ColWhiteLine(), vcl::clBtnHighlight);
    EXPECT_EQ(Lab->DisplayType(), dtExp);
    // Not copied:
    EXPECT_FALSE(Lab->Comma());
    EXPECT_FALSE(Lab->ForcePlusSign());
    EXPECT_EQ(Lab->DTFormat(), "mmm-dd, yyyy");
    EXPECT_TRUE(Lab->Enabled());
    EXPECT_FALSE(Lab->OnBeforeDisplay);
}

TEST_F(NumLab, AssignBetweenOtherClassesRaisesTheConversionError) {
    QEL_gradfl::TGradFill Fill(nullptr);
    try {
        Lab->Assign(&Fill);
        FAIL() << "no exception";
    } catch (const vcl::EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TGradFill to a TNumLab");
    }
    vcl::TFont Font;
    try {
        Font.Assign(Lab);
        FAIL() << "no exception";
    } catch (const vcl::EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TNumLab to a TFont");
    }
}

TEST_F(NumLab, ColorSchemeSwitchesTheGrayAndWhiteLinesAndBack) {
    Lab->SetColorScheme(QEL_base::csSystem);
    EXPECT_EQ(Lab->ColBlackLine(), vcl::clBlack);
    EXPECT_EQ(Lab->ColGrayLine(), vcl::clBtnShadow);
    EXPECT_EQ(Lab->ColWhiteLine(), vcl::clBtnHighlight);
    Lab->SetColorScheme(QEL_base::csClassic);
    EXPECT_EQ(Lab->ColBlackLine(), vcl::clBlack);
    EXPECT_EQ(Lab->ColGrayLine(), vcl::clGray);
    EXPECT_EQ(Lab->ColWhiteLine(), vcl::clWhite);
}

TEST_F(NumLab, UnderAStyleWithBorderEverySchemeLineTakesTheBorderColour) {
    vcl::TStyleColors Style;
    Style.Name = "Test";
    Style.Colors[vcl::scBorder] = 0x123456;
    vcl::StyleServices().Activate(Style);
    Lab->SetColorScheme(QEL_base::csSystem);
    EXPECT_EQ(Lab->ColBlackLine(), 0x123456u);
    EXPECT_EQ(Lab->ColGrayLine(), 0x123456u);
    EXPECT_EQ(Lab->ColWhiteLine(), 0x123456u);

    Lab->SetColorScheme(QEL_base::csClassic);
    Lab->SetStyleElements({vcl::seFont, vcl::seClient});
    Lab->SetColorScheme(QEL_base::csSystem);
    EXPECT_EQ(Lab->ColGrayLine(), vcl::clBtnShadow);
}

TEST_F(NumLab, AnActiveStyleColoursTheBackgroundAndTheBoxUnlessOptedOut) {
    vcl::TStyleColors Style;
    Style.Name = "Test";
    Style.Colors[vcl::scWindow] = 0x202020;
    Style.Colors[vcl::scGrid] = 0x404040;
    vcl::StyleServices().Activate(Style);
    Lab->SetEmpty(true);
    const int Inside = Lab->LeftSpace() + 10;
    EXPECT_EQ(Pixel(Lab, 2, 2), 0x202020u);
    EXPECT_EQ(Pixel(Lab, Inside, 10), 0x404040u);

    Lab->SetStyleElements({vcl::seFont, vcl::seBorder});
    Lab->Repaint();
    EXPECT_EQ(Pixel(Lab, 2, 2), vcl::ColorToRGB(vcl::clBtnFace));
    EXPECT_EQ(Pixel(Lab, Inside, 10), vcl::ColorToRGB(vcl::clBtnFace));
}

TEST_F(NumLab, AStyleWithFontColoursTheCaptionsAndTheValue) {
    const TInk Ink = InkOnYellow();
    const auto& [Caption, Box, Text, Value] = Ink;
    ASSERT_FALSE(Text.empty());

    vcl::TStyleColors Style;
    Style.Name = "Test";
    Style.FontColors[vcl::sfCheckBoxTextNormal] = vcl::clRed;
    Style.FontColors[vcl::sfCheckBoxTextDisabled] = vcl::clBlue;
    Style.FontColors[vcl::sfPanelTextNormal] = vcl::clGreen;
    vcl::StyleServices().Activate(Style);
    Lab->SetStyleElements({vcl::seFont});
    Lab->Repaint();
    EXPECT_EQ(Where(Lab, Caption, vcl::clRed), Text);
    EXPECT_EQ(Where(Lab, Box, vcl::clGreen), Value);

    // Disabled under the style: one pass in the style's disabled colour at
    // the place of the engraved look's shadow.
    Lab->SetEnabled(false);
    std::set<std::pair<int, int>> Shadow;
    for (auto [X, Y] : Text) Shadow.insert({X + 1, Y + 1});
    EXPECT_EQ(Where(Lab, Caption, vcl::clBlue), Shadow);
}

TEST_F(NumLab, DisabledCaptionsAreEngravedAndTheValueShadowed) {
    const TInk Ink = InkOnYellow();
    const auto& [Caption, Box, Text, Value] = Ink;
    ASSERT_FALSE(Text.empty());
    ASSERT_FALSE(Value.empty());

    Lab->SetEnabled(false);
    for (auto [X, Y] : Text) {
        EXPECT_EQ(Pixel(Lab, X, Y), vcl::clGray) << X << "," << Y;
        if (!Text.count({X + 1, Y + 1})) {
            EXPECT_EQ(Pixel(Lab, X + 1, Y + 1), vcl::clWhite) << X + 1 << "," << Y + 1;
        }
    }
    EXPECT_EQ(Where(Lab, Caption, vcl::clGray), Text);
    EXPECT_EQ(Where(Lab, Box, vcl::ColorToRGB(vcl::clBtnShadow)), Value);

    Lab->SetEnabled(true);
    EXPECT_EQ(Where(Lab, Caption, vcl::clBlack), Text);
}

TEST_F(NumLab, EmptyDrawsTheBoxWithoutValueAndWithoutTheEvent) {
    Lab->SetColorLabBakG(vcl::clYellow);
    int Events = 0;
    Lab->OnBeforeDisplay = [&](vcl::TObject*, std::string&) { ++Events; };
    Lab->SetEmpty(true);
    EXPECT_EQ(Events, 0);
    const int LS = Lab->LeftSpace(), LW = Lab->LabelWidth();
    for (TColor C : Pixels(Lab, vcl::Rect(LS + 4, 3, LS + LW - 3, Lab->Height() - 5)))
        ASSERT_EQ(C, vcl::clYellow);
}

TEST_F(NumLab, TheHandlersTextIsShownAndTooWideTextsShowTheIndicator) {
    TNumLab* Other = Place(10, 60);
    for (TNumLab* L : {Lab, Other}) L->SetAlignment(vcl::taLeftJustify);

    Lab->OnBeforeDisplay = [](vcl::TObject*, std::string& Text) { Text = "HELLO"; };
    Lab->SetValue(1.0);
    Other->SetDisplayType(dtState);
    Other->SetStateText("HELLO");
    EXPECT_EQ(BoxInside(Lab), BoxInside(Other));

    Lab->OnBeforeDisplay = nullptr;
    Lab->SetValue(123456789012.0);
    Other->SetStateText("*********");
    EXPECT_EQ(BoxInside(Lab), BoxInside(Other));

    // A state text is clipped, never replaced.
    Lab->SetDisplayType(dtState);
    Lab->SetStateText("A state text far too wide for the box");
    EXPECT_NE(BoxInside(Lab), BoxInside(Other));
}

TEST_F(NumLab, TransparentLetsTheParentShowThroughTheWhiteBackground) {
    Lab->SetTransparent(true);
    EXPECT_EQ(Paints(Lab), 0);  // switched on: deferred until the parent repaints
    vcl::Application->ProcessMessages();
    EXPECT_EQ(Pixel(Lab, 2, 2), vcl::clLime);
    EXPECT_EQ(Pixel(Lab, 158, 26), vcl::clLime);

    Settle();
    Lab->SetTransparent(false);
    EXPECT_EQ(Paints(Lab), 1);
    EXPECT_EQ(Pixel(Lab, 2, 2), vcl::ColorToRGB(vcl::clBtnFace));
}

// The value text is built while painting, so the event shows whether a
// paint drew.
TEST_F(NumLab, PaintsOnlyWhileVisibleOrInTheDesigner) {
    int Painted = 0;
    Lab->OnBeforeDisplay = [&](vcl::TObject*, std::string&) { ++Painted; };
    Lab->SetVisible(false);
    Settle();
    Painted = 0;
    Lab->SetValue(1.0);
    EXPECT_EQ(Painted, 0);

    Lab->SetDesigning(true);
    Lab->SetValue(2.0);
    EXPECT_EQ(Painted, 1);
}

TEST_F(NumLab, MouseAreaCodeTellsTheHandlerWhichPartIsUnderTheMouse) {
    std::vector<int> Seen;
    Lab->OnMouseMove = [&](vcl::TObject*, vcl::TShiftState, int, int) {
        Seen.push_back(Lab->MouseAreaCode());
    };
    // Boundaries: LeftSpace 35, LeftSpace + LabelWidth 115.
    const std::pair<int, int> Cases[] = {{0, 0}, {35, 0}, {36, 1}, {115, 1}, {116, 2}, {159, 2}};
    for (auto [X, Expected] : Cases) {
        Seen.clear();
        vcl::Headless().MouseMove(Form, Lab->Left() + X, Lab->Top() + 5);
        ASSERT_EQ(Seen.size(), 1u) << X;
        EXPECT_EQ(Seen[0], Expected) << X;
    }
}

}  // namespace
