#include "vcl/hosts/Headless.h"

#include "vcl/Forms.h"
#include "vcl/SysUtils.h"

namespace vcl {

namespace {

// The character a key types without modifiers other than Shift, or 0.
char32_t KeyChar(uint16_t Key, bool Shift) {
    if (Key >= 'A' && Key <= 'Z') return Shift ? Key : Key - 'A' + 'a';
    if (Key >= '0' && Key <= '9' && !Shift) return Key;
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return '0' + (Key - VK_NUMPAD0);
    switch (Key) {
        case VK_SPACE:
            return ' ';
        case VK_RETURN:
            return '\r';
        case VK_BACK:
            return '\b';
        case VK_ESCAPE:
            return 27;
        case VK_TAB:
            return '\t';
        case VK_ADD:
            return '+';
        case VK_SUBTRACT:
            return '-';
        case VK_MULTIPLY:
            return '*';
        case VK_DIVIDE:
            return '/';
        case VK_DECIMAL:
            return '.';
        case VK_OEM_PLUS:
            return Shift ? '+' : '=';
        case VK_OEM_MINUS:
            return Shift ? '_' : '-';
        case VK_OEM_COMMA:
            return Shift ? '<' : ',';
        case VK_OEM_PERIOD:
            return Shift ? '>' : '.';
        default:
            return 0;
    }
}

}  // namespace

void THeadlessHost::PumpEvents(bool Wait, uint64_t) {
    if (Wait)
        throw EHostError(
            "The headless host has nothing to wait for: advance its clock or inject input");
}

void THeadlessHost::RunModal(TObject* Modal, const std::function<bool()>& Finished) {
    Application->ProcessMessages();
    if (Finished()) return;
    std::string What = Modal ? Modal->ClassName() : std::string("window");
    if (auto* C = dynamic_cast<TComponent*>(Modal); C && !C->Name().empty())
        What += " '" + C->Name() + "'";
    if (FModalAnswers.empty())
        throw EHostError("Nothing answers the modal " + What + " in the headless host");
    TModalAnswer Answer = std::move(FModalAnswers.front());
    FModalAnswers.pop_front();
    Answer(Modal);
    Application->ProcessMessages();
    if (!Finished())
        throw EHostError("The modal " + What + " is still open after its scripted answer");
}

void THeadlessHost::SetClipboardText(const std::string& Text) {
    FClipboard = Text;
    FHasClipboardText = true;
}

void THeadlessHost::ClearClipboard() {
    FClipboard.clear();
    FHasClipboardText = false;
}

void THeadlessHost::Turn() { Application->ProcessMessages(); }

void THeadlessHost::AdvanceTime(uint64_t Ms) {
    uint64_t Target = FNow + Ms;
    Turn();
    for (;;) {
        std::optional<uint64_t> Due = NextTimerDue();
        if (!Due || *Due > Target) break;
        FNow = std::max(FNow, *Due);
        DispatchDueTimers(FNow);
        Turn();
    }
    FNow = Target;
    Turn();
}

int THeadlessHost::PaintCount(const TControl* Control) const {
    auto It = FPaintCounts.find(Control);
    return It == FPaintCounts.end() ? 0 : It->second;
}

void THeadlessHost::SetModifiers(TShiftState Shift) {
    SetKeyDown(VK_SHIFT, Shift.Contains(ssShift));
    SetKeyDown(VK_CONTROL, Shift.Contains(ssCtrl));
    SetKeyDown(VK_MENU, Shift.Contains(ssAlt));
}

void THeadlessHost::MouseDown(TCustomForm* Form, int X, int Y, TMouseButton Button,
                              TShiftState Shift) {
    SetModifiers(Shift);
    GuardedDispatch([&] { Form->HostMouseButton(Button, true, false, X, Y); });
    Turn();
}

void THeadlessHost::MouseMove(TCustomForm* Form, int X, int Y, TShiftState Shift) {
    SetModifiers(Shift);
    GuardedDispatch([&] { Form->HostMouseMove(X, Y); });
    Turn();
}

void THeadlessHost::MouseUp(TCustomForm* Form, int X, int Y, TMouseButton Button,
                            TShiftState Shift) {
    SetModifiers(Shift);
    GuardedDispatch([&] { Form->HostMouseButton(Button, false, false, X, Y); });
    Turn();
}

void THeadlessHost::Click(TCustomForm* Form, int X, int Y, TMouseButton Button, TShiftState Shift) {
    MouseDown(Form, X, Y, Button, Shift);
    MouseUp(Form, X, Y, Button, Shift);
}

void THeadlessHost::DblClick(TCustomForm* Form, int X, int Y) {
    Click(Form, X, Y);
    SetModifiers({});
    GuardedDispatch([&] { Form->HostMouseButton(mbLeft, true, true, X, Y); });
    Turn();
    MouseUp(Form, X, Y);
}

void THeadlessHost::MouseWheel(TCustomForm* Form, int X, int Y, int WheelDelta, TShiftState Shift) {
    SetModifiers(Shift);
    GuardedDispatch([&] { Form->HostMouseWheel(WheelDelta, X, Y); });
    Turn();
}

TCustomForm* THeadlessHost::KeyForm() const {
    if (TCustomForm* F = Screen->ActiveForm()) return F;
    throw EHostError("A key was typed but no form is active");
}

bool THeadlessHost::KeyDown(uint16_t Key, TShiftState Shift) {
    SetModifiers(Shift);
    SetKeyDown(Key, true);
    TCustomForm* Form = KeyForm();
    bool Navigated = false;
    GuardedDispatch([&] { Navigated = Form->HostKeyDown(Key); });
    Turn();
    return Navigated;
}

void THeadlessHost::KeyUp(uint16_t Key, TShiftState Shift) {
    SetModifiers(Shift);
    SetKeyDown(Key, false);
    TCustomForm* Form = KeyForm();
    GuardedDispatch([&] { Form->HostKeyUp(Key); });
    Turn();
}

void THeadlessHost::KeyPress(char32_t Ch) {
    TCustomForm* Form = KeyForm();
    GuardedDispatch([&] { Form->HostChar(Ch); });
    Turn();
}

void THeadlessHost::PressKey(uint16_t Key, TShiftState Shift) {
    bool Navigated = KeyDown(Key, Shift);
    if (!Navigated && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt))
        if (char32_t Ch = KeyChar(Key, Shift.Contains(ssShift))) KeyPress(Ch);
    KeyUp(Key, Shift);
    SetModifiers({});
}

void THeadlessHost::TypeText(const std::string& Utf8) {
    for (char32_t C : DecodeUtf8(Utf8)) KeyPress(C);
}

std::unique_ptr<TBitmap> THeadlessHost::Screenshot(TCustomForm* Form) {
    Form->PaintAll();
    auto Shot = std::make_unique<TBitmap>();
    Shot->Assign(Form->Surface());
    return Shot;
}

void THeadlessHost::SaveScreenshot(TCustomForm* Form, const std::string& FileName) {
    Screenshot(Form)->SaveToFile(FileName);
}

THeadlessHost& Headless() {
    if (auto* H = dynamic_cast<THeadlessHost*>(&Host())) return *H;
    SetHost(std::make_unique<THeadlessHost>());
    return static_cast<THeadlessHost&>(Host());
}

}  // namespace vcl
