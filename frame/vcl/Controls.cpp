#include "vcl/Controls.h"

#include <algorithm>

#include "vcl/Forms.h"
#include "vcl/Host.h"
#include "vcl/TypInfo.h"

namespace vcl {

namespace {

// Input state shared by all forms: one pointer holds the mouse, one window
// has the keyboard.
TControl* GCapture = nullptr;
TWinControl* GFocused = nullptr;

TPopupMenuHandler& PopupHandler() {
    static auto* Handler = new TPopupMenuHandler();
    return *Handler;
}

bool Contains(const TControl* Outer, const TControl* Inner) {
    for (const TControl* C = Inner; C; C = C->Parent())
        if (C == Outer) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------- helpers

LPARAM PointToLParam(int X, int Y) {
    return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(Y)) << 16) |
                               static_cast<uint16_t>(X));
}

TPoint LParamToPoint(LPARAM LParam) {
    return {static_cast<int16_t>(LParam & 0xFFFF), static_cast<int16_t>((LParam >> 16) & 0xFFFF)};
}

TShiftState KeysToShiftState(WPARAM Keys) {
    TShiftState S;
    if (Keys & MK_SHIFT) S.Include(ssShift);
    if (Keys & MK_CONTROL) S.Include(ssCtrl);
    if (Keys & MK_LBUTTON) S.Include(ssLeft);
    if (Keys & MK_RBUTTON) S.Include(ssRight);
    if (Keys & MK_MBUTTON) S.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
    return S;
}

TShiftState KeyDataToShiftState(uint32_t KeyData) {
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
    if (KeyData & KF_ALTDOWN_BIT) S.Include(ssAlt);
    return S;
}

TShiftState CurrentShiftState() {
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
    return S;
}

TCustomForm* GetParentForm(const TControl* Control) {
    if (!Control) return nullptr;
    const TControl* Top = Control;
    while (Top->Parent()) Top = Top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Top));
}

void SetPopupMenuHandler(TPopupMenuHandler Handler) { PopupHandler() = std::move(Handler); }

TControl* GetCaptureControl() { return GCapture; }
void SetCaptureControl(TControl* Control) { GCapture = Control; }
TWinControl* GetFocusedControl() { return GFocused; }

// ---------------------------------------------------------------- TControlCanvas

TControlCanvas* TControlCanvas::Acquire() {
    TCustomForm* Form = GetParentForm(FControl);
    // Inside a framework paint the target is already set, clipped to the
    // area being painted; outside one, drawing is a direct paint that the
    // paint spy counts.
    if (Form && Form->FFrameworkPainting) return this;
    if (Form) {
        if (Form->FDirectDrawer != FControl) Form->FDirectCounted = false;
        Form->FDirectDrawer = FControl;
    }
    UpdateTarget();
    return this;
}

void TControlCanvas::UpdateTarget() {
    TCustomForm* Form = GetParentForm(FControl);
    if (!Form) {
        SetTarget(nullptr);
        return;
    }
    TPoint Origin = FControl->SurfaceOrigin();
    SetTarget(Form->Surface(), Origin, FControl->VisibleSurfaceRect());
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FFont(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& M) { WndProc(M); };
    FFont->OnChange = [this](TObject*) { FontChangedByUser(); };
}

TControl::~TControl() {
    if (FParent) FParent->RemoveControl(this);
    if (GCapture == this) GCapture = nullptr;
    Host().ControlDestroyed(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    bool Resized = AWidth != FWidth || AHeight != FHeight;
    Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FParent) FParent->UpdateAnchorDistances(this);
    Invalidate();
    if (FParent && FAlign != alNone) FParent->Realign();
    if (Resized) Resize();
}

void TControl::SetClientWidth(int Value) { SetWidth(Value + FWidth - ClientWidth()); }
void TControl::SetClientHeight(int Value) { SetHeight(Value + FHeight - ClientHeight()); }

TPoint TControl::SurfaceOrigin() const {
    TPoint P{0, 0};
    for (const TControl* C = this; C && C->FParent; C = C->FParent) {
        P.X += C->FLeft;
        P.Y += C->FTop;
    }
    return P;
}

TPoint TControl::ClientToScreen(TPoint P) const {
    TPoint O = SurfaceOrigin();
    TCustomForm* Form = GetParentForm(this);
    int FX = Form ? Form->Left() : 0;
    int FY = Form ? Form->Top() : 0;
    return {P.X + O.X + FX, P.Y + O.Y + FY};
}

