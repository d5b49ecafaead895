// What a frame component does to a form: it replaces the window procedure and then owns the
// non-client area, hit testing, activation painting and the window's shape.
#include <vector>

#include "UiTest.h"
#include "ui/StdCtrls.h"

namespace {
// A minimal frame: a 10-pixel border all round, a 20-pixel caption strip at the top that
// moves the window, and a red frame colour; everything else goes to the saved procedure.
struct TestFrame {
    TForm* form;
    TWndMethod saved;
    std::vector<UINT> seen;
    int ncPaints = 0;

    explicit TestFrame(TForm* f) : form(f) {
        saved = f->WindowProc;
        f->WindowProc = [this](TMessage& m) { Handle(m); };
        SetWindowLong(f, GWL_STYLE, GetWindowLong(f, GWL_STYLE) & ~WS_CAPTION);
        f->RecreateWnd();
    }
    ~TestFrame() { form->WindowProc = saved; }

    void Handle(TMessage& m) {
        seen.push_back(m.Msg);
        switch (m.Msg) {
        case WM_NCCALCSIZE: {
            TRect& r = reinterpret_cast<TNCCalcSizeParams*>(m.LParam)->rgrc[0];
            r = Rect(r.Left + 10, r.Top + 30, r.Right - 10, r.Bottom - 10);
            return;
        }
        case WM_NCPAINT: {
            ++ncPaints;
            auto* c = reinterpret_cast<TCanvas*>(m.WParam);
            c->Brush()->SetColor(clRed);
            c->FillRect(Rect(0, 0, form->Width(), form->Height()));
            return;
        }
        case WM_NCHITTEST: {
            TPoint p = LParamToPoint(m.LParam);
            int y = p.Y - form->Top();
            m.Result = y >= 0 && y < 20 ? HTCAPTION : HTCLIENT;
            if (!form->ClientRectInWindow().Contains({p.X - form->Left(), y}) && y >= 20)
                m.Result = HTBORDER;
            return;
        }
        default:
            saved(m);
        }
    }
};
} // namespace

TEST_F(UiTest, AReplacedWindowProcedureOwnsTheNonClientArea) {
    TForm* f = NewForm(200, 100);
    f->SetColor(clWhite);
    TestFrame frame(f);
    EXPECT_EQ(f->ClientRectInWindow().Top, 30);
    f->SetClientWidth(200);
    f->SetClientHeight(100);
    EXPECT_EQ(f->Width(), 220);
    EXPECT_EQ(f->Height(), 140);
    f->Show();
    Pump();
    EXPECT_GE(frame.ncPaints, 1);
    EXPECT_EQ(PixelOf(f, -5, 10), ColorToRGB(clRed)); // the border, left of the client area
    EXPECT_EQ(PixelOf(f, 5, 5), ColorToRGB(clWhite));
    // Its caption strip drags the window.
    int left = f->Left(), top = f->Top();
    display->MouseMove(left + 50, top + 5);
    display->MouseDown();
    display->MouseMove(left + 80, top + 25);
    display->MouseUp();
    Pump();
    EXPECT_EQ(f->Left(), left + 30);
    EXPECT_EQ(f->Top(), top + 20);
    // Activation changes repaint the frame.
    int before = frame.ncPaints;
    TForm* other = Application->CreateForm<TForm>();
    other->Show();
    Pump();
    EXPECT_GT(frame.ncPaints, before);
    EXPECT_NE(std::find(frame.seen.begin(), frame.seen.end(), UINT(WM_NCACTIVATE)),
              frame.seen.end());
    EXPECT_FALSE(f->Active());
    // Caption text changes pass through it.
    frame.seen.clear();
    f->SetCaption("Brelvan");
    EXPECT_NE(std::find(frame.seen.begin(), frame.seen.end(), UINT(WM_SETTEXT)), frame.seen.end());
    EXPECT_EQ(f->Caption(), "Brelvan");
}

TEST_F(UiTest, ATopLevelRegionShapesTheDisplayWindow) {
    TForm* f = NewForm(100, 100);
    f->Show();
    TRegion shape =
        TRegion::FromRects({Rect(0, 0, f->Width(), 20), Rect(5, 20, f->Width() - 5, f->Height())});
    SetWindowRgn(f, shape, true);
    Pump();
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->shape.size(), shape.Rects().size());
    TRegion back;
    ASSERT_TRUE(GetWindowRgn(f, back));
    EXPECT_EQ(back, shape);
    // Outside the shape the form is not under the pointer.
    EXPECT_EQ(WindowFromPoint({f->Left() + 2, f->Top() + 50}), nullptr);
    EXPECT_EQ(WindowFromPoint({f->Left() + 10, f->Top() + 50}), f);
}

TEST_F(UiTest, ARegionGivenBeforeTheFirstShowShapesTheDisplayWindow) {
    TForm* f = NewForm(100, 100);
    TRegion shape = TRegion::FromRects({Rect(4, 0, f->Width() - 4, f->Height())});
    SetWindowRgn(f, shape, false);
    f->Show();
    Pump();
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->shape.size(), 1u);
    EXPECT_EQ(w->shape[0], (DisplayRect{4, 0, f->Width() - 8, f->Height()}));
    // Taking the region away makes the display window rectangular again.
    SetWindowRgn(f, TRegion(), false);
    EXPECT_TRUE(display->FindWindow(f->DisplayWindow())->shape.empty());
}

