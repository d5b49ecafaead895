#include "platform/Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

std::string ErrnoText(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

bool SetNonBlocking(int fd, bool on) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) return false;
    flags = on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return fcntl(fd, F_SETFL, flags) == 0;
}

// Polls one descriptor; restarts after signals. Returns poll's result.
int PollOne(int fd, short events, int timeoutMs, short* revents) {
    pollfd p{fd, events, 0};
    int result;
    do {
        result = poll(&p, 1, timeoutMs > 0 ? timeoutMs : -1);
    } while (result < 0 && errno == EINTR);
    if (revents) *revents = p.revents;
    return result;
}

// Connects one resolved address, waiting at most timeoutMs. Returns the descriptor or -1.
int ConnectOne(const addrinfo* ai, int timeoutMs, std::string& error) {
    int fd = socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol);
    if (fd < 0) {
        error = ErrnoText("socket", errno);
        return -1;
    }
    if (!SetNonBlocking(fd, true)) {
        error = ErrnoText("fcntl", errno);
        close(fd);
        return -1;
    }
    int result = connect(fd, ai->ai_addr, ai->ai_addrlen);
    if (result < 0 && errno != EINPROGRESS) {
        error = ErrnoText("connect", errno);
        close(fd);
        return -1;
    }
    if (result < 0) {
        short revents = 0;
        int ready = PollOne(fd, POLLOUT, timeoutMs, &revents);
        if (ready == 0) {
            error = "connect: timed out";
            close(fd);
            return -1;
        }
        int soError = 0;
        socklen_t len = sizeof soError;
        if (ready < 0 || getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) < 0 || soError) {
            error = ErrnoText("connect", ready < 0 ? errno : soError);
            close(fd);
            return -1;
        }
    }
    SetNonBlocking(fd, false);
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

} // namespace

TcpSocket::~TcpSocket() {
    Close();
}

TcpSocket::TcpSocket(TcpSocket&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_lastError(std::move(other.m_lastError)) {}

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_lastError = std::move(other.m_lastError);
    }
    return *this;
}

bool TcpSocket::Connect(const std::string& host, int port, int timeoutMs) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    std::string service = std::to_string(port);
    int rc = getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
    if (rc != 0) {
        m_lastError = std::string("cannot resolve host \"") + host + "\": " + gai_strerror(rc);
        return false;
    }
    m_lastError = "no address for host \"" + host + "\"";
    for (addrinfo* ai = list; ai; ai = ai->ai_next) {
        int fd = ConnectOne(ai, timeoutMs, m_lastError);
        if (fd >= 0) {
            m_fd = fd;
            m_lastError.clear();
            break;
        }
    }
    freeaddrinfo(list);
    return m_fd >= 0;
}

void TcpSocket::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

int TcpSocket::WaitFor(short events, int timeoutMs) {
    short revents = 0;
    int ready = PollOne(m_fd, events, timeoutMs, &revents);
    if (ready == 0) {
        m_lastError = "timed out";
        return 0;
    }
    if (ready < 0) {
        m_lastError = ErrnoText("poll", errno);
        return -1;
    }
    return 1; // readable, writable, hung up or in error: the next call tells which
}

bool TcpSocket::SendAll(const void* data, std::size_t size, int timeoutMs) {
    if (m_fd < 0) {
        m_lastError = "not connected";
        return false;
    }
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        if (WaitFor(POLLOUT, timeoutMs) <= 0) return false;
        ssize_t sent = send(m_fd, p, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
            m_lastError = ErrnoText("send", errno);
            return false;
        }
        p += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

long TcpSocket::Receive(void* buffer, std::size_t size, int timeoutMs) {
    if (m_fd < 0) {
        m_lastError = "not connected";
        return kSocketError;
    }
    for (;;) {
        int ready = WaitFor(POLLIN, timeoutMs);
        if (ready <= 0) return ready == 0 ? kSocketTimeout : kSocketError;
        ssize_t got = recv(m_fd, buffer, size, MSG_DONTWAIT);
        if (got > 0) return static_cast<long>(got);
        if (got == 0) return kSocketClosed;
        if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
        m_lastError = ErrnoText("recv", errno);
        return kSocketError;
    }
}

bool TcpSocket::IsStale() const {
    if (m_fd < 0) return true;
    short revents = 0;
    pollfd p{m_fd, POLLIN, 0};
    int ready = poll(&p, 1, 0);
    revents = p.revents;
    if (ready == 0) return false;
    if (ready < 0 || (revents & (POLLERR | POLLHUP | POLLNVAL))) return true;
    char c;
    ssize_t got = recv(m_fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return false;
    return true; // closed, reset, or unexpected bytes waiting
}

void TcpSocket::ShutdownWrite() {
    if (m_fd >= 0) shutdown(m_fd, SHUT_WR);
}

void TcpSocket::SetResetOnClose() {
    if (m_fd < 0) return;
    linger l{1, 0};
    setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

void InterruptSocket(int fd) {
    if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
}

TcpListener::~TcpListener() {
    Close();
}

bool TcpListener::Listen(const std::string& address, int port, int backlog) {
    Close();
    sockaddr_storage storage{};
    socklen_t length = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<uint16_t>(port));
        length = sizeof *v4;
    } else if (inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<uint16_t>(port));
        length = sizeof *v6;
    } else {
        m_lastError = "not a numeric address: " + address;
        return false;
    }
    int fd = socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_lastError = ErrnoText("socket", errno);
        return false;
    }
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(fd, reinterpret_cast<sockaddr*>(&storage), length) < 0 || listen(fd, backlog) < 0) {
        m_lastError = ErrnoText("bind/listen", errno);
        ::close(fd);
        return false;
    }
    sockaddr_storage bound{};
    socklen_t boundLength = sizeof bound;
    getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &boundLength);
    m_port = bound.ss_family == AF_INET ? ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port)
                                        : ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port);
    m_fd = fd;
    return true;
}

TcpSocket TcpListener::Accept(int timeoutMs) {
    if (m_fd < 0) return TcpSocket();
    short revents = 0;
    if (PollOne(m_fd, POLLIN, timeoutMs, &revents) <= 0) return TcpSocket();
    int fd;
    do {
        fd = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_lastError = ErrnoText("accept", errno);
        return TcpSocket();
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return TcpSocket(fd);
}

void TcpListener::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool IsIpAddress(const std::string& host) {
    in6_addr buffer;
    std::string bare = host;
    if (bare.size() > 2 && bare.front() == '[' && bare.back() == ']')
        bare = bare.substr(1, bare.size() - 2);
    return inet_pton(AF_INET, bare.c_str(), &buffer) == 1 ||
           inet_pton(AF_INET6, bare.c_str(), &buffer) == 1;
}
