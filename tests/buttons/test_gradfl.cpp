// TGradFill: band geometry and colours, the colour flip, setters, OnPaint.
#include <gtest/gtest.h>

#include <vector>

#include "buttons/gradfl.h"
#include "displays/NumLab.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Headless.h"

namespace {

using namespace QEL_gradfl;
using vcl::TColor;

// The gradient as DrawGradient draws it for the fill's own size.
struct TPicture {
    explicit TPicture(TGradFill& Fill) : Bmp(Fill.Width(), Fill.Height()) {
        Fill.DrawGradient(Bmp);
    }
    TColor At(int X, int Y) const { return Bmp.Canvas()->Pixels(X, Y); }
    vcl::TBitmap Bmp;
};

TEST(GradFill, StartsWithTheDocumentedValues) {
    TGradFill Fill(nullptr);
    EXPECT_EQ(Fill.Width(), 121);
    EXPECT_EQ(Fill.Height(), 121);
    EXPECT_EQ(Fill.NrColors(), 16);
    EXPECT_EQ(Fill.FillType(), gtHoriz);
    EXPECT_EQ(Fill.ColorFirst(), vcl::clMaroon);
    EXPECT_EQ(Fill.ColorLast(), vcl::clYellow);
    EXPECT_FALSE(Fill.ColorFlipped());
    EXPECT_EQ(Fill.FrameStyle(), QEL_base::fsNoFrame);
    EXPECT_EQ(Fill.GridMode(), gmNone);
    EXPECT_EQ(Fill.GridColor(), vcl::clNavy);
}

TEST(GradFill, DefaultBandsAreRoundedSixteenthsFromMaroonAlmostToYellow) {
    TGradFill Fill(nullptr);
    TPicture P(Fill);
    // Band 0 covers rows 0..7 (MulDiv(1, 121, 16) = 8).
    for (int Y = 0; Y <= 7; ++Y) EXPECT_EQ(P.At(60, Y), vcl::clMaroon) << Y;
    EXPECT_NE(P.At(60, 8), vcl::clMaroon);
    // Band 15 runs from MulDiv(15, 121, 16) = 113 to the last row, in
    // F + MulDiv(15, D, 16): red 128 + 119, green 0 + 239, blue 0.
    const TColor Last = vcl::RGB(247, 239, 0);
    EXPECT_NE(P.At(60, 112), Last);
    for (int Y = 113; Y <= 120; ++Y) EXPECT_EQ(P.At(60, Y), Last) << Y;
    for (int X : {0, 120}) EXPECT_EQ(P.At(X, 120), Last);
}

TEST(GradFill, NrColorsClampsToOneAndTwoHundredFiftyFive) {
    TGradFill Fill(nullptr);
    const std::pair<int, int> Cases[] = {{300, 255}, {255, 255}, {0, 1}, {-5, 1}, {1, 1}, {7, 7}};
    for (auto [Set, Stored] : Cases) {
        Fill.SetNrColors(Set);
        EXPECT_EQ(Fill.NrColors(), Stored) << Set;
    }
}

TEST(GradFill, OneColourFillsTheWholeAreaWithTheFirstColour) {
    TGradFill Fill(nullptr);
    Fill.SetNrColors(1);
    for (TGradType T : {gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert}) {
        Fill.SetFillType(T);
        TPicture P(Fill);
        for (auto [X, Y] : {std::pair{0, 0}, {120, 120}, {60, 60}, {0, 120}})
            EXPECT_EQ(P.At(X, Y), vcl::clMaroon) << int(T);
    }
}

TEST(GradFill, MidBandPutsTheLastColourInTheMiddle) {
    TGradFill Fill(nullptr);
    Fill.SetFillType(gtMidBandVert);
    Fill.SetNrColors(3);
    TPicture P(Fill);
    // Columns 0..39, 40..80, 81..120.
    EXPECT_EQ(P.At(0, 60), vcl::clMaroon);
    EXPECT_EQ(P.At(39, 60), vcl::clMaroon);
    EXPECT_EQ(P.At(40, 60), vcl::clYellow);
    EXPECT_EQ(P.At(80, 60), vcl::clYellow);
    EXPECT_EQ(P.At(81, 60), vcl::clMaroon);
    EXPECT_EQ(P.At(120, 0), vcl::clMaroon);

    Fill.SetFillType(gtMidBandHoriz);
    TPicture H(Fill);
    EXPECT_EQ(H.At(60, 39), vcl::clMaroon);
    EXPECT_EQ(H.At(60, 40), vcl::clYellow);
    EXPECT_EQ(H.At(60, 81), vcl::clMaroon);
}

TEST(GradFill, SystemColoursAreResolvedBeforeTheyAreMixed) {
    TGradFill Fill(nullptr);
    Fill.SetColorFirst(vcl::clBtnFace);
    Fill.SetColorLast(vcl::clBtnFace);
    TPicture P(Fill);
    EXPECT_EQ(P.At(60, 60), vcl::ColorToRGB(vcl::clBtnFace));
}

TEST(GradFill, FlippingSwapsTheColoursAndSettingWhileFlippedKeepsTheOrder) {
    TGradFill Fill(nullptr);
    Fill.SetColorFlipped(true);
    EXPECT_EQ(Fill.ColorFirst(), vcl::clYellow);
    EXPECT_EQ(Fill.ColorLast(), vcl::clMaroon);
    EXPECT_EQ(TPicture(Fill).At(60, 0), vcl::clYellow);

    // While flipped, the colour set as first is shown first ...
    Fill.SetColorFirst(vcl::clBlue);
    EXPECT_EQ(Fill.ColorFirst(), vcl::clBlue);
    EXPECT_EQ(TPicture(Fill).At(60, 0), vcl::clBlue);
    // ... and unflipping shows it last.
    Fill.SetColorFlipped(false);
    EXPECT_EQ(Fill.ColorFirst(), vcl::clMaroon);
    EXPECT_EQ(Fill.ColorLast(), vcl::clBlue);

    Fill.SetColorFlipped(true);
    Fill.SetColorLast(vcl::clLime);
    Fill.SetColorFlipped(false);
    EXPECT_EQ(Fill.ColorFirst(), vcl::clLime);
    EXPECT_EQ(Fill.ColorLast(), vcl::clBlue);
}

TEST(GradFill, GridLinesLieOnTheBandEdges) {
    TGradFill Fill(nullptr);
    Fill.SetGridColor(vcl::clRed);
    Fill.SetGridMode(gmHoriz);
    TPicture H(Fill);
    EXPECT_EQ(H.At(60, 8), vcl::clRed);  // first row of band 1
    EXPECT_EQ(H.At(0, 113), vcl::clRed);
    EXPECT_NE(H.At(60, 7), vcl::clRed);
    EXPECT_NE(H.At(60, 0), vcl::clRed);
    EXPECT_NE(H.At(8, 60), vcl::clRed);

    Fill.SetGridMode(gmBoth);
    TPicture B(Fill);
    EXPECT_EQ(B.At(8, 60), vcl::clRed);
    EXPECT_EQ(B.At(60, 8), vcl::clRed);

    Fill.SetGridMode(gmVert);
    TPicture V(Fill);
    EXPECT_EQ(V.At(8, 60), vcl::clRed);
    EXPECT_NE(V.At(60, 8), vcl::clRed);
}

TEST(GradFill, TheFrameGoesAroundTheControl) {
    TGradFill Fill(nullptr);
    Fill.SetFrameStyle(QEL_base::fsSimple);
    TPicture P(Fill);
    for (auto [X, Y] : {std::pair{0, 0}, {120, 0}, {0, 120}, {120, 120}, {60, 0}, {0, 60}})
        EXPECT_EQ(P.At(X, Y), vcl::clBlack) << X << "," << Y;
    EXPECT_NE(P.At(1, 1), vcl::clBlack);
}

TEST(GradFill, AssignCopiesEverythingButTheEventAndOtherClassesAreRefused) {
    TGradFill Src(nullptr), Dest(nullptr);
    Src.SetNrColors(5);
    Src.SetFillType(gtMidBandVert);
    Src.SetColorFirst(vcl::clRed);
    Src.SetColorLast(vcl::clBlue);
    Src.SetColorFlipped(true);
    Src.SetFrameStyle(QEL_base::fsRaised);
    Src.SetGridMode(gmBoth);
    Src.SetGridColor(vcl::clLime);
    Src.OnPaint = [](vcl::TObject*) {};
    Dest.Assign(&Src);
    EXPECT_EQ(Dest.NrColors(), 5);
    EXPECT_EQ(Dest.FillType(), gtMidBandVert);
    EXPECT_EQ(Dest.ColorFirst(), vcl::clBlue);
    EXPECT_EQ(Dest.ColorLast(), vcl::clRed);
    EXPECT_TRUE(Dest.ColorFlipped());
    EXPECT_EQ(Dest.FrameStyle(), QEL_base::fsRaised);
    EXPECT_EQ(Dest.GridMode(), gmBoth);
    EXPECT_EQ(Dest.GridColor(), vcl::clLime);
    EXPECT_FALSE(Dest.OnPaint);
    Dest.SetColorFlipped(false);
    EXPECT_EQ(Dest.ColorFirst(), vcl::clRed);

    QEL_NumLab::TNumLab Lab(nullptr);
    try {
        Dest.Assign(&Lab);
        FAIL() << "no exception";
    } catch (const vcl::EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TNumLab to a TGradFill");
    }
}

class GradFillOnForm : public ::testing::Test {
protected:
    void SetUp() override {
        Form = new vcl::TForm(nullptr);
        Form->SetBounds(0, 0, 200, 200);
        Fill = new TGradFill(Form);
        Fill->SetParent(Form);
        Fill->SetLeft(20);
        Fill->SetTop(30);
        Form->Show();
        Settle();
    }
    void TearDown() override { delete Form; }
    void Settle() {
        vcl::Application->ProcessMessages();
        vcl::Headless().ResetPaintCounts();
    }
    int Paints() const { return vcl::Headless().PaintCount(Fill); }

