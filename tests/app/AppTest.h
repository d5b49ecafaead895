#pragma once
// The main window on a fresh headless display for every test, in a working folder of its own
// (the remembered login lives in the current directory), talking to a tips service that the
// test runs on loopback and scripts request by request.

#include "LoopbackPeer.h"
#include "app/Unit1.h"
#include "platform/HeadlessDisplay.h"
#include "platform/Shell.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace apptest {

namespace fs = std::filesystem;

// What the scripted service does with one request.
struct Reply {
    std::string bytes;  // the whole answer on the wire
    bool reset = false; // reset the connection instead (after sending `bytes`, if any)
    bool close = false; // close the connection after the answer
};

Reply Ok(const std::string& body);
Reply Status(const std::string& statusLine);
Reply ResetConnection();

// A service answer: "<PODPISKA>subscription</PODPISKA>" and one match element per entry.
struct Match {
    std::string id = "1", time = "18:00", home = "Home", away = "Away",
                liga = "England.Premier League", kf1 = "1,50", kf2 = "3,40", kf3 = "5,00",
                p1 = "55", x = "25", p2 = "20", t05 = "90", t15 = "70", t25 = "45", oz = "50",
                count = "10";
};
std::string AnswerText(const std::string& subscription, const std::vector<Match>& matches);
std::vector<Match> SampleMatches(int count);

// The tips service of a test: the version marker, then the login path answered by `login`
// with the number of the login request (0 for the first of the process).
class ScriptedService {
public:
    ScriptedService();
    std::string Host() const; // 127.0.0.1:port

    std::function<Reply()> marker = [] { return Status("200 OK"); };
    std::function<Reply(int index, const std::string& target)> login;

    int LoginRequests() const { return m_loginRequests.load(); }
    int MarkerRequests() const { return m_markerRequests.load(); }
    std::vector<std::string> LoginTargets() const;

private:
    void Serve(PeerConnection& c);
    std::atomic<int> m_loginRequests{0};
    std::atomic<int> m_markerRequests{0};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_loginTargets;
    LoopbackPeer m_peer; // last: its threads stop before the rest goes
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Device pixels a point of the headless screen the window opens on.
    virtual int DisplayScale() const { return 1; }

    // Creates the main window as the program does, against `service`, and shows it.
    TForm1* StartWindow();
    TForm1* form = nullptr;
    ScriptedService service;

    // --- input through the display, as a user gives it ---
    void Pump();
    void Click(TControl* control, int x, int y);
    void ClickCentre(TControl* control);
    void Type(const std::string& utf8);
    void Press(int vk, unsigned mods = 0);
    // Clicks into the login and password boxes and types into them.
    void TypeLogin(const std::string& login, const std::string& password);
    // Presses LOGIN and waits until the flow it starts has ended (its boxes answered).
    void PressLogin();
    // Pumps the loop until no request to the service is out.
    void WaitForService();

    // --- message boxes: each one shown is read and closed with Enter ---
    std::vector<AnsiString> boxes;
    // Texts of the other modal windows' labels.
    static AnsiString BoxText(TCustomForm* box);

    // The URLs the shell was asked to open.
    std::vector<std::string> opened;

    // Writes `bytes` to the remembered-login file of the working folder.
    static void WriteCredentials(const std::string& bytes);
    static bool CredentialsExist();
    static std::string ReadCredentials();

    HeadlessDisplay* display = nullptr;
    fs::path workDir;
    fs::path previousDir;
};

// "Count: n" as the count label shows it.
std::string CountText(int n);

} // namespace apptest
