// Skinned buttons driven by real mouse and key input: when they click, repeat, group, take
// the focus, fade under the mouse, fit the record and choose glyph cells.
#include "SkinCtrlsTest.h"

#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinXFormButton.h"

class SkinButtonTest : public SkinCtrlsTest {
protected:
    template <class T = TspSkinXFormButton>
    T* MakeButton(TForm* form, TspSkinData* skin, int left, int top,
                  const char* caption = "LOGIN") {
        auto* b = new T(form);
        b->SetParent(form);
        b->SetBounds(left, top, 113, 25);
        b->SetCaption(caption);
        if (skin) b->SetSkinData(skin);
        b->OnClick = [this](TObject* sender) { clicks.push_back(sender); };
        return b;
    }
    // Presses the left button over `c` at (x, y) and leaves it down.
    void PressAt(TControl* c, int x, int y) {
        MoveTo(c, x, y);
        display->MouseDown();
        Pump();
    }
    void Release() {
        display->MouseUp();
        Pump();
    }
    // Runs the fake clock in 10 ms steps with the loop handling timers.
    void RunClock(int ms) {
        for (int t = 0; t < ms; t += 10) {
            display->Advance(10);
            Pump();
        }
    }
    std::vector<TObject*> clicks;
};

TEST_F(SkinButtonTest, PressMoveOutReleaseDoesNotClick) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* login = MakeButton(form, skin, 20, 20);
    form->Show();
    Pump();
    EXPECT_EQ(login->Height(), 26); // the record's height
    PressAt(login, 50, 10);
    EXPECT_TRUE(login->Down());
    EXPECT_TRUE(clicks.empty()); // nothing on the press
    MoveTo(form, 280, 100);
    EXPECT_FALSE(login->Highlighted());
    Release();
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(login->Down());
    // Drawn up again: the normal picture (after the fade-out has run), as a button never
    // touched shows it.
    RunClock(200);
    EXPECT_EQ(login->MorphFactor(), 0.0);
    auto* untouched = MakeButton(form, skin, 150, 20);
    Pump();
    for (int x = 5; x < 100; x += 7) EXPECT_EQ(PixelOf(login, x, 4), PixelOf(untouched, x, 4)) << x;
    // Pressed and released inside: exactly one click, on release.
    PressAt(login, 50, 10);
    EXPECT_TRUE(clicks.empty());
    Release();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], login);
    EXPECT_FALSE(login->Down());
}

TEST_F(SkinButtonTest, RepeatModeClicksWhileHeld) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* b = MakeButton<TspSkinButton>(form, skin, 20, 20);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(100);
    form->Show();
    Pump();
    PressAt(b, 30, 10);
    RunClock(1000);
    int held = int(clicks.size());
    EXPECT_GE(held, 9);
    EXPECT_LE(held, 11);
    Release();
    EXPECT_EQ(int(clicks.size()), held + 1);
    EXPECT_FALSE(b->RepeatTimerRunning());
    // Leaving the button while held stops the repeat; coming back starts it again.
    clicks.clear();
    PressAt(b, 30, 10);
    MoveTo(form, 280, 100);
    RunClock(500);
    EXPECT_TRUE(clicks.empty());
    MoveTo(b, 30, 10);
    RunClock(300);
    EXPECT_GE(int(clicks.size()), 2);
    Release();
    RunClock(500);
    int after = int(clicks.size());
    RunClock(500);
    EXPECT_EQ(int(clicks.size()), after); // no timer left behind
}

TEST_F(SkinButtonTest, GroupButtons) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* a = MakeButton<TspSkinButton>(form, skin, 10, 10, "A");
    auto* b = MakeButton<TspSkinButton>(form, skin, 130, 10, "B");
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    EXPECT_FALSE(a->CanFocused());
    EXPECT_FALSE(a->TabStop());
    form->Show();
    Pump();
    Click(a, 20, 10);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks.size(), 1u); // a group button clicks on the press
    Click(b, 20, 10);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    Click(b, 20, 10); // pressing a down button again leaves it down
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks.size(), 2u);
    // AllowAllUp: a second press releases it and clicks; another button leaves it down.
    a->SetAllowAllUp(true);
    b->SetAllowAllUp(true);
    Click(b, 20, 10);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks.size(), 3u);
    Click(a, 20, 10);
    Click(b, 20, 10);
    EXPECT_TRUE(a->Down());
    EXPECT_TRUE(b->Down());
}

