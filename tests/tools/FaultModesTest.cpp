// The demo service's fault modes, each met by the program's own HTTP client: every fault ends
// in the error a user would be shown (or in the right answer, for a fault that only slows),
// never in a hang past the client's time limit and never in a crash. The service runs as the
// program it is (tools/tipsd), with --fault.
#include "DemoService.h"
#include "service/HttpClient.h"
#include "service/HttpErrors.h"
#include "service/MatchList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kClientLimitMs = 3000;
// What `huge` sends, as --help promises: a 100 MB answer.
constexpr long long kHugeBodyBytes = 100ll * 1024 * 1024;

// A demo service of 50 matches with the faults of `modes` (none when empty).
class FaultyService : public DemoService {
public:
    explicit FaultyService(const std::string& modes, int seed = 7)
        : DemoService(Options(modes, seed)) {
        EXPECT_TRUE(Listening()) << "tipsd --fault " << modes << " did not start";
    }
    std::string LoginUrl() const { return Url("/login/brelvan.php?login=demo&pass=demo"); }

private:
    static std::vector<std::string> Options(const std::string& modes, int seed) {
        std::vector<std::string> options = {"--matches", "50", "--seed", std::to_string(seed)};
        if (!modes.empty()) options.insert(options.end(), {"--fault", modes});
        return options;
    }
};

int EntriesIn(const std::string& answer) {
    int count = 0;
    ParseMatchList(answer, [&](const MatchEntry&) { ++count; });
    return count;
}

// What a GET of `url` ends in: the body, or the error it raised.
struct Outcome {
    bool ok = false;
    bool protocolError = false;
    int status = -1;
    std::string body;
    std::string error;
};

Outcome Get(const std::string& url) {
    THttpClient client(nullptr);
    client.SetTimeoutMs(kClientLimitMs);
    Outcome outcome;
    AnsiString body;
    try {
        client.HttpGetText(url.c_str(), body);
        outcome.ok = true;
    } catch (const EHttpProtocolError& e) {
        outcome.protocolError = true;
        outcome.status = e.StatusCode();
        outcome.error = e.Message();
    } catch (const EHttpError& e) {
        outcome.error = e.Message();
    }
    outcome.body = body;
    return outcome;
}

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

TEST(FaultModesTest, TakesEveryModeAndRefusesBadOnesOnOneLine) {
    FaultyService all("stall,slow=500,reset-after=10,truncate,garbage,huge,latency=20,"
                      "status=503@/login/,status=404");
    EXPECT_TRUE(all.Listening());

    for (const char* bad :
         {"", "stall,", "jam", "slow", "slow=0", "slow=fast", "reset-after=-1", "latency=x",
          "status=99", "status=abc", "status=500@login", "status=500@", "stall=1", "huge=2"}) {
        const TCommandResult run =
            RunShellCommand(Quote(TipsdPath()) + " --port 0 --fault " + Quote(bad) + " 2>&1");
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.output.find("tipsd: "), std::string::npos) << bad << ": " << run.output;
        EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << bad << ": " << run.output;
    }
}

// The answer of a service without faults, to compare with.
std::string CleanAnswer() {
    FaultyService clean("");
    return Get(clean.LoginUrl()).body;
}

TEST(FaultModesTest, SlowAndLateAnswersArriveWhole) {
    const std::string clean = CleanAnswer();
    for (const char* modes : {"latency=300", "slow=200000", "slow=200000,latency=100"}) {
        FaultyService service(modes);
        Outcome outcome = Get(service.LoginUrl());
        ASSERT_TRUE(outcome.ok) << modes << ": " << outcome.error;
        EXPECT_EQ(outcome.body, clean) << modes;
        EXPECT_EQ(EntriesIn(outcome.body), 50) << modes;
    }
}

TEST(FaultModesTest, StallEndsInTheClientsTimeLimit) {
    FaultyService service("stall");
    Outcome outcome = Get(service.LoginUrl());
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.protocolError);
    EXPECT_FALSE(outcome.error.empty());
    EXPECT_TRUE(outcome.body.empty());
}

