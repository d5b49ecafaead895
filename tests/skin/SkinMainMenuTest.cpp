// The form's main menu in the skinned frame's caption row: where its items stand, how they
// look, and the mouse and the keys that open their popups.
#include "FrameTestFixture.h"

#include "skin/SkinMainMenuItem.h"
#include "skin/SkinMainMenuItems.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "ui/Accessible.h"
#include "ui/MainMenu.h"
#include "ui/StdCtrls.h"

#include <string>
#include <vector>

namespace {
// The program's skin: the icon at (7, 6, 23, 22), the caption from x = 23 to the
// minimise button, caption font Arial 14 bold.
constexpr int IconRight = 23;
} // namespace

class MainMenuTest : public FrameTest {
protected:
    // A menu of three items, the second with two commands and a separator; `log` hears
    // which command ran.
    TMainMenu* MakeMenu() {
        auto* menu = new TMainMenu(form);
        menu->Add({"&File",
                   true,
                   true,
                   {{"Open", "&Open", "", true, Note("open")},
                    {"Quit", "&Quit", "", true, Note("quit")}}});
        menu->Add({"&View",
                   true,
                   true,
                   {{"Zoom", "&Zoom", "", true, Note("zoom")},
                    {"Sep", "-", "", true, nullptr},
                    {"Grid", "&Grid", "", true, Note("grid")}}});
        menu->Add({"&Help", true, true, {{"About", "&About", "", true, Note("about")}}});
        return menu;
    }
    std::function<void()> Note(const std::string& what) {
        return [this, what] {
            log.push_back(what);
            // What the action sees: the popup gone, its item up.
            popupOpenDuringAction = Items().Popup()->Shown();
        };
    }
    // Program skin, an edit holding the focus, the menu set.
    void WearWithMenu() {
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 100, 20);
        WearProgramSkin();
        menu = MakeMenu();
        form->SetMenu(menu);
        edit->SetFocus();
        Pump();
    }
    TspSkinMainMenuItems& Items() { return frame->MainMenuItems(); }
    TspSkinMainMenuItem* Item(int index) { return Items().Item(index); }
    TspSkinMenuWindow* PopupWindow() { return Items().Popup()->Window(); }
    TPoint Middle(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    void ClickItem(int index) {
        const TPoint p = Middle(Item(index)->ObjectRect);
        ClickAt(p.X, p.Y);
    }
    void MoveOverItem(int index) {
        const TPoint p = Middle(Item(index)->ObjectRect);
        MoveTo(p.X, p.Y);
    }
    void ClickCommand(int command) {
        TspSkinMenuWindow* w = PopupWindow();
        const TRect r = w->ItemRect(command);
        const TPoint p = w->ClientToScreen(Middle(r));
        display->MouseMove(p.X, p.Y);
        Pump();
        display->MouseDown(1);
        Pump();
        display->MouseUp(1);
        Pump();
    }
    void Alt(int letter) {
        display->KeyPress(letter, ModAlt);
        Pump();
    }
    void AltAlone() { Key(VK_MENU); }
    int TextWidth(const AnsiString& text) {
        TBitmap scratch(1, 1);
        TCanvas* c = scratch.Canvas();
        frame->TitleCaption()->SetCaptionFont(*c, true);
        return c->TextWidth(text);
    }

    TEdit* edit = nullptr;
    TMainMenu* menu = nullptr;
    std::vector<std::string> log;
    bool popupOpenDuringAction = true;
};

// --- layout ---

