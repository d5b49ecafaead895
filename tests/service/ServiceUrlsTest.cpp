// The login URL: login and password reach the service exactly as typed.

#include "service/ServiceUrls.h"
#include "LoopbackPeer.h"
#include "service/HttpClient.h"
#include "service/HttpUrl.h"

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
    } good[] = {{"tips.example", "tips.example"},
                {"tips.example:8080", "tips.example:8080"},
                {"tips.example:80", "tips.example"},
                {"HTTP://127.0.0.1:18080/", "127.0.0.1:18080"},
                {"localhost:1", "localhost:1"},
                {"h:65535", "h:65535"},
                {"https://tips.example", "https://tips.example"},
                {"HTTPS://tips.example:443/", "https://tips.example"},
                {"https://tips.example:80", "https://tips.example:80"},
                {"http://tips.example:443", "tips.example:443"},
                {"[::1]:18080", "[::1]:18080"},
                {"https://[2001:db8::1]:8443/", "https://[2001:db8::1]:8443"},
                {"https://[::ffff:127.0.0.1]", "https://[::ffff:127.0.0.1]"}};
    for (const Good& g : good) {
        EXPECT_TRUE(ParseServiceHost(g.text, host, error)) << g.text << ": " << error;
        EXPECT_EQ(host, g.host);
    }
    host = "kept";
    for (const char* bad : {"",
                            ":8080",
                            "h:",
                            "h:0",
                            "h:65536",
                            "h:12345678",
                            "h:8o",
                            "h/path",
                            "h:80/x",
                            "user@h",
                            "h?x",
                            "a b",
                            "h\t",
                            "http://",
                            "h:-1",
                            "ftp://h",
                            "https://",
                            "https://h/x",
                            "https://http://h",
                            "::1",
                            "[::1",
                            "[]:80",
                            "[::1]x",
                            "[g::1]",
                            "[1.2.3.4]",
                            "h]:80",
                            "https://user@h"}) {
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

TEST(ServiceUrls, EveryAddressTakesTheServiceScheme) {
    // The plain form is the wire as it always was; the https form reaches every address.
    EXPECT_EQ(BuildVersionProbeUrl("h:8080"), "http://h:8080/refresh/brelvan3.3.txt");
    EXPECT_EQ(BuildVersionProbeUrl("https://h"), "https://h/refresh/brelvan3.3.txt");
    EXPECT_EQ(BuildLoginUrl("https://[::1]:8443", "a b", "p"),
              "https://[::1]:8443/login/brelvan.php?login=a%20b&pass=p");
    EXPECT_EQ(BuildDownloadPageUrl("https://h:8443"),
              "https://h:8443/index.php?option=com_content&view=article&id=3&Itemid=12");
    EXPECT_EQ(BuildSiteHomeUrl("https://h"), "https://h/");
    EXPECT_EQ(BuildSiteHomeUrl("h"), "http://h/");
    // What the window shows for the site: the address as the user knows it, no scheme.
    EXPECT_EQ(ServiceHostLabel("https://tips.example:8443"), "tips.example:8443");
    EXPECT_EQ(ServiceHostLabel("127.0.0.1:18080"), "127.0.0.1:18080");
    // What the client makes of those URLs.
    const THttpUrl login = SplitHttpUrl(BuildLoginUrl("https://[::1]:8443", "a", "b"));
    EXPECT_TRUE(login.IsHttps());
    EXPECT_EQ(login.host, "[::1]");
    EXPECT_EQ(login.port, 8443);
    EXPECT_EQ(SplitHttpUrl(BuildVersionProbeUrl("https://h")).port, 443);
}
