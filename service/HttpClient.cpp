#include "service/HttpClient.h"

#include "rtl/Strings.h"
#include "service/HttpAnswer.h"
#include "service/HttpErrors.h"

#include <algorithm>
#include <ctime>
#include <optional>

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
    if (m_tls) m_tls->Close();
    m_tls.reset();
    {
        std::lock_guard lock(m_cancelMutex);
        m_cancelFd = -1;
    }
    m_socket.Close();
    m_connectedHost.clear();
    m_connectedPort = 0;
    m_connectedRoute.clear();
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

AnsiString THttpClient::BuildRequest(const THttpUrl& url, const THttpProxy* proxy) const {
    AnsiString request;
    request.reserve(256);
    // A proxy that forwards plain HTTP is told the whole URL; through a tunnel the server
    // reads the request as it always does.
    const bool forwarded = proxy && !url.IsHttps();
    const AnsiString target =
        forwarded ? "http://" + url.HostHeader() + url.RequestTarget() : url.RequestTarget();
    request += "GET " + target + " HTTP/1.1\r\n";
    request += "Content-Type: " + AnsiString(kContentType) + "\r\n";
    request += "Host: " + url.HostHeader() + "\r\n";
    request += "Accept: " + AnsiString(kAccept) + "\r\n";
    request += "User-Agent: " + AnsiString(kUserAgent) + "\r\n";
    AnsiString cookies = m_cookies.CookieHeader(url.host, url.path + url.document, url.IsHttps());
    if (!cookies.empty()) request += "Cookie: " + cookies + "\r\n";
    if (forwarded && !proxy->authorization.empty())
        request += "Proxy-Authorization: " + proxy->authorization + "\r\n";
    request += "\r\n";
    return request;
}

void THttpClient::EnsureConnection(const THttpUrl& url, const THttpProxy* proxy) {
    AnsiString route = LowerCase(url.scheme);
    if (proxy)
        route +=
            " via " + proxy->host + ":" + std::to_string(proxy->port) + " " + proxy->authorization;
    if (m_socket.IsOpen() &&
        (m_connectedHost != url.host || m_connectedPort != url.port || m_connectedRoute != route ||
         (m_tls ? m_tls->IsStale() : m_socket.IsStale())))
        Disconnect();
    if (m_socket.IsOpen()) return;
    const AnsiString peer = proxy ? proxy->host : url.host;
    const int peerPort = proxy ? proxy->port : url.port;
    if (!m_socket.Connect(ConnectHost(peer), peerPort, m_timeoutMs)) {
        AnsiString reason = m_socket.LastError();
        Disconnect();
        throw EHttpError(
            (proxy ? "Cannot connect to the proxy " + peer + ":" + std::to_string(peerPort)
                   : "Cannot connect to " + url.HostHeader()) +
            ": " + reason);
    }
    {
        // From here a cancel from another thread can end a handshake or a wait for the answer.
        std::lock_guard lock(m_cancelMutex);
        m_cancelFd = m_socket.Fd();
    }
    if (url.IsHttps()) {
        try {
            StartTls(url, proxy);
        } catch (...) {
            Disconnect();
            throw;
        }
    }
    m_connectedHost = url.host;
    m_connectedPort = url.port;
    m_connectedRoute = route;
}

void THttpClient::Cancel() {
    std::lock_guard lock(m_cancelMutex);
    InterruptSocket(m_cancelFd);
}

void THttpClient::StartTls(const THttpUrl& url, const THttpProxy* proxy) {
    if (proxy) {
        const AnsiString authority = url.host + ":" + std::to_string(url.port);
        const AnsiString connect = BuildConnectRequest(authority, *proxy);
        if (!m_socket.SendAll(connect.data(), connect.size(), m_timeoutMs))
            throw EHttpError("Cannot send the request to the proxy: " + m_socket.LastError());
        THttpInput input(m_socket, m_timeoutMs);
        ReadConnectAnswer(input, authority);
    }
    m_tls = std::make_unique<TTlsSession>(m_socket);
    if (m_tls->Connect(ConnectHost(url.host), m_timeoutMs)) return;
    const AnsiString reason = m_tls->LastError();
    if (m_tls->CertificateRejected()) throw EHttpCertificateError(reason);
    throw EHttpError("Cannot start TLS with " + url.HostHeader() + ": " + reason);
}

void THttpClient::Get(const THttpUrl& url, AnsiString* body, const THttpBodySink* sink) {
    if (!SameText(url.scheme, "http") && !url.IsHttps())
        throw EHttpError("Unsupported scheme: " + url.scheme);
    if (url.host.empty()) throw EHttpError("The URL names no host");
    if (url.port < 0) throw EHttpError("The URL's port is not a valid number");
    // Control bytes would end the request line early and smuggle in headers of their own.
    if (HasControlBytes(url.host) || HasControlBytes(url.RequestTarget()))
        throw EHttpError("The URL holds control characters");

    bool direct = true;
    THttpProxy proxy;
    AnsiString proxyError;
    if (!ProxyForRequest(url.scheme, url.host, direct, proxy, proxyError))
        throw EHttpError(proxyError);
    const THttpProxy* via = direct ? nullptr : &proxy;

    std::time_t now = std::time(nullptr);
    m_cookies.RemoveExpired(now);
    AnsiString request = BuildRequest(url, via);
    EnsureConnection(url, via);
    const bool sent = m_tls ? m_tls->SendAll(request.data(), request.size(), m_timeoutMs)
                            : m_socket.SendAll(request.data(), request.size(), m_timeoutMs);
    if (!sent) {
        AnsiString reason = m_tls ? m_tls->LastError() : m_socket.LastError();
        Disconnect();
        throw EHttpError("Cannot send the request: " + reason);
    }

    std::optional<THttpInput> reader;
    if (m_tls)
        reader.emplace(*m_tls, m_timeoutMs);
    else
        reader.emplace(m_socket, m_timeoutMs);
    THttpInput& input = *reader;
    THttpAnswerState state;
    try {
        if (body)
            ReadHttpAnswer(input, m_cookies, url, now, *body, state);
        else
            ReadHttpAnswer(input, m_cookies, url, now, *sink, state);
    } catch (const EHttpProtocolError& e) {
        m_responseCode = state.code;
        if (!state.keepConnection) Disconnect();
        // A forwarding proxy that wants credentials speaks for itself, not for the service.
        if (via && e.StatusCode() == 407)
            throw EHttpProxyRefused("The proxy refused the request to " + url.HostHeader() + ": " +
                                        StatusWithoutVersion(e.StatusLine()),
                                    407);
        throw;
    } catch (...) {
        if (state.headRead) m_responseCode = state.code;
        if (!state.keepConnection) Disconnect();
        throw;
    }
    m_responseCode = state.code;
    if (!state.keepConnection) Disconnect();
}
