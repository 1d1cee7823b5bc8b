#include <gtest/gtest.h>

#include "controls_fixture.h"

using namespace vcl;
using kestrix_test::HeadlessTest;

namespace {

TEST_F(HeadlessTest, WaitingForEventsThatCannotComeFailsInsteadOfHanging) {
    EXPECT_THROW(Application->HandleMessage(), EHostError);
}

TEST_F(HeadlessTest, KeysNeedAnActiveForm) { EXPECT_THROW(Host().PressKey(VK_RETURN), EHostError); }

TEST_F(HeadlessTest, TheScreenAndItsCursorGoThroughTheHost) {
    EXPECT_EQ(Screen->Width(), 1920);
    EXPECT_EQ(Screen->Height(), 1080);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Host().Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
}

TEST_F(HeadlessTest, ExceptionsInInputHandlersAreReportedLikeThoseOfTimers) {
    TForm Form(nullptr);
    Form.OnClick = [](TObject*) { throw Exception("click failed"); };
    Form.Show();
    Host().Click(&Form, 5, 5);
    EXPECT_EQ(Host().Exceptions(), (std::vector<std::string>{"click failed"}));
}

TEST(HeadlessHostSelection, HeadlessIsTheDefaultHost) {
    SetHost(nullptr);
    EXPECT_NE(dynamic_cast<THeadlessHost*>(&vcl::Host()), nullptr);
}

}  // namespace

namespace {

class TFaultyPaint : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool Fail = true;

protected:
    void Paint() override {
        if (Fail) throw Exception("paint failed");
    }
};

TEST_F(HeadlessTest, AnExceptionWhilePaintingIsReportedAndTheLoopGoesOn) {
    TForm Form(nullptr);
    auto* Faulty = new TFaultyPaint(&Form);
    Faulty->SetBounds(0, 0, 10, 10);
    Faulty->SetParent(&Form);
    Form.Show();
    Faulty->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(Host().Exceptions(), (std::vector<std::string>{"paint failed", "paint failed"}));
    Faulty->Fail = false;
    Faulty->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(Host().Exceptions().size(), 2u);
}

}  // namespace
