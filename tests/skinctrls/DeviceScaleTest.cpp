// Skinned controls on a display of 2 device pixels a point: the pictures they compose into
// are as sharp as the surface, so their captions are rasterised at 2x, not enlarged; the
// skin's 1x pictures are enlarged by whole pixels; and the alpha-blended and shadowed paths,
// which mix pictures pixel by pixel, keep working at full resolution.
#include "SkinCtrlsTest.h"

#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinShadowLabel.h"
#include "skinctrls/SkinXFormButton.h"

namespace {

class ScaledSkinTest : public SkinCtrlsTest {
protected:
    void SetUp() override {
        Application->Reset();
        display = new HeadlessDisplay(1024, 768, 2);
        SetDisplay(std::unique_ptr<Display>(display));
        Application->Initialize();
    }
};

// 2 x 2 blocks of a device picture that hold more than one colour: detail finer than a
// point, which an enlarged 1x picture never has.
int MixedBlocks(const TBitmap& device) {
    int mixed = 0;
    for (int y = 0; y + 1 < device.Height(); y += 2)
        for (int x = 0; x + 1 < device.Width(); x += 2) {
            const TPixel p = device.ScanLine(y)[x];
            mixed += device.ScanLine(y)[x + 1] != p || device.ScanLine(y + 1)[x] != p ||
                     device.ScanLine(y + 1)[x + 1] != p;
        }
    return mixed;
}

// The same control's picture in points and at device resolution agree point for point on
// the blocks that are one colour (the picture is not shifted or resized).
void ExpectSamePlace(const TBitmap& points, const TBitmap& device) {
    ASSERT_EQ(device.Width(), 2 * points.Width());
    ASSERT_EQ(device.Height(), 2 * points.Height());
    int agreeing = 0, solid = 0;
    for (int y = 0; y < points.Height(); ++y)
        for (int x = 0; x < points.Width(); ++x) {
            const TPixel p = device.ScanLine(2 * y)[2 * x];
            if (device.ScanLine(2 * y + 1)[2 * x + 1] != p) continue;
            ++solid;
            agreeing += points.ScanLine(y)[x] == p;
        }
    EXPECT_EQ(agreeing, solid);
}

} // namespace

TEST_F(ScaledSkinTest, ButtonCaptionIsRasterisedAtTheDeviceScale) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* button = new TspSkinXFormButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 113, 25);
    button->SetSkinData(skin);
    button->SetCaption("LOGIN");
    form->Show();
    Pump();
    TBitmap points, device, bare;
    ASSERT_TRUE(SnapshotControl(button, points));
    ASSERT_TRUE(SnapshotControlDevice(button, device));
    ExpectSamePlace(points, device);
    const int withCaption = MixedBlocks(device);
    button->SetCaption("");
    Pump();
    ASSERT_TRUE(SnapshotControlDevice(button, bare));
    // The caption brings detail finer than a point; the skin's picture alone brings little.
    EXPECT_GT(withCaption - MixedBlocks(bare), 40);
}

TEST_F(ScaledSkinTest, AlphaBlendedAndShadowedControlsMixAtFullResolution) {
    TForm* form = NewForm(300, 160);
    form->SetColor(clBlue);
    TspSkinData* skin = ProgramSkin(form);
    auto* button = new TspSkinXFormButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 113, 25);
    button->SetSkinData(skin);
    button->SetCaption("LOGIN");
    button->SetAlphaBlend(true);
    button->SetAlphaBlendValue(128);
    auto* shadow = new TspSkinShadowLabel(form);
    shadow->SetParent(form);
    shadow->SetBounds(20, 80, 150, 30);
    shadow->Font()->SetHeight(-16);
    shadow->SetCaption("Version 3.3");
    form->Show();
    Pump();
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(shadow)}) {
        TBitmap points, device;
        ASSERT_TRUE(SnapshotControl(c, points));
        ASSERT_TRUE(SnapshotControlDevice(c, device));
        ExpectSamePlace(points, device);
        EXPECT_GT(MixedBlocks(device), 40) << c->Name();
    }
    // Half the button is the blue beneath it, over the whole of it (not the top-left quarter
    // a mix of mismatched sizes would give).
    TBitmap device;
    ASSERT_TRUE(SnapshotControlDevice(button, device));
    const TPixel far = device.ScanLine(device.Height() - 3)[device.Width() - 10];
    EXPECT_GT(far & 0xFFu, 0x60u) << "blue shows through at the far corner";
}

TEST_F(ScaledSkinTest, GroupBoxCaptionInItsBorderStripIsSharp) {
    // A large container paints its borders from strips; the caption goes into the top one.
    TForm* form = NewForm(420, 300);
    TspSkinData* skin = ProgramSkin(form);
    auto* group = new TspSkinGroupBox(form);
    group->SetParent(form);
    group->SetSkinDataName("groupbox");
    group->SetSkinData(skin);
    group->SetBounds(10, 10, 369, 240);
    group->SetCaption("Filter");
    form->Show();
    Pump();
    TBitmap points, device, bare;
    ASSERT_TRUE(SnapshotControl(group, points));
    ASSERT_TRUE(SnapshotControlDevice(group, device));
    ExpectSamePlace(points, device);
    group->SetCaption("");
    Pump();
    ASSERT_TRUE(SnapshotControlDevice(group, bare));
    EXPECT_GT(MixedBlocks(device) - MixedBlocks(bare), 20);
}
