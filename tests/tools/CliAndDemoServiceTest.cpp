// The command-line client and the demo service, run as the programs they are.

#include "DemoService.h"
#include "LoopbackPeer.h"
#include "TestCertificates.h"
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

const std::string kCli = std::string(BRELVAN_BINARY_DIR) + "/tools/brelvan-cli/brelvan-cli";
const std::string kTipsd = TipsdPath();

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

// Runs the command line client with a short time-out; stderr is dropped, or kept after stdout.
ToolRun Cli(const std::vector<std::string>& args, const std::string& input = "",
            bool withStderr = false) {
    std::string command = Quote(kCli) + " --timeout 5000";
    if (!args.empty() && args[0] == "parse") command = Quote(kCli);
    for (const std::string& arg : args) command += " " + Quote(arg);
    std::string inputFile;
    if (!input.empty() || (args.size() == 1 && args[0] == "parse")) {
        inputFile = ::testing::TempDir() + "cli_input.txt";
        std::ofstream(inputFile, std::ios::binary) << input;
        command += " < " + Quote(inputFile);
    }
    command += withStderr ? " 2>&1" : " 2>/dev/null";
    const TCommandResult result = RunShellCommand(command);
    ToolRun run;
    run.exitCode = result.exitCode;
    run.out = result.output;
    return run;
}

bool ToolsBuilt() {
    return std::ifstream(kCli).good() && std::ifstream(kTipsd).good();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class Tools : public ::testing::Test {
protected:
    void SetUp() override {
        if (!ToolsBuilt()) GTEST_SKIP() << "brelvan-cli and tipsd are not built";
        setenv("NO_PROXY", "127.0.0.1,localhost", 1);
        setenv("no_proxy", "127.0.0.1,localhost", 1);
    }
};

std::string Element(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
}

TEST_F(Tools, GetPrintsEachAnswerWithItsLength) {
    LoopbackPeer peer(LoopbackPeer::Answers({LoopbackPeer::Answer("200 OK", {}, "ab\ncd"),
                                             LoopbackPeer::Answer("404 Not Found", {}, "nope"),
                                             LoopbackPeer::Answer("200 OK", {}, "")}));
    ToolRun run = Cli({"get", peer.Url("/1"), peer.Url("/2"), peer.Url("/3")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "#1 ok 5\nab\ncd\n#2 failed 0\n\n#3 ok 0\n\n");
    EXPECT_EQ(peer.ConnectionCount(), 1); // one client object, one kept-alive connection
}

TEST_F(Tools, GetWritesOneBodyToAFile) {
    LoopbackPeer peer(LoopbackPeer::Answers({LoopbackPeer::Answer("200 OK", {}, "body\r\nbytes"),
                                             LoopbackPeer::Answer("500 Oops", {}, "no")}));
    const std::string file = ::testing::TempDir() + "get_body.bin";
    ToolRun run = Cli({"get", "-o", file, peer.Url("/1")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "body\r\nbytes");
    EXPECT_EQ(Cli({"get", "-o", file, peer.Url("/2")}).exitCode, 5);
    EXPECT_EQ(Cli({"get", "-o", "/nonexistent-dir/x", peer.Url("/3")}).exitCode, 5);
}

TEST_F(Tools, ParseEscapesAndKeepsBytes) {
    std::string answer = "<PODPISKA>Gold\t1</PODPISKA><match>" + Element("id", "a\\b") +
                         Element("home", "\xCC\xEE\xF1\xEA\xE2\xE0") + Element("time", "1\r\n2") +
                         Element("kf1", " 1.5 ") + "</match>";
    ToolRun run = Cli({"parse"}, answer);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "PODPISKA\tGold\\t1\n"
              "a\\\\b\t\t1\\r\\n2\t\xCC\xEE\xF1\xEA\xE2\xE0\t\t\t1,5\t\t\t\t\t\t\t\t\t\t\n");
    std::string file = ::testing::TempDir() + "answer.txt";
    std::ofstream(file, std::ios::binary) << answer;
    EXPECT_EQ(Cli({"parse", file}).out, run.out);
    EXPECT_EQ(Cli({"parse", file + ".missing"}).exitCode, 1);
}

TEST_F(Tools, MatchesRunsTheLoginExchange) {
    const std::string list = "<PODPISKA>\xC4\xE5\xEC\xEE</PODPISKA><match>" + Element("id", "9") +
                             Element("home", "\xCC\xEE\xF1\xEA\xE2\xE0") +
                             Element("away", "Say \"hi\"") + Element("kf1", "1.85") + "</match>";
    LoopbackPeer peer(LoopbackPeer::Answers({LoopbackPeer::Answer("200 OK", {}, "3.3"),
                                             LoopbackPeer::Answer("200 OK", {}, list),
                                             LoopbackPeer::Answer("200 OK", {}, list)}));
    const std::string host = "127.0.0.1:" + std::to_string(peer.Port());
    ToolRun run = Cli({"matches", host, "demo", "p&ss"});
    EXPECT_EQ(run.exitCode, 0);
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0], "id,date,time,home,away,liga,kf1,kf2,kf3,p1,x,p2,t05,t15,t25,oz,count");
    EXPECT_EQ(lines[1], "9,,,Москва,\"Say \"\"hi\"\"\",,\"1,85\",,,,,,,,,,");
    auto requests = peer.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("GET /refresh/brelvan3.3.txt ", 0), 0u);
    EXPECT_EQ(requests[1].rfind("GET /login/brelvan.php?login=demo&pass=p%26ss HTTP/1.1", 0), 0u);
    EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n")),
              requests[2].substr(0, requests[2].find("\r\n")));
}

