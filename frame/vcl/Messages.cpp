#include "vcl/Messages.h"

#include <algorithm>
#include <deque>
#include <map>
#include <vector>

#include "vcl/Host.h"

namespace vcl {

namespace {

// Windows never reuse a number, so a stale HWND held by a component can never
// reach a window created later.
struct TWindowTable {
    std::map<uintptr_t, TWndMethod> Procs;
    uintptr_t NextId = 0x1000;
};

struct TTimer {
    HWND Wnd;
    UINT_PTR Id;
    UINT Interval;
    uint64_t Due;
    uint64_t Order;  // creation order breaks ties between timers due together
    TIMERPROC Func;
};

struct TQueueState {
    TWindowTable Windows;
    std::vector<TTimer> Timers;
    uint64_t NextOrder = 0;
    std::deque<std::pair<HWND, TMessage>> Posted;
    std::function<void(std::exception_ptr)> ExceptionHandler;
    bool KeysDown[256] = {};
};

TQueueState& State() {
    static TQueueState S;
    return S;
}

uintptr_t Key(HWND Wnd) { return reinterpret_cast<uintptr_t>(Wnd); }

// The minimum interval of window timers; shorter requests run at this rate.
constexpr UINT MinTimerInterval = 10;
constexpr UINT MaxTimerInterval = 0x7FFFFFFF;

void Deliver(HWND Wnd, TMessage& Msg) {
    auto& Procs = State().Windows.Procs;
    auto It = Procs.find(Key(Wnd));
    if (It == Procs.end()) return;
    // A copy: the procedure may deallocate its own window while it runs.
    TWndMethod Proc = It->second;
    Proc(Msg);
}

}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
    auto& W = State().Windows;
    uintptr_t Id = W.NextId++;
    W.Procs[Id] = std::move(Method);
    return reinterpret_cast<HWND>(Id);
}

void DeallocateHWnd(HWND Wnd) {
    auto& S = State();
    S.Windows.Procs.erase(Key(Wnd));
    std::erase_if(S.Timers, [Wnd](const TTimer& T) { return T.Wnd == Wnd; });
    std::erase_if(S.Posted, [Wnd](const auto& P) { return P.first == Wnd; });
}

bool IsWindow(HWND Wnd) { return State().Windows.Procs.contains(Key(Wnd)); }

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, TIMERPROC TimerFunc) {
    auto& S = State();
    if (!IsWindow(Wnd) || !Host().AcceptsTimers()) return 0;
    UINT Interval = std::clamp(Elapse, MinTimerInterval, MaxTimerInterval);
    uint64_t Due = Host().Now() + Interval;
    for (TTimer& T : S.Timers) {
        if (T.Wnd == Wnd && T.Id == IDEvent) {
            T.Interval = Interval;
            T.Due = Due;
            T.Func = TimerFunc;
            return IDEvent == 0 ? 1 : IDEvent;
        }
    }
    S.Timers.push_back({Wnd, IDEvent, Interval, Due, S.NextOrder++, TimerFunc});
    return IDEvent == 0 ? 1 : IDEvent;
}

bool KillTimer(HWND Wnd, UINT_PTR IDEvent) {
    return std::erase_if(State().Timers,
                         [&](const TTimer& T) { return T.Wnd == Wnd && T.Id == IDEvent; }) > 0;
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage M{Msg, WParam, LParam, 0};
    Deliver(Wnd, M);
    return M.Result;
}

bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!IsWindow(Wnd)) return false;
    State().Posted.push_back({Wnd, TMessage{Msg, WParam, LParam, 0}});
    return true;
}

bool MessageBeep(UINT Type) {
    Host().Beep(Type);
    return true;
}

DWORD GetTickCount() { return static_cast<DWORD>(Host().Now()); }

int16_t GetKeyState(int VirtKey) {
    if (VirtKey < 0 || VirtKey > 255) return 0;
    return State().KeysDown[VirtKey] ? int16_t(-128) : int16_t(0);
}

void SetKeyDown(int VirtKey, bool Down) {
    if (VirtKey >= 0 && VirtKey <= 255) State().KeysDown[VirtKey] = Down;
}

std::optional<uint64_t> NextTimerDue() {
    const auto& Timers = State().Timers;
    if (Timers.empty()) return std::nullopt;
    uint64_t Due = Timers.front().Due;
    for (const TTimer& T : Timers) Due = std::min(Due, T.Due);
    return Due;
}

bool DispatchDueTimers(uint64_t Now) {
    // Collect first: handlers may set, kill or restart timers, and a timer
    // set by a handler must wait for its own interval.
    std::vector<TTimer> Due;
    for (const TTimer& T : State().Timers)
        if (T.Due <= Now) Due.push_back(T);
    std::sort(Due.begin(), Due.end(), [](const TTimer& A, const TTimer& B) {
        return A.Due != B.Due ? A.Due < B.Due : A.Order < B.Order;
    });
    for (const TTimer& D : Due) {
        auto& Timers = State().Timers;
        auto It = std::find_if(Timers.begin(), Timers.end(), [&](const TTimer& T) {
            return T.Wnd == D.Wnd && T.Id == D.Id && T.Order == D.Order && T.Due == D.Due;
        });
        // Killed or restarted by an earlier handler in this round.
        if (It == Timers.end()) continue;
        It->Due = Now + It->Interval;
        if (D.Func) {
            GuardedDispatch([&] { D.Func(D.Wnd, WM_TIMER, D.Id, static_cast<DWORD>(Now)); });
        } else {
            TMessage M{WM_TIMER, D.Id, 0, 0};
            GuardedDispatch([&] { Deliver(D.Wnd, M); });
        }
    }
    return !Due.empty();
}

bool DispatchPostedMessages() {
    bool Any = false;
    auto& Posted = State().Posted;
    while (!Posted.empty()) {
        auto Next = Posted.front();
        Posted.pop_front();
        Any = true;
        GuardedDispatch([&] { Deliver(Next.first, Next.second); });
    }
    return Any;
}

int TimerCount() { return static_cast<int>(State().Timers.size()); }

void SetDispatchExceptionHandler(std::function<void(std::exception_ptr)> Handler) {
    State().ExceptionHandler = std::move(Handler);
}

void GuardedDispatch(const std::function<void()>& Call) {
    try {
        Call();
    } catch (...) {
        auto& Handler = State().ExceptionHandler;
        if (!Handler) throw;
        Handler(std::current_exception());
    }
}

}  // namespace vcl
