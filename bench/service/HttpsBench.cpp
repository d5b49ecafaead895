// HTTPS against a local TLS server with a throwaway certificate, in interleaved rounds so that
// a busy moment of the machine weighs on both sides alike:
// - a GET of a 10 MB body by whole processes, `brelvan-cli get -o` against `curl -o`, both
//   verifying the certificate (goal: brelvan-cli no slower than 1.1 times curl);
// - the window's login and 2,000-match list (two requests on one client, parsed), over HTTPS
//   against the same over plain HTTP (goal: under 2 times; one handshake, kept alive).
// Each reports the medians of its rounds and their ratio as counters.

#include "platform/Process.h"
#include "platform/Socket.h"
#include "platform/TlsSession.h"
#include "service/HttpClient.h"
#include "service/HttpInput.h"
#include "service/MatchList.h"
#include "service/ServiceUrls.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A CA and a certificate for 127.0.0.1 made for this run; empty paths when openssl failed.
struct Certificates {
    std::string ca, cert, key;
};

const Certificates& MakeCertificates() {
    static const Certificates made = [] {
        Certificates c;
        const std::string dir = "/tmp/brelvan-https-bench-" + std::to_string(ProcessId());
        const std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes";
        const std::string script =
            "set -e; rm -rf " + dir + "; mkdir -p " + dir + "; cd " + dir + "; openssl req -x509" +
            key + " -keyout ca.key -out ca.crt -subj /CN=BenchCA -days 1" + "; openssl req" + key +
            " -keyout s.key -out s.csr -subj /CN=127.0.0.1" +
            "; echo subjectAltName=IP:127.0.0.1 > ext" +
            "; openssl x509 -req -in s.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 1 "
            "-extfile ext -out s.crt";
        if (RunShellCommand("(" + script + ") >/dev/null 2>&1").exitCode == 0)
            c = {dir + "/ca.crt", dir + "/s.crt", dir + "/s.key"};
        return c;
    }();
    return made;
}

