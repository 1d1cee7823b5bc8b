#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "vcl/Messages.h"

using namespace vcl;
using kestrix_test::HeadlessTest;

namespace {

// A utility window that records the clock time of every WM_TIMER.
class TimerTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Wnd = AllocateHWnd([this](TMessage& M) {
            if (M.Msg == WM_TIMER) {
                Ticks.push_back({M.WParam, Host().Now()});
                if (OnTick) OnTick();
                return;
            }
            M.Result = DefWindowProc(Wnd, M.Msg, M.WParam, M.LParam);
        });
    }
    void TearDown() override {
        DeallocateHWnd(Wnd);
        HeadlessTest::TearDown();
    }
    std::vector<uint64_t> Times(UINT_PTR Id = 1) const {
        std::vector<uint64_t> T;
        for (auto [I, At] : Ticks)
            if (I == Id) T.push_back(At);
        return T;
    }
    HWND Wnd = nullptr;
    std::vector<std::pair<UINT_PTR, uint64_t>> Ticks;
    std::function<void()> OnTick;
};

TEST_F(TimerTest, TicksArriveOnTheVirtualClockCarryingTheIdentifier) {
    uint64_t Start = Host().Now();
    ASSERT_EQ(SetTimer(Wnd, 1, 100), 1u);
    Host().AdvanceTime(99);
    EXPECT_TRUE(Ticks.empty());
    Host().AdvanceTime(1);
    Host().AdvanceTime(250);
    EXPECT_EQ(Times(), (std::vector<uint64_t>{Start + 100, Start + 200, Start + 300}));
    EXPECT_EQ(Host().Now(), Start + 350);
}

TEST_F(TimerTest, IntervalsBelowTenMillisecondsRunAtTen) {
    for (UINT Asked : {0u, 1u, 9u}) {
        Ticks.clear();
        SetTimer(Wnd, 1, Asked);
        Host().AdvanceTime(100);
        EXPECT_EQ(Ticks.size(), 10u) << "asked for " << Asked;
        KillTimer(Wnd, 1);
    }
}

TEST_F(TimerTest, SettingTheSameTimerAgainReplacesAndRestartsIt) {
    uint64_t Start = Host().Now();
    SetTimer(Wnd, 1, 100);
    Host().AdvanceTime(60);
    SetTimer(Wnd, 1, 100);
    Host().AdvanceTime(60);
    EXPECT_TRUE(Ticks.empty());
    Host().AdvanceTime(40);
    EXPECT_EQ(Times(), (std::vector<uint64_t>{Start + 160}));
    EXPECT_EQ(TimerCount(), 1);
}

TEST_F(TimerTest, TimersOfOneWindowTickInTheOrderTheyFallDue) {
    uint64_t Start = Host().Now();
    SetTimer(Wnd, 1, 30);
    SetTimer(Wnd, 2, 20);
    Host().AdvanceTime(60);
    std::vector<std::pair<UINT_PTR, uint64_t>> Expected{
        {2, Start + 20}, {1, Start + 30}, {2, Start + 40}, {1, Start + 60}, {2, Start + 60}};
    EXPECT_EQ(Ticks, Expected);
}

TEST_F(TimerTest, KillTimerAndDeallocateHWndStopTheTicks) {
    SetTimer(Wnd, 1, 10);
    EXPECT_TRUE(KillTimer(Wnd, 1));
    EXPECT_FALSE(KillTimer(Wnd, 1));
    Host().AdvanceTime(100);
    EXPECT_TRUE(Ticks.empty());

    HWND Other = AllocateHWnd([](TMessage&) { FAIL() << "a released window got a message"; });
    SetTimer(Other, 1, 10);
    PostMessage(Other, WM_USER);
    DeallocateHWnd(Other);
    Host().AdvanceTime(100);
    EXPECT_EQ(SetTimer(Other, 1, 10), 0u) << "a released window takes no timer";
    EXPECT_FALSE(IsWindow(Other));
}

TEST_F(TimerTest, TheHostCanRefuseTimers) {
    Host().RefuseTimers(true);
    EXPECT_EQ(SetTimer(Wnd, 1, 100), 0u);
    Host().AdvanceTime(500);
    EXPECT_TRUE(Ticks.empty());
    Host().RefuseTimers(false);
    EXPECT_EQ(SetTimer(Wnd, 1, 100), 1u);
    Host().AdvanceTime(100);
    EXPECT_EQ(Ticks.size(), 1u);
}

TEST_F(TimerTest, AnExceptionInATimerHandlerIsReportedAndTheTimerKeepsRunning) {
    OnTick = [] { throw EConvertError("bad tick"); };
    SetTimer(Wnd, 1, 100);
    Host().AdvanceTime(300);
    EXPECT_EQ(Ticks.size(), 3u);
    EXPECT_EQ(Host().Exceptions(), (std::vector<std::string>{"bad tick", "bad tick", "bad tick"}));

    std::vector<std::string> Seen;
    Application->OnException = [&](TObject* Sender, Exception* E) {
        EXPECT_EQ(Sender, Application);
        Seen.push_back(E->Message());
    };
    OnTick = [] { throw std::runtime_error("plain"); };
    Host().AdvanceTime(100);
    EXPECT_EQ(Seen, (std::vector<std::string>{"plain"}));
    EXPECT_EQ(Host().Exceptions().size(), 3u) << "OnException replaces the default report";
}

TEST_F(TimerTest, AHandlerGuardingItselfReportsThroughHandleException) {
    // The pattern of a component's timer window: its own guard, then
    // Application->HandleException with the component as Sender.
    TComponent Owner(nullptr);
    HWND Guarded = AllocateHWnd([&](TMessage& M) {
        if (M.Msg != WM_TIMER) return;
        try {
            throw Exception("caret failed");
        } catch (...) {
            Application->HandleException(&Owner);
        }
    });
    TObject* Sender = nullptr;
    Application->OnException = [&](TObject* S, Exception*) { Sender = S; };
    SetTimer(Guarded, 1, 50);
    Host().AdvanceTime(100);
    EXPECT_EQ(Sender, &Owner);
    DeallocateHWnd(Guarded);
}

TEST_F(TimerTest, PostedMessagesArriveAtTheNextTurnAndSendMessageAtOnce) {
    std::vector<UINT> Got;
    HWND W = AllocateHWnd([&](TMessage& M) {
        Got.push_back(M.Msg);
        M.Result = 7;
    });
    EXPECT_TRUE(PostMessage(W, WM_USER + 1));
    EXPECT_TRUE(Got.empty());
    EXPECT_EQ(SendMessage(W, WM_USER + 2), 7);
    Application->ProcessMessages();
    EXPECT_EQ(Got, (std::vector<UINT>{WM_USER + 2, WM_USER + 1}));
    EXPECT_EQ(DefWindowProc(W, WM_USER, 0, 0), 0);
    DeallocateHWnd(W);
}

TEST_F(HeadlessTest, MessageBeepLandsInTheBeepLog) {
    MessageBeep(MB_ICONERROR);
    MessageBeep(MB_SIMPLEBEEP);
    MessageBeep(MB_OK);
    EXPECT_EQ(Host().Beeps(), (std::vector<uint32_t>{0x10, 0xFFFFFFFF, 0}));
}

}  // namespace
