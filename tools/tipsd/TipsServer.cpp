#include "TipsServer.h"

#include "TipsConnection.h"
#include "rtl/Strings.h"
#include "service/HttpInput.h"

#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr std::size_t kMaxLine = 16384;

const char* ReasonOf(int code) {
    switch (code) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    default:
        return "Error";
    }
}

std::string HtmlPage(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\r\n<html><head><meta charset=\"windows-1251\"><title>" + title +
           "</title></head>\r\n<body><h1>" + title + "</h1>\r\n" + body + "\r\n</body></html>\r\n";
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string PercentDecode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
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

std::string QueryValue(const std::string& query, const std::string& key) {
    std::size_t start = !query.empty() && query[0] == '?' ? 1 : 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        std::string pair = query.substr(start, end - start);
        std::size_t eq = pair.find('=');
        if (PercentDecode(pair.substr(0, eq)) == key)
            return eq == std::string::npos ? std::string() : PercentDecode(pair.substr(eq + 1));
        start = end + 1;
    }
    return {};
}

bool TipsServer::Start(std::string& error) {
    m_sessionSalt = static_cast<unsigned>(std::random_device{}());
    if ((!m_options.tlsCertificate.empty() || !m_options.tlsKey.empty()) &&
        !m_credentials.Load(m_options.tlsCertificate, m_options.tlsKey, error))
        return false;
    if (!m_listener.Listen(m_options.address, m_options.port)) {
        error = m_listener.LastError();
        return false;
    }
    return true;
}

void TipsServer::Run() {
    while (!m_stopping) {
        TcpSocket socket = m_listener.Accept(250);
        if (!socket.IsOpen()) continue;
        std::thread([this, s = std::move(socket)]() mutable { Serve(std::move(s)); }).detach();
    }
    m_listener.Close();
}

HttpResponse TipsServer::Answer(const HttpRequest& request) {
    HttpResponse response;
    if (request.method != "GET") {
        response.code = 405;
        response.body = HtmlPage("Method not allowed", "<p>Only GET is served here.</p>");
    } else if (request.path == "/refresh/brelvan3.3.txt" && !m_options.outdated) {
        response.contentType = "text/plain";
        response.body = "3.3\r\n";
    } else if (request.path == "/login/brelvan.php") {
        response.contentType = "text/plain; charset=windows-1251";
        bool accepted =
            m_options.answerFromFile || (QueryValue(request.query, "login") == m_options.login &&
                                         QueryValue(request.query, "pass") == m_options.password);
        response.body = accepted ? m_options.answer : "Login Failed\r\n";
    } else if (request.path == "/index.php" &&
               QueryValue(request.query, "option") == "com_content") {
        response.body = HtmlPage(
            "Brelvan 3.4 download",
            "<p>A new version of Brelvan is ready. Download it, close the old one and start "
            "the new one.</p>\r\n<p><a href=\"/files/brelvan34.zip\">brelvan34.zip</a></p>");
    } else if (request.path == "/" || request.path == "/index.php") {
        response.body =
            HtmlPage("Brelvan football tips",
                     "<p>Daily match tips: odds, outcome and goal percentages.</p>\r\n"
                     "<p><a href=\"/index.php?option=com_content&amp;view=article&amp;id=3&amp;"
                     "Itemid=12\">Download the client</a></p>");
    } else {
        response.code = 404;
        response.body = HtmlPage("Not found", "<p>" + request.path + "</p>");
    }
    response.reason = ReasonOf(response.code);
    if (request.cookie.find("session=") == std::string::npos) {
        char value[32];
        std::snprintf(value, sizeof value, "%08x%08x", m_sessionSalt, ++m_sessionCounter);
        response.setCookie = std::string("session=") + value + "; Path=/";
    }
    return response;
}

