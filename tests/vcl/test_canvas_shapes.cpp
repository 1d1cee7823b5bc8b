#include <gtest/gtest.h>

#include <random>
#include <set>

#include "test_canvas_util.h"
#include "vcl/Graphics.h"

using namespace vcl;
using canvastest::Art;
using Lines = std::vector<std::string>;

namespace {

TEST(CanvasRectangle, OnePixelPenOutlinesAndBrushFillsInside) {
    TBitmap B(7, 6);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Art(B), (Lines{".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}));
}

TEST(CanvasRectangle, CoordinatesAreOrderedAndEmptyBoxesDrawNothing) {
    TBitmap A(5, 5), B(5, 5);
    A.Canvas()->Rectangle(4, 4, 1, 1);
    B.Canvas()->Rectangle(1, 1, 4, 4);
    EXPECT_EQ(Art(A), Art(B));
    TBitmap E(5, 5);
    E.Canvas()->Rectangle(2, 0, 2, 4);
    E.Canvas()->Rectangle(0, 3, 4, 3);
    EXPECT_EQ(Art(E), (Lines(5, ".....")));
}

TEST(CanvasRectangle, NullPenFillIsOnePixelNarrowerAndShorter) {
    TBitmap B(6, 5);
    TCanvas* C = B.Canvas();
    C->Pen()->SetStyle(psClear);
    C->Brush()->SetColor(clRed);
    C->Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Art(B), (Lines{"......", ".rrr..", ".rrr..", "......", "......"}));
}

TEST(CanvasRectangle, WidePenIsCentredOnTheEdge) {
    // Width w covers rows y - w div 2 ... y - w div 2 + w - 1 of an edge at y.
    struct Case {
        int Width;
        int FirstRow, LastRow;
    };
    for (Case K : {Case{2, 4, 5}, Case{3, 4, 6}, Case{4, 3, 6}, Case{5, 3, 7}}) {
        TBitmap B(30, 30);
        TCanvas* C = B.Canvas();
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetWidth(K.Width);
        C->Rectangle(5, 5, 25, 25);
        for (int Y = 0; Y < 12; ++Y)
            EXPECT_EQ(C->Pixels(15, Y) == clBlack, Y >= K.FirstRow && Y <= K.LastRow)
                << "width " << K.Width << " row " << Y;
    }
}

TEST(CanvasRectangle, InsideFramePenStaysInTheBox) {
    TBitmap B(12, 12);
    TCanvas* C = B.Canvas();
    C->Pen()->SetWidth(3);
    C->Pen()->SetStyle(psInsideFrame);
    C->Rectangle(2, 2, 10, 10);
    for (int I = 0; I < 12; ++I) {
        EXPECT_EQ(C->Pixels(I, 1), clWhite);
        EXPECT_EQ(C->Pixels(1, I), clWhite);
        EXPECT_EQ(C->Pixels(I, 10), clWhite);
        EXPECT_EQ(C->Pixels(10, I), clWhite);
    }
    EXPECT_EQ(C->Pixels(2, 6), clBlack);
    EXPECT_EQ(C->Pixels(4, 6), clBlack);
    EXPECT_EQ(C->Pixels(5, 6), clWhite);
    EXPECT_EQ(C->Pixels(9, 6), clBlack);
    EXPECT_EQ(C->Pixels(7, 6), clBlack);
}

TEST(CanvasRect, FillRectIsHalfOpenAndFrameRectUsesTheBrush) {
    TBitmap B(6, 5);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(1, 1, 3, 3));
    C->Brush()->SetColor(clBlue);
    C->FrameRect(Rect(3, 0, 6, 5));
    C->FrameRect(Rect(3, 3, 1, 1));  // reversed: nothing
    EXPECT_EQ(Art(B), (Lines{"...bbb", ".rrb.b", ".rrb.b", "...b.b", "...bbb"}));
}

TEST(CanvasRect, FocusRectangleInvertsEveryOtherFramePixelAndUndoesItself) {
    TBitmap B(5, 4);
    TCanvas* C = B.Canvas();
    C->DrawFocusRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(Art(B), (Lines{"#.#.#", ".....", "#...#", ".#.#."}));
    C->DrawFocusRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(Art(B), Lines(4, "....."));
}

TEST(CanvasLine, LeavesOutTheEndPointWithThePlatformsTies) {
    struct Case {
        TPoint From, To;
        std::vector<TPoint> Lit;
    };
    const Case Cases[] = {
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
        {{0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}}},
        {{2, 3}, {2, 0}, {{2, 3}, {2, 2}, {2, 1}}},
        {{0, 0}, {2, 2}, {{0, 0}, {1, 1}}},
        {{1, 1}, {1, 1}, {}},
    };
    for (const Case& K : Cases) {
        TBitmap B(6, 6);
        TCanvas* C = B.Canvas();
        C->MoveTo(K.From.X, K.From.Y);
        C->LineTo(K.To.X, K.To.Y);
        std::set<std::pair<int, int>> Want, Got;
        for (TPoint P : K.Lit) Want.insert({P.X, P.Y});
        for (int Y = 0; Y < 6; ++Y)
            for (int X = 0; X < 6; ++X)
                if (C->Pixels(X, Y) == clBlack) Got.insert({X, Y});
        EXPECT_EQ(Got, Want) << K.From.X << "," << K.From.Y << " -> " << K.To.X << "," << K.To.Y;
        EXPECT_EQ(C->PenPos(), K.To);
    }
}

