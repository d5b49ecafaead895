// Painting: update areas, clipping, regions, scrolling pixels and the standard scroll bars.
#include <vector>

#include "UiTest.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {
// Fills its client area with one colour and records what each paint was allowed to touch.
class TSolid : public TCustomControl {
public:
    TSolid(TComponent* owner, TColor color) : TCustomControl(owner) { m_color = color; }
    std::vector<TRect> paints;
    std::vector<std::pair<int, int>> scrolls; // (code, pos)

protected:
    void Paint() override {
        paints.push_back(Canvas()->ClipRect());
        Canvas()->Brush()->SetColor(m_color);
        Canvas()->FillRect(Rect(-1000, -1000, 1000, 1000));
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
            scrolls.push_back({LOWORD(m.WParam), int(int16_t(HIWORD(m.WParam)))});
            return;
        }
        TCustomControl::WndProc(m);
    }
};
} // namespace

TEST_F(UiTest, InvalidationRepaintsOnlyWhatChanged) {
    TForm* f = NewForm();
    auto* a = new TSolid(f, clRed);
    a->SetParent(f);
    a->SetBounds(10, 10, 100, 100);
    auto* b = new TSolid(f, clBlue);
    b->SetParent(f);
    b->SetBounds(150, 10, 100, 100);
    f->Show();
    Pump();
    a->paints.clear();
    b->paints.clear();
    TRect small = Rect(5, 5, 15, 15);
    for (int i = 0; i < 5000; ++i) InvalidateRect(a, &small, false);
    Pump();
    ASSERT_EQ(a->paints.size(), 1u); // thousands of invalidations, one paint
    EXPECT_EQ(a->paints[0], small);
    EXPECT_TRUE(b->paints.empty());
    // Two far apart areas stay two areas, not their bounding box.
    TRect r1 = Rect(0, 0, 5, 5), r2 = Rect(90, 90, 100, 100);
    InvalidateRect(a, &r1, false);
    InvalidateRect(a, &r2, false);
    Pump();
    EXPECT_EQ(a->paints.back(), Rect(0, 0, 100, 100)); // the clip box spans both...
    EXPECT_EQ(PixelOf(a, 50, 50), ColorToRGB(clRed));
    // ...but nothing was painted at all while the window was hidden.
    a->Hide();
    a->paints.clear();
    a->Invalidate();
    Pump();
    EXPECT_TRUE(a->paints.empty());
}

TEST_F(UiTest, ParentsDoNotPaintOverTheirChildren) {
    TForm* f = NewForm();
    f->SetColor(clYellow);
    auto* child = new TSolid(f, clGreen);
    child->SetParent(f);
    child->SetBounds(20, 20, 40, 40);
    f->Show();
    Pump();
    f->Invalidate(); // only the form: the child keeps its pixels
    child->paints.clear();
    Pump();
    EXPECT_TRUE(child->paints.empty());
    EXPECT_EQ(PixelOf(child, 10, 10), ColorToRGB(clGreen));
    EXPECT_EQ(PixelOf(f, 10, 10), ColorToRGB(clYellow));
    // Moving the child uncovers the form beneath it.
    child->SetLeft(100);
    Pump();
    EXPECT_EQ(PixelOf(f, 30, 30), ColorToRGB(clYellow));
    EXPECT_EQ(PixelOf(f, 110, 30), ColorToRGB(clGreen));
}

TEST_F(UiTest, ZeroSizedAndOffScreenWindowsPaintNothing) {
    TForm* f = NewForm();
    auto* empty = new TSolid(f, clRed);
    empty->SetParent(f);
    empty->SetBounds(10, 10, 0, 0);
    auto* away = new TSolid(f, clRed);
    away->SetParent(f);
    away->SetBounds(5000, 5000, 50, 50);
    f->Show();
    Pump();
    EXPECT_TRUE(empty->paints.empty());
    EXPECT_TRUE(away->paints.empty());
}

TEST_F(UiTest, AWindowRegionShapesPaintingAndHitTesting) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* shaped = new TSolid(f, clBlack);
    shaped->SetParent(f);
    shaped->SetBounds(10, 10, 100, 100);
    int clicks = 0;
    shaped->OnClick = [&](TObject*) { ++clicks; };
    // Only the left half belongs to the window.
    SetWindowRgn(shaped, TRegion(Rect(0, 0, 50, 100)), true);
    f->Show();
    Pump();
    EXPECT_EQ(PixelOf(shaped, 20, 50), ColorToRGB(clBlack));
    EXPECT_EQ(PixelOf(shaped, 80, 50), ColorToRGB(clWhite));
    Click(shaped, 80, 50);
    EXPECT_EQ(clicks, 0);
    Click(shaped, 20, 50);
    EXPECT_EQ(clicks, 1);
}

TEST_F(UiTest, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
    TForm* f = NewForm();
    auto* w = new TSolid(f, clWhite);
    w->SetParent(f);
    w->SetBounds(0, 0, 100, 100);
    f->Show();
    Pump();
    // Draw a mark outside of paint, then scroll it up by 10.
    TCanvas* dc = GetDC(w);
    dc->Brush()->SetColor(clRed);
    dc->FillRect(Rect(40, 50, 50, 60));
    w->paints.clear();
    ScrollWindow(w, 0, -10, nullptr, nullptr);
    TRect pending;
    ASSERT_TRUE(GetUpdateRect(w, pending));
    EXPECT_EQ(pending, Rect(0, 90, 100, 100));
    EXPECT_EQ(PixelOf(w, 45, 45), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(w, 45, 55), ColorToRGB(clWhite));
    ASSERT_EQ(w->paints.size(), 1u);
    EXPECT_EQ(w->paints[0], Rect(0, 90, 100, 100));
}

