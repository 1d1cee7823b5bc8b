#include "vcl/Forms.h"

#include <algorithm>
#include <limits>

#include "vcl/Host.h"
#include "vcl/TypInfo.h"

namespace vcl {

// Heap objects that live as long as the process: forms and controls may be
// destroyed late, and they still reach the application and the screen then.
TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace {

// Clears a flag when a paint ends, also when the paint raises.
struct TPaintingScope {
    bool& Flag;
    explicit TPaintingScope(bool& F) : Flag(F) { Flag = true; }
    ~TPaintingScope() { Flag = false; }
};

UINT ButtonMessage(TMouseButton Button, bool Down, bool Double) {
    static constexpr UINT Table[3][3] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK},
    };
    return Table[Button][Down ? (Double ? 2 : 0) : 1];
}

}  // namespace

// ---------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner),
      FSurface(std::make_unique<TBitmap>()),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
    FControlStyle += TControlStyle{csAcceptsControls, csSetCaption};
    FVisible = false;
    FParentFont = false;
    FColor = clBtnFace;
    FSurface->OnChange = [this](TObject*) { NoteDirectDraw(); };
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (OnDestroy) OnDestroy(this);
    if (FVisible) Host().FormHidden(this);
    Host().FormDestroyed(this);
    Screen->RemoveForm(this);
    if (Application->FMainForm == this) Application->FMainForm = nullptr;
    FSurface->OnChange = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Host().FormChanged(this);
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    ResizeSurface();
}

void TCustomForm::ResizeSurface() {
    if (FSurface->Width() == Width() && FSurface->Height() == Height()) {
        Host().FormChanged(this);
        return;
    }
    FSurface->SetSize(Width(), Height());
    FDirty = Rect(0, 0, Width(), Height());
    Host().FormChanged(this);
}

void TCustomForm::TextChanged() {
    TWinControl::TextChanged();
    Host().FormChanged(this);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (OnCreate) OnCreate(this);
    if (Visible()) VisibleChanged();
}

bool TCustomForm::Active() const { return Screen->ActiveForm() == this; }

void TCustomForm::Show() {
    SetVisible(true);
    Screen->SetActiveForm(this);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::VisibleChanged() {
    // A form file may say Visible = True: the form shows once it is loaded.
    if (ComponentState().Contains(csLoading)) return;
    if (Visible()) {
        HandleNeeded();
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        DoShow();
        FDirty = Rect(0, 0, Width(), Height());
        Host().FormShown(this);
        GuardedDispatch([this] { PaintPendingArea(); });
    } else {
        ControlRemoved(nullptr);
        DoHide();
        Host().FormHidden(this);
        if (Active()) {
            TCustomForm* Next = nullptr;
            for (TCustomForm* F : Screen->FForms)
                if (F != this && F->Visible()) Next = F;
            Screen->SetActiveForm(Next);
        }
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::CloseQuery() {
    bool CanClose = true;
    if (OnCloseQuery) OnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
    if (FModal) {
        if (FModalResult == mrNone) FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        Hide();
    } else if (Action == caFree) {
        Hide();
        FFreePending = true;
    } else {
        Hide();
    }
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    TCustomForm* Previous = Screen->ActiveForm();
    FModalResult = mrNone;
    FModal = true;
    ++Application->FModalLevel;
    auto Finished = [this] {
        if (FModalResult == mrNone) return Application->Terminated();
        if (!CloseQuery()) {
            FModalResult = mrNone;
            return false;
        }
        TCloseAction Action = caHide;
        DoClose(Action);
        if (Action == caNone) {
            FModalResult = mrNone;
            return false;
        }
        return true;
    };
    auto End = [&] {
        FModal = false;
        --Application->FModalLevel;
        Hide();
        if (Previous && Previous != this && Previous->Visible()) Screen->SetActiveForm(Previous);
    };
    try {
        Show();
        Host().RunModal(this, Finished);
    } catch (...) {
        End();
        throw;
    }
    End();
    return FModalResult;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control == FActiveControl) return;
    if (Control && !ContainsControl(Control))
        throw EInvalidOperation("Invalid ActiveControl value");
    FActiveControl = Control;
    if (ComponentState().Contains(csLoading)) return;
    if (Control && Active() && Control->CanFocus()) SetFocusedControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (!Control || !Control->CanFocus()) return;
    if (!Active()) {
        FFocusedControl = Control;
        if (Control != this) FActiveControl = Control;
        Screen->SetActiveForm(this);
        return;
    }
    SetFocusedControl(Control);
}

void TCustomForm::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FocusControl(this);
}

void TCustomForm::SetFocusedControl(TWinControl* Control) {
    FFocusedControl = Control;
    if (Control && Control != this) FActiveControl = Control;
    if (Active()) ApplyFocus();
}

void TCustomForm::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, false))
        Next->SetFocus();
}

void TCustomForm::WndProc(TMessage& Message) {
    if (Message.Msg == WM_CLOSE) {
        Close();
        return;
    }
    TWinControl::WndProc(Message);
}

// -- painting

