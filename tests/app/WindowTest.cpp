// The main window as it is laid out: its size and frame, the login page's controls where they
// stand and in their tab order, the pictures it carries, and closing it.

#include "AppTest.h"

#include "app/StartPreparation.h"
#include "gfx/FontFace.h"

#include "grid/NxGrid.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinFrameObjects.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinLinkLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinShadowLabel.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinStdLabel.h"
#include "skinctrls/SkinXFormButton.h"
#include "ui/ExtCtrls.h"

namespace apptest {
namespace {

using Window = AppTest;

TEST_F(Window, OpensCentredWithItsFixedClientAreaInsideTheSkinnedFrame) {
    StartWindow();
    EXPECT_TRUE(form->spSkinFrame1->Skinned());
    EXPECT_FALSE(form->spSkinData1->SkinEmpty());
    EXPECT_EQ(form->ClientWidth(), 803);
    EXPECT_EQ(form->ClientHeight(), 589);
    EXPECT_EQ(form->Width(), 821);
    EXPECT_EQ(form->Height(), 633);
    EXPECT_EQ(form->Left(), (1280 - 821) / 2);
    EXPECT_EQ(form->Top(), (1024 - 633) / 2);
    EXPECT_EQ(form->Caption(), "Brelvan");
    // Neither resizing nor maximising: the frame offers minimise and close only.
    EXPECT_FALSE(form->spSkinFrame1->Sizeable());
    EXPECT_EQ(form->spSkinFrame1->BorderIcons(), biSystemMenu | biMinimize);
    // The page control fills the window; each page's client area is 801 x 567.
    EXPECT_EQ(form->Page->BoundsRect(), Rect(0, 0, 803, 589));
    EXPECT_EQ(form->spSkinTabSheet1->ClientWidth(), 801);
    EXPECT_EQ(form->spSkinTabSheet1->ClientHeight(), 567);
}

TEST_F(Window, TheLoginPageStandsAsDesigned) {
    StartWindow();
    struct Expected {
        TControl* control;
        TRect bounds;
    } expected[] = {
        {form->zap, Rect(424, 384, 513, 409)},
        // The "edit" and "button" records fix the heights: 21 and 26.
        {form->loginedit, Rect(424, 280, 697, 301)},
        {form->passedit, Rect(424, 344, 697, 365)},
        {form->logb, Rect(496, 416, 609, 442)},
        {form->Image1, Rect(0, 0, 801, 567)},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(e.control->BoundsRect(), e.bounds) << e.control->Name();
        EXPECT_EQ(e.control->Parent(), form->spSkinTabSheet1) << e.control->Name();
    }
    // The two labels above the boxes are sized to their text in the skin's font.
    EXPECT_EQ(form->spSkinStdLabel4->BoundsRect().TopLeft(), (TPoint{424, 264}));
    EXPECT_EQ(form->spSkinStdLabel5->BoundsRect().TopLeft(), (TPoint{424, 328}));
    EXPECT_LT(form->spSkinStdLabel4->Top() + form->spSkinStdLabel4->Height(), 280);
    EXPECT_LT(form->spSkinStdLabel5->Top() + form->spSkinStdLabel5->Height(), 344);
    EXPECT_EQ(form->spSkinStdLabel4->Caption(), "LOGIN");
    EXPECT_EQ(form->spSkinStdLabel5->Caption(), "PASSWORD");
    EXPECT_EQ(form->logb->Caption(), "LOGIN");
    EXPECT_EQ(form->zap->Caption(), "Remember");
    EXPECT_EQ(form->spSkinShadowLabel1->Caption(), "Version 3.3");
    EXPECT_EQ(form->spSkinShadowLabel1->Left(), 707);
    EXPECT_EQ(form->spSkinShadowLabel1->Top(), 6);
    EXPECT_EQ(form->spSkinLinkLabel2->Left(), 702);
    EXPECT_EQ(form->spSkinLinkLabel2->Top(), 24);
    EXPECT_EQ(form->spSkinLinkLabel2->URL(), "http://" + service.Host() + "/");
    // Under the picture, drawn over and never seen: a click there reaches the picture.
    for (TControl* hidden :
         std::initializer_list<TControl*>{form->spSkinStdLabel1, form->spSkinStdLabel2,
                                          form->spSkinStdLabel3, form->spSkinLinkLabel1}) {
        const TPoint inside{hidden->Left() + 2, hidden->Top() + 2};
        EXPECT_EQ(form->spSkinTabSheet1->ControlAtPos(inside, false), form->Image1)
            << hidden->Name();
    }
    EXPECT_EQ(form->Image1->Picture()->Width(), 801);
    EXPECT_EQ(form->Image1->Picture()->Height(), 567);
    EXPECT_EQ(form->ImageList1->Count(), 103);
    EXPECT_EQ(form->ImageList2->Count(), 2);
}

TEST_F(Window, TabMovesBetweenTheLoginAndPasswordBoxes) {
    StartWindow();
    // Typing starts in the login box. LOGIN takes no focus (Enter in a box logs in); Tab goes
    // from one box to the other, to the tab strip of the pages, to Remember (Space toggles
    // it there) and round again.
    EXPECT_TRUE(form->loginedit->Focused());
    Press(VK_TAB);
    EXPECT_TRUE(form->passedit->Focused());
    Press(VK_TAB);
    EXPECT_TRUE(form->Page->Focused());
    Press(VK_TAB);
    EXPECT_TRUE(form->zap->Focused());
    Press(VK_SPACE);
    EXPECT_TRUE(form->zap->Checked());
    Press(VK_TAB);
    EXPECT_TRUE(form->loginedit->Focused());
    ClickCentre(form->zap);
    EXPECT_FALSE(form->zap->Checked());
    // Alt+R toggles it from anywhere, and its letter is not typed into the box.
    ClickCentre(form->loginedit);
    Press('R', ModAlt);
    EXPECT_TRUE(form->zap->Checked());
    EXPECT_EQ(form->loginedit->Text(), "");
}

TEST_F(Window, TheMatchPageAndTheFilterPanelAsDesigned) {
    StartWindow();
    EXPECT_EQ(form->spSkinPanel1->BoundsRect(), Rect(0, 0, 801, 21));
    EXPECT_EQ(form->fi->Width(), 25);
    EXPECT_EQ(form->fi->Caption(), "...");
    EXPECT_EQ(form->fi->Hint(), "Filter (Ctrl+F)");
    EXPECT_TRUE(form->fi->ShowHint());
    // "..." at the panel's right edge inside its frame, the count label just left of it.
    EXPECT_GE(form->fi->Left() + form->fi->Width(), form->spSkinPanel1->ClientWidth() - 3);
    EXPECT_EQ(form->fcount->Width(), 104);
    EXPECT_EQ(form->fcount->Left() + form->fcount->Width(), form->fi->Left());
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
    for (TControl* radio : form->radioBoxes) EXPECT_FALSE(radio->Visible());
    EXPECT_FALSE(form->filter->Visible());
    EXPECT_FALSE(form->FG5->Visible());
    EXPECT_EQ(form->filter->Caption(), "Filter");
    // The filter panel's bounds, in its own place.
    EXPECT_EQ(form->f[0]->Left(), 144);
    EXPECT_EQ(form->f[0]->Top(), 102);
    EXPECT_EQ(form->f[19]->Left(), 232);
    EXPECT_EQ(form->f[19]->Top(), 454);
    EXPECT_EQ(form->spSkinButton1->Caption(), "CLEAR");
    EXPECT_EQ(form->spSkinXFormButton3->BoundsRect().TopLeft(), (TPoint{288, 504}));
    EXPECT_EQ(form->rangeLabels[3]->Caption(),
              Utf8ToAnsi("Процент на   П1 от                                     до"));
}

TEST_F(Window, TheFramesCloseButtonEndsTheProgram) {
    StartWindow();
    TspActiveSkinObject* close = nullptr;
    for (int i = 0; i < form->spSkinFrame1->ObjectCount(); ++i)
        if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(form->spSkinFrame1->Objects(i)))
            if (b->command == cmClose) close = b;
    ASSERT_NE(close, nullptr);
    // Where the virtual-screen check presses it: 20 pixels left of the right edge, 14 down.
    const TRect r = close->ObjectRect;
    EXPECT_TRUE(r.Contains(TPoint{form->Width() - 20, 14})) << r.Left << "," << r.Top;
    display->Click(form->Left() + form->Width() - 20, form->Top() + 14);
    Pump();
    EXPECT_TRUE(Application->Terminated());
}

} // namespace
} // namespace apptest

