#pragma once
// Typed message records. A message travels as a TMessage (Perform, SendMessage, WindowProc,
// DefaultHandler); TControl::WndProc decodes it once into one of these records and hands the
// record to the handler named after the message. A handler reads the decoded fields, sets
// Result, and passes the record on to its base class's handler for the default behaviour.
// Message (the record as sent) is for DefaultHandler and for passing a message on unchanged;
// nothing but the decoding reads its parameters.
#include "gfx/Types.h"
#include "ui/Messages.h"

class TControl;
class TWinControl;
class TCanvas;
struct THintInfo;

// Shift state: keys and mouse buttons held, as bit flags.
using TShiftState = unsigned;

struct TMessageRecord {
    explicit TMessageRecord(TMessage& m) : Message(m), Msg(m.Msg), Result(m.Result) {}
    TMessageRecord(const TMessageRecord&) = delete;
    TMessageRecord& operator=(const TMessageRecord&) = delete;

    TMessage& Message;
    const UINT Msg;
    LRESULT& Result;

    // Passes the message on unchanged (or as another message with the same parameters), for
    // handlers that offer it to a child or a parent.
    LRESULT PassTo(TControl& target) const { return PassTo(target, Msg); }
    LRESULT PassTo(TControl& target, UINT msg) const;
};

// A message whose parameters carry nothing (WM_CLOSE, CM_TEXTCHANGED ...).
using TWMNoParams = TMessageRecord;

// --- mouse ---

// Client mouse messages: WM_MOUSEMOVE, the button messages, WM_MOUSEHOVER.
struct TWMMouse : TMessageRecord {
    explicit TWMMouse(TMessage& m);
    TPoint Pos;        // client coordinates of the receiving control
    WPARAM Keys;       // MK_* flags, to pass the message on
    TShiftState Shift; // the same, with Alt from the keyboard
};

// WM_MOUSEWHEEL and CM_MOUSEWHEEL.
struct TWMMouseWheel : TMessageRecord {
    explicit TWMMouseWheel(TMessage& m);
    TPoint Pos; // screen coordinates
    WPARAM Keys;
    TShiftState Shift;
    int WheelDelta; // WHEEL_DELTA per notch, positive away from the user
};

// Non-client mouse messages: the hit-test code under the pointer and the screen point.
struct TWMNCMouse : TMessageRecord {
    explicit TWMNCMouse(TMessage& m);
    int HitTest;
    TPoint Pos; // screen coordinates
};

struct TWMNCHitTest : TMessageRecord {
    explicit TWMNCHitTest(TMessage& m);
    TPoint Pos; // screen coordinates; Result is the HT* code
};

struct TCMHitTest : TMessageRecord {
    explicit TCMHitTest(TMessage& m);
    TPoint Pos; // client coordinates; Result non-zero when the point is the control's
};

struct TWMSetCursor : TMessageRecord {
    explicit TWMSetCursor(TMessage& m);
    TWinControl* Window; // the window under the pointer
    int HitTest;
    UINT MouseMsg;
};

// CM_MOUSEENTER and CM_MOUSELEAVE.
struct TCMMouseEnterLeave : TMessageRecord {
    using TMessageRecord::TMessageRecord;
};

// --- keyboard ---

// WM_KEYDOWN, WM_KEYUP (and the system forms), CM_DIALOGKEY, CM_WANTSPECIALKEY.
struct TWMKey : TMessageRecord {
    explicit TWMKey(TMessage& m);
    WORD CharCode; // virtual key
    LPARAM KeyData;
    int RepeatCount;
    bool System; // WM_SYSKEYDOWN / WM_SYSKEYUP
    // A handler that changes the key changes it for the sender too.
    void SetCharCode(WORD key);
};

// WM_CHAR and CM_DIALOGCHAR.
struct TWMChar : TMessageRecord {
    explicit TWMChar(TMessage& m);
    char CharCode; // a character of the system code page
    void SetCharCode(char ch);
};

struct TWMGetDlgCode : TMessageRecord {
    explicit TWMGetDlgCode(TMessage& m);
    WORD CharCode; // the key being asked about, 0 when none
};

// --- painting and the frame ---

// WM_PAINT, WM_ERASEBKGND and WM_NCPAINT: the canvas set up for the part being drawn
// (origin, clip) and the area to draw in that canvas's coordinates.
struct TWMPaint : TMessageRecord {
    explicit TWMPaint(TMessage& m);
    TCanvas* Canvas; // null only when a caller asks for a paint without one
    TRect Dirty;
};
using TWMEraseBkgnd = TWMPaint;
using TWMNCPaint = TWMPaint;

