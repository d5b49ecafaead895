// The window while the tips service takes its time: requests run beside the window, which
// goes on painting and answering; Escape and closing end a request at once; error statuses
// and network failures are said in the user's words and change nothing.

#include "AppTest.h"

#include "grid/NxGrid.h"
#include "skinctrls/SkinCheckRadioBox.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinStdLabel.h"
#include "skinctrls/SkinXFormButton.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace apptest {
namespace {

class ServiceWait : public AppTest {
protected:
    // Pumps the loop until `done`; a guard, not a time limit, stops a test that would hang.
    template <class Done> void PumpUntil(Done done) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            Pump();
            ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << "waited in vain";
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // LOGIN, without waiting for what it starts.
    void StartLogin() { ClickCentre(form->logb); }
    bool OnMatchPage() const {
        return form->Page->ActivePageIndex() == 1 && form->spSkinTabSheet2->TabVisible();
    }
    bool OnLoginPage() const {
        return form->Page->ActivePageIndex() == 0 && form->spSkinTabSheet1->TabVisible();
    }
    // Moves the display's clock past the wait notice's delay.
    void LetASecondPass() {
        display->Advance(TForm1::kWaitNoticeMs + 50);
        Pump();
    }

    // The login request waits until `stall` is cleared; then it is accepted.
    std::atomic<bool> stall{true};
    void StallTheLogin() {
        service.login = [this](int, const std::string&) {
            return stall ? Reply{} : Ok(AnswerText("VIP", SampleMatches(3)));
        };
    }
};

TEST_F(ServiceWait, TheWindowAnswersWhileTheLoginWaitsAndEscapeGivesItBack) {
    WriteCredentials("user\r\npw\r\n");
    StallTheLogin();
    StartWindow();
    ClickCentre(form->zap); // unticked: a login taken as accepted would delete the file
    StartLogin();
    PumpUntil([&] { return service.LoginRequests() == 1; });
    EXPECT_TRUE(form->ServiceBusy());

    // The window goes on: a click on Remember is taken, and its look changes.
    const int presents = display->FindWindow(form->DisplayWindow())->presents;
    ClickCentre(form->zap);
    EXPECT_TRUE(form->zap->Checked());
    ClickCentre(form->zap);
    EXPECT_FALSE(form->zap->Checked());
    EXPECT_GT(display->FindWindow(form->DisplayWindow())->presents, presents);
    // The pointer says that the window waits; a second LOGIN starts nothing.
    ClickCentre(form->loginedit);
    EXPECT_EQ(display->Cursor(), CursorShape::Wait);
    StartLogin();
    Pump();
    EXPECT_EQ(service.MarkerRequests(), 1);
    EXPECT_EQ(service.LoginRequests(), 1);
    // Quiet at first; after a second, a word under LOGIN.
    EXPECT_FALSE(form->connectingLabel->Visible());
    LetASecondPass();
    EXPECT_TRUE(form->connectingLabel->Visible());
    EXPECT_EQ(form->connectingLabel->Caption(), Utf8ToAnsi("Connecting…"));

    // Escape: at once, the login page as it was; nothing said, written or renamed.
    Press(VK_ESCAPE);
    EXPECT_FALSE(form->ServiceBusy());
    EXPECT_FALSE(form->connectingLabel->Visible());
    EXPECT_TRUE(OnLoginPage());
    EXPECT_EQ(form->Caption(), "Brelvan");
    EXPECT_EQ(ReadCredentials(), "user\r\npw\r\n");
    const TPoint edit = form->loginedit->ClientToScreen({5, 5});
    display->MouseMove(edit.X, edit.Y);
    Pump();
    EXPECT_NE(display->Cursor(), CursorShape::Wait);
    Pump();
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    // The next LOGIN is not held up by the request that was given up.
    stall = false;
    PressLogin();
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->Caption(), "Brelvan (VIP)");
    EXPECT_EQ(form->FG->RowCount(), 3);
    EXPECT_FALSE(CredentialsExist());
}

TEST_F(ServiceWait, EscapeEndsAVersionProbeThatWaits) {
    std::atomic<bool> stallMarker{true};
    service.marker = [&stallMarker] { return stallMarker ? Reply{} : Status("200 OK"); };
    service.login = [](int, const std::string&) { return Ok(AnswerText("S", SampleMatches(1))); };
    StartWindow();
    StartLogin();
    PumpUntil([&] { return service.MarkerRequests() == 1; });
    LetASecondPass();
    EXPECT_TRUE(form->connectingLabel->Visible());
    Press(VK_ESCAPE);
    EXPECT_FALSE(form->ServiceBusy());
    EXPECT_TRUE(OnLoginPage());
    EXPECT_EQ(service.LoginRequests(), 0);
    stallMarker = false;
    PressLogin();
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->FG->RowCount(), 1);
}

