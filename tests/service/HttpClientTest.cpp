// The HTTP client against a real peer on loopback: the bytes on the wire, the connection,
// cookies, redirects, bodies and broken servers.

#include "service/HttpClient.h"
#include "LoopbackPeer.h"
#include "service/HttpErrors.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace {

using Peer = LoopbackPeer;

std::string Ok(const std::string& body, std::vector<std::string> headers = {}) {
    return Peer::Answer("200 OK", headers, body);
}

// A client with a short time-out so that a broken case can never stall the suite.
struct Client {
    THttpClient http{nullptr};
    Client() { http.SetTimeoutMs(3000); }

    // Runs a call the way the window does: failures are caught, the holder keeps what it got.
    bool Get(const std::string& url, AnsiString& answer) {
        try {
            http.HttpGetText(url, answer);
            return true;
        } catch (const EHttpError&) {
            return false;
        }
    }
};

TEST(HttpClient, SendsExactlyTheRequestBytes) {
    Peer peer(Peer::Answers({Ok("a"), Ok("b")}));
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/login/brelvan.php?login=x&pass=y"), answer));
    EXPECT_EQ(answer, "a");
    const std::string host = "127.0.0.1:" + std::to_string(peer.Port());
    EXPECT_EQ(peer.Requests().at(0), "GET /login/brelvan.php?login=x&pass=y HTTP/1.1\r\n"
                                     "Content-Type: text/html\r\n"
                                     "Host: " +
                                         host +
                                         "\r\n"
                                         "Accept: text/html, */*\r\n"
                                         "User-Agent: Mozilla/3.0 (compatible; Brelvan Library)\r\n"
                                         "\r\n");
    // Backslashes become "/", a "#" cuts the query, blanks go out as they are.
    ASSERT_TRUE(client.Get(peer.Url("\\a\\b c.php?q=1#frag&pass=2"), answer));
    EXPECT_EQ(peer.Requests().at(1).substr(0, peer.Requests().at(1).find("\r\n")),
              "GET /a/b c.php?q=1 HTTP/1.1");
}

TEST(HttpClient, ReusesTheConnectionUntilTheServerAsksToClose) {
    Peer peer(Peer::Answers({Ok("1"), Ok("2", {"Connection: close"}), Ok("3"),
                             Ok("4", {"Proxy-Connection:  CLOSE "}), Ok("5")}));
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(peer.ConnectionCount(), 1);
    EXPECT_FALSE(client.http.Connected());
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(peer.ConnectionCount(), 2);
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "5");
    EXPECT_EQ(peer.ConnectionCount(), 3);
}

TEST(HttpClient, ConnectsAnewForAnotherHostAndKeepsCookiesPerHost) {
    Peer peer(Peer::Answers({Ok("1", {"Set-Cookie: sid=ip; Path=/"}), Ok("2"), Ok("3")}));
    Client client;
    AnsiString answer;
    const std::string port = std::to_string(peer.Port());
    ASSERT_TRUE(client.Get("http://127.0.0.1:" + port + "/", answer));
    ASSERT_TRUE(client.Get("http://localhost:" + port + "/", answer));
    EXPECT_EQ(peer.ConnectionCount(), 2);
    ASSERT_TRUE(client.Get("http://127.0.0.1:" + port + "/", answer));
    EXPECT_EQ(peer.ConnectionCount(), 3);
    auto requests = peer.Requests();
    EXPECT_EQ(requests[1].find("Cookie:"), std::string::npos); // not for another host
    EXPECT_NE(requests[1].find("Host: localhost:" + port + "\r\n"), std::string::npos);
    EXPECT_NE(requests[2].find("Cookie: sid=ip\r\n"), std::string::npos);
}

TEST(HttpClient, OpensANewConnectionWhenTheServerDroppedTheIdleOne) {
    std::promise<void> dropped;
    Peer peer([&dropped](PeerConnection& c) {
        if (!c.ReadRequest()) return;
        c.Send(Ok(c.Index() == 0 ? "first" : "second"));
        if (c.Index() == 0) { // closes without saying so
            c.Close();
            dropped.set_value();
            return;
        }
        c.WaitForClientClose();
    });
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    dropped.get_future().wait();
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "second");
    EXPECT_EQ(peer.ConnectionCount(), 2);
}

