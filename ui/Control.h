#pragma once
// TControl: anything placed on a form, windowless or windowed, and what every control
// shares (alignment, shift states, cursors, the mouse and key events, hint information).
//
// How a message reaches its handler
// ----------------------------------
// Perform and the window system call WindowProc, a hook that starts as WndProc (tests replace
// it to record what arrives; a form's own frame is reached through the form, ui/FormFrame.h).
// TControl::WndProc is the one dispatch: it hands each message to the virtual handler named
// after it, taking the message record (WM_PAINT -> WMPaint(TWMPaint&), CM_MOUSEENTER ->
// CMMouseEnter(TCMMouseEnterLeave&)). A control class overrides the handlers it needs and calls the
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
// the numbers the control knows (a TMessageTable, ui/MessageTable.h, keeps that to a lookup) and
// pass the rest to the base class's DefaultHandler. To send a message use Perform or SendMessage;
// never call a handler of another control directly.
#include <functional>
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
#include "ui/Accessible.h"
#include "ui/MessageRecords.h"
#include "ui/MessageTable.h"
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
    // A TWinControl (answers without a dynamic_cast on hot paths).
    bool IsWindowed() const { return m_windowed; }

    // --- painting ---
    virtual void Invalidate();
    // Paints now what is invalid (the control's window, or its parent for a windowless one).
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // --- messages ---
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The message entry; replaceable, for tests that record what arrives.
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

    // What a screen reader is told about the control (ui/Accessible.h). A class that is more
    // than a plain control calls its base class and then sets its role, name and the rest.
    virtual void DescribeAccessible(TAccessibleInfo& info) const;

