#include <gtest/gtest.h>

#include "controls_fixture.h"

using namespace vcl;
using kestrix_test::HeadlessTest;
using kestrix_test::TGraphicProbe;
using kestrix_test::TLog;
using kestrix_test::TProbe;

namespace {

// A form with a windowed probe at (10,10)-(50,40) and a graphic probe at
// (100,10)-(120,30), each logging its mouse events with local coordinates.
class MouseTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 200, 100);
        Probe = new TProbe(Form.get());
        Probe->SetName("P");
        Probe->SetBounds(10, 10, 40, 30);
        Probe->SetParent(Form.get());
        Graphic = new TGraphicProbe(Form.get());
        Graphic->SetName("G");
        Graphic->SetBounds(100, 10, 20, 20);
        Graphic->SetParent(Form.get());
        for (TControl* C : {static_cast<TControl*>(Probe), static_cast<TControl*>(Graphic),
                            static_cast<TControl*>(Form.get())})
            Watch(C);
        Form->Show();
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }
    void Watch(TControl* C) {
        std::string N = C->Name().empty() ? "form" : C->Name();
        C->OnMouseDown = [this, N](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
            Log.push_back(N + ":down" + std::to_string(B) + (S.Contains(ssDouble) ? "d" : "") +
                          "@" + std::to_string(X) + "," + std::to_string(Y));
        };
        C->OnMouseMove = [this, N](TObject*, TShiftState S, int X, int Y) {
            Log.push_back(N + ":move" + (S.Contains(ssLeft) ? "L" : "") + "@" + std::to_string(X) +
                          "," + std::to_string(Y));
        };
        C->OnMouseUp = [this, N](TObject*, TMouseButton B, TShiftState, int X, int Y) {
            Log.push_back(N + ":up" + std::to_string(B) + "@" + std::to_string(X) + "," +
                          std::to_string(Y));
        };
        C->OnClick = [this, N](TObject*) { Log.push_back(N + ":click"); };
        C->OnDblClick = [this, N](TObject*) { Log.push_back(N + ":dblclick"); };
    }
    std::unique_ptr<TForm> Form;
    TProbe* Probe = nullptr;
    TGraphicProbe* Graphic = nullptr;
    TLog Log;
};

TEST_F(MouseTest, AClickReachesTheControlUnderThePointerInItsCoordinates) {
    Host().Click(Form.get(), 105, 12);
    EXPECT_EQ(Log, (TLog{"G:down0@5,2", "G:click", "G:up0@5,2"}));
    Log.clear();
    Host().Click(Form.get(), 150, 80, mbRight);
    EXPECT_EQ(Log, (TLog{"form:down1@150,80", "form:up1@150,80"}));
}

TEST_F(MouseTest, TheControlPressedKeepsTheMouseUntilRelease) {
    Host().MouseDown(Form.get(), 20, 20);
    EXPECT_EQ(GetCaptureControl(), Probe);
    Host().MouseMove(Form.get(), 110, 15);
    Host().MouseUp(Form.get(), 110, 15);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(Log, (TLog{"P:down0@10,10", "P:moveL@100,5", "P:up0@100,5"}))
        << "no click when released outside";
    Log.clear();
    Host().MouseMove(Form.get(), 110, 15);
    EXPECT_EQ(Log, (TLog{"G:move@10,5"}));
}

TEST_F(MouseTest, ADoubleClickFiresDblClickAndADoubleDown) {
    Host().DblClick(Form.get(), 20, 20);
    EXPECT_EQ(Log, (TLog{"P:down0@10,10", "P:click", "P:up0@10,10", "P:dblclick", "P:down0d@10,10",
                         "P:up0@10,10"}));
}

TEST_F(MouseTest, DisabledControlsLetTheMouseThroughToTheirParent) {
    Graphic->SetEnabled(false);
    Host().Click(Form.get(), 105, 12);
    EXPECT_EQ(Log, (TLog{"form:down0@105,12", "form:click", "form:up0@105,12"}));
}

TEST_F(MouseTest, EnterAndLeaveFollowThePointer) {
    Graphic->OnMouseEnter = [this](TObject*) { Log.push_back("G:enter"); };
    Graphic->OnMouseLeave = [this](TObject*) { Log.push_back("G:leave"); };
    Host().MouseMove(Form.get(), 105, 12);
    Host().MouseMove(Form.get(), 150, 12);
    EXPECT_EQ(Log, (TLog{"G:enter", "G:move@5,2", "G:leave", "form:move@150,12"}));
}

TEST_F(MouseTest, TheWheelGoesUpToTheFirstControlThatHandlesIt) {
    std::vector<std::string> Wheel;
    Graphic->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        Wheel.push_back("G:down");
        Handled = false;
    };
    Form->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        Wheel.push_back("form:" + std::to_string(Delta));
        Handled = true;
    };
    Host().MouseWheel(Form.get(), 105, 12, -WHEEL_DELTA);
    EXPECT_EQ(Wheel, (std::vector<std::string>{"G:down", "form:-120"}));
}

TEST_F(MouseTest, MouseMessagesPassThroughWndProcAndWindowProc) {
    std::vector<UINT> Seen;
    TWndMethod Old = Probe->WindowProc;
    Probe->WindowProc = [&](TMessage& M) {
        Seen.push_back(M.Msg);
        Old(M);
    };
    Host().Click(Form.get(), 20, 20);
    EXPECT_EQ(Seen, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(Log.size(), 3u);
}

}  // namespace

namespace {

TEST_F(MouseTest, ARightClickOpensThePopupMenuThroughTheMenuHandler) {
    // A plain component stands in for the menu: the control only keeps the
    // pointer and hands it to the handler.
    auto* Menu = reinterpret_cast<TPopupMenu*>(new TComponent(Form.get()));
    Graphic->SetPopupMenu(Menu);
    TPoint At{-1, -1};
    TControl* For = nullptr;
    SetPopupMenuHandler([&](TPopupMenu* M, TControl* C, TPoint P) {
        EXPECT_EQ(M, Menu);
        For = C;
        At = P;
    });
    Form->SetBounds(30, 40, 200, 100);
    Host().Click(Form.get(), 105, 12, mbRight);
    SetPopupMenuHandler(nullptr);
    EXPECT_EQ(For, Graphic);
    EXPECT_EQ(At, (TPoint{135, 52})) << "in screen coordinates";
}

}  // namespace
