#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "qelbase/Frames.h"
#include "qelbase/Marks.h"
#include "vcl/Graphics.h"

using namespace QEL_base;

namespace {

constexpr vcl::TColor Paper = 0x123456;

// A bitmap filled with Paper, to see which pixels a call touched.
struct Sheet {
    vcl::TBitmap Bmp{24, 24};
    vcl::TCanvas* C = Bmp.Canvas();
    Sheet() {
        C->Brush()->SetColor(Paper);
        C->FillRect(vcl::Rect(0, 0, 24, 24));
    }
    vcl::TColor At(int X, int Y) const { return C->Pixels(X, Y); }
    std::set<std::pair<int, int>> Touched() const {
        std::set<std::pair<int, int>> S;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                if (At(x, y) != Paper) S.insert({x, y});
        return S;
    }
};

constexpr vcl::TColor C1 = 0x0000F1, C2 = 0x0000F2, C3 = 0x0000F3, C4 = 0x0000F4, C5 = 0x0000F5;

}  // namespace

TEST(DrawFrame, EachStyleColoursItsBandAndLeavesTheInteriorAlone) {
    struct Case {
        TFrameStyle Style;
        vcl::TColor OuterTL, OuterBR, InnerTL, InnerBR;  // InnerTL == Paper: one line only
    };
    const Case Cases[] = {
        {fsSimple, C5, C5, Paper, Paper}, {fsLowered, C3, C1, C4, C2},  {fsRaised, C1, C4, C2, C3},
        {fsEngraved, C3, C1, C1, C3},     {fsEmbossed, C1, C3, C3, C1},
    };
    for (const Case& K : Cases) {
        Sheet S;
        S.C->Pen()->SetColor(0x00AA00);
        S.C->Pen()->SetWidth(3);
        DrawFrame(S.C, K.Style, 2, 3, 17, 19, C1, C2, C3, C4, C5);
        const int Style = K.Style;
        // Outer line: top-left corner, top and left sides; bottom-right
        // corner, bottom and right sides and the two other corners.
        for (auto [x, y] : {std::pair{2, 3}, {9, 3}, {2, 10}})
            EXPECT_EQ(S.At(x, y), K.OuterTL) << Style;
        for (auto [x, y] : {std::pair{17, 19}, {9, 19}, {17, 10}, {17, 3}, {2, 19}})
            EXPECT_EQ(S.At(x, y), K.OuterBR) << Style << " " << x << "," << y;
        for (auto [x, y] : {std::pair{3, 4}, {9, 4}, {3, 10}})
            EXPECT_EQ(S.At(x, y), K.InnerTL) << Style;
        for (auto [x, y] : {std::pair{16, 18}, {9, 18}, {16, 10}, {16, 4}, {3, 18}})
            EXPECT_EQ(S.At(x, y), K.InnerBR) << Style;
        // Interior and outside untouched.
        for (int y = 5; y <= 17; ++y)
            for (int x = 4; x <= 15; ++x)
                ASSERT_EQ(S.At(x, y), Paper) << Style << " " << x << "," << y;
        for (auto [x, y] : {std::pair{1, 3}, {2, 2}, {18, 19}, {17, 20}})
            EXPECT_EQ(S.At(x, y), Paper);
        // The caller's pen is back.
        EXPECT_EQ(S.C->Pen()->Color(), 0x00AA00u);
        EXPECT_EQ(S.C->Pen()->Width(), 3);
    }
}

TEST(DrawFrame, NoFrameDrawsNothingAndCornersMayComeInAnyOrder) {
    Sheet S;
    DrawFrame(S.C, fsNoFrame, 0, 0, 23, 23, C1, C2, C3, C4, C5);
    EXPECT_TRUE(S.Touched().empty());
    DrawFrame(S.C, fsSimple, 10, 12, 4, 6, C1, C2, C3, C4, C5);
    EXPECT_EQ(S.At(4, 6), C5);
    EXPECT_EQ(S.At(10, 12), C5);
    EXPECT_EQ(S.Touched().size(), 24u);  // the 7 x 7 outline
}

TEST(DrawRectangle, OutlinesBothCornersInThePen) {
    Sheet S;
    S.C->Pen()->SetColor(C4);
    DrawRectangle(S.C, 3, 4, 8, 6);
    for (auto [x, y] : {std::pair{3, 4}, {8, 4}, {8, 6}, {3, 6}, {5, 4}, {3, 5}})
        EXPECT_EQ(S.At(x, y), C4);
    EXPECT_EQ(S.At(5, 5), Paper);
    EXPECT_EQ(S.Touched().size(), 14u);
}

TEST(DrawMarkOnCanvas, DrawsFiftyTwoDistinctMarksCentredOnThePoint) {
    std::set<std::set<std::pair<int, int>>> Shapes;
    for (int Mark = 0; Mark < NumMarks; ++Mark) {
        Sheet S;
        S.C->Pen()->SetColor(C4);
        S.C->Brush()->SetColor(0x00FF00);
        DrawMarkOnCanvas(S.C, Mark, 12, 11);
        const auto T = S.Touched();
        ASSERT_FALSE(T.empty()) << Mark;
        int MinX = 99, MaxX = -1, MinY = 99, MaxY = -1;
        for (auto [x, y] : T) {
            EXPECT_EQ(S.At(x, y), C4) << Mark;  // only the pen colour is used
            MinX = std::min(MinX, x), MaxX = std::max(MaxX, x);
            MinY = std::min(MinY, y), MaxY = std::max(MaxY, y);
        }
        EXPECT_LE(std::abs(MinX + MaxX - 24), 1) << Mark;
        EXPECT_LE(std::abs(MinY + MaxY - 22), 1) << Mark;
        EXPECT_LE(MaxX - MinX, 10) << Mark;
        Shapes.insert(T);
        EXPECT_EQ(S.C->Brush()->Color(), 0x00FF00u);
        EXPECT_EQ(S.C->Brush()->Style(), vcl::bsSolid);
    }
    EXPECT_EQ(Shapes.size(), static_cast<size_t>(NumMarks));
}

TEST(DrawMarkOnCanvas, OpenMarksKeepTheirInsideAndFilledOnesFillIt) {
    const std::pair<int, bool> Cases[] = {{2, false},  {5, true},  {8, false},  {11, true},
                                          {27, false}, {30, true}, {48, false}, {49, true}};
    for (auto [Mark, Filled] : Cases) {
        Sheet S;
        S.C->Pen()->SetColor(C4);
        DrawMarkOnCanvas(S.C, Mark, 12, 12);
        EXPECT_EQ(S.At(12, 12) == C4, Filled) << Mark;
    }
    Sheet S;
    DrawMarkOnCanvas(S.C, NumMarks, 12, 12);
    DrawMarkOnCanvas(S.C, -1, 12, 12);
    EXPECT_TRUE(S.Touched().empty());
}
