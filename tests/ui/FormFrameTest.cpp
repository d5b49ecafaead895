// A form's frame gets its messages through the form's own handlers: asked first about the
// non-client area (and may answer it whole), told after the form's default about the changes,
// interrupted before the messages that leave it behind. Real input from the headless display.
#include <string>
#include <vector>

#include "UiTest.h"
#include "ui/FormFrame.h"
#include "ui/StdCtrls.h"

namespace {
// A frame with a 10-pixel border, a 20-pixel caption strip on top of it that moves the window
// and a blue colour; it keeps a log of what reaches it.
class ProbeFrame : public TFormFrame {
public:
    explicit ProbeFrame(TCustomForm* f) : form(f) {}

    TCustomForm* form;
    bool answers = true; // false: it only listens and leaves the classic frame in place
    std::vector<std::string> log;
    std::vector<TPoint> hitPoints;
    int ncPaints = 0;
    bool activeWhenTold = false;
    AnsiString captionWhenTold;
    TWinControl* focusTo = nullptr;

    bool NCCalcSize(TWMNCCalcSize& m) override {
        if (!answers) return false;
        TRect& r = m.Params.rgrc[0];
        r = Rect(r.Left + 10, r.Top + 30, r.Right - 10, r.Bottom - 10);
        return true;
    }
    bool NCPaint(TWMNCPaint& m) override {
        ++ncPaints;
        if (!answers || !m.Canvas) return false;
        m.Canvas->Brush()->SetColor(clBlue);
        m.Canvas->FillRect(Rect(0, 0, form->Width(), form->Height()));
        return true;
    }
    bool NCHitTest(TWMNCHitTest& m) override {
        hitPoints.push_back(m.Pos);
        if (!answers) return false;
        TPoint p{m.Pos.X - form->Left(), m.Pos.Y - form->Top()};
        if (form->ClientRectInWindow().Contains(p))
            m.Result = HTCLIENT;
        else
            m.Result = p.Y >= 10 && p.Y < 30 ? HTCAPTION : HTBORDER;
        return true;
    }
    void NCMouseMove(TWMNCMouse& m) override {
        log.push_back("ncmove " + std::to_string(m.HitTest));
    }
    void NCLButtonDown(TWMNCMouse& m) override {
        log.push_back("ncdown " + std::to_string(m.HitTest));
    }
    void NCLButtonUp(TWMNCMouse&) override { log.push_back("ncup"); }
    void Activated(TWMActivate& m) override {
        log.push_back(m.Active != WA_INACTIVE ? "activated" : "deactivated");
        activeWhenTold = form->Active();
    }
    void TextSet(TWMSetText& m) override {
        log.push_back(std::string("text ") + m.Text);
        captionWhenTold = form->Caption();
    }
    void Sized(TWMSize& m) override {
        log.push_back("sized " + std::to_string(m.Width) + "x" + std::to_string(m.Height));
    }
    bool OtherMessage(TMessage& m) override {
        if (m.Msg != WM_APP + 7) return false;
        log.push_back("app7");
        m.Result = 77;
        return true;
    }
    void Interrupted(TWinControl* to) override {
        log.push_back("interrupted");
        focusTo = to;
    }

    size_t Count(const std::string& entry) const {
        return size_t(std::count(log.begin(), log.end(), entry));
    }
    // Index of the first entry, or the log's size when there is none.
    size_t IndexOf(const std::string& entry) const {
        return size_t(std::find(log.begin(), log.end(), entry) - log.begin());
    }
};
} // namespace

TEST_F(UiTest, AFormsFrameAnswersItsNonClientAreaThroughTheFormsHandlers) {
    TForm* f = NewForm(200, 100);
    f->SetColor(clWhite);
    ProbeFrame frame(f);
    f->SetFrame(&frame);
    EXPECT_EQ(f->Frame(), &frame);
    // Attaching recomputes the frame: the probe's insets, not the classic ones.
    EXPECT_EQ(f->ClientRectInWindow(), Rect(10, 30, f->Width() - 10, f->Height() - 10));
    f->SetClientWidth(200);
    f->SetClientHeight(100);
    EXPECT_EQ(f->Width(), 220);
    EXPECT_EQ(f->Height(), 140);
    f->Show();
    Pump();
    EXPECT_GE(frame.ncPaints, 1);
    EXPECT_EQ(PixelOf(f, -5, 10), ColorToRGB(clBlue));
    EXPECT_EQ(PixelOf(f, 5, 5), ColorToRGB(clWhite));

    // The pointer over the caption strip: the hit test asks the frame with the screen point,
    // and the non-client move that follows carries the frame's answer.
    int left = f->Left(), top = f->Top();
    frame.hitPoints.clear();
    display->MouseMove(left + 50, top + 15);
    Pump();
    ASSERT_FALSE(frame.hitPoints.empty());
    EXPECT_EQ(frame.hitPoints.back(), (TPoint{left + 50, top + 15}));
    EXPECT_EQ(frame.Count("ncmove " + std::to_string(HTCAPTION)), 1u);
    // Over the border the frame's own code comes back.
    display->MouseMove(left + 3, top + 60);
    Pump();
    EXPECT_EQ(frame.Count("ncmove " + std::to_string(HTBORDER)), 1u);

    // Dragging the caption: the form's default still moves the window, and the frame hears
    // the press (after the things it had open were ended) and the release.
    frame.log.clear();
    display->MouseMove(left + 50, top + 15);
    display->MouseDown();
    display->MouseMove(left + 80, top + 35);
    display->MouseUp();
    Pump();
    EXPECT_EQ(f->Left(), left + 30);
    EXPECT_EQ(f->Top(), top + 20);
    size_t down = frame.IndexOf("ncdown " + std::to_string(HTCAPTION));
    ASSERT_LT(down, frame.log.size());
    EXPECT_LT(frame.IndexOf("interrupted"), down);
}