TEST(CanvasLine, BothDirectionsLightTheSamePixelsApartFromTheEnds) {
    std::mt19937 Rng(7);
    std::uniform_int_distribution<int> D(0, 20);
    for (int N = 0; N < 400; ++N) {
        const TPoint A{D(Rng), D(Rng)}, Z{D(Rng), D(Rng)};
        if (A == Z) continue;
        TBitmap F(21, 21), R(21, 21);
        F.Canvas()->MoveTo(A.X, A.Y);
        F.Canvas()->LineTo(Z.X, Z.Y);
        F.Canvas()->SetPixels(Z.X, Z.Y, clBlack);
        R.Canvas()->MoveTo(Z.X, Z.Y);
        R.Canvas()->LineTo(A.X, A.Y);
        R.Canvas()->SetPixels(A.X, A.Y, clBlack);
        ASSERT_EQ(Art(F), Art(R)) << A.X << "," << A.Y << " <-> " << Z.X << "," << Z.Y;
    }
}

TEST(CanvasLine, WidePenHasRoundCapsThatCoverTheEndPoint) {
    TBitmap B(20, 20);
    TCanvas* C = B.Canvas();
    C->Pen()->SetWidth(5);
    C->MoveTo(5, 10);
    C->LineTo(14, 10);
    EXPECT_EQ(C->Pixels(14, 10), clBlack);
    EXPECT_EQ(C->Pixels(16, 10), clBlack);  // the cap reaches w/2 beyond the end
    EXPECT_EQ(C->Pixels(17, 10), clWhite);
    EXPECT_EQ(C->Pixels(16, 8), clWhite);  // rounded, not square
    EXPECT_EQ(C->Pixels(10, 8), clBlack);
    EXPECT_EQ(C->Pixels(10, 12), clBlack);
    EXPECT_EQ(C->Pixels(10, 13), clWhite);
}

// Lines and boxes reaching far outside the bitmap: only the visible stretch is
// walked, yet it lights the same pixels (and dash phase) as the whole line.
TEST(CanvasLine, PartsOutsideTheBitmapAreJumpedButLightTheSamePixels) {
    struct Case {
        TPoint A, B;
        TPenStyle Style;
    };
    const Case Cases[] = {
        {{-17, 3}, {40, 21}, psSolid},   {{45, -30}, {-9, 12}, psSolid},
        {{-25, -40}, {7, 33}, psDot},    {{39, 28}, {-33, -5}, psDashDot},
        {{-50, 10}, {60, 10}, psDash},   {{12, -60}, {12, 55}, psDashDotDot},
        {{-40, -40}, {60, 60}, psSolid}, {{50, 2}, {-50, 21}, psDot},
    };
    constexpr int Pad = 70;
    for (const Case& K : Cases) {
        // The reference draws the whole line on a bitmap large enough for it.
        TBitmap Big(20 + 2 * Pad, 20 + 2 * Pad), Small(20, 20);
        for (TBitmap* B : {&Big, &Small}) {
            const int O = B == &Big ? Pad : 0;
            B->Canvas()->Pen()->SetStyle(K.Style);
            B->Canvas()->MoveTo(K.A.X + O, K.A.Y + O);
            B->Canvas()->LineTo(K.B.X + O, K.B.Y + O);
        }
        for (int Y = 0; Y < 20; ++Y)
            for (int X = 0; X < 20; ++X)
                ASSERT_EQ(Small.Canvas()->Pixels(X, Y), Big.Canvas()->Pixels(X + Pad, Y + Pad))
                    << K.A.X << "," << K.A.Y << " -> " << K.B.X << "," << K.B.Y << " at " << X
                    << "," << Y;
    }

    // End points a billion pixels away draw at once.
    constexpr int G = 1000000000;
    TBitmap B(8, 3);
    TCanvas* C = B.Canvas();
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(-G, -G, G, G);
    C->RoundRect(-G, -G, G, G, 20, 20);
    C->MoveTo(-G, 1);
    C->LineTo(G, 1);
    EXPECT_EQ(Art(B), (Lines{"........", "########", "........"}));
}