// Answers every GET with the same body, keep-alive, over TLS when given credentials.
class BodyServer {
public:
    BodyServer(std::string body, const TTlsServerCredentials* credentials)
        : m_body(std::move(body)), m_credentials(credentials) {
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
    std::string Origin() const {
        return std::string(m_credentials ? "https" : "http") +
               "://127.0.0.1:" + std::to_string(m_listener.Port());
    }

private:
    void Serve(TcpSocket socket) {
        std::unique_ptr<TTlsSession> tls;
        std::optional<THttpInput> reader;
        if (m_credentials) {
            tls = std::make_unique<TTlsSession>(socket);
            if (!tls->Accept(*m_credentials, 5000)) return;
            reader.emplace(*tls, 100);
        } else {
            reader.emplace(socket, 100);
        }
        auto send = [&](const std::string& bytes) {
            return tls ? tls->SendAll(bytes.data(), bytes.size(), 5000)
                       : socket.SendAll(bytes.data(), bytes.size(), 5000);
        };
        THttpInput& input = *reader;
        std::string line;
        while (!m_stopping) {
            THttpInput::Status status = input.ReadLine(line, 16384);
            if (status == THttpInput::Status::TimedOut) continue;
            if (status != THttpInput::Status::Ok) break;
            while (input.ReadLine(line, 16384) == THttpInput::Status::Ok && !line.empty()) {
            }
            const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                                     "Content-Length: " +
                                     std::to_string(m_body.size()) + "\r\n\r\n";
            if (!send(head) || !send(m_body)) break;
        }
        if (tls) tls->Close();
    }

    std::string m_body;
    const TTlsServerCredentials* m_credentials;
    TcpListener m_listener;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptor;
    std::vector<std::thread> m_workers;
};

const TTlsServerCredentials* Credentials() {
    static const std::unique_ptr<TTlsServerCredentials> credentials = [] {
        auto loaded = std::make_unique<TTlsServerCredentials>();
        const Certificates& c = MakeCertificates();
        std::string error;
        if (c.cert.empty() || !loaded->Load(c.cert, c.key, error)) loaded.reset();
        return loaded;
    }();
    return credentials.get();
}

// Runs a command with its output going to /dev/null; the seconds it took, or -1 on failure.
double TimedRun(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void ReportPair(benchmark::State& state, const char* a, const std::vector<double>& aTimes,
                const char* b, const std::vector<double>& bTimes) {
    const double ma = Median(aTimes), mb = Median(bTimes);
    state.counters[std::string(a) + "_ms"] = ma * 1e3;
    state.counters[std::string(b) + "_ms"] = mb * 1e3;
    state.counters["ratio"] = mb > 0 ? ma / mb : 0;
}

void BM_Https10MBCliVsCurlInterleaved(benchmark::State& state) {
    const TTlsServerCredentials* credentials = Credentials();
    if (!credentials) {
        state.SkipWithError("no certificate: the openssl command failed");
        return;
    }
    std::string body(10 * 1024 * 1024, 'b');
    for (std::size_t i = 0; i < body.size(); i += 61) body[i] = '\n';
    BodyServer server(std::move(body), credentials);
    const std::string url = server.Origin() + "/big";
    const std::string ca = MakeCertificates().ca;
    setenv("SSL_CERT_FILE", ca.c_str(), 1);
    const std::vector<std::string> cli = {BRELVAN_BINARY_DIR "/tools/brelvan-cli/brelvan-cli",
                                          "get", "-o", "/dev/null", url};
    const std::vector<std::string> curl = {"curl", "-s", "--cacert", ca, "-o", "/dev/null", url};
    std::vector<double> cliTimes, curlTimes;
    for (auto _ : state) {
        // Alternate which goes first, so neither always meets a warmer cache.
        const bool cliFirst = cliTimes.size() % 2 == 0;
        const double first = TimedRun(cliFirst ? cli : curl);
        const double second = TimedRun(cliFirst ? curl : cli);
        if (first < 0 || second < 0) {
            state.SkipWithError("brelvan-cli or curl failed");
            break;
        }
        cliTimes.push_back(cliFirst ? first : second);
        curlTimes.push_back(cliFirst ? second : first);
    }
    unsetenv("SSL_CERT_FILE");
    ReportPair(state, "cli", cliTimes, "curl", curlTimes);
}
BENCHMARK(BM_Https10MBCliVsCurlInterleaved)->Unit(benchmark::kMillisecond)->Iterations(21);

// The answer to the login URL, with `matches` matches, as the service lays it out.
std::string MatchListAnswer(int matches) {
    std::string answer = "<PODPISKA>Gold 30 days</PODPISKA>\r\n";
    for (int i = 0; i < matches; ++i) {
        answer += "<match><id>" + std::to_string(4100000 + i) +
                  "</id><date>09.12.2026</date><time>" + std::to_string(10 + i % 14) +
                  ":30</time><home>Kingsbridge United " + std::to_string(i % 97) +
                  "</home><away>Ravensworth Athletic " + std::to_string(i % 89) +
                  "</away><liga>England.Premier League</liga><kf1>1." +
                  std::to_string(10 + i % 90) + "</kf1><kf2>3.40</kf2><kf3>5.10</kf3><p1>" +
                  std::to_string(i % 101) + "</p1><x>20</x><p2>" + std::to_string(i % 61) +
                  "</p2><t05>90</t05><t15>70</t15><t25>50</t25><oz>45</oz><count>" +
                  std::to_string(5 + i % 40) + "</count></match>\r\n";
    }
    return answer;
}

// One login as the window runs it: two requests of the login URL on a fresh client, each
// answer parsed. The seconds it took, or -1 when an answer was short.
double LoginAndList(const std::string& origin, std::size_t expectedMatches) {
    const auto start = Clock::now();
    THttpClient client(nullptr);
    const AnsiString url = origin + "/login/brelvan.php?login=demo&pass=demo";
    std::size_t total = 0;
    for (int request = 0; request < 2; ++request) {
        AnsiString answer = client.HttpGetText(url);
        int entries = 0;
        ParseMatchList(
            answer, [](const MatchEntry&) {}, &entries);
        total += static_cast<std::size_t>(entries);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return total == 2 * expectedMatches ? seconds : -1;
}

void BM_LoginAndList2000PlainVsHttpsInterleaved(benchmark::State& state) {
    const TTlsServerCredentials* credentials = Credentials();
    if (!credentials) {
        state.SkipWithError("no certificate: the openssl command failed");
        return;
    }
    const std::string answer = MatchListAnswer(2000);
    BodyServer plain(answer, nullptr), secure(answer, credentials);
    setenv("SSL_CERT_FILE", MakeCertificates().ca.c_str(), 1);
    std::vector<double> plainTimes, httpsTimes;
    for (auto _ : state) {
        const bool plainFirst = plainTimes.size() % 2 == 0;
        const double first = LoginAndList((plainFirst ? plain : secure).Origin(), 2000);
        const double second = LoginAndList((plainFirst ? secure : plain).Origin(), 2000);
        if (first < 0 || second < 0) {
            state.SkipWithError("a short answer");
            break;
        }
        plainTimes.push_back(plainFirst ? first : second);
        httpsTimes.push_back(plainFirst ? second : first);
    }
    unsetenv("SSL_CERT_FILE");
    ReportPair(state, "https", httpsTimes, "plain", plainTimes);
}
BENCHMARK(BM_LoginAndList2000PlainVsHttpsInterleaved)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(41);

} // namespace
