#include "app/ServiceMessages.h"

#include "rtl/NumberText.h"

#include <cstdio>
#include <initializer_list>

namespace {

bool Mentions(const AnsiString& lowerText, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (lowerText.find(word) != AnsiString::npos) return true;
    return false;
}

AnsiString Seconds(int ms) {
    if (ms % 1000 == 0) return IntToStr(ms / 1000) + (ms == 1000 ? " second" : " seconds");
    char text[32];
    std::snprintf(text, sizeof text, "%.1f seconds", ms / 1000.0);
    return text;
}

// A service's text shown in a box: one line, and not a screenful.
AnsiString Tame(const AnsiString& text) {
    constexpr std::size_t kMaxShown = 160;
    AnsiString out;
    for (char c : text) {
        if (out.size() >= kMaxShown) return out + "...";
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return out;
}

} // namespace

AnsiString ServiceFailureText(const AnsiString& host, int timeoutMs, const AnsiString& reason) {
    const AnsiString lower = LowerCase(reason);
    AnsiString sentence;
    if (Mentions(lower, {"timed out", "timeout", "too slow"}))
        sentence =
            "The tips service at " + host + " did not answer within " + Seconds(timeoutMs) + ".";
    else if (Mentions(lower, {"refused", "couldn't connect", "failed to connect"}))
        sentence = "Cannot connect to the tips service at " + host + " (connection refused).";
    else if (Mentions(lower, {"resolve", "no address"}))
        sentence = "Cannot find the tips service at " + host + ": the name is not known.";
    else if (Mentions(lower, {"closed", "reset", "dropped", "broken", "empty reply"}))
        sentence = "The connection to the tips service at " + host + " broke before it answered.";
    else
        sentence = "Cannot reach the tips service at " + host + ".";
    return reason.empty() ? sentence : sentence + "\n" + Tame(reason);
}

AnsiString ServiceStatusText(const AnsiString& statusLine, const AnsiString& location) {
    // "HTTP/1.1 500 Internal Server Error": the code and its words, without the version.
    AnsiString status = Trim(statusLine);
    if (status.rfind("HTTP/", 0) == 0) {
        const std::size_t space = status.find(' ');
        status = space == AnsiString::npos ? AnsiString() : Trim(status.substr(space + 1));
    }
    AnsiString text =
        "The tips service answered " + (status.empty() ? "an error" : Tame(status)) + ".";
    if (!location.empty()) text += "\nIt points elsewhere: " + Tame(location);
    return text;
}
