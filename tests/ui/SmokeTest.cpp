#include "UiTest.h"
#include "ui/StdCtrls.h"

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
    ASSERT_TRUE(WriteWindowPng(f, "/tmp/smoke.png"));
}