TEST_F(UiTest, AFrameThatDoesNotAnswerLeavesTheClassicFrame) {
    TForm* plain = NewForm(200, 100);
    TForm* f = NewForm(200, 100);
    ProbeFrame frame(f);
    frame.answers = false;
    f->SetFrame(&frame);
    EXPECT_EQ(f->ClientRectInWindow(), plain->ClientRectInWindow());
    plain->Show();
    f->Show();
    Pump();
    EXPECT_GE(frame.ncPaints, 1) << "asked even when it does not answer";
    for (TPoint p : {TPoint{1, 1}, TPoint{40, 10}, TPoint{f->Width() - 2, f->Height() / 2}}) {
        LPARAM onPlain = PointToLParam({plain->Left() + p.X, plain->Top() + p.Y});
        LPARAM onFramed = PointToLParam({f->Left() + p.X, f->Top() + p.Y});
        EXPECT_EQ(f->Perform(WM_NCHITTEST, 0, onFramed), plain->Perform(WM_NCHITTEST, 0, onPlain))
            << p.X << "," << p.Y;
    }
    EXPECT_EQ(display->PixelAt(f->DisplayWindow(), 1, 1),
              display->PixelAt(plain->DisplayWindow(), 1, 1));
}

TEST_F(UiTest, AFormsFrameIsToldAfterTheFormsDefault) {
    TForm* f = NewForm(200, 100);
    ProbeFrame frame(f);
    f->SetFrame(&frame);
    f->Show();
    Pump();
    // The form is already active when the frame hears of the activation.
    EXPECT_EQ(frame.Count("activated"), 1u);
    EXPECT_TRUE(frame.activeWhenTold);
    // A new text: the form holds it when the frame is told.
    f->SetCaption("Brelvan");
    EXPECT_EQ(frame.Count("text Brelvan"), 1u);
    EXPECT_EQ(frame.captionWhenTold, "Brelvan");
    // Sizing ends what the frame had open, then the frame follows the size.
    frame.log.clear();
    f->SetBounds(f->Left(), f->Top(), 300, 200);
    size_t sized = frame.IndexOf("sized " + std::to_string(f->ClientWidth()) + "x" +
                                 std::to_string(f->ClientHeight()));
    ASSERT_LT(sized, frame.log.size()) << ::testing::PrintToString(frame.log);
    EXPECT_LT(frame.IndexOf("interrupted"), sized);
    // A second form taking the activation: the frame hears the deactivation.
    TForm* other = Application->CreateForm<TForm>();
    other->Show();
    Pump();
    EXPECT_EQ(frame.Count("deactivated"), 1u);
    EXPECT_FALSE(frame.activeWhenTold);
}

TEST_F(UiTest, AClickInTheClientAreaInterruptsTheFrameBeforeTheFormHearsIt) {
    TForm* f = NewForm(200, 100);
    ProbeFrame frame(f);
    f->SetFrame(&frame);
    f->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        frame.log.push_back("form down");
    };
    f->Show();
    Pump();
    frame.log.clear();
    Click(f, 50, 50);
    size_t formDown = frame.IndexOf("form down");
    ASSERT_LT(formDown, frame.log.size());
    EXPECT_LT(frame.IndexOf("interrupted"), formDown);
    // Losing the focus says where it went.
    auto* edit = new TEdit(f);
    edit->SetParent(f);
    f->SetActiveControl(nullptr);
    ::SetFocus(f);
    frame.focusTo = nullptr;
    edit->SetFocus();
    EXPECT_EQ(frame.focusTo, edit);
}

TEST_F(UiTest, MessagesWithoutAHandlerAreOfferedToTheFrame) {
    TForm* f = NewForm();
    ProbeFrame frame(f);
    f->SetFrame(&frame);
    EXPECT_EQ(f->Perform(WM_APP + 7), 77);
    EXPECT_EQ(frame.Count("app7"), 1u);
    // Activation by the mouse ends what the frame has open, as a button press does.
    frame.log.clear();
    f->Perform(WM_MOUSEACTIVATE);
    EXPECT_EQ(frame.log, (std::vector<std::string>{"interrupted"}));
    // Numbers the frame does not know go on to the form's default.
    EXPECT_EQ(f->Perform(WM_APP + 8), 0);
}

TEST_F(UiTest, ADetachedOrDestroyedFormNoLongerReachesItsFrame) {
    TForm* plain = NewForm(200, 100);
    TForm* f = NewForm(200, 100);
    ProbeFrame frame(f);
    f->SetFrame(&frame);
    f->SetFrame(nullptr);
    EXPECT_EQ(f->Frame(), nullptr);
    EXPECT_EQ(f->ClientRectInWindow(), plain->ClientRectInWindow()) << "the classic frame back";
    f->Show();
    Pump();
    EXPECT_EQ(frame.ncPaints, 0);
    EXPECT_TRUE(frame.log.empty());
    // A form destroyed with its focus and activation calls nothing of a frame it still has:
    // the frame may be a component of the form that goes with it.
    f->SetFrame(&frame);
    f->Show();
    ::SetFocus(f);
    Pump();
    frame.log.clear();
    frame.ncPaints = 0;
    delete f;
    Pump();
    EXPECT_TRUE(frame.log.empty()) << ::testing::PrintToString(frame.log);
    EXPECT_EQ(frame.ncPaints, 0);
}
