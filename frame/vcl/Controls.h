// Controls: the base classes of everything that sits on a form.
//
// TControl       position, size, visibility, font, colour, mouse and paint
// TGraphicControl  paints on its parent's surface, has no window of its own
// TWinControl    holds children, takes focus, receives keys, owns a window
// TCustomControl   a windowed control with its own canvas and Paint
//
// Three kinds of invalidation, kept apart:
//   Paint()      the control's own drawing, at once (components call it from
//                their setters);
//   Repaint()/Refresh()/Update()
//                the framework paints the control's area now, parent first;
//   Invalidate() marks the area; every mark up to the next turn of the message
//                loop ends in one paint (Application->ProcessMessages()).
// Layout changes (bounds, Align) invalidate the old and the new area.
//
// Every top-level form owns a surface bitmap; controls draw on it through a
// canvas moved to their position and clipped to what of them is visible.
//
// Input arrives as window messages through WndProc (WindowProc): mouse
// messages go to the control under the pointer (or the one holding the mouse
// capture), keys to the focused control as CN_KEYDOWN first; a control that
// leaves the notification unhandled (Result 0) gets WM_KEYDOWN, which runs
// KeyDown and OnKeyDown (after the form's, with KeyPreview). Tab and the arrow
// keys move the focus unless the control answers WM_GETDLGCODE with
// DLGC_WANTTAB / DLGC_WANTARROWS.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "vcl/Messages.h"
#include "vcl/SysUtils.h"
#include "vcl/Types.h"

namespace vcl {

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
struct TEnumType;

// Raised for operations that are not possible in the control's state
// ("Cannot focus a disabled or invisible window").
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------- types

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TControlStyleItem : uint8_t {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,  // paints every pixel of its bounds: nothing behind it is drawn first
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,  // mouse and key messages skip the On... events
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
    csPannable,
    csAlignWithMargins,
    csGestures,
    csPaintBlackOpaqueOnGlass,
    csOverrideStylePaint
};
using TControlStyle = TSet<TControlStyleItem>;

enum TStyleElement : uint8_t { seFont, seClient, seBorder };
using TStyleElements = TSet<TStyleElement>;

// Border of a windowed control (bsNone, bsSingle) and of a form (all).
enum TFormBorderStyle : uint8_t {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin
};
using TBorderStyle = TFormBorderStyle;

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

// A key message seen as the platform's key record: the key code and the key
// data (bit 29 set while Alt is down).
struct TWMKey {
    UINT Msg = 0;
    uint16_t CharCode = 0;
    uint32_t KeyData = 0;
    LRESULT Result = 0;
};

// Mouse messages carry the pressed buttons and modifier keys in WParam and
// the position, relative to the receiving control, in LParam.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr uint32_t KF_ALTDOWN_BIT = 1u << 29;
// One notch of a mouse wheel.
inline constexpr int WHEEL_DELTA = 120;

LPARAM PointToLParam(int X, int Y);
TPoint LParamToPoint(LPARAM LParam);
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(uint32_t KeyData);
// The modifier keys as they are now (GetKeyState).
TShiftState CurrentShiftState();

// ---------------------------------------------------------------- TControlCanvas

// The canvas of a control: it draws on the surface of the control's form,
// moved to the control's position and clipped to its visible part. Without a
// form it draws nowhere, so a paint before the control is placed is harmless.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* Control) : FControl(Control) {}
    std::string ClassName() const override { return "TControlCanvas"; }
    TControl* Control() const { return FControl; }
    // Points the canvas at the control's current place on its form.
    void UpdateTarget();
    // The canvas ready for the control to draw on (what Canvas() returns).
    TControlCanvas* Acquire();

private:
    TControl* FControl;
};

// ---------------------------------------------------------------- TControl

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    std::string ClassName() const override { return "TControl"; }

    // -- position and size, in the parent's client coordinates
    int Left() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Negative sizes become 0. A change invalidates the old and the new area,
    // realigns the children and fires OnResize when the size changed.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int Value);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int Value);
    // Screen coordinates are the form's surface moved by the form's position.
    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;
    // Position of this control's client origin on its form's surface.
    TPoint SurfaceOrigin() const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);

    // -- place in the control tree
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;
    void BringToFront();
    void SendToBack();

    // -- state
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a shown form too.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    // -- look
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // While set, Font follows the parent's font; changing Font clears it.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    std::string Caption() const { return FText; }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return FText; }
    void SetText(const std::string& Value);

    std::string Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    // The menu that a right click opens; not owned.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // -- painting (see the file comment for the three kinds)
    virtual void Invalidate();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();

    // -- messages
    // Delivers a message to WindowProc and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // Where Perform and the input router send messages; WndProc unless an
    // application subclasses the control by replacing it.
    TWndMethod WindowProc;
    // The control's handling of every message; overrides handle theirs and
    // pass the rest to the inherited WndProc.
    virtual void WndProc(TMessage& Message);

    // -- mouse
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);
    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // The canvas a paint draws with; for controls without one of their own
    // (plain TControl, TWinControl) nullptr.
    virtual TCanvas* ControlCanvas() { return nullptr; }
    // Paints this control (and for windowed controls, its children) into
    // its form's surface within Clip (surface coordinates), as the framework
    // does for an invalidated area.
    virtual void PaintTo(const TRect& Clip);

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Fires OnMouseWheel, then (unless handled) DoMouseWheelDown/Up.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void Resize();
    // The font, colour, enabled state or text changed; the default repaints
    // later.
    virtual void FontChanged();
    virtual void EnabledChanged();
    virtual void TextChanged();
    virtual void VisibleChanged();
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The area of the control on its form's surface that is visible through
    // all its parents (empty when it is not showing).
    TRect VisibleSurfaceRect() const;
    // Marks Area (client coordinates) for the next paint.
    void InvalidateArea(const TRect& Area);
    // The style a constructor starts with; descendants add or remove items.
    TControlStyle FControlStyle;

