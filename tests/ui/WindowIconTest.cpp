// The picture that stands for a window: which one a form shows, how it reaches the display,
// and how it is made small.
#include "ui/WindowIcon.h"
#include "UiTest.h"

namespace {
TBitmap Solid(int size, TColor color) {
    TBitmap b(size, size);
    b.Fill(color);
    return b;
}
} // namespace

TEST_F(UiTest, AFormShowsItsIconElseTheApplicationsElseTheDefault) {
    TForm* f = NewForm();
    f->Show();
    Pump();
    const HeadlessDisplay::Window* w = display->FindWindow(f->DisplayWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->iconWidth, DefaultApplicationIcon().Width()) << "the default at first";
    EXPECT_EQ(&WindowIconOf(f), &DefaultApplicationIcon());

    Application->SetIcon(Solid(48, clRed));
    EXPECT_EQ(w->iconWidth, 48);
    EXPECT_EQ(w->icon[0], 0xFFFF0000u) << "opaque red, as 0xAARRGGBB";

    f->SetIcon(Solid(16, clBlue));
    EXPECT_EQ(w->iconWidth, 16);
    EXPECT_EQ(w->icon[0], 0xFF0000FFu);
    // The application's icon no longer reaches a form that has its own.
    Application->SetIcon(Solid(24, clLime));
    EXPECT_EQ(w->iconWidth, 16);
    Application->SetIcon(TBitmap());
}

TEST_F(UiTest, AnIconShownLaterReachesTheDisplayWhenTheWindowAppears) {
    TForm* f = NewForm();
    f->SetIcon(Solid(20, clYellow));
    f->Show();
    Pump();
    EXPECT_EQ(display->FindWindow(f->DisplayWindow())->iconWidth, 20);
}

TEST_F(UiTest, ScalingAnIconAveragesItsAreasAndKeepsTransparency) {
    TBitmap icon = Solid(32, clWhite);
    // The left half black, and the transparent colour in the top-right quarter.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x) icon.ScanLine(y)[x] = 0xFF000000;
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x) icon.ScanLine(y)[x] = 0xFFFF00FF;
    icon.SetTransparent(true);
    icon.SetTransparentColor(clFuchsia);
    TBitmap small = ScaleIcon(icon, 16);
    ASSERT_EQ(small.Width(), 16);
    EXPECT_EQ(small.AlphaFormat(), afDefined);
    EXPECT_EQ(small.ScanLine(12)[2], 0xFF000000u);
    EXPECT_EQ(small.ScanLine(12)[12], 0xFFFFFFFFu);
    EXPECT_EQ(small.ScanLine(2)[12] >> 24, 0u) << "the transparent corner stays see-through";
    // Half black, half white under one target pixel: grey.
    TBitmap two = ScaleIcon(icon, 1);
    EXPECT_GT(two.ScanLine(0)[0] >> 24, 0u);
    // Nothing to scale gives an empty (transparent) picture, not a failure.
    EXPECT_EQ(ScaleIcon(TBitmap(), 16).ScanLine(0)[0], 0u);
}