struct TWMNCCalcSize : TMessageRecord {
    explicit TWMNCCalcSize(TMessage& m);
    bool CalcValidRects;
    TNCCalcSizeParams& Params; // rgrc[0]: the window rectangle in, the client rectangle out
};

struct TWMNCActivate : TMessageRecord {
    explicit TWMNCActivate(TMessage& m);
    bool Active;
};

// --- window state ---

struct TWMSize : TMessageRecord {
    explicit TWMSize(TMessage& m);
    int SizeType; // SIZE_*
    int Width;
    int Height;
};

struct TWMSizing : TMessageRecord {
    explicit TWMSizing(TMessage& m);
    int Edge;
    TRect* DragRect;
};

struct TWMMove : TMessageRecord {
    explicit TWMMove(TMessage& m);
    TPoint Pos;
};

struct TWMActivate : TMessageRecord {
    explicit TWMActivate(TMessage& m);
    int Active; // WA_*
    bool Minimized;
    TWinControl* Other; // the window losing or gaining activation
};

// WM_SETFOCUS and WM_KILLFOCUS.
struct TWMFocus : TMessageRecord {
    explicit TWMFocus(TMessage& m);
    TWinControl* Other; // the window losing or receiving the focus
};

struct TWMEnable : TMessageRecord {
    explicit TWMEnable(TMessage& m);
    bool Enabled;
};

struct TWMShowWindow : TMessageRecord {
    explicit TWMShowWindow(TMessage& m);
    bool Show;
    int Status;
};

struct TWMSetText : TMessageRecord {
    explicit TWMSetText(TMessage& m);
    const char* Text; // never null
};

struct TWMGetMinMaxInfo : TMessageRecord {
    explicit TWMGetMinMaxInfo(TMessage& m);
    TMinMaxInfo& Info;
};

struct TWMSysCommand : TMessageRecord {
    explicit TWMSysCommand(TMessage& m);
    UINT CmdType; // SC_* with the low four bits cleared
    TPoint Pos;
};

struct TWMCaptureChanged : TMessageRecord {
    explicit TWMCaptureChanged(TMessage& m);
    TWinControl* NewCapture;
};

struct TWMTimer : TMessageRecord {
    explicit TWMTimer(TMessage& m);
    uintptr_t TimerID;
};

// WM_HSCROLL and WM_VSCROLL.
struct TWMScroll : TMessageRecord {
    explicit TWMScroll(TMessage& m);
    int ScrollCode; // SB_*
    int Pos;        // 0 to 65535, with SB_THUMBPOSITION and SB_THUMBTRACK
};

// --- framework messages ---

struct TCMVisibleChanged : TMessageRecord {
    explicit TCMVisibleChanged(TMessage& m);
    bool Visible;
};

// CM_CONTROLCHANGE and CM_CONTROLLISTCHANGE.
struct TCMControlChange : TMessageRecord {
    explicit TCMControlChange(TMessage& m);
    TControl* Control;
    bool Inserting;
};

struct TCMChanged : TMessageRecord {
    explicit TCMChanged(TMessage& m);
    TControl* Child; // the control that changed, when it says so
};

struct TCMFocusChanged : TMessageRecord {
    explicit TCMFocusChanged(TMessage& m);
    TWinControl* Sender; // the form's new active control
};

struct TCMHintShow : TMessageRecord {
    explicit TCMHintShow(TMessage& m);
    THintInfo& HintInfo; // Result non-zero cancels the hint
};

struct TCMCancelMode : TMessageRecord {
    explicit TCMCancelMode(TMessage& m);
    TControl* Sender; // the control that takes the mouse
};

// --- edit messages ---

// EM_SETSEL: Start -1 keeps the selection (the caret stays); End -1 means the text's end.
struct TEMSetSel : TMessageRecord {
    explicit TEMSetSel(TMessage& m);
    int Start;
    int End;
};

// EM_SETMARGINS: which margins are given, and their widths.
struct TEMSetMargins : TMessageRecord {
    explicit TEMSetMargins(TMessage& m);
    bool SetsLeft;
    bool SetsRight;
    int Left;
    int Right;
};

// EM_LIMITTEXT: the longest text, in characters (0: no limit).
struct TEMLimitText : TMessageRecord {
    explicit TEMLimitText(TMessage& m);
    int Limit;
};

struct TEMSetReadOnly : TMessageRecord {
    explicit TEMSetReadOnly(TMessage& m);
    bool ReadOnly;
};

// EM_SETPASSWORDCHAR: the character shown for each one typed (0: the text shows).
struct TEMSetPasswordChar : TMessageRecord {
    explicit TEMSetPasswordChar(TMessage& m);
    char PasswordChar;
};
