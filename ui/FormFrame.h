#pragma once
// TFormFrame: a frame of its own for a form, in place of the classic one (the skinned frame
// is one). A form with a frame (TCustomForm::SetFrame) routes its frame's messages through
// this interface from its own handlers, in one of two ways:
//
// - Asked first (the methods returning bool): the frame may answer the message whole, setting
//   Result and returning true; the form's default then does not run. Returning false leaves
//   the message to the form's default.
// - Told after (the methods returning nothing): the form runs its default first and then tells
//   the frame, which follows the change (size, activation, text, showing, capture) or routes
//   the input to what it draws.
//
// A message that has both is told only when the frame did not answer it. The form does not
// route anything to a frame while the form itself is being destroyed.
#include "ui/MessageRecords.h"

class TFormFrame {
public:
    virtual ~TFormFrame() = default;

    // --- the non-client area: asked first ---
    virtual bool NCCalcSize(TWMNCCalcSize&) { return false; }
    virtual bool NCPaint(TWMNCPaint&) { return false; }
    virtual bool NCHitTest(TWMNCHitTest&) { return false; }
    virtual bool NCActivate(TWMNCActivate&) { return false; }
    virtual bool EraseBkgnd(TWMEraseBkgnd&) { return false; }
    virtual bool SysCommand(TWMSysCommand&) { return false; }
    // The frame's own timers run on the form's window.
    virtual bool Timer(TWMTimer&) { return false; }
    // A part of the frame that holds the mouse takes the client messages the capture brings.
    virtual bool ClientMouseMove(TWMMouse&) { return false; }
    virtual bool ClientLButtonUp(TWMMouse&) { return false; }
    virtual bool ClientRButtonUp(TWMMouse&) { return false; }
    // Messages the form's dispatch has no handler for (the frame's own numbers, the skin's
    // messages), asked from the form's DefaultHandler.
    virtual bool OtherMessage(TMessage&) { return false; }

    // --- told after the form's default ---
    virtual void NCActivated(TWMNCActivate&) {}
    virtual void Activated(TWMActivate&) {}
    virtual void TextSet(TWMSetText&) {}
    virtual void Sized(TWMSize&) {}
    virtual void Sizing(TWMSizing&) {}
    virtual void MinMaxInfo(TWMGetMinMaxInfo&) {}
    virtual void Shown(TWMShowWindow&) {}
    virtual void SizeMoveEntered(TWMNoParams&) {}
    virtual void SizeMoveExited(TWMNoParams&) {}
    virtual void SysCommanded(TWMSysCommand&) {}
    virtual void CaptureChanged(TWMCaptureChanged&) {}
    // Non-client mouse input, with the hit-test code and the screen point.
    virtual void NCMouseMove(TWMNCMouse&) {}
    virtual void NCLButtonDown(TWMNCMouse&) {}
    virtual void NCLButtonUp(TWMNCMouse&) {}
    virtual void NCLButtonDblClk(TWMNCMouse&) {}
    virtual void NCRButtonDown(TWMNCMouse&) {}
    virtual void NCRButtonUp(TWMNCMouse&) {}
    virtual void NCRButtonDblClk(TWMNCMouse&) {}

    // Told before anything else when the window moves or sizes, loses the focus or the
    // activation, leaves a mode, or any mouse button goes down on it: whatever the frame has
    // open (a hint, a menu) ends. focusTo is the window taking the focus, when the focus is
    // what moved.
    virtual void Interrupted(TWinControl* focusTo) { (void)focusTo; }
};
