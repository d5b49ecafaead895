#pragma once
// TLS over a connected TcpSocket, for the tips client (verifying the server) and the demo
// service (presenting a certificate). The TLS library is loaded on first use, not with the
// program, as the transfer library is (platform/Internet.cpp): its code stays off the start
// path of the window. Every wait is bounded by the caller's time-out, as TcpSocket's are.

#include "platform/Socket.h"

#include <string>
#include <vector>

// The certificate and key a server presents.
class TTlsServerCredentials {
public:
    TTlsServerCredentials();
    ~TTlsServerCredentials();
    TTlsServerCredentials(const TTlsServerCredentials&) = delete;
    TTlsServerCredentials& operator=(const TTlsServerCredentials&) = delete;

    // Reads a PEM certificate chain and its private key. False, with the reason in `error`,
    // when either cannot be read or they do not belong together.
    bool Load(const std::string& certificateFile, const std::string& keyFile, std::string& error);
    bool Loaded() const { return m_context != nullptr; }

private:
    friend class TTlsSession;
    void* m_context = nullptr;
};

class TTlsSession {
public:
    // The socket must stay connected and alive for as long as the session is used; the
    // session never closes it.
    explicit TTlsSession(TcpSocket& socket);
    ~TTlsSession();
    TTlsSession(const TTlsSession&) = delete;
    TTlsSession& operator=(const TTlsSession&) = delete;

    // Whether TLS can be used at all; the reason when not.
    static bool Available(std::string& why);

    // The client's handshake: TLS 1.2 or newer, the host's name sent (SNI) unless it is an
    // address, the server's certificate checked against the system's trusted certificates
    // (SSL_CERT_FILE and SSL_CERT_DIR name others) and against `host`. False on any failure;
    // CertificateRejected() tells a certificate that is not trusted from other failures.
    bool Connect(const std::string& host, int timeoutMs);
    // The server's handshake with the given credentials.
    bool Accept(const TTlsServerCredentials& credentials, int timeoutMs);

    // As TcpSocket's: every byte or failure; a positive count or kSocketClosed, kSocketError,
    // kSocketTimeout.
    bool SendAll(const void* data, std::size_t size, int timeoutMs);
    long Receive(void* buffer, std::size_t size, int timeoutMs);
    // Between requests: true when the peer has closed the connection or sent application data
    // nobody asked for. Records that only keep the session (tickets) do not count.
    bool IsStale();
    // Tells the peer the session ends (without waiting for its answer). The socket stays open.
    void Close();

    bool CertificateRejected() const { return m_certificateRejected; }
    // Why the last call failed; for a rejected certificate, the library's reason ("certificate
    // has expired", "hostname mismatch", ...).
    const std::string& LastError() const { return m_lastError; }

private:
    bool Start(void* context);
    bool Handshake(bool client, int timeoutMs);
    // After a call of the library that did not succeed: sends what it wrote and receives what
    // it waits for (1), or says the call failed (0, LastError set) or timed out (-1).
    int WaitAfter(int result, const char* what, int timeoutMs);
    // Sends what the library has written.
    bool Flush(int timeoutMs);
    // Receives from the socket for the library; as TcpSocket::Receive.
    long FillInput(int timeoutMs);
    void Fail(const char* what);

    TcpSocket& m_socket;
    void* m_ssl = nullptr;
    void* m_in = nullptr;  // what arrived, for the library to read
    void* m_out = nullptr; // what the library wrote, to be sent
    std::vector<char> m_receiveBuffer;
    bool m_certificateRejected = false;
    bool m_peerClosed = false;
    std::string m_lastError;
};
