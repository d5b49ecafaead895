#pragma once
// Blocking TCP over POSIX sockets. Every wait is bounded by a time-out in milliseconds given by
// the caller (0 or less waits as long as the operating system lets it), so no silent peer can
// hold a caller forever.

#include <cstddef>
#include <string>

// Results of TcpSocket::Receive besides a positive byte count.
constexpr long kSocketClosed = 0;   // the peer closed the connection in order
constexpr long kSocketError = -1;   // reset or another failure of the connection
constexpr long kSocketTimeout = -2; // nothing arrived within the time-out

class TcpSocket {
public:
    TcpSocket() = default;
    explicit TcpSocket(int fd) : m_fd(fd) {}
    ~TcpSocket();
    TcpSocket(TcpSocket&& other) noexcept;
    TcpSocket& operator=(TcpSocket&& other) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Resolves the host with getaddrinfo and connects to the first address that answers.
    // False on failure; LastError() then says why.
    bool Connect(const std::string& host, int port, int timeoutMs);
    bool IsOpen() const { return m_fd >= 0; }
    void Close();
    int Fd() const { return m_fd; }
    const std::string& LastError() const { return m_lastError; }

    // Sends every byte or fails.
    bool SendAll(const void* data, std::size_t size, int timeoutMs);
    // Waits for data and reads what is there, at most size bytes: a positive count, or one of
    // kSocketClosed, kSocketError, kSocketTimeout.
    long Receive(void* buffer, std::size_t size, int timeoutMs);
    // For a kept-alive connection between requests: true when the peer has closed or reset it
    // (or sent bytes nobody asked for, which makes it unusable as well).
    bool IsStale() const;
    // Ends our sending direction; the peer reads end of stream.
    void ShutdownWrite();
    // Makes the next Close() reset the connection instead of closing it in order.
    void SetResetOnClose();

private:
    // 1 when the socket is ready (or in error), 0 on time-out, -1 when polling failed.
    int WaitFor(short events, int timeoutMs);

    int m_fd = -1;
    std::string m_lastError;
};

// Thread-safe: shuts both directions of a connected socket down, so that a wait for it on
// another thread (connected, sending or receiving) ends at once as if the peer had gone. The
// descriptor stays open until its owner closes it.
void InterruptSocket(int fd);

// A listening TCP socket, for the demo service, tests and benchmarks.
class TcpListener {
public:
    TcpListener() = default;
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // Listens on the given numeric address; port 0 picks a free port (see Port()).
    bool Listen(const std::string& address, int port, int backlog = 16);
    int Port() const { return m_port; }
    bool IsOpen() const { return m_fd >= 0; }
    // Waits for the next connection; an unopened socket on time-out or failure.
    TcpSocket Accept(int timeoutMs);
    void Close();
    const std::string& LastError() const { return m_lastError; }

private:
    int m_fd = -1;
    int m_port = 0;
    std::string m_lastError;
};

// True when the text is a numeric IPv4 or IPv6 address.
bool IsIpAddress(const std::string& host);
