// The paint pattern, line colours, the engraved look and style colours.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "frame/Engraved.h"
#include "frame/LineColors.h"
#include "frame/PaintBuffer.h"
#include "frame/StyleColors.h"
#include "vcl/Themes.h"

namespace {

using vcl::TColor;

TEST(PaintBuffer, MeasuresTheSampleTextAndCarriesTheFont) {
    vcl::TBitmap Screen(50, 40);
    vcl::TFont Font;
    Font.SetSize(14);
    kestrix::TPaintBuffer Buffer(*Screen.Canvas(), Font, 50, 40);
    EXPECT_EQ(Screen.Canvas()->Font()->Height(), Font.Height());
    EXPECT_EQ(Buffer.Canvas().Font()->Height(), Font.Height());
    EXPECT_EQ(Buffer.TextHeight(), Screen.Canvas()->TextHeight("(8g]}ÜÄ§"));
    // The cell height does not depend on the text: "ae" is as high as the sample.
    EXPECT_EQ(Buffer.TextHeight(), Buffer.Canvas().TextHeight("ae"));
    EXPECT_EQ(Buffer.Bitmap().Width(), 50);
    EXPECT_EQ(Buffer.Bitmap().Height(), 40);
}

TEST(PaintBuffer, CopiesOpaqueOrLetsWhiteShowWhatLiesBehind) {
    vcl::TBitmap Screen(4, 1);
    vcl::TFont Font;
    for (bool Transparent : {false, true}) {
        Screen.Canvas()->Brush()->SetColor(0x00FF00);
        Screen.Canvas()->FillRect(vcl::Rect(0, 0, 4, 1));
        kestrix::TPaintBuffer Buffer(*Screen.Canvas(), Font, 4, 1);
        Buffer.Canvas().SetPixels(0, 0, vcl::clWhite);
        Buffer.Canvas().SetPixels(1, 0, 0x0000FF);
        Buffer.CopyTo(*Screen.Canvas(), Transparent);
        EXPECT_EQ(Screen.Canvas()->Pixels(0, 0), Transparent ? 0x00FF00u : vcl::clWhite);
        EXPECT_EQ(Screen.Canvas()->Pixels(1, 0), Transparent ? 0x000000u : 0x0000FFu);
        EXPECT_EQ(Screen.Canvas()->CopyMode(), vcl::cmSrcCopy);
    }
}

TEST(PaintBuffer, HalvingTruncatesTowardZero) {
    EXPECT_EQ(kestrix::Half(-5), -2);
    EXPECT_EQ(kestrix::Half(5), 2);
    EXPECT_EQ(kestrix::Half(-1), 0);
}

TEST(LineColors, SchemeSwitchesGrayAndWhiteAndComesBack) {
    kestrix::TLineColors Lines;
    EXPECT_EQ(Lines.FColBlackLine, vcl::clBlack);
    EXPECT_EQ(Lines.FColGrayLine, vcl::clGray);
    EXPECT_EQ(Lines.FColWhiteLine, vcl::clWhite);
    Lines.FColBlackLine = vcl::clNavy;
    Lines.ApplyColorScheme(QEL_base::csSystem);
    EXPECT_EQ(Lines.FColorScheme, QEL_base::csSystem);
    EXPECT_EQ(Lines.FColGrayLine, vcl::clBtnShadow);
    EXPECT_EQ(Lines.FColWhiteLine, vcl::clBtnHighlight);
    Lines.ApplyColorScheme(QEL_base::csClassic);
    EXPECT_EQ(Lines.FColGrayLine, vcl::clGray);
    EXPECT_EQ(Lines.FColWhiteLine, vcl::clWhite);
    EXPECT_EQ(Lines.FColBlackLine, vcl::clNavy);  // the outline is never switched
}

TEST(Engraved, GrayTextOverAWhiteShadowOneRightAndDown) {
    vcl::TBitmap Plain(40, 30), Engraved(40, 30);
    for (vcl::TBitmap* B : {&Plain, &Engraved}) {
        B->Canvas()->Brush()->SetColor(vcl::clYellow);
        B->Canvas()->FillRect(vcl::Rect(0, 0, 40, 30));
        B->Canvas()->Font()->SetQuality(vcl::fqNonAntialiased);
        B->Canvas()->Font()->SetColor(vcl::clBlack);
    }
    Plain.Canvas()->TextOut(5, 5, "8");
    kestrix::TextOutEngraved(*Engraved.Canvas(), 5, 5, "8");

    std::set<std::pair<int, int>> Ink;
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 40; ++X)
            if (Plain.Canvas()->Pixels(X, Y) == vcl::clBlack) Ink.insert({X, Y});
    ASSERT_FALSE(Ink.empty());
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 40; ++X) {
            TColor Expected = vcl::clYellow;  // the clear brush leaves the background
            if (Ink.count({X - 1, Y - 1})) Expected = vcl::clWhite;
            if (Ink.count({X, Y})) Expected = vcl::clGray;
            ASSERT_EQ(Engraved.Canvas()->Pixels(X, Y), Expected) << X << "," << Y;
        }
}

TEST(StyleColors, AStyleAppliesOnlyWhenActiveAndTheElementIsWanted) {
    vcl::TControl Control(nullptr);
    EXPECT_FALSE(kestrix::StyleApplies(Control, vcl::seClient));
    const kestrix::TFrameColors Classic = kestrix::FrameColors(Control);
    EXPECT_EQ(Classic.C1, vcl::clWhite);
    EXPECT_EQ(Classic.C2, vcl::clSilver);
    EXPECT_EQ(Classic.C3, vcl::clGray);
    EXPECT_EQ(Classic.C4, vcl::clBlack);
    EXPECT_EQ(Classic.C5, 0u);

    vcl::TStyleColors Style;
    Style.Name = "Test";
    Style.Colors[vcl::scBorder] = 0x010203;
    Style.SystemColors[vcl::cl3DLight] = 0x111111;
    Style.SystemColors[vcl::cl3DDkShadow] = 0x444444;
    vcl::StyleServices().Activate(Style);
    EXPECT_TRUE(kestrix::StyleApplies(Control, vcl::seClient));
    const kestrix::TFrameColors Styled = kestrix::FrameColors(Control);
    EXPECT_EQ(Styled.C1, 0x111111u);
    EXPECT_EQ(Styled.C4, 0x444444u);
    EXPECT_EQ(Styled.C5, 0x010203u);

    Control.SetStyleElements({vcl::seFont, vcl::seBorder});
    EXPECT_FALSE(kestrix::StyleApplies(Control, vcl::seClient));
    EXPECT_TRUE(kestrix::StyleApplies(Control, vcl::seBorder));
    EXPECT_EQ(kestrix::FrameColors(Control).C1, vcl::clWhite);
    vcl::StyleServices().Deactivate();
}

}  // namespace
