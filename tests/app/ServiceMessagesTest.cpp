// The words the window finds for the service's failures, from the texts the two network
// libraries give (our HTTP client's and the transfer library's of the version probe).

#include "app/ServiceMessages.h"

#include <gtest/gtest.h>

namespace {

const char* const kHost = "tips.example:8080";

std::string FirstLine(const AnsiString& text) {
    return text.substr(0, text.find('\n'));
}

TEST(ServiceMessages, FailuresAreSaidInTheUsersWordsWithTheReasonAfter) {
    struct Case {
        const char* reason;
        const char* sentence;
    } cases[] = {
        {"Operation too slow. Less than 1 bytes/sec transferred the last 30 seconds",
         "The tips service at tips.example:8080 did not answer within 30 seconds."},
        {"Read timed out",
         "The tips service at tips.example:8080 did not answer within 30 seconds."},
        {"Cannot connect to 127.0.0.1:1: connect: Connection refused",
         "Cannot connect to the tips service at tips.example:8080 (connection refused)."},
        {"Failed to connect to 127.0.0.1 port 18199 after 0 ms: Couldn't connect to server",
         "Cannot connect to the tips service at tips.example:8080 (connection refused)."},
        {"Could not resolve host: tips.example",
         "Cannot find the tips service at tips.example:8080: the name is not known."},
        {"Connection closed before the answer",
         "The connection to the tips service at tips.example:8080 broke before it answered."},
        {"Something else entirely", "Cannot reach the tips service at tips.example:8080."},
    };
    for (const Case& c : cases) {
        const AnsiString text = ServiceFailureText(kHost, 30000, c.reason);
        EXPECT_EQ(FirstLine(text), c.sentence) << c.reason;
        EXPECT_EQ(text.substr(text.find('\n') + 1), c.reason);
    }
    EXPECT_EQ(FirstLine(ServiceFailureText(kHost, 1000, "timed out")),
              "The tips service at tips.example:8080 did not answer within 1 second.");
    EXPECT_EQ(FirstLine(ServiceFailureText(kHost, 2500, "timed out")),
              "The tips service at tips.example:8080 did not answer within 2.5 seconds.");
    EXPECT_EQ(ServiceFailureText(kHost, 30000, ""),
              "Cannot reach the tips service at " + AnsiString(kHost) + ".");
}

TEST(ServiceMessages, StatusesNameTheCodeAndTheServicesWords) {
    EXPECT_EQ(ServiceStatusText("HTTP/1.1 500 Internal Server Error", ""),
              "The tips service answered 500 Internal Server Error.");
    EXPECT_EQ(ServiceStatusText("HTTP/1.0 404", ""), "The tips service answered 404.");
    EXPECT_EQ(ServiceStatusText("HTTP/1.1 302 Found", "http://elsewhere/"),
              "The tips service answered 302 Found.\nIt points elsewhere: http://elsewhere/");
    EXPECT_EQ(ServiceStatusText("", ""), "The tips service answered an error.");
    // A hostile status line stays one line of sensible length.
    const AnsiString shown =
        ServiceStatusText("HTTP/1.1 500 " + AnsiString(5000, 'x') + "\r\nInjected", "");
    EXPECT_LT(shown.size(), 220u);
    EXPECT_EQ(shown.find('\r'), AnsiString::npos);
}

} // namespace
