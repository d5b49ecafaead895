// The login URL: login and password reach the service exactly as typed.

#include "service/ServiceUrls.h"
#include "LoopbackPeer.h"
#include "service/HttpClient.h"

#include <gtest/gtest.h>

namespace {

TEST(ServiceUrls, EncodesEverythingButUnreservedBytes) {
    EXPECT_EQ(PercentEncode("Az09-._~"), "Az09-._~");
    EXPECT_EQ(PercentEncode("a b&c?d#e\\f%+="), "a%20b%26c%3Fd%23e%5Cf%25%2B%3D");
    EXPECT_EQ(PercentEncode("\xCF\xE0\x00\xFF"), "%CF%E0"); // stops at the literal's zero
    EXPECT_EQ(PercentEncode(std::string("\xCF\x00\xFF", 3)), "%CF%00%FF");
    EXPECT_EQ(BuildLoginUrl("h:1", "demo", "p w"),
              "http://h:1/login/brelvan.php?login=demo&pass=p%20w");
    EXPECT_EQ(BuildVersionProbeUrl("h"), "http://h/refresh/brelvan3.3.txt");
    EXPECT_EQ(BuildDownloadPageUrl("h"),
              "http://h/index.php?option=com_content&view=article&id=3&Itemid=12");
}

TEST(ServiceUrls, ServiceHostIsHostAndOptionalPort) {
    AnsiString host, error;
    struct Good {
        const char* text;
        const char* host;
    } good[] = {{"tips.example", "tips.example"},    {"tips.example:8080", "tips.example:8080"},
                {"tips.example:80", "tips.example"}, {"HTTP://127.0.0.1:18080/", "127.0.0.1:18080"},
                {"localhost:1", "localhost:1"},      {"h:65535", "h:65535"}};
    for (const Good& g : good) {
        EXPECT_TRUE(ParseServiceHost(g.text, host, error)) << g.text << ": " << error;
        EXPECT_EQ(host, g.host);
    }
    host = "kept";
    for (const char* bad : {"", ":8080", "h:", "h:0", "h:65536", "h:12345678", "h:8o", "h/path",
                            "h:80/x", "user@h", "h?x", "a b", "h\t", "http://", "h:-1"}) {
        EXPECT_FALSE(ParseServiceHost(bad, host, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
        EXPECT_EQ(host, "kept") << bad;
    }
}

TEST(ServiceUrls, AwkwardPasswordsKeepTheRequestWhole) {
    LoopbackPeer peer(LoopbackPeer::Answers({LoopbackPeer::Answer("200 OK", {}, "ok")}));
    THttpClient client(nullptr);
    client.SetTimeoutMs(3000);
    const std::string host = "127.0.0.1:" + std::to_string(peer.Port());
    EXPECT_EQ(client.HttpGetText(BuildLoginUrl(host, "us er", "p&a?s#s\\w")), "ok");
    const std::string request = peer.Requests().at(0);
    EXPECT_EQ(request.substr(0, request.find("\r\n")),
              "GET /login/brelvan.php?login=us%20er&pass=p%26a%3Fs%23s%5Cw HTTP/1.1");
}

} // namespace