TCanvas* TCustomForm::Canvas() { return FCanvas->Acquire(); }

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow() { Paint(); }

void TCustomForm::InvalidateSurface(const TRect& Area) {
    TRect R;
    if (!IntersectRect(R, Area, Rect(0, 0, Width(), Height()))) return;
    UnionRect(FDirty, FDirty, R);
}

void TCustomForm::PaintPendingArea() {
    if (FDirty.IsEmpty()) return;
    TRect R = FDirty;
    FDirty = {};
    {
        TPaintingScope Scope(FFrameworkPainting);
        PaintTo(R);
    }
    Host().Present(this);
}

void TCustomForm::PaintAll() {
    FDirty = Rect(0, 0, Width(), Height());
    TRect R = FDirty;
    FDirty = {};
    {
        TPaintingScope Scope(FFrameworkPainting);
        PaintTo(R);
    }
    if (Visible()) Host().Present(this);
}

void TCustomForm::NoteDirectDraw() {
    if (FFrameworkPainting || !FDirectDrawer || FDirectCounted) return;
    FDirectCounted = true;
    Host().ControlPainted(FDirectDrawer);
    if (Visible()) Host().Present(this);
}

// -- input

WPARAM TCustomForm::MouseKeys() const {
    WPARAM K = 0;
    if (FButtonsDown & (1u << mbLeft)) K |= MK_LBUTTON;
    if (FButtonsDown & (1u << mbRight)) K |= MK_RBUTTON;
    if (FButtonsDown & (1u << mbMiddle)) K |= MK_MBUTTON;
    if (GetKeyState(VK_SHIFT) < 0) K |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) K |= MK_CONTROL;
    return K;
}

void TCustomForm::UpdateHover(TControl* Target) {
    if (Target == FHover) return;
    TControl* Old = FHover;
    FHover = Target;
    if (Old) Old->Perform(CM_MOUSELEAVE);
    if (Target) Target->Perform(CM_MOUSEENTER);
    TCursor C =
        Screen->Cursor() != crDefault ? Screen->Cursor() : (Target ? Target->Cursor() : crDefault);
    Host().SetCursor(C);
}

void TCustomForm::RouteMouse(UINT Msg, TMouseButton, int X, int Y, WPARAM Keys) {
    TControl* Capture = GetCaptureControl();
    TControl* Target = Capture && GetParentForm(Capture) == this ? Capture : nullptr;
    if (!Target) {
        Target = ControlAtPos({X, Y});
        if (!Target) Target = this;
    }
    if (Msg == WM_MOUSEMOVE) UpdateHover(Target);
    TPoint O = Target->SurfaceOrigin();
    Target->Perform(Msg, Keys, PointToLParam(X - O.X, Y - O.Y));
}

void TCustomForm::HostMouseButton(TMouseButton Button, bool Down, bool Double, int X, int Y) {
    if (Down) {
        FButtonsDown |= 1u << Button;
        if (!Active() && Visible()) Screen->SetActiveForm(this);
    } else {
        FButtonsDown &= ~(1u << Button);
    }
    TControl* Target = GetCaptureControl();
    if (!Target || GetParentForm(Target) != this) Target = ControlAtPos({X, Y});
    if (!Target) Target = this;
    bool AsDouble = Double && Target->ControlStyle().Contains(csDoubleClicks);
    RouteMouse(ButtonMessage(Button, Down, AsDouble), Button, X, Y, MouseKeys());
}

void TCustomForm::HostMouseMove(int X, int Y) {
    RouteMouse(WM_MOUSEMOVE, mbLeft, X, Y, MouseKeys());
}

void TCustomForm::HostMouseWheel(int WheelDelta, int X, int Y) {
    TControl* Target = ControlAtPos({X, Y});
    if (!Target) Target = this;
    WPARAM WParam = (static_cast<WPARAM>(static_cast<uint16_t>(WheelDelta)) << 16) | MouseKeys();
    LPARAM Screen = PointToLParam(X + Left(), Y + Top());
    // Unhandled wheel turns go up to the parents.
    for (TControl* C = Target; C; C = C->Parent())
        if (C->Perform(WM_MOUSEWHEEL, WParam, Screen) != 0) break;
}

namespace {

TWinControl* KeyTarget(TCustomForm* Form) {
    TWinControl* F = GetFocusedControl();
    return F && GetParentForm(F) == Form ? F : Form;
}

uint32_t CurrentKeyData() { return GetKeyState(VK_MENU) < 0 ? KF_ALTDOWN_BIT : 0; }

}  // namespace

bool TCustomForm::HostKeyDown(uint16_t Key) {
    TWinControl* Target = KeyTarget(this);
    uint32_t Data = CurrentKeyData();
    if (Target->Perform(CN_KEYDOWN, Key, Data) != 0) return true;
    Target->Perform(WM_KEYDOWN, Key, Data);
    return false;
}

void TCustomForm::HostKeyUp(uint16_t Key) {
    TWinControl* Target = KeyTarget(this);
    uint32_t Data = CurrentKeyData();
    if (Target->Perform(CN_KEYUP, Key, Data) == 0) Target->Perform(WM_KEYUP, Key, Data);
}

