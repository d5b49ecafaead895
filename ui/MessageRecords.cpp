// The decoding of each message family: the one place that reads a message's parameters.
#include "ui/MessageRecords.h"

#include "gfx/Canvas.h"
#include "ui/Control.h"

namespace {
int SignedLow(uintptr_t v) {
    return int(int16_t(LOWORD(v)));
}
int SignedHigh(uintptr_t v) {
    return int(int16_t(HIWORD(v)));
}
// An empty text for a null pointer, so that a handler never has to ask.
const char* TextOrEmpty(LPARAM l) {
    const char* text = reinterpret_cast<const char*>(l);
    return text ? text : "";
}
} // namespace

LRESULT TMessageRecord::PassTo(TControl& target, UINT msg) const {
    return target.Perform(msg, Message.WParam, Message.LParam);
}

TWMMouse::TWMMouse(TMessage& m)
    : TMessageRecord(m), Pos(LParamToPoint(m.LParam)), Keys(m.WParam),
      Shift(KeysToShiftState(m.WParam)) {}

TWMMouseWheel::TWMMouseWheel(TMessage& m)
    : TMessageRecord(m), Pos(LParamToPoint(m.LParam)), Keys(LOWORD(m.WParam)),
      Shift(KeysToShiftState(LOWORD(m.WParam))), WheelDelta(GET_WHEEL_DELTA_WPARAM(m.WParam)) {}

TWMNCMouse::TWMNCMouse(TMessage& m)
    : TMessageRecord(m), HitTest(int(m.WParam)), Pos(LParamToPoint(m.LParam)) {}

TWMNCHitTest::TWMNCHitTest(TMessage& m) : TMessageRecord(m), Pos(LParamToPoint(m.LParam)) {}

TCMHitTest::TCMHitTest(TMessage& m) : TMessageRecord(m), Pos(LParamToPoint(m.LParam)) {}

TWMSetCursor::TWMSetCursor(TMessage& m)
    : TMessageRecord(m), Window(reinterpret_cast<TWinControl*>(m.WParam)),
      HitTest(SignedLow(uintptr_t(m.LParam))), MouseMsg(HIWORD(uintptr_t(m.LParam))) {}

TWMKey::TWMKey(TMessage& m)
    : TMessageRecord(m), CharCode(WORD(m.WParam)), KeyData(m.LParam),
      RepeatCount(LOWORD(uintptr_t(m.LParam))),
      System(m.Msg == WM_SYSKEYDOWN || m.Msg == WM_SYSKEYUP) {}

void TWMKey::SetCharCode(WORD key) {
    CharCode = key;
    Message.WParam = key;
}

TWMChar::TWMChar(TMessage& m) : TMessageRecord(m), CharCode(char(m.WParam)) {}

void TWMChar::SetCharCode(char ch) {
    CharCode = ch;
    Message.WParam = WPARAM(static_cast<unsigned char>(ch));
}

TWMGetDlgCode::TWMGetDlgCode(TMessage& m) : TMessageRecord(m), CharCode(WORD(m.WParam)) {}

TWMPaint::TWMPaint(TMessage& m)
    : TMessageRecord(m), Canvas(reinterpret_cast<TCanvas*>(m.WParam)),
      Dirty(Canvas ? Canvas->ClipRect() : TRect{}) {}

TWMNCCalcSize::TWMNCCalcSize(TMessage& m)
    : TMessageRecord(m), CalcValidRects(m.WParam != 0),
      Params(*reinterpret_cast<TNCCalcSizeParams*>(m.LParam)) {}

TWMNCActivate::TWMNCActivate(TMessage& m) : TMessageRecord(m), Active(m.WParam != 0) {}

TWMSize::TWMSize(TMessage& m)
    : TMessageRecord(m), SizeType(int(m.WParam)), Width(LOWORD(uintptr_t(m.LParam))),
      Height(HIWORD(uintptr_t(m.LParam))) {}

TWMSizing::TWMSizing(TMessage& m)
    : TMessageRecord(m), Edge(int(m.WParam)), DragRect(reinterpret_cast<TRect*>(m.LParam)) {}

