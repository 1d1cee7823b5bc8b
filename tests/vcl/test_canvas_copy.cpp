#include <gtest/gtest.h>

#include <functional>

#include "test_canvas_util.h"
#include "vcl/Graphics.h"
#include "vcl/Windows.h"

using namespace vcl;
using canvastest::Art;

namespace {

// With pattern 0xF0, source 0xCC and destination 0xAA in every channel, the
// result's bits are the operation's truth table read out bit by bit.
TEST(CanvasCopyMode, EveryRasterOperationFollowsItsTruthTable) {
    using Op = std::function<uint32_t(uint32_t P, uint32_t S, uint32_t D)>;
    struct Case {
        const char* Name;
        TCopyMode Mode;
        Op Want;
    };
    const Case Cases[] = {
        {"cmSrcCopy", cmSrcCopy, [](auto, auto S, auto) { return S; }},
        {"cmSrcPaint", cmSrcPaint, [](auto, auto S, auto D) { return S | D; }},
        {"cmSrcAnd", cmSrcAnd, [](auto, auto S, auto D) { return S & D; }},
        {"cmSrcInvert", cmSrcInvert, [](auto, auto S, auto D) { return S ^ D; }},
        {"cmSrcErase", cmSrcErase, [](auto, auto S, auto D) { return S & ~D; }},
        {"cmNotSrcCopy", cmNotSrcCopy, [](auto, auto S, auto) { return ~S; }},
        {"cmNotSrcErase", cmNotSrcErase, [](auto, auto S, auto D) { return ~(S | D); }},
        {"cmMergeCopy", cmMergeCopy, [](auto P, auto S, auto) { return P & S; }},
        {"cmMergePaint", cmMergePaint, [](auto, auto S, auto D) { return ~S | D; }},
        {"cmPatCopy", cmPatCopy, [](auto P, auto, auto) { return P; }},
        {"cmPatPaint", cmPatPaint, [](auto P, auto S, auto D) { return P | ~S | D; }},
        {"cmPatInvert", cmPatInvert, [](auto P, auto, auto D) { return P ^ D; }},
        {"cmDstInvert", cmDstInvert, [](auto, auto, auto D) { return ~D; }},
        {"cmBlackness", cmBlackness, [](auto, auto, auto) { return 0u; }},
        {"cmWhiteness", cmWhiteness, [](auto, auto, auto) { return ~0u; }},
    };
    const TColor P = 0xF0F0F0, S = 0xCCCCCC, D = 0xAAAAAA;
    for (const Case& K : Cases) {
        TBitmap Src(1, 1), Dst(1, 1);
        Src.Canvas()->SetPixels(0, 0, S);
        Dst.Canvas()->SetPixels(0, 0, D);
        Dst.Canvas()->Brush()->SetColor(P);
        Dst.Canvas()->SetCopyMode(K.Mode);
        Dst.Canvas()->CopyRect(Rect(0, 0, 1, 1), Src.Canvas(), Rect(0, 0, 1, 1));
        EXPECT_EQ(Dst.Canvas()->Pixels(0, 0), K.Want(P, S, D) & 0xFFFFFF) << K.Name;
    }
}

TEST(CanvasDraw, CopiesAtTheOffsetAndClips) {
    TBitmap Src(2, 2), Dst(4, 3);
    Src.Canvas()->SetPixels(0, 0, clRed);
    Src.Canvas()->SetPixels(1, 1, clBlue);
    Dst.Canvas()->Draw(1, 0, &Src);
    Dst.Canvas()->Draw(3, 2, &Src);  // only its top-left pixel lands
    EXPECT_EQ(Art(Dst), (std::vector<std::string>{".r..", "..b.", "...r"}));
}

TEST(CanvasDraw, TransparentBitmapLeavesOutItsTransparentColour) {
    TBitmap Src(2, 2), Dst(2, 2);
    Src.Canvas()->SetPixels(0, 0, clRed);
    Src.Canvas()->SetPixels(0, 1, clBlue);  // bottom-left: the automatic colour
    Src.Canvas()->SetPixels(1, 0, clBlue);
    Src.SetTransparent(true);
    EXPECT_EQ(Src.TransparentColor(), clBlue);
    Dst.Canvas()->Brush()->SetColor(clBlack);
    Dst.Canvas()->FillRect(Rect(0, 0, 2, 2));
    Dst.Canvas()->Draw(0, 0, &Src);
    EXPECT_EQ(Art(Dst), (std::vector<std::string>{"r#", "#."}));
    Src.SetTransparentColor(clWhite);
    Dst.Canvas()->FillRect(Rect(0, 0, 2, 2));
    Dst.Canvas()->Draw(0, 0, &Src);
    EXPECT_EQ(Art(Dst), (std::vector<std::string>{"rb", "b#"}));
}

TEST(CanvasStretchDraw, ScalesByNearestNeighbourUnderTheCopyMode) {
    TBitmap Src(2, 2), Dst(4, 4);
    Src.Canvas()->SetPixels(0, 0, clBlack);
    Src.Canvas()->SetPixels(1, 1, clBlack);
    Dst.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &Src);
    EXPECT_EQ(Art(Dst), (std::vector<std::string>{"##..", "##..", "..##", "..##"}));
    // A mask drawn with cmSrcAnd keeps what is under its white pixels.
    Dst.Canvas()->Brush()->SetColor(clRed);
    Dst.Canvas()->FillRect(Rect(0, 0, 4, 4));
    Dst.Canvas()->SetCopyMode(cmSrcAnd);
    Dst.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &Src);
    EXPECT_EQ(Art(Dst), (std::vector<std::string>{"##rr", "##rr", "rr##", "rr##"}));
}