TEST_F(MainMenuTest, ItemsStandAfterTheIconAndTheCaptionGivesThemItsLeftPart) {
    WearProgramSkin();
    const TRect captionBefore = frame->TitleCaption()->ObjectRect;
    const int objectsBefore = frame->ObjectCount();
    EXPECT_EQ(captionBefore.Left, IconRight) << "no menu, no items: the caption as before";
    form->SetMenu(MakeMenu());
    menu = form->Menu();
    ASSERT_EQ(frame->ObjectCount(), objectsBefore + 3) << "one object per item, after the skin's";
    int x = IconRight + 3; // one gap after the icon
    for (int i = 0; i < 3; ++i) {
        TspSkinMainMenuItem* item = Item(i);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->FromRecord) << "the program's skin has no main menu item record";
        EXPECT_EQ(frame->Objects(objectsBefore + i), item);
        EXPECT_EQ(item->ObjectRect.Left, x);
        EXPECT_EQ(item->ObjectRect.Width(),
                  6 + TextWidth(MenuCaptionText(menu->Items(i).Caption)) + 6);
        EXPECT_LE(item->ObjectRect.Bottom, frame->Geometry().ClientRect.Top)
            << "in the caption row";
        x = item->ObjectRect.Right;
    }
    const TRect caption = frame->TitleCaption()->ObjectRect;
    EXPECT_EQ(caption.Left, x + 3) << "the caption text starts after the menu, a gap apart";
    EXPECT_EQ(caption.Right, captionBefore.Right);
    // The items are objects under the mouse, the shortened caption still moves the window.
    const TPoint onFile = Middle(Item(0)->ObjectRect);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, PointToLParam(OnScreen(onFile.X, onFile.Y))),
              HTOBJECT);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, PointToLParam(OnScreen(x + 20, 14))), HTCAPTION);
}

TEST_F(MainMenuTest, HiddenItemsTakeNoPlaceAndTheMenuGoingTakesTheItemsAlong) {
    WearWithMenu();
    const int fileRight = Item(0)->ObjectRect.Right;
    menu->SetVisible(1, false);
    EXPECT_EQ(Item(1), nullptr);
    ASSERT_NE(Item(2), nullptr);
    EXPECT_EQ(Item(2)->ObjectRect.Left, fileRight) << "Help moves up to File";
    form->SetMenu(nullptr);
    EXPECT_EQ(Item(0), nullptr);
    EXPECT_EQ(frame->TitleCaption()->ObjectRect.Left, IconRight);
    // A menu deleted while the form shows it: the items go with it.
    form->SetMenu(menu);
    ASSERT_NE(Item(0), nullptr);
    delete menu;
    menu = nullptr;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(Item(0), nullptr);
    Pump();
}

TEST_F(MainMenuTest, AnItemThatDoesNotFitIsLeftOutRatherThanDrawnOverTheButtons) {
    WearWithMenu();
    menu->Add(
        {"&A very long menu caption that cannot fit in the caption row at all", true, true, {}});
    TspSkinMainMenuItem* last = Item(3);
    ASSERT_NE(last, nullptr);
    EXPECT_FALSE(last->Visible);
    EXPECT_LE(Item(2)->ObjectRect.Right, Button("minbutton")->ObjectRect.Left);
    // Nothing hovers or opens where it would have been.
    EXPECT_GE(frame->TitleCaption()->ObjectRect.Left, Item(2)->ObjectRect.Right);
}

// --- the mouse ---

TEST_F(MainMenuTest, AClickOpensThePopupRightBelowItsItem) {
    WearWithMenu();
    ClickItem(1);
    TspSkinMenuWindow* w = PopupWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Items().OpenIndex(), 1);
    EXPECT_TRUE(Item(1)->Down());
    EXPECT_EQ(w->Left(), form->Left() + Item(1)->ObjectRect.Left);
    EXPECT_EQ(w->Top(), form->Top() + Item(1)->ObjectRect.Bottom);
    EXPECT_EQ(w->ItemCount(), 3);
    EXPECT_EQ(w->ItemIndex(), -1) << "opened by the mouse, nothing is chosen yet";
    // A second click on the open item closes it; nothing runs.
    ClickItem(1);
    EXPECT_EQ(PopupWindow(), nullptr);
    EXPECT_EQ(Items().OpenIndex(), -1);
    EXPECT_FALSE(Item(1)->Down());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), edit) << "the keyboard is where it was";
}

