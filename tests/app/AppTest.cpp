#include "AppTest.h"

#include "app/RememberedLogin.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinXFormButton.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace apptest {

Reply Ok(const std::string& body) {
    return {
        LoopbackPeer::Answer("200 OK", {"Content-Type: text/html; charset=windows-1251"}, body)};
}

Reply Status(const std::string& statusLine) {
    return {LoopbackPeer::Answer(statusLine, {}, "")};
}

Reply ResetConnection() {
    Reply r;
    r.reset = true;
    return r;
}

std::string AnswerText(const std::string& subscription, const std::vector<Match>& matches) {
    // The elements in the order the service writes them; the date is the same for all.
    static const std::pair<const char*, std::string Match::*> kFields[] = {
        {"id", &Match::id},     {"date", nullptr},       {"time", &Match::time},
        {"home", &Match::home}, {"away", &Match::away},  {"liga", &Match::liga},
        {"kf1", &Match::kf1},   {"kf2", &Match::kf2},    {"kf3", &Match::kf3},
        {"p1", &Match::p1},     {"x", &Match::x},        {"p2", &Match::p2},
        {"t05", &Match::t05},   {"t15", &Match::t15},    {"t25", &Match::t25},
        {"oz", &Match::oz},     {"count", &Match::count}};
    std::string text = "<PODPISKA>" + subscription + "</PODPISKA>\r\n";
    for (const Match& m : matches) {
        text += "<match>";
        for (const auto& [name, field] : kFields)
            text += std::string("<") + name + ">" + (field ? m.*field : "09.12.2026") + "</" +
                    name + ">";
        text += "</match>\r\n";
    }
    return text;
}

std::vector<Match> SampleMatches(int count) {
    std::vector<Match> list;
    for (int i = 0; i < count; ++i) {
        Match m;
        m.id = std::to_string(1000 + i);
        m.home = "Home " + std::to_string(i);
        m.away = "Away " + std::to_string(i);
        m.p1 = std::to_string(30 + i % 50);
        m.count = std::to_string(i % 40);
        list.push_back(m);
    }
    return list;
}

ScriptedService::ScriptedService() : m_peer([this](PeerConnection& c) { Serve(c); }) {}

std::string ScriptedService::Host() const {
    return "127.0.0.1:" + std::to_string(m_peer.Port());
}

std::vector<std::string> ScriptedService::LoginTargets() const {
    std::lock_guard lock(m_mutex);
    return m_loginTargets;
}

void ScriptedService::Serve(PeerConnection& c) {
    std::string head;
    while (c.ReadRequest(&head)) {
        const std::size_t start = head.find(' ') + 1;
        const std::string target = head.substr(start, head.find(' ', start) - start);
        Reply reply;
        if (target.rfind("/refresh/", 0) == 0) {
            ++m_markerRequests;
            reply = marker();
        } else if (target.rfind("/login/brelvan.php", 0) == 0 && login) {
            const int index = m_loginRequests++;
            {
                std::lock_guard lock(m_mutex);
                m_loginTargets.push_back(target);
            }
            reply = login(index, target);
        } else {
            reply = Status("404 Not Found");
        }
        if (!reply.bytes.empty()) c.Send(reply.bytes);
        if (reply.reset) {
            c.Reset();
            return;
        }
        if (reply.close) {
            c.Close();
            return;
        }
    }
}

void AppTest::SetUp() {
    Application->Reset();
    display = new HeadlessDisplay(1280, 1024, DisplayScale());
    SetDisplay(std::unique_ptr<Display>(display));
    Application->Initialize();
    // Loopback never goes through a proxy the machine may name.
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("BRELVAN_SERVICE", service.Host().c_str(), 1);
    previousDir = fs::current_path();
    workDir = fs::temp_directory_path() /
              ("brelvan-app-" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(workDir);
    fs::create_directories(workDir);
    fs::current_path(workDir);
    SetOpenUrlHandler([this](const std::string& url) {
        opened.push_back(url);
        return true;
    });
}

void AppTest::TearDown() {
    Application->Reset();
    form = nullptr;
    SetOpenUrlHandler(nullptr);
    fs::current_path(previousDir);
    std::error_code ec;
    fs::permissions(workDir, fs::perms::owner_all, ec);
    fs::remove_all(workDir, ec);
}

TForm1* AppTest::StartWindow() {
    // Every modal box that comes up is read and answered with OK.
    Application->OnIdle = [this](TObject*, bool&) {
        TCustomForm* active = Screen->ActiveForm();
        if (!active || active == form || !active->Modal()) return;
        if (active->ModalResult() != mrNone) return;
        boxes.push_back(BoxText(active));
        active->SetModalResult(mrOk);
    };
    Application->CreateForm(Form1);
    form = Form1;
    form->SetNetworkTimeoutMs(5000);
    form->Show();
    Pump();
    return form;
}

void AppTest::Pump() {
    Application->ProcessMessages();
}

void AppTest::Click(TControl* control, int x, int y) {
    const TPoint p = control->ClientToScreen({x, y});
    display->Click(p.X, p.Y);
    Pump();
}

void AppTest::ClickCentre(TControl* control) {
    Click(control, control->Width() / 2, control->Height() / 2);
}

void AppTest::Type(const std::string& utf8) {
    display->Type(utf8);
    Pump();
}

void AppTest::Press(int vk, unsigned mods) {
    display->KeyPress(vk, mods);
    Pump();
}

void AppTest::TypeLogin(const std::string& login, const std::string& password) {
    ClickCentre(form->loginedit);
    Type(login);
    ClickCentre(form->passedit);
    Type(password);
}

void AppTest::PressLogin() {
    ClickCentre(form->logb);
    WaitForService();
}

void AppTest::WaitForService() {
    // Not a time limit on the window: a guard so that a flow that never ends fails the test
    // instead of hanging it.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (form && form->ServiceBusy()) {
        Pump();
        if (!form->ServiceBusy()) break;
        ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << "the request never ended";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Pump();
}

AnsiString AppTest::BoxText(TCustomForm* box) {
    AnsiString text;
    for (int i = 0; i < box->ControlCount(); ++i)
        if (auto* label = dynamic_cast<TCustomLabel*>(box->Controls(i))) {
            if (!text.empty()) text += "\n";
            text += label->Caption();
        }
    return text;
}

void AppTest::WriteCredentials(const std::string& bytes) {
    std::ofstream(kRememberedLoginFileName, std::ios::binary) << bytes;
}

bool AppTest::CredentialsExist() {
    return fs::exists(kRememberedLoginFileName);
}

std::string AppTest::ReadCredentials() {
    std::ifstream in(kRememberedLoginFileName, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string CountText(int n) {
    return "Count: " + std::to_string(n);
}

} // namespace apptest
