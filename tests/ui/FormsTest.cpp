// Forms and the application loop: timers, errors, safe destruction, modal forms, closing,
// moving by the caption, hints.
#include "UiTest.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {
class TTicker : public TCustomControl {
public:
    explicit TTicker(TComponent* owner) : TCustomControl(owner) {}
    int ticks = 0;
    int posted = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_TIMER) ++ticks;
        if (m.Msg == WM_USER + 1) ++posted;
        TCustomControl::WndProc(m);
    }
};
} // namespace

TEST_F(UiTest, TimersFireFromTheLoopAtTheirInterval) {
    TForm* f = NewForm();
    auto* t = new TTicker(f);
    t->SetParent(f);
    f->Show();
    SetTimer(t, 7, 100);
    Pump();
    EXPECT_EQ(t->ticks, 0);
    display->Advance(99);
    Pump();
    EXPECT_EQ(t->ticks, 0);
    display->Advance(1);
    Pump();
    EXPECT_EQ(t->ticks, 1);
    display->Advance(1000); // a late loop gets one message, not ten
    Pump();
    EXPECT_EQ(t->ticks, 2);
    KillTimer(t, 7);
    display->Advance(1000);
    Pump();
    EXPECT_EQ(t->ticks, 2);

    auto* timer = new TTimer(f);
    timer->SetInterval(20);
    int fired = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        if (++fired == 3) timer->SetEnabled(false);
    };
    for (int i = 0; i < 10; ++i) {
        display->Advance(20);
        Pump();
    }
    EXPECT_EQ(fired, 3);
}

TEST_F(UiTest, AnExceptionInAHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
    TForm* f = NewForm();
    auto* b = new TButton(f);
    b->SetParent(f);
    b->SetCaption("Fail");
    int clicks = 0;
    b->OnClick = [&](TObject*) {
        ++clicks;
        throw EConvertError("'abc' is not a valid floating point value");
    };
    f->Show();
    Pump();
    AnsiString boxText, boxTitle;
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* box = Screen->ActiveForm();
        if (!box || box == f) return;
        boxTitle = box->Caption();
        for (int i = 0; i < box->ControlCount(); ++i)
            if (auto* l = dynamic_cast<TLabel*>(box->Controls(i))) boxText = l->Caption();
        display->KeyPress(VK_RETURN); // OK is the default button
    };
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(boxText, "'abc' is not a valid floating point value");
    EXPECT_EQ(boxTitle, Application->Title());
    EXPECT_EQ(Screen->FormCount(), 1); // the box is gone
    Click(b, 5, 5);                    // and the program goes on
    EXPECT_EQ(clicks, 2);
    // A program's own handler replaces the box; EAbort is silent.
    std::string seen;
    Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
    Click(b, 5, 5);
    EXPECT_EQ(seen, "'abc' is not a valid floating point value");
    b->OnClick = [&](TObject*) { Abort(); };
    seen.clear();
    Application->OnException = nullptr;
    Application->OnIdle = [&](TObject*, bool&) { FAIL() << "no box for EAbort"; };
    Click(b, 5, 5);
    Application->OnIdle = nullptr;
}

TEST_F(UiTest, DestroyingAControlThatHoldsFocusCaptureTimersAndMessagesIsSafe) {
    TForm* f = NewForm();
    auto* t = new TTicker(f);
    t->SetParent(f);
    t->SetTabStop(true);
    t->SetBounds(0, 0, 50, 50);
    f->Show();
    t->SetFocus();
    Pump();
    TPoint p = ScreenPt(t, 5, 5);
    display->MouseMove(p.X, p.Y);
    display->MouseDown();
    Pump();
    ASSERT_EQ(GetCapture(), t);
    ASSERT_EQ(GetFocus(), t);
    SetTimer(t, 1, 10);
    PostMessage(t, WM_USER + 1);
    CreateCaret(t, 1, 10);
    ShowCaret(t);
    delete t;
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_NE(GetFocus(), t);
    EXPECT_EQ(f->ActiveControl(), nullptr);
    display->MouseUp();
    display->Advance(100);
    Pump();
    EXPECT_FALSE(PostMessage(t, WM_USER + 1)); // a dead window takes no messages
    // A control that deletes itself from its own click handler.
    auto* b = new TButton(f);
    b->SetParent(f);
    b->OnClick = [&](TObject*) { delete b; };
    Click(f, 5, 5);
    EXPECT_EQ(f->ControlCount(), 0);
}

TEST_F(UiTest, ModalFormsReturnTheirResultAndBlockOtherForms) {
    TForm* main = NewForm();
    int mainClicks = 0;
    main->OnClick = [&](TObject*) { ++mainClicks; };
    main->Show();
    TForm* dialog = new TForm(Application);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    int step = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        if (step++ == 0) {
            Click(main, 150, 150); // refused while the dialog is modal
            Click(ok, 5, 5);
        }
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(mainClicks, 0);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(Screen->ActiveForm(), main);
    // Closing a modal form gives mrCancel.
    step = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        if (step++ == 0) dialog->Close();
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    Application->OnIdle = nullptr;
}

