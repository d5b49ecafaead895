// The system menu: its items for each window state, the skinned popup window that shows it,
// and the mouse and keyboard while it is open.
#include "FrameTestFixture.h"

#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "skin/SkinMessages.h"

namespace {
constexpr TPoint OverIcon{15, 14};

std::vector<std::string> Captions(const TspSkinPopupMenu& menu) {
    std::vector<std::string> out;
    for (int i = 0; i < menu.Count(); ++i) out.push_back(menu.Items(i).Caption);
    return out;
}
} // namespace

class MenuTest : public FrameTest {
protected:
    TspSkinMenuWindow* OpenWindow() {
        TspSkinPopupMenu* menu = frame->BuiltInSystemMenu();
        return menu ? menu->Window() : nullptr;
    }
    // Screen point in the middle of an item of the open menu.
    TPoint ItemOnScreen(int item) {
        TspSkinMenuWindow* w = OpenWindow();
        TRect r = w->ItemRect(item);
        return w->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    void MouseTo(TPoint screen) {
        display->MouseMove(screen.X, screen.Y);
        Pump();
    }
};

TEST_F(MenuTest, TheProgramsMenuIsMinimiseASeparatorAndClose) {
    WearProgramSkin();
    TspSkinPopupMenu menu(nullptr);
    frame->BuildSystemMenu(menu);
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Mi&nimize", "-", "&Close"}));
    EXPECT_EQ(menu.Items(2).ShortCut, "Alt+F4");
    EXPECT_EQ(menu.Items(0).Name, "DSF_MINITEM");
    EXPECT_EQ(menu.Items(2).Name, "DSF_CLOSE");
}

TEST_F(MenuTest, ItemsFollowTheBorderIconsAndTheWindowState) {
    WearProgramSkin();
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    TspSkinPopupMenu menu(nullptr);
    frame->BuildSystemMenu(menu);
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "Ro&llUp",
                                                        "Minimize to &Tray", "-", "&Close"}));
    form->SetWindowState(wsMaximized);
    frame->BuildSystemMenu(menu);
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Mi&nimize", "&Restore", "Ro&llUp",
                                                        "Minimize to &Tray", "-", "&Close"}));
    // Without the default items only what the user put there remains.
    frame->SetUseDefaultSysMenu(false);
    frame->BuildSystemMenu(menu);
    EXPECT_EQ(menu.Count(), 0);
}

TEST_F(MenuTest, AUsersMenuGetsTheItemsOnceAfterItsOwn) {
    WearProgramSkin();
    auto* mine = new TspSkinPopupMenu(form);
    mine->Add({"About", "&About", "", true, nullptr});
    frame->SetSystemMenu(mine);
    frame->BuildSystemMenu(*mine);
    frame->BuildSystemMenu(*mine);
    EXPECT_EQ(Captions(*mine), (std::vector<std::string>{"&About", "Mi&nimize", "-", "&Close"}));
}

TEST_F(MenuTest, TheIconOpensTheMenuBelowItAndKeepsItsButtonDown) {
    WearProgramSkin();
    TspSkinStdButtonObject* sys = Button("sysmenubutton");
    int closed = 0;
    form->WindowProc = [this, &closed, saved = form->WindowProc](TMessage& m) {
        if (m.Msg == WM_SKINMENUCLOSED) ++closed;
        saved(m);
    };
    ClickAt(OverIcon.X, OverIcon.Y);
    TspSkinMenuWindow* w = OpenWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(frame->MenuShown());
    EXPECT_EQ(w->Left(), form->Left() + 7);
    EXPECT_EQ(w->Top(), form->Top() + 22) << "right under the icon";
    EXPECT_TRUE(sys->Down);
    const HeadlessDisplay::Window* shown = display->FindWindow(w->DisplayWindow());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->visible);
    EXPECT_TRUE(shown->popup);
    EXPECT_FALSE(shown->shape.empty()) << "rounded by the skin's popup mask";
    // Esc closes it, tells the form, and the button comes up; nothing was chosen.
    Key(VK_ESCAPE);
    EXPECT_FALSE(frame->MenuShown());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(sys->Down);
    EXPECT_EQ(closeQueries, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(display->FindWindow(w->DisplayWindow())->visible);
}

TEST_F(MenuTest, AClickOutsideClosesTheMenuAndGoesNowhereElse) {
    WearProgramSkin();
    ClickAt(OverIcon.X, OverIcon.Y);
    ASSERT_TRUE(frame->MenuShown());
    // On the close button: the menu closes, the window does not.
    ClickAt(380, 14);
    EXPECT_FALSE(frame->MenuShown());
    EXPECT_EQ(closeQueries, 0);
    EXPECT_FALSE(Button("sysmenubutton")->Down);
}

