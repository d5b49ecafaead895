// Check and radio boxes: group rules and OnClick by click and by setter, the grayed cycle,
// the focus rules and where the flat look puts image and caption.
#include "SkinCtrlsTest.h"

#include "skinctrls/SkinCheckRadioBox.h"

class CheckRadioBoxTest : public SkinCtrlsTest {
protected:
    TspSkinCheckRadioBox* MakeBox(TForm* form, TspSkinData* skin, int top, const char* caption,
                                  bool radio, int group = 0) {
        auto* b = new TspSkinCheckRadioBox(form);
        b->SetParent(form);
        b->SetSkinDataName(radio ? "radiobox" : "checkbox");
        b->SetRadio(radio);
        b->SetGroupIndex(group);
        b->SetCanFocused(false);
        b->SetBounds(10, top, 120, 25);
        b->SetCaption(caption);
        if (skin) b->SetSkinData(skin);
        b->OnClick = [this](TObject* sender) { clicks.push_back(sender); };
        return b;
    }
    std::vector<TObject*> clicks;
};

TEST_F(CheckRadioBoxTest, RadioGroupByClick) {
    TForm* form = NewForm(200, 140);
    TspSkinData* skin = ProgramSkin(form);
    auto* all = MakeBox(form, skin, 10, "All", true, 1);
    auto* risky = MakeBox(form, skin, 40, "Risky Bets", true, 1);
    all->SetChecked(true);
    clicks.clear();
    form->Show();
    Pump();
    Click(risky, 30, 12);
    EXPECT_TRUE(risky->Checked());
    EXPECT_FALSE(all->Checked());
    // Only the newly checked radio box fires.
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], risky);
    // A checked radio box stays checked and fires nothing when clicked.
    Click(risky, 30, 12);
    EXPECT_TRUE(risky->Checked());
    EXPECT_EQ(clicks.size(), 1u);
    // Released outside: nothing.
    MoveTo(all, 30, 12);
    display->MouseDown();
    Pump();
    MoveTo(form, 190, 130);
    display->MouseUp();
    Pump();
    EXPECT_FALSE(all->Checked());
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(CheckRadioBoxTest, CheckBoxGroupsAndSetters) {
    TForm* form = NewForm(200, 140);
    TspSkinData* skin = ProgramSkin(form);
    auto* a = MakeBox(form, skin, 10, "A", false, 2);
    auto* b = MakeBox(form, skin, 40, "B", false, 2);
    auto* c = MakeBox(form, skin, 70, "C", false, 0);
    form->Show();
    Pump();
    Click(a, 30, 12);
    EXPECT_TRUE(a->Checked());
    clicks.clear();
    Click(b, 30, 12);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    // The unchecked check box fires as well.
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], a);
    EXPECT_EQ(clicks[1], b);
    // Setting Checked from code fires as a click does, also for the same value.
    clicks.clear();
    c->SetChecked(true);
    c->SetChecked(true);
    EXPECT_EQ(clicks.size(), 2u);
    // Setting State checks without touching the siblings.
    a->SetState(cbChecked);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(b->Checked());
    // Unchecking a grayed box leaves it grayed.
    c->SetState(cbGrayed);
    c->SetChecked(false);
    EXPECT_EQ(c->State(), cbGrayed);
    EXPECT_FALSE(c->Checked());
}

TEST_F(CheckRadioBoxTest, AllowGrayedCycles) {
    TForm* form = NewForm(200, 140);
    auto* box = MakeBox(form, nullptr, 10, "Maybe", false);
    box->SetAllowGrayed(true);
    form->Show();
    Pump();
    std::vector<TspCheckBoxState> seen;
    for (int i = 0; i < 4; ++i) {
        Click(box, 30, 12);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TspCheckBoxState>{cbGrayed, cbChecked, cbUnchecked, cbGrayed}));
}

TEST_F(CheckRadioBoxTest, FocusRules) {
    TForm* form = NewForm(200, 140);
    TspSkinData* skin = ProgramSkin(form);
    auto* remember = MakeBox(form, skin, 10, "Remember", false);
    auto* focusable = MakeBox(form, skin, 40, "&Focusable", false);
    form->Show();
    Pump();
    // Taking the focus is turned on after the form chose its first control.
    focusable->SetCanFocused(true);
    EXPECT_TRUE(focusable->TabStop());
    EXPECT_FALSE(remember->TabStop());
    EXPECT_FALSE(focusable->Focused());
    Click(remember, 30, 12);
    EXPECT_TRUE(remember->Checked());
    EXPECT_FALSE(remember->Focused());
    Press(VK_SPACE);
    EXPECT_TRUE(remember->Checked());
    Click(focusable, 30, 12);
    EXPECT_TRUE(focusable->Focused());
    EXPECT_TRUE(focusable->Checked());
    Press(VK_SPACE);
    EXPECT_FALSE(focusable->Checked());
    // The accelerator focuses and toggles.
    remember->SetCanFocused(true);
    remember->SetFocus();
    Press('F', ModAlt);
    EXPECT_TRUE(focusable->Focused());
    EXPECT_TRUE(focusable->Checked());
}

TEST_F(CheckRadioBoxTest, FlatLookPlacesImageAndCaption) {
    TForm* form = NewForm(200, 60);
    form->SetColor(clWhite);
    TspSkinData* skin = ProgramSkin(form);
    auto* box = MakeBox(form, skin, 10, "Remember", false);
    box->SetBounds(10, 10, 89, 25);
    form->Show();
    Pump();
    // The unchecked image (28,58,43,73) of the program's skin at (3, 5): 15 + 7 = 22.
    const TBitmap* picture = skin->ActivePicture(0);
    ASSERT_NE(picture, nullptr);
    TColor key = picture->PixelColor(28, 72);
    int same = 0, compared = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            TColor want = picture->PixelColor(28 + x, 58 + y);
            if (want == key) continue;
            ++compared;
            if (PixelOf(box, 3 + x, 5 + y) == want) ++same;
        }
    EXPECT_GT(compared, 100);
    EXPECT_EQ(same, compared);
    // The caption starts at x = 22: nothing but background between the image and it.
    int firstInk = -1;
    for (int x = 18; x < 40 && firstInk < 0; ++x)
        for (int y = 0; y < 25; ++y)
            if (RawPixel(box, x, y) != ColorToRGB(clWhite)) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 22);
    EXPECT_LE(firstInk, 24);
    // A flat box keeps whatever size it is given.
    box->SetBounds(10, 10, 150, 40);
    EXPECT_EQ(box->Height(), 40);
}

TEST_F(CheckRadioBoxTest, BuiltInLookWithoutARecord) {
    TForm* form = NewForm(200, 60);
    form->SetColor(clWhite);
    auto* box = MakeBox(form, nullptr, 10, "", false);
    box->SetChecked(true);
    form->Show();
    Pump();
    int mid = 25 / 2;
    // The 14 x 14 outline at (3, mid - 7) and the mark inside it in black.
    EXPECT_EQ(PixelOf(box, 3, mid), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(box, 16, mid), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(box, 8, mid - 4 + 6), ColorToRGB(clBlack));
    EXPECT_EQ(PixelOf(box, 5, mid - 5), ColorToRGB(clWhite)); // inside stays transparent
    box->SetRadio(true);
    EXPECT_EQ(PixelOf(box, 9, mid), ColorToRGB(clBlack)); // the 6 x 6 dot
}