TEST_F(UiTest, ClosingAsksAndTheMainFormEndsTheApplication) {
    TForm* main = NewForm();
    TForm* other = Application->CreateForm<TForm>();
    bool allow = false;
    int closes = 0;
    main->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    main->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    main->Show();
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(Application->Terminated());
    main->Close();
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(Application->Terminated());
    allow = true;
    // The close button of the frame, through the mouse.
    main->Show();
    Pump();
    TRect wr = main->BoundsRect();
    display->Click(wr.Right - 12, wr.Top + 10);
    Pump();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(UiTest, DraggingTheCaptionMovesTheFormAndCentringUsesTheScreen) {
    TForm* f = NewForm(200, 100);
    f->SetPosition(poScreenCenter);
    f->Show();
    Pump();
    EXPECT_EQ(f->Left(), (1024 - f->Width()) / 2);
    EXPECT_EQ(f->Top(), (768 - f->Height()) / 2);
    int left = f->Left(), top = f->Top();
    display->MouseMove(left + 40, top + 10);
    display->MouseDown();
    display->MouseMove(left + 90, top + 40);
    display->MouseUp();
    Pump();
    EXPECT_EQ(f->Left(), left + 50);
    EXPECT_EQ(f->Top(), top + 30);
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->bounds.x, left + 50);
}

TEST_F(UiTest, HintsShowAfterThePauseInTheHintColour) {
    TForm* f = NewForm();
    auto* b = new TButton(f);
    b->SetParent(f);
    b->SetHint("Filter");
    b->SetShowHint(true);
    auto* quiet = new TButton(f);
    quiet->SetParent(f);
    quiet->SetLeft(100);
    quiet->SetHint("changed by the control");
    quiet->SetShowHint(true);
    f->Show();
    Application->SetHintColor(clYellow);
    MoveTo(b, 5, 5);
    display->Advance(Application->HintPause() - 1);
    Pump();
    ASSERT_TRUE(Application->HintWindow() == nullptr || !Application->HintWindow()->Active());
    display->Advance(1);
    Pump();
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->Active());
    EXPECT_EQ(hint->Caption(), "Filter");
    EXPECT_EQ(hint->Color(), clYellow);
    EXPECT_EQ(hint->Top(), ScreenPt(b, 5, 5).Y + 20);
    display->Advance(Application->HintHidePause());
    Pump();
    EXPECT_FALSE(hint->Active());
    // Switched off for the application: nothing.
    Application->SetShowHint(false);
    MoveTo(quiet, 5, 5);
    display->Advance(1000);
    Pump();
    EXPECT_FALSE(hint->Active());
}

TEST_F(UiTest, MaximisingAsksTheWindowForItsLimitsAndRestoringGoesBack) {
    TForm* f = NewForm(200, 100);
    f->Show();
    Pump();
    TRect before = f->BoundsRect();
    f->SetWindowState(wsMaximized);
    TRect work = GetWorkArea();
    EXPECT_EQ(f->BoundsRect(), work);
    f->SetWindowState(wsNormal);
    EXPECT_EQ(f->BoundsRect(), before);
    // A frame that takes over the window may answer with limits of its own.
    TWndMethod saved = f->WindowProc;
    f->WindowProc = [&](TMessage& m) {
        saved(m);
        if (m.Msg == WM_GETMINMAXINFO) {
            auto* info = reinterpret_cast<TMinMaxInfo*>(m.LParam);
            info->ptMaxSize = {500, 400};
            info->ptMaxPosition = {20, 30};
        }
    };
    f->SetWindowState(wsMaximized);
    EXPECT_EQ(f->BoundsRect(), Bounds(20, 30, 500, 400));
    f->SetWindowState(wsNormal);
    EXPECT_EQ(f->BoundsRect(), before);
    f->WindowProc = saved;
}

TEST_F(UiTest, ClickingAnotherFormMovesTheActivationWithItsMessages) {
    std::vector<std::pair<int, UINT>> seen; // form number, message
    auto watch = [&](TForm* f, int n) {
        TWndMethod saved = f->WindowProc;
        f->WindowProc = [&seen, n, saved](TMessage& m) {
            if (m.Msg == WM_ACTIVATE || m.Msg == WM_NCACTIVATE)
                seen.push_back({n * 10 + int(LOWORD(m.WParam)), m.Msg});
            saved(m);
        };
    };
    TForm* a = NewForm(200, 100);
    TForm* b = NewForm(200, 100);
    b->SetBounds(500, 300, b->Width(), b->Height());
    a->Show();
    b->Show();
    Pump();
    watch(a, 1);
    watch(b, 2);
    EXPECT_TRUE(b->Active());
    Click(a, 50, 50);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());
    // The one losing the activation hears it first, then the one gaining it.
    std::vector<std::pair<int, UINT>> expected = {
        {20, WM_NCACTIVATE}, {20 + WA_INACTIVE, WM_ACTIVATE}, {11, WM_NCACTIVATE}};
    ASSERT_GE(seen.size(), 4u);
    std::vector<std::pair<int, UINT>> first(seen.begin(), seen.begin() + 3);
    EXPECT_EQ(first, expected);
    EXPECT_EQ(seen[3].second, UINT(WM_ACTIVATE));
    EXPECT_GT(seen[3].first, 10); // active, by click or otherwise
    EXPECT_EQ(display->ActiveWindow(), a->DisplayWindow());
}
