#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "vcl/Clipboard.h"
#include "vcl/Themes.h"

using namespace vcl;
using kestrix_test::HeadlessTest;
using kestrix_test::PixelAt;
using kestrix_test::TGraphicProbe;
using kestrix_test::TLog;
using kestrix_test::TProbe;

namespace {

// A shown form with three probes A, B, C side by side in tab order.
class FocusTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        for (const char* N : {"A", "B", "C"}) {
            auto* P = new TProbe(Form.get());
            P->SetName(N);
            P->SetLeft(50 * static_cast<int>(Probes.size()));
            P->SetParent(Form.get());
            P->Log = &Log;
            P->OnEnter = [this](TObject* S) { Log.push_back(Name(S) + ":enter"); };
            P->OnExit = [this](TObject* S) { Log.push_back(Name(S) + ":exit"); };
            P->OnKeyDown = [this](TObject* S, uint16_t& Key, TShiftState Shift) {
                Log.push_back(Name(S) + ":down" + std::to_string(Key) +
                              (Shift.Contains(ssShift) ? "+shift" : ""));
            };
            P->OnKeyPress = [this](TObject* S, char32_t& Key) {
                Log.push_back(Name(S) + ":press" + std::to_string(static_cast<int>(Key)));
            };
            P->OnKeyUp = [this](TObject* S, uint16_t& Key, TShiftState) {
                Log.push_back(Name(S) + ":up" + std::to_string(Key));
            };
            Probes.push_back(P);
        }
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }
    static std::string Name(TObject* S) { return static_cast<TComponent*>(S)->Name(); }

    std::unique_ptr<TForm> Form;
    std::vector<TProbe*> Probes;
    TLog Log;
};

TEST_F(FocusTest, ShowingTheFormCreatesWindowsAndFocusesTheFirstTabStop) {
    EXPECT_FALSE(Probes[0]->HandleAllocated());
    Form->Show();
    EXPECT_TRUE(Probes[0]->HandleAllocated());
    EXPECT_TRUE(Probes[0]->Focused());
    EXPECT_EQ(Form->ActiveControl(), Probes[0]);
    EXPECT_EQ(Log, (TLog{"A:createwnd", "B:createwnd", "C:createwnd", "A:setfocus", "A:enter"}));

    // A control placed on a form that already has its window gets one at once.
    auto* Late = new TProbe(Form.get());
    EXPECT_FALSE(Late->HandleAllocated());
    Late->SetParent(Form.get());
    EXPECT_TRUE(Late->HandleAllocated());
}

TEST_F(FocusTest, TabAndShiftTabWalkTheTabOrderWithExitBeforeEnter) {
    Form->Show();
    Log.clear();
    Host().PressKey(VK_TAB);
    EXPECT_TRUE(Probes[1]->Focused());
    EXPECT_EQ(Log, (TLog{"A:cn9", "A:killfocus", "B:setfocus", "A:exit", "B:enter", "B:up9"}))
        << "no tab character follows a tab that moved the focus";

    Probes[2]->SetTabOrder(0);  // C, A, B
    Host().PressKey(VK_TAB);
    EXPECT_TRUE(Probes[2]->Focused()) << "after B the order wraps to C";
    Host().PressKey(VK_TAB, {ssShift});
    EXPECT_TRUE(Probes[1]->Focused());

    Probes[0]->SetTabStop(false);
    Host().PressKey(VK_TAB);
    Host().PressKey(VK_TAB);
    EXPECT_TRUE(Probes[1]->Focused()) << "A without TabStop is skipped";
}

TEST_F(FocusTest, KeysReachTheFocusedControlAsNotificationThenEvents) {
    Form->Show();
    Probes[1]->SetFocus();
    Log.clear();
    Host().PressKey('X', {ssShift});
    EXPECT_EQ(Log, (TLog{"B:cn88", "B:down88+shift", "B:press88", "B:up88"}));
}

TEST_F(FocusTest, ArrowKeysMoveTheFocusUnlessTheControlWantsThem) {
    Form->Show();
    Log.clear();
    Host().PressKey(VK_RIGHT);
    EXPECT_TRUE(Probes[1]->Focused());
    Probes[1]->WantArrows = true;
    Log.clear();
    Host().PressKey(VK_RIGHT);
    EXPECT_TRUE(Probes[1]->Focused());
    EXPECT_EQ(Log, (TLog{"B:cn39", "B:down39", "B:up39"}));
}

