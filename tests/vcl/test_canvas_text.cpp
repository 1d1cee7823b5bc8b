#include <gtest/gtest.h>

#include "test_canvas_util.h"
#include "vcl/FontEngine.h"
#include "vcl/Graphics.h"
#include "vcl/Windows.h"

using namespace vcl;

namespace {

struct InkBox {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1, Count = 0, Greys = 0;
};

// The box around every non-white pixel, and how many are neither white nor
// the ink colour (anti-aliasing).
InkBox Ink(TBitmap& B, TColor Colour = clBlack) {
    InkBox K;
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X) {
            const TColor P = B.Canvas()->Pixels(X, Y);
            if (P == clWhite) continue;
            ++K.Count;
            if (P != Colour) ++K.Greys;
            K.Left = std::min(K.Left, X);
            K.Top = std::min(K.Top, Y);
            K.Right = std::max(K.Right, X);
            K.Bottom = std::max(K.Bottom, Y);
        }
    return K;
}

TEST(Font, DefaultsAndPointSizes) {
    TFont F;
    EXPECT_EQ(F.Height(), -11);
    EXPECT_EQ(F.Size(), 8);
    EXPECT_EQ(F.Name(), "DejaVu Sans");
    EXPECT_EQ(F.Color(), clWindowText);
    EXPECT_TRUE(F.Style().Empty());
    F.SetSize(10);
    EXPECT_EQ(F.Height(), -13);
    F.SetSize(12);
    EXPECT_EQ(F.Height(), -16);
    EXPECT_EQ(F.Size(), 12);
}

TEST(Font, TheDefaultFaceCanBeChosen) {
    SetDefaultFontName("DejaVu Serif");
    TFont F;
    SetDefaultFontName("DejaVu Sans");
    EXPECT_EQ(F.Name(), "DejaVu Serif");
    EXPECT_EQ(TFont().Name(), "DejaVu Sans");
}

TEST(Font, OnChangeFiresForRealChangesAndAssignCopiesEverything) {
    TFont A, B;
    int Changes = 0;
    A.OnChange = [&](TObject*) { ++Changes; };
    A.SetColor(clWindowText);
    A.SetName("DejaVu Sans");
    EXPECT_EQ(Changes, 0);
    A.SetColor(clRed);
    EXPECT_EQ(Changes, 1);
    B.SetName("DejaVu Serif");
    B.SetStyle({fsBold, fsUnderline});
    B.SetOrientation(900);
    B.SetQuality(fqNonAntialiased);
    B.SetHeight(-20);
    A.Assign(&B);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(A.Name(), "DejaVu Serif");
    EXPECT_EQ(A.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(A.Orientation(), 900);
    EXPECT_EQ(A.Quality(), fqNonAntialiased);
    EXPECT_EQ(A.Height(), -20);
    EXPECT_EQ(A.Color(), clWindowText);
    TPen P;
    EXPECT_THROW(A.Assign(&P), EConvertError);
}

TEST(Font, RotatedCopyThroughTheWindowSystemDescription) {
    TFont F;
    F.SetStyle({fsItalic});
    TLogFont LF;
    ASSERT_EQ(GetObject(F.Handle(), 92, &LF), 92);
    EXPECT_EQ(LF.lfHeight, -11);
    EXPECT_STREQ(LF.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(LF.lfItalic, 1);
    LF.lfEscapement = LF.lfOrientation = 450;
    LF.lfQuality = ANTIALIASED_QUALITY;
    F.SetHandle(CreateFontIndirect(LF));
    EXPECT_EQ(F.Orientation(), 450);
    EXPECT_EQ(F.Quality(), fqAntialiased);
    EXPECT_TRUE(F.Style().Contains(fsItalic));
}

TEST(CanvasText, MeasuresTheCellAndTheAdvance) {
    TBitmap B(10, 10);
    TCanvas* C = B.Canvas();
    EXPECT_EQ(C->TextHeight("(8g]}ÜÄ§"), 13);  // 8 points at 96 dpi
    EXPECT_EQ(C->TextHeight(""), 13);
    EXPECT_EQ(C->TextWidth(""), 0);
    EXPECT_EQ(C->TextWidth("ab"), C->TextWidth("a") + C->TextWidth("b"));
    EXPECT_GT(C->TextWidth("W"), C->TextWidth("i"));
    EXPECT_EQ(C->TextExtent("Hello"), (TSize{C->TextWidth("Hello"), 13}));
    C->Font()->SetHeight(26);  // positive: the cell height
    EXPECT_NEAR(C->TextHeight("x"), 26, 1);
}

TEST(CanvasText, OpaqueWithASolidBrushTransparentWithAClearOne) {
    TBitmap B(60, 20);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->TextOut(2, 3, "Hi");
    const int W = C->TextWidth("Hi");
    EXPECT_EQ(C->Pixels(2, 3), clRed);
    EXPECT_EQ(C->Pixels(2 + W - 1, 3 + 12), clRed);
    EXPECT_EQ(C->Pixels(2 + W, 3), clWhite);
    EXPECT_EQ(C->Pixels(2, 16), clWhite);
    EXPECT_EQ(C->PenPos(), Point(2 + W, 3));

    TBitmap T(60, 20);
    T.Canvas()->Brush()->SetStyle(bsClear);
    T.Canvas()->TextOut(2, 3, "Hi");
    EXPECT_EQ(T.Canvas()->Pixels(2, 3), clWhite);
    const InkBox K = Ink(T);
    EXPECT_GT(K.Count, 10);
    EXPECT_GE(K.Left, 2);
    EXPECT_GE(K.Top, 3);
    EXPECT_LE(K.Bottom, 3 + 12);
}

TEST(CanvasText, AntiAliasedUnlessTheFontAsksOtherwise) {
    for (TFontQuality Q : {fqDefault, fqNonAntialiased}) {
        TBitmap B(80, 20);
        TCanvas* C = B.Canvas();
        C->Brush()->SetStyle(bsClear);
        C->Font()->SetColor(clBlack);
        C->Font()->SetQuality(Q);
        C->TextOut(1, 1, "Ravens & owls");
        const InkBox K = Ink(B);
        EXPECT_GT(K.Count, 20);
        if (Q == fqNonAntialiased) {
            EXPECT_EQ(K.Greys, 0);
        } else {
            EXPECT_GT(K.Greys, 0);
        }
    }
}

TEST(CanvasText, TextRectClipsToItsRectangleAndFillsItWithTheBrush) {
    TBitmap B(60, 30);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clBlue);
    C->Font()->SetColor(clBlack);
    C->TextRect(Rect(10, 5, 30, 12), 4, 8, "MMMMMMMMMM");
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 60; ++X) {
            const bool Inside = X >= 10 && X < 30 && Y >= 5 && Y < 12;
            if (!Inside) {
                ASSERT_EQ(C->Pixels(X, Y), clWhite) << X << "," << Y;
            }
        }
    EXPECT_EQ(C->Pixels(10, 5), clBlue);
    int Dark = 0;
    for (int Y = 5; Y < 12; ++Y)
        for (int X = 10; X < 30; ++X) Dark += C->Pixels(X, Y) != clBlue;
    EXPECT_GT(Dark, 0);
}

