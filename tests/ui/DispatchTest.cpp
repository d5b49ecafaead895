// The message dispatch: a handler overridden in a subclass receives its message, the base
// class's handler gives the default, messages without a named handler reach DefaultHandler,
// and the form's classic frame answers hit tests with the metrics the system reports.
#include <vector>

#include "UiTest.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {
constexpr UINT WM_PROBE_NOTICE = WM_USER + 7;
constexpr UINT WM_SKIN_CHANGED = WM_USER + 202;

// Overrides a few handlers only; everything else keeps the default behaviour.
class THandlerProbe : public TCustomControl {
public:
    explicit THandlerProbe(TComponent* owner) : TCustomControl(owner) {}
    int enters = 0;
    int leaves = 0;
    int downs = 0;
    int timers = 0;
    std::vector<UINT> unnamed; // what reached DefaultHandler
    int notices = 0;
    bool eraseOwnBackground = true;
    bool markFrame = false;

protected:
    void CMMouseEnter(TCMMouseEnterLeave& m) override {
        ++enters;
        TCustomControl::CMMouseEnter(m);
    }
    void CMMouseLeave(TCMMouseEnterLeave& m) override {
        ++leaves;
        TCustomControl::CMMouseLeave(m);
    }
    void WMLButtonDown(TWMMouse& m) override {
        ++downs;
        TCustomControl::WMLButtonDown(m); // capture, OnMouseDown
    }
    void WMTimer(TWMTimer& m) override {
        ++timers;
        TCustomControl::WMTimer(m); // no default of its own: on to DefaultHandler
    }
    void WMEraseBkgnd(TWMEraseBkgnd& m) override {
        if (eraseOwnBackground) TCustomControl::WMEraseBkgnd(m);
    }
    void WMNCPaint(TWMNCPaint& m) override {
        TCustomControl::WMNCPaint(m);
        if (!markFrame || !m.Canvas) return;
        m.Canvas->SetPixel(Width() - 1, Height() - 1, clRed);
    }
    void WMProbeNotice(TMessage& m) {
        ++notices;
        m.Result = 77;
    }
    void DefaultHandler(TMessage& m) override {
        static const TMessageTable<THandlerProbe> table = {
            {WM_PROBE_NOTICE, &THandlerProbe::WMProbeNotice}};
        if (table.Dispatch(*this, m)) return;
        unnamed.push_back(m.Msg);
        TCustomControl::DefaultHandler(m);
    }
};

int Count(const std::vector<UINT>& list, UINT msg) {
    return int(std::count(list.begin(), list.end(), msg));
}
} // namespace

TEST_F(UiTest, HandlersOverriddenInASubclassGetTheirMessagesAndTheBaseKeepsItsDefault) {
    TForm* f = NewForm();
    auto* p = new THandlerProbe(f);
    p->SetParent(f);
    p->SetBounds(20, 20, 100, 60);
    int mouseDowns = 0;
    p->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouseDowns; };
    f->Show();
    Pump();
    MoveTo(p, 10, 10);
    EXPECT_EQ(p->enters, 1);
    TPoint s = ScreenPt(p, 10, 10);
    display->MouseDown();
    Pump();
    EXPECT_EQ(p->downs, 1);
    EXPECT_EQ(mouseDowns, 1);         // the base handler still ran the event
    EXPECT_EQ(GetCapture(), HWND(p)); // and took the capture
    display->MouseUp();
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);
    display->MouseMove(s.X + 200, s.Y + 200);
    Pump();
    EXPECT_EQ(p->leaves, 1);
    // A handler with no default of its own passes the message on to DefaultHandler.
    SetTimer(p, 5, 10);
    display->Advance(15);
    Pump();
    KillTimer(p, 5);
    EXPECT_EQ(p->timers, 1);
    EXPECT_EQ(Count(p->unnamed, WM_TIMER), 1);
    // Handlers that have a default do not reach DefaultHandler.
    EXPECT_EQ(Count(p->unnamed, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(p->unnamed, CM_MOUSEENTER), 0);
}

