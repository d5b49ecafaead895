// Mouse and keyboard through the display's input path: routing, capture, double clicks,
// enter and leave, the wheel, focus, Tab order and dialog keys.
#include <vector>

#include "UiTest.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {
// A windowed control that records the messages it gets.
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<UINT> messages;
    std::vector<TPoint> points;
    int wheel = 0;
    int Count(UINT msg) const { return int(std::count(messages.begin(), messages.end(), msg)); }

protected:
    void WndProc(TMessage& m) override {
        if ((m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) || m.Msg == CM_MOUSEENTER ||
            m.Msg == CM_MOUSELEAVE || m.Msg == WM_MOUSEHOVER || m.Msg == WM_KEYDOWN ||
            m.Msg == WM_CHAR || m.Msg == WM_KEYUP || m.Msg == WM_SETFOCUS ||
            m.Msg == WM_KILLFOCUS) {
            messages.push_back(m.Msg);
            points.push_back(LParamToPoint(m.LParam));
        }
        if (m.Msg == WM_MOUSEWHEEL) {
            wheel += GET_WHEEL_DELTA_WPARAM(m.WParam);
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
    }
};

class TGraphicProbe : public TGraphicControl {
public:
    explicit TGraphicProbe(TComponent* owner) : TGraphicControl(owner) {}
    int downs = 0;
    TPoint last;

protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        ++downs;
        last = {x, y};
        TGraphicControl::MouseDown(b, s, x, y);
    }
};
} // namespace