TEST(CanvasText, NinetyDegreesRunsUpwardFromTheReferencePoint) {
    TBitmap B(60, 80);
    TCanvas* C = B.Canvas();
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(clBlack);
    C->Font()->SetOrientation(900);
    const int W = C->TextWidth("HHHH"), H = C->TextHeight("HHHH");
    C->TextOut(20, 70, "HHHH");
    const InkBox K = Ink(B);
    ASSERT_GT(K.Count, 20);
    // Turned counter-clockwise about the top-left corner: the baseline runs
    // up from (20, 70) and the cell's bottom faces right.
    EXPECT_GE(K.Left, 20);
    EXPECT_LE(K.Right, 20 + H);
    EXPECT_LE(K.Bottom, 70);
    EXPECT_GE(K.Top, 70 - W - 1);
    EXPECT_LE(K.Top, 70 - W + 4);
}

TEST(CanvasText, UnderlineAndStrikeOutDrawLines) {
    TBitmap Plain(60, 20), Lined(60, 20);
    for (TBitmap* B : {&Plain, &Lined}) {
        B->Canvas()->Brush()->SetStyle(bsClear);
        B->Canvas()->Font()->SetColor(clBlack);
    }
    Lined.Canvas()->Font()->SetStyle({fsUnderline, fsStrikeOut});
    Plain.Canvas()->TextOut(0, 0, "a  a");
    Lined.Canvas()->TextOut(0, 0, "a  a");
    const int Mid = Plain.Canvas()->TextWidth("a  a") / 2;
    int PlainInk = 0, LinedInk = 0;
    for (int Y = 0; Y < 20; ++Y) {
        PlainInk += Plain.Canvas()->Pixels(Mid, Y) != clWhite;
        LinedInk += Lined.Canvas()->Pixels(Mid, Y) != clWhite;
    }
    EXPECT_EQ(PlainInk, 0);
    EXPECT_GE(LinedInk, 2);
}

TEST(CanvasText, GlyphsComeFromTheCache) {
    TBitmap B(100, 20);
    B.Canvas()->TextOut(0, 0, "cache me");
    EXPECT_GT(text::GlyphCacheSize(), 0u);
    B.Canvas()->Font()->SetName("No Such Face At All");
    EXPECT_EQ(B.Canvas()->TextHeight("x"), 13);  // DejaVu Sans stands in
}

}  // namespace
