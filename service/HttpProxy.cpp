#include "service/HttpProxy.h"

#include "platform/HttpStatusLine.h"
#include "platform/Internet.h"
#include "service/HttpAnswer.h"
#include "service/HttpErrors.h"

#include <algorithm>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// User names and passwords in an address are percent-encoded.
AnsiString PercentDecoded(std::string_view text) {
    AnsiString out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

AnsiString Base64(std::string_view bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    AnsiString out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                     static_cast<unsigned char>(bytes[i + 1]) << 8 |
                     static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool IsAddressByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte < 127 && c != '/' && c != '?' && c != '#' && c != '@' && c != '\\';
}

} // namespace

bool ParseProxyAddress(std::string_view text, THttpProxy& proxy, AnsiString& error) {
    std::string_view rest = TrimView(text);
    const std::size_t schemeEnd = rest.find("://");
    if (schemeEnd != std::string_view::npos) {
        if (!SameText(rest.substr(0, schemeEnd), "http")) {
            error = "The proxy " + AnsiString(text) +
                    " cannot be used: only http:// proxies are supported";
            return false;
        }
        rest.remove_prefix(schemeEnd + 3);
    }
    if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
    THttpProxy result;
    const std::size_t at = rest.rfind('@');
    if (at != std::string_view::npos) {
        std::string_view credentials = rest.substr(0, at);
        const std::size_t colon = credentials.find(':');
        AnsiString user = PercentDecoded(credentials.substr(0, colon));
        AnsiString password = colon == std::string_view::npos
                                  ? AnsiString()
                                  : PercentDecoded(credentials.substr(colon + 1));
        result.authorization = "Basic " + Base64(user + ":" + password);
        rest.remove_prefix(at + 1);
    }
    const AnsiString bad = "The proxy address " + AnsiString(text) + " is not [http://]host[:port]";
    std::string_view portText;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            error = bad;
            return false;
        }
        result.host = AnsiString(rest.substr(0, close + 1));
        rest.remove_prefix(close + 1);
        if (!rest.empty() && rest.front() != ':') {
            error = bad;
            return false;
        }
        if (!rest.empty()) portText = rest.substr(1);
    } else {
        const std::size_t colon = rest.find(':');
        result.host = AnsiString(rest.substr(0, colon));
        if (colon != std::string_view::npos) portText = rest.substr(colon + 1);
        if (colon != std::string_view::npos && portText.empty()) {
            error = bad;
            return false;
        }
    }
    for (char c : result.host)
        if (!IsAddressByte(c)) {
            error = bad;
            return false;
        }
    if (result.host.empty() || result.host == "[]") {
        error = bad;
        return false;
    }
    if (!portText.empty()) {
        int port = 0;
        bool ok = portText.size() <= 5;
        for (char c : portText) {
            if (c < '0' || c > '9') ok = false;
            port = port * 10 + (c - '0');
        }
        if (!ok || port < 1 || port > 65535) {
            error = bad;
            return false;
        }
        result.port = port;
    }
    proxy = std::move(result);
    error.clear();
    return true;
}

bool ProxyForRequest(const AnsiString& scheme, const AnsiString& host, bool& direct,
                     THttpProxy& proxy, AnsiString& error) {
    const std::string address = InternetProxyFor(scheme, host);
    direct = address.empty();
    if (direct) return true;
    return ParseProxyAddress(address, proxy, error);
}

AnsiString StatusWithoutVersion(std::string_view statusLine) {
    const std::size_t blank = statusLine.find(' ');
    return AnsiString(TrimView(statusLine.substr(std::min(blank, statusLine.size()))));
}

AnsiString BuildConnectRequest(const AnsiString& authority, const THttpProxy& proxy) {
    AnsiString request = "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n";
    if (!proxy.authorization.empty())
        request += "Proxy-Authorization: " + proxy.authorization + "\r\n";
    return request + "\r\n";
}

void ReadConnectAnswer(THttpInput& input, const AnsiString& authority) {
    using Status = THttpInput::Status;
    auto fail = [&](Status status) {
        switch (status) {
        case Status::TooLong:
            throw EHttpError("The proxy's answer has a line too long");
        case Status::TimedOut:
            throw EHttpError("The proxy did not answer in time");
        case Status::Closed:
            throw EHttpError("The proxy closed the connection to " + authority);
        default: {
            const AnsiString reason = input.LastError();
            throw EHttpError("The connection to the proxy was lost" +
                             (reason.empty() ? AnsiString() : ": " + reason));
        }
        }
    };
    std::string statusLine, line;
    int code;
    for (;;) {
        Status status = input.ReadLine(statusLine, kMaxHttpLineLength);
        if (status != Status::Ok) fail(status);
        code = StatusCodeOf(statusLine);
        if (code < 0 || statusLine.compare(0, 5, "HTTP/") != 0)
            throw EHttpError("The proxy's answer is not HTTP");
        std::size_t headerBytes = 0;
        for (;;) {
            status = input.ReadLine(line, kMaxHttpLineLength);
            if (status == Status::Ok && (headerBytes += line.size() + 2) > kMaxHttpHeaderBytes)
                status = Status::TooLong;
            if (status != Status::Ok) fail(status);
            if (line.empty()) break;
        }
        if (code < 100 || code > 199) break; // an interim answer is followed by the real one
    }
    if (code < 200 || code > 299) {
        const std::size_t blank = statusLine.find(' ');
        throw EHttpProxyRefused(
            "The proxy refused the connection to " + authority + ": " +
                AnsiString(
                    TrimView(std::string_view(statusLine)
                                 .substr(blank == std::string::npos ? statusLine.size() : blank))),
            code);
    }
    // TLS starts right after the empty line; anything the proxy sent past it would be taken
    // for the server's.
    if (input.Buffered() != 0) throw EHttpError("The proxy sent bytes of its own into the tunnel");
}