TEST_F(SkinButtonTest, CanFocusedFalseNeverTakesTheKeyboard) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* edit = new TspSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 60, 200, 21);
    auto* login = MakeButton(form, skin, 10, 10);
    EXPECT_FALSE(login->CanFocused());
    form->Show();
    Pump();
    edit->SetFocus();
    Click(login, 20, 10);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_TRUE(edit->Focused());
    Press(VK_SPACE);
    Press(VK_RETURN);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(SkinButtonTest, FocusedButtonKeysAndDefault) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* edit = new TspSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 60, 200, 21);
    auto* clear = MakeButton<TspSkinButton>(form, skin, 10, 10, "CLEAR");
    auto* other = MakeButton<TspSkinButton>(form, skin, 130, 10, "OTHER");
    clear->SetDefault(true);
    form->Show();
    Pump();
    // A press focuses a button that takes the focus.
    Click(clear, 20, 10);
    EXPECT_TRUE(clear->Focused());
    EXPECT_EQ(clicks.size(), 1u);
    // Space clicks on release; Enter clicks the focused button.
    display->KeyDownOnly(VK_SPACE);
    Pump();
    EXPECT_TRUE(clear->Down());
    EXPECT_EQ(clicks.size(), 1u);
    display->KeyUpOnly(VK_SPACE);
    Pump();
    EXPECT_FALSE(clear->Down());
    EXPECT_EQ(clicks.size(), 2u);
    Press(VK_RETURN);
    EXPECT_EQ(clicks.size(), 3u);
    // From the edit, Enter goes to the default button.
    edit->SetFocus();
    Pump();
    EXPECT_TRUE(clear->ActiveDefault());
    EXPECT_TRUE(clear->Highlighted());
    Press(VK_RETURN);
    ASSERT_EQ(clicks.size(), 4u);
    EXPECT_EQ(clicks.back(), clear);
    // With another skinned button focused, Enter is that button's.
    other->SetFocus();
    Pump();
    EXPECT_FALSE(clear->ActiveDefault());
    EXPECT_FALSE(clear->Highlighted());
    Press(VK_RETURN);
    EXPECT_EQ(clicks.back(), other);
}

TEST_F(SkinButtonTest, HoverFadesInFiveSteps) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* login = MakeButton(form, skin, 20, 20);
    form->Show();
    Pump();
    MoveTo(login, 100, 20);
    std::vector<double> steps;
    for (int i = 0; i < 6; ++i) {
        display->Advance(20);
        Pump();
        steps.push_back(login->MorphFactor());
    }
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_DOUBLE_EQ(steps[0], 0.2);
    EXPECT_DOUBLE_EQ(steps[1], 0.4);
    EXPECT_DOUBLE_EQ(steps[3], 0.8);
    EXPECT_EQ(steps[4], 1.0);
    EXPECT_EQ(steps[5], 1.0);
    // The caption fades with the picture: from black to white.
    int lightText = 0, darkText = 0;
    for (int x = 30; x < 83; ++x)
        for (int y = 6; y < 20; ++y) {
            TColor p = RawPixel(login, x, y);
            if (p == RGB(255, 255, 255)) ++lightText;
            if (p == RGB(0, 0, 0)) ++darkText;
        }
    EXPECT_GT(lightText, 20);
    EXPECT_EQ(darkText, 0);
    // Leaving fades back the same way, and the timer ends.
    MoveTo(form, 280, 110);
    for (double want : {0.8, 0.6, 0.4, 0.2}) {
        display->Advance(20);
        Pump();
        EXPECT_NEAR(login->MorphFactor(), want, 1e-9);
    }
    RunClock(100);
    EXPECT_EQ(login->MorphFactor(), 0.0);
    // Effects off: the look switches at once.
    skin->SetEnableSkinEffects(false);
    MoveTo(login, 100, 20);
    EXPECT_EQ(login->MorphFactor(), 0.0);
    EXPECT_TRUE(login->Highlighted());
}

TEST_F(SkinButtonTest, SizeFromTheRecord) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* b = MakeButton<TspSkinButton>(form, skin, 10, 10);
    b->SetHeight(40);
    EXPECT_EQ(b->Height(), 26);
    b->SetWidth(200);
    EXPECT_EQ(b->Width(), 200);
    // Without UseSkinSize a requested height is kept and the picture stretched to it.
    auto* free = MakeButton<TspSkinButton>(form, skin, 10, 50);
    free->SetUseSkinSize(false);
    free->SetBounds(10, 50, 113, 25);
    EXPECT_EQ(free->Height(), 25);
    form->Show();
    Pump();
    EXPECT_EQ(PixelOf(free, 56, 24), PixelOf(b, 56, 25)); // the bottom edge comes along
    // "resizebutton" is sliced on all four corners and keeps any size.
    auto* dots = MakeButton(form, skin, 200, 50, "...");
    dots->SetSkinDataName("resizebutton");
    dots->ApplySkinChange();
    dots->SetBounds(200, 50, 25, 19);
    EXPECT_EQ(dots->Width(), 25);
    EXPECT_EQ(dots->Height(), 19);
}

