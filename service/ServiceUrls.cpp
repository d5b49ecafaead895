#include "service/ServiceUrls.h"

#include <algorithm>

AnsiString PercentEncode(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    AnsiString out;
    out.reserve(text.size() * 3);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                          byte == '_' || byte == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

namespace {

constexpr std::string_view kHttpsPrefix = "https://";

bool IsHttps(const AnsiString& host) {
    return host.compare(0, kHttpsPrefix.size(), kHttpsPrefix) == 0;
}

// Removes a scheme prefix written in any case; true when it was there.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() < prefix.size() || LowerCase(text.substr(0, prefix.size())) != prefix)
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool IsNameByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte < 127 && c != '/' && c != '?' && c != '#' && c != '@' && c != '\\' &&
           c != '[' && c != ']' && c != ':';
}

bool IsIpv6Byte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
           c == '.';
}

} // namespace

AnsiString ServiceOrigin(const AnsiString& host) {
    return IsHttps(host) ? host : "http://" + host;
}

AnsiString ServiceHostLabel(const AnsiString& host) {
    return IsHttps(host) ? host.substr(kHttpsPrefix.size()) : host;
}

AnsiString BuildLoginUrl(const AnsiString& host, const AnsiString& login,
                         const AnsiString& password) {
    return ServiceOrigin(host) + kLoginPath + "?login=" + PercentEncode(login) +
           "&pass=" + PercentEncode(password);
}

AnsiString BuildVersionProbeUrl(const AnsiString& host) {
    return ServiceOrigin(host) + kVersionMarkerPath;
}

AnsiString BuildDownloadPageUrl(const AnsiString& host) {
    return ServiceOrigin(host) + kDownloadPagePathAndQuery;
}

AnsiString BuildSiteHomeUrl(const AnsiString& host) {
    return ServiceOrigin(host) + "/";
}

bool ParseServiceHost(std::string_view text, AnsiString& host, AnsiString& error) {
    std::string_view rest = text;
    const bool https = TakePrefix(rest, kHttpsPrefix);
    if (!https) TakePrefix(rest, "http://");
    if (rest.find("://") != std::string_view::npos) {
        error = "\"" + AnsiString(text) + "\" names a scheme other than http:// and https://";
        return false;
    }
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    const AnsiString notAnAddress =
        "\"" + AnsiString(text) + "\" is not a [http:// or https://]host[:port] address";
    std::string_view name;
    if (!rest.empty() && rest.front() == '[') {
        // An IPv6 address holds colons of its own; the port follows the "]".
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos || close < 3 ||
            !std::all_of(rest.begin() + 1, rest.begin() + close, IsIpv6Byte) ||
            std::count(rest.begin() + 1, rest.begin() + close, ':') < 2) {
            error = notAnAddress;
            return false;
        }
        name = rest.substr(0, close + 1);
        rest.remove_prefix(close + 1);
        if (!rest.empty() && rest.front() != ':') {
            error = notAnAddress;
            return false;
        }
    } else {
        name = rest.substr(0, rest.find(':'));
        rest.remove_prefix(name.size());
        if (!std::all_of(name.begin(), name.end(), IsNameByte)) {
            error = notAnAddress;
            return false;
        }
    }
    if (name.empty()) {
        error = "\"" + AnsiString(text) + "\" names no host";
        return false;
    }
    const int defaultPort = https ? 443 : 80;
    int port = defaultPort;
    if (!rest.empty()) { // ":" and the port
        std::string_view digits = rest.substr(1);
        port = 0;
        bool ok = !digits.empty() && digits.size() <= 5;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                ok = false;
                break;
            }
            port = port * 10 + (c - '0');
        }
        if (!ok || port < 1 || port > 65535) {
            error = "\"" + AnsiString(text) + "\" has no valid port (1 to 65535)";
            return false;
        }
    }
    host = (https ? AnsiString(kHttpsPrefix) : AnsiString()) + AnsiString(name);
    if (port != defaultPort) host += ":" + std::to_string(port);
    error.clear();
    return true;
}