TEST_F(UiTest, ClicksReachTheTopmostControlInClientCoordinates) {
    TForm* f = NewForm();
    auto* below = new TProbe(f);
    below->SetParent(f);
    below->SetBounds(10, 10, 100, 100);
    auto* above = new TProbe(f);
    above->SetParent(f);
    above->SetBounds(50, 50, 100, 100);
    f->Show();
    Pump();
    Click(f, 60, 60); // where both overlap: the later one is on top
    EXPECT_EQ(above->Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(below->Count(WM_LBUTTONDOWN), 0);
    auto it = std::find(above->messages.begin(), above->messages.end(), WM_LBUTTONDOWN);
    EXPECT_EQ(above->points[size_t(it - above->messages.begin())], (TPoint{10, 10}));
    Click(f, 20, 20);
    EXPECT_EQ(below->Count(WM_LBUTTONDOWN), 1);
    // Hidden and disabled windows let the click through to what lies under them.
    above->Hide();
    Click(f, 60, 60);
    EXPECT_EQ(below->Count(WM_LBUTTONDOWN), 2);
}

TEST_F(UiTest, WindowlessChildrenGetTheirParentsMouseMessages) {
    TForm* f = NewForm();
    auto* g = new TGraphicProbe(f);
    g->SetParent(f);
    g->SetBounds(30, 40, 50, 20);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    f->Show();
    Click(f, 35, 45);
    EXPECT_EQ(g->downs, 1);
    EXPECT_EQ(g->last, (TPoint{5, 5}));
    EXPECT_EQ(clicks, 1);
    // Press inside, release outside: no click.
    TPoint in = ScreenPt(f, 35, 45), out = ScreenPt(f, 200, 150);
    display->MouseMove(in.X, in.Y);
    display->MouseDown();
    display->MouseMove(out.X, out.Y);
    display->MouseUp();
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(UiTest, CaptureKeepsTheMouseUntilReleased) {
    TForm* f = NewForm();
    auto* a = new TProbe(f);
    a->SetParent(f);
    a->SetBounds(10, 10, 50, 50);
    auto* b = new TProbe(f);
    b->SetParent(f);
    b->SetBounds(100, 10, 50, 50);
    f->Show();
    TPoint p = ScreenPt(a, 5, 5), q = ScreenPt(b, 5, 5);
    display->MouseMove(p.X, p.Y);
    display->MouseDown();
    Pump();
    EXPECT_EQ(GetCapture(), a); // presses capture (csCaptureMouse)
    display->MouseMove(q.X, q.Y);
    display->MouseUp();
    Pump();
    EXPECT_EQ(b->Count(WM_MOUSEMOVE), 0);
    EXPECT_EQ(a->Count(WM_LBUTTONUP), 1);
    EXPECT_EQ(a->points.back(), (TPoint{95, 5})); // outside its client area
    EXPECT_EQ(GetCapture(), nullptr);
    display->MouseMove(q.X + 1, q.Y);
    Pump();
    EXPECT_EQ(b->Count(WM_MOUSEMOVE), 1);
}

TEST_F(UiTest, DoubleClicksFollowTimeAndDistance) {
    TForm* f = NewForm();
    auto* a = new TProbe(f);
    a->SetParent(f);
    a->SetBounds(10, 10, 100, 100);
    int dbl = 0;
    a->OnDblClick = [&](TObject*) { ++dbl; };
    f->Show();
    Click(a, 20, 20);
    display->Advance(300);
    Click(a, 21, 21);
    EXPECT_EQ(a->Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(dbl, 1);
    display->Advance(600);
    Click(a, 21, 21);
    display->Advance(600); // too slow
    Click(a, 21, 21);
    display->Advance(100);
    Click(a, 40, 40); // too far
    EXPECT_EQ(a->Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(a->Count(WM_LBUTTONDOWN), 4);
}

TEST_F(UiTest, EnterAndLeaveFollowThePointer) {
    TForm* f = NewForm();
    auto* a = new TProbe(f);
    a->SetParent(f);
    a->SetBounds(10, 10, 50, 50);
    auto* g = new TGraphicProbe(f);
    g->SetParent(f);
    g->SetBounds(100, 10, 50, 50);
    int enters = 0, leaves = 0;
    g->OnMouseEnter = [&](TObject*) { ++enters; };
    g->OnMouseLeave = [&](TObject*) { ++leaves; };
    f->Show();
    MoveTo(a, 5, 5);
    MoveTo(a, 6, 6);
    EXPECT_EQ(a->Count(CM_MOUSEENTER), 1);
    MoveTo(f, 120, 20);
    EXPECT_EQ(a->Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(enters, 1);
    MoveTo(f, 200, 150);
    EXPECT_EQ(leaves, 1);
}

TEST_F(UiTest, AHoverRequestGivesOneMessageAfterThePointerRests) {
    TForm* f = NewForm();
    auto* a = new TProbe(f);
    a->SetParent(f);
    a->SetBounds(10, 10, 80, 80);
    f->Show();
    MoveTo(a, 20, 20);
    TTrackMouseEvent tme;
    tme.dwFlags = TME_HOVER;
    tme.hwndTrack = a;
    ASSERT_TRUE(TrackMouseEvent(tme));
    display->Advance(300);
    MoveTo(a, 21, 22); // small moves keep the clock running
    display->Advance(99);
    Pump();
    EXPECT_EQ(a->Count(WM_MOUSEHOVER), 0);
    MoveTo(a, 40, 40); // a real move starts the wait again
    display->Advance(399);
    Pump();
    EXPECT_EQ(a->Count(WM_MOUSEHOVER), 0);
    display->Advance(1);
    Pump();
    ASSERT_EQ(a->Count(WM_MOUSEHOVER), 1);
    EXPECT_EQ(a->points.back(), (TPoint{40, 40}));
    display->Advance(1000);
    Pump();
    EXPECT_EQ(a->Count(WM_MOUSEHOVER), 1); // one per request

    // Leaving the window or cancelling ends a request; so does destroying the window.
    TrackMouseEvent(tme);
    MoveTo(f, 200, 150);
    display->Advance(1000);
    Pump();
    EXPECT_EQ(a->Count(WM_MOUSEHOVER), 1);
    MoveTo(a, 20, 20);
    TrackMouseEvent(tme);
    tme.dwFlags = TME_HOVER | TME_CANCEL;
    TrackMouseEvent(tme);
    display->Advance(1000);
    Pump();
    EXPECT_EQ(a->Count(WM_MOUSEHOVER), 1);
    tme.dwFlags = TME_HOVER;
    tme.dwHoverTime = 50;
    TrackMouseEvent(tme);
    delete a;
    display->Advance(1000);
    Pump();
}

TEST_F(UiTest, WheelGoesToTheFocusAndUpToItsParents) {
    TForm* f = NewForm();
    auto* panel = new TProbe(f);
    panel->SetParent(f);
    panel->SetBounds(0, 0, 200, 150);
    auto* edit = new TEdit(f);
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 100, 21);
    f->Show();
    edit->SetFocus();
    Pump();
    MoveTo(f, 250, 180); // elsewhere: the wheel still goes to the focus
    display->Wheel(-2);
    Pump();
    EXPECT_EQ(panel->wheel, -240); // the edit does not take it, its parent does
}

TEST_F(UiTest, KeysGoToTheFocusedControlAndTabFollowsTheTabOrder) {
    TForm* f = NewForm();
    auto* a = new TProbe(f);
    a->SetParent(f);
    a->SetBounds(0, 0, 20, 20);
    auto* b = new TProbe(f);
    b->SetParent(f);
    b->SetBounds(30, 0, 20, 20);
    auto* c = new TProbe(f);
    c->SetParent(f);
    c->SetBounds(60, 0, 20, 20);
    auto* skipped = new TProbe(f);
    skipped->SetParent(f);
    skipped->SetTabStop(false);
    c->SetTabOrder(0); // c, a, b
    f->Show();
    Pump();
    EXPECT_EQ(GetFocus(), c);
    Press('X');
    EXPECT_EQ(c->Count(WM_KEYDOWN), 1);
    EXPECT_EQ(c->Count(WM_CHAR), 1);
    EXPECT_EQ(a->Count(WM_KEYDOWN), 0);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(a->Count(WM_KEYDOWN), 0); // Tab went to the form, not to the control
    b->SetEnabled(false);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), c);
    Press(VK_TAB, ModShift);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(f->ActiveControl(), a);
}

TEST_F(UiTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
    TForm* f = NewForm();
    auto* edit = new TEdit(f);
    edit->SetParent(f);
    auto* ok = new TButton(f);
    ok->SetParent(f);
    ok->SetTop(50);
    ok->SetDefault(true);
    auto* cancel = new TButton(f);
    cancel->SetParent(f);
    cancel->SetTop(90);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    f->Show();
    edit->SetFocus();
    Pump();
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(edit->Text(), ""); // neither reached the edit as characters
    // With the focus on the other button, Enter presses that one.
    cancel->SetFocus();
    Pump();
    Press(VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 2);
}

TEST_F(UiTest, AcceleratorOfALabelFocusesItsControl) {
    TForm* f = NewForm();
    auto* first = new TEdit(f);
    first->SetParent(f);
    auto* label = new TLabel(f);
    label->SetParent(f);
    label->SetCaption("&Password");
    label->SetTop(40);
    auto* second = new TEdit(f);
    second->SetParent(f);
    second->SetTop(60);
    label->SetFocusControl(second);
    f->Show();
    first->SetFocus();
    Pump();
    Press('P', ModAlt);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(second->Text(), "");
    delete second; // the label forgets it
    EXPECT_EQ(label->FocusControl(), nullptr);
}
