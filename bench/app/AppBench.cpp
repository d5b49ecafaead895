// The program as a whole:
// - StartToFirstPaint: the real program started as a process on a virtual X screen until it
//   says that its window's first frame is presented (skin inflated, every component made,
//   both pages laid out); goal 100 ms. shell_ms: what the shell that starts it costs alone.
// - LoginToPaintedGrid: LOGIN pressed in the real window on the headless display against the
//   demo service (a process of its own on loopback, 2,000 matches) until the grid is painted:
//   the probe and both requests included; goal 50 ms.
// - ResidentMemory: the real program on the virtual X screen, logged in through its window
//   with the mouse and keyboard (xdotool), holding 2,000 matches; its resident memory as the
//   system counts it; goal 45 MB.
// The whole-process cases need Xvfb and xdotool (scripts/install-deps.sh) and skip without.
#include <benchmark/benchmark.h>

#include "bench/HeadlessStart.h"

#include "app/Unit1.h"
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinXFormButton.h"
#include "ui/Forms.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kBuild = BRELVAN_BINARY_DIR;
const std::string kBrelvan = kBuild + "/app/brelvan";
const std::string kTipsd = kBuild + "/tools/tipsd/tipsd";

fs::path WorkDir() {
    static fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "brelvan-app-bench";
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// A background process started through the shell (the command ends in an exec, so that the
// id is the program's own); ended by that id.
class Background {
public:
    Background(const std::string& command, const std::string& name) {
        const fs::path pidFile = WorkDir() / (name + ".pid");
        fs::remove(pidFile);
        Run("(" + command + ") & echo $! > " + pidFile.string());
        m_pid = ReadText(pidFile);
        while (!m_pid.empty() && (m_pid.back() == '\n' || m_pid.back() == ' ')) m_pid.pop_back();
    }
    ~Background() { Stop(); }
    void Stop() {
        if (!m_pid.empty()) Run("kill " + m_pid + " 2>/dev/null; wait " + m_pid + " 2>/dev/null");
        m_pid.clear();
    }
    const std::string& Pid() const { return m_pid; }

private:
    std::string m_pid;
};

bool Have(const char* tool) {
    return Run(std::string("command -v ") + tool + " >/dev/null 2>&1");
}

// A virtual X screen of 1280 x 1024 for the process, started once.
const std::string& VirtualScreen() {
    static std::string display;
    static std::unique_ptr<Background> server;
    if (display.empty() && Have("Xvfb")) {
        const fs::path out = WorkDir() / "display";
        fs::remove(out);
        // -noreset: a desktop's server keeps running between programs (its window manager
        // stays connected), while a bare virtual server starts itself over whenever its
        // last client leaves, and the next program started would wait for that.
        server = std::make_unique<Background>("exec Xvfb -displayfd 3 -screen 0 1280x1024x24 "
                                              "-nolisten tcp -noreset 3>" +
                                                  out.string() + " 2>/dev/null",
                                              "xvfb");
        for (int i = 0; i < 100 && ReadText(out).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::string number = ReadText(out);
        if (!number.empty()) display = ":" + number.substr(0, number.find('\n'));
    }
    return display;
}

// The demo service with 2,000 matches, started once; returns its host:port.
const std::string& DemoService() {
    static std::string host;
    static std::unique_ptr<Background> server;
    if (host.empty()) {
        const fs::path log = WorkDir() / "tipsd.log";
        server = std::make_unique<Background>(
            "exec " + kTipsd + " --port 0 --matches 2000 2>" + log.string(), "tipsd");
        for (int i = 0; i < 100; ++i) {
            const std::string text = ReadText(log);
            const std::size_t at = text.find("http://");
            if (at != std::string::npos) {
                host = text.substr(at + 7, text.find('/', at + 7) - at - 7);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return host;
}

void StartToFirstPaint(benchmark::State& state) {
    const std::string& display = VirtualScreen();
    if (display.empty()) {
        state.SkipWithError("Xvfb is not installed");
        return;
    }
    const std::string command = "cd " + WorkDir().string() + " && DISPLAY=" + display +
                                " BRELVAN_SERVICE=127.0.0.1:1 " + kBrelvan + " --startup-only";
    double shellSeconds = 0;
    for (auto _ : state) {
        // Timed until the program says its first frame is presented; its teardown after
        // that line is not part of the start.
        const auto start = Clock::now();
        FILE* out = popen(command.c_str(), "r");
        char line[64] = {};
        const bool presented = out && std::fgets(line, sizeof line, out) &&
                               std::string(line).rfind("first frame presented", 0) == 0;
        const auto end = Clock::now();
        const int status = out ? pclose(out) : -1;
        if (!presented || status != 0) {
            state.SkipWithError("brelvan --startup-only failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    // What the shell that starts it costs by itself, for comparison.
    const auto start = Clock::now();
    for (int i = 0; i < 10; ++i) Run("true");
    shellSeconds = std::chrono::duration<double>(Clock::now() - start).count() / 10;
    state.counters["shell_ms"] = shellSeconds * 1000;
}
BENCHMARK(StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void ClickOn(HeadlessDisplay& display, TControl* control) {
    const TPoint p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    display.Click(p.X, p.Y);
    Application->ProcessMessages();
}

void LoginToPaintedGrid(benchmark::State& state) {
    const std::string& host = DemoService();
    if (host.empty()) {
        state.SkipWithError("the demo service did not start");
        return;
    }
    setenv("BRELVAN_SERVICE", host.c_str(), 1);
    setenv("NO_PROXY", "127.0.0.1", 1);
    fs::current_path(WorkDir());
    HeadlessDisplay* display = StartHeadless();
    for (auto _ : state) {
        state.PauseTiming();
        Application->Reset();
        Application->CreateForm(Form1);
        Form1->Show();
        Application->ProcessMessages();
        ClickOn(*display, Form1->loginedit);
        display->Type("demo");
        ClickOn(*display, Form1->passedit);
        display->Type("demo");
        Application->ProcessMessages();
        const TPoint p = Form1->logb->ClientToScreen({20, 10});
        state.ResumeTiming();
        display->Click(p.X, p.Y);
        // LOGIN's requests run beside the window; the grid is painted and presented when the
        // last one's outcome has been taken.
        Application->ProcessMessages();
        while (Form1->ServiceBusy()) Application->HandleMessage();
        Application->ProcessMessages();
        state.PauseTiming();
        if (Form1->FG->RowCount() != 2000) {
            state.SkipWithError("the grid did not fill");
            return;
        }
        state.ResumeTiming();
    }
    Application->Reset();
}
BENCHMARK(LoginToPaintedGrid)->Unit(benchmark::kMillisecond)->Iterations(30);

// Where LOGIN, the login box and the password box are, in window pixels, as the headless
// window lays them out: the real window is laid out by the same code.
struct LoginSpots {
    TPoint login, password, button;
};
LoginSpots FindLoginSpots() {
    StartHeadless();
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages();
    auto spot = [](TControl* c) {
        const TPoint p = c->ClientToScreen({c->Width() / 2, c->Height() / 2});
        return TPoint{p.X - Form1->Left(), p.Y - Form1->Top()};
    };
    LoginSpots spots{spot(Form1->loginedit), spot(Form1->passedit), spot(Form1->logb)};
    Application->Reset();
    return spots;
}

long ResidentKilobytes(const std::string& pid) {
    std::istringstream in(ReadText("/proc/" + pid + "/status"));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void ResidentMemory(benchmark::State& state) {
    const std::string& display = VirtualScreen();
    const std::string& host = DemoService();
    if (display.empty() || !Have("xdotool") || host.empty()) {
        state.SkipWithError("needs Xvfb, xdotool and the demo service");
        return;
    }
    const LoginSpots spots = FindLoginSpots();
    // Through env, so that the same prefix also works after timeout.
    const std::string x = "env DISPLAY=" + display + " xdotool ";
    long kilobytes = -1;
    for (auto _ : state) {
        fs::remove(WorkDir() / "zov.log");
        Background app("cd " + WorkDir().string() + " && DISPLAY=" + display +
                           " BRELVAN_SERVICE=" + host + " exec " + kBrelvan,
                       "brelvan");
        const fs::path windowFile = WorkDir() / "window";
        Run("timeout 20 " + x + "search --sync --onlyvisible --name '^Brelvan$' | head -n 1 > " +
            windowFile.string());
        std::string window = ReadText(windowFile);
        window = window.substr(0, window.find('\n'));
        if (window.empty()) {
            state.SkipWithError("the window did not appear");
            return;
        }
        auto clickAt = [&](TPoint p) {
            Run(x + "mousemove --window " + window + " " + std::to_string(p.X) + " " +
                std::to_string(p.Y) + " click 1");
        };
        clickAt(spots.login);
        Run(x + "type --delay 5 demo");
        clickAt(spots.password);
        Run(x + "type --delay 5 demo");
        clickAt(spots.button);
        // The caption changes at an accepted login; the list follows in the same click.
        if (!Run("timeout 20 " + x + "search --sync --name '^Brelvan [(]' >/dev/null")) {
            state.SkipWithError("the login did not go through");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        kilobytes = ResidentKilobytes(app.Pid());
        state.SetIterationTime(1);
    }
    state.counters["rss_MB"] = kilobytes / 1024.0;
}
BENCHMARK(ResidentMemory)->UseManualTime()->Iterations(1);

} // namespace
