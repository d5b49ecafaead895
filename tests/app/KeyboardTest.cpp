// The window with the keyboard alone: LOGIN from the boxes with Enter, the filter opened with
// Ctrl+F and walked with Tab, OK with Enter and CANCEL with Escape, the focus where the keys
// are needed next.
#include "AppTest.h"

#include "grid/NxGrid.h"
#include "rtl/FormatSettings.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinXFormButton.h"

namespace apptest {
namespace {

class Keyboard : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        saved = FormatSettings;
        FormatSettings.DecimalSeparator = ',';
        std::vector<Match> matches = SampleMatches(10);
        matches[3].p1 = "100";
        matches[7].p1 = "100";
        const std::string answer = AnswerText("VIP", matches);
        service.login = [answer](int, const std::string&) { return Ok(answer); };
        StartWindow();
    }
    void TearDown() override {
        FormatSettings = saved;
        AppTest::TearDown();
    }
    // Logs in with keys alone: the login typed where typing starts, Tab, the password, Enter.
    void LogInWithKeys() {
        Type("demo");
        Press(VK_TAB);
        Type("demo");
        Press(VK_RETURN);
        WaitForService();
    }
    bool OnMatchPage() const { return form->Page->ActivePage() == form->spSkinTabSheet2; }
    TFormatSettings saved;
};

} // namespace

TEST_F(Keyboard, EnterInTheLoginOrPasswordBoxLogsIn) {
    ASSERT_TRUE(form->loginedit->Focused()) << "typing starts in the login box";
    Press('R', ModAlt);
    EXPECT_TRUE(form->zap->Checked());
    LogInWithKeys();
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    ASSERT_TRUE(OnMatchPage());
    EXPECT_EQ(CurrentLogin, "demo") << "Alt+R typed nothing into the login box";
    EXPECT_EQ(form->FG->RowCount(), 10);
    EXPECT_TRUE(form->FG->Focused()) << "the keys go on in the table";
    EXPECT_EQ(form->FG->CurrentRow(), 0) << "and it shows where they are";
    EXPECT_TRUE(CredentialsExist()) << "Remember, toggled with Alt+R, was taken";
}

TEST_F(Keyboard, EnterInTheLoginBoxWithAnEmptyPasswordStillAsks) {
    Type("demo");
    Press(VK_RETURN);
    WaitForService();
    EXPECT_EQ(service.MarkerRequests(), 1) << "Enter is LOGIN, whatever the boxes hold";
}

TEST_F(Keyboard, TheFilterWithKeysAlone) {
    LogInWithKeys();
    ASSERT_TRUE(OnMatchPage());
    Press('F', ModCtrl);
    ASSERT_TRUE(form->filter->Visible());
    EXPECT_TRUE(form->f[0]->Edit()->Focused()) << "the first box has the keyboard";
    // Tab walks the twenty boxes in order.
    for (int i = 1; i < 20; ++i) {
        Press(VK_TAB);
        ASSERT_TRUE(form->f[size_t(i)]->Edit()->Focused()) << "box " << i + 1;
    }
    // Escape is CANCEL: the panel goes, the table has the keyboard.
    Press(VK_ESCAPE);
    EXPECT_FALSE(form->filter->Visible());
    EXPECT_TRUE(form->FG->Focused());

    // P1 from 100: Enter is OK and leaves the two sure home wins.
    Press('F', ModCtrl);
    for (int i = 0; i < 6; ++i) Press(VK_TAB);
    ASSERT_TRUE(form->f[6]->Edit()->Focused());
    form->f[6]->Edit()->SelectAll();
    Type("100");
    Press(VK_RETURN);
    EXPECT_FALSE(form->filter->Visible());
    EXPECT_TRUE(form->FG5->Visible());
    EXPECT_EQ(form->FG5->RowCount(), 2);
    EXPECT_TRUE(form->FG5->Focused());
    EXPECT_EQ(form->FG5->CurrentRow(), 0);
}

TEST_F(Keyboard, CtrlFDoesNothingOnTheLoginPage) {
    Press('F', ModCtrl);
    EXPECT_FALSE(form->filter->Visible());
    EXPECT_FALSE(OnMatchPage());
}

} // namespace apptest