TPoint TControl::ScreenToClient(TPoint P) const {
    TPoint Zero = ClientToScreen({0, 0});
    return {P.X - Zero.X, P.Y - Zero.Y};
}

TRect TControl::VisibleSurfaceRect() const {
    TPoint O = SurfaceOrigin();
    TRect R = Bounds(O.X, O.Y, FWidth, FHeight);
    if (!FVisible && FParent) return {};
    for (const TControl* P = FParent; P; P = P->FParent) {
        if (!P->FVisible && P->FParent) return {};
        TPoint PO = P->SurfaceOrigin();
        if (!IntersectRect(R, R, Bounds(PO.X, PO.Y, P->FWidth, P->FHeight))) return {};
    }
    return R;
}

void TControl::SetAlign(TAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    if (FParent) FParent->Realign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (Value == FAnchors) return;
    FAnchors = Value;
    if (FParent) FParent->UpdateAnchorDistances(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    if (AParent == this || (AParent && Contains(this, AParent)))
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* W = dynamic_cast<TWinControl*>(Value)) SetParent(W);
}

void TControl::BringToFront() {
    if (!FParent) return;
    auto& L = FParent->FControls;
    std::erase(L, this);
    L.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (!FParent) return;
    auto& L = FParent->FControls;
    std::erase(L, this);
    L.insert(L.begin(), this);
    Invalidate();
}

void TControl::SetVisible(bool Value) {
    if (Value == FVisible) return;
    if (!Value) Invalidate();
    FVisible = Value;
    if (Value) Invalidate();
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (FParent && FAlign != alNone) FParent->Realign();
    if (!FVisible) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && Form != this) Form->ControlRemoved(this);
        if (GCapture && Contains(this, GCapture)) GCapture = nullptr;
    }
    Perform(CM_VISIBLECHANGED, FVisible ? 1 : 0);
}

bool TControl::Showing() const {
    for (const TControl* C = this; C; C = C->FParent)
        if (!C->FVisible) return false;
    TCustomForm* Form = GetParentForm(this);
    return Form && Form->Visible();
}

void TControl::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (!Value) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && Form != this) Form->ControlRemoved(this);
    }
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::FontChangedByUser() {
    if (!FSettingParentFont) FParentFont = false;
    FontChanged();
}

void TControl::FontChanged() {
    Perform(CM_FONTCHANGED);
    if (auto* W = dynamic_cast<TWinControl*>(this))
        for (TControl* C : W->FControls) C->ParentFontChanged();
    Invalidate();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FSettingParentFont = true;
    FFont->Assign(FParent->Font());
    FSettingParentFont = false;
}

void TControl::SetParentFont(bool Value) {
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (Value) ParentFontChanged();
}

void TControl::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
    if (auto* W = dynamic_cast<TWinControl*>(this))
        for (TControl* C : W->FControls) C->ParentColorChanged();
    Invalidate();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    FParentColor = Value;
    if (Value) ParentColorChanged();
}

void TControl::SetStyleElements(TStyleElements Value) {
    if (Value == FStyleElements) return;
    FStyleElements = Value;
    Invalidate();
}

void TControl::SetCursor(TCursor Value) {
    if (Value == FCursor) return;
    FCursor = Value;
}

void TControl::SetText(const std::string& Value) {
    if (Value == FText) return;
    FText = Value;
    TextChanged();
}

void TControl::TextChanged() {
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::SetShowHint(bool Value) {
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value) {
    FParentShowHint = Value;
    if (Value && FParent) FShowHint = FParent->ShowHint();
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (Value == FPopupMenu) return;
    FPopupMenu = Value;
    if (auto* C = reinterpret_cast<TComponent*>(Value)) C->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && reinterpret_cast<TComponent*>(FPopupMenu) == AComponent)
        FPopupMenu = nullptr;
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParentFont) ParentFontChanged();
    if (FParentColor) ParentColorChanged();
}

// -- painting

void TControl::Invalidate() { InvalidateArea(ClientRect()); }

void TControl::InvalidateArea(const TRect& Area) {
    if (!Showing()) return;
    TCustomForm* Form = GetParentForm(this);
    TRect R = Area;
    TPoint O = SurfaceOrigin();
    OffsetRect(R, O.X, O.Y);
    if (IntersectRect(R, R, VisibleSurfaceRect())) Form->InvalidateSurface(R);
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (TCustomForm* Form = GetParentForm(this); Form && Form->Visible()) Form->PaintPendingArea();
}

