// The skinned edit field: its frame and text area from the record, Enter and Escape as
// dialog keys, colours by state, and text of any bytes.
#include "SkinCtrlsTest.h"

#include "skin/ResourceStrData.h"
#include "skin/SkinMenu.h"
#include "skin/SkinMenuWindow.h"
#include "skinctrls/SkinEdit.h"
#include "ui/StdCtrls.h"

namespace {
constexpr TColor DisabledText = 12500670;
constexpr TColor Accent = RGB(45, 140, 240); // the active frame of the program's skin
} // namespace

class SkinEditTest : public SkinCtrlsTest {
protected:
    TspSkinEdit* MakeEdit(TForm* form, TspSkinData* skin, int top = 10) {
        auto* edit = new TspSkinEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, top, 273, 25);
        if (skin) edit->SetSkinData(skin);
        return edit;
    }
};

TEST_F(SkinEditTest, RecordFixesHeightAndTextArea) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    form->Show();
    Pump();
    EXPECT_EQ(edit->Height(), 21);
    EXPECT_EQ(edit->Width(), 273);
    // Inset 2 left and right and 3 above and below: the window's client area.
    EXPECT_EQ(edit->ClientRectInWindow(), Rect(2, 3, 271, 18));
    EXPECT_EQ(edit->ClientWidth(), 269);
    // Without a store the built-in frame keeps the given size, text inside 2 pixels.
    TspSkinEdit* plain = MakeEdit(form, nullptr, 50);
    Pump();
    EXPECT_EQ(plain->Height(), 25);
    EXPECT_EQ(plain->ClientRectInWindow(), Rect(2, 2, 271, 23));
    EXPECT_EQ(PixelOf(plain, -2, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(plain, -1, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(plain, 100, 15), ColorToRGB(clWindow));
}

TEST_F(SkinEditTest, EnterGoesToOnKeyPressAndThenToTheForm) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetBounds(10, 60, 75, 25);
    ok->SetDefault(true);
    auto* cancel = new TButton(form);
    cancel->SetParent(form);
    cancel->SetBounds(100, 60, 75, 25);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    std::vector<int> pressed;
    edit->OnKeyPress = [&](TObject*, char& key) { pressed.push_back(key); };
    form->Show();
    Pump();
    edit->SetFocus();
    Type("abc");
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    ASSERT_EQ(pressed.size(), 5u);
    EXPECT_EQ(pressed[3], 13);
    EXPECT_EQ(pressed[4], 27);
    // An OnKeyPress that eats the key keeps it from the form.
    edit->OnKeyPress = [&](TObject*, char& key) { key = 0; };
    Press(VK_RETURN);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(SkinEditTest, ColoursFollowHoverFocusAndEnabled) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    TspSkinEdit* other = MakeEdit(form, skin, 50);
    edit->SetText("WWWW");
    form->Show();
    Pump();
    other->SetFocus();
    Pump();
    // The normal frame, then the active one under the pointer.
    EXPECT_NE(PixelOf(edit, 100, -3), Accent);
    MoveTo(edit, 100, 5);
    EXPECT_TRUE(edit->Hovered());
    EXPECT_EQ(PixelOf(edit, 100, -3), Accent);
    MoveTo(form, 295, 95);
    EXPECT_NE(PixelOf(edit, 100, -3), Accent);
    // Disabled: the field writes its text in the record's disabled colour.
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Font()->Color(), DisabledText);
    EXPECT_GT(CountNear(edit, Rect(0, 0, 60, 15), DisabledText, 8), 5);
    EXPECT_EQ(CountNear(edit, Rect(0, 0, 60, 15), RGB(30, 36, 48), 30), 0);
    edit->SetEnabled(true);
    EXPECT_GT(CountNear(edit, Rect(0, 0, 60, 15), RGB(30, 36, 48), 30), 5);
}