void TipsServer::Serve(TcpSocket socket) {
    TipsConnection connection(std::move(socket), Secure() ? &m_credentials : nullptr);
    std::string tlsError;
    if (!connection.Open(m_options.idleTimeoutMs, tlsError)) {
        if (m_options.verbose) std::fprintf(stderr, "tipsd: %s\n", tlsError.c_str());
        return;
    }
    THttpInput& input = connection.Input();
    std::string line;
    while (!m_stopping) {
        HttpRequest request;
        if (input.ReadLine(line, kMaxLine) != THttpInput::Status::Ok) return;
        if (line.empty()) continue; // a stray line end between requests
        std::size_t first = line.find(' '), last = line.rfind(' ');
        if (first == std::string::npos || first == last) return;
        request.method = line.substr(0, first);
        request.target = line.substr(first + 1, last - first - 1);
        request.version = line.substr(last + 1);
        request.wantsClose = request.version == "HTTP/1.0";
        long long bodyLength = 0;
        std::size_t headerLines = 0;
        for (;;) {
            if (input.ReadLine(line, kMaxLine) != THttpInput::Status::Ok || ++headerLines > 200)
                return;
            if (line.empty()) break;
            std::size_t colon = line.find(':');
            if (colon == std::string::npos) continue;
            std::string name = line.substr(0, colon), value = Trim(line.substr(colon + 1));
            if (SameText(name, "Cookie")) request.cookie = value;
            if (SameText(name, "Connection"))
                request.wantsClose =
                    SameText(value, "close")
                        ? true
                        : (SameText(value, "keep-alive") ? false : request.wantsClose);
            if (SameText(name, "Content-Length")) bodyLength = std::atoll(value.c_str());
        }
        while (bodyLength > 0) { // a GET has no body, but never misread one as a request
            std::string_view bytes;
            if (input.Read(static_cast<std::size_t>(bodyLength), bytes) != THttpInput::Status::Ok)
                return;
            bodyLength -= static_cast<long long>(bytes.size());
        }
        std::size_t question = request.target.find('?');
        request.path = request.target.substr(0, question);
        request.query = question == std::string::npos ? "" : request.target.substr(question);

        HttpResponse response = Answer(request);
        auto head = [&request](const HttpResponse& answer, long long length) {
            std::string text = "HTTP/1.1 " + std::to_string(answer.code) + " " + answer.reason +
                               "\r\nContent-Type: " + answer.contentType +
                               "\r\nContent-Length: " + std::to_string(length) + "\r\n";
            if (!answer.setCookie.empty()) text += "Set-Cookie: " + answer.setCookie + "\r\n";
            return text + (request.wantsClose ? "Connection: close\r\n\r\n"
                                              : "Connection: keep-alive\r\n\r\n");
        };
        if (m_options.verbose)
            std::fprintf(stderr, "tipsd: %s %s -> %d\n", request.method.c_str(),
                         request.target.c_str(), response.code);
        if (m_options.faults.Active()) {
            auto send = [&](const char* data, std::size_t size) {
                return connection.SendAll(data, size, m_options.idleTimeoutMs);
            };
            auto peer = [&input, this](int timeoutMs) {
                // Whatever the client sends now is dropped: the answer never comes.
                input.SetTimeoutMs(timeoutMs);
                std::string_view bytes;
                const THttpInput::Status status = input.Read(64 * 1024, bytes);
                input.SetTimeoutMs(m_options.idleTimeoutMs);
                return status == THttpInput::Status::Ok || status == THttpInput::Status::TimedOut;
            };
            if (!SendWithFaults(m_options.faults, request.path, std::move(response), head, send,
                                peer, m_stopping))
                return;
            if (request.wantsClose) return;
            continue;
        }
        const std::string text = head(response, (long long)response.body.size());
        if (!connection.SendAll(text.data(), text.size(), m_options.idleTimeoutMs) ||
            (request.method != "HEAD" &&
             !connection.SendAll(response.body.data(), response.body.size(),
                                 m_options.idleTimeoutMs)))
            return;
        if (request.wantsClose) return;
    }
}