void TControl::PaintTo(const TRect&) {}

// -- messages

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage M{Msg, WParam, LParam, 0};
    if (WindowProc)
        WindowProc(M);
    else
        WndProc(M);
    return M.Result;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
            HandleMouseMessage(Message);
            return;
        case CM_MOUSEENTER:
            if (OnMouseEnter) OnMouseEnter(this);
            return;
        case CM_MOUSELEAVE:
            if (OnMouseLeave) OnMouseLeave(this);
            return;
        case WM_CANCELMODE:
            if (GCapture == this) GCapture = nullptr;
            FClicked = false;
            return;
        default:
            Message.Result = 0;
    }
}

void TControl::HandleMouseMessage(TMessage& M) {
    TPoint P = LParamToPoint(M.LParam);
    bool StdEvents = !FControlStyle.Contains(csNoStdEvents);
    auto Down = [&](TMouseButton Button, TShiftState Extra) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (StdEvents) MouseDown(Button, KeysToShiftState(M.WParam) + Extra, P.X, P.Y);
    };
    auto Up = [&](TMouseButton Button) {
        if (FControlStyle.Contains(csCaptureMouse) && GCapture == this) GCapture = nullptr;
        if (StdEvents) MouseUp(Button, KeysToShiftState(M.WParam), P.X, P.Y);
    };
    switch (M.Msg) {
        case WM_MOUSEMOVE:
            if (StdEvents) MouseMove(KeysToShiftState(M.WParam), P.X, P.Y);
            break;
        case WM_LBUTTONDOWN:
            if (FControlStyle.Contains(csClickEvents)) FClicked = true;
            Down(mbLeft, {});
            break;
        case WM_LBUTTONDBLCLK:
            if (FControlStyle.Contains(csClickEvents)) DblClick();
            Down(mbLeft, {ssDouble});
            break;
        case WM_LBUTTONUP: {
            if (FControlStyle.Contains(csCaptureMouse) && GCapture == this) GCapture = nullptr;
            // The click comes before OnMouseUp, and only when the button goes
            // up over the control it went down on.
            bool Clicked = FClicked;
            FClicked = false;
            if (Clicked && PtInRect(ClientRect(), P)) Click();
            if (StdEvents) MouseUp(mbLeft, KeysToShiftState(M.WParam), P.X, P.Y);
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            Down(mbRight, M.Msg == WM_RBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{});
            break;
        case WM_RBUTTONUP:
            Up(mbRight);
            if (FPopupMenu && PopupHandler()) PopupHandler()(FPopupMenu, this, ClientToScreen(P));
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            Down(mbMiddle, M.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{});
            break;
        case WM_MBUTTONUP:
            Up(mbMiddle);
            break;
        case WM_MOUSEWHEEL: {
            int Delta = static_cast<int16_t>((M.WParam >> 16) & 0xFFFF);
            M.Result = DoMouseWheel(KeysToShiftState(M.WParam & 0xFFFF), Delta, P) ? 1 : 0;
            break;
        }
    }
}

bool TControl::MouseCapture() const { return GCapture == this; }

