// LOGIN through the window against a scripted service: probe, login, remembered login,
// page switch, match list, captions and the count label.

#include "AppTest.h"

#include "grid/NxGrid.h"
#include "rtl/Strings.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinXFormButton.h"
#include "table/MatchColumns.h"

namespace apptest {
namespace {

class LoginFlow : public AppTest {
protected:
    // Both requests answered with the same text.
    void AnswerEveryLogin(const std::string& text) {
        service.login = [text](int, const std::string&) { return Ok(text); };
    }
    void LogIn(const std::string& login = "demo", const std::string& password = "demo") {
        TypeLogin(login, password);
        PressLogin();
    }
    bool OnMatchPage() const {
        return form->Page->ActivePageIndex() == 1 && !form->spSkinTabSheet1->TabVisible() &&
               form->spSkinTabSheet2->TabVisible();
    }
    bool OnLoginPage() const {
        return form->Page->ActivePageIndex() == 0 && form->spSkinTabSheet1->TabVisible() &&
               !form->spSkinTabSheet2->TabVisible();
    }
    AnsiString Cell(int column, int row) { return WideToAnsi(form->FG->CellText(column, row)); }
};

TEST_F(LoginFlow, AnAcceptedLoginShowsTheMatchesAndOnlyTheFootballTab) {
    AnswerEveryLogin(AnswerText("VIP 31.12.2026", SampleMatches(3)));
    StartWindow();
    LogIn("demo", "pw");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->Caption(), "Brelvan (VIP 31.12.2026)");
    ASSERT_EQ(form->FG->RowCount(), 3);
    EXPECT_EQ(Cell(mcHome, 0), "Home 0");
    EXPECT_EQ(Cell(mcAway, 2), "Away 2");
    EXPECT_EQ(form->fcount->Caption(), CountText(3));
    // The probe, then the same URL twice, carrying login and password.
    EXPECT_EQ(service.MarkerRequests(), 1);
    ASSERT_EQ(service.LoginRequests(), 2);
    auto targets = service.LoginTargets();
    EXPECT_EQ(targets[0], "/login/brelvan.php?login=demo&pass=pw");
    EXPECT_EQ(targets[0], targets[1]);
    EXPECT_EQ(CurrentLogin, "demo");
    EXPECT_EQ(CurrentPassword, "pw");
    // Remember was not ticked: no file.
    EXPECT_FALSE(CredentialsExist());
}

TEST_F(LoginFlow, ARefusedLoginStaysOnTheLoginPageAndTouchesNoFile) {
    WriteCredentials("old\r\nold\r\n");
    for (const char* refusal : {"Fail", "Authorization Failed", "xxFailxx"}) {
        service.login = [refusal](int, const std::string&) { return Ok(refusal); };
        Application->Reset();
        boxes.clear();
        StartWindow();
        const int before = service.LoginRequests();
        ClickCentre(form->zap); // untick: an accepted login would delete the file
        PressLogin();
        ASSERT_EQ(boxes.size(), 1u) << refusal;
        EXPECT_EQ(boxes[0], "Autorization Failed!");
        EXPECT_TRUE(OnLoginPage());
        EXPECT_EQ(form->Caption(), "Brelvan");
        EXPECT_EQ(service.LoginRequests(), before + 1) << "no match-list request";
        EXPECT_EQ(ReadCredentials(), "old\r\nold\r\n");
    }
    // The user may try again: a second press asks again.
    PressLogin();
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(LoginFlow, RememberWritesTheFileBeforeTheSecondRequestEvenIfThatFails) {
    bool fileThere = false;
    std::string fileText;
    service.login = [&](int index, const std::string&) {
        if (index == 0) return Ok(AnswerText("Gold", {}));
        fileThere = CredentialsExist();
        fileText = ReadCredentials();
        return ResetConnection();
    };
    StartWindow();
    ClickCentre(form->zap);
    ASSERT_TRUE(form->zap->Checked());
    LogIn("user", "");
    EXPECT_TRUE(fileThere);
    EXPECT_EQ(fileText, "user\r\n\r\n");
    // The second request failed: said so on the match page, the grid empty, the count as it was.
    EXPECT_TRUE(OnMatchPage());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("The connection to the tips service at " + service.Host() +
                                 " broke before it answered.\n",
                             0),
              0u)
        << boxes[0];
    EXPECT_EQ(form->FG->RowCount(), 0);
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
    EXPECT_EQ(form->Caption(), "Brelvan (Gold)");
}

TEST_F(LoginFlow, AnAcceptedLoginWithoutRememberDeletesTheFile) {
    WriteCredentials("user\r\nsecret\r\n");
    AnswerEveryLogin(AnswerText("S", SampleMatches(1)));
    StartWindow();
    EXPECT_TRUE(form->zap->Checked());
    ClickCentre(form->zap);
    EXPECT_FALSE(form->zap->Checked());
    PressLogin(); // the remembered login and password are in the boxes
    EXPECT_EQ(service.LoginTargets().at(0), "/login/brelvan.php?login=user&pass=secret");
    EXPECT_TRUE(OnMatchPage());
    EXPECT_FALSE(CredentialsExist());
    // The next start shows empty boxes.
    Application->Reset();
    StartWindow();
    EXPECT_EQ(form->loginedit->Text(), "");
    EXPECT_FALSE(form->zap->Checked());
}

TEST_F(LoginFlow, NetworkFailuresOfTheLoginAreNotALogin) {
    WriteCredentials("user\r\npw\r\n");
    Reply closed;
    closed.close = true; // closed before any answer
    for (const Reply& reply : {ResetConnection(), closed}) {
        service.login = [reply](int, const std::string&) { return reply; };
        Application->Reset();
        boxes.clear();
        StartWindow();
        ClickCentre(form->zap); // unticked: a login taken as accepted would delete the file
        PressLogin();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].rfind("The connection to the tips service at " + service.Host() +
                                     " broke before it answered.\n",
                                 0),
                  0u)
            << boxes[0];
        EXPECT_TRUE(OnLoginPage());
        EXPECT_EQ(form->Caption(), "Brelvan");
        EXPECT_EQ(ReadCredentials(), "user\r\npw\r\n");
    }
}