TEST_F(UiTest, ScrollBarsHideWhenTheRangeFitsAndTrackTheMouse) {
    TForm* f = NewForm();
    auto* w = new TSolid(f, clWhite);
    w->SetParent(f);
    w->SetBounds(0, 0, 120, 120);
    f->Show();
    TScrollInfo si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    SetScrollInfo(w, SB_VERT, si, true);
    EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(w->ClientWidth(), 120 - GetSystemMetrics(SM_CXVSCROLL));
    Pump();
    // The lower arrow: one line down per press, and an end.
    TRect wr = GetWindowRect(w);
    display->Click(wr.Right - 5, wr.Bottom - 5);
    Pump();
    ASSERT_GE(w->scrolls.size(), 2u);
    EXPECT_EQ(w->scrolls[0].first, SB_LINEDOWN);
    EXPECT_EQ(w->scrolls.back().first, SB_ENDSCROLL);
    // Dragging the thumb to the bottom reports the positions and the final one.
    w->scrolls.clear();
    display->MouseMove(wr.Right - 8, wr.Top + 20);
    display->MouseDown();
    display->MouseMove(wr.Right - 8, wr.Bottom + 50);
    display->MouseUp();
    Pump();
    ASSERT_GE(w->scrolls.size(), 3u);
    EXPECT_EQ(w->scrolls.front().first, SB_THUMBTRACK);
    EXPECT_EQ(w->scrolls[w->scrolls.size() - 2], (std::pair<int, int>{SB_THUMBPOSITION, 90}));
    // A range that fits hides the bar and gives the width back.
    si.nMax = 5;
    SetScrollInfo(w, SB_VERT, si, true);
    EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(w->ClientWidth(), 120);
}

TEST_F(UiTest, CaretIsDrawnInvertedAndBlinksWithTheClock) {
    TForm* f = NewForm();
    auto* w = new TSolid(f, clWhite);
    w->SetParent(f);
    w->SetBounds(0, 0, 50, 50);
    f->Show();
    Pump();
    CreateCaret(w, 2, 10);
    SetCaretPos(5, 5);
    ShowCaret(w);
    EXPECT_EQ(PixelOf(w, 5, 6), ColorToRGB(clBlack));
    display->Advance(GetCaretBlinkTime());
    EXPECT_EQ(PixelOf(w, 5, 6), ColorToRGB(clWhite));
    display->Advance(GetCaretBlinkTime());
    EXPECT_EQ(PixelOf(w, 5, 6), ColorToRGB(clBlack));
    DestroyCaret();
    EXPECT_EQ(PixelOf(w, 5, 6), ColorToRGB(clWhite));
}

namespace {
// During its paint it has its parent paint into a picture of its own (as a control that
// blends over what lies beneath does), then fills itself.
class TCapturing : public TGraphicControl {
public:
    explicit TCapturing(TComponent* owner) : TGraphicControl(owner) {}
    int paints = 0;

protected:
    void Paint() override {
        if (m_capturing) return; // not part of the picture of what lies beneath it
        ++paints;
        TBitmap beneath(Width(), Height());
        beneath.Canvas()->MoveOrigin(-Left(), -Top());
        m_capturing = true;
        Parent()->Perform(WM_PAINT, WPARAM(beneath.Canvas()), 0);
        m_capturing = false;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
    bool m_capturing = false;
};
} // namespace

TEST_F(UiTest, AWindowlessControlThatCapturesItsParentStillPaintsOnTheWindow) {
    TForm* f = NewForm();
    auto* panel = new TPanel(f);
    panel->SetParent(f);
    panel->SetBounds(10, 10, 200, 100);
    auto* capturing = new TCapturing(f);
    capturing->SetParent(panel);
    capturing->SetBounds(20, 20, 50, 30);
    f->Show();
    Pump();
    EXPECT_EQ(capturing->paints, 1);
    EXPECT_EQ(PixelOf(capturing, 25, 15), ColorToRGB(clRed));
}

// A panel that comes back into view brings its child windows back whole: while it was hidden
// a sibling drew where they lie, and those pixels are not theirs.
TEST_F(UiTest, ShowingAParentAgainRepaintsItsChildWindows) {
    TForm* f = NewForm();
    auto* panel = new TSolid(f, clGreen);
    panel->SetParent(f);
    panel->SetBounds(150, 0, 150, 200);
    panel->SetAlign(alRight);
    auto* under = new TSolid(f, clBlue); // takes the panel's place while it is hidden
    under->SetParent(f);
    under->SetAlign(alClient);
    auto* child = new TSolid(panel, clRed);
    child->SetParent(panel);
    child->SetBounds(10, 10, 60, 40);
    auto* grandchild = new TSolid(panel, clYellow);
    grandchild->SetParent(child);
    grandchild->SetBounds(5, 5, 20, 20);
    f->Show();
    Pump();
    for (int round = 0; round < 3; ++round) {
        panel->Hide();
        Pump();
        EXPECT_EQ(PixelOf(f, 170, 20), ColorToRGB(clBlue)) << round;
        EXPECT_EQ(PixelOf(f, 180, 30), ColorToRGB(clBlue)) << round;
        panel->Show();
        Pump();
        EXPECT_EQ(PixelOf(panel, 5, 5), ColorToRGB(clGreen)) << round;
        EXPECT_EQ(PixelOf(child, 40, 30), ColorToRGB(clRed)) << round;
        EXPECT_EQ(PixelOf(grandchild, 10, 10), ColorToRGB(clYellow)) << round;
    }
}