TEST(HttpClient, SendsCookiesBackAndDropsForeignOnes) {
    Peer peer(Peer::Answers(
        {Ok("1", {"Set-Cookie: sid=abc; Path=/", "Set-cookie: deep=1; path=/login/",
                  "Set-Cookie: other=x; Domain=.example.com", "Set-Cookie: empty=",
                  "Set-Cookie: safe=1; Secure", "Set-Cookie2: v2=\"q\"; Version=1; Path=/"}),
         Ok("2", {"Set-Cookie: sid=gone; Max-Age=0; Path=/"}), Ok("3")}));
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/login/brelvan.php?a=1"), answer));
    ASSERT_TRUE(client.Get(peer.Url("/login/brelvan.php?a=1"), answer));
    ASSERT_TRUE(client.Get(peer.Url("/other/x"), answer));
    auto requests = peer.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].find("Cookie:"), std::string::npos);
    // Longer paths first; no empty, secure or foreign cookie; the header sits after User-Agent.
    EXPECT_NE(requests[1].find("User-Agent: Mozilla/3.0 (compatible; Brelvan Library)\r\n"
                               "Cookie: deep=1; sid=abc; v2=\"q\"\r\n\r\n"),
              std::string::npos)
        << requests[1];
    // The second answer deleted sid; /other/ is outside deep's path.
    EXPECT_NE(requests[2].find("Cookie: v2=\"q\"\r\n"), std::string::npos) << requests[2];
}

TEST(HttpClient, RefusesRedirectsWithAnEmptyAnswer) {
    Peer peer(Peer::Answers({Peer::Answer("302 Found", {"Location: /elsewhere"}, "moved"),
                             Peer::Answer("200 OK", {"Location: /elsewhere"}, "page"),
                             Peer::Answer("301 Moved", {}, "gone"), Ok("after")}));
    Client client;
    for (int i = 0; i < 3; ++i) {
        AnsiString answer;
        EXPECT_FALSE(client.Get(peer.Url("/"), answer)) << i;
        EXPECT_EQ(answer, "") << i;
    }
    // Refused answers were read whole, so the connection carries the next request.
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "after");
    EXPECT_EQ(peer.ConnectionCount(), 1);
    EXPECT_EQ(peer.Requests().size(), 4u); // never a request for the new location
}

TEST(HttpClient, NonSuccessFailsAndLeavesTheHolderAlone) {
    Peer peer(Peer::Answers({Peer::Answer("404 Not Found", {}, "no such page"),
                             Peer::Answer("500 Oops", {}, ""), Peer::Answer("banana", {}, "x")}));
    Client client;
    AnsiString answer = "before";
    try {
        client.http.HttpGetText(peer.Url("/a"), answer);
        FAIL() << "a 404 must raise";
    } catch (const EHttpProtocolError& e) {
        EXPECT_EQ(e.StatusCode(), 404);
        EXPECT_EQ(e.StatusLine(), "HTTP/1.1 404 Not Found");
        EXPECT_EQ(e.Body(), "no such page");
    }
    EXPECT_EQ(answer, "before");
    EXPECT_FALSE(client.Get(peer.Url("/b"), answer));
    EXPECT_EQ(client.http.ResponseCode(), 500);
    EXPECT_FALSE(client.Get(peer.Url("/c"), answer));
    EXPECT_EQ(client.http.ResponseCode(), -1); // a status that is not a number
    EXPECT_EQ(answer, "before");
}

TEST(HttpClient, SkipsInterimContinueAnswers) {
    Peer peer(Peer::Answers({"HTTP/1.1 100 Continue\r\n\r\n" + Ok("real")}));
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "real");
    EXPECT_EQ(client.http.ResponseCode(), 200);
}

