// The skin's screen utilities over the display: partly transparent windows (and the frame's
// AlphaBlend), and reading back what the screen shows.
#include "FrameTestFixture.h"

#include "skin/ScreenUtilities.h"

#include "ui/Snapshot.h"
#include <algorithm>

namespace {

// A display that does not let a program read the screen or change a window's opacity.
class SealedScreen : public HeadlessDisplay {
public:
    using HeadlessDisplay::HeadlessDisplay;
    bool SupportsWindowOpacity() override { return false; }
    bool SetWindowOpacity(int, int) override { return false; }
    bool CopyScreenArea(const DisplayRect&, std::vector<uint32_t>&) override { return false; }
};

} // namespace

TEST_F(FrameTest, TheFramesAlphaBlendMakesTheWindowPartlyTransparent) {
    ASSERT_TRUE(LayeredWindowsAvailable());
    WearProgramSkin(false);
    frame->SetAlphaBlend(true);
    frame->SetAlphaBlendValue(120);
    form->Show();
    Pump();
    const auto* window = display->FindWindow(form->DisplayWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->opacity, 120);
    frame->SetAlphaBlendValue(300); // out of range: opaque
    EXPECT_EQ(frame->AlphaBlendValue(), 255);
    EXPECT_EQ(window->opacity, 255);
    frame->SetAlphaBlendValue(200);
    frame->SetAlphaBlend(false);
    EXPECT_EQ(window->opacity, 255);
    EXPECT_FALSE(SetWindowAlpha(nullptr, 10));
}

TEST_F(FrameTest, AlphaBlendAnimationFadesEachShowingInAndSurvivesASkinChange) {
    WearProgramSkin(false);
    frame->SetAlphaBlend(true);
    frame->SetAlphaBlendValue(200);
    frame->SetAlphaBlendAnimation(true);
    form->Show();
    Pump();
    const auto* window = display->FindWindow(form->DisplayWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_LT(window->opacity, 60) << "a showing starts nearly clear";
    std::vector<int> seen{window->opacity};
    while (frame->FadeStep() >= 0 && seen.size() < 40) {
        Wait(25);
        seen.push_back(window->opacity);
    }
    EXPECT_EQ(window->opacity, 200);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << "the fade only rises";
    EXPECT_GE(seen.size(), 5u) << "it takes several steps, not one";
    Wait(100);
    EXPECT_EQ(window->opacity, 200) << "and stays where it ended";

    // Shown again, it fades in again; a change of skin halfway does not leave it half clear.
    form->Hide();
    form->Show();
    Pump();
    Wait(50);
    EXPECT_LT(window->opacity, 200);
    auto* again = new TspCompressedStoredSkin(form);
    LoadProgramSkin(*again);
    store->SetCompressedStoredSkin(again);
    Wait(400);
    EXPECT_EQ(window->opacity, 200);
    EXPECT_EQ(frame->FadeStep(), -1);
}

TEST_F(FrameTest, TheScreenUnderARectangleIsWhatTheWindowsShow) {
    WearProgramSkin();
    TBitmap shown;
    ASSERT_TRUE(SnapshotControl(form, shown));
    // Half on the form, half on the desktop beside it.
    const TRect area =
        Rect(form->Left() - 20, form->Top() + 30, form->Left() + 20, form->Top() + 50);
    TBitmap copy;
    ASSERT_TRUE(CopyScreenImage(area, copy));
    ASSERT_EQ(copy.Width(), 40);
    ASSERT_EQ(copy.Height(), 20);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(copy.ScanLine(y)[5] & 0xFFFFFF, HeadlessDisplay::DesktopColor);
        EXPECT_EQ(copy.ScanLine(y)[25] & 0xFFFFFF, shown.ScanLine(30 + y)[5] & 0xFFFFFF);
    }
    // A partly transparent window lies over the desktop, blended.
    frame->SetAlphaBlend(true);
    frame->SetAlphaBlendValue(128);
    ASSERT_TRUE(CopyScreenImage(area, copy));
    const TColor over = PixelToColor(copy.ScanLine(0)[25]);
    const TColor window = PixelToColor(shown.ScanLine(30)[5]);
    const TColor desktop = PixelToColor(HeadlessDisplay::DesktopColor);
    EXPECT_NEAR(GetRValue(over), (GetRValue(window) + GetRValue(desktop)) / 2, 1);
    EXPECT_NEAR(GetBValue(over), (GetBValue(window) + GetBValue(desktop)) / 2, 1);
}

TEST_F(FrameTest, WhereTheScreenCannotBeReadNothingIsPretended) {
    Application->Reset();
    display = new SealedScreen(1280, 1024);
    SetDisplay(std::unique_ptr<Display>(display));
    Application->Initialize();
    form = Application->CreateForm<TForm>();
    form->SetBounds(100, 100, 400, 300);
    WearProgramSkin(false);
    frame->SetAlphaBlend(true);
    form->Show();
    Pump();
    EXPECT_FALSE(LayeredWindowsAvailable());
    TBitmap kept(3, 3);
    kept.Fill(clRed);
    EXPECT_FALSE(CopyScreenImage(Rect(0, 0, 50, 50), kept));
    EXPECT_EQ(kept.Width(), 3);
    EXPECT_EQ(kept.PixelColor(1, 1), ColorToRGB(clRed));
}
