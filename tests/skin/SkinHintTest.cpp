// Tool tips in the skin's look: the application's hints while a skinned hint is active, and
// the frame's object hints.
#include "FrameTestFixture.h"

#include "skin/SkinHint.h"
#include "ui/StdCtrls.h"

class HintTest : public FrameTest {
protected:
    // A control with a hint, and the application's hint shown for it now.
    THintWindow* HintOver(TControl* c) {
        Application->ActivateHint(c->ClientToScreen({5, 5}));
        return Application->HintWindow();
    }
    TButton* HintedButton() {
        auto* b = new TButton(form);
        b->SetParent(form);
        b->SetBounds(20, 20, 80, 25);
        b->SetHint("Filter");
        b->SetShowHint(true);
        return b;
    }
};

TEST_F(HintTest, AnActiveSkinHintDrawsTheApplicationsToolTips) {
    WearProgramSkin();
    TButton* button = HintedButton();
    auto* hint = new TspSkinHint(form);
    hint->SetSkinData(store);
    hint->SetActive(true);
    THintWindow* w = HintOver(button);
    ASSERT_NE(dynamic_cast<TspSkinHintWindow*>(w), nullptr);
    ASSERT_TRUE(w->Active());
    const TspDataSkinHintWindow& look = store->HintWindow();
    const TBitmap* picture = store->ActivePicture(look.windowpictureindex);
    EXPECT_GE(w->Width(), picture->Width());
    EXPECT_GE(w->Height(), picture->Height());
    Pump();
    // The face comes from the picture; the rounded corner is cut away by the mask.
    // Left of the text, inside the border.
    const TColor face = picture->PixelColor(2, picture->Height() / 2) & 0xFFFFFF;
    EXPECT_EQ(PixelToColor(display->PixelAt(w->DisplayWindow(), 2, w->Height() / 2)), face);
    TRegion shape;
    ASSERT_TRUE(GetWindowRgn(w, shape));
    EXPECT_FALSE(shape.Contains({0, 0}));
    EXPECT_TRUE(shape.Contains({w->Width() / 2, w->Height() / 2}));
    // Inactive again: the plain tool tip.
    hint->SetActive(false);
    EXPECT_EQ(dynamic_cast<TspSkinHintWindow*>(HintOver(button)), nullptr);
    // Destroyed while active: the application forgets its windows.
    hint->SetActive(true);
    HintOver(button);
    delete hint;
    EXPECT_EQ(dynamic_cast<TspSkinHintWindow*>(HintOver(button)), nullptr);
}

TEST_F(HintTest, WithoutASkinTheSkinHintDrawsThePlainToolTip) {
    TButton* button = HintedButton();
    form->Show();
    Pump();
    auto* hint = new TspSkinHint(form);
    hint->SetActive(true);
    THintWindow* w = HintOver(button);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Active());
    TRegion shape;
    EXPECT_FALSE(GetWindowRgn(w, shape));
}

TEST_F(HintTest, TheFramesObjectsShowTheirHintsWhenAsked) {
    WearProgramSkin();
    auto* hint = new TspSkinHint(form);
    hint->SetSkinData(store);
    frame->SetSkinHint(hint);
    MoveTo(380, 14);
    EXPECT_FALSE(hint->HintShown()) << "ShowObjectHint is off";
    MoveTo(200, 150);
    frame->SetShowObjectHint(true);
    MoveTo(380, 14);
    EXPECT_TRUE(hint->HintShown());
    MoveTo(200, 150);
    EXPECT_FALSE(hint->HintShown());
    MoveTo(380, 14);
    display->MouseDown();
    Pump();
    EXPECT_FALSE(hint->HintShown()) << "a press puts it away";
    display->MouseUp();
    Pump();
    // Without a skinned hint, the plain one.
    frame->SetSkinHint(nullptr);
    MoveTo(200, 150);
    MoveTo(355, 14);
    bool plainShown = false;
    for (int id : display->Windows()) {
        const HeadlessDisplay::Window* w = display->FindWindow(id);
        if (w->popup && w->visible) plainShown = true;
    }
    EXPECT_TRUE(plainShown);
}