TEST_F(UiTest, WindowDcCanvasDrawsOnTheFrameAndIsShownNextPass) {
    TForm* f = NewForm(100, 100);
    f->Show();
    Pump();
    TCanvas* dc = GetWindowDC(f);
    dc->Brush()->SetColor(clLime);
    dc->FillRect(Rect(0, 0, 3, 3));
    Pump();
    EXPECT_EQ(display->PixelAt(f->DisplayWindow(), 1, 1), ColorToPixel(clLime) & 0xFFFFFF);
    // A hidden form's canvas draws nowhere and does not crash.
    f->Hide();
    TCanvas* none = GetDC(f);
    none->Brush()->SetColor(clRed);
    none->FillRect(Rect(0, 0, 50, 50));
    Pump();
}

TEST_F(UiTest, FocusMovesRaiseExitThenEnterAndFollowVisibility) {
    TForm* f = NewForm();
    auto* a = new TEdit(f);
    a->SetParent(f);
    auto* b = new TEdit(f);
    b->SetParent(f);
    b->SetTop(40);
    std::vector<std::string> events;
    a->OnEnter = [&](TObject*) { events.push_back("enter a"); };
    a->OnExit = [&](TObject*) { events.push_back("exit a"); };
    b->OnEnter = [&](TObject*) { events.push_back("enter b"); };
    f->Show();
    Pump();
    b->SetFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
    // Hiding or disabling the focused control gives the focus back to the form.
    b->Hide();
    EXPECT_NE(GetFocus(), b);
    a->SetFocus();
    a->SetEnabled(false);
    EXPECT_NE(GetFocus(), a);
    Press('Q'); // goes nowhere, breaks nothing
    EXPECT_EQ(a->Text(), "");
}

TEST_F(UiTest, KeyHandlersCanEatKeysAndTheFormCanPreviewThem) {
    TForm* f = NewForm();
    auto* e = new TEdit(f);
    e->SetParent(f);
    e->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == 'A') key = 0;
    };
    e->OnKeyPress = [](TObject*, char& key) {
        if (key == 'b') key = 'B';
    };
    std::string preview;
    f->OnKeyPress = [&](TObject*, char& key) { preview += key; };
    f->Show();
    e->SetFocus();
    Pump();
    Press('A'); // eaten at key down: no character follows
    Press('B');
    EXPECT_EQ(e->Text(), "B");
    EXPECT_TRUE(preview.empty());
    f->SetKeyPreview(true);
    Press('C');
    EXPECT_EQ(preview, "c");
    EXPECT_EQ(e->Text(), "Bc");
}

TEST_F(UiTest, PostedMessagesArriveInOrderAndReleaseDeletesAfterTheHandler) {
    TForm* f = NewForm();
    std::vector<int> order;
    f->OnClick = nullptr;
    auto* probe = new TEdit(f);
    probe->SetParent(f);
    probe->WindowProc = [&, probe, saved = probe->WindowProc](TMessage& m) {
        if (m.Msg >= WM_APP && m.Msg < WM_APP + 10)
            order.push_back(int(m.Msg - WM_APP));
        else
            saved(m);
    };
    PostMessage(probe, WM_APP + 1);
    PostMessage(probe, WM_APP + 2);
    EXPECT_EQ(SendMessage(probe, WM_APP + 3), 0);
    EXPECT_EQ(order, (std::vector<int>{3}));
    Pump();
    EXPECT_EQ(order, (std::vector<int>{3, 1, 2}));
    TForm* temp = Application->CreateForm<TForm>();
    temp->Show();
    int count = Screen->FormCount();
    temp->Release();
    EXPECT_EQ(Screen->FormCount(), count); // still there until the loop runs
    Pump();
    EXPECT_EQ(Screen->FormCount(), count - 1);
}

TEST_F(UiTest, RunShowsTheMainFormAndEndsWhenItCloses) {
    TForm* main = NewForm();
    int shown = 0;
    main->OnShow = [&](TObject*) { ++shown; };
    Application->OnIdle = [&](TObject*, bool&) { main->Close(); };
    Application->Run();
    Application->OnIdle = nullptr;
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Application->MainForm(), main);
}

TEST_F(UiTest, PageAreasOfTheScrollBarRepeatWhileHeld) {
    TForm* f = NewForm();
    struct TBar : TCustomControl {
        using TCustomControl::TCustomControl;
        std::vector<int> codes;
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_HSCROLL) {
                codes.push_back(LOWORD(m.WParam));
                return;
            }
            TCustomControl::WndProc(m);
        }
    };
    auto* w = new TBar(f);
    w->SetParent(f);
    w->SetBounds(0, 0, 200, 60);
    TScrollInfo si;
    si.fMask = SIF_ALL;
    si.nMax = 999;
    si.nPage = 100;
    si.nPos = 0;
    SetScrollInfo(w, SB_HORZ, si, true);
    f->Show();
    Pump();
    TRect wr = GetWindowRect(w);
    // Right of the thumb: page right, then again every 50 ms after a 400 ms pause.
    display->MouseMove(wr.Left + 150, wr.Bottom - 5);
    display->MouseDown();
    Pump();
    EXPECT_EQ(w->codes, (std::vector<int>{SB_PAGERIGHT}));
    display->Advance(400);
    Pump();
    display->Advance(50);
    Pump();
    EXPECT_EQ(w->codes.size(), 3u);
    display->MouseUp();
    Pump();
    EXPECT_EQ(w->codes.back(), SB_ENDSCROLL);
    // A disabled bar sends nothing.
    w->codes.clear();
    EnableScrollBar(w, SB_HORZ, ESB_DISABLE_BOTH);
    display->Click(wr.Left + 150, wr.Bottom - 5);
    Pump();
    EXPECT_TRUE(w->codes.empty());
}
