// Scenes of the main window as a user sees it, against the demo service running in this
// process: "login" (the login page with a remembered login), "matches" (after LOGIN),
// "filter" (the panel open beside the narrowed grid), "filtered" (after OK) and
// "login-failed" (the refusal box over the window).

#include "app/Unit1.h"
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinXFormButton.h"
#include "tools/shots/Scene.h"
#include "tools/tipsd/MatchGenerator.h"
#include "tools/tipsd/TipsServer.h"
#include "ui/Forms.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The demo service, started once and kept for the life of the tool (its connections run on
// threads of their own).
const std::string& DemoServiceHost() {
    static std::string host;
    if (host.empty()) {
        TipsServerOptions options;
        options.port = 0;
        MatchListOptions list;
        list.matchCount = 60;
        options.answer = ComposeMatchListAnswer(list);
        auto* server = new TipsServer(options);
        std::string error;
        if (!server->Start(error)) throw std::runtime_error("demo service: " + error);
        std::thread([server] { server->Run(); }).detach();
        host = "127.0.0.1:" + std::to_string(server->Port());
    }
    return host;
}

HeadlessDisplay& Headless() {
    return dynamic_cast<HeadlessDisplay&>(CurrentDisplay());
}

// A working folder of the scene's own, so that the remembered login is the scene's.
struct SceneFolder {
    SceneFolder() : previous(fs::current_path()) {
        dir = fs::temp_directory_path() / "brelvan-shots";
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
    }
    ~SceneFolder() {
        fs::current_path(previous);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path previous, dir;
};

TForm1* OpenWindow() {
    setenv("BRELVAN_SERVICE", DemoServiceHost().c_str(), 1);
    setenv("NO_PROXY", "127.0.0.1", 1);
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages();
    return Form1;
}

void ClickOn(TControl* control) {
    const TPoint p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    Headless().Click(p.X, p.Y);
    Application->ProcessMessages();
}

void TypeInto(TControl* control, const std::string& text) {
    ClickOn(control);
    Headless().Type(text);
    Application->ProcessMessages();
}

// Every box that comes up is closed with OK; `onBox` sees it first.
void AnswerBoxes(std::function<void(TCustomForm*)> onBox = nullptr) {
    Application->OnIdle = [onBox](TObject*, bool&) {
        TCustomForm* active = Screen->ActiveForm();
        if (!active || active == Form1 || !active->Modal() || active->ModalResult() != mrNone)
            return;
        if (onBox) onBox(active);
        active->SetModalResult(mrOk);
    };
}

// LOGIN's requests run beside the window: pump until they have all come back.
void WaitForService(TForm1* form) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (form->ServiceBusy()) {
        Application->ProcessMessages();
        if (std::chrono::steady_clock::now() > giveUp)
            throw std::runtime_error("the demo service did not answer");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Application->ProcessMessages();
}

TForm1* LoggedIn() {
    TForm1* form = OpenWindow();
    AnswerBoxes();
    TypeInto(form->loginedit, "demo");
    TypeInto(form->passedit, "demo");
    ClickOn(form->logb);
    WaitForService(form);
    if (form->Page->ActivePageIndex() != 1) throw std::runtime_error("the demo login failed");
    return form;
}

void WriteWindow(TForm1* form, const std::string& path) {
    Application->ProcessMessages();
    WriteScreenPng(form->BoundsRect(), path);
}

void RenderLogin(const std::string& path) {
    SceneFolder folder;
    std::ofstream("zov.log", std::ios::binary) << "demo\r\ndemo\r\n";
    WriteWindow(OpenWindow(), path);
}

void RenderMatches(const std::string& path) {
    SceneFolder folder;
    WriteWindow(LoggedIn(), path);
}

void RenderFilter(const std::string& path) {
    SceneFolder folder;
    TForm1* form = LoggedIn();
    ClickOn(form->fi);
    WriteWindow(form, path);
}

void RenderFiltered(const std::string& path) {
    SceneFolder folder;
    TForm1* form = LoggedIn();
    ClickOn(form->fi);
    form->f[6]->SetValue(50); // a home win at least 50 per cent likely
    ClickOn(form->spSkinXFormButton3);
    WriteWindow(form, path);
}

void RenderLoginFailed(const std::string& path) {
    SceneFolder folder;
    TForm1* form = OpenWindow();
    bool written = false;
    AnswerBoxes([&](TCustomForm* box) {
        const TRect w = form->BoundsRect();
        const TRect b = box->BoundsRect();
        WriteScreenPng(Rect(std::min(w.Left, b.Left), std::min(w.Top, b.Top),
                            std::max(w.Right, b.Right), std::max(w.Bottom, b.Bottom)),
                       path);
        written = true;
    });
    TypeInto(form->loginedit, "demo");
    TypeInto(form->passedit, "wrong");
    ClickOn(form->logb);
    WaitForService(form);
    if (!written) throw std::runtime_error("no refusal box came up");
}

SceneRegistrar login("login", &RenderLogin);
SceneRegistrar matches("matches", &RenderMatches);
SceneRegistrar filterScene("filter", &RenderFilter);
SceneRegistrar filtered("filtered", &RenderFiltered);
SceneRegistrar loginFailed("login-failed", &RenderLoginFailed);

} // namespace