TEST_F(SkinEditTest, TextOfAnyBytes) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    form->Show();
    Pump();
    edit->SetFocus();
    std::string bytes;
    for (int i = 1; i < 256; ++i) bytes.push_back(char(i));
    Clipboard()->SetAsText(bytes.substr(31));
    Press('V', ModCtrl);
    EXPECT_FALSE(edit->Text().empty());
    // A megabyte pasted into a field without a limit.
    std::string big(1 << 20, 'x');
    Clipboard()->SetAsText(big);
    edit->SelectAll();
    Press('V', ModCtrl);
    EXPECT_EQ(edit->Text().size(), big.size());
    Press(VK_END);
    Press(VK_BACK);
    EXPECT_EQ(edit->Text().size(), big.size() - 1);
    // Read-only refuses typing and pasting.
    edit->SetReadOnly(true);
    Type("zz");
    Press('V', ModCtrl);
    EXPECT_EQ(edit->Text().size(), big.size() - 1);
}

TEST_F(SkinEditTest, EditingMenu) {
    TForm* form = NewForm(300, 200);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    edit->SetText("user@example.org");
    form->Show();
    Pump();
    edit->SetFocus();
    edit->SetSelStart(0);
    edit->SetSelLength(4);
    Clipboard()->SetAsText("");
    MoveTo(edit, 40, 5);
    display->MouseDown(2); // the right button
    display->MouseUp(2);
    Pump();
    TspSkinPopupMenu* menu = edit->EditMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Shown());
    auto enabled = [&](const char* name) { return menu->Items(menu->IndexOfName(name)).Enabled; };
    EXPECT_EQ(menu->Items(menu->IndexOfName("EDIT_UNDO")).Caption, "Undo");
    EXPECT_FALSE(enabled("EDIT_UNDO"));
    EXPECT_TRUE(enabled("EDIT_CUT"));
    EXPECT_TRUE(enabled("EDIT_COPY"));
    EXPECT_FALSE(enabled("EDIT_PASTE")); // the clipboard holds no text
    EXPECT_TRUE(enabled("EDIT_DELETE"));
    EXPECT_TRUE(enabled("EDIT_SELECTALL"));
    // Choosing Cut with the mouse.
    TspSkinMenuWindow* window = menu->Window();
    ASSERT_NE(window, nullptr);
    int row = -1;
    for (int i = 0; i < window->ItemCount(); ++i)
        if (window->ItemAt({window->ItemRect(i).Left + 4, window->ItemRect(i).Top + 2}) ==
            menu->IndexOfName("EDIT_CUT"))
            row = i;
    ASSERT_GE(row, 0);
    TRect r = window->ItemRect(row);
    Click(window, r.Left + 10, r.Top + r.Height() / 2);
    EXPECT_FALSE(menu->Shown());
    EXPECT_EQ(Clipboard()->AsText(), "user");
    EXPECT_EQ(edit->Text(), "@example.org");
    // From the keyboard: the menu key opens it; read-only fields offer no changes.
    edit->SetReadOnly(true);
    edit->SelectAll();
    Press(VK_APPS);
    ASSERT_TRUE(menu->Shown());
    EXPECT_FALSE(enabled("EDIT_CUT"));
    EXPECT_FALSE(enabled("EDIT_PASTE"));
    EXPECT_FALSE(enabled("EDIT_DELETE"));
    EXPECT_TRUE(enabled("EDIT_COPY"));
    EXPECT_FALSE(enabled("EDIT_SELECTALL")); // everything is selected already
    Press(VK_ESCAPE);
    EXPECT_FALSE(menu->Shown());
    // The store's string table names the items.
    auto* strings = new TspResourceStrData(form);
    strings->SetResStr("EDIT_UNDO", "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC");
    skin->SetResourceStrData(strings);
    Press(VK_APPS);
    EXPECT_EQ(menu->Items(menu->IndexOfName("EDIT_UNDO")).Caption,
              "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC");
    EXPECT_EQ(menu->Items(menu->IndexOfName("EDIT_COPY")).Caption, "Copy");
    Press(VK_ESCAPE);
}