void TCustomForm::HostChar(char32_t Ch) {
    TWinControl* Target = KeyTarget(this);
    WPARAM Code = static_cast<uint16_t>(Ch);
    LPARAM Data = static_cast<LPARAM>(Ch);
    if (Target->Perform(CN_CHAR, Code, Data) == 0) Target->Perform(WM_CHAR, Code, Data);
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    SetDispatchExceptionHandler([this](std::exception_ptr E) {
        try {
            std::rethrow_exception(E);
        } catch (...) {
            HandleException(this);
        }
    });
}

void TApplication::FormCreated(TCustomForm* Form) {
    if (!FMainForm) FMainForm = Form;
}

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr Current = std::current_exception();
    if (!Current) return;
    auto Report = [&](Exception& E) {
        if (OnException)
            OnException(Sender, &E);
        else
            ShowException(E);
    };
    try {
        std::rethrow_exception(Current);
    } catch (const EHostError&) {
        throw;
    } catch (const EAbort&) {
    } catch (Exception& E) {
        Report(E);
    } catch (const std::exception& E) {
        Exception Wrapped(E.what());
        Report(Wrapped);
    } catch (...) {
        Exception Wrapped("Unknown exception");
        Report(Wrapped);
    }
}

void TApplication::ShowException(const Exception& E) { Host().ShowException(E.Message()); }

void TApplication::FreePendingForms() {
    std::vector<TCustomForm*> Doomed;
    for (TCustomForm* F : Screen->FForms)
        if (F->FFreePending) Doomed.push_back(F);
    for (TCustomForm* F : Doomed) delete F;
}

void TApplication::PaintPendingForms() {
    for (TCustomForm* F : Screen->FForms) {
        // A paint that raises is reported like any handler; the next
        // invalidation paints again.
        if (F->Visible()) GuardedDispatch([F] { F->PaintPendingArea(); });
        F->FDirectDrawer = nullptr;
        F->FDirectCounted = false;
    }
}

bool TApplication::DoOneTurn() {
    Host().PumpEvents(false, 0);
    bool Any = DispatchDueTimers(Host().Now());
    Any = DispatchPostedMessages() || Any;
    FreePendingForms();
    PaintPendingForms();
    return Any;
}

void TApplication::ProcessMessages() { DoOneTurn(); }

void TApplication::HandleMessage() {
    if (DoOneTurn()) return;
    if (OnIdle) OnIdle(this);
    std::optional<uint64_t> Due = NextTimerDue();
    Host().PumpEvents(true, Due ? *Due : std::numeric_limits<uint64_t>::max());
    DoOneTurn();
}

void TApplication::Run() {
    if (FMainForm && !FMainForm->Visible()) FMainForm->Show();
    while (!FTerminated) {
        HandleMessage();
        if (!FMainForm || !FMainForm->Visible()) break;
    }
}

// ---------------------------------------------------------------- TScreen

void TScreen::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
    Host().SetCursor(Value);
}

int TScreen::Width() const { return Host().ScreenWidth(); }
int TScreen::Height() const { return Host().ScreenHeight(); }

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
    std::erase(FForms, Form);
    if (FActiveForm == Form) {
        FActiveForm = nullptr;
        for (TCustomForm* F : FForms)
            if (F->Visible()) FActiveForm = F;
        if (FActiveForm) FActiveForm->ApplyFocus();
    }
}

void TScreen::SetActiveForm(TCustomForm* Form) {
    if (Form == FActiveForm) {
        if (Form) Form->ApplyFocus();
        return;
    }
    TCustomForm* Old = FActiveForm;
    FActiveForm = Form;
    if (Old) Old->Deactivate();
    if (Form) {
        Form->Activate();
        Form->ApplyFocus();
    }
}

// ---------------------------------------------------------------- published properties

namespace {

const TEnumType TPositionTypeInfo{
    "TPosition",
    {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
     "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};

const bool FormClassesRegistered = [] {
    // A form stores its client size; Width and Height follow from it.
    RegisterClass<TCustomForm, TWinControl>("TCustomForm")
        .Int("Width", &TCustomForm::Width, &TCustomForm::SetWidth)
        .NoStore()
        .Int("Height", &TCustomForm::Height, &TCustomForm::SetHeight)
        .NoStore()
        .Color("Color", &TCustomForm::Color, &TCustomForm::SetColor)
        .Default(clBtnFace)
        .Bool("ParentFont", &TCustomForm::ParentFont, &TCustomForm::SetParentFont)
        .Default(false)
        .Bool("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible)
        .Default(false)
        .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
              TFormBorderStyleTypeInfo)
        .Default(bsSizeable)
        .Str("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
        .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
        .Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
        .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
        .Default(false)
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, TPositionTypeInfo)
        .Default(poDesigned)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnShow", &TCustomForm::OnShow);
    RegisterClass<TForm, TCustomForm>("TForm");
    return true;
}();

}  // namespace

}  // namespace vcl