TEST_F(SkinButtonTest, GlyphCellsByState) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    // Four cells in four pure colours, each with its bottom-left pixel as transparent key.
    TBitmap strip(40, 10);
    const TColor cells[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        strip.Canvas()->Brush()->SetColor(cells[i]);
        strip.Canvas()->FillRect(Rect(i * 10, 0, i * 10 + 10, 10));
        strip.Canvas()->SetPixel(i * 10, 9, clFuchsia);
    }
    auto* b = MakeButton<TspSkinButton>(form, skin, 20, 20, "");
    b->SetGlyph(strip);
    b->SetNumGlyphs(4);
    b->SetCanFocused(false);
    form->Show();
    Pump();
    TRect area = b->ClientRect();
    EXPECT_GT(CountColor(b, area, clRed), 50);
    MoveTo(b, 10, 10);
    RunClock(200);
    EXPECT_GT(CountColor(b, area, clYellow), 50); // the mouse over it: cell 4
    EXPECT_EQ(CountColor(b, area, clRed), 0);
    MoveTo(form, 280, 110);
    b->SetNumGlyphs(2);
    b->SetEnabled(false);
    RunClock(200);
    // Two cells of 20: the second, the disabled one, shows its blue and yellow halves.
    EXPECT_GT(CountColor(b, area, clYellow), 50);
    EXPECT_GT(CountColor(b, area, clBlue), 50);
    EXPECT_EQ(CountColor(b, area, clRed), 0);
}

TEST_F(SkinButtonTest, ClickHandlerMayFreeTheButton) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* b = MakeButton(form, skin, 20, 20);
    b->OnClick = [&](TObject*) { delete b; };
    form->Show();
    Pump();
    Click(form, 60, 30);
    Pump();
    EXPECT_EQ(form->ControlCount(), 0);
    // Hiding it from its click is safe too.
    auto* c = MakeButton(form, skin, 20, 20);
    c->OnClick = [&](TObject*) { c->Hide(); };
    Click(form, 60, 30);
    EXPECT_FALSE(c->Visible());
}

TEST_F(SkinButtonTest, PicturesWithoutARecord) {
    TForm* form = NewForm(300, 120);
    auto* x = new TspSkinXFormButton(form);
    x->SetParent(form);
    TBitmap normal(40, 20), active(40, 20), down(40, 20);
    normal.Fill(clRed);
    active.Fill(clLime);
    down.Fill(clBlue);
    x->SetDefImage(normal);
    x->SetDefActiveImage(active);
    x->SetDefDownImage(down);
    x->SetBounds(20, 20, 100, 60);
    EXPECT_EQ(x->Width(), 40);
    EXPECT_EQ(x->Height(), 20);
    form->Show();
    Pump();
    EXPECT_EQ(PixelOf(x, 2, 2), ColorToRGB(clRed));
    MoveTo(x, 2, 2);
    EXPECT_EQ(PixelOf(x, 2, 2), ColorToRGB(clLime));
    display->MouseDown();
    Pump();
    EXPECT_EQ(PixelOf(x, 2, 2), ColorToRGB(clBlue));
    display->MouseUp();
    Pump();
}

TEST_F(SkinButtonTest, PressedWithoutADownPictureShowsTheActiveOne) {
    TForm* form = NewForm(300, 120);
    auto* x = new TspSkinXFormButton(form);
    x->SetParent(form);
    TBitmap normal(40, 20), active(40, 20);
    normal.Fill(clRed);
    active.Fill(clLime);
    x->SetDefImage(normal);
    x->SetDefActiveImage(active);
    x->SetBounds(20, 20, 40, 20);
    form->Show();
    Pump();
    MoveTo(x, 2, 2);
    display->MouseDown();
    Pump();
    ASSERT_TRUE(x->Down());
    EXPECT_EQ(PixelOf(x, 2, 2), ColorToRGB(clLime));
    // Dragged off while still held: no longer lit, so the normal picture.
    MoveTo(form, 280, 100);
    EXPECT_EQ(PixelOf(x, 2, 2), ColorToRGB(clRed));
    display->MouseUp();
    Pump();
}