void TControl::SetMouseCapture(bool Value) {
    if (Value)
        GCapture = this;
    else if (GCapture == this)
        GCapture = nullptr;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
    if (Handled || WheelDelta == 0) return Handled;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
    return Handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool Handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
    return Handled;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCanvas* TGraphicControl::ControlCanvas() { return FCanvas->Acquire(); }

void TGraphicControl::PaintTo(const TRect& Clip) {
    TCustomForm* Form = GetParentForm(this);
    if (!Form || !Visible()) return;
    TRect R;
    if (!IntersectRect(R, VisibleSurfaceRect(), Clip)) return;
    FCanvas->SetTarget(Form->Surface(), SurfaceOrigin(), R);
    Host().ControlPainted(this);
    Paint();
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    Destroying();
    // Leaving the parent first lets the form move the focus away while this
    // is still a whole windowed control.
    if (Parent()) Parent()->RemoveControl(this);
    // Children die with their parent, as windows do; each one leaves its
    // owner's list on the way.
    while (!FControls.empty()) {
        TControl* C = FControls.back();
        RemoveControl(C);
        delete C;
    }
    DestroyHandle();
    if (GFocused == this) GFocused = nullptr;
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FControls[Index];
}

void TWinControl::InsertControl(TControl* AControl) {
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(W);
    UpdateAnchorDistances(AControl);
    AControl->ParentFontChanged();
    AControl->ParentColorChanged();
    if (AControl->FParentShowHint) AControl->FShowHint = FShowHint;
    if (auto* W = dynamic_cast<TWinControl*>(AControl); W && HandleAllocated()) W->CreateHandle();
    if (AControl->FAlign != alNone) Realign();
    AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (AControl->FParent != this) return;
    AControl->Invalidate();
    if (TCustomForm* Form = GetParentForm(this)) Form->ControlRemoved(AControl);
    if (GCapture && Contains(AControl, GCapture)) GCapture = nullptr;
    if (GFocused && Contains(AControl, GFocused)) GFocused = nullptr;
    // Found by address: a control that is being destroyed is no longer a
    // TWinControl to dynamic_cast.
    auto It = std::find_if(FTabList.begin(), FTabList.end(),
                           [&](TWinControl* W) { return static_cast<TControl*>(W) == AControl; });
    if (It != FTabList.end()) {
        TWinControl* W = *It;
        FTabList.erase(It);
        if (!W->ComponentState().Contains(csDestroying)) W->DestroyHandle();
    }
    std::erase(FControls, AControl);
    AControl->FParent = nullptr;
    if (AControl->FAlign != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    return Control && Control != this && Contains(this, Control);
}

TControl* TWinControl::ControlAtPos(TPoint P, bool AllowDisabled) const {
    auto Hit = [&](TControl* C) {
        return C->FVisible && (AllowDisabled || C->FEnabled) && PtInRect(C->BoundsRect(), P);
    };
    // Windowed children lie above the graphic ones; later ones above earlier.
    for (int Pass = 0; Pass < 2; ++Pass) {
        for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
            TControl* C = *It;
            bool Windowed = dynamic_cast<TWinControl*>(C) != nullptr;
            if (Windowed != (Pass == 0) || !Hit(C)) continue;
            if (auto* W = dynamic_cast<TWinControl*>(C)) {
                TControl* Inner = W->ControlAtPos({P.X - C->FLeft, P.Y - C->FTop}, AllowDisabled);
                return Inner ? Inner : C;
            }
            return C;
        }
    }
    return nullptr;
}

void TWinControl::UpdateAnchorDistances(TControl* Child) {
    Child->FAnchorRight = ClientWidth() - Child->FLeft - Child->FWidth;
    Child->FAnchorBottom = ClientHeight() - Child->FTop - Child->FHeight;
}

void TWinControl::Realign() { AlignControls(); }

void TWinControl::AlignControls() {
    if (FAligning) return;
    FAligning = true;
    TRect Rest = ClientRect();
    // The platform's order: top, bottom, left, right, then the client.
    for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* C : FControls) {
            if (C->FAlign != A || !C->FVisible) continue;
            int W = C->FWidth, H = C->FHeight;
            switch (A) {
                case alTop:
                    C->SetBounds(Rest.Left, Rest.Top, Rest.Width(), H);
                    Rest.Top += H;
                    break;
                case alBottom:
                    C->SetBounds(Rest.Left, Rest.Bottom - H, Rest.Width(), H);
                    Rest.Bottom -= H;
                    break;
                case alLeft:
                    C->SetBounds(Rest.Left, Rest.Top, W, Rest.Height());
                    Rest.Left += W;
                    break;
                case alRight:
                    C->SetBounds(Rest.Right - W, Rest.Top, W, Rest.Height());
                    Rest.Right -= W;
                    break;
                default:
                    C->SetBounds(Rest.Left, Rest.Top, Rest.Width(), Rest.Height());
                    break;
            }
        }
    }
    FAligning = false;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    int OldW = ClientWidth(), OldH = ClientHeight();
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (ClientWidth() == OldW && ClientHeight() == OldH) return;
    // Anchored children keep their distance to the edges they are anchored
    // to; anchored to both, they stretch.
    for (TControl* C : FControls) {
        if (C->FAlign != alNone) continue;
        int L = C->FLeft, T = C->FTop, W = C->FWidth, H = C->FHeight;
        if (C->FAnchors.Contains(akRight)) {
            if (C->FAnchors.Contains(akLeft))
                W = ClientWidth() - C->FAnchorRight - L;
            else
                L = ClientWidth() - C->FAnchorRight - W;
        }
        if (C->FAnchors.Contains(akBottom)) {
            if (C->FAnchors.Contains(akTop))
                H = ClientHeight() - C->FAnchorBottom - T;
            else
                T = ClientHeight() - C->FAnchorBottom - H;
        }
        int KeepRight = C->FAnchorRight, KeepBottom = C->FAnchorBottom;
        C->SetBounds(L, T, W, H);
        if (C->FAnchors.Contains(akRight)) C->FAnchorRight = KeepRight;
        if (C->FAnchors.Contains(akBottom)) C->FAnchorBottom = KeepBottom;
    }
    AlignControls();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle) return;
    if (!dynamic_cast<TCustomForm*>(this) && (!FParent || !GetParentForm(this)))
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    if (FParent) FParent->HandleNeeded();
    if (!FHandle) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    FHandle = AllocateHWnd([this](TMessage& M) {
        if (WindowProc)
            WindowProc(M);
        else
            WndProc(M);
    });
    CreateWnd();
    for (TWinControl* W : FTabList) W->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TWinControl* W : FTabList) W->DestroyHandle();
    DestroyWnd();
    DeallocateHWnd(FHandle);
    FHandle = nullptr;
}

