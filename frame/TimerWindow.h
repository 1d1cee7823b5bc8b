// The private timer of a component: a hidden utility window with one window
// timer on it.
//
// Components that blink a caret, scroll a text or repeat a button own one of
// these. The window lives as long as the component; the timer on it always has
// identifier 1 and runs only while the component wants it. Ticks arrive
// through the message loop, so a tick never interrupts a setter or a paint.
//
// A tick's handler may throw: the exception goes to the application's
// exception handler (which shows it) and the timer keeps running, so one bad
// tick never leaves the component dead.
#pragma once

#include <functional>
#include <string_view>

#include "frame/ComponentMessage.h"
#include "vcl/Messages.h"

namespace kestrix {

class TTimerWindow {
public:
    // OnTimer runs for every WM_TIMER of the timer.
    explicit TTimerWindow(std::function<void()> OnTimer);
    ~TTimerWindow();
    TTimerWindow(const TTimerWindow&) = delete;
    TTimerWindow& operator=(const TTimerWindow&) = delete;

    // Starts the timer or restarts it with a new interval: KillTimer, then
    // SetTimer. A refused timer raises E (the component's exception class)
    // with the component message of ComponentName ending in
    // "no timer available".
    template <class E>
    void Start(unsigned Interval, std::string_view ComponentName) {
        if (!TryStart(Interval)) throw E(ComponentMessage(ComponentName, ProblemNoTimer));
    }

    // The same, reporting a refused timer as false instead of raising.
    bool TryStart(unsigned Interval);

    void Stop();

    bool Running() const { return FRunning; }
    vcl::HWND Handle() const { return FHandle; }

    static constexpr unsigned TimerId = 1;

private:
    void WndProc(vcl::TMessage& Msg);

    std::function<void()> FOnTimer;
    vcl::HWND FHandle;
    bool FRunning = false;
};

}  // namespace kestrix
