// Sliced skin pictures made scaled before text is drawn into them, and the skinned frame on a
// display of 2 pixels a point: its caption is rasterised at 2x, its borders are the 1x
// picture enlarged by whole pixels, with nothing shifted between the two.
#include "FrameTestFixture.h"

#include "gfx/Canvas.h"
#include "skin/ScaledPicture.h"
#include "ui/Snapshot.h"

#include <gtest/gtest.h>

namespace {

// 2 x 2 blocks of a device picture, inside `area` (device pixels), that hold more than one
// colour.
int MixedBlocks(const TBitmap& device, const TRect& area) {
    int mixed = 0;
    for (int y = area.Top; y + 1 < area.Bottom; y += 2)
        for (int x = area.Left; x + 1 < area.Right; x += 2) {
            const TPixel p = device.ScanLine(y)[x];
            mixed += device.ScanLine(y)[x + 1] != p || device.ScanLine(y + 1)[x] != p ||
                     device.ScanLine(y + 1)[x + 1] != p;
        }
    return mixed;
}

} // namespace

TEST(ScaledPicture, EnlargesByWholePixelsAndKeepsTransparency) {
    TBitmap picture(3, 2);
    picture.Fill(clLime);
    picture.ScanLine(1)[2] = 0xFFFF0000u;
    picture.SetTransparentColor(clLime);
    picture.SetTransparent(true);
    picture.SetAlphaFormat(afDefined);
    EnlargeToScale(picture, 3);
    EXPECT_EQ(picture.Scale(), 3);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.DeviceWidth(), 9);
    for (int y = 3; y < 6; ++y)
        for (int x = 6; x < 9; ++x) EXPECT_EQ(picture.ScanLine(y)[x], 0xFFFF0000u);
    EXPECT_EQ(picture.ScanLine(2)[8], ColorToPixel(clLime));
    EXPECT_TRUE(picture.Transparent());
    EXPECT_EQ(picture.TransparentColor(), clLime);
    EXPECT_EQ(picture.AlphaFormat(), afDefined);

    // Back to 1x takes each point's top-left pixel (the blue one is not); the same scale
    // changes nothing.
    picture.ScanLine(0)[1] = 0xFF0000FFu;
    EnlargeToScale(picture, 1);
    EXPECT_EQ(picture.Scale(), 1);
    EXPECT_EQ(picture.PixelColor(0, 0), clLime);
    EXPECT_EQ(picture.PixelColor(2, 1), clRed);
    const TPixel* before = picture.Bits();
    EnlargeToScale(picture, 1);
    EXPECT_EQ(picture.Bits(), before);
}

class ScaledFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        // The fixture's form lives on a 1x display: start again on a 2x one.
        Application->Reset();
        display = new HeadlessDisplay(1280, 1024, 2);
        SetDisplay(std::unique_ptr<Display>(display));
        Application->Initialize();
        form = Application->CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 300);
        form->SetCaption("Brelvan");
    }
};

TEST_F(ScaledFrameTest, CaptionIsSharpAndBordersAreTheOneXPictureEnlarged) {
    WearProgramSkin();
    TBitmap points, device;
    ASSERT_TRUE(SnapshotControl(form, points));
    ASSERT_TRUE(SnapshotControlDevice(form, device));
    ASSERT_EQ(device.Width(), 2 * form->Width());
    // The caption row's text: detail finer than a point.
    const TRect caption = Rect(2 * 30, 2 * 4, 2 * 120, 2 * 24);
    EXPECT_GT(MixedBlocks(device, caption), 30);
    // The left border below the caption is the skin's picture: whole 2 x 2 blocks that are
    // the points' colours.
    for (int y = 60; y < 200; ++y)
        for (int x = 0; x < 3; ++x) {
            const TPixel p = device.ScanLine(2 * y)[2 * x];
            ASSERT_EQ(device.ScanLine(2 * y + 1)[2 * x + 1], p) << x << "," << y;
            ASSERT_EQ(points.ScanLine(y)[x], p) << x << "," << y;
        }
}