void TWinControl::CreateWnd() {}
void TWinControl::DestroyWnd() {}

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    const auto& L = FParent->FTabList;
    return static_cast<int>(std::find(L.begin(), L.end(), this) - L.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!FParent) return;
    auto& L = FParent->FTabList;
    std::erase(L, this);
    if (Value < 0 || Value >= static_cast<int>(L.size()))
        L.push_back(this);
    else
        L.insert(L.begin() + Value, this);
}

bool TWinControl::CanFocus() const {
    TCustomForm* Form = GetParentForm(this);
    if (!Form) return false;
    for (const TControl* C = this; C; C = C->Parent())
        if (!C->Visible() || !C->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* Form = GetParentForm(this);
    if (!Form || !CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    Form->FocusControl(this);
}

bool TWinControl::Focused() const { return GFocused == this && FHandle != nullptr; }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* W : FTabList) {
        List.push_back(W);
        W->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
    std::vector<TWinControl*> List;
    GetTabOrderList(List);
    if (List.empty()) return nullptr;
    int N = static_cast<int>(List.size());
    auto It = std::find(List.begin(), List.end(), CurControl);
    int Start = It == List.end() ? (GoForward ? N - 1 : 0) : static_cast<int>(It - List.begin());
    int I = Start;
    for (int Step = 0; Step < N; ++Step) {
        I = GoForward ? (I + 1) % N : (I - 1 + N) % N;
        TWinControl* W = List[I];
        if (W == CurControl) continue;
        if (CheckTabStop && !W->FTabStop) continue;
        if (CheckParent && W->FParent != this) continue;
        if (W->CanFocus()) return W;
    }
    return nullptr;
}

void TWinControl::WndProc(TMessage& Message) {
    auto AsKey = [&](auto Handler) {
        TWMKey K{Message.Msg, static_cast<uint16_t>(Message.WParam),
                 static_cast<uint32_t>(Message.LParam), 0};
        (this->*Handler)(K);
        Message.WParam = K.CharCode;
        Message.Result = K.Result;
    };
    switch (Message.Msg) {
        case CN_KEYDOWN:
            AsKey(&TWinControl::CNKeyDown);
            return;
        case CN_KEYUP:
            AsKey(&TWinControl::CNKeyUp);
            return;
        case CN_CHAR:
            AsKey(&TWinControl::CNChar);
            return;
        case WM_KEYDOWN:
            AsKey(&TWinControl::WMKeyDown);
            return;
        case WM_KEYUP:
            AsKey(&TWinControl::WMKeyUp);
            return;
        case WM_CHAR:
            AsKey(&TWinControl::WMChar);
            return;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            return;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            return;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            return;
        case CM_ENTER:
            DoEnter();
            return;
        case CM_EXIT:
            DoExit();
            return;
        default:
            TControl::WndProc(Message);
    }
}

void TWinControl::CNKeyDown(TWMKey& Message) {
    Message.Result = 1;
    uint16_t Key = Message.CharCode;
    LRESULT Want = 0;
    if (Key == VK_TAB)
        Want = DLGC_WANTTAB;
    else if (Key >= VK_LEFT && Key <= VK_DOWN)
        Want = DLGC_WANTARROWS;
    if (Want && !(Perform(WM_GETDLGCODE) & (Want | DLGC_WANTALLKEYS))) {
        if (TCustomForm* Form = GetParentForm(this);
            Form && !(ComponentState().Contains(csDesigning))) {
            bool Shift = GetKeyState(VK_SHIFT) < 0;
            if (Key == VK_TAB)
                Form->SelectNext(this, !Shift, true);
            else
                Form->SelectNext(this, Key == VK_RIGHT || Key == VK_DOWN, false);
            return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TWMKey& Message) { Message.Result = 0; }
void TWinControl::CNChar(TWMKey& Message) { Message.Result = 0; }

void TWinControl::WMKeyDown(TWMKey& Message) { DoKeyDown(Message); }
void TWinControl::WMKeyUp(TWMKey& Message) { DoKeyUp(Message); }
void TWinControl::WMChar(TWMKey& Message) { DoKeyPress(Message); }

void TWinControl::WMSetFocus(TMessage&) {}
void TWinControl::WMKillFocus(TMessage&) {}
void TWinControl::WMGetDlgCode(TMessage& Message) { Message.Result = 0; }

bool TWinControl::DoKeyDown(TWMKey& Message) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyDown(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        uint16_t Key = Message.CharCode;
        KeyDown(Key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyUp(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        uint16_t Key = Message.CharCode;
        KeyUp(Key, KeyDataToShiftState(Message.KeyData));
        Message.CharCode = Key;
        if (Key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyPress(Message)) return true;
    if (!FControlStyle.Contains(csNoStdEvents)) {
        // The character travels in the message's LParam: CharCode holds only
        // 16 bits.
        char32_t Ch = static_cast<char32_t>(Message.KeyData);
        KeyPress(Ch);
        Message.KeyData = static_cast<uint32_t>(Ch);
        Message.CharCode = static_cast<uint16_t>(Ch);
        if (Ch == 0) return true;
    }
    return false;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::PaintBackground(TCanvas& Canvas) {
    if (FControlStyle.Contains(csOpaque)) return;
    Canvas.Brush()->SetColor(Color());
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.FillRect(ClientRect());
}

void TWinControl::PaintTo(const TRect& Clip) {
    TCustomForm* Form = GetParentForm(this);
    if (!Form || (!Visible() && Parent())) return;
    TRect R;
    if (!IntersectRect(R, VisibleSurfaceRect(), Clip)) return;
    Host().ControlPainted(this);
    {
        TCanvas Background;
        Background.SetTarget(Form->Surface(), SurfaceOrigin(), R);
        PaintBackground(Background);
    }
    if (TCanvas* C = ControlCanvas()) C->SetTarget(Form->Surface(), SurfaceOrigin(), R);
    PaintWindow();
    for (TControl* C : FControls)
        if (!dynamic_cast<TWinControl*>(C)) C->PaintTo(R);
    for (TControl* C : FControls)
        if (dynamic_cast<TWinControl*>(C)) C->PaintTo(R);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    for (TControl* C : FControls)
        if (C->Owner() == Root) Proc(C);
    // The root also writes what it owns outside the control tree (menus,
    // non-visual components).
    if (Root == this)
        for (int I = 0; I < ComponentCount(); ++I)
            if (!Components(I)->GetParentComponent()) Proc(Components(I));
}

// ---------------------------------------------------------------- focus of a form

// These two members of TCustomForm live here, next to the focus state they
// change.

void TCustomForm::ApplyFocus() {
    TWinControl* Target = FFocusedControl ? FFocusedControl : FActiveControl;
    if (!Target || !Target->CanFocus()) Target = this;
    if (GFocused == Target) return;
    TWinControl* Prev = GFocused;
    GFocused = Target;
    if (Prev) Prev->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(Target->FHandle));
    // A handler of the lost focus may have moved it elsewhere already.
    if (GFocused != Target) return;
    Target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(Prev ? Prev->FHandle : nullptr));
    if (Prev && Prev != this && GetParentForm(Prev) == this) Prev->Perform(CM_EXIT);
    if (Target != this && GFocused == Target) Target->Perform(CM_ENTER);
}

void TCustomForm::ControlRemoved(TControl* Control) {
    if (Control) {
        if (FActiveControl && Contains(Control, FActiveControl)) FActiveControl = nullptr;
        if (FFocusedControl && Contains(Control, FFocusedControl)) FFocusedControl = nullptr;
        if (FDirectDrawer && Contains(Control, FDirectDrawer)) FDirectDrawer = nullptr;
        if (FHover && Contains(Control, FHover)) FHover = nullptr;
    }
    bool Affected =
        GFocused && (Control ? Contains(Control, GFocused) : GetParentForm(GFocused) == this);
    if (!Affected) return;
    TWinControl* Was = GFocused;
    GFocused = nullptr;
    if (!Was->ComponentState().Contains(csDestroying)) {
        Was->Perform(WM_KILLFOCUS);
        if (Was != this) Was->Perform(CM_EXIT);
    }
    // The form keeps the keyboard while one of its controls goes away.
    if (Control && Active() && Visible()) GFocused = this;
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCanvas* TCustomControl::ControlCanvas() { return FCanvas->Acquire(); }

void TCustomControl::PaintWindow() { Paint(); }

// ---------------------------------------------------------------- published properties

const TEnumType TAlignTypeInfo{
    "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
const TEnumType TAnchorKindTypeInfo{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
const TEnumType TStyleElementTypeInfo{"TStyleElement", {"seFont", "seClient", "seBorder"}};
const TEnumType TBorderStyleTypeInfo{"TBorderStyle", {"bsNone", "bsSingle"}};
const TEnumType TFormBorderStyleTypeInfo{
    "TFormBorderStyle",
    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};

namespace {

const bool ControlClassesRegistered = [] {
    RegisterIntegerConsts("TCursor", {
                                         {crDefault, "crDefault"},     {crNone, "crNone"},
                                         {crArrow, "crArrow"},         {crCross, "crCross"},
                                         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
                                         {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},
                                         {crSizeWE, "crSizeWE"},       {crUpArrow, "crUpArrow"},
                                         {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
                                         {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},
                                         {crVSplit, "crVSplit"},       {crMultiDrag, "crMultiDrag"},
                                         {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
                                         {crAppStart, "crAppStart"},   {crHelp, "crHelp"},
                                         {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
                                     });
    const TAnchors DefaultAnchors{akLeft, akTop};
    const TStyleElements AllElements{seFont, seClient, seBorder};
    RegisterClass<TControl, TComponent>("TControl")
        .Int("Left", &TControl::Left, &TControl::SetLeft)
        .Int("Top", &TControl::Top, &TControl::SetTop)
        .Int("Width", &TControl::Width, &TControl::SetWidth)
        .Int("Height", &TControl::Height, &TControl::SetHeight)
        .Enum("Align", &TControl::Align, &TControl::SetAlign, TAlignTypeInfo)
        .Default(alNone)
        .Set("Anchors", &TControl::Anchors, &TControl::SetAnchors, TAnchorKindTypeInfo)
        .Default(static_cast<int64_t>(DefaultAnchors.Bits()))
        .Color("Color", &TControl::Color, &TControl::SetColor)
        .Default(clWindow)
        .Ident("Cursor", &TControl::Cursor, &TControl::SetCursor, "TCursor")
        .Default(crDefault)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Default(true)
        .Object("Font", &TControl::Font)
        .Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext)
        .Default(0)
        .Str("Hint", &TControl::Hint, &TControl::SetHint)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Default(false)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Default(true)
        .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
        .Default(true)
        .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Default(false)
        .Set("StyleElements", &TControl::StyleElements, &TControl::SetStyleElements,
             TStyleElementTypeInfo)
        .Default(static_cast<int64_t>(AllElements.Bits()))
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
        .Default(true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseWheel", &TControl::OnMouseWheel)
        .Event("OnMouseWheelDown", &TControl::OnMouseWheelDown)
        .Event("OnMouseWheelUp", &TControl::OnMouseWheelUp)
        .Event("OnResize", &TControl::OnResize);
    RegisterClass<TGraphicControl, TControl>("TGraphicControl");
    RegisterClass<TWinControl, TControl>("TWinControl")
        .Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered)
        .Default(false)
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Default(false)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp);
    RegisterClass<TCustomControl, TWinControl>("TCustomControl");
    return true;
}();

}  // namespace

}  // namespace vcl
