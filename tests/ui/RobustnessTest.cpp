// Failure paths and less common behaviour: errors while painting, nested modal boxes,
// timers that outlive nothing, long texts in edits and boxes.
#include "UiTest.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {
class TBrokenPaint : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int attempts = 0;

protected:
    void Paint() override {
        ++attempts;
        throw Exception("Cannot paint");
    }
};
} // namespace

TEST_F(UiTest, AnErrorWhilePaintingShowsOneBoxAndTheRestStillPaints) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* broken = new TBrokenPaint(f);
    broken->SetParent(f);
    broken->SetBounds(0, 0, 50, 50);
    int boxes = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* top = Screen->ActiveForm();
        if (top && top != f) {
            ++boxes;
            display->KeyPress(VK_RETURN);
        }
    };
    f->Show();
    Pump();
    Pump();
    Application->OnIdle = nullptr;
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(broken->attempts, 1);
    EXPECT_EQ(PixelOf(f, 100, 100), ColorToRGB(clWhite));
}

TEST_F(UiTest, BoxesCanOpenFromInsideModalForms) {
    TForm* main = NewForm();
    main->Show();
    TForm* dialog = new TForm(Application);
    auto* ask = new TButton(dialog);
    ask->SetParent(dialog);
    int answer = 0;
    ask->OnClick = [&](TObject*) { answer = ShowMessageBox("Sure?", "", MB_YESNO); };
    int step = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* top = Screen->ActiveForm();
        if (top == dialog && step == 0) {
            ++step;
            Click(ask, 5, 5);
        } else if (top != dialog && top != main && step == 1) {
            ++step;
            display->KeyPress(VK_RETURN); // Yes is the default
        } else if (top == dialog && step == 2) {
            ++step;
            dialog->SetModalResult(mrOk);
        }
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    Application->OnIdle = nullptr;
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(Screen->ActiveForm(), main);
}

TEST_F(UiTest, LongMessagesWrapAndKeepTheBoxOnTheScreen) {
    TForm* main = NewForm();
    main->Show();
    TRect boxRect;
    int labelWidth = 0;
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* top = Screen->ActiveForm();
        if (!top || top == main) return;
        boxRect = top->BoundsRect();
        for (int i = 0; i < top->ControlCount(); ++i)
            if (auto* l = dynamic_cast<TLabel*>(top->Controls(i))) labelWidth = l->Width();
        top->SetModalResult(mrOk);
    };
    std::string text;
    for (int i = 0; i < 60; ++i) text += "word ";
    ShowMessageBox(text, "", MB_OK | MB_ICONERROR);
    Application->OnIdle = nullptr;
    EXPECT_LE(labelWidth, 480);
    EXPECT_GT(boxRect.Height(), 100);
    EXPECT_GE(boxRect.Left, 0);
    EXPECT_LE(boxRect.Right, 1024);
}

TEST_F(UiTest, TimersStopWithTheirOwnersAndRestartWhenSetAgain) {
    TForm* f = NewForm();
    auto* timer = new TTimer(f);
    timer->SetInterval(100);
    int fired = 0;
    timer->OnTimer = [&](TObject*) { ++fired; };
    display->Advance(60);
    Pump();
    timer->SetInterval(100); // unchanged: keeps counting
    display->Advance(40);
    Pump();
    EXPECT_EQ(fired, 1);
    timer->SetEnabled(false);
    timer->SetEnabled(true); // restarts the interval
    display->Advance(60);
    Pump();
    EXPECT_EQ(fired, 1);
    delete timer;
    display->Advance(1000);
    Pump();
    EXPECT_EQ(fired, 1);
}