TEST_F(MainMenuTest, WhileOneIsOpenThePointerOverAnotherItemMovesThePopupThere) {
    WearWithMenu();
    ClickItem(0);
    ASSERT_EQ(Items().OpenIndex(), 0);
    MoveOverItem(2);
    EXPECT_EQ(Items().OpenIndex(), 2);
    EXPECT_FALSE(Item(0)->Down());
    EXPECT_TRUE(Item(2)->Down());
    ASSERT_NE(PopupWindow(), nullptr);
    EXPECT_EQ(PopupWindow()->Left(), form->Left() + Item(2)->ObjectRect.Left);
    EXPECT_EQ(PopupWindow()->ItemCount(), 1);
    // Over the caption text nothing changes.
    MoveTo(frame->TitleCaption()->ObjectRect.Left + 30, 14);
    EXPECT_EQ(Items().OpenIndex(), 2);
}

TEST_F(MainMenuTest, AChosenCommandRunsAfterThePopupHasClosed) {
    WearWithMenu();
    ClickItem(1);
    ClickCommand(2);
    EXPECT_EQ(log, std::vector<std::string>{"grid"});
    EXPECT_FALSE(popupOpenDuringAction);
    EXPECT_FALSE(Item(1)->Down());
    EXPECT_EQ(Items().OpenIndex(), -1);
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(MainMenuTest, ADisabledItemNeitherLightsNorOpens) {
    WearWithMenu();
    menu->SetEnabled(0, false);
    MoveOverItem(0);
    EXPECT_FALSE(Item(0)->Active);
    ClickItem(0);
    EXPECT_EQ(PopupWindow(), nullptr);
    Alt('F');
    EXPECT_EQ(PopupWindow(), nullptr);
    EXPECT_FALSE(Items().InMenuMode());
    // The keyboard's walk passes it by.
    AltAlone();
    EXPECT_EQ(Items().LitIndex(), 1);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Items().LitIndex(), 1) << "Help, then round past File to View";
}

TEST_F(MainMenuTest, HoverLightsTheItemOnAPlateOfTheMenusSelection) {
    WearWithMenu();
    const TRect r = Item(0)->ObjectRect;
    const TColor before = Pixel(r.Left + 2, r.Top + 2);
    MoveOverItem(0);
    EXPECT_TRUE(Item(0)->Active);
    const TColor lit = Pixel(r.Left + 2, r.Top + 2);
    EXPECT_NE(lit, before);
    // The plate has the colour of the popup's selected item.
    ClickItem(0);
    Key(VK_DOWN);
    TspSkinMenuWindow* w = PopupWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->ItemIndex(), 0);
    const TRect sel = w->ItemRect(0);
    const TColor selection = PixelToColor(display->PixelAt(
        w->DisplayWindow(), sel.Left + sel.Width() / 2, sel.Top + sel.Height() / 2));
    EXPECT_EQ(lit, selection);
    // Gone from under the mouse (and closed), the caption row is as before.
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    MoveTo(200, 150);
    Wait(100);
    EXPECT_EQ(Pixel(r.Left + 2, r.Top + 2), before);
}

// --- the keyboard ---

TEST_F(MainMenuTest, AltAndALetterOpenThatItemReadyForEnter) {
    WearWithMenu();
    Alt('V');
    TspSkinMenuWindow* w = PopupWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Items().OpenIndex(), 1);
    EXPECT_EQ(w->ItemIndex(), 0) << "the first command is lit";
    Key(VK_DOWN);
    EXPECT_EQ(w->ItemIndex(), 2) << "past the separator";
    Key(VK_RETURN);
    EXPECT_EQ(log, std::vector<std::string>{"grid"});
    EXPECT_FALSE(Items().InMenuMode());
    EXPECT_EQ(GetFocus(), edit) << "the keyboard goes back";
    // A letter no item has types into the edit as before.
    Alt('Q');
    EXPECT_EQ(PopupWindow(), nullptr);
}

TEST_F(MainMenuTest, AControlsOwnAltLetterComesBeforeTheMenus) {
    WearWithMenu();
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 40, 100, 20);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("&Find:");
    label->SetFocusControl(other);
    Alt('F');
    EXPECT_EQ(GetFocus(), other);
    EXPECT_EQ(PopupWindow(), nullptr) << "File keeps its letter only where no control claims it";
    Alt('H');
    EXPECT_EQ(Items().OpenIndex(), 2);
}