TEST(StretchBltModes, DroppedPixelsFollowTheMode) {
    struct Case {
        int Mode;
        TColor Want;
    };
    // Two source pixels 0x00F0F0 and 0x0F0F0F shrunk into one.
    const Case Cases[] = {{BLACKONWHITE, 0x000000},
                          {WHITEONBLACK, 0x0FFFFF},
                          {COLORONCOLOR, 0x00F0F0},
                          {HALFTONE, 0x088080}};
    for (const Case& K : Cases) {
        TBitmap Src(2, 1), Dst(1, 1);
        Src.Canvas()->SetPixels(0, 0, 0x00F0F0);
        Src.Canvas()->SetPixels(1, 0, 0x0F0F0F);
        EXPECT_EQ(GetStretchBltMode(Dst.Canvas()->Handle()), BLACKONWHITE);
        SetStretchBltMode(Dst.Canvas()->Handle(), K.Mode);
        EXPECT_TRUE(StretchBlt(Dst.Canvas()->Handle(), 0, 0, 1, 1, Src.Canvas()->Handle(), 0, 0, 2,
                               1, SRCCOPY));
        EXPECT_EQ(Dst.Canvas()->Pixels(0, 0), K.Want) << K.Mode;
    }
}

TEST(StretchBlt, NegativeWidthMirrors) {
    TBitmap Src(3, 1), Dst(3, 1);
    Src.Canvas()->SetPixels(0, 0, clRed);
    Src.Canvas()->SetPixels(2, 0, clBlue);
    StretchBlt(Dst.Canvas()->Handle(), 3, 0, -3, 1, Src.Canvas()->Handle(), 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(Art(Dst)[0], "b.r");
    EXPECT_FALSE(StretchBlt(Dst.Canvas()->Handle(), 0, 0, 0, 1, Src.Canvas()->Handle(), 0, 0, 3, 1,
                            SRCCOPY));
}

TEST(CanvasCopyRect, OverlappingCopyOnOneCanvasReadsTheOriginal) {
    TBitmap B(5, 1);
    TCanvas* C = B.Canvas();
    C->SetPixels(0, 0, clRed);
    C->SetPixels(1, 0, clBlue);
    C->CopyRect(Rect(1, 0, 4, 1), C, Rect(0, 0, 3, 1));
    EXPECT_EQ(Art(B)[0], "rrb..");
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndFailsWithMinusOne) {
    struct Case {
        int A, B, C, Want;
    };
    const Case Cases[] = {{5, 1, 2, 3},
                          {-5, 3, 2, -8},
                          {8, 96, 72, 11},
                          {-11, 72, 96, -8},
                          {7, 1, 0, -1},
                          {2000000000, 2, 1, -1},
                          {2000000000, 2, 4, 1000000000},
                          {-3, 1, -2, 2}};
    for (const Case& K : Cases)
        EXPECT_EQ(MulDiv(K.A, K.B, K.C), K.Want) << K.A << "*" << K.B << "/" << K.C;
}

}  // namespace
