#pragma once
// Controls: TControl (anything placed on a form), TWinControl (a control that owns a window:
// bounds in its parent, styles, z-order, focus, non-client area, scroll bars, update region),
// TCustomControl (a windowed control that paints itself on its Canvas) and TGraphicControl (a
// windowless control painted on its parent's canvas, which also routes its mouse input).
//
// How a message reaches its handler
// ----------------------------------
// Perform and the window system call WindowProc, a replaceable hook that starts as WndProc
// (a skinned frame takes a form over by saving WindowProc and putting its own in place).
// TControl::WndProc is the one dispatch: it hands each message to the virtual handler named
// after it, taking the message record (WM_PAINT -> WMPaint(TMessage&), CM_MOUSEENTER ->
// CMMouseEnter(TMessage&)). A control class overrides the handlers it needs and calls the
// base class's handler for the default behaviour; it does not override WndProc or write a
// switch of its own.
//
// Every handler is declared in TControl (so that the dispatch can reach it) and does nothing
// there but pass the message to DefaultHandler. The classes below give the defaults:
//   TControl        mouse buttons and moves (MouseDown/MouseMove/MouseUp, Click, DblClick),
//                   CMMouseEnter/Leave, CMMouseWheel, CMHitTest, CMEnabledChanged,
//                   CMVisibleChanged, CMFontChanged, CMColorChanged, CMTextChanged,
//                   CMParentFontChanged, CMParentColorChanged, CMParentShowHintChanged
//   TGraphicControl WMPaint (Paint on the parent's canvas)
//   TWinControl     WMPaint (PaintWindow), WMEraseBkgnd, WMKeyDown/Up, WMChar, WMSetFocus,
//                   WMKillFocus, WMSetCursor, WMSize, WMMouseWheel, WMSetText,
//                   WMGetMinMaxInfo, WMCancelMode, WMMouseLeave, the mouse buttons and moves
//                   (handed on to the windowless child under the pointer), CMDialogKey and
//                   CMDialogChar (offered to the children), CMEnter/CMExit (DoEnter/DoExit),
//                   CMShowingChanged, CMFontChanged, CMColorChanged, CMVisibleChanged,
//                   CMEnabledChanged, CMShowHintChanged, CMParentShowHintChanged, and the
//                   default non-client area: WMNCCalcSize, WMNCPaint, WMNCHitTest,
//                   WMNCActivate, WMNCLButtonDown, WMNCLButtonDblClk (border, scroll bars)
//   TCustomForm     WMClose, WMActivate, WMSysCommand, WMSetFocus, CMDialogKey, CMRelease,
//                   CMTextChanged and the classic frame (WMNCCalcSize, WMNCPaint,
//                   WMNCHitTest, WMNCLButtonDown, WMNCLButtonDblClk)
// The full list is the "message handlers" block of TControl below.
//
// Messages without a named handler (a control's own message numbers, the edit messages,
// WM_USER + n, the skin messages) go to DefaultHandler, which is virtual: override it, handle
// the numbers the control knows (a TMessageTable, see below, keeps that to a lookup) and pass
// the rest to the base class's DefaultHandler. To send a message use Perform or SendMessage;
// never call a handler of another control directly.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Region.h"
#include "gfx/Types.h"
#include "rtl/Classes.h"
#include "rtl/Strings.h"
#include "ui/Messages.h"

