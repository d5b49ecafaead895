// The answer reader on answers replayed from memory: the same bytes split every way give the
// same outcome, bodies are capped, and a flood of cookies stays bounded.

#include "service/HttpAnswer.h"
#include "service/HttpErrors.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr std::time_t kNow = 1'800'000'000;

struct Outcome {
    bool ok = false;
    AnsiString body;
    std::string error;
    THttpAnswerState state;
    std::size_t unread = 0;

    bool operator==(const Outcome& o) const {
        return ok == o.ok && body == o.body && error == o.error && state.code == o.state.code &&
               state.keepConnection == o.state.keepConnection && unread == o.unread;
    }
};

Outcome Replay(THttpSource& source, TCookieStore* cookies = nullptr,
               std::size_t maxBody = kMaxHttpBodySize) {
    TCookieStore own;
    THttpInput input(source, 1000);
    Outcome outcome;
    try {
        ReadHttpAnswer(input, cookies ? *cookies : own, SplitHttpUrl("http://h.example.com/a/b"),
                       kNow, outcome.body, outcome.state, maxBody);
        outcome.ok = true;
    } catch (const EHttpError& e) {
        outcome.error = e.Message();
    }
    outcome.unread = input.Buffered();
    return outcome;
}

Outcome Replay(std::string_view bytes, std::size_t pieceSize = 1 << 20,
               std::size_t maxBody = kMaxHttpBodySize) {
    THttpMemorySource source(bytes, pieceSize);
    return Replay(source, nullptr, maxBody);
}

// An answer head followed by a body of 'x', endless or of `bodySize` bytes.
class EndlessSource : public THttpSource {
public:
    explicit EndlessSource(std::string head, std::size_t bodySize = ~std::size_t(0))
        : m_head(std::move(head)), m_end(m_head.size() + std::min(bodySize, ~m_head.size())) {}
    long Receive(void* buffer, std::size_t size, int) override {
        size = std::min<std::size_t>({size, 1 << 20, m_end - m_sent});
        if (size == 0) return kSocketClosed;
        if (m_sent < m_head.size()) {
            size = std::min(size, m_head.size() - m_sent);
            std::memcpy(buffer, m_head.data() + m_sent, size);
        } else {
            std::memset(buffer, 'x', size);
        }
        m_sent += size;
        return static_cast<long>(size);
    }
    const std::string& LastError() const override { return m_error; }
    std::size_t Sent() const { return m_sent; }

private:
    std::string m_head;
    std::size_t m_end;
    std::size_t m_sent = 0;
    std::string m_error;
};

TEST(HttpAnswer, EverySplitOfTheBytesGivesTheSameOutcome) {
    const std::string answers[] = {
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3;x=1\r\nabc\r\n10\r\n"
        "0123456789abcdef\r\n0\r\nTrailer: 1\r\n\r\n",
        "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil the end",
        "HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nnope",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\nzz\r\n",
        "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nshort",
    };
    for (const std::string& answer : answers) {
        Outcome whole = Replay(answer);
        for (std::size_t piece : {1, 2, 3, 7, 64})
            EXPECT_TRUE(Replay(answer, piece) == whole) << answer << " in pieces of " << piece;
    }
    EXPECT_EQ(Replay(answers[0]).body, "hello");
    EXPECT_TRUE(Replay(answers[0]).state.keepConnection);
    EXPECT_EQ(Replay(answers[1]).body, "abc0123456789abcdef");
    EXPECT_EQ(Replay(answers[2]).body, "until the end");
    EXPECT_FALSE(Replay(answers[3]).ok);
    EXPECT_EQ(Replay(answers[4]).body, "abc");
    EXPECT_FALSE(Replay(answers[4]).ok);
    EXPECT_TRUE(Replay(answers[5]).ok); // a counted body cut short by the server is no failure
    EXPECT_EQ(Replay(answers[5]).body, "short");
}

TEST(HttpAnswer, BodiesStopAtTheSizeLimitAsALostConnectionWould) {
    // The real limit, on a body that has no length and never ends.
    EndlessSource endless("HTTP/1.1 200 OK\r\n\r\n");
    Outcome outcome = Replay(endless);
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.state.keepConnection);
    EXPECT_EQ(outcome.body.size(), kMaxHttpBodySize);
    EXPECT_LT(endless.Sent(), kMaxHttpBodySize + (2u << 20)); // nothing read far beyond it

    // Every kind of body, against a smaller limit.
    constexpr std::size_t kLimit = 300'000;
    for (const char* head :
         {"HTTP/1.1 200 OK\r\n\r\n", "HTTP/1.1 200 OK\r\nContent-Length: 200000000\r\n\r\n",
          "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10000000\r\n"}) {
        EndlessSource source(head);
        outcome = Replay(source, nullptr, kLimit);
        EXPECT_FALSE(outcome.ok) << head;
        EXPECT_FALSE(outcome.state.keepConnection);
        EXPECT_EQ(outcome.body.size(), kLimit) << head;
        EXPECT_EQ(outcome.body.find_first_not_of('x'), AnsiString::npos);
    }
    // A body of exactly the limit is whole, however it is delimited.
    const std::string body(kLimit, 'y');
    for (const std::string& answer :
         {"HTTP/1.1 200 OK\r\n\r\n" + body,
          "HTTP/1.1 200 OK\r\nContent-Length: 300000\r\n\r\n" + body,
          "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n493e0\r\n" + body +
              "\r\n0\r\n\r\n"}) {
        outcome = Replay(answer, 4096, kLimit);
        EXPECT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(outcome.body, body);
    }
}

TEST(HttpAnswer, ASinkTakesTheBodyWithoutALimit) {
    EndlessSource source("HTTP/1.1 200 OK\r\nContent-Length: 80000000\r\n\r\n", 80'000'000);
    THttpInput input(source, 1000);
    TCookieStore cookies;
    THttpAnswerState state;
    std::size_t received = 0;
    bool onlyX = true;
    ReadHttpAnswer(
        input, cookies, SplitHttpUrl("http://h/"), kNow,
        [&](std::string_view bytes) {
            received += bytes.size();
            onlyX = onlyX && bytes.find_first_not_of('x') == std::string_view::npos;
        },
        state);
    EXPECT_EQ(received, 80'000'000u);
    EXPECT_TRUE(onlyX);
    EXPECT_TRUE(state.keepConnection);
}

TEST(HttpAnswer, AFloodOfCookiesIsCappedPerDomainAndInAll) {
    // A megabyte of headers, 1,000 cookies to a line.
    std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n";
    for (int i = 0; i < 100'000; ++i)
        head += (i % 1000 ? ", c" : "Set-Cookie: c") + std::to_string(i) + "=1" +
                (i % 1000 == 999 ? "\r\n" : "");
    head += "\r\n";
    ASSERT_LT(head.size(), kMaxHttpHeaderBytes);
    THttpMemorySource source(head);
    TCookieStore cookies;
    Outcome outcome = Replay(source, &cookies);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    ASSERT_EQ(cookies.Count(), TCookieStore::kMaxPerDomain);
    // The newest ones stay, oldest first.
    EXPECT_EQ(cookies.Cookies().front().name, "c99950");
    EXPECT_EQ(cookies.Cookies().back().name, "c99999");
}

} // namespace
