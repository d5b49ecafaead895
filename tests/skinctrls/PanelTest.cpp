// Panels and group boxes: where children go, the caption area, checked and roll-up modes,
// and the framed and shadow labels that sit on them.
#include "SkinCtrlsTest.h"

#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinShadowLabel.h"
#include "ui/ExtCtrls.h"

class PanelTest : public SkinCtrlsTest {
protected:
    TControl* Child(TWinControl* parent, TAlign align) {
        auto* c = new TPanel(parent);
        c->SetParent(parent);
        c->SetAlign(align);
        return c;
    }
};

TEST_F(PanelTest, ChildrenInsideTheRecordsClientArea) {
    TForm* form = NewForm(500, 300);
    TspSkinData* skin = ProgramSkin(form);
    auto* panel = new TspSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 400, 60);
    panel->SetSkinData(skin);
    TControl* inPanel = Child(panel, alClient);
    auto* group = new TspSkinGroupBox(form);
    group->SetParent(form);
    group->SetBounds(0, 70, 369, 200);
    group->SetSkinData(skin);
    group->SetCaption("Filter");
    TControl* inGroup = Child(group, alClient);
    form->Show();
    Pump();
    EXPECT_EQ(inPanel->BoundsRect(), Rect(2, 2, 398, 58));
    EXPECT_EQ(inGroup->BoundsRect(), Rect(1, 18, 368, 199));
    EXPECT_EQ(group->CaptionArea(), Rect(3, 3, 369 - 3, 17));
    // Hiding and showing the group box leaves its children where they were.
    group->Hide();
    Pump();
    group->Show();
    Pump();
    EXPECT_EQ(inGroup->BoundsRect(), Rect(1, 18, 368, 199));
    // Without a record and without border or caption: the whole client area.
    auto* plain = new TspSkinPanel(form);
    plain->SetParent(form);
    plain->SetBounds(420, 0, 60, 60);
    plain->SetBorderStyle(bvNone);
    TControl* inPlain = Child(plain, alClient);
    EXPECT_EQ(inPlain->BoundsRect(), Rect(0, 0, 60, 60));
    plain->SetBorderStyle(bvFrame);
    EXPECT_EQ(inPlain->BoundsRect(), Rect(1, 1, 59, 59));
    plain->SetCaptionMode(true);
    EXPECT_EQ(inPlain->BoundsRect(), Rect(1, 23, 59, 59));
}

TEST_F(PanelTest, CheckedCaptionEnablesChildren) {
    TForm* form = NewForm(300, 200);
    auto* panel = new TspSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetChecked(true);
    TControl* a = Child(panel, alTop);
    TControl* b = Child(panel, alBottom);
    int fired = 0;
    panel->OnChecked = [&](TObject*) { ++fired; };
    form->Show();
    Pump();
    Click(panel, 100, 10); // inside the caption bar
    EXPECT_FALSE(panel->Checked());
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(fired, 1);
    Click(panel, 100, 100); // below it: nothing
    EXPECT_FALSE(panel->Checked());
    Click(panel, 100, 10);
    EXPECT_TRUE(a->Enabled());
}

TEST_F(PanelTest, RolledUpPanelFollowsASkinChange) {
    TForm* form = NewForm(300, 300);
    TspSkinData* skin = ProgramSkin(form);
    auto* group = new TspSkinGroupBox(form);
    group->SetParent(form);
    group->SetBounds(10, 10, 200, 200);
    group->SetSkinData(skin);
    group->SetRollUpMode(true);
    TControl* child = Child(group, alClient);
    TControl* hidden = Child(group, alNone);
    hidden->Hide();
    form->Show();
    Pump();
    group->SetRollUpState(true);
    EXPECT_EQ(group->RealHeight(), 200);
    EXPECT_EQ(group->Height(), 200 - 181); // less the client area of the record
    EXPECT_FALSE(child->Visible());
    // The skin goes and comes back (the window frame relays each change to the controls):
    // still rolled up, at the caption height of the skin in use.
    group->PrepareSkinChange();
    skin->ClearSkin();
    group->ApplySkinChange();
    Pump();
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(group->Height(), group->DefaultCaptionHeight() + 1);
    group->PrepareSkinChange();
    skin->ApplyStoredSkin(skin->CompressedStoredSkin());
    group->ApplySkinChange();
    Pump();
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(group->Height(), 19);
    group->SetRollUpState(false);
    EXPECT_EQ(group->Height(), 200);
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(hidden->Visible()); // it was hidden before the roll-up
}

