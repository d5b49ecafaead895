// Splitting URLs into what the request line and the Host header carry.

#include "service/HttpUrl.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitHttpUrl, PathDocumentAndQuery) {
    THttpUrl url = SplitHttpUrl("http://tips.example:8080/login/brelvan.php?login=a&pass=b");
    EXPECT_EQ(url.scheme, "http");
    EXPECT_EQ(url.host, "tips.example");
    EXPECT_EQ(url.port, 8080);
    EXPECT_EQ(url.path, "/login/");
    EXPECT_EQ(url.document, "brelvan.php");
    EXPECT_EQ(url.query, "?login=a&pass=b");
    EXPECT_EQ(url.HostHeader(), "tips.example:8080");

    THttpUrl plain = SplitHttpUrl("tips.example");
    EXPECT_EQ(plain.scheme, "http");
    EXPECT_EQ(plain.port, 80);
    EXPECT_EQ(plain.RequestTarget(), "/");
    EXPECT_EQ(plain.HostHeader(), "tips.example");
}

TEST(SplitHttpUrl, BackslashesQueryStartsAndFragments) {
    EXPECT_EQ(SplitHttpUrl("http:\\\\h\\a\\b.php?x=\\y").RequestTarget(), "/a/b.php?x=/y");
    // Without "?" the query starts at the first "=", and the path ends at the "/" before it.
    THttpUrl eq = SplitHttpUrl("http://h/a/b=c/d");
    EXPECT_EQ(eq.path, "/a/");
    EXPECT_EQ(eq.document, "b");
    EXPECT_EQ(eq.query, "=c/d");
    // A "/" inside the query does not move the path's end.
    THttpUrl slash = SplitHttpUrl("http://h/dir/doc?next=/x/y");
    EXPECT_EQ(slash.path, "/dir/");
    EXPECT_EQ(slash.document, "doc");
    // "#" ends the query, and with it anything after it, a password included.
    EXPECT_EQ(SplitHttpUrl("http://h/l.php?login=a#b&pass=c").query, "?login=a");
    EXPECT_EQ(SplitHttpUrl("http://h/dir/").RequestTarget(), "/dir/");
}

TEST(SplitHttpUrl, PortsAndAddresses) {
    EXPECT_EQ(SplitHttpUrl("http://h:80/").HostHeader(), "h");
    EXPECT_EQ(SplitHttpUrl("http://h:0/").port, -1);
    EXPECT_EQ(SplitHttpUrl("http://h:65536/").port, -1);
    EXPECT_EQ(SplitHttpUrl("http://h:12a/").port, -1);
    THttpUrl v6 = SplitHttpUrl("http://[::1]:8081/x");
    EXPECT_EQ(v6.host, "[::1]");
    EXPECT_EQ(v6.port, 8081);
    EXPECT_EQ(v6.HostHeader(), "[::1]:8081");
}

} // namespace
