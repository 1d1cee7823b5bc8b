// The host: what the platform layer needs from the window system.
//
// One host is active at a time. The headless host (vcl/hosts/Headless.h) is
// the default: a virtual clock, no display, everything scriptable for tests
// and PNG output. The SDL host (vcl/hosts/Sdl.h) opens real windows. Controls
// and components never talk to a host directly; the rest of the platform
// layer reaches it only through this interface.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "vcl/SysUtils.h"

namespace vcl {

class TObject;
class TControl;
class TCustomForm;

// Raised when a host cannot do what was asked (no display, nothing left to
// wait for, a modal window that nothing will ever close).
class EHostError : public Exception {
public:
    using Exception::Exception;
};

class THost {
public:
    virtual ~THost() = default;

    // -- clock
    // Milliseconds since the host started.
    virtual uint64_t Now() = 0;
    // False while the host refuses new window timers (SetTimer returns 0).
    virtual bool AcceptsTimers() { return true; }

    // -- events
    // Collects pending input from the window system and delivers it to the
    // forms. With Wait, blocks first until input arrives or the clock reaches
    // Until (a timer falls due).
    virtual void PumpEvents(bool Wait, uint64_t Until) = 0;

    // Runs the nested loop of a modal form, menu or dialog until Finished
    // answers true.
    virtual void RunModal(TObject* Modal, const std::function<bool()>& Finished) = 0;

    // -- windows
    // A top-level form became visible or hidden, changed its caption or
    // bounds, or was destroyed.
    virtual void FormShown(TCustomForm* Form) = 0;
    virtual void FormHidden(TCustomForm* Form) = 0;
    virtual void FormChanged(TCustomForm*) {}
    virtual void FormDestroyed(TCustomForm* Form) = 0;
    // The form's surface holds new pixels.
    virtual void Present(TCustomForm* Form) = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    virtual void SetCursor(int Cursor) = 0;

    // -- paint spy: every paint of a control passes through here.
    virtual void ControlPainted(TControl*) {}
    virtual void ControlDestroyed(TControl*) {}

    // -- clipboard (text only, UTF-8)
    virtual bool ClipboardHasText() = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& Text) = 0;
    virtual void ClearClipboard() = 0;

    // -- sounds and messages
    virtual void Beep(uint32_t Type) = 0;
    // Shows the text of an exception that reached the application.
    virtual void ShowException(const std::string& Message) = 0;
};

// The active host; a headless host is created on first use.
THost& Host();
// Makes NewHost the active host and returns the previous one.
std::unique_ptr<THost> SetHost(std::unique_ptr<THost> NewHost);

}  // namespace vcl
