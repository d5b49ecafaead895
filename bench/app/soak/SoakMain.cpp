// app_soak: the window's LOGIN path over and over in one running program, to show that
// nothing it holds grows with use. TForm1 on the headless display logs in against the demo
// service (a child tipsd on loopback) and loads its match list, CYCLES times; resident memory,
// open descriptors and threads are printed at the start and every EVERY cycles.
//
// Goals: resident memory grows less than 2 MB, and descriptors and threads not at all, from
// cycle EVERY to the end (the first cycles warm caches, pools and the service worker).
// Exit 0 when the goals are met, 1 when not, 2 on a usage error, 3 when a cycle failed.
#include "bench/HeadlessStart.h"

#include "app/Unit1.h"
#include "grid/NxGrid.h"
#include "platform/Process.h"
#include "platform/Socket.h"
#include "service/HttpClient.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "ui/Forms.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

struct Usage {
    long residentKb = -1;
    int descriptors = -1;
    int threads = -1;
};

long StatusField(const char* name) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(name);
    while (std::getline(in, line))
        if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':')
            return std::strtol(line.c_str() + length + 1, nullptr, 10);
    return -1;
}

Usage Measure() {
    Usage usage;
    usage.residentKb = StatusField("VmRSS");
    usage.threads = static_cast<int>(StatusField("Threads"));
    usage.descriptors = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++usage.descriptors;
    --usage.descriptors; // the iterator's own
    return usage;
}

void Print(int cycle, const Usage& usage, const Usage& start) {
    std::printf("%6d  %9.1f  %+8.1f  %5d  %+4d  %5d  %+4d\n", cycle, usage.residentKb / 1024.0,
                (usage.residentKb - start.residentKb) / 1024.0, usage.descriptors,
                usage.descriptors - start.descriptors, usage.threads,
                usage.threads - start.threads);
    std::fflush(stdout);
}

// A free port of loopback for the child service.
int FreePort() {
    TcpListener probe;
    if (!probe.Listen("127.0.0.1", 0)) return -1;
    return probe.Port();
}

bool WaitForService(const std::string& host) {
    THttpClient client(nullptr);
    client.SetTimeoutMs(1000);
    for (int i = 0; i < 100; ++i) {
        try {
            client.HttpGetText(("http://" + host + "/").c_str());
            return true;
        } catch (const Exception&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    return false;
}

// One LOGIN: the probe, the login and the match list, as the button starts them, until the
// last outcome has been taken and the grid painted.
bool LoginCycle(int matches) {
    Form1->logbClick(nullptr);
    Application->ProcessMessages();
    while (Form1->ServiceBusy()) Application->HandleMessage();
    Application->ProcessMessages();
    return Form1->FG->RowCount() == matches;
}

int ParseCount(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end && *end == '\0' && value > 0 && value <= 10000000 ? static_cast<int>(value) : -1;
}

} // namespace

int main(int argc, char** argv) {
    int cycles = 1000, matches = 2000, every = 100;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        int* target = arg == "--cycles"    ? &cycles
                      : arg == "--matches" ? &matches
                      : arg == "--every"   ? &every
                                           : nullptr;
        if (arg == "--help") {
            std::printf("usage: app_soak [--cycles N] [--matches N] [--every N]\n"
                        "LOGIN and the match list N times (default 1000, 2000 matches) in one\n"
                        "program; prints resident memory, descriptors and threads every N\n"
                        "cycles (default 100). Exit codes: 0 goals met, 1 goals missed,\n"
                        "2 usage error, 3 a cycle failed.\n");
            return 0;
        }
        if (!target || i + 1 >= argc || (*target = ParseCount(argv[++i])) < 0) {
            std::fprintf(stderr, "app_soak: bad argument %s (app_soak --help)\n", arg.c_str());
            return 2;
        }
    }

    const fs::path work =
        fs::temp_directory_path() / ("brelvan-soak-" + std::to_string(ProcessId()));
    fs::create_directories(work);
    fs::current_path(work); // the remembered login goes here, not into the source tree
    const int port = FreePort();
    const std::string host = "127.0.0.1:" + std::to_string(port);
    TChildProcess service;
    if (port <= 0 ||
        !service.Start({std::string(BRELVAN_BINARY_DIR) + "/tools/tipsd/tipsd", "--port",
                        std::to_string(port), "--matches", std::to_string(matches)}) ||
        !WaitForService(host)) {
        std::fprintf(stderr, "app_soak: the demo service did not start\n");
        return 3;
    }
    setenv("BRELVAN_SERVICE", host.c_str(), 1);
    setenv("NO_PROXY", "127.0.0.1", 1);

    StartHeadless();
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages();
    Form1->loginedit->SetText("demo");
    Form1->passedit->SetText("demo");

    std::printf(" cycle  rss_MB     growth    fds  grow  thrds grow\n");
    const Usage start = Measure();
    Print(0, start, start);
    Usage settled = start, last = start;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (!LoginCycle(matches)) {
            std::fprintf(stderr, "app_soak: cycle %d did not fill the grid (%d rows)\n", cycle,
                         Form1->FG->RowCount());
            return 3;
        }
        if (cycle % every == 0 || cycle == cycles) {
            last = Measure();
            Print(cycle, last, start);
            if (cycle == every) settled = last;
        }
    }
    Application->Reset();
    service.Stop();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);

    const double growthMb = (last.residentKb - settled.residentKb) / 1024.0;
    const int fdGrowth = last.descriptors - settled.descriptors;
    const int threadGrowth = last.threads - settled.threads;
    std::printf("after cycle %d: memory %+.2f MB (goal < 2), descriptors %+d, threads %+d "
                "(goal 0)\n",
                every, growthMb, fdGrowth, threadGrowth);
    return growthMb < 2.0 && fdGrowth <= 0 && threadGrowth <= 0 ? 0 : 1;
}