TEST_F(PanelTest, RollingUpPutsTheSizeLimitsAsideUntilItEnds) {
    TForm* form = NewForm(400, 300);
    auto* panel = new TspSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    TControl* child = Child(panel, alClient);
    TspPanelConstraints limits;
    limits.MinHeight = 100;
    limits.MaxWidth = 250;
    panel->SetConstraints(limits);
    form->Show();
    Pump();
    panel->SetBounds(10, 10, 300, 50);
    EXPECT_EQ(panel->Width(), 250);
    EXPECT_EQ(panel->Height(), 100);
    panel->SetBounds(10, 10, 200, 150);
    // A click on the caption rolls up below the minimum height.
    Click(panel, 50, 10);
    ASSERT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), panel->DefaultCaptionHeight() + 1);
    EXPECT_TRUE(panel->Constraints().Empty());
    // Rolled down again: the limits hold again.
    Click(panel, 50, 10);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_EQ(panel->Constraints(), limits);
    // The mode switched off while rolled up: setting the state restores the limits and
    // brings the children back.
    Click(panel, 50, 10);
    ASSERT_TRUE(panel->RollUpState());
    panel->SetRollUpMode(false);
    Click(panel, 50, 10); // without the mode a click does nothing
    EXPECT_TRUE(panel->RollUpState());
    panel->SetRollUpState(false);
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Constraints(), limits);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_TRUE(child->Visible());
    panel->SetRollUpState(true); // without the mode: stays down
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 150);
}

TEST_F(PanelTest, FramedCountLabel) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    auto* fcount = new TspSkinLabel(form);
    fcount->SetParent(form);
    fcount->SetAlignment(taCenter);
    fcount->SetBounds(10, 10, 60, 40);
    fcount->SetSkinData(skin);
    fcount->SetCaption("128");
    form->Show();
    Pump();
    // "label" is sliced left-middle-right: 16 high whatever it is given.
    EXPECT_EQ(fcount->Height(), 16);
    fcount->SetHeight(30);
    EXPECT_EQ(fcount->Height(), 16);
    EXPECT_EQ(fcount->TextRect(), Rect(3, 1, 60 - 3, 15));
    // The caption is centred: its ink is as far from the left as from the right.
    int first = -1, last = -1;
    TColor back = PixelOf(fcount, 5, 8);
    for (int x = 3; x < 57; ++x)
        for (int y = 1; y < 15; ++y)
            if (RawPixel(fcount, x, y) != back) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    ASSERT_GE(first, 0);
    EXPECT_LE(std::abs((first - 3) - (57 - 1 - last)), 2);
    // AutoSize widens the label to a longer caption and narrows it back.
    fcount->SetAutoSize(true);
    fcount->SetCaption("1234567890");
    EXPECT_GT(fcount->Width(), 60);
    int wide = fcount->Width();
    fcount->SetCaption("1");
    EXPECT_LT(fcount->Width(), wide);
}

TEST_F(PanelTest, ShadowLabelDarkensWhatLiesBeneath) {
    TForm* form = NewForm(300, 120);
    auto* picture = new TImage(form);
    picture->SetParent(form);
    picture->SetBounds(0, 0, 300, 120);
    picture->Picture()->SetSize(300, 120);
    picture->Picture()->Fill(RGB(200, 100, 50));
    auto* label = new TspSkinShadowLabel(form);
    label->SetParent(form);
    label->Font()->SetHeight(40);
    label->SetCaption("IIII");
    label->SetBounds(10, 10, 0, 0);
    form->Show();
    Pump();
    EXPECT_GT(label->Width(), 20);
    // 70% of each channel (ties to even: 200 * 0.7 = 140, 100 * 0.7 = 70, 50 * 0.7 = 35).
    TColor shaded = RGB(140, 70, 35);
    int n = CountColor(label, label->ClientRect(), shaded);
    EXPECT_GT(n, 20);
    // Moved onto another colour, it darkens that one.
    picture->Picture()->Canvas()->Brush()->SetColor(RGB(100, 200, 250));
    picture->Picture()->Canvas()->FillRect(Rect(150, 0, 300, 120));
    picture->Invalidate();
    label->SetLeft(160);
    EXPECT_GT(CountColor(label, label->ClientRect(), RGB(70, 140, 175)), 20);
    EXPECT_EQ(CountColor(label, label->ClientRect(), shaded), 0);
}