TEST_F(LoginFlow, ASilentServiceEndsAtTheTimeLimit) {
    service.login = [](int, const std::string&) { return Reply{}; }; // never answers
    StartWindow();
    form->SetNetworkTimeoutMs(300);
    LogIn(); // without the limit this would wait for ever
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("The tips service at " + service.Host() +
                                 " did not answer within 0.3 seconds.\n",
                             0),
              0u)
        << boxes[0];
    EXPECT_TRUE(OnLoginPage());
    EXPECT_FALSE(CredentialsExist());
}

// Whatever did arrive of a body is an answer, read as the service's rules read it: the part of
// a body before a reset is the answer's text.
TEST_F(LoginFlow, AnswersThatArrivedFollowTheUsualRulesHoweverShort) {
    struct Case {
        const char* what;
        Reply reply;
        const char* caption;
    } cases[] = {
        {"half answer",
         {"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n<PODPISKA>Half</PODPISKA>x", true},
         "Brelvan (Half)"},
    };
    for (const Case& c : cases) {
        const Reply reply = c.reply;
        service.login = [reply](int, const std::string&) { return reply; };
        Application->Reset();
        boxes.clear();
        WriteCredentials("user\r\npw\r\n");
        StartWindow();
        ClickCentre(form->zap); // unticked: the accepted login deletes the file
        PressLogin();
        EXPECT_TRUE(boxes.empty()) << c.what << ": " << (boxes.empty() ? "" : boxes[0]);
        EXPECT_TRUE(OnMatchPage()) << c.what;
        EXPECT_EQ(form->Caption(), c.caption) << c.what;
        EXPECT_FALSE(CredentialsExist()) << c.what;
        EXPECT_EQ(form->FG->RowCount(), 0) << c.what;
    }
}

TEST_F(LoginFlow, AnEmptyAnswerThatArrivedIsAnAcceptedLogin) {
    AnswerEveryLogin("");
    StartWindow();
    LogIn();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->Caption(), "Brelvan ()");
    EXPECT_EQ(form->FG->RowCount(), 0);
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
}

