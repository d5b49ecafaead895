// What the application's loops take besides the display's input: messages posted from other
// threads, and the process's termination signals, in modal loops as well.
#include <csignal>
#include <thread>
#include <vector>

#include "UiTest.h"
#include "platform/Process.h"
#include "ui/Dialogs.h"
#include "ui/ThreadMessages.h"

namespace {

// Records the numbers of the messages posted to it.
class TRecorder : public TForm {
public:
    using TForm::TForm;
    std::vector<WPARAM> received;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_APP + 1) {
            received.push_back(m.WParam);
            return;
        }
        TForm::WndProc(m);
    }
};

} // namespace

TEST_F(UiTest, MessagesFromAnotherThreadArriveInOrderThroughTheLoop) {
    auto* form = new TRecorder(Application);
    auto* gone = new TRecorder(Application);
    std::thread worker([&] {
        for (WPARAM i = 1; i <= 100; ++i) PostMessageFromThread(form, WM_APP + 1, i, 0);
        PostMessageFromThread(gone, WM_APP + 1, 7, 0);
    });
    worker.join();
    EXPECT_TRUE(form->received.empty()) << "nothing runs on the worker's thread";
    delete gone; // before the loop's turn: its message is dropped
    Application->HandleMessage();
    Pump();
    ASSERT_EQ(form->received.size(), 100u);
    for (WPARAM i = 0; i < 100; ++i) EXPECT_EQ(form->received[i], i + 1);
}

// A session that ends asks the program to end while a box waits for an answer: the box and
// the main form close the ordinary way, and the loops end.
TEST_F(UiTest, ATerminationSignalClosesAnOpenBoxAndTheMainForm) {
    CatchTerminationSignals();
    TForm* main = NewForm();
    bool closed = false;
    main->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    main->Show();
    Pump();
    bool raised = false;
    Application->OnIdle = [&](TObject*, bool&) {
        if (raised || Screen->ActiveForm() == main) return;
        raised = true;
        std::raise(SIGTERM);
    };
    const int answer = Application->MessageBox("Waiting", "", MB_OKCANCEL);
    Application->OnIdle = nullptr;
    std::signal(SIGTERM, SIG_DFL);
    EXPECT_TRUE(raised);
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(main->Visible());
    EXPECT_EQ(TakeTerminationRequest(), 0) << "taken once";
}
