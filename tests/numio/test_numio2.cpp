// TNumIO2 driven through the headless host: keys, mouse, timer, pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "numio/NumIO.h"
#include "numio/NumIO2.h"
#include "vcl/Clipboard.h"
#include "vcl/FormFiles.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Headless.h"

using namespace QEL_NumIO;
using namespace vcl;

namespace {

// The field sits at (FX, FY) on a shown form and has the focus.
constexpr int FX = 20;
constexpr int FY = 10;

class NumIO2Test : public testing::Test {
protected:
    void SetUp() override {
        Host.RefuseTimers(false);
        Host.ClearBeeps();
        Host.ClearExceptions();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 320, 120);
        N = new TNumIO2(Form.get());
        N->SetName("NumIO1");
        N->SetParent(Form.get());
        N->SetLeft(FX);
        N->SetTop(FY);
        Form->Show();
        N->SetFocus();
        N->OnChange = [this](TObject*) { ++Changes; };
        Application->ProcessMessages();
    }
    void TearDown() override { Form.reset(); }

    void Keys(std::initializer_list<uint16_t> Codes, TShiftState Shift = {}) {
        for (uint16_t K : Codes) Host.PressKey(K, Shift);
    }
    TColor Pixel(int X, int Y) { return Form->Surface()->Canvas()->Pixels(FX + X, FY + Y); }
    void Paint() { N->Paint(); }

    THeadlessHost& Host = Headless();
    std::unique_ptr<TForm> Form;
    TNumIO2* N = nullptr;
    int Changes = 0;
};

// ---- keyboard ------------------------------------------------------------------

TEST_F(NumIO2Test, TypingANegativeFractionAcceptsEachStep) {
    N->SetBeep(true);
    const std::vector<std::string> Expected = {"-", "-1", "-1.", "-1.5"};
    const uint16_t Typed[] = {VK_OEM_MINUS, '1', VK_OEM_PERIOD, '5'};
    for (size_t I = 0; I < 4; ++I) {
        Host.PressKey(Typed[I]);
        EXPECT_EQ(N->Text(), Expected[I]);
    }
    EXPECT_EQ(Changes, 4);
    EXPECT_TRUE(Host.Beeps().empty());

    Host.PressKey(VK_OEM_PERIOD);  // a second separator
    EXPECT_EQ(N->Text(), "-1.5");
    EXPECT_EQ(N->CaretPos(), 4);
    EXPECT_EQ(Changes, 4);
    ASSERT_EQ(Host.Beeps().size(), 1u);
    EXPECT_EQ(Host.Beeps()[0], MB_SIMPLEBEEP);
}

TEST_F(NumIO2Test, IntegerFormatRejectsLettersAndPrefixes) {
    N->SetInputFormat(itInt);
    N->SetText("");
    N->SetBeep(true);
    Keys({'4', 'A'});
    EXPECT_EQ(N->Text(), "4");
    EXPECT_EQ(Host.Beeps().size(), 1u);
    Host.PressKey(VK_HOME);
    Host.PressKey('4', {ssShift});
    EXPECT_EQ(N->Text(), "4");
}

TEST_F(NumIO2Test, DynamicFormatTakesAPrefixOnlyBeforeDigits) {
    N->SetInputFormat(itDynamic);
    N->SetText("");
    Host.PressKey('4', {ssShift});
    EXPECT_EQ(N->Text(), "");  // "$" alone is an empty hexadecimal number
    Keys({'1', '2', VK_HOME});
    Host.PressKey('4', {ssShift});
    EXPECT_EQ(N->Text(), "$12");
    Keys({VK_END, 'F'});
    EXPECT_EQ(N->Text(), "$12F");
    EXPECT_DOUBLE_EQ(N->Value(), 0x12F);
}

TEST_F(NumIO2Test, FixedPointDigitsReplaceTheDecimals) {
    N->SetInputFormat(itFixPoint);
    N->SetText("12.34");
    N->SetSelBegin(2);
    Keys({VK_RIGHT, '9', '7'});
    EXPECT_EQ(N->Text(), "12.97");
    Keys({'5'});  // at the end there is nothing left to replace
    EXPECT_EQ(N->Text(), "12.97");
}

