// The window system's parts: the modal stack's operations, what the display's window events do
// to a form, and that a destroyed window is forgotten by every part.
#include "ui/WindowSystem.h"
#include "UiTest.h"
#include "ui/StdCtrls.h"

namespace {
class TRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT> got;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_TIMER || m.Msg == WM_USER + 1 || m.Msg == WM_MOVE) got.push_back(m.Msg);
        TCustomControl::WndProc(m);
    }
    int Count(UINT msg) const { return int(std::count(got.begin(), got.end(), msg)); }
};

DisplayEvent WindowEvent(DisplayEventKind kind, int window, int x = 0, int y = 0) {
    DisplayEvent e;
    e.kind = kind;
    e.window = window;
    e.x = x;
    e.y = y;
    return e;
}
} // namespace

TEST_F(UiTest, TheModalStackKeepsEachFormOnceInnermostOnTop) {
    TModalStack stack;
    TForm* a = NewForm();
    TForm* b = NewForm();
    TForm* c = NewForm();
    EXPECT_TRUE(stack.Empty());
    EXPECT_EQ(stack.Top(), nullptr);
    EXPECT_EQ(stack.Pop(), nullptr);

    stack.Push(a);
    stack.Push(b);
    stack.Push(c);
    EXPECT_EQ(stack.Top(), c);
    // Pushing a form already open modally moves it up instead of adding it again.
    stack.Push(a);
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_EQ(stack.Top(), a);

    // A form closing out of order leaves the others in their order.
    stack.Remove(c);
    EXPECT_EQ(stack.Count(), 2);
    stack.Remove(c); // not there: nothing happens
    EXPECT_EQ(stack.Pop(), a);
    EXPECT_EQ(stack.Pop(), b);
    EXPECT_TRUE(stack.Empty());
    stack.Push(nullptr);
    EXPECT_TRUE(stack.Empty());
}

TEST_F(UiTest, WhileAModalFormIsOpenTheOthersRefuseCloseAndActivation) {
    TForm* main = NewForm();
    main->Show();
    TForm* dialog = NewForm(100, 80);
    dialog->Show();
    bool mainClosed = false;
    main->OnClose = [&](TObject*, TCloseAction&) { mainClosed = true; };
    TWindowSystem& ws = TWindowSystem::Get();
    ws.Modal().Push(dialog);

    ws.Dispatch(WindowEvent(DisplayEventKind::Close, main->DisplayWindow()));
    EXPECT_FALSE(mainClosed);
    ws.Dispatch(WindowEvent(DisplayEventKind::Activate, main->DisplayWindow()));
    EXPECT_EQ(Screen->ActiveForm(), dialog);
    EXPECT_FALSE(main->Active());

    // Destroying the modal form takes it off the stack: the main form answers again.
    delete dialog;
    EXPECT_TRUE(ws.Modal().Empty());
    ws.Dispatch(WindowEvent(DisplayEventKind::Activate, main->DisplayWindow()));
    EXPECT_EQ(Screen->ActiveForm(), main);
    EXPECT_TRUE(main->Active());
    ws.Dispatch(WindowEvent(DisplayEventKind::Close, main->DisplayWindow()));
    EXPECT_TRUE(mainClosed);
}

TEST_F(UiTest, TheDisplaysWindowEventsReachTheForm) {
    TForm* f = NewForm();
    auto* r = new TRecorder(f);
    r->SetParent(f);
    f->Show();
    Pump();
    TWindowSystem& ws = TWindowSystem::Get();
    int id = f->DisplayWindow();

    display->MinimizeWindow(id);
    Pump();
    EXPECT_EQ(f->WindowState(), wsMinimized);
    display->RestoreWindow(id);
    Pump();
    EXPECT_EQ(f->WindowState(), wsNormal);

    // The user moved the window: the form takes the new place and hears of it.
    int moves = 0;
    TWndMethod old = f->WindowProc;
    f->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_MOVE) ++moves;
        old(m);
    };
    ws.Dispatch(WindowEvent(DisplayEventKind::Moved, id, 240, 130));
    EXPECT_EQ(f->Left(), 240);
    EXPECT_EQ(f->Top(), 130);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(r->ClientToScreen({0, 0}).X, f->ClientToScreen({r->Left(), 0}).X);

    // During a caption drag the drag places the window; the display's echo is ignored.
    TNonClientTracking drag;
    drag.kind = TNonClientTracking::Move;
    drag.wnd = f;
    ws.StartTracking(drag);
    ws.Dispatch(WindowEvent(DisplayEventKind::Moved, id, 10, 10));
    EXPECT_EQ(f->Left(), 240);
    EXPECT_EQ(moves, 1);
    ws.StartTracking(TNonClientTracking{});
    f->WindowProc = old;
}