TEST_F(MenuTest, TheKeyboardWalksTheItemsAndRunsOne) {
    WearProgramSkin();
    ClickAt(OverIcon.X, OverIcon.Y);
    TspSkinMenuWindow* w = OpenWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->ItemIndex(), -1);
    Key(VK_DOWN);
    EXPECT_EQ(w->ItemIndex(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(w->ItemIndex(), 2) << "the separator is skipped";
    Key(VK_DOWN);
    EXPECT_EQ(w->ItemIndex(), 0) << "and it wraps";
    Key(VK_UP);
    EXPECT_EQ(w->ItemIndex(), 2);
    Key(VK_HOME);
    Key(VK_RETURN);
    EXPECT_FALSE(frame->MenuShown());
    EXPECT_EQ(form->WindowState(), wsMinimized);
}

TEST_F(MenuTest, TheUnderlinedLetterChoosesItsItem) {
    WearProgramSkin();
    ClickAt(OverIcon.X, OverIcon.Y);
    Key('C');
    EXPECT_FALSE(frame->MenuShown());
    EXPECT_EQ(closeQueries, 1);
}

TEST_F(MenuTest, TheMouseHighlightsAndChoosesAnItem) {
    WearProgramSkin();
    ClickAt(OverIcon.X, OverIcon.Y);
    TspSkinMenuWindow* w = OpenWindow();
    ASSERT_NE(w, nullptr);
    MouseTo(ItemOnScreen(2));
    EXPECT_EQ(w->ItemIndex(), 2);
    // The highlighted item wears the skin's active item look at its left end.
    const int itemRecord = store->FindObjectRecord("menuitem");
    auto* item = dynamic_cast<TspDataSkinMenuItem*>(store->ObjectRecord(itemRecord));
    ASSERT_NE(item, nullptr);
    const TBitmap* looks = store->ActivePicture(item->activepictureindex);
    const TRect r = w->ItemRect(2);
    Pump();
    EXPECT_EQ(PixelToColor(display->PixelAt(w->DisplayWindow(), r.Left + 3, r.Top + 2)),
              looks->PixelColor(item->activeskinrect.Left + 3, item->activeskinrect.Top + 2) &
                  0xFFFFFF);
    // Over the separator nothing is highlighted; a click there keeps the menu open.
    MouseTo(ItemOnScreen(1));
    EXPECT_EQ(w->ItemIndex(), -1);
    display->MouseDown();
    display->MouseUp();
    Pump();
    EXPECT_TRUE(frame->MenuShown());
    MouseTo(ItemOnScreen(2));
    display->MouseDown();
    display->MouseUp();
    Pump();
    EXPECT_FALSE(frame->MenuShown());
    EXPECT_EQ(closeQueries, 1);
}

TEST_F(MenuTest, ARightClickOnTheCaptionOpensTheMenuAtThePointer) {
    WearProgramSkin();
    ClickAt(150, 14, 2);
    TspSkinMenuWindow* w = OpenWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Left(), form->Left() + 150);
    EXPECT_EQ(w->Top(), form->Top() + 14);
    Key(VK_ESCAPE);
    // Near the screen's edges it opens to the other side instead of leaving the screen.
    form->SetBounds(1280 - 400, 1024 - 20, 400, 300);
    ClickAt(340, 14, 2);
    w = OpenWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_LE(w->Left() + w->Width(), 1280);
    EXPECT_LE(w->Top() + w->Height(), 1024);
}

TEST_F(MenuTest, AnotherWindowTakingTheFocusClosesTheMenu) {
    WearProgramSkin();
    ClickAt(OverIcon.X, OverIcon.Y);
    ASSERT_TRUE(frame->MenuShown());
    TForm* other = Application->CreateForm<TForm>();
    other->SetBounds(700, 600, 200, 100);
    other->Show();
    Pump();
    EXPECT_FALSE(frame->MenuShown());
    EXPECT_FALSE(Button("sysmenubutton")->Down);
}

TEST_F(MenuTest, WithoutASkinTheMenuDrawsInTheSystemColours) {
    TspSkinPopupMenu* menu = new TspSkinPopupMenu(form);
    bool chosen = false;
    menu->Add({"one", "&One", "", true, [&] { chosen = true; }});
    menu->Add({"two", "&Two", "Ctrl+T", false, nullptr});
    form->Show();
    Pump();
    menu->Popup({300, 300}, form);
    ASSERT_NE(menu->Window(), nullptr);
    TspSkinMenuWindow* w = menu->Window();
    Pump();
    EXPECT_EQ(PixelToColor(display->PixelAt(w->DisplayWindow(), 0, 0)), ColorToRGB(clBtnShadow));
    // A disabled item cannot be chosen, by letter or by Enter.
    Key('T');
    EXPECT_TRUE(menu->Shown());
    Key(VK_END);
    EXPECT_EQ(w->ItemIndex(), 0) << "the only item that can be chosen";
    Key(VK_RETURN);
    EXPECT_FALSE(menu->Shown());
    EXPECT_TRUE(chosen);
}