TEST_F(Tools, MatchesExitCodesForRefusals) {
    auto ok = [](const std::string& body) { return LoopbackPeer::Answer("200 OK", {}, body); };
    {
        LoopbackPeer peer(LoopbackPeer::Answers({LoopbackPeer::Answer("404 Not Found", {}, "")}));
        EXPECT_EQ(Cli({"matches", "127.0.0.1:" + std::to_string(peer.Port()), "a", "b"}).exitCode,
                  2);
    }
    {
        LoopbackPeer peer(LoopbackPeer::Answers({ok("3.3"), ok("Login Failed")}));
        ToolRun run = Cli({"matches", "127.0.0.1:" + std::to_string(peer.Port()), "a", "b"});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_EQ(peer.Requests().size(), 2u); // the match list is never asked for
    }
    {
        LoopbackPeer peer(
            LoopbackPeer::Answers({ok("3.3"), ok("<PODPISKA>s</PODPISKA>"), ok("Failed")}));
        EXPECT_EQ(Cli({"matches", "127.0.0.1:" + std::to_string(peer.Port()), "a", "b"}).exitCode,
                  4);
    }
}

TEST_F(Tools, MatchesTakesTheHostWithOrWithoutSchemeAndSlashAndRefusesOtherForms) {
    auto ok = [](const std::string& body) { return LoopbackPeer::Answer("200 OK", {}, body); };
    for (const char* form : {"http://127.0.0.1:%d", "127.0.0.1:%d/", "HTTP://127.0.0.1:%d/"}) {
        LoopbackPeer peer(LoopbackPeer::Answers(
            {ok("3.3"), ok("<PODPISKA>s</PODPISKA>"), ok("<PODPISKA>s</PODPISKA>")}));
        char host[64];
        std::snprintf(host, sizeof host, form, peer.Port());
        ToolRun run = Cli({"matches", host, "a", "b"});
        EXPECT_EQ(run.exitCode, 0) << host;
        const std::vector<std::string> requests = peer.Requests();
        ASSERT_EQ(requests.size(), 3u) << host;
        EXPECT_EQ(requests[0].rfind("GET /refresh/brelvan3.3.txt HTTP/1.1\r\n", 0), 0u);
        EXPECT_EQ(requests[1].rfind("GET /login/brelvan.php?login=a&pass=b HTTP/1.1\r\n", 0), 0u);
    }
    LoopbackPeer untouched(LoopbackPeer::Answers({ok("3.3")}));
    const std::string port = std::to_string(untouched.Port());
    for (const std::string& bad :
         std::vector<std::string>{"ftp://127.0.0.1:" + port, "127.0.0.1:" + port + "/x",
                                  "127.0.0.1:99999", "http://", "127.0.0.1:" + port + "//"}) {
        ToolRun run = Cli({"matches", bad, "a", "b"});
        EXPECT_EQ(run.exitCode, 1) << bad; // the documented usage error
        EXPECT_EQ(run.out, "") << bad;
    }
    EXPECT_EQ(untouched.Requests().size(), 0u);
}