TEST_F(UiTest, LongTextScrollsToKeepTheCaretInView) {
    TForm* f = NewForm();
    auto* e = new TEdit(f);
    e->SetParent(f);
    e->SetBounds(0, 0, 60, 21);
    f->Show();
    e->SetFocus();
    Pump();
    Type("abcdefghijklmnopqrstuvwxyz0123456789");
    int x = e->CharX(e->SelStart());
    EXPECT_GE(x, 0);
    EXPECT_LT(x, e->ClientWidth());
    Press(VK_HOME);
    EXPECT_EQ(e->CharX(0), e->LeftMargin());
    EXPECT_EQ(GetCaretPos().X, e->CharX(0));
}

TEST_F(UiTest, EditMessagesSelectLimitAndConvertCase) {
    TForm* f = NewForm();
    auto* e = new TEdit(f);
    e->SetParent(f);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetText("Hello World");
    EXPECT_EQ(changes, 1);
    e->SetText("Hello World"); // the same text is no change
    EXPECT_EQ(changes, 1);
    e->Perform(EM_SETSEL, 6, 11);
    EXPECT_EQ(e->SelText(), "World");
    EXPECT_EQ(e->Perform(EM_GETSEL), MAKELPARAM(6, 11));
    e->Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(e->SelLength(), 11);
    e->SetCharCase(ecUpperCase);
    EXPECT_EQ(e->Text(), "HELLO WORLD");
    e->Perform(EM_LIMITTEXT, 3);
    EXPECT_EQ(e->MaxLength(), 3);
    // Double click selects the word under the caret.
    f->Show();
    Pump();
    e->SetCharCase(ecNormal);
    int x = e->CharX(8);
    Click(e, x, 5);
    display->Advance(100);
    Click(e, x, 5);
    EXPECT_EQ(e->SelText(), "WORLD");
}

TEST_F(UiTest, DestroyingPagesAndImageListsLeavesThePageControlWhole) {
    TForm* f = NewForm();
    auto* pages = new TPageControl(f);
    pages->SetParent(f);
    auto* a = new TTabSheet(f);
    a->SetPageControl(pages);
    a->SetCaption("A");
    auto* b = new TTabSheet(f);
    b->SetPageControl(pages);
    b->SetCaption("B");
    auto* c = new TTabSheet(f);
    c->SetPageControl(pages);
    c->SetCaption("C");
    f->Show();
    pages->SetActivePage(b);
    delete b; // the page after it takes its place
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), c);
    EXPECT_TRUE(c->Showing());
    EXPECT_FALSE(a->Showing());
    c->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), c);
    EXPECT_EQ(pages->TabPage(1), a);
    EXPECT_THROW(pages->Pages(5), EListError);
    delete pages; // pages outlive their control safely
    a->SetCaption("still here");
    EXPECT_EQ(a->PageControl(), nullptr);
}

TEST_F(UiTest, HintRectanglesFitTheTextAndWrapAtTheLimit) {
    THintWindow* hint = new THintWindow(Application);
    TRect one = hint->CalcHintRect(1000, "League");
    TRect wrapped = hint->CalcHintRect(60, "a long hint text that has to wrap");
    EXPECT_GT(one.Width(), 20);
    EXPECT_LE(wrapped.Width(), 60 + 8);
    EXPECT_GT(wrapped.Height(), one.Height());
    // Shown near the right edge of the screen, it is moved back onto it.
    hint->ActivateHint(OffsetRect(one, 1020, 100), "League");
    EXPECT_TRUE(hint->Active());
    EXPECT_LE(hint->Left() + hint->Width(), 1024);
    // It never takes the mouse: a click below it reaches the form.
    TForm* f = NewForm();
    int clicks = 0;
    f->OnClick = [&](TObject*) { ++clicks; };
    f->Show();
    hint->ActivateHint(Bounds(f->ClientToScreen({0, 0}).X, f->ClientToScreen({0, 0}).Y, 50, 20),
                       "x");
    Click(f, 5, 5);
    EXPECT_EQ(clicks, 1);
    hint->ReleaseHandle();
    EXPECT_FALSE(hint->Active());
}
