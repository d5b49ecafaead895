#pragma once
// The window's HTTP client object: an HTTP/1.1 GET of an absolute URL whose answer body comes
// back as 8-bit text, byte for byte. One connection is kept alive and reused, answers' cookies
// are kept and sent back, redirects are refused, and every outcome other than a 2xx answer
// raises an EHttpError (service/HttpErrors.h).
//
// An https:// URL is asked over TLS (platform/TlsSession.h) with the same bytes inside, the
// same limits and the same keep-alive; a certificate that is not trusted raises
// EHttpCertificateError and nothing is sent. The proxy environment variables apply as they do
// to the version probe (platform/Internet.h): plain HTTP goes to the proxy with the whole URL
// in the request line, HTTPS through a tunnel the proxy opens with CONNECT.
//
// Use from the window:
//     AnsiString answer;
//     try { HttpClient1->HttpGetText(url, answer); } catch (const Exception&) {}
// The two-argument form fills `answer` in a last step that runs even when the call fails: it
// then holds what had arrived of a 2xx body (a connection lost mid-body), or is left as it was.

#include "platform/Socket.h"
#include "platform/TlsSession.h"
#include "rtl/Classes.h"
#include "rtl/Strings.h"
#include "service/CookieStore.h"
#include "service/HttpAnswer.h"
#include "service/HttpProxy.h"
#include "service/HttpUrl.h"

#include <memory>
#include <mutex>

class THttpClient : public TComponent {
public:
    explicit THttpClient(TComponent* owner);
    ~THttpClient() override;

    static constexpr const char* kAccept = "text/html, */*";
    static constexpr const char* kUserAgent = "Mozilla/3.0 (compatible; Brelvan Library)";
    static constexpr const char* kContentType = "text/html";
    static constexpr std::size_t kMaxLineLength = kMaxHttpLineLength;
    static constexpr int kDefaultTimeoutMs = 60000;
    // How long a refused answer's body may take to arrive before the connection is dropped.
    static constexpr int kDiscardTimeoutMs = kHttpDiscardTimeoutMs;

    // Returns the answer's body; raises on every other outcome.
    AnsiString HttpGetText(const AnsiString& url);
    // As above; `answer` receives the body, or on failure what had arrived of a 2xx body when
    // anything had (and is otherwise left untouched). Raises after that last step.
    void HttpGetText(const AnsiString& url, AnsiString& answer);
    // The same GET, but the body goes to `sink` piece by piece as it arrives instead of being
    // kept, with no limit on its size: for bodies written straight to a file. Raises as
    // HttpGetText does; an exception from the sink ends the call and drops the connection.
    void HttpGet(const AnsiString& url, const THttpBodySink& sink);

    // The limit for connecting and for each wait for data, in milliseconds (0: none). A call
    // that hits it fails as if the connection had been lost.
    int TimeoutMs() const { return m_timeoutMs; }
    void SetTimeoutMs(int timeoutMs) { m_timeoutMs = timeoutMs; }

    // The status code of the last answer read (-1 before any, or when it was not a number).
    int ResponseCode() const { return m_responseCode; }
    bool Connected() const { return m_socket.IsOpen(); }
    const TCookieStore& Cookies() const { return m_cookies; }
    // Drops the kept-alive connection, if any.
    void Disconnect();
    // Safe from any thread: ends the request running on another thread at once, as a lost
    // connection ends it (an EHttpError there), and drops the connection. Without an open
    // connection (not yet connected, or between requests) it does nothing.
    void Cancel();

private:
    // Sends the request and reads the answer into `body` or, when it is null, to `sink`.
    void Get(const THttpUrl& url, AnsiString* body, const THttpBodySink* sink);
    // `proxy` is null for a direct connection.
    void EnsureConnection(const THttpUrl& url, const THttpProxy* proxy);
    // Asks the proxy for a tunnel to the URL's host, then starts TLS through it (or directly).
    void StartTls(const THttpUrl& url, const THttpProxy* proxy);
    AnsiString BuildRequest(const THttpUrl& url, const THttpProxy* proxy) const;

    TcpSocket m_socket;
    std::unique_ptr<TTlsSession> m_tls; // over m_socket, for https
    AnsiString m_connectedHost;
    int m_connectedPort = 0;
    AnsiString m_connectedRoute; // the scheme, and the proxy the connection goes through
    TCookieStore m_cookies;
    int m_timeoutMs = kDefaultTimeoutMs;
    int m_responseCode = -1;
    std::mutex m_cancelMutex; // the open connection's descriptor, as Cancel sees it
    int m_cancelFd = -1;
};