TEST_F(UiTest, MessagesWithoutANamedHandlerReachDefaultHandlerOrTheControlsOwnTable) {
    TForm* f = NewForm();
    auto* p = new THandlerProbe(f);
    p->SetParent(f);
    f->Show();
    Pump();
    // The control's own number goes to the handler its table lists.
    EXPECT_EQ(SendMessage(p, WM_PROBE_NOTICE), 77);
    EXPECT_EQ(p->notices, 1);
    EXPECT_EQ(Count(p->unnamed, WM_PROBE_NOTICE), 0);
    // A number nobody names (a skin notice) reaches DefaultHandler, sent or posted.
    EXPECT_EQ(p->Perform(WM_SKIN_CHANGED, 1, 2), 0);
    PostMessage(p, WM_SKIN_CHANGED, 0, 0);
    Pump();
    EXPECT_EQ(Count(p->unnamed, WM_SKIN_CHANGED), 2);
    // A replaced WindowProc sees it first and may hand it on.
    int seen = 0;
    TWndMethod saved = p->WindowProc;
    p->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SKIN_CHANGED) ++seen;
        saved(m);
    };
    p->Perform(WM_SKIN_CHANGED);
    p->WindowProc = saved;
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Count(p->unnamed, WM_SKIN_CHANGED), 3);
}