TEST_F(FocusTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
    Form->Show();
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
        Log.push_back("form:down" + std::to_string(Key));
        if (Key == VK_F2) Key = 0;
    };
    Log.clear();
    Host().KeyDown(VK_F1);
    Host().KeyDown(VK_F2);
    EXPECT_EQ(Log, (TLog{"A:cn112", "form:down112", "A:down112", "A:cn113", "form:down113"}));
}

TEST_F(FocusTest, HandlersCanChangeOrSwallowTheKey) {
    Form->Show();
    Probes[0]->OnKeyPress = [this](TObject*, char32_t& Key) {
        Log.push_back("press" + std::to_string(static_cast<int>(Key)));
        Key = 0;
    };
    Log.clear();
    Host().TypeText("\xC3\xA4");  // one code point, U+00E4
    EXPECT_EQ(Log, (TLog{"press228"}));
}

TEST_F(FocusTest, FocusRulesForDisabledHiddenAndRemovedControls) {
    EXPECT_THROW(Probes[0]->SetFocus(), EInvalidOperation) << "the form is not shown";
    Form->Show();
    Probes[1]->SetEnabled(false);
    try {
        Probes[1]->SetFocus();
        FAIL();
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), "Cannot focus a disabled or invisible window");
    }
    Probes[2]->SetFocus();
    Probes[2]->Hide();
    EXPECT_FALSE(Probes[2]->Focused());
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(GetFocusedControl(), Form.get()) << "the form keeps the keyboard";

    Probes[0]->SetFocus();
    delete Probes[0];
    EXPECT_EQ(GetFocusedControl(), Form.get());
    Host().PressKey(VK_TAB);  // must not reach the deleted control
    EXPECT_EQ(GetFocusedControl(), Form.get()) << "nothing else can take the focus";
}

TEST_F(FocusTest, TheHandleOfAControlWithoutAFormIsAnError) {
    TProbe Loose(nullptr);
    Loose.SetName("Loose");
    try {
        Loose.Handle();
        FAIL();
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), "Control 'Loose' has no parent window");
    }
}

// -- painting

class PaintTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 200, 100);
        Form->SetColor(clWhite);
        Probe = new TProbe(Form.get());
        Probe->SetBounds(10, 10, 40, 30);
        Probe->SetParent(Form.get());
        Graphic = new TGraphicProbe(Form.get());
        Graphic->SetBounds(100, 10, 20, 20);
        Graphic->SetParent(Form.get());
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }
    std::unique_ptr<TForm> Form;
    TProbe* Probe = nullptr;
    TGraphicProbe* Graphic = nullptr;
};

TEST_F(PaintTest, ManyInvalidationsEndInOnePaintAtTheNextTurnOfTheLoop) {
    Form->Show();
    Host().ResetPaintCounts();
    for (int I = 0; I < 25; ++I) {
        Probe->Invalidate();
        Graphic->Invalidate();
    }
    EXPECT_EQ(Host().PaintCount(Probe), 0) << "Invalidate defers";
    Application->ProcessMessages();
    EXPECT_EQ(Host().PaintCount(Probe), 1);
    EXPECT_EQ(Host().PaintCount(Graphic), 1);
    Application->ProcessMessages();
    EXPECT_EQ(Host().PaintCount(Probe), 1) << "nothing pending, nothing painted";

    Probe->Repaint();
    EXPECT_EQ(Host().PaintCount(Probe), 2) << "Repaint paints at once";
    EXPECT_EQ(Host().PaintCount(Graphic), 1) << "an area apart is left alone";
}

TEST_F(PaintTest, DirectPaintsFromSettersAreCountedAndEqualValuesDoNotPaint) {
    Form->Show();
    Host().ResetPaintCounts();
    Probe->SetFill(Probe->Fill);
    Graphic->SetFill(Graphic->Fill);
    EXPECT_EQ(Host().PaintCount(Probe), 0);
    EXPECT_EQ(Host().PaintCount(Graphic), 0);
    Probe->SetFill(clRed);
    Graphic->SetFill(clYellow);
    EXPECT_EQ(Host().PaintCount(Probe), 1);
    EXPECT_EQ(Host().PaintCount(Graphic), 1);
    EXPECT_EQ(PixelAt(*Form->Surface(), 11, 11), clRed) << "the paint is on the surface at once";
}