protected:
    friend class TWinControl;

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
    virtual void WMCreate(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMMove(TWMMove& m) { DefaultHandler(m.Message); }
    virtual void WMSize(TWMSize& m) { DefaultHandler(m.Message); }
    virtual void WMActivate(TWMActivate& m) { DefaultHandler(m.Message); }
    virtual void WMSetFocus(TWMFocus& m) { DefaultHandler(m.Message); }
    virtual void WMKillFocus(TWMFocus& m) { DefaultHandler(m.Message); }
    virtual void WMEnable(TWMEnable& m) { DefaultHandler(m.Message); }
    virtual void WMSetText(TWMSetText& m) { DefaultHandler(m.Message); }
    virtual void WMGetTextLength(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMPaint(TWMPaint& m) { DefaultHandler(m.Message); }
    virtual void WMClose(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMEraseBkgnd(TWMEraseBkgnd& m) { DefaultHandler(m.Message); }
    virtual void WMShowWindow(TWMShowWindow& m) { DefaultHandler(m.Message); }
    virtual void WMCancelMode(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMSetCursor(TWMSetCursor& m) { DefaultHandler(m.Message); }
    virtual void WMGetMinMaxInfo(TWMGetMinMaxInfo& m) { DefaultHandler(m.Message); }
    virtual void WMNCCalcSize(TWMNCCalcSize& m) { DefaultHandler(m.Message); }
    virtual void WMNCHitTest(TWMNCHitTest& m) { DefaultHandler(m.Message); }
    virtual void WMNCPaint(TWMNCPaint& m) { DefaultHandler(m.Message); }
    virtual void WMNCActivate(TWMNCActivate& m) { DefaultHandler(m.Message); }
    virtual void WMGetDlgCode(TWMGetDlgCode& m) { DefaultHandler(m.Message); }
    virtual void WMNCMouseMove(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCLButtonDown(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCLButtonUp(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCLButtonDblClk(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCRButtonDown(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCRButtonUp(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCRButtonDblClk(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCMButtonDown(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCMButtonUp(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMNCMButtonDblClk(TWMNCMouse& m) { DefaultHandler(m.Message); }
    virtual void WMKeyDown(TWMKey& m) { DefaultHandler(m.Message); } // WM_KEYDOWN and WM_SYSKEYDOWN
    virtual void WMKeyUp(TWMKey& m) { DefaultHandler(m.Message); }   // WM_KEYUP and WM_SYSKEYUP
    virtual void WMChar(TWMChar& m) { DefaultHandler(m.Message); }
    virtual void WMSysCommand(TWMSysCommand& m) { DefaultHandler(m.Message); }
    virtual void WMTimer(TWMTimer& m) { DefaultHandler(m.Message); }
    virtual void WMHScroll(TWMScroll& m) { DefaultHandler(m.Message); }
    virtual void WMVScroll(TWMScroll& m) { DefaultHandler(m.Message); }
    virtual void WMMouseMove(TWMMouse& m);
    virtual void WMLButtonDown(TWMMouse& m);
    virtual void WMLButtonUp(TWMMouse& m);
    virtual void WMLButtonDblClk(TWMMouse& m);
    virtual void WMRButtonDown(TWMMouse& m);
    virtual void WMRButtonUp(TWMMouse& m);
    virtual void WMRButtonDblClk(TWMMouse& m);
    virtual void WMMButtonDown(TWMMouse& m);
    virtual void WMMButtonUp(TWMMouse& m);
    virtual void WMMButtonDblClk(TWMMouse& m);
    virtual void WMMouseWheel(TWMMouseWheel& m) { DefaultHandler(m.Message); }
    virtual void WMSizing(TWMSizing& m) { DefaultHandler(m.Message); }
    virtual void WMCaptureChanged(TWMCaptureChanged& m) { DefaultHandler(m.Message); }
    virtual void WMEnterSizeMove(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMExitSizeMove(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMMouseHover(TWMMouse& m) { DefaultHandler(m.Message); }
    virtual void WMMouseLeave(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMCut(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMCopy(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMPaste(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMClear(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void WMUndo(TWMNoParams& m) { DefaultHandler(m.Message); }
    // Framework messages.
    virtual void CMCancelMode(TCMCancelMode& m) { DefaultHandler(m.Message); }
    virtual void CMDialogKey(TWMKey& m) { DefaultHandler(m.Message); }
    virtual void CMDialogChar(TWMChar& m) { DefaultHandler(m.Message); }
    virtual void CMFocusChanged(TCMFocusChanged& m) { DefaultHandler(m.Message); }
    virtual void CMParentFontChanged(TWMNoParams& m);
    virtual void CMParentColorChanged(TWMNoParams& m);
    virtual void CMHitTest(TCMHitTest& m);
    virtual void CMVisibleChanged(TCMVisibleChanged& m) { DefaultHandler(m.Message); }
    virtual void CMEnabledChanged(TWMNoParams& m);
    virtual void CMColorChanged(TWMNoParams& m);
    virtual void CMFontChanged(TWMNoParams& m);
    virtual void CMCursorChanged(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMTextChanged(TWMNoParams& m);
    virtual void CMMouseEnter(TCMMouseEnterLeave& m);
    virtual void CMMouseLeave(TCMMouseEnterLeave& m);
    virtual void CMShowingChanged(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMEnter(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMExit(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMWantSpecialKey(TWMKey& m) { DefaultHandler(m.Message); }
    virtual void CMRelease(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMShowHintChanged(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMParentShowHintChanged(TWMNoParams& m);
    virtual void CMTabStopChanged(TWMNoParams& m) { DefaultHandler(m.Message); }
    virtual void CMControlListChange(TCMControlChange& m) { DefaultHandler(m.Message); }
    virtual void CMHintShow(TCMHintShow& m) { DefaultHandler(m.Message); }
    virtual void CMControlChange(TCMControlChange& m) { DefaultHandler(m.Message); }
    virtual void CMChanged(TCMChanged& m) { DefaultHandler(m.Message); }
    virtual void CMMouseWheel(TWMMouseWheel& m);

    // The switch of WndProc: the message to its handler.
    void DispatchToHandler(TMessage& m);

    // The mouse button messages share this: capture, click and double-click rules, then
    // MouseDown or MouseUp.
    void MouseButtonMessage(TWMMouse& m, TMouseButton button, bool down, bool dbl);

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