TEST_F(UiTest, AnOverriddenPaintHandlerDrawsOverOrReplacesTheDefault) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* p = new THandlerProbe(f);
    p->SetParent(f);
    p->SetBounds(10, 10, 50, 40);
    p->SetStyle(p->Style() | WS_BORDER);
    p->SetColor(clLime);
    p->markFrame = true;
    f->Show();
    Pump();
    // The default frame (a one-pixel border in the frame colour) with the mark over it.
    EXPECT_EQ(PixelOf(f, 10, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(PixelOf(f, 59, 49), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(p, 5, 5), ColorToRGB(clLime));
    // Without the default erase the colour change does not reach the client area.
    p->eraseOwnBackground = false;
    p->SetColor(clBlue);
    EXPECT_EQ(PixelOf(p, 5, 5), ColorToRGB(clLime));
    p->eraseOwnBackground = true;
    p->Invalidate();
    EXPECT_EQ(PixelOf(p, 5, 5), ColorToRGB(clBlue));
}

TEST_F(UiTest, TheClassicFrameHitTestsWithTheSystemMetrics) {
    TForm* f = NewForm(300, 200);
    f->Show();
    Pump();
    int frame = GetSystemMetrics(SM_CXFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(GetSystemMetrics(SM_CYFRAME), frame);
    // The caption style carries a one-pixel border inside the frame.
    int edge = frame + GetSystemMetrics(SM_CXBORDER);
    TRect client = f->ClientRectInWindow();
    EXPECT_EQ(client.Left, edge);
    EXPECT_EQ(client.Top, edge + caption);
    EXPECT_EQ(f->Width() - client.Right, edge);
    EXPECT_EQ(f->Height() - client.Bottom, edge);
    auto hit = [&](int x, int y) {
        return int(f->Perform(WM_NCHITTEST, 0, PointToLParam({f->Left() + x, f->Top() + y})));
    };
    int w = f->Width(), h = f->Height();
    EXPECT_EQ(hit(w / 3, frame + 2), HTCAPTION);
    EXPECT_EQ(hit(w - frame - 6, frame + caption / 2), HTCLOSE);
    EXPECT_EQ(hit(0, 0), HTTOPLEFT);
    EXPECT_EQ(hit(w - 1, h - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(w / 2, h - 1), HTBOTTOM);
    EXPECT_EQ(hit(0, h / 2), HTLEFT);
    EXPECT_EQ(hit(w / 2, client.Top + 5), HTCLIENT);
    EXPECT_EQ(hit(w + 5, 5), HTNOWHERE);
    // A dialog frame does not size and has only the close button.
    f->SetBorderStyle(bsDialog);
    Pump();
    w = f->Width();
    h = f->Height();
    EXPECT_EQ(hit(0, 0), HTBORDER);
    EXPECT_EQ(hit(w / 2, h - 1), HTBORDER);
    EXPECT_EQ(hit(w - frame - 6, frame + caption / 2), HTCLOSE);
    EXPECT_EQ(hit(w - frame - 6 - 18, frame + caption / 2), HTCAPTION);
    // Without a frame only the border is left, and it does not size.
    f->SetBorderStyle(bsNone);
    Pump();
    EXPECT_EQ(f->ClientRectInWindow(), Rect(1, 1, f->Width() - 1, f->Height() - 1));
    EXPECT_EQ(hit(0, 0), HTBORDER);
    EXPECT_EQ(hit(5, 5), HTCLIENT);
}

namespace {
// Keeps what each family's record carried, as the dispatch decoded it.
class TRecordProbe : public TCustomControl {
public:
    explicit TRecordProbe(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetControlStyle(ControlStyle() | csCaptureMouse);
    }
    TPoint downPos{-1, -1};
    TShiftState downShift = 0;
    TPoint ncHitPos{-1, -1};
    WORD key = 0;
    bool keySystem = true;
    char typed = 0;
    TRect dirty;
    TCanvas* paintCanvas = nullptr;
    int wheelDelta = 0;
    TControl* cancelSender = nullptr;

protected:
    void WMLButtonDown(TWMMouse& m) override {
        downPos = m.Pos;
        downShift = m.Shift;
        TCustomControl::WMLButtonDown(m);
    }
    void WMNCHitTest(TWMNCHitTest& m) override {
        ncHitPos = m.Pos;
        TCustomControl::WMNCHitTest(m);
    }
    void WMKeyDown(TWMKey& m) override {
        key = m.CharCode;
        keySystem = m.System;
        TCustomControl::WMKeyDown(m);
    }
    void WMChar(TWMChar& m) override {
        typed = m.CharCode;
        TCustomControl::WMChar(m);
    }
    void WMPaint(TWMPaint& m) override {
        paintCanvas = m.Canvas;
        dirty = m.Dirty;
        TCustomControl::WMPaint(m);
    }
    void CMMouseWheel(TWMMouseWheel& m) override {
        wheelDelta = m.WheelDelta;
        TCustomControl::CMMouseWheel(m);
    }
    void CMCancelMode(TCMCancelMode& m) override {
        cancelSender = m.Sender;
        TCustomControl::CMCancelMode(m);
    }
};
} // namespace

TEST_F(UiTest, EachMessageFamilyReachesItsHandlerDecodedFromRealInput) {
    TForm* f = NewForm();
    auto* p = new TRecordProbe(f);
    p->SetParent(f);
    p->SetBounds(20, 30, 100, 60);
    f->Show();
    Pump();
    ASSERT_NE(p->paintCanvas, nullptr);
    EXPECT_EQ(p->dirty, Rect(0, 0, 100, 60)); // the first paint covers the whole window
    // A part invalidated alone arrives as the paint's dirty rectangle, in client coordinates.
    TRect part = Rect(10, 5, 30, 25);
    InvalidateRect(p, &part, false);
    Pump();
    EXPECT_EQ(p->dirty, part);

    TPoint s = ScreenPt(p, 7, 9);
    display->MouseMove(s.X, s.Y);
    Pump();
    EXPECT_EQ(p->ncHitPos, s); // hit tests carry the screen point
    display->KeyDownOnly(VK_SHIFT, ModShift);
    display->MouseDown();
    Pump();
    EXPECT_EQ(p->downPos, TPoint(7, 9)); // client point of the control
    EXPECT_EQ(p->downShift & (ssLeft | ssShift), ssLeft | ssShift);
    display->MouseUp();
    display->KeyUpOnly(VK_SHIFT);
    Pump();

    p->SetFocus();
    display->KeyPress('A');
    Pump();
    EXPECT_EQ(p->key, WORD('A'));
    EXPECT_FALSE(p->keySystem);
    EXPECT_EQ(p->typed, 'a');
    display->Wheel(-2);
    Pump();
    EXPECT_EQ(p->wheelDelta, -2 * WHEEL_DELTA);
}

TEST_F(UiTest, ShowHintAndCancelModeAreSentWhereTheyChange) {
    TForm* f = NewForm();
    auto* panel = new TPanel(f);
    panel->SetParent(f);
    panel->SetBounds(0, 0, 200, 100);
    auto* inner = new TRecordProbe(panel);
    inner->SetParent(panel);
    inner->SetBounds(10, 10, 50, 50);
    auto* other = new TRecordProbe(f);
    other->SetParent(f);
    other->SetBounds(220, 10, 50, 50);
    f->Show();
    Pump();
    // A window's ShowHint reaches the children that follow their parent's.
    EXPECT_FALSE(inner->ShowHint());
    panel->SetShowHint(true);
    EXPECT_TRUE(inner->ShowHint());
    panel->SetShowHint(false);
    EXPECT_FALSE(inner->ShowHint());
    // A press on another control tells the active one who takes the mouse.
    inner->SetFocus();
    Pump();
    ASSERT_EQ(f->ActiveControl(), inner);
    MoveTo(other, 5, 5);
    display->MouseDown();
    display->MouseUp();
    Pump();
    EXPECT_EQ(inner->cancelSender, other);
    EXPECT_EQ(other->cancelSender, nullptr);
}
