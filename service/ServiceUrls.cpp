#include "service/ServiceUrls.h"

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

AnsiString BuildLoginUrl(const AnsiString& host, const AnsiString& login,
                         const AnsiString& password) {
    return "http://" + host + kLoginPath + "?login=" + PercentEncode(login) +
           "&pass=" + PercentEncode(password);
}

AnsiString BuildVersionProbeUrl(const AnsiString& host) {
    return "http://" + host + kVersionMarkerPath;
}

AnsiString BuildDownloadPageUrl(const AnsiString& host) {
    return "http://" + host + kDownloadPagePathAndQuery;
}

AnsiString BuildSiteHomeUrl(const AnsiString& host) {
    return "http://" + host + "/";
}

bool ParseServiceHost(std::string_view text, AnsiString& host, AnsiString& error) {
    std::string_view rest = text;
    constexpr std::string_view kScheme = "http://";
    if (rest.size() >= kScheme.size() && LowerCase(rest.substr(0, kScheme.size())) == kScheme)
        rest.remove_prefix(kScheme.size());
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    for (char c : rest) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 127 || c == '/' || c == '?' || c == '#' || c == '@' ||
            c == '\\' || c == '[' || c == ']') {
            error = "\"" + AnsiString(text) + "\" is not a host[:port] address";
            return false;
        }
    }
    const std::size_t colon = rest.find(':');
    std::string_view name = rest.substr(0, colon);
    if (name.empty()) {
        error = "\"" + AnsiString(text) + "\" names no host";
        return false;
    }
    int port = 80;
    if (colon != std::string_view::npos) {
        std::string_view digits = rest.substr(colon + 1);
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
    host = AnsiString(name);
    if (port != 80) host += ":" + std::to_string(port);
    error.clear();
    return true;
}