TEST(FaultModesTest, CutAnswersKeepOnlyWhatArrived) {
    const std::string clean = CleanAnswer();
    // Cut inside the head: no answer at all.
    for (const char* modes : {"reset-after=20", "reset-after=0", "reset-after=20,slow=100000"}) {
        FaultyService service(modes);
        Outcome outcome = Get(service.LoginUrl());
        EXPECT_FALSE(outcome.ok) << modes;
        EXPECT_FALSE(outcome.protocolError) << modes;
        EXPECT_FALSE(outcome.error.empty()) << modes;
        EXPECT_TRUE(outcome.body.empty()) << modes;
    }
    // Cut inside the body: the client takes an orderly close as the end of a counted body, so
    // what arrived is the answer, a beginning of the real one, and it holds fewer matches.
    for (const char* modes : {"reset-after=2000", "reset-after=3000,latency=50"}) {
        FaultyService service(modes);
        Outcome outcome = Get(service.LoginUrl());
        ASSERT_TRUE(outcome.ok) << modes << ": " << outcome.error;
        EXPECT_LT(outcome.body.size(), clean.size()) << modes;
        EXPECT_EQ(clean.compare(0, outcome.body.size(), outcome.body), 0) << modes;
        EXPECT_LT(EntriesIn(outcome.body), 50) << modes;
    }
    // A length that lies: the whole body arrives, then the close, and nothing else is read.
    for (const char* modes : {"truncate", "truncate,slow=500000"}) {
        FaultyService service(modes);
        Outcome outcome = Get(service.LoginUrl());
        ASSERT_TRUE(outcome.ok) << modes << ": " << outcome.error;
        EXPECT_EQ(outcome.body, clean) << modes;
    }
}

TEST(FaultModesTest, GarbageIsSeededAndReadsAsNoMatches) {
    std::string first, second, other;
    {
        FaultyService service("garbage", 11);
        Outcome outcome = Get(service.LoginUrl());
        ASSERT_TRUE(outcome.ok) << outcome.error;
        first = outcome.body;
        // Every answer of the service is garbage, the version marker's too.
        Outcome marker = Get(service.Url("/refresh/brelvan3.3.txt"));
        ASSERT_TRUE(marker.ok) << marker.error;
        EXPECT_NE(marker.body, "3.3\r\n");
    }
    {
        FaultyService service("garbage", 11);
        second = Get(service.LoginUrl()).body;
    }
    {
        FaultyService service("garbage", 12);
        other = Get(service.LoginUrl()).body;
    }
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    EXPECT_EQ(EntriesIn(first), 0);
}

TEST(FaultModesTest, StatusFaultsHitOnlyTheirPaths) {
    FaultyService service("status=503@/login/,status=404@/refresh/");
    Outcome login = Get(service.LoginUrl());
    EXPECT_TRUE(login.protocolError);
    EXPECT_EQ(login.status, 503);
    Outcome marker = Get(service.Url("/refresh/brelvan3.3.txt"));
    EXPECT_TRUE(marker.protocolError);
    EXPECT_EQ(marker.status, 404);
    Outcome home = Get(service.Url("/"));
    EXPECT_TRUE(home.ok) << home.error;

    FaultyService everything("status=500");
    EXPECT_EQ(Get(everything.Url("/")).status, 500);
    EXPECT_EQ(Get(everything.LoginUrl()).status, 500);
}

TEST(FaultModesTest, HugeAnswerIsRefusedByTheTextClientAndStreamsWhole) {
    FaultyService service("huge");
    Outcome outcome = Get(service.LoginUrl());
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.error.empty());

    // A client that streams takes all of it, and the size is the one announced.
    THttpClient client(nullptr);
    client.SetTimeoutMs(kClientLimitMs * 10);
    long long received = 0;
    client.HttpGet(service.LoginUrl().c_str(),
                   [&](std::string_view bytes) { received += (long long)bytes.size(); });
    EXPECT_EQ(received, kHugeBodyBytes);
}

} // namespace