TEST_F(ServiceWait, AMatchListThatWaitsSaysSoAndEscapeKeepsThePage) {
    service.login = [](int index, const std::string&) {
        return index == 0 ? Ok(AnswerText("Gold", {})) : Reply{};
    };
    StartWindow();
    StartLogin();
    PumpUntil([&] { return service.LoginRequests() == 2; });
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->Caption(), "Brelvan (Gold)");
    EXPECT_TRUE(form->ServiceBusy());
    LetASecondPass();
    EXPECT_TRUE(form->loadingLabel->Visible());
    EXPECT_EQ(form->loadingLabel->Caption(), Utf8ToAnsi("Loading matches…"));
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
    // "..." waits for the list too.
    ClickCentre(form->fi);
    EXPECT_FALSE(form->filter->Visible());
    Press(VK_ESCAPE);
    EXPECT_FALSE(form->ServiceBusy());
    EXPECT_FALSE(form->loadingLabel->Visible());
    EXPECT_TRUE(OnMatchPage());
    EXPECT_EQ(form->Caption(), "Brelvan (Gold)");
    EXPECT_EQ(form->fcount->Caption(), CountText(0));
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    ClickCentre(form->fi);
    EXPECT_TRUE(form->filter->Visible());
}

TEST_F(ServiceWait, ClosingTheWindowEndsTheRequest) {
    StallTheLogin();
    StartWindow();
    StartLogin();
    PumpUntil([&] { return service.LoginRequests() == 1; });
    display->RequestClose(form->DisplayWindow());
    Pump();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(form->ServiceBusy());
    EXPECT_FALSE(CredentialsExist());
    // The window's end does not wait for the service (TearDown destroys it).
}

struct StatusCase {
    const char* what;
    Reply reply;
    const char* box;
};

std::vector<StatusCase> StatusCases() {
    return {
        {"500", Status("500 Internal Server Error"),
         "The tips service answered 500 Internal Server Error."},
        {"404", Status("404 Not Found"), "The tips service answered 404 Not Found."},
        {"302",
         {LoopbackPeer::Answer("302 Found", {"Location: http://elsewhere.test/"}, "")},
         "The tips service answered 302 Found.\nIt points elsewhere: http://elsewhere.test/"},
    };
}

// An error status to the login request is no login: said, and nothing changes.
TEST_F(ServiceWait, AnErrorStatusToTheLoginIsSaidAndChangesNothing) {
    for (const StatusCase& c : StatusCases()) {
        for (const bool remember : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (remember ? " remembered" : " forgotten"));
            const Reply reply = c.reply;
            service.login = [reply](int, const std::string&) { return reply; };
            Application->Reset();
            boxes.clear();
            WriteCredentials("old\r\nold\r\n");
            StartWindow();
            const int before = service.LoginRequests();
            if (!remember) ClickCentre(form->zap);
            ClickCentre(form->loginedit);
            Type("x"); // a remembered file would now be written anew
            PressLogin();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0], c.box);
            EXPECT_TRUE(OnLoginPage());
            EXPECT_EQ(form->Caption(), "Brelvan");
            EXPECT_EQ(ReadCredentials(), "old\r\nold\r\n");
            EXPECT_EQ(service.LoginRequests(), before + 1) << "no match-list request";
        }
    }
}

// The same status to the match-list request keeps the caption and the page as they are.
TEST_F(ServiceWait, AnErrorStatusToTheMatchListKeepsWhatIsShown) {
    for (const StatusCase& c : StatusCases()) {
        SCOPED_TRACE(c.what);
        const Reply reply = c.reply;
        service.login = [reply](int index, const std::string&) {
            return index % 2 == 0 ? Ok(AnswerText("Gold", {})) : reply;
        };
        Application->Reset();
        boxes.clear();
        StartWindow();
        PressLogin();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], c.box);
        EXPECT_TRUE(OnMatchPage());
        EXPECT_EQ(form->Caption(), "Brelvan (Gold)");
        EXPECT_EQ(form->FG->RowCount(), 0);
        EXPECT_EQ(form->fcount->Caption(), CountText(0));
    }
}

} // namespace
} // namespace apptest
