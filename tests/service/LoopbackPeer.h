#pragma once
// An HTTP peer on 127.0.0.1 for tests: it accepts connections on a free port, records every
// request head it reads and answers each connection through a handler the test gives, with
// exact bytes, resets and silences. Every connection runs on a thread of its own; nothing
// blocks past the peer's destruction.

#include "platform/Socket.h"
#include "platform/TlsSession.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class LoopbackPeer;

class PeerConnection {
public:
    PeerConnection(LoopbackPeer& peer, TcpSocket socket, int index)
        : m_peer(peer), m_socket(std::move(socket)), m_index(index) {}
    ~PeerConnection();

    // The server's TLS handshake, for a peer with credentials. False when the client went
    // away or refused the certificate.
    bool StartTls(const TTlsServerCredentials& credentials);

    int Index() const { return m_index; } // 0 for the first connection accepted
    // Reads one request head through its empty line and records it. False when the client
    // closed the connection or the peer is stopping.
    bool ReadRequest(std::string* head = nullptr);
    void Send(std::string_view bytes);
    void Close() { m_socket.Close(); }
    // Resets the connection: the client sees an error, not an orderly end.
    void Reset();
    // Waits until the client closes the connection (or the peer stops).
    void WaitForClientClose();

private:
    long Receive(char* buffer, std::size_t size, int timeoutMs);

    LoopbackPeer& m_peer;
    TcpSocket m_socket;
    std::unique_ptr<TTlsSession> m_tls;
    int m_index;
    std::string m_pending;
};

class LoopbackPeer {
public:
    using Handler = std::function<void(PeerConnection&)>;

    explicit LoopbackPeer(Handler handler);
    // An HTTPS peer: every connection starts with the TLS handshake, the certificate being
    // `credentials`' (which must outlive the peer); the handler sees the bytes inside.
    LoopbackPeer(Handler handler, const TTlsServerCredentials* credentials);
    ~LoopbackPeer();

    int Port() const { return m_listener.Port(); }
    // "http://127.0.0.1:<port>" (https for a TLS peer) followed by pathAndQuery.
    std::string Url(const std::string& pathAndQuery) const;
    // The same with another name for the host ("localhost", "[::1]").
    std::string Url(const std::string& host, const std::string& pathAndQuery) const;
    int ConnectionCount() const { return m_connections.load(); }
    // Connections whose TLS handshake failed: they never reached the handler.
    int FailedHandshakes() const { return m_failedHandshakes.load(); }
    std::vector<std::string> Requests() const;
    bool Stopping() const { return m_stopping.load(); }

    // A handler that answers the requests it reads, in order over all connections, with the
    // given raw answers; the connection stays open until the client closes it. Past the last
    // answer the connection is closed.
    static Handler Answers(std::vector<std::string> answers);

    // A complete answer: status line, the headers (each "Name: value"), Content-Length unless
    // withLength is false, and the body.
    static std::string Answer(const std::string& status, const std::vector<std::string>& headers,
                              const std::string& body, bool withLength = true);

private:
    friend class PeerConnection;
    void Record(const std::string& head);

    TcpListener m_listener;
    Handler m_handler;
    const TTlsServerCredentials* m_credentials = nullptr;
    std::atomic<int> m_failedHandshakes{0};
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_connections{0};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_threads;
    std::thread m_acceptor;
};
