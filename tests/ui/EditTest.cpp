// The edit window's keys, selection, clipboard, undo and limits, through real input.
#include "UiTest.h"
#include "ui/StdCtrls.h"

class EditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = NewForm();
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        form->Show();
        edit->SetFocus();
        Pump();
    }
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    int changes = 0;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndReportsEachChange) {
    Type("hello");
    EXPECT_EQ(edit->Text(), "hello");
    EXPECT_EQ(changes, 5);
    Press(VK_HOME);
    Type(">");
    Press(VK_END);
    Type("<");
    EXPECT_EQ(edit->Text(), ">hello<");
    EXPECT_EQ(edit->SelStart(), 7);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditTest, ShiftAndControlKeysSelectAndMoveByWords) {
    edit->SetText("one two three");
    Press(VK_END);
    Press(VK_LEFT, ModCtrl); // before "three"
    EXPECT_EQ(edit->SelStart(), 8);
    Press(VK_LEFT, ModCtrl | ModShift); // select "two "
    EXPECT_EQ(edit->SelText(), "two ");
    Press(VK_RIGHT); // collapses to the selection's right end
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->SelStart(), 8);
    Press(VK_HOME, ModShift);
    EXPECT_EQ(edit->SelText(), "one two ");
    Press(VK_RIGHT, ModCtrl);
    EXPECT_EQ(edit->SelStart(), 4);
}

TEST_F(EditTest, BackspaceAndDeleteRemoveSelectionOrOneCharacter) {
    edit->SetText("abcdef");
    Press(VK_END);
    Press(VK_BACK);
    EXPECT_EQ(edit->Text(), "abcde");
    Press(VK_HOME);
    Press(VK_DELETE);
    EXPECT_EQ(edit->Text(), "bcde");
    Press(VK_RIGHT, ModShift);
    Press(VK_RIGHT, ModShift);
    Press(VK_DELETE);
    EXPECT_EQ(edit->Text(), "de");
    Press(VK_HOME);
    Press(VK_BACK); // nothing before the caret
    EXPECT_EQ(edit->Text(), "de");
}

TEST_F(EditTest, ClipboardKeysCutCopyAndPaste) {
    edit->SetText("copy me");
    Press(VK_HOME);
    Press(VK_END, ModShift);
    Press('C', ModCtrl);
    EXPECT_EQ(Clipboard()->AsText(), "copy me");
    Press(VK_END);
    Press('V', ModCtrl);
    EXPECT_EQ(edit->Text(), "copy mecopy me");
    Press(VK_HOME, ModShift); // select all back to the start
    Press('X', ModCtrl);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(Clipboard()->AsText(), "copy mecopy me");
    // The older keys: Shift+Insert pastes, Ctrl+Insert copies, Shift+Delete cuts.
    Clipboard()->SetAsText("ab\r\nsecond line");
    Press(VK_INSERT, ModShift);
    EXPECT_EQ(edit->Text(), "ab"); // one line only
    Press(VK_LEFT, ModShift);
    Press(VK_INSERT, ModCtrl);
    EXPECT_EQ(Clipboard()->AsText(), "b");
    Press(VK_DELETE, ModShift);
    EXPECT_EQ(edit->Text(), "a");
}

TEST_F(EditTest, UndoSwapsBackTheLastChange) {
    Type("abc");
    Press(VK_BACK);
    EXPECT_EQ(edit->Text(), "ab");
    Press('Z', ModCtrl);
    EXPECT_EQ(edit->Text(), "abc");
    Press('Z', ModCtrl); // undoing the undo
    EXPECT_EQ(edit->Text(), "ab");
    edit->SetText("fresh"); // setting the text empties the undo
    EXPECT_FALSE(edit->CanUndo());
}

TEST_F(EditTest, UndoTakesBackAWholeRunOfTyping) {
    Type("one");
    Press(VK_SPACE);
    Type("two");
    Press('Z', ModCtrl);
    EXPECT_EQ(edit->Text(), "");
    Press('Z', ModCtrl);
    EXPECT_EQ(edit->Text(), "one two");
    // Moving the caret ends the run: only what was typed after it goes.
    Press(VK_HOME);
    Type("<<");
    Press(VK_END);
    Type(">");
    Press('Z', ModCtrl);
    EXPECT_EQ(edit->Text(), "<<one two");
    // Typing over a selection is a change of its own.
    Press(VK_HOME, ModShift);
    Type("xy");
    Press('Z', ModCtrl);
    EXPECT_EQ(edit->Text(), "<<one two");
    EXPECT_EQ(edit->SelLength(), 9);
}

TEST_F(EditTest, MaxLengthAndReadOnlyLimitTheUser) {
    edit->SetMaxLength(4);
    Type("abcdef");
    EXPECT_EQ(edit->Text(), "abcd");
    Clipboard()->SetAsText("XYZ");
    Press(VK_LEFT, ModShift);
    Press('V', ModCtrl); // replaces one character: only one more fits
    EXPECT_EQ(edit->Text(), "abcX");
    edit->SetText("program text may be longer");
    EXPECT_EQ(edit->Text(), "program text may be longer");
    edit->SetReadOnly(true);
    int before = changes;
    Type("q");
    Press(VK_DELETE);
    Press(VK_HOME, ModShift);
    Press('X', ModCtrl);
    EXPECT_EQ(edit->Text(), "program text may be longer");
    EXPECT_EQ(changes, before);
}

TEST_F(EditTest, PasswordFieldsShowMaskAndKeepTheClipboardClean) {
    edit->SetPasswordChar('*');
    Type("secret");
    Clipboard()->SetAsText("unchanged");
    Press('A', ModCtrl);
    Press('C', ModCtrl);
    Press('X', ModCtrl);
    EXPECT_EQ(Clipboard()->AsText(), "unchanged");
    EXPECT_EQ(edit->Text(), "secret");
}

TEST_F(EditTest, MouseClicksPlaceTheCaretAndDragsSelect) {
    edit->SetText("abcdefghij");
    Pump();
    int x3 = edit->CharX(3), x7 = edit->CharX(7);
    Click(edit, x3, 5);
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_EQ(edit->SelLength(), 0);
    TPoint a = ScreenPt(edit, x3, 5), b = ScreenPt(edit, x7, 5);
    display->Advance(1000);
    display->MouseMove(a.X, a.Y);
    display->MouseDown();
    display->MouseMove(b.X, b.Y);
    display->MouseUp();
    Pump();
    EXPECT_EQ(edit->SelText(), "defg");
}

TEST_F(EditTest, MarginsMoveTheText) {
    edit->SetText("W");
    int before = edit->CharX(0);
    edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(10, 5));
    EXPECT_EQ(edit->CharX(0), before + 10 - 1);
    EXPECT_EQ(edit->RightMargin(), 5);
}

TEST_F(EditTest, EnterGoesToTheFormAndAutoSelectSelectsOnTab) {
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetTop(40);
    other->SetText("all of it");
    int dialogKeys = 0;
    form->SetKeyPreview(false);
    auto* def = new TButton(form);
    def->SetParent(form);
    def->SetTop(80);
    def->SetDefault(true);
    def->OnClick = [&](TObject*) { ++dialogKeys; };
    Press(VK_RETURN);
    EXPECT_EQ(dialogKeys, 1);
    EXPECT_EQ(edit->Text(), "");
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), other);
    EXPECT_EQ(other->SelText(), "all of it");
}
