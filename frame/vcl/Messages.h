// Window messages, utility windows, window timers and the message queue.
//
// Every window of the platform layer (a utility window from AllocateHWnd, or
// the handle of a windowed control) is an HWND whose window procedure receives
// TMessage records. Timers and posted messages are delivered by the message
// loop of the active host (vcl/Host.h).
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>

namespace vcl {

struct HWND__;
using HWND = HWND__*;
using UINT = unsigned int;
using DWORD = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using TIMERPROC = void (*)(HWND Wnd, UINT Msg, UINT_PTR IDEvent, DWORD Time);

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage& Message)>;

// Window messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_USER = 0x0400;

// Answers to WM_GETDLGCODE: which keys a control keeps for itself instead of
// letting the form use them for navigation.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Control messages (CM_) and the control notifications (CN_) that a parent
// reflects back to the control a window message concerns.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 11;
constexpr UINT CM_COLORCHANGED = CM_BASE + 12;
constexpr UINT CM_FONTCHANGED = CM_BASE + 13;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 15;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 22;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 34;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;

// Sounds for MessageBeep.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_SIMPLEBEEP = 0xFFFFFFFF;

// Virtual key codes.
constexpr uint16_t VK_LBUTTON = 0x01;
constexpr uint16_t VK_RBUTTON = 0x02;
constexpr uint16_t VK_MBUTTON = 0x04;
constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12;
constexpr uint16_t VK_PAUSE = 0x13;
constexpr uint16_t VK_CAPITAL = 0x14;
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21;
constexpr uint16_t VK_NEXT = 0x22;
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_NUMPAD0 = 0x60;
constexpr uint16_t VK_NUMPAD9 = 0x69;
constexpr uint16_t VK_MULTIPLY = 0x6A;
constexpr uint16_t VK_ADD = 0x6B;
constexpr uint16_t VK_SEPARATOR = 0x6C;
constexpr uint16_t VK_SUBTRACT = 0x6D;
constexpr uint16_t VK_DECIMAL = 0x6E;
constexpr uint16_t VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70;
constexpr uint16_t VK_F2 = 0x71;
constexpr uint16_t VK_F3 = 0x72;
constexpr uint16_t VK_F4 = 0x73;
constexpr uint16_t VK_F5 = 0x74;
constexpr uint16_t VK_F6 = 0x75;
constexpr uint16_t VK_F7 = 0x76;
constexpr uint16_t VK_F8 = 0x77;
constexpr uint16_t VK_F9 = 0x78;
constexpr uint16_t VK_F10 = 0x79;
constexpr uint16_t VK_F11 = 0x7A;
constexpr uint16_t VK_F12 = 0x7B;
constexpr uint16_t VK_OEM_PLUS = 0xBB;
constexpr uint16_t VK_OEM_COMMA = 0xBC;
constexpr uint16_t VK_OEM_MINUS = 0xBD;
constexpr uint16_t VK_OEM_PERIOD = 0xBE;

// Utility windows: a hidden window whose procedure is Method. The window stays
// valid until DeallocateHWnd, which also kills its timers and drops the
// messages still queued for it.
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
bool IsWindow(HWND Wnd);

// Window timers. Intervals below 10 ms run at 10 ms; setting a timer again
// with the same window and identifier replaces and restarts it. Returns 0
// when the window is unknown or the host refuses the timer.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, TIMERPROC TimerFunc = nullptr);
bool KillTimer(HWND Wnd, UINT_PTR IDEvent);

// The default handling of a message nobody else handles: answers 0.
LRESULT DefWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// Delivers a message at once to the window procedure and returns its result.
LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
// Queues a message for the next turn of the message loop.
bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

// Plays a sound through the host: MB_SIMPLEBEEP, MB_OK or an MB_ICON... sound.
bool MessageBeep(UINT Type);

// Milliseconds on the active host's clock.
DWORD GetTickCount();

// State of a key as the last input event left it: the high bit (the value is
// negative) while the key is down.
int16_t GetKeyState(int VirtKey);

// -- For the message loop and the hosts ------------------------------------

// Records the pressed state of a key (hosts call it before delivering input).
void SetKeyDown(int VirtKey, bool Down);

// Clock time at which the next timer is due, if any timer runs.
std::optional<uint64_t> NextTimerDue();
// Delivers WM_TIMER once to every timer due at Now, in the order they fall
// due; a timer that missed several intervals ticks once. Returns whether any
// timer was delivered.
bool DispatchDueTimers(uint64_t Now);
// Delivers every message queued by PostMessage (including the ones queued
// while delivering). Returns whether any was delivered.
bool DispatchPostedMessages();
// Number of running timers (for tests and diagnostics).
int TimerCount();

// Exceptions that escape a window procedure during delivery go here (the
// application installs its HandleException); without a handler they
// propagate to the caller of the loop.
void SetDispatchExceptionHandler(std::function<void(std::exception_ptr)> Handler);
// Runs Call, handing an exception it raises to the dispatch exception handler.
void GuardedDispatch(const std::function<void()>& Call);

}  // namespace vcl
