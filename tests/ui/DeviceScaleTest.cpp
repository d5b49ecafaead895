// The window system on a display of 2 or 3 device pixels to a point: windows, events and
// update areas stay in points; surfaces, presents and device snapshots are in pixels.
#include <vector>

#include "UiTest.h"
#include "ui/StdCtrls.h"
#include "ui/WindowIcon.h"

namespace {

class ScaledUiTest : public UiTest {
protected:
    void SetUp() override {
        Application->Reset();
        display = new HeadlessDisplay(1024, 768, 2);
        SetDisplay(std::unique_ptr<Display>(display));
        Application->Initialize();
    }
    // The presented device pixel of a control's client point, plus (dx, dy) device pixels.
    uint32_t DevicePixelOf(TControl* c, int x, int y, int dx = 0, int dy = 0) {
        Pump();
        TWinControl* top = GetTopLevel(c);
        auto* form = dynamic_cast<TCustomForm*>(top);
        TPoint s = c->ClientToScreen({x, y});
        return display->DevicePixelAt(form->DisplayWindow(), (s.X - top->Left()) * 2 + dx,
                                      (s.Y - top->Top()) * 2 + dy);
    }
};

// White, with a one-point black frame just inside its client area; counts its clicks.
class TFramed : public TCustomControl {
public:
    explicit TFramed(TComponent* owner) : TCustomControl(owner) {}
    std::vector<TRect> paints;
    std::vector<TPoint> downs;

protected:
    void Paint() override {
        paints.push_back(Canvas()->ClipRect());
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FrameRect(ClientRect());
    }
    void WMLButtonDown(TWMMouse& m) override {
        downs.push_back(m.Pos);
        TCustomControl::WMLButtonDown(m);
    }
};

} // namespace

TEST_F(ScaledUiTest, SurfacesHoldDevicePixelsWhileEverythingElseStaysInPoints) {
    TForm* f = NewForm(200, 100);
    auto* framed = new TFramed(f);
    framed->SetParent(f);
    framed->SetBounds(20, 10, 50, 30);
    f->Show();
    Pump();
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->bounds.w, f->Width()) << "window bounds stay in points";
    EXPECT_EQ(w->DeviceWidth(), 2 * f->Width());
    EXPECT_EQ(w->pixels.size(), size_t(2 * f->Width()) * size_t(2 * f->Height()));

    // The one-point frame is two device pixels wide, the inside white.
    EXPECT_EQ(DevicePixelOf(framed, 0, 5), 0u);
    EXPECT_EQ(DevicePixelOf(framed, 0, 5, 1, 0), 0u);
    EXPECT_EQ(DevicePixelOf(framed, 1, 5), 0xFFFFFFu);
    EXPECT_EQ(DevicePixelOf(framed, 49, 5, 1, 1), 0u);
    EXPECT_EQ(PixelOf(framed, 25, 15), ColorToRGB(clWhite));

    // An invalidation in points is painted with its clip in points and presented in pixels.
    framed->paints.clear();
    TRect part = Rect(5, 5, 15, 9);
    InvalidateRect(framed, &part, false);
    Pump();
    ASSERT_EQ(framed->paints.size(), 1u);
    EXPECT_EQ(framed->paints[0], part);
    const TPoint at = framed->ClientToScreen({5, 5});
    const DisplayRect& dirty = display->FindWindow(f->DisplayWindow())->lastDirty;
    EXPECT_EQ(dirty.x, (at.X - f->Left()) * 2);
    EXPECT_EQ(dirty.y, (at.Y - f->Top()) * 2);
    EXPECT_EQ(dirty.w, 20);
    EXPECT_EQ(dirty.h, 8);

    // Input arrives in points and reaches the control at its point.
    Click(framed, 12, 7);
    ASSERT_EQ(framed->downs.size(), 1u);
    EXPECT_EQ(framed->downs[0], (TPoint{12, 7}));
}

TEST_F(ScaledUiTest, SnapshotsAreInPointsUnlessAskedForDevicePixels) {
    TForm* f = NewForm(120, 80);
    auto* framed = new TFramed(f);
    framed->SetParent(f);
    framed->SetBounds(10, 10, 40, 20);
    f->Show();
    Pump();
    TBitmap logical, device;
    ASSERT_TRUE(SnapshotControl(framed, logical));
    ASSERT_TRUE(SnapshotControlDevice(framed, device));
    EXPECT_EQ(logical.Width(), 40);
    EXPECT_EQ(logical.Scale(), 1);
    EXPECT_EQ(device.Width(), 80);
    EXPECT_EQ(device.Height(), 40);
    EXPECT_EQ(device.Scale(), 1) << "a plain picture of device pixels";
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(logical.PixelColor(x, y), device.PixelColor(2 * x, 2 * y)) << x << "," << y;
    EXPECT_EQ(device.PixelColor(1, 1), clBlack);
    EXPECT_EQ(device.PixelColor(2, 2), clWhite);

    const std::string path = std::string(BRELVAN_BINARY_DIR) + "/ui_scaled_snapshot.png";
    ASSERT_TRUE(WriteWindowPngDevice(f, path));
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Width(), 2 * f->Width());
}

TEST_F(ScaledUiTest, ScrollingMovesDevicePixelsAndTheCaretInvertsWholePoints) {
    TForm* f = NewForm();
    auto* w = new TFramed(f);
    w->SetParent(f);
    w->SetBounds(0, 0, 100, 100);
    f->Show();
    Pump();
    // A mark with detail finer than a point, drawn outside of paint, scrolled up by 10 points.
    TCanvas* dc = GetDC(w);
    dc->Brush()->SetColor(clRed);
    dc->FillRect(Rect(40, 50, 50, 60));
    ReleaseDC(w, dc);
    ScrollWindow(w, 0, -10, nullptr, nullptr);
    EXPECT_EQ(DevicePixelOf(w, 45, 40), 0xFF0000u);
    EXPECT_EQ(DevicePixelOf(w, 49, 49, 1, 1), 0xFF0000u);
    EXPECT_EQ(DevicePixelOf(w, 45, 50), 0xFFFFFFu);

    // The caret covers its points whole and goes without a trace.
    CreateCaret(w, 1, 10);
    SetCaretPos(20, 20);
    ShowCaret(w);
    EXPECT_EQ(DevicePixelOf(w, 20, 20), 0u);
    EXPECT_EQ(DevicePixelOf(w, 20, 29, 1, 1), 0u);
    EXPECT_EQ(DevicePixelOf(w, 21, 20), 0xFFFFFFu);
    DestroyCaret();
    EXPECT_EQ(DevicePixelOf(w, 20, 20, 1, 1), 0xFFFFFFu);
}

// The window's icon reaches the display drawn for its pixels, not the 32-pixel one enlarged:
// the same drawing, each cell of it 2 x 2 pixels. An icon a form was given goes as it is.
TEST_F(ScaledUiTest, TheDefaultIconIsDrawnForTheScreensPixels) {
    TForm* f = NewForm(200, 100);
    f->Show();
    Pump();
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->iconWidth, 64);
    ASSERT_EQ(w->iconHeight, 64);
    const std::vector<uint32_t> small = IconPixels(DefaultApplicationIcon());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(w->icon[std::size_t(y) * 64 + std::size_t(x)],
                      small[std::size_t(y / 2) * 32 + std::size_t(x / 2)])
                << "pixel " << x << "," << y;
    EXPECT_EQ(DefaultApplicationIcon(3).Width(), 96);

    TBitmap own(20, 20);
    own.Fill(clBlue);
    f->SetIcon(own);
    EXPECT_EQ(w->iconWidth, 20);
}
