// A GET of a 10 MB body over loopback, like with like: the command line client (`brelvan-cli
// get -o`) and the curl command, both as whole processes writing the body to /dev/null, against
// the same server; the ratio of the two is printed at the end. HttpGetText in process is shown too,
// for what the call itself costs.

#include "platform/Socket.h"
#include "service/HttpClient.h"
#include "service/HttpInput.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr std::size_t kBodySize = 10 * 1024 * 1024;

// Serves the same 10 MB body to every GET, keep-alive, one thread per connection.
class BodyServer {
public:
    BodyServer() : m_body(kBodySize, 'b') {
        for (std::size_t i = 0; i < m_body.size(); i += 61) m_body[i] = '\n';
        m_listener.Listen("127.0.0.1", 0);
        m_acceptor = std::thread([this] {
            while (!m_stopping) {
                TcpSocket socket = m_listener.Accept(50);
                if (socket.IsOpen())
                    m_workers.emplace_back(
                        [this, s = std::move(socket)]() mutable { Serve(std::move(s)); });
            }
        });
    }
    ~BodyServer() {
        m_stopping = true;
        m_acceptor.join();
        for (std::thread& worker : m_workers) worker.join();
    }
    std::string Url() const {
        return "http://127.0.0.1:" + std::to_string(m_listener.Port()) + "/big";
    }

private:
    void Serve(TcpSocket socket) {
        THttpInput input(socket, 100);
        std::string line;
        while (!m_stopping) {
            THttpInput::Status status = input.ReadLine(line, 16384);
            if (status == THttpInput::Status::TimedOut) continue;
            if (status != THttpInput::Status::Ok) return;
            while (input.ReadLine(line, 16384) == THttpInput::Status::Ok && !line.empty()) {
            }
            std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                               "Content-Length: " +
                               std::to_string(m_body.size()) + "\r\n\r\n";
            if (!socket.SendAll(head.data(), head.size(), 5000) ||
                !socket.SendAll(m_body.data(), m_body.size(), 5000))
                return;
        }
    }

    std::string m_body;
    TcpListener m_listener;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptor;
    std::vector<std::thread> m_workers;
};

BodyServer& Server() {
    static BodyServer server;
    return server;
}

// A fresh client each time, so that connecting is part of the cost.
void BM_HttpGetText10MBInProcess(benchmark::State& state) {
    const std::string url = Server().Url();
    for (auto _ : state) {
        THttpClient client(nullptr);
        AnsiString body = client.HttpGetText(url);
        if (body.size() != kBodySize) state.SkipWithError("short body");
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}
BENCHMARK(BM_HttpGetText10MBInProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Runs a command with its output going to /dev/null; false when it cannot start or fails.
bool RunQuietly(const char* const* argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_HttpGetText10MB(benchmark::State& state) {
    const std::string url = Server().Url();
    const std::string client = BRELVAN_BINARY_DIR "/tools/brelvan-cli/brelvan-cli";
    const char* argv[] = {client.c_str(), "get", "-o", "/dev/null", url.c_str(), nullptr};
    for (auto _ : state)
        if (!RunQuietly(argv)) {
            state.SkipWithError("brelvan-cli failed");
            break;
        }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}
BENCHMARK(BM_HttpGetText10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_CurlCommand10MB(benchmark::State& state) {
    const std::string url = Server().Url();
    const char* argv[] = {"curl", "-s", "-o", "/dev/null", url.c_str(), nullptr};
    for (auto _ : state)
        if (!RunQuietly(argv)) {
            state.SkipWithError("the curl command is missing or failed");
            break;
        }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}
BENCHMARK(BM_CurlCommand10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Shows the runs as usual and keeps the real time per iteration of each repetition, by name;
// the ratio is taken between medians, so one disturbed repetition does not decide it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                m_seconds[run.benchmark_name()].push_back(run.real_accumulated_time /
                                                          static_cast<double>(run.iterations));
        ConsoleReporter::ReportRuns(runs);
    }
    double MedianSeconds(const std::string& name) const {
        auto it = m_seconds.find(name);
        if (it == m_seconds.end() || it->second.empty()) return 0;
        std::vector<double> times = it->second;
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }

private:
    std::map<std::string, std::vector<double>> m_seconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double client = reporter.MedianSeconds("BM_HttpGetText10MB/min_time:2.000/real_time");
    double curl = reporter.MedianSeconds("BM_CurlCommand10MB/min_time:2.000/real_time");
    if (client > 0 && curl > 0)
        std::printf("brelvan-cli get / curl, whole processes, same 10 MB body: %.2f (%.1f ms / "
                    "%.1f ms; goal 1.1 or less)\n",
                    client / curl, client * 1e3, curl * 1e3);
    benchmark::Shutdown();
    return 0;
}