TEST_F(Tools, MatchesSendsTheLoginInCodePage1251AndRefusesWhatItCannotHold) {
    auto ok = [](const std::string& body) { return LoopbackPeer::Answer("200 OK", {}, body); };
    setenv("LC_ALL", "C.UTF-8", 1);
    {
        LoopbackPeer peer(LoopbackPeer::Answers({ok("3.3"), ok("Login Failed")}));
        const std::string host = "127.0.0.1:" + std::to_string(peer.Port());
        // "демо" and "пароль№" typed on a UTF-8 terminal.
        EXPECT_EQ(Cli({"matches", host, "\xD0\xB4\xD0\xB5\xD0\xBC\xD0\xBE",
                       "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C\xE2\x84\x96"})
                      .exitCode,
                  3);
        const std::vector<std::string> requests = peer.Requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1].rfind("GET /login/brelvan.php?login=%E4%E5%EC%EE"
                                    "&pass=%EF%E0%F0%EE%EB%FC%B9 HTTP/1.1\r\n",
                                    0),
                  0u)
            << requests[1];
    }
    {
        LoopbackPeer peer(LoopbackPeer::Answers({ok("3.3")}));
        const std::string host = "127.0.0.1:" + std::to_string(peer.Port());
        EXPECT_EQ(Cli({"matches", host, "demo", "\xE6\x97\xA5"}).exitCode, 1); // a CJK character
        EXPECT_EQ(Cli({"matches", host, "\xFF", "demo"}).exitCode, 1);         // no UTF-8 at all
        EXPECT_EQ(peer.Requests().size(), 0u);
    }
    unsetenv("LC_ALL");
}

std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += '"', ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

double Odds(const std::string& text) {
    std::string copy = text;
    std::replace(copy.begin(), copy.end(), ',', '.');
    return std::stod(copy);
}

TEST_F(Tools, DemoServiceServesAPlausibleMatchList) {
    DemoService service({"--matches", "60", "--seed", "5"});
    ToolRun run = Cli({"matches", service.Host(), "demo", "demo"});
    ASSERT_EQ(run.exitCode, 0);
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 61u);
    int highlighted = 0, certain = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> f = CsvFields(lines[i]);
        ASSERT_EQ(f.size(), 17u) << lines[i];
        SCOPED_TRACE(lines[i]);
        EXPECT_NE(f[5].find('.'), std::string::npos); // a country part for the flag
        int p1 = std::stoi(f[9]), x = std::stoi(f[10]), p2 = std::stoi(f[11]);
        int t05 = std::stoi(f[12]), t15 = std::stoi(f[13]), t25 = std::stoi(f[14]);
        EXPECT_EQ(p1 + x + p2, 100);
        EXPECT_GE(t05, t15);
        EXPECT_GE(t15, t25);
        // The likelier outcome has the shorter odds.
        if (p1 > p2 + 1) {
            EXPECT_LT(Odds(f[6]), Odds(f[8]));
        }
        if (p2 > p1 + 1) {
            EXPECT_LT(Odds(f[8]), Odds(f[6]));
        }
        if (i > 1) {
            EXPECT_LE(CsvFields(lines[i - 1])[2], f[2]); // kick-offs in order
        }
        highlighted += p1 > 60 || x > 50 || p2 > 60 || t05 > 90 || t15 > 80 || t25 > 70;
        certain += p1 == 100 || t05 == 100 || std::stoi(f[15]) == 100;
    }
    EXPECT_GT(highlighted, 0);
    EXPECT_GT(certain, 0);
    // The same seed gives the same list.
    EXPECT_EQ(Cli({"matches", service.Host(), "demo", "demo"}).out, run.out);
    EXPECT_EQ(Cli({"matches", service.Host(), "demo", "wrong"}).exitCode, 3);
}

