// The cookie store's domain, path, expiry and ordering rules.

#include "service/CookieStore.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr std::time_t kNow = 1'800'000'000;

TEST(CookieStore, DomainMustFitTheSender) {
    EXPECT_TRUE(TCookieStore::DomainFitsSender("www.example.com", "WWW.Example.com"));
    EXPECT_FALSE(TCookieStore::DomainFitsSender("example.com", "www.example.com"));
    EXPECT_TRUE(TCookieStore::DomainFitsSender(".example.com", "www.example.com"));
    EXPECT_FALSE(TCookieStore::DomainFitsSender(".example.com", "a.www.example.com"));
    EXPECT_FALSE(TCookieStore::DomainFitsSender(".com", "localhost"));
    EXPECT_TRUE(TCookieStore::DomainFitsSender("127.0.0.1", "127.0.0.1"));
    EXPECT_FALSE(TCookieStore::DomainFitsSender(".0.0.1", "127.0.0.1"));
}

TEST(CookieStore, CookiesGoOnlyToTheirDomain) {
    EXPECT_TRUE(TCookieStore::DomainMatchesRequest(".example.com", "www.EXAMPLE.com"));
    EXPECT_TRUE(TCookieStore::DomainMatchesRequest("example.com", "a.example.com"));
    EXPECT_FALSE(TCookieStore::DomainMatchesRequest("a.com", "evila.com"));
    EXPECT_FALSE(TCookieStore::DomainMatchesRequest("127.0.0.1", "127.0.0.10"));
    EXPECT_FALSE(TCookieStore::DomainMatchesRequest(".example.com", "example.com"));
}

TEST(CookieStore, StoresWithDefaultsAndDropsForeignDomains) {
    TCookieStore store;
    store.AddFromHeader("a=1", false, "www.example.com", "/login/brelvan.php", kNow);
    store.AddFromHeader("b=2; Domain=.example.com; Path=/", false, "www.example.com", "/x", kNow);
    store.AddFromHeader("c=3; Domain=other.com", false, "www.example.com", "/", kNow);
    store.AddFromHeader("d=4; domain=.example.com", false, "example.com", "/", kNow);
    ASSERT_EQ(store.Cookies().size(), 2u);
    EXPECT_EQ(store.Cookies()[0].domain, "www.example.com");
    EXPECT_EQ(store.Cookies()[0].path, "/login");
    EXPECT_EQ(store.CookieHeader("www.example.com", "/login/brelvan.php"), "a=1; b=2");
    EXPECT_EQ(store.CookieHeader("www.example.com", "/index.php"), "b=2");
    EXPECT_EQ(store.CookieHeader("mail.example.com", "/login/x"), "b=2");
}

TEST(CookieStore, OrdersByPathAndSkipsEmptyAndSecure) {
    TCookieStore store;
    const AnsiString host = "h";
    store.AddFromHeader("root=r; Path=/", false, host, "/", kNow);
    store.AddFromHeader("deep=d; Path=/a/b", false, host, "/", kNow);
    store.AddFromHeader("mid=m; Path=/a", false, host, "/", kNow);
    store.AddFromHeader("blank=; Path=/", false, host, "/", kNow);
    store.AddFromHeader("s=1; Path=/; Secure", false, host, "/", kNow);
    EXPECT_EQ(store.CookieHeader(host, "/a/b/c.php"), "deep=d; mid=m; root=r");
    EXPECT_EQ(store.CookieHeader(host, "/a"), "mid=m; root=r");
    // A cookie with the same name, domain and path replaces the stored one in place.
    store.AddFromHeader("mid=new; Path=/a", false, host, "/", kNow);
    EXPECT_EQ(store.CookieHeader(host, "/a"), "mid=new; root=r");
}

TEST(CookieStore, ExpiryByMaxAgeAndDate) {
    TCookieStore store;
    store.AddFromHeader("keep=1; Path=/; Expires=Wed, 09 Jun 2038 10:18:14 GMT", false, "h", "/",
                        kNow);
    store.AddFromHeader("old=1; Path=/; expires=Sunday, 06-Nov-94 08:49:37 GMT", false, "h", "/",
                        kNow);
    store.AddFromHeader("brief=1; Path=/; Max-Age=60", false, "h", "/", kNow);
    store.AddFromHeader("gone=1; Path=/; Max-Age=0", false, "h", "/", kNow);
    store.RemoveExpired(kNow);
    EXPECT_EQ(store.CookieHeader("h", "/"), "keep=1; brief=1");
    store.RemoveExpired(kNow + 61);
    EXPECT_EQ(store.CookieHeader("h", "/"), "keep=1");
    // Max-Age wins over Expires whatever their order.
    store.AddFromHeader("both=1; Max-Age=0; Expires=Wed, 09 Jun 2038 10:18:14 GMT", false, "h", "/",
                        kNow);
    store.RemoveExpired(kNow);
    EXPECT_EQ(store.Cookies().size(), 1u);
}

