// Forms, the application and the screen.
//
// A form is a top-level windowed control that owns the surface its controls
// paint on. The application runs the message loop: ProcessMessages delivers
// pending input, due timers and posted messages, then paints every area
// invalidated since the last turn, once. Modal forms run a nested loop through
// the host (a script answers them in the headless host).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Controls.h"

namespace vcl {

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TPosition : uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrHelp = 9;
inline constexpr TModalResult mrTryAgain = 10;
inline constexpr TModalResult mrContinue = 11;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// ---------------------------------------------------------------- TCustomForm

// The whole form is its client area: the window system draws the frame and
// title around it, so Width and Height equal ClientWidth and ClientHeight.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    std::string ClassName() const override { return "TCustomForm"; }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    // The form sees every key before its focused control.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }

    // The control that has (or gets, once the form is active) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    bool Active() const;

    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free
    // later, or stay. A modal form gets mrCancel and ends its loop.
    void Close();
    // Shows the form, runs a nested loop until ModalResult is set, hides the
    // form and returns ModalResult. Raises EInvalidOperation "Cannot make a
    // visible window modal" for a form already shown.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool Modal() const { return FModal; }

    // -- painting
    TCanvas* Canvas();
    TCanvas* ControlCanvas() override { return Canvas(); }
    // The pixels of the form; controls draw here.
    TBitmap* Surface() const { return FSurface.get(); }
    // Adds Area (surface coordinates) to what the next turn of the loop paints.
    void InvalidateSurface(const TRect& Area);
    bool PaintPending() const { return !FDirty.IsEmpty(); }
    // Paints what is pending now and presents it.
    void PaintPendingArea();
    // Paints the whole form now, shown or not.
    void PaintAll();

    // -- input from the host, in form coordinates
    void HostMouseButton(TMouseButton Button, bool Down, bool Double, int X, int Y);
    void HostMouseMove(int X, int Y);
    void HostMouseWheel(int WheelDelta, int X, int Y);
    // True when the key was used for focus navigation: no character follows.
    bool HostKeyDown(uint16_t Key);
    void HostKeyUp(uint16_t Key);
    void HostChar(char32_t Ch);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool Showing() const override { return Visible(); }
    bool CanFocus() const override { return Visible() && Enabled(); }
    void SetFocus() override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    // Fires OnPaint; the form's own drawing on its canvas.
    virtual void Paint();
    void PaintWindow() override;
    virtual bool CloseQuery();
    virtual void DoClose(TCloseAction& Action);
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    void Loaded() override;
    void VisibleChanged() override;
    void TextChanged() override;

private:
    friend class TControl;
    friend class TWinControl;
    friend class TGraphicControl;
    friend class TCustomControl;
    friend class TControlCanvas;
    friend class TScreen;
    friend class TApplication;
    // The focus moves to Control (or to the form itself).
    void SetFocusedControl(TWinControl* Control);
    // Control or a control inside it leaves this form.
    void ControlRemoved(TControl* Control);
    void ApplyFocus();
    void NoteDirectDraw();
    void ResizeSurface();
    void RouteMouse(UINT Msg, TMouseButton Button, int X, int Y, WPARAM Keys);
    void UpdateHover(TControl* Target);
    WPARAM MouseKeys() const;

    std::unique_ptr<TBitmap> FSurface;
    std::unique_ptr<TControlCanvas> FCanvas;
    TRect FDirty;
    TFormBorderStyle FBorderStyle = bsSizeable;
    bool FKeyPreview = false;
    TPosition FPosition = poDesigned;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FFreePending = false;
    // Drawing on the surface outside a framework paint counts as one paint
    // of the control that took its canvas last, once per turn of the loop.
    TControl* FDirectDrawer = nullptr;
    bool FDirectCounted = false;
    bool FFrameworkPainting = false;
    TControl* FHover = nullptr;
    uint32_t FButtonsDown = 0;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    std::string ClassName() const override { return "TForm"; }
};

// ---------------------------------------------------------------- TApplication

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    std::string ClassName() const override { return "TApplication"; }

    // The first form created through CreateForm; closing it ends Run.
    TCustomForm* MainForm() const { return FMainForm; }
    template <class T>
    void CreateForm(T*& Reference) {
        Reference = new T(this);
        FormCreated(Reference);
    }
    void FormCreated(TCustomForm* Form);

    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }

    // Shows the main form and runs the message loop until Terminate or the
    // main form closes.
    void Run();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // One turn of the loop without waiting: input, due timers, posted
    // messages, then the pending paints.
    void ProcessMessages();
    // One turn of the loop; waits for input or the next timer when nothing
    // is pending.
    void HandleMessage();

    // Reports the exception being handled (call it from a catch block):
    // OnException when set, otherwise ShowException. Host errors (a modal
    // window nobody answers) are not swallowed: they propagate.
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);
    TExceptionEvent OnException;
    TNotifyEvent OnIdle;

    int ModalLevel() const { return FModalLevel; }

private:
    friend class TCustomForm;
    bool DoOneTurn();
    void PaintPendingForms();
    void FreePendingForms();

    TCustomForm* FMainForm = nullptr;
    std::string FTitle;
    bool FTerminated = false;
    int FModalLevel = 0;
};

// ---------------------------------------------------------------- TScreen

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TScreen"; }

    // A cursor other than crDefault overrides every control's cursor.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }

    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return GetFocusedControl(); }
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const { return FForms.at(Index); }

private:
    friend class TCustomForm;
    friend class TApplication;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void SetActiveForm(TCustomForm* Form);

    TCursor FCursor = crDefault;
    TCustomForm* FActiveForm = nullptr;
    std::vector<TCustomForm*> FForms;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace vcl
