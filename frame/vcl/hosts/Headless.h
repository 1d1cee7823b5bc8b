// The headless host: no display, a virtual clock, and everything a test needs
// to drive forms from the outside.
//
//   clock      AdvanceTime(ms) moves the clock, delivering every timer that
//              falls due on the way, in order, and running the loop after each;
//   timers     RefuseTimers(true) makes SetTimer fail;
//   sounds     every MessageBeep lands in Beeps();
//   clipboard  an in-memory text;
//   modal      AnswerModal(handler) queues what happens once the next modal
//              form, menu or dialog is up; a modal call with no answer queued
//              raises EHostError instead of waiting forever;
//   input      mouse and key events at form coordinates, routed like real ones;
//   paints     PaintCount(control) counts the paints of each control;
//   pictures   Screenshot(form) paints the whole form and hands back a copy.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Host.h"

namespace vcl {

class TCustomForm;

class THeadlessHost : public THost {
public:
    using TModalAnswer = std::function<void(TObject* Modal)>;

    // -- THost
    uint64_t Now() override { return FNow; }
    bool AcceptsTimers() override { return !FRefuseTimers; }
    void PumpEvents(bool Wait, uint64_t Until) override;
    void RunModal(TObject* Modal, const std::function<bool()>& Finished) override;
    void FormShown(TCustomForm*) override {}
    void FormHidden(TCustomForm*) override {}
    void FormDestroyed(TCustomForm*) override {}
    void Present(TCustomForm*) override { ++FPresentCount; }
    int ScreenWidth() override { return 1920; }
    int ScreenHeight() override { return 1080; }
    void SetCursor(int Cursor) override { FCursor = Cursor; }
    void ControlPainted(TControl* Control) override { ++FPaintCounts[Control]; }
    void ControlDestroyed(TControl* Control) override { FPaintCounts.erase(Control); }
    bool ClipboardHasText() override { return FHasClipboardText; }
    std::string ClipboardText() override { return FClipboard; }
    void SetClipboardText(const std::string& Text) override;
    void ClearClipboard() override;
    void Beep(uint32_t Type) override { FBeeps.push_back(Type); }
    void ShowException(const std::string& Message) override { FExceptions.push_back(Message); }

    // -- clock and timers
    // Moves the clock by Ms, delivering due timers in the order they fall
    // due, and runs the message loop after each and at the end.
    void AdvanceTime(uint64_t Ms);
    void RefuseTimers(bool Refuse) { FRefuseTimers = Refuse; }

    // -- what the program did
    const std::vector<uint32_t>& Beeps() const { return FBeeps; }
    void ClearBeeps() { FBeeps.clear(); }
    // Messages of exceptions that reached the application's default handler.
    const std::vector<std::string>& Exceptions() const { return FExceptions; }
    void ClearExceptions() { FExceptions.clear(); }
    int Cursor() const { return FCursor; }
    int PresentCount() const { return FPresentCount; }

    // -- paint spy
    int PaintCount(const TControl* Control) const;
    void ResetPaintCounts() { FPaintCounts.clear(); }

    // -- modal work
    void AnswerModal(TModalAnswer Answer) { FModalAnswers.push_back(std::move(Answer)); }
    int PendingModalAnswers() const { return static_cast<int>(FModalAnswers.size()); }

    // -- input, at coordinates of Form's client area. Each call runs the
    // message loop afterwards, as a real event would be followed by one.
    void MouseDown(TCustomForm* Form, int X, int Y, TMouseButton Button = mbLeft,
                   TShiftState Shift = {});
    void MouseMove(TCustomForm* Form, int X, int Y, TShiftState Shift = {});
    void MouseUp(TCustomForm* Form, int X, int Y, TMouseButton Button = mbLeft,
                 TShiftState Shift = {});
    // Down and up at one place.
    void Click(TCustomForm* Form, int X, int Y, TMouseButton Button = mbLeft,
               TShiftState Shift = {});
    // Down, up, the second down (a double click) and up.
    void DblClick(TCustomForm* Form, int X, int Y);
    // WheelDelta > 0 turns the wheel away from the user (up).
    void MouseWheel(TCustomForm* Form, int X, int Y, int WheelDelta, TShiftState Shift = {});
    // Keys go to the focused control of the active form.
    // Returns true when the key was used for focus navigation.
    bool KeyDown(uint16_t Key, TShiftState Shift = {});
    void KeyUp(uint16_t Key, TShiftState Shift = {});
    void KeyPress(char32_t Ch);
    // KeyDown, the character it types (unless the key moved the focus),
    // KeyUp.
    void PressKey(uint16_t Key, TShiftState Shift = {});
    // Each code point of Utf8 as a KeyPress.
    void TypeText(const std::string& Utf8);

    // -- pictures
    std::unique_ptr<TBitmap> Screenshot(TCustomForm* Form);
    void SaveScreenshot(TCustomForm* Form, const std::string& FileName);

private:
    void SetModifiers(TShiftState Shift);
    TCustomForm* KeyForm() const;
    void Turn();

    uint64_t FNow = 0;
    bool FRefuseTimers = false;
    std::vector<uint32_t> FBeeps;
    std::vector<std::string> FExceptions;
    bool FHasClipboardText = false;
    std::string FClipboard;
    std::deque<TModalAnswer> FModalAnswers;
    std::map<const TControl*, int> FPaintCounts;
    int FCursor = 0;
    int FPresentCount = 0;
};

// The active host as a headless host; makes a fresh one active when the
// active host is another kind.
THeadlessHost& Headless();

}  // namespace vcl
