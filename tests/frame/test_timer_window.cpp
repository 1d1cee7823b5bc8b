#include <gtest/gtest.h>

#include <stdexcept>

#include "frame/TimerWindow.h"
#include "qelbase/Types.h"
#include "vcl/Forms.h"
#include "vcl/hosts/Headless.h"

namespace {

class EQELTestError : public QEL_base::EQELError {
public:
    using QEL_base::EQELError::EQELError;
};

class TimerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        vcl::Headless().RefuseTimers(false);
        vcl::Headless().ClearExceptions();
    }
    void TearDown() override { vcl::Headless().RefuseTimers(false); }
};

TEST_F(TimerWindow, TicksArriveThroughTheMessageLoopUntilStopped) {
    int Ticks = 0;
    kestrix::TTimerWindow Timer([&] { ++Ticks; });
    Timer.Start<EQELTestError>(100, "Timer1");
    vcl::Headless().AdvanceTime(350);
    EXPECT_EQ(Ticks, 3);
    Timer.Stop();
    vcl::Headless().AdvanceTime(500);
    EXPECT_EQ(Ticks, 3);
}

TEST_F(TimerWindow, RestartingBeginsANewIntervalFromNow) {
    int Ticks = 0;
    kestrix::TTimerWindow Timer([&] { ++Ticks; });
    Timer.Start<EQELTestError>(100, "Timer1");
    vcl::Headless().AdvanceTime(90);
    Timer.Start<EQELTestError>(100, "Timer1");
    vcl::Headless().AdvanceTime(90);
    EXPECT_EQ(Ticks, 0);
    vcl::Headless().AdvanceTime(10);
    EXPECT_EQ(Ticks, 1);
    EXPECT_EQ(vcl::TimerCount(), 1);
}

TEST_F(TimerWindow, ARefusedTimerRaisesTheComponentsErrorNamingIt) {
    kestrix::TTimerWindow Timer([] {});
    vcl::Headless().RefuseTimers(true);
    try {
        Timer.Start<EQELTestError>(500, "NumIO1");
        FAIL() << "no exception";
    } catch (const EQELTestError& E) {
        EXPECT_EQ(E.Message(), "Component \"NumIO1\": no timer available");
    }
    EXPECT_FALSE(Timer.Running());
    EXPECT_FALSE(Timer.TryStart(500));
}

TEST_F(TimerWindow, AnExceptionInATickIsReportedAndTheTimerKeepsRunning) {
    int Ticks = 0;
    kestrix::TTimerWindow Timer([&] {
        if (++Ticks == 1) throw vcl::Exception("tick failed");
    });
    Timer.Start<EQELTestError>(100, "Timer1");
    vcl::Headless().AdvanceTime(100);
    ASSERT_EQ(vcl::Headless().Exceptions().size(), 1u);
    EXPECT_EQ(vcl::Headless().Exceptions()[0], "tick failed");
    vcl::Headless().AdvanceTime(100);
    EXPECT_EQ(Ticks, 2);
    EXPECT_TRUE(Timer.Running());
}

TEST_F(TimerWindow, OtherMessagesGetTheDefaultAnswerAndTheWindowDiesWithItsOwner) {
    vcl::HWND Handle;
    {
        int Ticks = 0;
        kestrix::TTimerWindow Timer([&] { ++Ticks; });
        Handle = Timer.Handle();
        EXPECT_TRUE(vcl::IsWindow(Handle));
        EXPECT_EQ(vcl::SendMessage(Handle, vcl::WM_USER + 7, 1, 2), 0);
        EXPECT_EQ(Ticks, 0);
        Timer.Start<EQELTestError>(100, "Timer1");
    }
    EXPECT_FALSE(vcl::IsWindow(Handle));
    EXPECT_EQ(vcl::TimerCount(), 0);
}

}  // namespace