TEST(HttpClient, ReadsChunkedBodiesAndKeepsTheConnectionInStep) {
    Peer peer(Peer::Answers(
        {Peer::Answer("200 OK", {"Transfer-Encoding: Chunked"},
                      "5;ext=1\r\nhello\r\n1\r\n \r\nA\r\n0123456789\r\n0\r\nTrailer: x\r\n\r\n",
                      false),
         Ok("next")}));
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "hello 0123456789");
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "next");
    EXPECT_EQ(peer.ConnectionCount(), 1);
}

TEST(HttpClient, RejectsBadChunkSizesButKeepsWhatArrived) {
    for (const char* size : {"zz", "FFFFFFFFFFFFFFFFFF", ""}) {
        Peer peer(
            Peer::Answers({Peer::Answer("200 OK", {"Transfer-Encoding: chunked"},
                                        "3\r\nabc\r\n" + std::string(size) + "\r\n", false)}));
        Client client;
        AnsiString answer;
        EXPECT_FALSE(client.Get(peer.Url("/"), answer)) << size;
        EXPECT_EQ(answer, "abc") << size;
        EXPECT_FALSE(client.http.Connected());
    }
}

TEST(HttpClient, ReadsUntilCloseWithoutLengthOrChunks) {
    Peer peer([](PeerConnection& c) {
        if (!c.ReadRequest()) return;
        c.Send("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\nall of ");
        c.Send("it");
        c.Close();
    });
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "all of it");
    EXPECT_FALSE(client.http.Connected());
}

TEST(HttpClient, KeepsAPartialBodyAfterAResetOrAnEarlyClose) {
    Peer resetting([](PeerConnection& c) {
        if (!c.ReadRequest()) return;
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        c.Reset();
    });
    Client client;
    AnsiString answer;
    EXPECT_FALSE(client.Get(resetting.Url("/"), answer));
    EXPECT_EQ(answer, "partial");

    // An orderly close short of the length, even of an absurd one, ends the body quietly.
    Peer closing([](PeerConnection& c) {
        if (!c.ReadRequest()) return;
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 10737418240\r\n\r\nsome bytes");
        c.Close();
    });
    Client second;
    AnsiString shortAnswer;
    EXPECT_TRUE(second.Get(closing.Url("/"), shortAnswer));
    EXPECT_EQ(shortAnswer, "some bytes");
}

TEST(HttpClient, FailsWithoutAnswerWhenTheConnectionCannotCarryOne) {
    Client client;
    AnsiString answer;
    {
        TcpListener unused;
        ASSERT_TRUE(unused.Listen("127.0.0.1", 0));
        int port = unused.Port();
        unused.Close(); // nobody listens there now
        EXPECT_FALSE(client.Get("http://127.0.0.1:" + std::to_string(port) + "/", answer));
    }
    Peer silentClose([](PeerConnection& c) {
        if (c.ReadRequest()) c.Close();
    });
    EXPECT_FALSE(client.Get(silentClose.Url("/"), answer));
    EXPECT_FALSE(client.Get("ftp://127.0.0.1/", answer));
    EXPECT_FALSE(client.Get("http://127.0.0.1:99999/", answer));
    EXPECT_FALSE(client.Get(silentClose.Url("/a\r\nX-Injected: 1"), answer));
    EXPECT_EQ(answer, "");
}

TEST(HttpClient, EnforcesTheLineLimit) {
    const std::string fits(16384 - std::string("X-Long: ").size(), 'a');
    Peer peer(Peer::Answers({Ok("fine", {"X-Long: " + fits}), Ok("late", {"X-Long: " + fits + "a"}),
                             "HTTP/1.1 200 " + std::string(20000, 'O') + "\r\n\r\n"}));
    Client client;
    AnsiString answer;
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "fine");
    EXPECT_FALSE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "fine");
    EXPECT_FALSE(client.Get(peer.Url("/"), answer));
}

