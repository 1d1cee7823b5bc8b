#include "frame/TimerWindow.h"

#include <utility>

#include "vcl/Forms.h"

namespace kestrix {

TTimerWindow::TTimerWindow(std::function<void()> OnTimer)
    : FOnTimer(std::move(OnTimer)),
      FHandle(vcl::AllocateHWnd([this](vcl::TMessage& Msg) { WndProc(Msg); })) {}

TTimerWindow::~TTimerWindow() {
    Stop();
    vcl::DeallocateHWnd(FHandle);
}

bool TTimerWindow::TryStart(unsigned Interval) {
    vcl::KillTimer(FHandle, TimerId);
    FRunning = vcl::SetTimer(FHandle, TimerId, Interval, nullptr) != 0;
    return FRunning;
}

void TTimerWindow::Stop() {
    vcl::KillTimer(FHandle, TimerId);
    FRunning = false;
}

void TTimerWindow::WndProc(vcl::TMessage& Msg) {
    if (Msg.Msg != vcl::WM_TIMER) {
        Msg.Result = vcl::DefWindowProc(FHandle, Msg.Msg, Msg.WParam, Msg.LParam);
        return;
    }
    try {
        if (FOnTimer) FOnTimer();
    } catch (...) {
        vcl::Application->HandleException(nullptr);
    }
}

}  // namespace kestrix