private:
    friend class TWinControl;
    friend class TControlCanvas;
    friend class TCustomForm;
    void HandleMouseMessage(TMessage& Message);
    void FontChangedByUser();
    void ParentFontChanged();
    void ParentColorChanged();

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    // Distances to the parent's right and bottom edges, kept for anchors.
    int FAnchorRight = 0;
    int FAnchorBottom = 0;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FSettingParentFont = false;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
    TCursor FCursor = crDefault;
    std::string FText;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    int FHelpContext = 0;
    TPopupMenu* FPopupMenu = nullptr;
    bool FClicked = false;
};

// ---------------------------------------------------------------- TGraphicControl

// A control without a window: it paints on its parent's surface, clipped to
// its bounds, and cannot take the focus.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    std::string ClassName() const override { return "TGraphicControl"; }
    TCanvas* Canvas() { return ControlCanvas(); }
    TCanvas* ControlCanvas() override;
    void PaintTo(const TRect& Clip) override;

protected:
    // Draws the control's face; the default draws nothing.
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// ---------------------------------------------------------------- TWinControl

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }

    // -- children, in paint order (windowed children always paint above the
    // graphic ones, as separate windows do)
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* Control) const;
    // The deepest showing, enabled child at P (client coordinates), or
    // nullptr.
    TControl* ControlAtPos(TPoint P, bool AllowDisabled = false) const;
    // Positions the children with Align set and follows their anchors.
    void Realign();

    // -- window
    // The window exists once the control sits on a form (for forms: once
    // shown or asked for). Asking for the handle of a control without a form
    // raises EInvalidOperation "Control '<name>' has no parent window".
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();

    // -- focus
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    // The position in the parent's tab order; setting it moves the control
    // there (values outside the list go to its end).
    int TabOrder() const;
    void SetTabOrder(int Value);
    virtual bool CanFocus() const;
    // EInvalidOperation "Cannot focus a disabled or invisible window" when
    // CanFocus is false.
    virtual void SetFocus();
    bool Focused() const;
    // The focusable controls inside this one, in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void WndProc(TMessage& Message) override;
    void PaintTo(const TRect& Clip) override;
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    // Called once, when the control's window comes into being; overrides
    // call the inherited CreateWnd first. The children's windows follow.
    virtual void CreateWnd();
    // Called when the window goes away (the control leaves its form or dies).
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();

    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    // KeyPreview of the form first, then KeyDown; true when the key was used
    // up (set to 0).
    bool DoKeyDown(TWMKey& Message);
    bool DoKeyUp(TWMKey& Message);
    bool DoKeyPress(TWMKey& Message);
    virtual void DoEnter();
    virtual void DoExit();

    // Message handlers, overridable one by one.
    virtual void CNKeyDown(TWMKey& Message);
    virtual void CNKeyUp(TWMKey& Message);
    virtual void CNChar(TWMKey& Message);
    virtual void WMKeyDown(TWMKey& Message);
    virtual void WMKeyUp(TWMKey& Message);
    virtual void WMChar(TWMKey& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    // Which keys the control keeps from focus navigation (DLGC_...).
    virtual void WMGetDlgCode(TMessage& Message);

    // Paints the background of the client area within Clip (surface
    // coordinates) before the control's own paint; the default fills it
    // with Color unless the control is opaque.
    virtual void PaintBackground(TCanvas& Canvas);
    // The control's own drawing, between its background and its children.
    virtual void PaintWindow() {}

private:
    friend class TControl;
    friend class TCustomForm;
    void AlignControls();
    void UpdateAnchorDistances(TControl* Child);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    HWND FHandle = nullptr;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    bool FAligning = false;
};

// ---------------------------------------------------------------- TCustomControl

// A windowed control that draws itself: Paint draws on Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() { return ControlCanvas(); }
    TCanvas* ControlCanvas() override;

protected:
    virtual void Paint() {}
    void PaintWindow() override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// Type descriptions for registering properties of these types (TypInfo.h).
extern const TEnumType TAlignTypeInfo;
extern const TEnumType TAnchorKindTypeInfo;
extern const TEnumType TStyleElementTypeInfo;
extern const TEnumType TBorderStyleTypeInfo;  // bsNone, bsSingle
extern const TEnumType TFormBorderStyleTypeInfo;

// The form a control sits on (the top-level parent), or nullptr.
TCustomForm* GetParentForm(const TControl* Control);

// Opens a control's PopupMenu when the right button goes up over it; the
// menu unit installs the handler (without one, right clicks only reach the
// mouse events).
using TPopupMenuHandler =
    std::function<void(TPopupMenu* Menu, TControl* Control, TPoint ScreenPos)>;
void SetPopupMenuHandler(TPopupMenuHandler Handler);

// The control that receives every mouse message while a button is held.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The windowed control that has the keyboard focus, or nullptr.
TWinControl* GetFocusedControl();

}  // namespace vcl