    vcl::TForm* Form = nullptr;
    TGradFill* Fill = nullptr;
};

TEST_F(GradFillOnForm, SettersRepaintLaterEvenWithTheSameValueButFillTypeCompares) {
    const std::vector<std::pair<const char*, std::function<void()>>> Setters = {
        {"NrColors", [&] { Fill->SetNrColors(16); }},
        {"ColorFirst", [&] { Fill->SetColorFirst(vcl::clMaroon); }},
        {"ColorLast", [&] { Fill->SetColorLast(vcl::clYellow); }},
        {"ColorFlipped", [&] { Fill->SetColorFlipped(false); }},
        {"FrameStyle", [&] { Fill->SetFrameStyle(QEL_base::fsNoFrame); }},
        {"GridMode", [&] { Fill->SetGridMode(gmNone); }},
        {"GridColor", [&] { Fill->SetGridColor(vcl::clNavy); }},
    };
    for (const auto& [Name, Set] : Setters) {
        Set();
        EXPECT_EQ(Paints(), 0) << Name;  // deferred
        vcl::Application->ProcessMessages();
        EXPECT_EQ(Paints(), 1) << Name;
        Settle();
    }
    Fill->SetFillType(gtHoriz);
    vcl::Application->ProcessMessages();
    EXPECT_EQ(Paints(), 0);
    Fill->SetFillType(gtVert);
    vcl::Application->ProcessMessages();
    EXPECT_EQ(Paints(), 1);
}

TEST_F(GradFillOnForm, MoreBandsThanPixelsAndAnEmptyAreaPaintWithoutHarm) {
    Fill->SetNrColors(255);
    Fill->SetBounds(20, 30, 3, 3);
    vcl::Application->ProcessMessages();
    // Most bands are empty: row 0 is band 42 (MulDiv(42, 3, 255) = 0,
    // MulDiv(43, 3, 255) = 1), row 2 band 212.
    EXPECT_EQ(Form->Surface()->Canvas()->Pixels(22, 30), vcl::RGB(128 + 21, 42, 0));
    EXPECT_EQ(Form->Surface()->Canvas()->Pixels(22, 32), vcl::RGB(128 + 106, 212, 0));
    Fill->SetBounds(20, 30, 0, 0);
    vcl::Application->ProcessMessages();
}

TEST_F(GradFillOnForm, OnPaintDrawsOverTheFinishedGradientOnEveryRepaint) {
    int Calls = 0;
    TColor SeenFirst = 0;
    Fill->OnPaint = [&](vcl::TObject* Sender) {
        EXPECT_EQ(Sender, Fill);
        ++Calls;
        vcl::TCanvas* C = Fill->Canvas();
        SeenFirst = C->Pixels(5, 5);
        C->Brush()->SetColor(vcl::clLime);
        C->FillRect(vcl::Rect(50, 50, 60, 60));
    };
    Fill->Invalidate();
    vcl::Application->ProcessMessages();
    EXPECT_EQ(Calls, 1);
    EXPECT_EQ(SeenFirst, vcl::clMaroon);
    vcl::TCanvas* S = Form->Surface()->Canvas();
    EXPECT_EQ(S->Pixels(20 + 55, 30 + 55), vcl::clLime);
    EXPECT_EQ(S->Pixels(20 + 5, 30 + 5), vcl::clMaroon);

    Fill->SetNrColors(4);
    vcl::Application->ProcessMessages();
    EXPECT_EQ(Calls, 2);
    EXPECT_EQ(S->Pixels(20 + 55, 30 + 55), vcl::clLime);
}

}  // namespace