class TWinControl;
class TCustomForm;
class TWindowSystem;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Frame kinds of forms and of controls that have a border (controls use bsNone/bsSingle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// Shift state: keys and mouse buttons held, as bit flags.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

// Control style (what a control class is) and control state (what it is doing now).
enum : unsigned {
    csAcceptsControls = 0x0001,
    csCaptureMouse = 0x0002,
    csClickEvents = 0x0004,
    csFramed = 0x0008,
    csSetCaption = 0x0010,
    csOpaque = 0x0020,
    csDoubleClicks = 0x0040,
    csFixedWidth = 0x0080,
    csFixedHeight = 0x0100,
    csReplicatable = 0x0200,
    csNoStdEvents = 0x0400,
};
enum : unsigned {
    csLButtonDown = 0x0001,
    csClicked = 0x0002,
    csFocusing = 0x0004,
    csCreating = 0x0008,
    csAligning = 0x0010,
    csPainting = 0x0020,
    csDestroyingHandle = 0x0040,
};

// Cursors. Negative numbers are the built-in shapes; positive numbers are registered by the
// program through Screen->SetCursors(number, cursor).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseWheelEvent = std::function<void(TObject* sender, TShiftState shift, int wheelDelta,
                                            TPoint mousePos, bool& handled)>;
using TWndMethod = std::function<void(TMessage& message)>;

// What a control may change before its hint shows (CM_HINTSHOW, LParam = THintInfo*).
// Setting Result of the message to non-zero cancels the hint.
struct THintInfo {
    class TControl* HintControl = nullptr;
    TPoint HintPos; // screen coordinates of the hint window's top-left corner
    int HintMaxWidth = 0;
    TColor HintColor = clNone;
    TRect CursorRect; // client coordinates; leaving it hides the hint
    TPoint CursorPos; // client coordinates
    AnsiString HintStr;
    int ReshowTimeout = 0; // ms; non-zero asks for the hint again after that time
    int HideTimeout = 0;   // ms; 0 = the application's HintHidePause
};

// A control's own message numbers, looked up in DefaultHandler without a switch:
//
//     void TMyEdit::DefaultHandler(TMessage& m) {
//         static const TMessageTable<TMyEdit> table = {
//             {EM_GETSEL, &TMyEdit::EMGetSel}, {WM_MYNOTICE, &TMyEdit::WMMyNotice}};
//         if (!table.Dispatch(*this, m)) TCustomControl::DefaultHandler(m);
//     }
template <class T> class TMessageTable {
public:
    using Handler = void (T::*)(TMessage&);
    struct Entry {
        UINT Msg;
        Handler Fn;
    };
    TMessageTable(std::initializer_list<Entry> entries) : m_entries(entries) {}
    // Calls the handler listed for m.Msg; false when there is none.
    bool Dispatch(T& control, TMessage& m) const {
        for (const Entry& e : m_entries)
            if (e.Msg == m.Msg) {
                (control.*e.Fn)(m);
                return true;
            }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};

// Shift state now (keyboard and mouse buttons), from the display.
TShiftState KeyboardShiftState();
// Shift state carried by mouse messages (MK_* in WParam) plus Alt from the keyboard.
TShiftState KeysToShiftState(WPARAM keys);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // --- tree and geometry ---
    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
    // Position in the parent's client area (screen coordinates for a top-level form).
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(m_left, m_top, m_width, m_height); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // Client rectangle from (0, 0); a windowed control excludes its non-client area.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // Screen position of the client area's (0, 0).
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    void BringToFront();
    void SendToBack();

    // --- state ---
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool value);
    // Visible with every parent visible up to a shown top-level window.
    virtual bool Showing() const;

    // --- appearance ---
    TFont* Font() { return &m_font; }
    const TFont* Font() const { return &m_font; }
    void SetFont(const TFont* font) { m_font.Assign(*font); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value);
    // Caption and Text are one string (8-bit, system code page); controls that keep text
    // elsewhere (the edit window) override GetText/SetText.
    AnsiString Caption() const { return GetText(); }
    void SetCaption(const AnsiString& caption) { SetText(caption); }
    AnsiString Text() const { return GetText(); }
    void SetText(const AnsiString& text);
    const AnsiString& Hint() const { return m_hint; }
    void SetHint(const AnsiString& hint) { m_hint = hint; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);
    unsigned ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(unsigned style) { m_controlStyle = style; }
    unsigned ControlState() const { return m_controlState; }
    void SetControlState(unsigned state) { m_controlState = state; }

    // --- painting ---
    virtual void Invalidate();
    // Paints now what is invalid (the control's window, or its parent for a windowless one).
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // --- messages ---
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The message entry; replaceable (a frame takes a form over by saving and replacing it).
    TWndMethod WindowProc;
    // The dispatch to the handlers below. Override handlers, not this.
    virtual void WndProc(TMessage& message);
    // Messages without a named handler, and the last stop of every handler that has no
    // default of its own. Does nothing here (Result stays as it is).
    virtual void DefaultHandler(TMessage& message);

    // --- mouse capture (windowless controls capture through their parent) ---
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // --- events ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;

    // Click and DblClick run the events; controls add their own action.
    virtual void Click();
    virtual void DblClick();