TWMMove::TWMMove(TMessage& m)
    : TMessageRecord(m), Pos{SignedLow(uintptr_t(m.LParam)), SignedHigh(uintptr_t(m.LParam))} {}

TWMActivate::TWMActivate(TMessage& m)
    : TMessageRecord(m), Active(LOWORD(m.WParam)), Minimized(HIWORD(m.WParam) != 0),
      Other(reinterpret_cast<TWinControl*>(m.LParam)) {}

TWMFocus::TWMFocus(TMessage& m)
    : TMessageRecord(m), Other(reinterpret_cast<TWinControl*>(m.WParam)) {}

TWMEnable::TWMEnable(TMessage& m) : TMessageRecord(m), Enabled(m.WParam != 0) {}

TWMShowWindow::TWMShowWindow(TMessage& m)
    : TMessageRecord(m), Show(m.WParam != 0), Status(int(m.LParam)) {}

TWMSetText::TWMSetText(TMessage& m) : TMessageRecord(m), Text(TextOrEmpty(m.LParam)) {}

TWMGetMinMaxInfo::TWMGetMinMaxInfo(TMessage& m)
    : TMessageRecord(m), Info(*reinterpret_cast<TMinMaxInfo*>(m.LParam)) {}

TWMSysCommand::TWMSysCommand(TMessage& m)
    : TMessageRecord(m), CmdType(UINT(m.WParam & 0xFFF0)), Pos(LParamToPoint(m.LParam)) {}

TWMCaptureChanged::TWMCaptureChanged(TMessage& m)
    : TMessageRecord(m), NewCapture(reinterpret_cast<TWinControl*>(m.LParam)) {}

TWMTimer::TWMTimer(TMessage& m) : TMessageRecord(m), TimerID(m.WParam) {}

TWMScroll::TWMScroll(TMessage& m)
    : TMessageRecord(m), ScrollCode(LOWORD(m.WParam)), Pos(HIWORD(m.WParam)) {}

TCMVisibleChanged::TCMVisibleChanged(TMessage& m) : TMessageRecord(m), Visible(m.WParam != 0) {}

TCMControlChange::TCMControlChange(TMessage& m)
    : TMessageRecord(m), Control(reinterpret_cast<TControl*>(m.WParam)), Inserting(m.LParam != 0) {}

TCMChanged::TCMChanged(TMessage& m)
    : TMessageRecord(m), Child(reinterpret_cast<TControl*>(m.LParam)) {}

TCMFocusChanged::TCMFocusChanged(TMessage& m)
    : TMessageRecord(m), Sender(reinterpret_cast<TWinControl*>(m.LParam)) {}

TCMHintShow::TCMHintShow(TMessage& m)
    : TMessageRecord(m), HintInfo(*reinterpret_cast<THintInfo*>(m.LParam)) {}

TCMCancelMode::TCMCancelMode(TMessage& m)
    : TMessageRecord(m), Sender(reinterpret_cast<TControl*>(m.LParam)) {}

TEMSetSel::TEMSetSel(TMessage& m)
    : TMessageRecord(m), Start(int(intptr_t(m.WParam))), End(int(m.LParam)) {}

TEMSetMargins::TEMSetMargins(TMessage& m)
    : TMessageRecord(m), SetsLeft((m.WParam & EC_LEFTMARGIN) != 0),
      SetsRight((m.WParam & EC_RIGHTMARGIN) != 0), Left(LOWORD(uintptr_t(m.LParam))),
      Right(HIWORD(uintptr_t(m.LParam))) {}

TEMLimitText::TEMLimitText(TMessage& m) : TMessageRecord(m), Limit(int(m.WParam)) {}

TEMSetReadOnly::TEMSetReadOnly(TMessage& m) : TMessageRecord(m), ReadOnly(m.WParam != 0) {}

TEMSetPasswordChar::TEMSetPasswordChar(TMessage& m)
    : TMessageRecord(m), PasswordChar(char(m.WParam)) {}