TEST(CookieStore, SeveralCookiesInOneHeader) {
    TCookieStore store;
    store.AddFromHeader("a=1; Version=1; Path=\"/\", b=\"two, words\"; Version=1; Path=/", true,
                        "h", "/", kNow);
    store.AddFromHeader("c=3; expires=Thu, 01 Jan 2037 00:00:00 GMT, d=4; Path=/", false, "h", "/",
                        kNow);
    EXPECT_EQ(store.CookieHeader("h", "/"), "a=1; b=\"two, words\"; c=3; d=4");
    EXPECT_EQ(store.Cookies()[0].version, 1);
    EXPECT_TRUE(store.Cookies()[2].hasExpiry);
}

TEST(ParseCookieDate, TheThreeDateForms) {
    std::time_t t = 0;
    ASSERT_TRUE(ParseCookieDate("Sun, 06 Nov 1994 08:49:37 GMT", t));
    EXPECT_EQ(t, 784111777);
    ASSERT_TRUE(ParseCookieDate("Sunday, 06-Nov-94 08:49:37 GMT", t));
    EXPECT_EQ(t, 784111777);
    ASSERT_TRUE(ParseCookieDate("Sun Nov  6 08:49:37 1994", t));
    EXPECT_EQ(t, 784111777);
    EXPECT_FALSE(ParseCookieDate("tomorrow", t));
    EXPECT_FALSE(ParseCookieDate("Sun, 32 Nov 1994 08:49:37 GMT", t));
}

} // namespace

namespace {

TEST(CookieStore, OldestGoFirstPerDomainAndInAll) {
    TCookieStore store;
    for (int i = 0; i < 60; ++i)
        store.AddFromHeader("n" + std::to_string(i) + "=v", false, "a.example.com", "/", kNow);
    ASSERT_EQ(store.Count(), TCookieStore::kMaxPerDomain);
    EXPECT_EQ(store.Cookies().front().name, "n10");
    // A replaced cookie keeps its age: the oldest is still the next to go.
    store.AddFromHeader("n10=new", false, "A.EXAMPLE.COM", "/", kNow);
    EXPECT_EQ(store.Cookies().front().value, "new");
    store.AddFromHeader("n60=v", false, "a.example.com", "/", kNow);
    EXPECT_EQ(store.Cookies().front().name, "n11");
    EXPECT_EQ(store.Count(), TCookieStore::kMaxPerDomain);

    // Many domains: the total is capped, the oldest of all giving way.
    TCookieStore many;
    for (int d = 0; d < 100; ++d)
        for (int i = 0; i < 40; ++i)
            many.AddFromHeader("n" + std::to_string(i) + "=v", false,
                               "host" + std::to_string(d) + ".example.com", "/", kNow);
    ASSERT_EQ(many.Count(), TCookieStore::kMaxCookies);
    EXPECT_EQ(many.Cookies().front().domain, "host25.example.com");
    EXPECT_EQ(many.CookieHeader("host0.example.com", "/"), "");
    AnsiString header = many.CookieHeader("host99.example.com", "/");
    EXPECT_EQ(std::count(header.begin(), header.end(), '='), 40);
}

TEST(CookieStore, OversizedCookiesAreNotKeptAndExpiryKeepsTheIndex) {
    TCookieStore store;
    store.AddFromHeader("big=" + std::string(TCookieStore::kMaxCookieBytes, 'v'), false, "h", "/",
                        kNow);
    store.AddFromHeader("fits=" + std::string(TCookieStore::kMaxCookieBytes - 4, 'v'), false, "h",
                        "/", kNow);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.Cookies()[0].name, "fits");

    // Cookies removed on expiry leave no stale index behind: the same name is stored anew.
    store.AddFromHeader("brief=1; Max-Age=10", false, "h", "/", kNow);
    store.RemoveExpired(kNow + 11);
    EXPECT_EQ(store.Count(), 1u);
    store.AddFromHeader("brief=2", false, "h", "/", kNow);
    EXPECT_EQ(store.CookieHeader("h", "/"), "fits=" + std::string(4092, 'v') + "; brief=2");
    store.Clear();
    store.AddFromHeader("brief=3", false, "h", "/", kNow);
    EXPECT_EQ(store.CookieHeader("h", "/"), "brief=3");
}

} // namespace

namespace {

TEST(CookieStore, CookiesWithControlBytesAreNotKept) {
    // A bare CR or a zero byte in a cookie would break the next request's Cookie header.
    TCookieStore store;
    store.AddFromHeader(std::string("a=x\rInjected: 1"), false, "h", "/", kNow);
    store.AddFromHeader(std::string("b=x\0y", 5), false, "h", "/", kNow);
    store.AddFromHeader(std::string("c\x7f=1"), false, "h", "/", kNow);
    store.AddFromHeader(std::string("d=tab\there"), false, "h", "/", kNow);
    EXPECT_EQ(store.CookieHeader("h", "/"), "d=tab\there");
}

} // namespace