TEST_F(NumIO2Test, DeletingEverythingLeavesZeroInTheFormat) {
    N->SetText("123.5");
    N->SetSelBegin(0);
    N->SetSelEnd(5);
    Changes = 0;
    Host.PressKey(VK_DELETE);
    EXPECT_EQ(N->Text(), "0.00");
    EXPECT_EQ(Changes, 1);
}

TEST_F(NumIO2Test, EditingKeysMoveAndDelete) {
    N->SetText("123");
    Keys({VK_END, VK_BACK});
    EXPECT_EQ(N->Text(), "12");
    Keys({VK_HOME, VK_DELETE});
    EXPECT_EQ(N->Text(), "2");
    Keys({VK_LEFT, VK_LEFT, VK_BACK});
    EXPECT_EQ(N->Text(), "2");
    EXPECT_EQ(N->CaretPos(), 0);
    Keys({VK_RIGHT, VK_RIGHT, VK_RIGHT});
    EXPECT_EQ(N->CaretPos(), 1);
    Keys({VK_NUMPAD0 + 7, VK_ADD});
    EXPECT_EQ(N->Text(), "27");  // a "+" after digits is no number
}

TEST_F(NumIO2Test, ClipboardCutCopyPaste) {
    N->SetText("12.5");
    N->SetSelBegin(1);
    N->SetSelEnd(3);
    Host.PressKey('C', {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "2.");
    EXPECT_EQ(N->SelBegin(), N->SelEnd());  // every key but a fixed-point digit ends the selection
    N->SetSelBegin(1);
    N->SetSelEnd(3);
    Host.PressKey('X', {ssCtrl});
    EXPECT_EQ(N->Text(), "15");
    Clipboard()->SetAsText("0.25");
    Keys({VK_END});
    Host.PressKey('V', {ssCtrl});
    EXPECT_EQ(N->Text(), "150.25");
    Clipboard()->SetAsText("7x");
    Host.PressKey('V', {ssCtrl});
    EXPECT_EQ(N->Text(), "150.25");  // undone as a whole
    Clipboard()->SetAsText("\xC3\xA9");
    N->SetInputFormat(itExp);
    const std::string Before = N->Text();
    Host.PressKey('V', {ssCtrl});
    EXPECT_EQ(N->Text(), Before);  // only printable ASCII stands in the box
}

TEST_F(NumIO2Test, ReadOnlyOnlyCopies) {
    N->SetText("42");
    N->SetSelBegin(0);
    N->SetSelEnd(2);
    N->SetReadOnly(true);
    Keys({'1', VK_DELETE, VK_BACK});
    Host.PressKey('X', {ssCtrl});
    EXPECT_EQ(N->Text(), "42");
    Host.PressKey('C', {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "42");
    EXPECT_EQ(Changes, 0);
}

// No key sequence may leave a text the format rejects, other than the empty
// text and a lone sign, the beginnings of every number.
TEST_F(NumIO2Test, RandomKeysNeverLeaveAnInvalidBuffer) {
    const uint16_t Pool[] = {'0',        '1',          '5',           '9',
                             'A',        'F',          'G',           VK_NUMPAD0 + 3,
                             VK_ADD,     VK_OEM_PLUS,  VK_SUBTRACT,   VK_OEM_MINUS,
                             VK_DECIMAL, VK_OEM_COMMA, VK_OEM_PERIOD, VK_BACK,
                             VK_DELETE,  VK_HOME,      VK_END,        VK_LEFT,
                             VK_RIGHT,   'E',          '4',           '5',
                             '6'};
    std::mt19937 Rng(20261211);
    const TInFormat Formats[] = {itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic};
    for (TInFormat F : Formats) {
        for (auto Sep : {QEL_base::dpPoint, QEL_base::dpComma, QEL_base::dpEither}) {
            N->SetInputFormat(F);
            N->SetDecPlaceSep(Sep);
            N->SetText("");
            for (int I = 0; I < 300; ++I) {
                const uint16_t K = Pool[Rng() % std::size(Pool)];
                const bool Shift = Rng() % 6 == 0;
                Host.PressKey(K, Shift ? TShiftState{ssShift} : TShiftState{});
                const std::string T = N->Text();
                ASSERT_TRUE(T.empty() || T == "-" || T == "+" || N->CheckValidity(T))
                    << "format " << int(F) << " sep " << int(Sep) << " text \"" << T << "\"";
                ASSERT_LE(N->CaretPos(), static_cast<int>(T.size()));
                ASSERT_LE(N->SelBegin(), N->SelEnd());
                ASSERT_LE(N->SelEnd(), static_cast<int>(T.size()));
            }
        }
    }
}

// ---- values ----------------------------------------------------------------------

TEST_F(NumIO2Test, ValueWritesTheFormatsText) {
    N->SetInputFormat(itHex);
    N->SetValue(255);
    EXPECT_EQ(N->Text(), "000000FF");
    N->SetValue(-1);
    EXPECT_EQ(N->Text(), "FFFFFFFF");
    N->SetInputFormat(itOct);
    EXPECT_EQ(N->Text(), "37777777777");
    N->SetInputFormat(itBin);
    EXPECT_EQ(N->Text(), std::string(32, '1'));
    N->SetInputFormat(itExp);
    N->SetValue(123.456);
    EXPECT_EQ(N->Text(), " 1.23456E+02");
    N->SetSignificantDigits(3);
    EXPECT_EQ(N->Text(), " 1.23E+02");
    N->SetInputFormat(itFixPoint);
    N->SetFixPointDecPlaces(20);
    EXPECT_EQ(N->FixPointDecPlaces(), 15);
}

TEST_F(NumIO2Test, IntegerValueRoundsOrReportsOverflow) {
    N->SetValue(2.5);
    EXPECT_EQ(N->IntegerValue(), 2);
    N->SetInputFormat(itExp);
    N->SetValue(3e9);
    try {
        (void)N->IntegerValue();
        FAIL() << "no exception";
    } catch (const EQELNumIO2Error& E) {
        EXPECT_EQ(E.Message(), "Component \"NumIO1\": integer overflow");
    }
}

TEST_F(NumIO2Test, RangeBoundsDragEachOther) {
    N->SetRangeLow(2000);
    EXPECT_EQ(N->RangeHigh(), 2000);
    N->SetRangeHigh(-5);
    EXPECT_EQ(N->RangeLow(), -5);
}

TEST_F(NumIO2Test, SeparatorChoiceConvertsTheText) {
    N->SetText("1.5");
    N->SetDecPlaceSep(QEL_base::dpComma);
    EXPECT_EQ(N->Text(), "1,5");
    N->SetValue(2.25);
    EXPECT_EQ(N->Text(), "2,25");  // a comma field writes a comma
    N->SetDecPlaceSep(QEL_base::dpPoint);
    EXPECT_EQ(N->Text(), "2.25");
}

TEST_F(NumIO2Test, SettersClampAndIgnore) {
    N->SetButWidth(100);
    EXPECT_EQ(N->ButWidth(), 50);
    N->SetFreezeBoxSize(40);
    EXPECT_EQ(N->FreezeBoxSize(), 25);
    EXPECT_EQ(N->FreezeBoxTop(), -4);  // (28 - 37) halved toward zero
    N->SetLeftSpace(-3);
    EXPECT_EQ(N->LeftSpace(), 35);
    N->SetHeight(10);
    EXPECT_EQ(N->Height(), 18);
    EXPECT_EQ(N->ButHeight(), 18);
    N->SetText("abc");
    EXPECT_EQ(N->Text(), "");
}

// ---- mouse -----------------------------------------------------------------------

TEST_F(NumIO2Test, SpinButtonsStopAtTheRangeAndStillNotify) {
    N->SetButVisible(true);
    N->SetText("999.5");
    N->SetRangeHigh(1000);
    Host.Click(Form.get(), FX + 127, FY + 5);
    EXPECT_DOUBLE_EQ(N->Value(), 1000);
    EXPECT_EQ(Changes, 1);
    Host.Click(Form.get(), FX + 127, FY + 5);
    EXPECT_DOUBLE_EQ(N->Value(), 1000);
    EXPECT_EQ(Changes, 2);
    Host.Click(Form.get(), FX + 127, FY + 20);
    EXPECT_DOUBLE_EQ(N->Value(), 999);
}

struct PivotCase {
    double Start;
    bool Up;
    double Result;
};

TEST_F(NumIO2Test, SpinButtonsStepBetweenPivots) {
    N->SetButVisible(true);
    N->ButtonPivots = {0, 10, 20};
    const PivotCase Cases[] = {{10, true, 20}, {10, false, 0}, {12, false, 10},
                               {12, true, 20}, {20, true, 20}, {0, false, 0}};
    for (const auto& C : Cases) {
        N->SetValue(C.Start);
        Host.Click(Form.get(), FX + 127, FY + (C.Up ? 5 : 20));
        EXPECT_DOUBLE_EQ(N->Value(), C.Result) << C.Start << (C.Up ? " up" : " down");
    }
}

TEST_F(NumIO2Test, GaugeClickAndDrag) {
    N->SetGaugeVisible(true);
    std::vector<double> GaugeValues;
    N->OnGaugeChange = [&](TObject*, TShiftState, double V) { GaugeValues.push_back(V); };
    const int Y = FY + 22;
    Host.MouseDown(Form.get(), FX + 35, Y);
    EXPECT_DOUBLE_EQ(N->Value(), 0);
    EXPECT_EQ(Changes, 0);
    Host.MouseUp(Form.get(), FX + 35, Y);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(GaugeValues.empty());

    Host.MouseDown(Form.get(), FX + 60, Y);
    Host.MouseMove(Form.get(), FX + 117, Y, {ssLeft});
    EXPECT_DOUBLE_EQ(N->Value(), 1000);
    ASSERT_EQ(GaugeValues.size(), 1u);
    EXPECT_DOUBLE_EQ(GaugeValues[0], 1000);
    Host.MouseUp(Form.get(), FX + 117, Y);
    EXPECT_EQ(Changes, 2);

    N->ButtonPivots = {100, 400};
    Host.Click(Form.get(), FX + 60, Y);  // 304.9 snaps to the nearer pivot
    EXPECT_DOUBLE_EQ(N->Value(), 400);
}

TEST_F(NumIO2Test, GaugeOverTheWholeDoubleRangeStaysFinite) {
    N->SetGaugeVisible(true);
    N->SetRangeLow(-QEL_base::uc_MaxDouble);
    N->SetRangeHigh(QEL_base::uc_MaxDouble);
    const int Y = FY + 22;
    for (int X : {35, 76, 117}) {
        Host.Click(Form.get(), FX + X, Y);
        EXPECT_TRUE(std::isfinite(N->Value())) << X;
        EXPECT_TRUE(N->CheckValidity(N->Text())) << X;
    }
    N->SetText("0");
    Paint();
    EXPECT_EQ(Pixel(74, Y - FY), clNavy);  // half the range fills half the bar
    EXPECT_EQ(Pixel(77, Y - FY), clSilver);
}

TEST_F(NumIO2Test, ReadOnlyIgnoresSpinAndGauge) {
    N->SetButVisible(true);
    N->SetGaugeVisible(true);
    N->SetText("5");
    N->SetReadOnly(true);
    Host.Click(Form.get(), FX + 127, FY + 5);
    Host.Click(Form.get(), FX + 100, FY + 22);
    EXPECT_EQ(N->Text(), "5");
    EXPECT_EQ(Changes, 0);
}

TEST_F(NumIO2Test, FreezeBoxLocksAndHides) {
    N->SetFreezeBoxVisible(true);
    N->SetHideInputOnFreeze(true);
    Host.Click(Form.get(), FX + 155, FY + 9);
    EXPECT_TRUE(N->FreezeBoxChecked());
    EXPECT_TRUE(N->HideInputEditor());
    EXPECT_TRUE(N->ReadOnly());
    EXPECT_EQ(Changes, 1);
    Host.Click(Form.get(), FX + 155, FY + 9);
    EXPECT_FALSE(N->FreezeBoxChecked());
    EXPECT_FALSE(N->HideInputEditor());
    EXPECT_FALSE(N->ReadOnly());
}

TEST_F(NumIO2Test, ClickInTheBoxPlacesTheCaret) {
    N->SetText("12345");
    Host.Click(Form.get(), FX + 36, FY + 10);
    EXPECT_EQ(N->CaretPos(), 0);
    Host.Click(Form.get(), FX + 116, FY + 10);
    EXPECT_EQ(N->CaretPos(), 5);
    EXPECT_EQ(N->XCoordsToCharPos(-100), 0);
    EXPECT_EQ(N->XCoordsToCharPos(1000), 5);
}

// ---- caret timer -------------------------------------------------------------------

TEST_F(NumIO2Test, CaretBlinksWhileFocusedAndStopsAfterTabbingAway) {
    auto* Other = new TNumIO2(Form.get());
    Other->SetParent(Form.get());
    Other->SetTop(60);
    N->SetFocus();
    const bool Start = N->CaretVisible();
    Host.AdvanceTime(500);
    EXPECT_NE(N->CaretVisible(), Start);
    Host.AdvanceTime(500);
    EXPECT_EQ(N->CaretVisible(), Start);

    Host.PressKey(VK_TAB);
    EXPECT_TRUE(Other->Focused());
    Host.AdvanceTime(500);
    EXPECT_FALSE(N->CaretVisible());
    Host.AdvanceTime(2000);
    EXPECT_FALSE(N->CaretVisible());
}

TEST_F(NumIO2Test, RefusedTimerNamesTheComponent) {
    N->SetReadOnly(true);
    Host.RefuseTimers(true);
    try {
        N->SetReadOnly(false);
        FAIL() << "no exception";
    } catch (const EQELNumIO2Error& E) {
        EXPECT_EQ(E.Message(), "Component \"NumIO1\": no timer available");
    }
    // The constructor starts the timer too; the field has no name yet.
    EXPECT_THROW(
        {
            try {
                TNumIO2 Field(nullptr);
            } catch (const EQELNumIO2Error& E) {
                EXPECT_EQ(E.Message(), "Component \"\": no timer available");
                throw;
            }
        },
        EQELNumIO2Error);
    Host.RefuseTimers(false);
}

// ---- pixels ------------------------------------------------------------------------

TEST_F(NumIO2Test, DefaultGeometry) {
    N->SetText("");
    Paint();
    const TColor Face = ColorToRGB(clBtnFace);
    EXPECT_EQ(Pixel(34, 10), Face);
    EXPECT_EQ(Pixel(35, 10), clGray);    // outline
    EXPECT_EQ(Pixel(36, 10), clBlack);   // lowered: dark inner top-left
    EXPECT_EQ(Pixel(50, 10), clWhite);   // box
    EXPECT_EQ(Pixel(116, 10), clWhite);  // lowered: light outer bottom-right
    EXPECT_EQ(Pixel(117, 10), Face);     // the box ends before x 117
    EXPECT_EQ(Pixel(130, 10), Face);     // no buttons
}

TEST_F(NumIO2Test, SpinButtonGeometry) {
    N->SetButVisible(true);
    Paint();
    EXPECT_EQ(Pixel(118, 5), clGray);    // left edge at x 118
    EXPECT_EQ(Pixel(125, 13), clGray);   // split at y 13
    EXPECT_EQ(Pixel(125, 5), clSilver);  // face
    EXPECT_EQ(Pixel(137, 5), clBlack);   // 3D shadow right of x 136
    EXPECT_EQ(Pixel(128, 6), clBlack);   // up arrow tip at x 128
    EXPECT_EQ(Pixel(128, 21), clBlack);  // down arrow tip
    EXPECT_EQ(Pixel(138, 5), ColorToRGB(clBtnFace));
}

TEST_F(NumIO2Test, ALongRightCaptionCoversTheButtonsButNotTheBox) {
    N->SetButVisible(true);
    N->SetRightTextAlignment(taRightJustify);
    // Blanks draw only their background cell, so every covered pixel is the
    // caption's background.
    N->SetRightText(std::string(60, ' '));
    Paint();
    const TColor Face = ColorToRGB(clBtnFace);
    EXPECT_EQ(Pixel(125, 12), Face);    // button face under the caption
    EXPECT_EQ(Pixel(50, 12), clWhite);  // the box is drawn after the caption
}

TEST_F(NumIO2Test, GaugeFillsInProportion) {
    N->SetGaugeVisible(true);
    N->SetValue(500);
    Paint();
    // The gauge strip takes 12 pixels: the box ends above y 16.
    EXPECT_EQ(Pixel(116, 15), clWhite);
    EXPECT_EQ(Pixel(50, 17), ColorToRGB(clBtnFace));
    const int Y = 23;
    EXPECT_EQ(Pixel(37, Y), clNavy);
    EXPECT_EQ(Pixel(75, Y), clNavy);  // 41 pixels from x 35
    EXPECT_EQ(Pixel(76, Y), clSilver);

    N->SetRangeHigh(0);  // equal bounds: full
    Paint();
    EXPECT_EQ(Pixel(110, Y), clNavy);
}

TEST_F(NumIO2Test, WarningAndDisabledColours) {
    N->SetText("5000");
    Paint();
    EXPECT_EQ(Pixel(38, 4), 0x88FFF0u);  // pale yellow box
    N->SetEnabled(false);
    Paint();
    EXPECT_EQ(Pixel(38, 4), clSilver);
    N->SetEnabled(true);
    N->SetText("5");
    Paint();
    EXPECT_EQ(Pixel(38, 4), clWhite);
}

TEST_F(NumIO2Test, SelectionIsInverted) {
    N->SetText("888");
    N->SetSelBegin(0);
    N->SetSelEnd(3);
    Paint();
    const int X0 = N->CharPosToXCoords(0);
    // Inside the selection the white box turns black.
    EXPECT_EQ(Pixel(X0 + 1, 4), clBlack);
}

TEST_F(NumIO2Test, AssignCopiesTheListedFields) {
    auto* Other = new TNumIO2(Form.get());
    N->SetInputFormat(itHex);
    N->SetText("FF");
    N->SetLeftText("Left");
    N->SetButVisible(true);
    Other->Assign(N);
    EXPECT_EQ(Other->Text(), "FF");
    EXPECT_EQ(Other->InputFormat(), itHex);
    EXPECT_EQ(Other->LeftText(), "Left");
    EXPECT_FALSE(Other->ButVisible());  // spin button settings are not copied
    EXPECT_THROW(Other->Assign(Form.get()), EConvertError);
}

// ---- repaint discipline and form files ------------------------------------------

class TCountingNumIO2 : public TNumIO2 {
public:
    using TNumIO2::TNumIO2;
    void Paint() override {
        ++Paints;
        TNumIO2::Paint();
    }
    int Paints = 0;
};

TEST_F(NumIO2Test, SettersRepaintOnlyOnChange) {
    auto* C = new TCountingNumIO2(Form.get());
    C->SetParent(Form.get());
    C->SetTop(60);
    const std::vector<std::function<void(bool)>> Setters = {
        [C](bool New) { C->SetLeftText(New ? "x" : C->LeftText()); },
        [C](bool New) { C->SetRangeLow(New ? -1 : C->RangeLow()); },
        [C](bool New) { C->SetButWidth(New ? 20 : C->ButWidth()); },
        [C](bool New) { C->SetGaugeColor(New ? clRed : C->GaugeColor()); },
        [C](bool New) { C->SetInputFormat(New ? itInt : C->InputFormat()); },
        [C](bool New) { C->SetText(New ? "12" : C->Text()); },
    };
    for (size_t I = 0; I < Setters.size(); ++I) {
        C->Paints = 0;
        Setters[I](false);
        EXPECT_EQ(C->Paints, 0) << "setter " << I;
        Setters[I](true);
        EXPECT_GT(C->Paints, 0) << "setter " << I;
    }
    // The warning colours repaint even when unchanged.
    C->Paints = 0;
    C->SetColorWarnBG(C->ColorWarnBG());
    EXPECT_EQ(C->Paints, 1);
}

TEST_F(NumIO2Test, HiddenFieldDrawsNothing) {
    N->SetText("");
    N->Paint();
    N->SetVisible(false);
    Form->Surface()->Canvas()->SetPixels(FX + 50, FY + 10, clRed);
    N->Paint();
    EXPECT_EQ(Pixel(50, 10), clRed);
}

TEST_F(NumIO2Test, HiddenNumberAndAutoSize) {
    N->SetText("888");
    N->SetHideInputEditor(true);
    N->SetReadOnly(true);  // no caret either
    Paint();
    for (int X = 37; X < 115; ++X) ASSERT_EQ(Pixel(X, 13), clWhite) << X;
    N->SetAutoSize(true);
    Paint();
    TCanvas Measure;
    Measure.SetFont(N->Font());
    EXPECT_EQ(N->Height(), Measure.TextHeight("E0") + 6);
}

// The text is stored, and a text of a format other than the default must
// survive being read back before its InputFormat.
TEST(NumIOFormFiles, FieldsKeepTheirTextThroughAFormFile) {
    auto A = std::make_unique<TNumIO2>(nullptr);
    A->SetName("Field");
    A->SetInputFormat(itExp);
    A->SetValue(123.456);
    A->SetDecPlaceSep(QEL_base::dpComma);
    const std::string Text = WriteComponentToText(A.get());
    std::unique_ptr<TComponent> B(ReadComponentFromText(Text, nullptr));
    auto* N = dynamic_cast<TNumIO2*>(B.get());
    ASSERT_NE(N, nullptr) << Text;
    EXPECT_EQ(N->InputFormat(), itExp);
    EXPECT_EQ(N->Text(), A->Text());
    EXPECT_EQ(N->DecPlaceSep(), QEL_base::dpComma);

    A->SetInputFormat(itHex);
    A->SetValue(1234);
    ASSERT_EQ(A->Text(), "000004D2");
    std::unique_ptr<TComponent> C(ReadComponentFromText(WriteComponentToText(A.get()), nullptr));
    EXPECT_EQ(dynamic_cast<TNumIO2*>(C.get())->Text(), "000004D2");

    // Gauge sizes that fit together come back whichever is read first.
    A->SetBounds(0, 0, 200, 40);
    A->SetGaugeLeftMargin(10);
    A->SetGaugeWidth(185);
    A->SetGaugeTopMargin(1);
    A->SetGaugeHeight(21);
    std::unique_ptr<TComponent> G(ReadComponentFromText(WriteComponentToText(A.get()), nullptr));
    auto* GN = dynamic_cast<TNumIO2*>(G.get());
    EXPECT_EQ(GN->GaugeLeftMargin(), 10);
    EXPECT_EQ(GN->GaugeWidth(), 185);
    EXPECT_EQ(GN->GaugeTopMargin(), 1);
    EXPECT_EQ(GN->GaugeHeight(), 21);

    auto E = std::make_unique<TNumIO>(nullptr);
    E->SetName("Edit");
    E->SetRangeHigh(1000);
    E->SetText("$ff");
    ASSERT_EQ(E->Text(), "$ff");
    E->SetBorderStyle(vcl::bsDialog);  // an edit knows no form borders
    EXPECT_EQ(E->BorderStyle(), vcl::bsSingle);
    E->SetBorderStyle(vcl::bsNone);
    const std::string EText = WriteComponentToText(E.get());
    std::unique_ptr<TComponent> F(ReadComponentFromText(EText, nullptr));
    auto* M = dynamic_cast<TNumIO*>(F.get());
    ASSERT_NE(M, nullptr) << EText;
    EXPECT_EQ(M->Text(), "$ff");
    EXPECT_EQ(M->RangeHigh(), 1000);
    EXPECT_EQ(M->BorderStyle(), vcl::bsNone);
}

}  // namespace