TEST_F(LoginFlow, AnUnreachableServiceLeavesTheWindowOpen) {
    StartWindow();
    form->SetServiceHost("127.0.0.1:1"); // nothing listens there
    LogIn();
    ASSERT_EQ(boxes.size(), 1u);
    // In the user's words first, the library's after them.
    EXPECT_EQ(boxes[0].rfind("Cannot connect to the tips service at 127.0.0.1:1 (connection "
                             "refused).\n",
                             0),
              0u)
        << boxes[0];
    EXPECT_GT(boxes[0].size(), 70u) << "the technical reason follows";
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(OnLoginPage());
}

TEST_F(LoginFlow, AVersionNoLongerServedAsksToUpdateAndCloses) {
    service.marker = [] { return Status("404 Not Found"); };
    StartWindow();
    LogIn();
    ASSERT_EQ(boxes.size(), 1u);
    const AnsiString expected = "Update New Version Programm Please!\n\rGo to site " +
                                service.Host() + "\n\r" + Utf8ToAnsi("Обновите программу с сайта!");
    EXPECT_EQ(boxes[0], expected);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "http://" + service.Host() +
                             "/index.php?option=com_content&view=article&id=3&Itemid=12");
    EXPECT_EQ(service.LoginRequests(), 0);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(LoginFlow, TheMatchListRefusedAfterTheLogin) {
    service.login = [](int index, const std::string&) {
        return Ok(index == 0 ? AnswerText("S", {}) : "Failed");
    };
    StartWindow();
    LogIn();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], Utf8ToAnsi("Ошибка авторизации!"));
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->FG->RowCount(), 0);
    EXPECT_EQ(form->Caption(), "Brelvan (S)");
}

TEST_F(LoginFlow, TheCaptionComesFromBothAnswers) {
    // The second answer has no PODPISKA element: its text from the ninth byte up to "<".
    service.login = [](int index, const std::string&) {
        return Ok(index == 0 ? AnswerText("First", {}) : "12345678Second<match>");
    };
    StartWindow();
    LogIn();
    EXPECT_EQ(form->Caption(), "Brelvan (Second)");
    // A second answer without any match keeps the count label's text.
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
}

TEST_F(LoginFlow, AConversionErrorKeepsTheRowsBeforeIt) {
    std::vector<Match> matches = SampleMatches(4);
    matches[2].p1 = "";
    AnswerEveryLogin(AnswerText("S", matches));
    StartWindow();
    LogIn();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "'' is not a valid floating point value");
    EXPECT_TRUE(OnMatchPage());
    ASSERT_EQ(form->FG->RowCount(), 3);
    EXPECT_EQ(Cell(mcHome, 2), "Home 2");
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
}

TEST_F(LoginFlow, BadAnswersAndImpatientUsers) {
    // Ten megabytes of garbage: an accepted login with no matches.
    std::string garbage(10 * 1024 * 1024, '\0');
    uint32_t seed = 7;
    for (char& c : garbage) {
        seed = seed * 1664525u + 1013904223u;
        c = char('A' + (seed >> 24) % 26); // never "Fail": the letters are upper case
    }
    AnswerEveryLogin(garbage);
    StartWindow();
    // 5,000 characters typed into the login box.
    ClickCentre(form->loginedit);
    Type(std::string(5000, 'a'));
    EXPECT_EQ(form->loginedit->Text().size(), 5000u);
    // LOGIN pressed twenty times at once: one login, the rest fall on the match page.
    const TPoint p = form->logb->ClientToScreen({10, 10});
    for (int i = 0; i < 20; ++i) display->Click(p.X, p.Y);
    Pump();
    WaitForService();
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(service.LoginRequests(), 2);
    EXPECT_EQ(form->FG->RowCount(), 0);
}

TEST_F(LoginFlow, FiftyThousandMatches) {
    AnswerEveryLogin(AnswerText("Big", SampleMatches(50000)));
    StartWindow();
    LogIn();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->FG->RowCount(), 50000);
    EXPECT_EQ(form->fcount->Caption(), CountText(50000));
}

} // namespace
} // namespace apptest
