#include "platform/HttpStatusLine.h"

std::string_view StatusCodeText(std::string_view statusLine) {
    const auto ends = [](char c) { return c == ' ' || c == '\r' || c == '\n'; };
    std::size_t start = statusLine.find(' ');
    if (start == std::string_view::npos) return {};
    while (start < statusLine.size() && statusLine[start] == ' ') ++start;
    std::size_t end = start;
    while (end < statusLine.size() && !ends(statusLine[end])) ++end;
    return statusLine.substr(start, end - start);
}

int StatusCodeOf(std::string_view statusLine) {
    const std::string_view word = StatusCodeText(statusLine);
    if (word.empty() || word.size() > 9) return -1;
    int code = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return -1;
        code = code * 10 + (c - '0');
    }
    return code;
}