TEST_F(UiTest, ADestroyedWindowIsForgottenByEveryPart) {
    TForm* f = NewForm();
    f->Show();
    auto* r = new TRecorder(f);
    r->SetParent(f);
    r->SetBounds(10, 10, 50, 20);
    Pump();
    TWindowSystem& ws = TWindowSystem::Get();
    r->SetFocus();
    SetCapture(r);
    ASSERT_NE(SetTimer(r, 7, 10), 0u);
    ASSERT_TRUE(PostMessage(r, WM_USER + 1, 0, 0));
    ASSERT_TRUE(CreateCaret(r, 1, 12));
    TrackMouseEvent({TME_HOVER, r, 100});
    ws.Modal().Push(f);

    delete r;
    EXPECT_EQ(ws.Focus(), nullptr);
    EXPECT_EQ(ws.Capture(), nullptr);
    EXPECT_EQ(ws.CaretOwner(), nullptr);
    EXPECT_EQ(ws.HoverTracked(), nullptr);
    EXPECT_EQ(ws.NextTimerDue(), UINT64_MAX);
    EXPECT_FALSE(ws.Queue().HasPosted());
    display->Advance(200);
    Pump(); // nothing is sent to the dead control

    delete f;
    EXPECT_TRUE(ws.Modal().Empty());
    EXPECT_EQ(Screen->ActiveForm(), nullptr);
    EXPECT_TRUE(ws.TopLevels().empty());
}

TEST_F(UiTest, TimersAndPostedMessagesRunInTheirTurn) {
    TForm* f = NewForm();
    auto* a = new TRecorder(f);
    a->SetParent(f);
    auto* b = new TRecorder(f);
    b->SetParent(f);
    f->Show();
    Pump();
    // A message posted while the posted ones run waits for the next pass.
    int runs = 0;
    TWndMethod old = a->WindowProc;
    a->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1 && ++runs == 1) PostMessage(a, WM_USER + 1, 0, 0);
        old(m);
    };
    PostMessage(a, WM_USER + 1, 0, 0);
    TWindowSystem::Get().Pump();
    EXPECT_EQ(runs, 1);
    TWindowSystem::Get().Pump();
    EXPECT_EQ(runs, 2);
    a->WindowProc = old;

    // A timer killed by another timer's handler in the same pass does not fire.
    SetTimer(a, 1, 10);
    SetTimer(b, 2, 10);
    TWndMethod oldA = a->WindowProc;
    a->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_TIMER) KillTimer(b, 2);
        oldA(m);
    };
    display->Advance(15);
    Pump();
    EXPECT_EQ(a->Count(WM_TIMER), 1);
    EXPECT_EQ(b->Count(WM_TIMER), 0);
    // A late loop gets one message per timer, not one per missed interval.
    display->Advance(100);
    Pump();
    EXPECT_EQ(a->Count(WM_TIMER), 2);
    a->WindowProc = oldA;
    EXPECT_FALSE(PostMessage(nullptr, WM_USER, 0, 0));
}

TEST_F(UiTest, CaretShowsAndHidesNestAndOnlyForItsOwner) {
    TForm* f = NewForm();
    auto* a = new TRecorder(f);
    a->SetParent(f);
    a->SetBounds(10, 10, 60, 30);
    auto* b = new TRecorder(f);
    b->SetParent(f);
    b->SetBounds(100, 10, 60, 30);
    f->Show();
    Pump();
    TColor plain = PixelOf(a, 5, 5);
    ASSERT_TRUE(CreateCaret(a, 2, 10));
    SetCaretPos(5, 5);
    Pump();
    EXPECT_EQ(PixelOf(a, 5, 5), plain); // created hidden
    EXPECT_FALSE(ShowCaret(b));         // not b's caret
    EXPECT_TRUE(ShowCaret(a));
    Pump();
    EXPECT_NE(PixelOf(a, 5, 5), plain);
    EXPECT_TRUE(HideCaret(nullptr));
    EXPECT_TRUE(HideCaret(a));
    EXPECT_TRUE(ShowCaret(a));
    Pump();
    EXPECT_EQ(PixelOf(a, 5, 5), plain); // hidden twice, shown once
    EXPECT_TRUE(ShowCaret(a));
    Pump();
    EXPECT_NE(PixelOf(a, 5, 5), plain);
    EXPECT_EQ(GetCaretPos().X, 5);
    // Moving it takes the old one off.
    SetCaretPos(20, 5);
    Pump();
    EXPECT_EQ(PixelOf(a, 5, 5), plain);
    EXPECT_NE(PixelOf(a, 20, 5), plain);
    EXPECT_TRUE(DestroyCaret());
    EXPECT_FALSE(DestroyCaret());
    EXPECT_FALSE(SetCaretPos(1, 1));
    Pump();
    EXPECT_EQ(PixelOf(a, 20, 5), plain);
}

// A screen without a window manager: asked to minimise, the window stays where it is and
// nothing says otherwise.
class NeverMinimises : public HeadlessDisplay {
public:
    using HeadlessDisplay::HeadlessDisplay;
    void MinimizeWindow(int) override {}
};

TEST_F(UiTest, AWindowThatNeverWentAwayTakesClicksAgainAfterMinimise) {
    Application->Reset();
    display = new NeverMinimises(1024, 768);
    SetDisplay(std::unique_ptr<Display>(display));
    Application->Initialize();
    TForm* f = NewForm();
    auto* button = new TButton(f);
    button->SetParent(f);
    button->SetBounds(10, 10, 80, 24);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    f->Show();
    Pump();
    f->Perform(WM_SYSCOMMAND, SC_MINIMIZE);
    Pump();
    EXPECT_EQ(f->WindowState(), wsMinimized);
    // The window is still on screen: the user's click there is taken, and it paints again.
    Click(button, 20, 12);
    EXPECT_EQ(f->WindowState(), wsNormal);
    EXPECT_EQ(clicks, 1);
    button->SetCaption("again");
    Pump();
    EXPECT_FALSE(f->WindowRecord()->minimized);
}
