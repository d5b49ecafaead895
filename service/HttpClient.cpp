#include "service/HttpClient.h"

#include "rtl/Strings.h"
#include "service/HttpAnswer.h"
#include "service/HttpErrors.h"

#include <algorithm>
#include <ctime>

namespace {

bool HasControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

AnsiString ConnectHost(const AnsiString& host) {
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        return host.substr(1, host.size() - 2);
    return host;
}

} // namespace

THttpClient::THttpClient(TComponent* owner) : TComponent(owner) {}

THttpClient::~THttpClient() = default;

void THttpClient::Disconnect() {
    {
        std::lock_guard lock(m_cancelMutex);
        m_cancelFd = -1;
    }
    m_socket.Close();
    m_connectedHost.clear();
    m_connectedPort = 0;
}

AnsiString THttpClient::HttpGetText(const AnsiString& url) {
    AnsiString answer;
    HttpGetText(url, answer);
    return answer;
}

void THttpClient::HttpGetText(const AnsiString& url, AnsiString& answer) {
    AnsiString body;
    try {
        Get(SplitHttpUrl(url), &body, nullptr);
    } catch (...) {
        // What arrived of a 2xx body is still the answer.
        if (!body.empty()) answer = std::move(body);
        throw;
    }
    answer = std::move(body);
}

void THttpClient::HttpGet(const AnsiString& url, const THttpBodySink& sink) {
    Get(SplitHttpUrl(url), nullptr, &sink);
}

AnsiString THttpClient::BuildRequest(const THttpUrl& url) const {
    AnsiString request;
    request.reserve(256);
    request += "GET " + url.RequestTarget() + " HTTP/1.1\r\n";
    request += "Content-Type: " + AnsiString(kContentType) + "\r\n";
    request += "Host: " + url.HostHeader() + "\r\n";
    request += "Accept: " + AnsiString(kAccept) + "\r\n";
    request += "User-Agent: " + AnsiString(kUserAgent) + "\r\n";
    AnsiString cookies = m_cookies.CookieHeader(url.host, url.path + url.document);
    if (!cookies.empty()) request += "Cookie: " + cookies + "\r\n";
    request += "\r\n";
    return request;
}

void THttpClient::EnsureConnection(const THttpUrl& url) {
    if (m_socket.IsOpen() &&
        (m_connectedHost != url.host || m_connectedPort != url.port || m_socket.IsStale()))
        Disconnect();
    if (m_socket.IsOpen()) return;
    if (!m_socket.Connect(ConnectHost(url.host), url.port, m_timeoutMs)) {
        AnsiString reason = m_socket.LastError();
        Disconnect();
        throw EHttpError("Cannot connect to " + url.HostHeader() + ": " + reason);
    }
    m_connectedHost = url.host;
    m_connectedPort = url.port;
    std::lock_guard lock(m_cancelMutex);
    m_cancelFd = m_socket.Fd();
}

void THttpClient::Cancel() {
    std::lock_guard lock(m_cancelMutex);
    InterruptSocket(m_cancelFd);
}

void THttpClient::Get(const THttpUrl& url, AnsiString* body, const THttpBodySink* sink) {
    if (!SameText(url.scheme, "http")) throw EHttpError("Unsupported scheme: " + url.scheme);
    if (url.host.empty()) throw EHttpError("The URL names no host");
    if (url.port < 0) throw EHttpError("The URL's port is not a valid number");
    // Control bytes would end the request line early and smuggle in headers of their own.
    if (HasControlBytes(url.host) || HasControlBytes(url.RequestTarget()))
        throw EHttpError("The URL holds control characters");

    std::time_t now = std::time(nullptr);
    m_cookies.RemoveExpired(now);
    AnsiString request = BuildRequest(url);
    EnsureConnection(url);
    if (!m_socket.SendAll(request.data(), request.size(), m_timeoutMs)) {
        AnsiString reason = m_socket.LastError();
        Disconnect();
        throw EHttpError("Cannot send the request: " + reason);
    }

    THttpInput input(m_socket, m_timeoutMs);
    THttpAnswerState state;
    try {
        if (body)
            ReadHttpAnswer(input, m_cookies, url, now, *body, state);
        else
            ReadHttpAnswer(input, m_cookies, url, now, *sink, state);
    } catch (...) {
        if (state.headRead) m_responseCode = state.code;
        if (!state.keepConnection) Disconnect();
        throw;
    }
    m_responseCode = state.code;
    if (!state.keepConnection) Disconnect();
}
