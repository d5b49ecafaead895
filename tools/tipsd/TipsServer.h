#pragma once
// The demo tips service: a small HTTP/1.1 server on loopback answering the client's requests.

#include "FaultModes.h"
#include "platform/Socket.h"
#include "platform/TlsSession.h"

#include <atomic>
#include <cstdint>
#include <string>

struct TipsServerOptions {
    std::string address = "127.0.0.1";
    int port = 18080;
    std::string login = "demo";
    std::string password = "demo";
    std::string answer;          // the login answer for accepted logins
    bool answerFromFile = false; // the answer came from a file: serve it for every login
    bool outdated = false;       // the version marker answers 404
    bool verbose = false;        // one line per request on stderr
    int idleTimeoutMs = 30000;   // a kept-alive connection without requests is closed
    // Both set: HTTPS with this PEM certificate chain and key; both empty: plain HTTP.
    std::string tlsCertificate, tlsKey;
    TFaultPlan faults; // what goes wrong on purpose (none by default)
};

struct HttpRequest {
    std::string method, target, version;
    std::string path, query;
    std::string cookie;
    bool wantsClose = false;
};

struct HttpResponse {
    int code = 200;
    std::string reason = "OK";
    std::string contentType = "text/html; charset=windows-1251";
    std::string body;
    std::string setCookie;
};

class TipsServer {
public:
    explicit TipsServer(TipsServerOptions options) : m_options(std::move(options)) {}

    bool Start(std::string& error);
    int Port() const { return m_listener.Port(); }
    bool Secure() const { return m_credentials.Loaded(); }
    // Serves until Stop() is called from another thread or a signal handler.
    void Run();
    void Stop() { m_stopping = true; }

    // The answer to one request (public for tests of the routes).
    HttpResponse Answer(const HttpRequest& request);

private:
    void Serve(TcpSocket socket);

    TipsServerOptions m_options;
    TcpListener m_listener;
    TTlsServerCredentials m_credentials;
    std::atomic<bool> m_stopping{false};
    std::atomic<unsigned> m_sessionCounter{0};
    unsigned m_sessionSalt = 0; // differs from run to run
};

// "%41" -> "A"; a "%" without two hex digits stays as it is.
std::string PercentDecode(const std::string& text);
// The decoded value of `key` in a query "a=1&b=2" (leading "?" allowed), or empty.
std::string QueryValue(const std::string& query, const std::string& key);
