// A paint that fails part way: the error reaches the application, and neither the window
// system's canvas nor the control's own keeps a saved state or the painting flag.
#include <vector>

#include "UiTest.h"

namespace {
class TFailingGraphic : public TGraphicControl {
public:
    explicit TFailingGraphic(TComponent* owner) : TGraphicControl(owner) {}
    bool fail = true;
    bool paintingSeen = false;

protected:
    void Paint() override {
        paintingSeen = (ControlState() & csPainting) != 0;
        TCanvas& c = *Canvas();
        c.SaveState();
        c.MoveOrigin(5, 5);
        if (fail) throw Exception("paint failed");
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, 4, 4));
        c.RestoreState();
    }
};

// Saves a state and forgets to restore it.
class TForgetfulGraphic : public TGraphicControl {
public:
    explicit TForgetfulGraphic(TComponent* owner) : TGraphicControl(owner) {}

protected:
    void Paint() override {
        TCanvas& c = *Canvas();
        c.SaveState();
        c.MoveOrigin(50, 50);
        c.Brush()->SetColor(clBlue);
        c.FillRect(Rect(0, 0, 2, 2));
    }
};

// Records how many states the window system's canvas holds when a paint arrives.
class TStateProbe : public TCustomControl {
public:
    explicit TStateProbe(TComponent* owner) : TCustomControl(owner) {}
    std::vector<int> depths;

protected:
    void WMPaint(TWMPaint& m) override {
        depths.push_back(m.Canvas->SavedStates());
        TCustomControl::WMPaint(m);
    }
};
} // namespace

TEST_F(UiTest, AFailedPaintLeavesNoSavedCanvasStateBehind) {
    TForm* f = NewForm();
    auto* probe = new TStateProbe(f);
    probe->SetParent(f);
    probe->SetBounds(0, 0, 100, 100);
    probe->SetColor(clWhite);
    auto* g = new TFailingGraphic(probe);
    g->SetParent(probe);
    g->SetBounds(10, 10, 20, 20);
    std::vector<std::string> errors;
    Application->OnException = [&](TObject*, const std::exception& e) {
        errors.push_back(e.what());
    };
    f->Show();
    Pump();
    ASSERT_EQ(errors, std::vector<std::string>{"paint failed"});
    EXPECT_TRUE(g->paintingSeen);
    EXPECT_EQ(g->ControlState() & csPainting, 0u);
    EXPECT_EQ(g->Canvas()->SavedStates(), 0);
    g->fail = false;
    probe->Invalidate();
    Pump();
    EXPECT_EQ(errors.size(), 1u);
    ASSERT_EQ(probe->depths.size(), 2u);
    EXPECT_EQ(probe->depths[1], probe->depths[0]);
    // The control's own origin is where it should be: the square at (5, 5) of the control.
    EXPECT_EQ(PixelOf(probe, 15, 15), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(probe, 14, 14), ColorToRGB(clWhite));
    Application->OnException = nullptr;
}

TEST_F(UiTest, APaintThatLeavesAStateSavedIsCountedAndDoesNotShiftWhatFollows) {
    TForm* f = NewForm();
    f->SetColor(clWhite);
    auto* forgetful = new TForgetfulGraphic(f);
    forgetful->SetParent(f);
    forgetful->SetBounds(0, 0, 100, 100);
    auto* probe = new TStateProbe(f);
    probe->SetParent(f);
    probe->SetBounds(120, 0, 60, 60);
    probe->SetColor(clLime);
    int before = UnbalancedCanvasStates();
    f->Show();
    Pump();
    EXPECT_EQ(UnbalancedCanvasStates(), before + 1);
    EXPECT_EQ(PixelOf(probe, 0, 0), ColorToRGB(clLime));
    // The window system's canvas holds as many states as when the probe paints alone.
    probe->Invalidate();
    Pump();
    ASSERT_EQ(probe->depths.size(), 2u);
    EXPECT_EQ(probe->depths[0], probe->depths[1]);
    // Counted once: the fixture checks that no other test leaves one behind.
    unbalancedAtStart = UnbalancedCanvasStates();
}