TEST_F(SkinButtonTest, FadeFollowsChangesWhileItRuns) {
    TForm* form = NewForm(300, 120);
    TspSkinData* skin = ProgramSkin(form);
    auto* login = MakeButton(form, skin, 20, 20);
    auto* blank = MakeButton(form, skin, 150, 20, "");
    form->Show();
    Pump();
    // Both half-way through the fade; one loses its caption on the way.
    MoveTo(login, 100, 20);
    display->Advance(20);
    Pump();
    display->Advance(20);
    Pump();
    login->SetCaption("");
    blank->Perform(CM_MOUSEENTER);
    blank->Perform(WM_TIMER, TspSkinCustomControl::MorphTimerId);
    blank->Perform(WM_TIMER, TspSkinCustomControl::MorphTimerId);
    Pump();
    ASSERT_DOUBLE_EQ(login->MorphFactor(), 0.4);
    ASSERT_DOUBLE_EQ(blank->MorphFactor(), 0.4);
    for (int x = 10; x < 100; x += 3)
        for (int y = 4; y < 22; y += 3) ASSERT_EQ(PixelOf(login, x, y), PixelOf(blank, x, y));
}

TEST_F(SkinButtonTest, FocusAnimationRunsItsFrames) {
    // A 40 x 20 button whose active look is four frames of a strip: red, lime, blue, yellow.
    TBitmap picture(200, 60);
    picture.Fill(clWhite);
    const TColor frames[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        picture.Canvas()->Brush()->SetColor(frames[i]);
        picture.Canvas()->FillRect(Rect(i * 40, 20, i * 40 + 40, 40));
    }
    picture.Canvas()->Brush()->SetColor(clGray);
    picture.Canvas()->FillRect(Rect(0, 0, 40, 20));
    TestSkinFolder folder({"[SKINCONTROLS]", "count=1", "0=button:button", "[button]",
                           "pictureindex=0", "skinrect=0,0,40,20", "activeskinrect=0,40,40,60",
                           "animateskinrect=0,20,160,40", "framecount=4", "animateinterval=30"},
                          picture);
    TForm* form = NewForm(200, 100);
    auto* skin = new TspSkinData(form);
    skin->ApplySkinFile(folder.Ini());
    auto* b = MakeButton<TspSkinButton>(form, skin, 20, 20, "");
    b->SetCanFocused(false);
    form->Show();
    Pump();
    EXPECT_EQ(PixelOf(b, 20, 10), ColorToRGB(clGray));
    // Entering starts the frames at the first one, one frame per 30 ms.
    MoveTo(b, 20, 10);
    EXPECT_TRUE(b->AnimationRunning());
    std::vector<TColor> seen{PixelOf(b, 20, 10)};
    for (int i = 0; i < 4; ++i) {
        display->Advance(30);
        Pump();
        seen.push_back(PixelOf(b, 20, 10));
    }
    EXPECT_EQ(seen[0], ColorToRGB(clRed));
    EXPECT_EQ(seen[1], ColorToRGB(clLime));
    EXPECT_EQ(seen[2], ColorToRGB(clBlue));
    EXPECT_EQ(seen[3], ColorToRGB(clYellow));
    EXPECT_FALSE(b->AnimationRunning());     // past the last frame it stops
    EXPECT_EQ(seen[4], ColorToRGB(clWhite)); // the active look itself
    // Leaving runs it backward from the last frame; then no timer is left.
    MoveTo(form, 190, 90);
    EXPECT_TRUE(b->AnimationRunning());
    EXPECT_EQ(PixelOf(b, 20, 10), ColorToRGB(clYellow));
    RunClock(300);
    EXPECT_FALSE(b->AnimationRunning());
    EXPECT_EQ(PixelOf(b, 20, 10), ColorToRGB(clGray));
}

// Alt and the underlined letter of the caption: a button that takes the focus is focused and
// clicked, a check box is focused and toggled; a control that never takes the focus, or
// another letter, leaves the key alone.
TEST_F(SkinButtonTest, TheCaptionsAcceleratorFocusesAndActs) {
    TForm* form = NewForm(300, 160);
    TspSkinData* skin = ProgramSkin(form);
    auto* edit = new TspSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 120, 200, 21);
    auto* go = MakeButton<TspSkinButton>(form, skin, 10, 10, "&Go");
    auto* login = MakeButton(form, skin, 130, 10, "&Login"); // never takes the focus
    auto* remember = new TspSkinCheckRadioBox(form);
    remember->SetParent(form);
    remember->SetBounds(10, 60, 120, 25);
    remember->SetCaption("&Remember");
    remember->SetSkinData(skin);
    form->Show();
    Pump();
    edit->SetFocus();

    Press('G', ModAlt);
    EXPECT_TRUE(go->Focused());
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], go);

    Press('R', ModAlt);
    EXPECT_TRUE(remember->Focused());
    EXPECT_TRUE(remember->Checked());
    Press('R', ModAlt);
    EXPECT_FALSE(remember->Checked());

    Press('L', ModAlt);
    Press('X', ModAlt);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(login->Focused());
    EXPECT_TRUE(remember->Focused());
}
