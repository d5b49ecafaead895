// The main window at 1, 2 and 3 device pixels to a point, on the headless display (the
// argument of each case is the scale):
// - FirstFrame: from an empty application to the window's first frame presented (form made,
//   skin faces loaded, both pages laid out); the first run of the process is the cold one
//   (counter cold_ms). Goal at 2x: under 120 ms for the whole program's start.
// - MatchPageRepaint: the match page holding 2,000 matches repainted whole (frame, both
//   pages' controls, the grid's visible rows); goal at 2x: at most 4.5 times the 1x figure.
// - ResidentMemory: this process's resident memory with the window logged in and holding
//   2,000 matches; run each scale in a process of its own
//   (--benchmark_filter='ResidentMemory/2'); goals 80 MB at 2x, 33.7 MB at 1x for the real
//   program (whose display libraries this headless process does not map).
// - LoginEdges: how sharp the LOGIN button's caption is: of the pixels the caption changes
//   (the button drawn with and without it), the share that are neither background nor full
//   text colour (coverage between 10 % and 90 %), at the scale and in the 1x picture (which
//   enlarged by whole pixels keeps its share). Lower is sharper.
// The demo service runs as a process of its own (tipsd) on loopback.
#include <benchmark/benchmark.h>

#include "app/Unit1.h"
#include "grid/NxGrid.h"
#include "platform/HeadlessDisplay.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinXFormButton.h"
#include "ui/Forms.h"
#include "ui/Snapshot.h"
#include "ui/WinApi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kTipsd = std::string(BRELVAN_BINARY_DIR) + "/tools/tipsd/tipsd";

fs::path WorkDir() {
    static fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "brelvan-scale-bench";
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

// The demo service with 2,000 matches, started once and ended with the process.
const std::string& DemoService() {
    static std::string host;
    static std::string pid;
    if (host.empty()) {
        const fs::path log = WorkDir() / "tipsd.log", pidFile = WorkDir() / "tipsd.pid";
        std::system(("(exec " + kTipsd + " --port 0 --matches 2000 2>" + log.string() +
                     ") & echo $! > " + pidFile.string())
                        .c_str());
        pid = ReadText(pidFile);
        while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' ')) pid.pop_back();
        std::atexit([] {
            if (!pid.empty()) std::system(("kill " + pid + " 2>/dev/null").c_str());
        });
        for (int i = 0; i < 200 && host.empty(); ++i) {
            const std::string text = ReadText(log);
            const std::size_t at = text.find("http://");
            if (at != std::string::npos)
                host = text.substr(at + 7, text.find('/', at + 7) - at - 7);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return host;
}

HeadlessDisplay* Start(int scale) {
    Application->Reset();
    auto* display = new HeadlessDisplay(1280, 1024, scale);
    SetDisplay(std::unique_ptr<Display>(display));
    Application->Initialize();
    return display;
}

void ClickOn(HeadlessDisplay& display, TControl* control) {
    const TPoint p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    display.Click(p.X, p.Y);
    Application->ProcessMessages();
}

// The window logged in to the demo service, holding its 2,000 matches; false when not.
bool LoggedIn(HeadlessDisplay& display) {
    setenv("BRELVAN_SERVICE", DemoService().c_str(), 1);
    setenv("NO_PROXY", "127.0.0.1", 1);
    fs::current_path(WorkDir());
    fs::remove(WorkDir() / "zov.log");
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages();
    ClickOn(display, Form1->loginedit);
    display.Type("demo");
    ClickOn(display, Form1->passedit);
    display.Type("demo");
    ClickOn(display, Form1->logb);
    const auto giveUp = Clock::now() + std::chrono::seconds(30);
    while (Form1->ServiceBusy() && Clock::now() < giveUp) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Application->ProcessMessages();
    return Form1->FG->RowCount() == 2000;
}

void FirstFrame(benchmark::State& state) {
    const int scale = int(state.range(0));
    double cold = -1;
    for (auto _ : state) {
        const auto start = Clock::now();
        HeadlessDisplay* display = Start(scale);
        Application->CreateForm(Form1);
        Form1->Show();
        Application->ProcessMessages();
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        if (cold < 0) cold = seconds;
        state.SetIterationTime(seconds);
        if (!display->FindWindow(Form1->DisplayWindow()) ||
            display->FindWindow(Form1->DisplayWindow())->presents == 0) {
            state.SkipWithError("no frame was presented");
            break;
        }
    }
    state.counters["cold_ms"] = cold * 1000;
    Application->Reset();
}
BENCHMARK(FirstFrame)
    ->DenseRange(1, 3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void MatchPageRepaint(benchmark::State& state) {
    const int scale = int(state.range(0));
    HeadlessDisplay* display = Start(scale);
    if (!LoggedIn(*display)) {
        state.SkipWithError("the login did not bring 2,000 matches");
        return;
    }
    for (auto _ : state) {
        RedrawWindow(Form1, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
        UpdateWindow(Form1);
    }
    Application->Reset();
}
BENCHMARK(MatchPageRepaint)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->MinTime(2.0);

long ResidentKilobytes() {
    std::istringstream in(ReadText("/proc/self/status"));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void ResidentMemory(benchmark::State& state) {
    const int scale = int(state.range(0));
    long kilobytes = -1;
    for (auto _ : state) {
        HeadlessDisplay* display = Start(scale);
        if (!LoggedIn(*display)) {
            state.SkipWithError("the login did not bring 2,000 matches");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        kilobytes = ResidentKilobytes();
        state.SetIterationTime(1);
    }
    state.counters["rss_MB"] = kilobytes / 1024.0;
    Application->Reset();
}
BENCHMARK(ResidentMemory)->DenseRange(1, 3)->UseManualTime()->Iterations(1);

// The share of the caption's pixels that are edges (partly covered), in the LOGIN button's
// device-resolution picture at `scale`.
double LoginEdgeShare(int scale) {
    Start(scale);
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages();
    TBitmap with, without;
    SnapshotControlDevice(Form1->logb, with);
    const AnsiString caption = Form1->logb->Caption();
    Form1->logb->SetCaption("");
    Application->ProcessMessages();
    SnapshotControlDevice(Form1->logb, without);
    Form1->logb->SetCaption(caption);
    Application->Reset();
    if (with.Empty() || with.Width() != without.Width() || with.Height() != without.Height())
        return -1;
    std::vector<int> difference;
    int most = 0;
    for (int y = 0; y < with.Height(); ++y)
        for (int x = 0; x < with.Width(); ++x) {
            const TPixel a = with.ScanLine(y)[x], b = without.ScanLine(y)[x];
            int d = 0;
            for (int shift = 0; shift < 24; shift += 8)
                d += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
            difference.push_back(d);
            most = std::max(most, d);
        }
    int text = 0, edges = 0;
    for (int d : difference) {
        if (d * 10 <= most) continue;
        ++text;
        edges += d * 10 < most * 9;
    }
    return text ? double(edges) / text : -1;
}

void LoginEdges(benchmark::State& state) {
    const int scale = int(state.range(0));
    double share = -1, plain = -1;
    for (auto _ : state) {
        share = LoginEdgeShare(scale);
        plain = LoginEdgeShare(1);
        state.SetIterationTime(1);
    }
    if (share < 0 || plain < 0) state.SkipWithError("the caption left no pixels");
    state.counters["edge_share"] = share;
    state.counters["edge_share_1x_enlarged"] = plain;
}
BENCHMARK(LoginEdges)->DenseRange(1, 3)->UseManualTime()->Iterations(1);

} // namespace