TEST(CanvasLine, DashGapsTakeTheBackgroundOnlyWhenItIsOpaque) {
    for (bool Opaque : {true, false}) {
        TBitmap B(12, 1);
        TCanvas* C = B.Canvas();
        C->Pen()->SetStyle(psDot);
        C->Brush()->SetColor(clRed);
        if (!Opaque) C->Brush()->SetStyle(bsClear);
        C->MoveTo(0, 0);
        C->LineTo(12, 0);
        EXPECT_EQ(Art(B)[0], Opaque ? "###rrr###rrr" : "###...###...");
    }
}

TEST(CanvasLine, DashesApplyOnlyToOnePixelPens) {
    TBitmap B(30, 5);
    TCanvas* C = B.Canvas();
    C->Pen()->SetStyle(psDash);
    C->Pen()->SetWidth(3);
    C->MoveTo(0, 2);
    C->LineTo(29, 2);
    for (int X = 1; X < 28; ++X) EXPECT_EQ(C->Pixels(X, 2), clBlack) << X;
}

TEST(CanvasPenMode, ModesCombinePenAndDestination) {
    const TColor D = 0x00F0F00F, P = 0x003C3C3C;
    struct Case {
        TPenMode Mode;
        TColor Want;
    };
    const Case Cases[] = {
        {pmCopy, P},      {pmNot, ~D & 0xFFFFFF},          {pmXor, P ^ D}, {pmMask, P & D},
        {pmMerge, P | D}, {pmNotCopy, ~P & 0xFFFFFF},      {pmBlack, 0},   {pmWhite, 0xFFFFFF},
        {pmNop, D},       {pmNotXor, ~(P ^ D) & 0xFFFFFF},
    };
    for (const Case& K : Cases) {
        TBitmap B(2, 1);
        TCanvas* C = B.Canvas();
        C->SetPixels(0, 0, D);
        C->Pen()->SetColor(P);
        C->Pen()->SetMode(K.Mode);
        C->MoveTo(0, 0);
        C->LineTo(1, 0);
        EXPECT_EQ(C->Pixels(0, 0), K.Want) << int(K.Mode);
    }
}

TEST(CanvasPenMode, NotRectangleInvertsEveryPixelExactlyOnce) {
    TBitmap B(6, 6);
    TCanvas* C = B.Canvas();
    C->Pen()->SetMode(pmNot);
    C->Rectangle(1, 1, 5, 5);
    EXPECT_EQ(Art(B), (Lines{"......", ".####.", ".####.", ".####.", ".####.", "......"}));
    C->Pen()->SetWidth(3);
    C->Rectangle(1, 1, 5, 5);  // wide outline overlapping the fill: still once
    EXPECT_EQ(C->Pixels(2, 2), clWhite);
    EXPECT_EQ(C->Pixels(0, 0), clBlack);
}

TEST(CanvasPolygon, FillRuleDecidesTheStarsCentre) {
    const TPoint Star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    for (int Mode : {1, 2}) {
        TBitmap B(21, 21);
        TCanvas* C = B.Canvas();
        C->Pen()->SetStyle(psClear);
        C->Brush()->SetColor(clRed);
        C->SetPolyFillMode(Mode);
        C->Polygon(Star);
        EXPECT_EQ(C->Pixels(10, 10), Mode == 2 ? clRed : clWhite);
        EXPECT_EQ(C->Pixels(10, 3), clRed);
    }
}

TEST(CanvasPolygon, ClosesItselfAndPolylineLeavesOutTheLastPoint) {
    const TPoint Tri[] = {{1, 1}, {5, 1}, {1, 5}};
    TBitmap A(7, 7), B(7, 7);
    A.Canvas()->Brush()->SetStyle(bsClear);
    A.Canvas()->Polygon(Tri);
    EXPECT_EQ(Art(A),
              (Lines{".......", ".#####.", ".#..#..", ".#.#...", ".##....", ".#.....", "......."}));
    B.Canvas()->Polyline(Tri);
    EXPECT_EQ(B.Canvas()->Pixels(1, 5), clWhite);
    EXPECT_EQ(B.Canvas()->Pixels(2, 4), clBlack);
}