namespace apptest {
namespace {

// What the window has presented on the display: its pixels, found by its size.
std::vector<uint32_t> WindowPixels(const HeadlessDisplay& display) {
    for (int id : display.Windows())
        if (const auto* w = display.FindWindow(id);
            w && w->visible && w->bounds.w == 821 && w->bounds.h == 633)
            return w->pixels;
    return {};
}

TEST_F(Window, TheStartIsPreparedOnASecondThread) {
    BeginPreparingStart();
    BeginPreparingStart(); // one at a time
    FinishPreparingStart();
    FinishPreparingStart();
    std::unique_ptr<TPreparedStart> prepared = TakePreparedStart();
    ASSERT_NE(prepared, nullptr);
    EXPECT_EQ(TakePreparedStart(), nullptr); // taken once
    ASSERT_NE(prepared->skinContents, nullptr);
    EXPECT_TRUE(prepared->skinContents->fixed[spsPicture].has_value());
    EXPECT_GT(prepared->skinContents->activePictures.size(), 5u);
    EXPECT_FALSE(prepared->skinSource.empty());
    EXPECT_EQ(prepared->aboutPicture.Width(), 801);
    EXPECT_EQ(prepared->aboutPicture.Height(), 567);
    EXPECT_EQ(prepared->faces.size(), 6u);
    for (const auto& face : prepared->faces) EXPECT_GT(face->Metrics().Height, 0);
    FinishPreparingStart(); // with none under way: nothing to wait for
    EXPECT_EQ(TakePreparedStart(), nullptr);
}

// Made from what was prepared (the skin read ahead, the picture decoded, the faces
// loaded), the window is the same, pixel for pixel, as one that did it all itself.
TEST_F(Window, AWindowMadeFromAPreparedStartIsTheSameWindow) {
    StartWindow();
    const std::vector<uint32_t> plain = WindowPixels(*display);
    ASSERT_EQ(plain.size(), 821u * 633u);

    Application->Reset();
    form = nullptr;
    display = new HeadlessDisplay(1280, 1024);
    SetDisplay(std::unique_ptr<Display>(display));
    Application->Initialize();
    BeginPreparingStart();
    FinishPreparingStart();
    StartWindow();
    EXPECT_EQ(TakePreparedStart(), nullptr); // the window took it
    const std::vector<uint32_t> prepared = WindowPixels(*display);
    ASSERT_EQ(prepared.size(), plain.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) differing += plain[i] != prepared[i];
    EXPECT_EQ(differing, 0u);
}

} // namespace
} // namespace apptest
