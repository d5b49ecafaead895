// The status code of an answer's first line, as text for the system-style query and as a
// number for the service client.
#include "platform/HttpStatusLine.h"

#include <gtest/gtest.h>

TEST(HttpStatusLine, TheSecondWordWhateverTheLineEnd) {
    EXPECT_EQ(StatusCodeText("HTTP/1.1 200 OK"), "200");
    EXPECT_EQ(StatusCodeText("HTTP/1.1 404 Not Found\r\n"), "404");
    EXPECT_EQ(StatusCodeText("HTTP/1.0 302\r\n"), "302");
    EXPECT_EQ(StatusCodeText("HTTP/1.1   100   Continue"), "100");
    EXPECT_EQ(StatusCodeText("HTTP/1.1"), "");
    EXPECT_EQ(StatusCodeText("HTTP/1.1 \r\n"), "");
    EXPECT_EQ(StatusCodeText(""), "");
}

TEST(HttpStatusLine, TheNumberOnlyWhenTheWordIsDigits) {
    EXPECT_EQ(StatusCodeOf("HTTP/1.1 200 OK"), 200);
    EXPECT_EQ(StatusCodeOf("HTTP/1.1 503\r\n"), 503);
    EXPECT_EQ(StatusCodeOf("HTTP/1.1 2x0 OK"), -1);
    EXPECT_EQ(StatusCodeOf("HTTP/1.1 -200 OK"), -1);
    EXPECT_EQ(StatusCodeOf("HTTP/1.1 1234567890 Long"), -1); // would not fit
    EXPECT_EQ(StatusCodeOf("HTTP/1.1 123456789 Long"), 123456789);
    EXPECT_EQ(StatusCodeOf("garbage"), -1);
}