TEST_F(MainMenuTest, AltAloneLightsTheFirstItemAndTheArrowsGoRound) {
    WearWithMenu();
    AltAlone();
    EXPECT_TRUE(Items().InMenuMode());
    EXPECT_EQ(Items().LitIndex(), 0);
    EXPECT_TRUE(Item(0)->Lit());
    EXPECT_EQ(PopupWindow(), nullptr) << "lit, not open";
    Key(VK_RIGHT);
    EXPECT_EQ(Items().LitIndex(), 1);
    EXPECT_FALSE(Item(0)->Lit());
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Items().LitIndex(), 0) << "past the last, round to the first";
    Key(VK_LEFT);
    EXPECT_EQ(Items().LitIndex(), 2);
    EXPECT_EQ(edit->Text(), "") << "the keys went to the menu, not the edit";
    // Down opens the lit item; Esc steps back to it; Esc again leaves.
    Key(VK_DOWN);
    ASSERT_NE(PopupWindow(), nullptr);
    EXPECT_EQ(Items().OpenIndex(), 2);
    Key(VK_ESCAPE);
    EXPECT_EQ(PopupWindow(), nullptr);
    EXPECT_TRUE(Items().InMenuMode());
    EXPECT_EQ(Items().LitIndex(), 2);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Items().InMenuMode());
    EXPECT_EQ(Items().LitIndex(), -1);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(log.empty());
}

TEST_F(MainMenuTest, F10IsTheMenuKeyTooAndASecondPressLeaves) {
    WearWithMenu();
    Key(VK_F10);
    EXPECT_TRUE(Items().InMenuMode());
    EXPECT_EQ(Items().LitIndex(), 0);
    Key(VK_F10);
    EXPECT_FALSE(Items().InMenuMode());
    EXPECT_EQ(GetFocus(), edit);
    // From an open popup too.
    Alt('V');
    ASSERT_NE(PopupWindow(), nullptr);
    Key(VK_F10);
    EXPECT_EQ(PopupWindow(), nullptr);
    EXPECT_FALSE(Items().InMenuMode());
    EXPECT_EQ(GetFocus(), edit);
    AltAlone();
    AltAlone();
    EXPECT_FALSE(Items().InMenuMode());
    // A letter in menu mode opens its item.
    AltAlone();
    Key('H');
    EXPECT_EQ(Items().OpenIndex(), 2);
    Key(VK_RETURN);
    EXPECT_EQ(log, std::vector<std::string>{"about"});
}

TEST_F(MainMenuTest, LeftAndRightInAnOpenPopupMoveToTheNeighbouringItem) {
    WearWithMenu();
    ClickItem(0);
    Key(VK_RIGHT);
    EXPECT_EQ(Items().OpenIndex(), 1);
    ASSERT_NE(PopupWindow(), nullptr);
    EXPECT_EQ(PopupWindow()->ItemCount(), 3);
    EXPECT_EQ(PopupWindow()->ItemIndex(), 0);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(Items().OpenIndex(), 2) << "round from File to Help";
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Items().InMenuMode());
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(MainMenuTest, APressElsewhereOrTheWindowGoingInactiveEndsMenuMode) {
    WearWithMenu();
    AltAlone();
    ASSERT_TRUE(Items().InMenuMode());
    ClickAt(200, 150);
    EXPECT_FALSE(Items().InMenuMode());
    EXPECT_FALSE(Item(0)->Lit());
    AltAlone();
    ASSERT_TRUE(Items().InMenuMode());
    TForm* other = Application->CreateForm<TForm>();
    other->SetBounds(700, 600, 200, 100);
    other->Show();
    Pump();
    EXPECT_FALSE(Items().InMenuMode());
}

TEST_F(MainMenuTest, WithoutAMenuTheMenuKeysDoNothing) {
    edit = new TEdit(form);
    edit->SetParent(form);
    WearProgramSkin();
    edit->SetFocus();
    const int objects = frame->ObjectCount();
    AltAlone();
    Key(VK_F10);
    Alt('F');
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(frame->ObjectCount(), objects);
    EXPECT_FALSE(Items().InMenuMode());
}

// --- a skin with its own look for the items ---