TEST_F(Tools, DemoServiceOptions) {
    std::string file = ::testing::TempDir() + "odd_answer.txt";
    std::ofstream(file, std::ios::binary) << "<PODPISKA>odd</PODPISKA><match><home>h</match>";
    DemoService fromFile({"--answer", file});
    ToolRun run = Cli({"matches", fromFile.Host(), "any", "one"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Lines(run.out).size(), 2u);
    ToolRun pages = Cli(
        {"get", "http://" + fromFile.Host() + "/",
         "http://" + fromFile.Host() + "/index.php?option=com_content&view=article&id=3&Itemid=12",
         "http://" + fromFile.Host() + "/missing"});
    EXPECT_NE(pages.out.find("#1 ok"), std::string::npos);
    EXPECT_NE(pages.out.find("#2 ok"), std::string::npos);
    EXPECT_NE(pages.out.find("#3 failed 0"), std::string::npos);

    DemoService outdated({"--outdated"});
    EXPECT_EQ(Cli({"matches", outdated.Host(), "demo", "demo"}).exitCode, 2);
    EXPECT_EQ(Cli({"probe", "http://" + outdated.Host() + "/refresh/brelvan3.3.txt"}).out,
              "false\n");
    EXPECT_EQ(Cli({"probe", fromFile.Host() + "/refresh/brelvan3.3.txt"}).out, "true\n");
}

TEST_F(Tools, MatchesOverHttpsWithAPrivateCaAndRefusesWithoutIt) {
    std::string why;
    const TestCertificates* certificates = MakeTestCertificates(why);
    ASSERT_NE(certificates, nullptr) << why;
    DemoService plain({"--matches", "12", "--seed", "9"});
    DemoService secure({"--matches", "12", "--seed", "9", "--tls-cert", certificates->goodCert,
                        "--tls-key", certificates->key});
    const std::string address = "https://" + secure.Host();
    {
        ScopedEnvironment trust("SSL_CERT_FILE", certificates->caFile.c_str());
        ToolRun run = Cli({"matches", address, "demo", "demo"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(Lines(run.out).size(), 13u);
        // The same answers as over plain HTTP.
        EXPECT_EQ(run.out, Cli({"matches", plain.Host(), "demo", "demo"}).out);
        EXPECT_EQ(Cli({"matches", address, "demo", "wrong"}).exitCode, 3);
        // Plain HTTP to the TLS port is no way in either.
        EXPECT_EQ(Cli({"matches", "http://" + secure.Host(), "demo", "demo"}).exitCode, 5);
    }
    for (const char* trusted :
         {certificates->otherCaFile.c_str(), static_cast<const char*>(nullptr)}) {
        ScopedEnvironment trust("SSL_CERT_FILE", trusted);
        ToolRun run = Cli({"matches", address, "demo", "demo"}, "", true);
        EXPECT_EQ(run.exitCode, 5);
        EXPECT_EQ(run.out.rfind("The tips service's certificate is not trusted: ", 0), 0u)
            << run.out;
        EXPECT_EQ(run.out.find("id,date"), std::string::npos);
    }
}

TEST_F(Tools, DemoServiceTakesACertificateAndItsKeyTogether) {
    std::string why;
    const TestCertificates* certificates = MakeTestCertificates(why);
    ASSERT_NE(certificates, nullptr) << why;
    auto tipsd = [](const std::string& args) {
        return RunShellCommand(Quote(kTipsd) + " --port 0 " + args + " 2>&1");
    };
    EXPECT_EQ(tipsd("--tls-cert " + Quote(certificates->goodCert)).exitCode, 2);
    EXPECT_EQ(tipsd("--tls-key " + Quote(certificates->key)).exitCode, 2);
    TCommandResult missing = tipsd("--tls-cert /nonexistent.crt --tls-key /nonexistent.key");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("nonexistent.crt"), std::string::npos) << missing.output;
    // A key that is not the certificate's.
    std::string otherKey = certificates->folder + "/other-ca.key";
    TCommandResult mismatch =
        tipsd("--tls-cert " + Quote(certificates->goodCert) + " --tls-key " + Quote(otherKey));
    EXPECT_EQ(mismatch.exitCode, 1);
    EXPECT_NE(mismatch.output.find("cannot use the key " + otherKey), std::string::npos)
        << mismatch.output;
}

TEST_F(Tools, MatchesOverHttpsAtAnIpv6Address) {
    TcpListener probe;
    if (!probe.Listen("::1", 0)) GTEST_SKIP() << "no IPv6 loopback here";
    const int port = probe.Port();
    probe.Close();
    std::string why;
    const TestCertificates* certificates = MakeTestCertificates(why);
    ASSERT_NE(certificates, nullptr) << why;
    TChildProcess tipsd;
    ASSERT_TRUE(
        tipsd.Start({kTipsd, "--bind", "::1", "--port", std::to_string(port), "--matches", "3",
                     "--tls-cert", certificates->goodCert, "--tls-key", certificates->key}));
    for (int i = 0; i < 300; ++i) { // until it listens
        TcpSocket socket;
        if (socket.Connect("::1", port, 1000)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ScopedEnvironment trust("SSL_CERT_FILE", certificates->caFile.c_str());
    ToolRun run = Cli({"matches", "https://[::1]:" + std::to_string(port), "demo", "demo"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Lines(run.out).size(), 4u);
}

} // namespace