TEST_F(PaintTest, ControlsPaintClippedToTheirBoundsOverTheParentBackground) {
    Form->Show();
    auto Shot = Host().Screenshot(Form.get());
    EXPECT_EQ(PixelAt(*Shot, 5, 5), clWhite);
    EXPECT_EQ(PixelAt(*Shot, 10, 10), clBlue);
    EXPECT_EQ(PixelAt(*Shot, 49, 39), clBlue);
    EXPECT_EQ(PixelAt(*Shot, 50, 39), clWhite);
    EXPECT_EQ(PixelAt(*Shot, 100, 10), clLime);
    EXPECT_EQ(PixelAt(*Shot, 99, 10), clWhite) << "a graphic control's canvas is clipped";
    EXPECT_EQ(PixelAt(*Shot, 120, 30), clWhite);

    // A child paints only inside its parent.
    auto* Inner = new TGraphicProbe(Form.get());
    Inner->SetBounds(30, 20, 50, 50);
    Inner->SetParent(Probe);
    Shot = Host().Screenshot(Form.get());
    EXPECT_EQ(PixelAt(*Shot, 45, 35), clLime);
    EXPECT_EQ(PixelAt(*Shot, 45, 45), clWhite);
}

TEST_F(PaintTest, PaintingBeforeTheControlIsPlacedDrawsNothingHarmful) {
    TGraphicProbe Loose(nullptr);
    Loose.SetFill(clRed);
    Loose.Invalidate();
    Loose.Repaint();
    Application->ProcessMessages();
    SUCCEED();
}

TEST_F(PaintTest, HiddenControlsAreNotPaintedAndHidingRepaintsTheParent) {
    Form->Show();
    Probe->Hide();
    Application->ProcessMessages();
    EXPECT_EQ(PixelAt(*Form->Surface(), 20, 20), clWhite);
    Host().ResetPaintCounts();
    Probe->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(Host().PaintCount(Probe), 0);
}

// -- layout

TEST_F(PaintTest, AlignAndAnchorsFollowTheParentSize) {
    auto* Top = new TProbe(Form.get());
    Top->SetHeight(15);
    Top->SetParent(Form.get());
    Top->SetAlign(alTop);
    auto* Client = new TProbe(Form.get());
    Client->SetParent(Form.get());
    Client->SetAlign(alClient);
    EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, 200, 15));
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 15, 200, 100));

    Graphic->SetAnchors({akTop, akRight});
    int Resizes = 0;
    Client->OnResize = [&](TObject*) { ++Resizes; };
    Form->SetBounds(0, 0, 300, 120);
    EXPECT_EQ(Graphic->Left(), 200);
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 15, 300, 120));
    EXPECT_EQ(Resizes, 1);
}

TEST_F(PaintTest, FontAndColorFollowTheParentUntilSetOwn) {
    Form->Font()->SetSize(12);
    EXPECT_EQ(Probe->Font()->Size(), 12);
    EXPECT_TRUE(Probe->ParentFont());
    Probe->Font()->SetSize(9);
    EXPECT_FALSE(Probe->ParentFont());
    Form->Font()->SetSize(14);
    EXPECT_EQ(Probe->Font()->Size(), 9);

    Probe->SetParentColor(true);
    EXPECT_EQ(Probe->Color(), clWhite);
    Form->SetColor(clAqua);
    EXPECT_EQ(Probe->Color(), clAqua);
}

// -- clipboard and styles

TEST_F(HeadlessTest, ClipboardKeepsTextThroughTheHost) {
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard()->AsText(), "");
    Clipboard()->SetAsText("1.5\t2\r\n");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(2));
    EXPECT_EQ(Clipboard()->AsText(), "1.5\t2\r\n");
    EXPECT_EQ(Host().ClipboardText(), "1.5\t2\r\n");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(StyleServices, NoStyleByDefaultAndAnActivatedStyleAnswersItsColours) {
    EXPECT_FALSE(StyleServices().Enabled());
    EXPECT_EQ(StyleServices().GetSystemColor(clBtnFace), clBtnFace);
    StyleServices().Activate({"Dark",
                              {{scBorder, 0x202020}, {scGrid, 0x303030}},
                              {{sfWindowTextNormal, clWhite}},
                              {{clBtnFace, 0x404040}}});
    EXPECT_TRUE(StyleServices().Enabled());
    EXPECT_EQ(StyleServices().GetStyleColor(scBorder), 0x202020u);
    EXPECT_EQ(StyleServices().GetStyleColor(scPanel), clNone);
    EXPECT_EQ(StyleServices().GetStyleFontColor(sfWindowTextNormal), clWhite);
    EXPECT_EQ(StyleServices().GetSystemColor(clBtnFace), 0x404040u);
    EXPECT_EQ(StyleServices().GetSystemColor(clBtnShadow), clBtnShadow);
    EXPECT_EQ(StyleServices().GetSystemColor(clRed), clRed);
    StyleServices().Deactivate();
    EXPECT_FALSE(StyleServices().Enabled());
}

}  // namespace