namespace {
// Looks: the normal item red, the active one green, the pressed one blue, each 30 x 16
// with 4-pixel ends; the skin's main menu area below the caption row, popups opening up.
TBitmap ItemLooks() {
    TBitmap b = skintest::SolidBitmap(120, 16, clRed);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(30, 0, 60, 16));
    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(60, 0, 90, 16));
    return b;
}

std::string ItemSkin(bool ownArea, bool morphing = false) {
    std::string info =
        "[FORMINFO]\r\nclientrect=9,44,141,97\r\nlefttoppoint=40,50\r\n"
        "righttoppoint=110,50\r\nleftbottompoint=40,80\r\nrightbottompoint=110,80\r\n"
        "captionrect=7,8,143,21\r\nbuttonsoffset=3\r\n";
    if (ownArea) info += "mainmenurect=9,24,141,42\r\nmainmenupopupup=1\r\n";
    return "[VERSION]\r\nskinname=Items\r\n[PICTURES]\r\npicture=frame.bmp\r\n"
           "activepicturescount=1\r\n0=items.bmp\r\n" +
           info +
           "[SKINOBJECTS]\r\ncount=2\r\n0=caption:caption\r\n1=bar:mainmenuitem\r\n"
           "[caption]\r\nskinrect=7,8,143,21\r\ntextrect=0,0,136,13\r\n"
           "[bar]\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\nskinrect=0,0,30,16\r\n"
           "activeskinrect=30,0,60,16\r\ndownrect=60,0,90,16\r\nitemleftoffset=4\r\n"
           "itemrightoffset=4\r\nfontcolor=0\r\nactivefontcolor=0\r\ndownfontcolor=16777215\r\n"
           "unenabledfontcolor=8421504\r\n" +
           std::string(morphing ? "morphing=1\r\n" : "") + "[SKINCONTROLS]\r\ncount=0\r\n";
}
} // namespace

class MainMenuRecordTest : public MainMenuTest {
protected:
    void WearItemSkin(bool ownArea, bool morphing = false) {
        form->SetBounds(100, 100, 300, 200);
        frame = MakeFrame();
        store = StoreWith(ItemSkin(ownArea, morphing), skintest::SolidBitmap(150, 107, clNavy),
                          nullptr, {ItemLooks()});
        frame->SetSkinData(store);
        menu = MakeMenu();
        form->SetMenu(menu);
        form->Show();
        Pump();
    }
};

TEST_F(MainMenuRecordTest, TheRecordGivesTheLooksAndTheWidthComesFromItsEnds) {
    WearItemSkin(false);
    TspSkinMainMenuItem* file = Item(0);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->FromRecord);
    EXPECT_EQ(file->ObjectRect.Height(), 16);
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->SetName("Arial");
    scratch.Canvas()->Font()->SetHeight(14);
    EXPECT_EQ(file->ObjectRect.Width(), 4 + scratch.Canvas()->TextWidth("File") + 4);
    const TPoint corner{file->ObjectRect.Left + 1, file->ObjectRect.Top + 1};
    EXPECT_EQ(Pixel(corner.X, corner.Y), clRed) << "normal";
    MoveOverItem(0);
    EXPECT_EQ(Pixel(corner.X, corner.Y), clLime) << "active under the mouse";
    ClickItem(0);
    EXPECT_EQ(Pixel(corner.X, corner.Y), clBlue) << "down while its popup is open";
    ClickItem(0);
    MoveTo(150, 150);
    Wait(100);
    EXPECT_EQ(Pixel(corner.X, corner.Y), clRed);
}

TEST_F(MainMenuRecordTest, TheSkinsMenuAreaHoldsTheItemsAndTheirPopupsOpenUpwards) {
    WearItemSkin(true);
    TspSkinMainMenuItem* file = Item(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->ObjectRect.Left, 9);
    EXPECT_EQ(file->ObjectRect.Top, 24 + (18 - 16) / 2);
    EXPECT_EQ(frame->TitleCaption()->ObjectRect.Left, 7) << "the caption keeps its row";
    ClickItem(1);
    TspSkinMenuWindow* w = PopupWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Top() + w->Height(), form->Top() + Item(1)->ObjectRect.Top) << "above its item";
}

// --- screen readers ---