TEST(CanvasEllipse, FitsTheHalfOpenBox) {
    TBitmap B(7, 7);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->Ellipse(1, 1, 6, 6);
    EXPECT_EQ(Art(B),
              (Lines{".......", "..###..", ".#rrr#.", ".#rrr#.", ".#rrr#.", "..###..", "......."}));
}

TEST(CanvasEllipse, LargeOutlineIsClosedAndSymmetric) {
    TBitmap B(41, 31);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->Ellipse(0, 0, 41, 31);
    const Lines A = Art(B);
    for (int Y = 0; Y < 31; ++Y) {
        EXPECT_EQ(A[Y], std::string(A[Y].rbegin(), A[Y].rend())) << Y;
        EXPECT_EQ(A[Y], A[30 - Y]) << Y;
        // Every row crosses the outline before the fill.
        const size_t First = A[Y].find_first_not_of('.');
        ASSERT_NE(First, std::string::npos);
        EXPECT_EQ(A[Y][First], '#');
    }
    EXPECT_EQ(A[15][0], '#');
    EXPECT_EQ(A[0][20], '#');
    EXPECT_EQ(A[15][20], 'r');
}

TEST(CanvasPie, FillsTheCounterClockwiseSweepFromStartToEnd) {
    TBitmap B(21, 21);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    // From the ray to the east, counter-clockwise, to the ray to the north.
    C->Pie(0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(C->Pixels(14, 6), clRed);     // upper right
    EXPECT_EQ(C->Pixels(6, 6), clWhite);    // upper left
    EXPECT_EQ(C->Pixels(6, 14), clWhite);   // lower left
    EXPECT_EQ(C->Pixels(14, 14), clWhite);  // lower right
    EXPECT_EQ(C->Pixels(10, 10), clBlack);  // the radii meet at the centre
    EXPECT_EQ(C->Pixels(15, 10), clBlack);  // radius to the east
    EXPECT_EQ(C->Pixels(10, 5), clBlack);   // radius to the north
    EXPECT_EQ(C->Pixels(20, 10), clBlack);  // the arc
    EXPECT_EQ(C->Pixels(0, 10), clWhite);
}

TEST(CanvasArc, DrawsOnlyTheCurveAndChordClosesIt) {
    TBitmap A(21, 21), K(21, 21);
    A.Canvas()->Brush()->SetColor(clRed);
    A.Canvas()->Arc(0, 0, 21, 21, 20, 10, 0, 10);  // the upper half
    EXPECT_EQ(A.Canvas()->Pixels(10, 0), clBlack);
    EXPECT_EQ(A.Canvas()->Pixels(10, 20), clWhite);
    EXPECT_EQ(A.Canvas()->Pixels(10, 5), clWhite);
    K.Canvas()->Brush()->SetColor(clRed);
    K.Canvas()->Chord(0, 0, 21, 21, 20, 10, 0, 10);
    EXPECT_EQ(K.Canvas()->Pixels(10, 5), clRed);
    EXPECT_EQ(K.Canvas()->Pixels(10, 15), clWhite);
    EXPECT_EQ(K.Canvas()->Pixels(5, 10), clBlack);  // the chord
}

TEST(CanvasRoundRect, SmallCornersGiveAPlainRectangle) {
    TBitmap A(10, 10), B(10, 10);
    A.Canvas()->RoundRect(1, 1, 9, 9, 2, 2);
    B.Canvas()->Rectangle(1, 1, 9, 9);
    EXPECT_EQ(Art(A), Art(B));
    TBitmap R(12, 12);
    R.Canvas()->RoundRect(0, 0, 12, 12, 6, 6);
    EXPECT_EQ(R.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(R.Canvas()->Pixels(0, 6), clBlack);
    EXPECT_EQ(R.Canvas()->Pixels(6, 11), clBlack);
}

TEST(CanvasFloodFill, SurfaceAndBorderModes) {
    auto Ring = [](TBitmap& B) {
        TCanvas* C = B.Canvas();
        C->Brush()->SetStyle(bsClear);
        C->Rectangle(1, 1, 6, 6);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clRed);
    };
    TBitmap S(7, 7);
    Ring(S);
    S.Canvas()->FloodFill(3, 3, clWhite, fsSurface);
    EXPECT_EQ(Art(S),
              (Lines{".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}));
    TBitmap O(7, 7);
    Ring(O);
    O.Canvas()->FloodFill(0, 0, clBlack, fsBorder);
    EXPECT_EQ(Art(O),
              (Lines{"rrrrrrr", "r#####r", "r#...#r", "r#...#r", "r#...#r", "r#####r", "rrrrrrr"}));
}

TEST(CanvasFloodFill, DoesNothingFromTheWrongStartOrOutsideTheClip) {
    TBitmap B(5, 5);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->FloodFill(2, 2, clBlack, fsSurface);  // start is not the surface colour
    C->FloodFill(2, 2, clWhite, fsBorder);   // start is the border colour
    C->FloodFill(9, 9, clWhite, fsSurface);  // outside
    EXPECT_EQ(Art(B), Lines(5, "....."));
    C->SetClipRect(Rect(0, 0, 3, 5));
    C->FloodFill(1, 1, clWhite, fsSurface);
    C->ResetClipRect();
    EXPECT_EQ(Art(B)[2], "rrr..");
    // Same brush colour as the surface it follows: ends all the same.
    C->Brush()->SetColor(clWhite);
    C->FloodFill(4, 4, clWhite, fsSurface);
}

TEST(CanvasPixels, OutsideReadsInvalidColourAndWritesAreClipped) {
    TBitmap B(3, 3);
    TCanvas* C = B.Canvas();
    C->SetPixels(1, 1, 0x123456);
    EXPECT_EQ(C->Pixels(1, 1), TColor(0x123456));
    EXPECT_EQ(C->Pixels(-1, 0), 0xFFFFFFFF);
    EXPECT_EQ(C->Pixels(3, 0), 0xFFFFFFFF);
    C->SetPixels(5, 5, clBlack);
    C->SetClipRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(C->Pixels(1, 1), 0xFFFFFFFF);
    C->SetPixels(2, 2, clBlack);
    C->ResetClipRect();
    EXPECT_EQ(C->Pixels(2, 2), clWhite);
    C->SetPixels(0, 0, clBtnFace);
    EXPECT_EQ(C->Pixels(0, 0), ColorToRGB(clBtnFace));
}

TEST(CanvasTarget, DrawsTranslatedAndClippedOnASharedSurface) {
    TBitmap Surface(10, 10);
    TCanvas C;
    C.Rectangle(0, 0, 5, 5);  // no surface yet: harmless
    C.SetTarget(&Surface, Point(3, 2), Rect(3, 2, 7, 6));
    EXPECT_EQ(C.ClipRect(), Rect(0, 0, 4, 4));
    C.Brush()->SetColor(clRed);
    C.Rectangle(0, 0, 10, 10);
    const Lines A = Art(Surface);
    EXPECT_EQ(A[1], "..........");
    EXPECT_EQ(A[2], "...####...");
    EXPECT_EQ(A[3], "...#rrr...");
    EXPECT_EQ(A[5], "...#rrr...");
    EXPECT_EQ(A[6], "..........");
    EXPECT_EQ(C.Pixels(0, 0), clBlack);
    EXPECT_EQ(C.Pixels(4, 0), 0xFFFFFFFF);
}

TEST(Brush, ChoosingAColourMakesAClearBrushSolid) {
    TBrush B;
    B.SetStyle(bsClear);
    B.SetColor(clRed);
    EXPECT_EQ(B.Style(), bsSolid);
    B.SetStyle(bsClear);
    B.SetColor(clRed);  // unchanged colour: the style stays
    EXPECT_EQ(B.Style(), bsClear);
}

TEST(CanvasBrush, HatchedBrushesLeaveTheGapsAlone) {
    TBitmap B(8, 8);
    TCanvas* C = B.Canvas();
    C->Brush()->SetColor(clRed);
    C->Brush()->SetStyle(bsCross);
    C->FillRect(Rect(0, 0, 8, 8));
    int Red = 0;
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X) Red += C->Pixels(X, Y) == clRed;
    EXPECT_EQ(Red, 15);  // one row and one column of the 8x8 pattern
}

TEST(Colors, SystemColoursMapToTheDesktopAndPlainOnesStay) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(160, 160, 160));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 120, 215));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clNavy), TColor(0x800000));
}

}  // namespace
