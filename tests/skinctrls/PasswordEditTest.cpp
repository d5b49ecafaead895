// The password box through real keys, mouse and clipboard: what is stored, what is drawn,
// what never leaves the field, and text of any length and bytes.
#include "SkinCtrlsTest.h"

#include "skinctrls/SkinPasswordEdit.h"
#include "ui/StdCtrls.h"

class PasswordEditTest : public SkinCtrlsTest {
protected:
    TspSkinPasswordEdit* MakeField(TForm* form, TspSkinData* skin) {
        auto* p = new TspSkinPasswordEdit(form);
        p->SetParent(form);
        p->SetBounds(10, 10, 273, 21);
        if (skin) p->SetSkinData(skin);
        p->OnChange = [this](TObject*) { ++changes; };
        return p;
    }
    int changes = 0;
};

TEST_F(PasswordEditTest, TypingStoresAndChangesOncePerCharacter) {
    TForm* form = NewForm(300, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    form->Show();
    Pump();
    pass->SetFocus();
    Type("abc");
    EXPECT_EQ(pass->Text(), "abc");
    EXPECT_EQ(changes, 3);
    pass->SetText("abc");
    EXPECT_EQ(changes, 3);
    // Upper case stores upper case; switching to it converts the text at once.
    pass->SetCharCase(ecUpperCase);
    EXPECT_EQ(pass->Text(), "ABC");
    Type("a");
    EXPECT_EQ(pass->Text(), "ABCA");
    // Control characters are not inserted; bytes above 127 are.
    pass->SetCharCase(ecNormal);
    pass->SetText("");
    for (int c : {1, 9, 27, 0xE9, 0xFF, 0x80}) pass->Perform(WM_CHAR, WPARAM(c), 1);
    EXPECT_EQ(pass->Text(), "\xE9\xFF\x80");
}

TEST_F(PasswordEditTest, SymbolsOfTheStoredSkin) {
    TForm* form = NewForm(300, 80);
    form->SetColor(clWhite);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    pass->SetText("ab");
    form->Show();
    Pump();
    EXPECT_EQ(pass->Height(), 21);
    EXPECT_EQ(pass->TextRect(), Rect(2, 3, 271, 18));
    EXPECT_EQ(pass->SymbolWidth(), 10);
    // The first cell spans x 2..12; its symbol is 6 x 7, from (4, 7) to (10, 14), filled in the
    // record's font colour (a rounded rectangle: test its middle row and column).
    TColor ink = PixelOf(pass, 7, 10);
    EXPECT_NE(ink, PixelOf(pass, 7, 5));
    int inked = 0;
    for (int x = 2; x < 12; ++x)
        if (RawPixel(pass, x, 10) == ink) ++inked;
    EXPECT_EQ(inked, 6);
    inked = 0;
    for (int y = 3; y < 18; ++y)
        if (RawPixel(pass, 7, y) == ink) ++inked;
    EXPECT_EQ(inked, 7);
    // Square symbols fill the same 6 x 7.
    pass->SetPasswordKind(pkRect);
    Pump();
    EXPECT_EQ(CountColor(pass, Rect(2, 3, 12, 18), ink), 42);
}

TEST_F(PasswordEditTest, NothingLeavesTheField) {
    TForm* form = NewForm(300, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    form->Show();
    Pump();
    pass->SetFocus();
    Type("secret");
    Clipboard()->SetAsText("before");
    pass->SelectAll();
    Press('C', ModCtrl);
    Press(VK_INSERT, ModCtrl);
    Press('X', ModCtrl);
    Press(VK_DELETE, ModShift); // deletes, never cuts
    EXPECT_EQ(Clipboard()->AsText(), "before");
    EXPECT_EQ(pass->Text(), "");
    // Shift+Insert and Ctrl+V paste; a line break ends what is taken.
    Clipboard()->SetAsText("pa\tss\r\nsecond line");
    Press(VK_INSERT, ModShift);
    EXPECT_EQ(pass->Text(), "pass");
    Press('V', ModCtrl);
    EXPECT_EQ(pass->Text(), "passpass");
    // Read-only refuses it all, silently.
    pass->SetReadOnly(true);
    Type("x");
    Press(VK_BACK);
    Press('V', ModCtrl);
    EXPECT_EQ(pass->Text(), "passpass");
}

TEST_F(PasswordEditTest, MaxLengthAndMegabytePaste) {
    TForm* form = NewForm(300, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    form->Show();
    Pump();
    pass->SetFocus();
    // No limit: a megabyte goes in, and the field keeps the caret's cell in view.
    Clipboard()->SetAsText(std::string(1 << 20, 'q'));
    Press('V', ModCtrl);
    EXPECT_EQ(pass->Text().size(), size_t(1) << 20);
    EXPECT_EQ(pass->CaretIndex(), 1 << 20);
    EXPECT_GT(pass->FirstVisible(), (1 << 20) - 30);
    Press(VK_HOME);
    EXPECT_EQ(pass->FirstVisible(), 1);
    // A limit refuses what does not fit, whole; only the selection goes.
    pass->SetText("");
    pass->SetMaxLength(4);
    Type("abcdef");
    EXPECT_EQ(pass->Text(), "abcd");
    Press(VK_LEFT, ModShift);
    Clipboard()->SetAsText("xyz");
    Press('V', ModCtrl);
    EXPECT_EQ(pass->Text(), "abcd");
    EXPECT_EQ(pass->SelLength(), 0);
    // The program may set a longer text.
    pass->SetText("123456");
    EXPECT_EQ(pass->Text(), "123456");
}

TEST_F(PasswordEditTest, LongPasswordScrollsWholeCells) {
    TForm* form = NewForm(300, 80);
    form->SetColor(clWhite);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    pass->SetWidth(80); // 76 pixels of text: seven whole cells
    form->Show();
    Pump();
    pass->SetFocus();
    Type("0123456789abcdef");
    EXPECT_EQ(pass->CaretIndex(), 16);
    EXPECT_EQ(pass->FirstVisible(), 16 + 1 - 7);
    TPoint caret = GetCaretPos();
    EXPECT_LE(caret.X, pass->TextRect().Right);
    EXPECT_GE(caret.X, pass->TextRect().Left);
    // Left arrows scroll back once the caret reaches the first visible character.
    for (int i = 0; i < 12; ++i) Press(VK_LEFT);
    EXPECT_EQ(pass->CaretIndex(), 4);
    EXPECT_EQ(pass->FirstVisible(), 4);
    // Words: Ctrl+Left and Ctrl+Right, Shift extends.
    pass->SetText("one two three");
    Press(VK_END);
    Press(VK_LEFT, ModCtrl);
    EXPECT_EQ(pass->CaretIndex(), 8);
    Press(VK_LEFT, ModCtrl | ModShift);
    EXPECT_EQ(pass->SelStart(), 4);
    EXPECT_EQ(pass->SelLength(), 4);
    Press(VK_BACK);
    EXPECT_EQ(pass->Text(), "one three");
}

TEST_F(PasswordEditTest, MouseSelectionAndDoubleClick) {
    TForm* form = NewForm(300, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    pass->SetText("word another");
    form->Show();
    Pump();
    // A press puts the caret under the pointer (cell 3 of 10 pixels from x = 2).
    Click(pass, 2 + 35, 10);
    EXPECT_TRUE(pass->Focused());
    EXPECT_EQ(pass->CaretIndex(), 3);
    EXPECT_EQ(pass->SelLength(), 0);
    // Dragging selects.
    MoveTo(pass, 2 + 15, 10);
    display->MouseDown();
    Pump();
    MoveTo(pass, 2 + 75, 10);
    display->MouseUp();
    Pump();
    EXPECT_EQ(pass->SelStart(), 1);
    EXPECT_EQ(pass->SelLength(), 6);
    // A double click takes the word and the blanks after it.
    display->Advance(1000);
    MoveTo(pass, 2 + 25, 10);
    display->Click(ScreenPt(pass, 27, 10).X, ScreenPt(pass, 27, 10).Y);
    display->Click(ScreenPt(pass, 27, 10).X, ScreenPt(pass, 27, 10).Y);
    Pump();
    EXPECT_EQ(pass->SelStart(), 0);
    EXPECT_EQ(pass->SelLength(), 5);
}

TEST_F(PasswordEditTest, EnterIsTheFormsDialogKey) {
    TForm* form = NewForm(300, 80);
    TspSkinData* skin = ProgramSkin(form);
    auto* pass = MakeField(form, skin);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetBounds(10, 40, 75, 25);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    pass->SetFocus();
    Type("pw");
    Press(VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(pass->Text(), "pw");
    // Tab still moves on.
    Press(VK_TAB);
    EXPECT_FALSE(pass->Focused());
}

TEST_F(PasswordEditTest, BuiltInLookWithoutARecord) {
    TForm* form = NewForm(300, 80);
    auto* pass = MakeField(form, nullptr);
    pass->SetText("xy");
    pass->SetBounds(10, 10, 121, 25);
    form->Show();
    Pump();
    EXPECT_EQ(pass->Height(), 25);
    EXPECT_EQ(pass->TextRect(), Rect(2, 2, 119, 23));
    EXPECT_EQ(PixelOf(pass, 0, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(pass, 1, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(pass, 60, 10), ColorToRGB(clWindow));
    // Symbols in DefaultFont's colour (black), grey once disabled.
    EXPECT_GT(CountColor(pass, pass->TextRect(), clBlack), 20);
    pass->SetEnabled(false);
    EXPECT_EQ(CountColor(pass, pass->TextRect(), clBlack), 0);
    EXPECT_GT(CountColor(pass, pass->TextRect(), clGrayText), 20);
}