TEST_F(MainMenuTest, ScreenReadersFindAMenuBarFirstWithItsItemsNamedWithoutTheirMarks) {
    edit = new TEdit(form);
    edit->SetParent(form);
    WearProgramSkin();
    EXPECT_EQ(AccessibleInfoOf(*form).Children, std::vector<TControl*>{edit}) << "no menu, no bar";
    menu = MakeMenu();
    form->SetMenu(menu);
    menu->SetEnabled(2, false);
    const TAccessibleInfo info = AccessibleInfoOf(*form);
    ASSERT_EQ(info.Children.size(), 2u);
    TControl* bar = info.Children[0];
    EXPECT_EQ(info.Children[1], edit);
    EXPECT_EQ(bar->Parent(), form);
    EXPECT_EQ(form->ControlCount(), 1) << "not one of the form's controls";
    const TAccessibleInfo barInfo = AccessibleInfoOf(*bar);
    EXPECT_EQ(barInfo.Role, TAccessibleRole::MenuBar);
    ASSERT_EQ(barInfo.Children.size(), 3u);
    std::vector<std::string> names;
    for (TControl* c : barInfo.Children) {
        const TAccessibleInfo item = AccessibleInfoOf(*c);
        EXPECT_EQ(item.Role, TAccessibleRole::MenuItem);
        EXPECT_EQ(c->Parent(), bar);
        names.push_back(item.Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"File", "View", "Help"}));
    const TAccessibleInfo view = AccessibleInfoOf(*barInfo.Children[1]);
    EXPECT_EQ(view.Bounds, OffsetRect(Item(1)->ObjectRect, form->Left(), form->Top()));
    EXPECT_TRUE(view.States & asShowing);
    EXPECT_TRUE(view.States & asEnabled);
    EXPECT_FALSE(AccessibleInfoOf(*barInfo.Children[2]).States & asEnabled) << "Help is disabled";
    EXPECT_TRUE(AccessibleInfoOf(*barInfo.Children[2]).Actions.empty());
    // Its click opens the popup, ready for the keyboard.
    ASSERT_EQ(view.Actions.size(), 1u);
    EXPECT_EQ(view.Actions[0].KeyBinding, "Alt+V");
    view.Actions[0].Run();
    Pump();
    ASSERT_NE(PopupWindow(), nullptr);
    EXPECT_EQ(Items().OpenIndex(), 1);
    EXPECT_EQ(PopupWindow()->ItemIndex(), 0);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    // A hidden item is not there; the menu going takes the bar along.
    menu->SetVisible(0, false);
    EXPECT_EQ(AccessibleInfoOf(*AccessibleInfoOf(*form).Children[0]).Children.size(), 2u);
    form->SetMenu(nullptr);
    EXPECT_EQ(AccessibleInfoOf(*form).Children, std::vector<TControl*>{edit});
}

TEST_F(MainMenuRecordTest, AMorphingSkinFadesTheHoverInAndAnOpenPopupShowsAtOnce) {
    WearItemSkin(false, true);
    TspSkinMainMenuItem* file = Item(0);
    ASSERT_NE(file, nullptr);
    const TPoint corner{file->ObjectRect.Left + 1, file->ObjectRect.Top + 1};
    MoveOverItem(0);
    EXPECT_EQ(file->MorphFactor, 0);
    Wait(25);
    EXPECT_DOUBLE_EQ(file->MorphFactor, 0.2);
    const TColor between = Pixel(corner.X, corner.Y);
    EXPECT_NE(between, clRed);
    EXPECT_NE(between, clLime);
    Wait(100);
    EXPECT_DOUBLE_EQ(file->MorphFactor, 1.0);
    EXPECT_EQ(Pixel(corner.X, corner.Y), clLime);
    // Leaving fades back; the popup's item is down at once.
    MoveTo(150, 150);
    Wait(125);
    EXPECT_DOUBLE_EQ(file->MorphFactor, 0.0);
    EXPECT_EQ(Pixel(corner.X, corner.Y), clRed);
    Alt('H');
    EXPECT_EQ(Pixel(Item(2)->ObjectRect.Left + 1, Item(2)->ObjectRect.Top + 1), clBlue);
}
