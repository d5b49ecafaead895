#pragma once
// One client's connection to the demo service: plain TCP, or TLS over it when the service has
// a certificate. The requests are read and the answers written the same way over both.

#include "platform/Socket.h"
#include "platform/TlsSession.h"
#include "service/HttpInput.h"

#include <memory>
#include <optional>
#include <string>

class TipsConnection {
public:
    // `credentials` null: plain TCP.
    TipsConnection(TcpSocket socket, const TTlsServerCredentials* credentials);
    ~TipsConnection();
    TipsConnection(const TipsConnection&) = delete;
    TipsConnection& operator=(const TipsConnection&) = delete;

    // Makes the connection ready for requests: the TLS handshake, when there is TLS. False,
    // with the reason in `error`, when it fails.
    bool Open(int timeoutMs, std::string& error);
    // What the client sends. Valid after Open.
    THttpInput& Input() { return *m_input; }
    bool SendAll(const void* data, std::size_t size, int timeoutMs);

private:
    TcpSocket m_socket;
    const TTlsServerCredentials* m_credentials;
    std::unique_ptr<TTlsSession> m_tls;
    std::optional<THttpInput> m_input;
};
