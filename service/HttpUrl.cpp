#include "service/HttpUrl.h"

#include <algorithm>

bool THttpUrl::IsHttps() const {
    return SameText(scheme, "https");
}

AnsiString THttpUrl::HostHeader() const {
    return port == DefaultPort() ? host : host + ":" + std::to_string(port);
}

namespace {

int ParsePort(const AnsiString& text) {
    if (text.empty() || text.size() > 5) return -1;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        port = port * 10 + (c - '0');
    }
    return port >= 1 && port <= 65535 ? port : -1;
}

} // namespace

THttpUrl SplitHttpUrl(const AnsiString& url) {
    AnsiString text = url;
    std::replace(text.begin(), text.end(), '\\', '/');
    THttpUrl result;
    std::size_t hostStart = 0;
    std::size_t schemeEnd = text.find("://");
    if (schemeEnd != AnsiString::npos) {
        result.scheme = text.substr(0, schemeEnd);
        hostStart = schemeEnd + 3;
    } else {
        result.scheme = "http";
    }
    result.port = result.DefaultPort();
    std::size_t hostEnd = std::min(text.find('/', hostStart), text.size());
    AnsiString hostPort = text.substr(hostStart, hostEnd - hostStart);
    if (!hostPort.empty() && hostPort.front() == '[') {
        // A bracketed IPv6 address holds colons of its own; the port follows the "]".
        std::size_t close = hostPort.find(']');
        result.host = hostPort.substr(0, close == AnsiString::npos ? AnsiString::npos : close + 1);
        if (close != AnsiString::npos && close + 1 < hostPort.size()) {
            result.port = hostPort[close + 1] == ':' ? ParsePort(hostPort.substr(close + 2)) : -1;
        }
    } else {
        std::size_t colon = hostPort.find(':');
        result.host = hostPort.substr(0, colon);
        if (colon != AnsiString::npos) result.port = ParsePort(hostPort.substr(colon + 1));
    }

    AnsiString rest = text.substr(hostEnd);
    std::size_t queryStart = rest.find('?');
    if (queryStart == AnsiString::npos) queryStart = rest.find('=');
    if (queryStart == AnsiString::npos) queryStart = rest.size();
    if (queryStart == 0) {
        result.path = "/"; // the URL ends with its host
    } else {
        // rest begins with the "/" that ended the host, so a last "/" is always there.
        std::size_t lastSlash = rest.rfind('/', queryStart - 1);
        result.path = rest.substr(0, lastSlash + 1);
        result.document = rest.substr(lastSlash + 1, queryStart - lastSlash - 1);
    }
    result.query = rest.substr(queryStart);
    std::size_t hash = result.query.find('#');
    if (hash != AnsiString::npos) result.query.erase(hash);
    return result;
}