protected:
    friend class TWinControl;
    friend class TWindowSystem;
    friend struct TWindowAccess;

    virtual AnsiString GetText() const { return m_text; }
    virtual void SetTextValue(const AnsiString& text); // stores, then CM_TEXTCHANGED
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void Resize();
    virtual void Changed() { Perform(CM_CHANGED, 0, LPARAM(this)); }
    // Window area this control covers in its parent's client coordinates.
    void InvalidateControl(bool isVisible, bool isOpaque);
    // csPainting for the length of a paint, however it ends.
    class TPaintingScope {
    public:
        explicit TPaintingScope(TControl& control) : m_control(control) {
            m_control.m_controlState |= csPainting;
        }
        ~TPaintingScope() { m_control.m_controlState &= ~csPainting; }
        TPaintingScope(const TPaintingScope&) = delete;
        TPaintingScope& operator=(const TPaintingScope&) = delete;

    private:
        TControl& m_control;
    };

    // --- message handlers: one per message, called by WndProc ---
    // Window messages (a windowless control receives the mouse ones and WM_PAINT).
    virtual void WMCreate(TMessage& m) { DefaultHandler(m); }
    virtual void WMDestroy(TMessage& m) { DefaultHandler(m); }
    virtual void WMMove(TMessage& m) { DefaultHandler(m); }
    virtual void WMSize(TMessage& m) { DefaultHandler(m); }
    virtual void WMActivate(TMessage& m) { DefaultHandler(m); }
    virtual void WMSetFocus(TMessage& m) { DefaultHandler(m); }
    virtual void WMKillFocus(TMessage& m) { DefaultHandler(m); }
    virtual void WMEnable(TMessage& m) { DefaultHandler(m); }
    virtual void WMSetText(TMessage& m) { DefaultHandler(m); }
    virtual void WMGetTextLength(TMessage& m) { DefaultHandler(m); }
    virtual void WMPaint(TMessage& m) { DefaultHandler(m); }
    virtual void WMClose(TMessage& m) { DefaultHandler(m); }
    virtual void WMEraseBkgnd(TMessage& m) { DefaultHandler(m); }
    virtual void WMShowWindow(TMessage& m) { DefaultHandler(m); }
    virtual void WMCancelMode(TMessage& m) { DefaultHandler(m); }
    virtual void WMSetCursor(TMessage& m) { DefaultHandler(m); }
    virtual void WMMouseActivate(TMessage& m) { DefaultHandler(m); }
    virtual void WMGetMinMaxInfo(TMessage& m) { DefaultHandler(m); }
    virtual void WMWindowPosChanged(TMessage& m) { DefaultHandler(m); }
    virtual void WMContextMenu(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCCalcSize(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCHitTest(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCPaint(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCActivate(TMessage& m) { DefaultHandler(m); }
    virtual void WMGetDlgCode(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCMouseMove(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCLButtonDown(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCLButtonUp(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCLButtonDblClk(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCRButtonDown(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCRButtonUp(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCRButtonDblClk(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCMButtonDown(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCMButtonUp(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCMButtonDblClk(TMessage& m) { DefaultHandler(m); }
    virtual void WMKeyDown(TMessage& m) { DefaultHandler(m); } // WM_KEYDOWN and WM_SYSKEYDOWN
    virtual void WMKeyUp(TMessage& m) { DefaultHandler(m); }   // WM_KEYUP and WM_SYSKEYUP
    virtual void WMChar(TMessage& m) { DefaultHandler(m); }
    virtual void WMSysCommand(TMessage& m) { DefaultHandler(m); }
    virtual void WMTimer(TMessage& m) { DefaultHandler(m); }
    virtual void WMHScroll(TMessage& m) { DefaultHandler(m); }
    virtual void WMVScroll(TMessage& m) { DefaultHandler(m); }
    virtual void WMMouseMove(TMessage& m);
    virtual void WMLButtonDown(TMessage& m);
    virtual void WMLButtonUp(TMessage& m);
    virtual void WMLButtonDblClk(TMessage& m);
    virtual void WMRButtonDown(TMessage& m);
    virtual void WMRButtonUp(TMessage& m);
    virtual void WMRButtonDblClk(TMessage& m);
    virtual void WMMButtonDown(TMessage& m);
    virtual void WMMButtonUp(TMessage& m);
    virtual void WMMButtonDblClk(TMessage& m);
    virtual void WMMouseWheel(TMessage& m) { DefaultHandler(m); }
    virtual void WMSizing(TMessage& m) { DefaultHandler(m); }
    virtual void WMCaptureChanged(TMessage& m) { DefaultHandler(m); }
    virtual void WMMoving(TMessage& m) { DefaultHandler(m); }
    virtual void WMEnterSizeMove(TMessage& m) { DefaultHandler(m); }
    virtual void WMExitSizeMove(TMessage& m) { DefaultHandler(m); }
    virtual void WMMouseHover(TMessage& m) { DefaultHandler(m); }
    virtual void WMNCMouseLeave(TMessage& m) { DefaultHandler(m); }
    virtual void WMMouseLeave(TMessage& m) { DefaultHandler(m); }
    virtual void WMCut(TMessage& m) { DefaultHandler(m); }
    virtual void WMCopy(TMessage& m) { DefaultHandler(m); }
    virtual void WMPaste(TMessage& m) { DefaultHandler(m); }
    virtual void WMClear(TMessage& m) { DefaultHandler(m); }
    virtual void WMUndo(TMessage& m) { DefaultHandler(m); }
    // Framework messages.
    virtual void CMActivate(TMessage& m) { DefaultHandler(m); }
    virtual void CMDeactivate(TMessage& m) { DefaultHandler(m); }
    virtual void CMCancelMode(TMessage& m) { DefaultHandler(m); }
    virtual void CMDialogKey(TMessage& m) { DefaultHandler(m); }
    virtual void CMDialogChar(TMessage& m) { DefaultHandler(m); }
    virtual void CMFocusChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMParentFontChanged(TMessage& m);
    virtual void CMParentColorChanged(TMessage& m);
    virtual void CMHitTest(TMessage& m);
    virtual void CMVisibleChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMEnabledChanged(TMessage& m);
    virtual void CMColorChanged(TMessage& m);
    virtual void CMFontChanged(TMessage& m);
    virtual void CMCursorChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMTextChanged(TMessage& m);
    virtual void CMMouseEnter(TMessage& m);
    virtual void CMMouseLeave(TMessage& m);
    virtual void CMButtonPressed(TMessage& m) { DefaultHandler(m); }
    virtual void CMShowingChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMEnter(TMessage& m) { DefaultHandler(m); }
    virtual void CMExit(TMessage& m) { DefaultHandler(m); }
    virtual void CMWantSpecialKey(TMessage& m) { DefaultHandler(m); }
    virtual void CMRelease(TMessage& m) { DefaultHandler(m); }
    virtual void CMShowHintChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMParentShowHintChanged(TMessage& m);
    virtual void CMSysColorChange(TMessage& m) { DefaultHandler(m); }
    virtual void CMTabStopChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMControlListChange(TMessage& m) { DefaultHandler(m); }
    virtual void CMChildKey(TMessage& m) { DefaultHandler(m); }
    virtual void CMHintShow(TMessage& m) { DefaultHandler(m); }
    virtual void CMRecreateWnd(TMessage& m) { DefaultHandler(m); }
    virtual void CMInvalidate(TMessage& m) { DefaultHandler(m); }
    virtual void CMControlChange(TMessage& m) { DefaultHandler(m); }
    virtual void CMChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMBorderChanged(TMessage& m) { DefaultHandler(m); }
    virtual void CMMouseWheel(TMessage& m);

    // The mouse button messages share this: capture, click and double-click rules, then
    // MouseDown or MouseUp.
    void MouseButtonMessage(TMessage& m, TMouseButton button, bool down, bool dbl);

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAlign m_align = alNone;
    bool m_visible = true;
    bool m_enabled = true;
    TFont m_font;
    bool m_parentFont = true;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    AnsiString m_text;
    AnsiString m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TCursor m_cursor = crDefault;
    unsigned m_controlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    unsigned m_controlState = 0;
    bool m_mouseInControl = false;
    bool m_windowed = false; // a TWinControl (saves a dynamic_cast on hot paths)
    // Cleared when the control is destroyed: handlers that may delete their control (a click
    // handler freeing its button) check it before touching the control again.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    // Bumped by every change of placement, visibility or the child lists; lookups of the
    // control under a point are cached against it.
    static uint64_t s_layoutGeneration;
};

// A windowless control: drawn by its parent's paint on the parent's canvas, with the origin
// moved to its top-left corner and the clip set to its bounds.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return &m_canvas; }

protected:
    friend class TWinControl;
    virtual void Paint() {}
    void WMPaint(TMessage& m) override;

    TCanvas m_canvas;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // --- children (all of them, windowless and windowed, in the order they were added) ---
    int ControlCount() const { return int(m_controls.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const; // anywhere below
    // The child (windowless or, with allowWinControls, windowed) under a client point.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;

    // --- the window ---
    HWND Handle();
    bool HandleAllocated() const { return m_handleAllocated; }
    void HandleNeeded();
    // Rebuilds the window: styles and non-client area are computed again and all repaints.
    void RecreateWnd();
    DWORD Style() const { return m_style; }
    DWORD ExStyle() const { return m_exStyle; }
    void SetStyle(DWORD style);
    void SetExStyle(DWORD exStyle);
    // Rectangle of the window in screen coordinates.
    TRect WindowRectOnScreen() const;
    // The window's client rectangle inside its own window rectangle.
    TRect ClientRectInWindow() const { return m_clientInWindow; }
    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;

    // --- focus and tab order ---
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int order);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Next focusable control after `current` inside this control, in tab order.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    // --- alignment ---
    void DisableAlign() { ++m_alignLevel; }
    void EnableAlign();
    void Realign();

    // --- painting ---
    // Paints the windowless children that intersect the canvas clip, lowest first, starting
    // at `first` (nullptr: all).
    void PaintControls(TCanvas& canvas, TControl* first);

    // --- events ---
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Window-system state (update region, scroll bars, region, display id...), private to ui.
    struct WindowData;

protected:
    friend class TWindowSystem;
    friend class TControl;
    friend class TGraphicControl;
    friend struct TWindowAccess;

    virtual void CreateHandle();
    virtual void DestroyHandle();
    TControl* FindControlAt(TPoint pos, bool allowDisabled, bool allowWinControls) const;
    void SetTextValue(const AnsiString& text) override; // through WM_SETTEXT
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Paint of the window: erase is WM_ERASEBKGND's default; PaintWindow draws the client
    // area (TCustomControl: Paint on Canvas), then the windowless children.
    virtual void PaintWindow(TCanvas& canvas);
    // Default background: the control colour.
    virtual void EraseBackground(TCanvas& canvas);

    // Message handlers (see the list at the top of this file).
    void WMPaint(TMessage& m) override;
    void WMEraseBkgnd(TMessage& m) override;
    void WMKeyDown(TMessage& m) override;
    void WMKeyUp(TMessage& m) override;
    void WMChar(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    void WMKillFocus(TMessage& m) override;
    void WMSetCursor(TMessage& m) override;
    void WMSize(TMessage& m) override;
    void WMSetText(TMessage& m) override;
    void WMGetMinMaxInfo(TMessage& m) override;
    void WMCancelMode(TMessage& m) override;
    void WMMouseWheel(TMessage& m) override;
    void WMMouseLeave(TMessage& m) override;
    void WMMouseMove(TMessage& m) override;
    void WMLButtonDown(TMessage& m) override;
    void WMLButtonUp(TMessage& m) override;
    void WMLButtonDblClk(TMessage& m) override;
    void WMRButtonDown(TMessage& m) override;
    void WMRButtonUp(TMessage& m) override;
    void WMRButtonDblClk(TMessage& m) override;
    void WMMButtonDown(TMessage& m) override;
    void WMMButtonUp(TMessage& m) override;
    void WMMButtonDblClk(TMessage& m) override;
    void WMNCCalcSize(TMessage& m) override;
    void WMNCPaint(TMessage& m) override;
    void WMNCHitTest(TMessage& m) override;
    void WMNCActivate(TMessage& m) override;
    void WMNCLButtonDown(TMessage& m) override;
    void WMNCLButtonDblClk(TMessage& m) override;
    void CMDialogKey(TMessage& m) override;
    void CMDialogChar(TMessage& m) override;
    void CMEnter(TMessage& m) override;
    void CMExit(TMessage& m) override;
    void CMShowingChanged(TMessage& m) override;
    void CMFontChanged(TMessage& m) override;
    void CMColorChanged(TMessage& m) override;
    void CMVisibleChanged(TMessage& m) override;
    void CMEnabledChanged(TMessage& m) override;
    void CMShowHintChanged(TMessage& m) override;
    void CMParentShowHintChanged(TMessage& m) override;
    // A mouse message over a windowless child (or one the child holds) goes to that child;
    // true when it did.
    bool MouseToChild(TMessage& m);

    std::vector<TControl*> m_controls;
    bool m_handleAllocated = false;
    DWORD m_style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    DWORD m_exStyle = 0;
    TRect m_clientInWindow; // client rectangle in window coordinates (WM_NCCALCSIZE)
    bool m_tabStop = false;
    int m_tabOrder = -1;
    int m_alignLevel = 0;
    TControl* m_mouseControl = nullptr;   // windowless child under the mouse
    TControl* m_captureControl = nullptr; // windowless child holding the mouse
    struct HitCache {
        uint64_t generation = ~uint64_t(0);
        TPoint pos;
        unsigned flags = 0;
        TControl* result = nullptr;
    };
    mutable HitCache m_hitCache;
    std::unique_ptr<WindowData> m_wnd;
};

// A windowed control that paints itself: override Paint and draw on Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // The control's canvas: during a paint set to the part being painted; outside a paint it
    // draws straight onto the visible client area (what it draws is shown at the next loop
    // pass without a repaint).
    TCanvas* Canvas();

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

    TCanvas m_canvas;
    bool m_canvasBound = false;
};

// --- window functions on handles (the window system's procedural face) ---
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queued for the loop; dropped when the window is destroyed first.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// rect in client coordinates; nullptr = the whole client area.
void InvalidateRect(HWND wnd, const TRect* rect, bool erase = true);
void InvalidateRgn(HWND wnd, const TRegion& region, bool erase = true);
void ValidateRect(HWND wnd, const TRect* rect);
void UpdateWindow(HWND wnd);
// RDW_INVALIDATE / RDW_FRAME / RDW_UPDATENOW / RDW_ALLCHILDREN ... rect in client coordinates.
void RedrawWindow(HWND wnd, const TRect* rect, UINT flags);
// Moves the pixels of the client area (or of `scroll`) by (dx, dy) within `clip`, and
// invalidates what was uncovered. Children are not moved.
void ScrollWindow(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip);
bool GetUpdateRect(HWND wnd, TRect& rect);
TRect GetWindowRect(HWND wnd); // screen coordinates
TRect GetClientRect(HWND wnd);
HWND WindowFromPoint(TPoint screen);
HWND GetParent(HWND wnd);
bool IsWindowVisible(HWND wnd);
bool IsWindowEnabled(HWND wnd);
bool IsWindow(HWND wnd); // still alive
DWORD GetWindowLong(HWND wnd, int index);
DWORD SetWindowLong(HWND wnd, int index, DWORD value);
// Moves/sizes (parent client coordinates) and applies SWP_FRAMECHANGED (new WM_NCCALCSIZE).
void SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void ShowWindow(HWND wnd, int cmd);
// The window's shape in window coordinates; an empty region removes it. Shapes the hit test
// and painting, and the display window of a top-level form.
void SetWindowRgn(HWND wnd, const TRegion& region, bool redraw);
void RemoveWindowRgn(HWND wnd, bool redraw);
bool GetWindowRgn(HWND wnd, TRegion& region);

// Mouse capture.
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();
HWND GetFocus();
HWND SetFocus(HWND wnd);
HWND GetActiveWindow();
TPoint GetCursorPos();
bool GetKeyState(int vk); // held now

// Mouse tracking. TME_HOVER asks for one WM_MOUSEHOVER (WParam = MK_ keys, LParam = client
// point) when the pointer rests over the window for the hover time without leaving a small
// square; TME_CANCEL withdraws the request. WM_MOUSELEAVE reaches every window the pointer
// leaves, asked for or not, so TME_LEAVE needs nothing more.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TTrackMouseEvent {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};
bool TrackMouseEvent(const TTrackMouseEvent& tme);
unsigned GetMouseHoverTime(); // 400 ms

// Scroll bars of a window with WS_HSCROLL / WS_VSCROLL (bar = SB_HORZ or SB_VERT).
int SetScrollInfo(HWND wnd, int bar, const TScrollInfo& info, bool redraw);
bool GetScrollInfo(HWND wnd, int bar, TScrollInfo& info);
int SetScrollPos(HWND wnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND wnd, int bar);
void SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw);
void ShowScrollBar(HWND wnd, int bar, bool show);
void EnableScrollBar(HWND wnd, int bar, UINT arrows);

// Timers: WM_TIMER (WParam = id) to the window, from the loop. Re-setting an id restarts it.
uintptr_t SetTimer(HWND wnd, uintptr_t id, unsigned elapseMs);
bool KillTimer(HWND wnd, uintptr_t id);
uint64_t GetTickCount();

// The caret (one per process, owned by a window; blinks with the loop).
bool CreateCaret(HWND wnd, int width, int height);
bool DestroyCaret();
bool SetCaretPos(int x, int y);
TPoint GetCaretPos();
bool ShowCaret(HWND wnd);
bool HideCaret(HWND wnd);
unsigned GetCaretBlinkTime(); // 530 ms

int GetSystemMetrics(int index);
unsigned GetDoubleClickTime(); // 500 ms
TRect GetWorkArea();           // screen coordinates
void MessageBeep(UINT type);

// Canvases outside paint: the whole window (non-client included) or the client area, with
// the clip set to the visible part. Drawing on them is shown at the next loop pass.
TCanvas* GetWindowDC(HWND wnd);
TCanvas* GetDC(HWND wnd);
void ReleaseDC(HWND wnd, TCanvas* dc);

// Clipboard text (8-bit, system code page).
class TClipboard {
public:
    AnsiString AsText() const;
    void SetAsText(const AnsiString& text);
    bool HasText() const { return !AsText().empty(); }
};
TClipboard* Clipboard();

TCustomForm* GetParentForm(const TControl* control);
// The first windowed ancestor that is a form's window (top-level), or nullptr.
TWinControl* GetTopLevel(const TControl* control);