TEST_F(SkinEditTest, ButtonModeClicksOnReleaseOverIt) {
    TForm* form = NewForm(300, 100);
    TspSkinEdit* edit = MakeEdit(form, nullptr);
    edit->SetButtonMode(true);
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    // The text stops short of the square button at the right end.
    EXPECT_EQ(edit->ClientRectInWindow().Right, 273 - 25 - 2);
    TRect b = edit->ButtonRect();
    EXPECT_EQ(b, Rect(273 - 25, 0, 273, 25));
    TPoint inWindow{b.Left + 5, 10};
    TRect client = edit->ClientRectInWindow();
    Click(edit, inWindow.X - client.Left, inWindow.Y - client.Top);
    EXPECT_EQ(clicks, 1);
    // Released away from it: no click.
    MoveTo(edit, inWindow.X - client.Left, inWindow.Y - client.Top);
    display->MouseDown();
    Pump();
    MoveTo(form, 290, 90);
    display->MouseUp();
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(SkinEditTest, DefaultsActWhereTheyShowAndUseSkinFontFitsTheHeightAgain) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    // With a record the default size and font wait.
    edit->SetDefaultWidth(120);
    form->Show();
    Pump();
    edit->SetDefaultHeight(40);
    edit->DefaultFont()->SetName("DejaVu Sans");
    edit->DefaultFont()->SetHeight(24);
    EXPECT_EQ(edit->BoundsRect(), Rect(10, 10, 283, 31));
    EXPECT_EQ(edit->Font()->Name(), "Arial");
    // UseSkinFont off: the default font, and the height follows its text.
    edit->SetUseSkinFont(false);
    EXPECT_EQ(edit->Font()->Name(), "DejaVu Sans");
    EXPECT_GT(edit->Height(), 21);
    EXPECT_EQ(edit->Width(), 273);
    // Without a record both act at once.
    TspSkinEdit* plain = MakeEdit(form, nullptr, 50);
    EXPECT_EQ(plain->DefaultFont()->Color(), clBlack);
    plain->SetDefaultWidth(120);
    plain->SetDefaultHeight(40);
    plain->DefaultFont()->SetName("DejaVu Sans");
    EXPECT_EQ(plain->Width(), 120);
    EXPECT_EQ(plain->Font()->Name(), "DejaVu Sans");
}

TEST_F(SkinEditTest, FontFollowsTheRecordOnlyWhileUseSkinFontAndARecordAreThere) {
    TForm* form = NewForm(300, 100);
    TspSkinData* skin = ProgramSkin(form);
    TspSkinEdit* edit = MakeEdit(form, skin);
    TFont own;
    own.SetName("DejaVu Sans");
    own.SetHeight(11);
    own.SetStyle({fsBold});
    edit->SetDefaultFont(own);
    form->Show();
    Pump();
    // The record's face, height and style (the program's skin: Arial 14, plain).
    EXPECT_EQ(edit->Font()->Name(), "Arial");
    EXPECT_EQ(edit->Font()->Height(), 14);
    EXPECT_FALSE(edit->Font()->Style().Contains(fsBold));
    edit->SetUseSkinFont(false);
    Pump();
    EXPECT_EQ(edit->Font()->Name(), "DejaVu Sans");
    EXPECT_EQ(edit->Font()->Height(), 11);
    EXPECT_TRUE(edit->Font()->Style().Contains(fsBold));
    // Without a store the default font holds whatever UseSkinFont says.
    TspSkinEdit* plain = MakeEdit(form, nullptr, 50);
    plain->SetDefaultFont(own);
    Pump();
    EXPECT_EQ(plain->Font()->Name(), "DejaVu Sans");
    EXPECT_EQ(plain->Font()->Height(), 11);
}
