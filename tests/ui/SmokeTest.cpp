#include "UiTest.h"
#include "gfx/Png.h"
#include "platform/Process.h"
#include "ui/StdCtrls.h"

#include <cstdio>
#include <string>

TEST_F(UiTest, FormShowsAndPaints) {
    TForm* f = NewForm();
    f->SetCaption("Hello");
    f->Show();
    Pump();
    ASSERT_NE(f->DisplayWindow(), 0);
    EXPECT_EQ(PixelOf(f, 10, 10), ColorToRGB(clBtnFace));
    auto* e = new TEdit(f);
    e->SetParent(f);
    e->SetBounds(10, 10, 100, 21);
    Pump();
    EXPECT_EQ(PixelOf(e, 50, 10), ColorToRGB(clWindow));
    // The file holds the window as painted, pixel for pixel. Each run writes a file of its
    // own, so that runs side by side never read each other's.
    const std::string path = ::testing::TempDir() + "smoke-" + std::to_string(ProcessId()) + ".png";
    ASSERT_TRUE(WriteWindowPng(f, path));
    TBitmap painted, written;
    ASSERT_TRUE(SnapshotControl(f, painted));
    LoadPng(written, path);
    std::remove(path.c_str());
    ASSERT_EQ(written.Width(), f->Width());
    ASSERT_EQ(written.Height(), f->Height());
    ASSERT_EQ(painted.Width(), written.Width());
    int differing = 0;
    for (int y = 0; y < written.Height(); ++y)
        for (int x = 0; x < written.Width(); ++x)
            differing += (painted.ScanLine(y)[x] & 0xFFFFFF) != (written.ScanLine(y)[x] & 0xFFFFFF);
    EXPECT_EQ(differing, 0);
    const TPoint edit = e->ClientToScreen({50, 10});
    EXPECT_EQ(PixelToColor(written.ScanLine(edit.Y - f->Top())[edit.X - f->Left()]),
              ColorToRGB(clWindow));
}
