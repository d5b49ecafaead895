// The version probe against a loopback peer: only the status counts.

#include "service/VersionProbe.h"
#include "LoopbackPeer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <thread>

namespace {

class VersionProbe : public ::testing::Test {
protected:
    // The probe honours the proxy settings of the environment; loopback never goes through one.
    void SetUp() override {
        setenv("NO_PROXY", "127.0.0.1,localhost", 1);
        setenv("no_proxy", "127.0.0.1,localhost", 1);
    }

    static LoopbackPeer::Handler Status(const std::string& status, const std::string& body = "x") {
        return LoopbackPeer::Answers({LoopbackPeer::Answer(status, {}, body)});
    }
};

TEST_F(VersionProbe, OnlyTwoHundredAndThreeHundredTwoPass) {
    struct Case {
        const char* status;
        bool available;
    } cases[] = {{"200 OK", true},         {"302 Found", true},  {"301 Moved", false},
                 {"404 Not Found", false}, {"500 Error", false}, {"2000 Odd", false},
                 {"20 Short", false}};
    for (const Case& c : cases) {
        LoopbackPeer peer(Status(c.status));
        EXPECT_EQ(CheckUrlAvailable(peer.Url("/refresh/brelvan3.3.txt"), 3000), c.available)
            << c.status;
    }
}

TEST_F(VersionProbe, SendsOneGetWithItsAgentAndNeverFollows) {
    LoopbackPeer peer(LoopbackPeer::Answers(
        {LoopbackPeer::Answer("302 Found", {"Location: /elsewhere"}, std::string(100000, 'b'))}));
    EXPECT_TRUE(CheckUrlAvailable(peer.Url("/refresh/brelvan3.3.txt"), 3000));
    auto requests = peer.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /refresh/brelvan3.3.txt HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(requests[0].find("User-Agent: InetURL:/1.0\r\n"), std::string::npos);
}

TEST_F(VersionProbe, DecidesOnTheHeadersWithoutWaitingForTheBody) {
    LoopbackPeer peer([](PeerConnection& c) {
        if (!c.ReadRequest()) return;
        c.Send("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
        c.WaitForClientClose(); // the body never comes
    });
    EXPECT_TRUE(CheckUrlAvailable(peer.Url("/refresh/brelvan3.3.txt"), 2000));
}

TEST_F(VersionProbe, SchemePrefixIsAddedOnlyWhenMissing) {
    LoopbackPeer peer(LoopbackPeer::Answers(
        {LoopbackPeer::Answer("200 OK", {}, ""), LoopbackPeer::Answer("200 OK", {}, "")}));
    const std::string hostAndPath = "127.0.0.1:" + std::to_string(peer.Port()) + "/v.txt";
    EXPECT_TRUE(CheckUrlAvailable(hostAndPath, 3000));
    EXPECT_TRUE(CheckUrlAvailable("HTTP://" + hostAndPath, 3000));
    EXPECT_EQ(peer.Requests().size(), 2u);
}

TEST_F(VersionProbe, FailuresGiveFalse) {
    TcpListener unused;
    ASSERT_TRUE(unused.Listen("127.0.0.1", 0));
    const int port = unused.Port();
    unused.Close();
    EXPECT_FALSE(CheckUrlAvailable("http://127.0.0.1:" + std::to_string(port) + "/", 3000));
    EXPECT_FALSE(CheckUrlAvailable("http://host.invalid/", 3000));

    LoopbackPeer silent([](PeerConnection& c) {
        c.ReadRequest();
        c.WaitForClientClose();
    });
    EXPECT_FALSE(CheckUrlAvailable(silent.Url("/"), 1000));
}

// The finer answer: a server that answered other than 200/302 no longer serves the version;
// a probe that reached no server says why, and neither counts as served.
TEST_F(VersionProbe, TellsNotServedFromUnreachable) {
    {
        LoopbackPeer peer(Status("404 Not Found"));
        TVersionProbeResult r = ProbeVersion(peer.Url("/refresh/brelvan3.3.txt"), 3000);
        EXPECT_EQ(r.Answer, TVersionProbeAnswer::NotServed);
        EXPECT_EQ(r.Status, "404");
    }
    {
        LoopbackPeer peer(Status("302 Found"));
        EXPECT_EQ(ProbeVersion(peer.Url("/"), 3000).Answer, TVersionProbeAnswer::Served);
    }
    TcpListener unused;
    ASSERT_TRUE(unused.Listen("127.0.0.1", 0));
    const int port = unused.Port();
    unused.Close();
    TVersionProbeResult refused = ProbeVersion("127.0.0.1:" + std::to_string(port) + "/", 3000);
    EXPECT_EQ(refused.Answer, TVersionProbeAnswer::Unreachable);
    EXPECT_FALSE(refused.Reason.empty());
    EXPECT_TRUE(refused.Status.empty());

    LoopbackPeer reset([](PeerConnection& c) {
        c.ReadRequest();
        c.Reset();
    });
    EXPECT_EQ(ProbeVersion(reset.Url("/"), 3000).Answer, TVersionProbeAnswer::Unreachable);

    LoopbackPeer silent([](PeerConnection& c) {
        c.ReadRequest();
        c.WaitForClientClose();
    });
    TVersionProbeResult timedOut = ProbeVersion(silent.Url("/"), 1000);
    EXPECT_EQ(timedOut.Answer, TVersionProbeAnswer::Unreachable);
    EXPECT_FALSE(timedOut.Reason.empty());
}

TEST(InternetApi, StatusBufferAndHandles) {
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    LoopbackPeer peer(LoopbackPeer::Answers({LoopbackPeer::Answer("404 Not Found", {}, "")}));
    HINTERNET session = InternetOpenA("agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    ASSERT_NE(session, nullptr);
    InternetSetTimeout(session, 3000);
    HINTERNET request =
        InternetOpenUrlA(session, peer.Url("/").c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    ASSERT_NE(request, nullptr);
    char small[3] = {'?', '?', '?'};
    DWORD length = sizeof small;
    EXPECT_FALSE(HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, small, &length, nullptr));
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(small[0], '?');
    char buffer[10] = {};
    length = sizeof buffer;
    ASSERT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, buffer, &length, nullptr));
    EXPECT_STREQ(buffer, "404");
    EXPECT_EQ(length, 3u);
    EXPECT_TRUE(InternetCloseHandle(request));
    EXPECT_TRUE(InternetCloseHandle(session));
    EXPECT_FALSE(InternetCloseHandle(nullptr));
}

} // namespace

namespace {

// Another thread ends a probe that waits for a silent server, or one not yet started.
TEST_F(VersionProbe, ACancelEndsTheProbeAsUnreachable) {
    LoopbackPeer peer([](PeerConnection& c) {
        c.ReadRequest(); // and never answers
        c.WaitForClientClose();
    });
    TVersionProbeCancel cancel;
    auto waiting = std::async(std::launch::async, [&] {
        return ProbeVersion(peer.Url("/refresh/brelvan3.3.txt"), 60000, &cancel);
    });
    while (peer.Requests().empty()) std::this_thread::yield();
    cancel.Cancel();
    const TVersionProbeResult result = waiting.get();
    EXPECT_EQ(result.Answer, TVersionProbeAnswer::Unreachable);
    EXPECT_EQ(result.Reason, "The request was cancelled");
    // Cancelled before it starts: no request at all.
    const std::size_t before = peer.Requests().size();
    EXPECT_EQ(ProbeVersion(peer.Url("/refresh/brelvan3.3.txt"), 60000, &cancel).Answer,
              TVersionProbeAnswer::Unreachable);
    EXPECT_EQ(peer.Requests().size(), before);
}

} // namespace