TEST(HttpClient, GivesUpOnEndlessHeaders) {
    Peer peer([](PeerConnection& c) {
        if (!c.ReadRequest()) return;
        c.Send("HTTP/1.1 200 OK\r\n");
        std::string lines;
        for (int i = 0; i < 1000; ++i) lines += "X-More: " + std::string(100, 'h') + "\r\n";
        for (int round = 0; round < 20 && !c.Index(); ++round) c.Send(lines); // 2 MB of headers
        c.WaitForClientClose();
    });
    Client client;
    AnsiString answer;
    EXPECT_FALSE(client.Get(peer.Url("/"), answer));
    EXPECT_FALSE(client.http.Connected());
}

TEST(HttpClient, TimesOutOnASilentServer) {
    Peer peer([](PeerConnection& c) {
        c.ReadRequest();
        c.WaitForClientClose();
    });
    Client client;
    client.http.SetTimeoutMs(150);
    AnsiString answer;
    try {
        client.http.HttpGetText(peer.Url("/"), answer);
        FAIL() << "a silent server must end the call";
    } catch (const EHttpError& e) {
        EXPECT_NE(std::string(e.Message()).find("timed out"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(client.http.Connected());
}

TEST(HttpClient, NoContentAndEmptyBodies) {
    Peer peer(Peer::Answers({Peer::Answer("204 No Content", {}, "", false), Ok(""), Ok("x")}));
    Client client;
    AnsiString answer = "old";
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "");
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    ASSERT_TRUE(client.Get(peer.Url("/"), answer));
    EXPECT_EQ(answer, "x");
    EXPECT_EQ(peer.ConnectionCount(), 1);
}

TEST(HttpClient, ReturnsBinaryBodiesByteForByte) {
    std::string body;
    for (int i = 0; i < 256; ++i) body += static_cast<char>(i);
    body += std::string(200000, '\0') + "\xC0\xFF end";
    Peer peer(Peer::Answers({Ok(body)}));
    Client client;
    EXPECT_EQ(client.http.HttpGetText(peer.Url("/")), body);
}

} // namespace

TEST(HttpClient, HttpGetHandsTheBodyOverAsItArrives) {
    const std::string big(300'000, 'z');
    Peer peer(Peer::Answers({Ok(big), Ok("second"), Peer::Answer("404 Not Found", {}, "no")}));
    Client client;
    std::string received;
    client.http.HttpGet(peer.Url("/a"), [&](std::string_view bytes) { received += bytes; });
    EXPECT_EQ(received, big);
    EXPECT_TRUE(client.http.Connected());

    // A sink that gives up ends the call and drops the half-read connection.
    EXPECT_THROW(
        client.http.HttpGet(peer.Url("/b"), [](std::string_view) { throw Exception("disk full"); }),
        Exception);
    EXPECT_FALSE(client.http.Connected());

    received.clear();
    EXPECT_THROW(client.http.HttpGet(peer.Url("/c"), [&](std::string_view b) { received += b; }),
                 EHttpProtocolError);
    EXPECT_EQ(received, ""); // a refused answer's body never reaches the sink
}

namespace {

// Another thread ends a request that waits for a silent server at once: the call fails as a
// lost connection would, not at its time limit, and the client serves the next request.
TEST(HttpClient, CancelFromAnotherThreadEndsAWaitingRequest) {
    Peer peer([](PeerConnection& c) {
        if (c.Index() == 0) {
            c.ReadRequest(); // and never answers
            c.WaitForClientClose();
            return;
        }
        while (c.ReadRequest()) c.Send(Ok("second"));
    });
    THttpClient http(nullptr);
    http.SetTimeoutMs(60000);
    auto waiting = std::async(std::launch::async, [&] {
        AnsiString answer;
        try {
            http.HttpGetText(peer.Url("/slow"), answer);
        } catch (const EHttpError& e) {
            return std::string(e.what());
        }
        return std::string("answered: ") + answer;
    });
    while (peer.Requests().empty()) std::this_thread::yield();
    http.Cancel();
    const std::string outcome = waiting.get();
    EXPECT_EQ(outcome.find("timed out"), std::string::npos) << outcome;
    EXPECT_EQ(outcome.find("answered"), std::string::npos) << outcome;
    EXPECT_EQ(http.HttpGetText(peer.Url("/next")), "second");
}

} // namespace
