// The message dispatch: a handler overridden in a subclass receives its message, the base
// class's handler gives the default, messages without a named handler reach DefaultHandler,
// and the form's classic frame answers hit tests with the metrics the system reports.
#include <vector>

#include "UiTest.h"
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
