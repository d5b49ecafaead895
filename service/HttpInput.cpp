#include "service/HttpInput.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// Reads at least this large skip the buffer when it is empty.
constexpr std::size_t kDirectReadSize = 16 * 1024;

class TSocketSource : public THttpSource {
public:
    explicit TSocketSource(TcpSocket& socket) : m_socket(socket) {}
    long Receive(void* buffer, std::size_t size, int timeoutMs) override {
        return m_socket.Receive(buffer, size, timeoutMs);
    }
    const std::string& LastError() const override { return m_socket.LastError(); }

private:
    TcpSocket& m_socket;
};

class TTlsSource : public THttpSource {
public:
    explicit TTlsSource(TTlsSession& session) : m_session(session) {}
    long Receive(void* buffer, std::size_t size, int timeoutMs) override {
        return m_session.Receive(buffer, size, timeoutMs);
    }
    const std::string& LastError() const override { return m_session.LastError(); }

private:
    TTlsSession& m_session;
};

} // namespace

long THttpMemorySource::Receive(void* buffer, std::size_t size, int) {
    if (m_bytes.empty()) return kSocketClosed;
    std::size_t n = std::min({size, m_pieceSize, m_bytes.size()});
    std::memcpy(buffer, m_bytes.data(), n);
    m_bytes.remove_prefix(n);
    return static_cast<long>(n);
}

THttpInput::THttpInput(TcpSocket& socket, int timeoutMs)
    : m_ownSource(std::make_unique<TSocketSource>(socket)), m_source(*m_ownSource),
      m_buffer(kBufferSize), m_timeoutMs(timeoutMs) {}

THttpInput::THttpInput(TTlsSession& session, int timeoutMs)
    : m_ownSource(std::make_unique<TTlsSource>(session)), m_source(*m_ownSource),
      m_buffer(kBufferSize), m_timeoutMs(timeoutMs) {}

THttpInput::THttpInput(THttpSource& source, int timeoutMs)
    : m_source(source), m_buffer(kBufferSize), m_timeoutMs(timeoutMs) {}

THttpInput::~THttpInput() = default;

void THttpInput::SetDeadline(std::chrono::steady_clock::time_point deadline) {
    m_hasDeadline = true;
    m_deadline = deadline;
}

long THttpInput::Receive(char* target, std::size_t size, Status& status) {
    int timeoutMs = m_timeoutMs;
    if (m_hasDeadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        m_deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) {
            status = Status::TimedOut;
            return 0;
        }
        if (timeoutMs <= 0 || left < timeoutMs) timeoutMs = static_cast<int>(left);
    }
    long got = m_source.Receive(target, size, timeoutMs);
    if (got > 0) {
        m_receivedAny = true;
        status = Status::Ok;
        return got;
    }
    status = got == kSocketClosed    ? Status::Closed
             : got == kSocketTimeout ? Status::TimedOut
                                     : Status::Failed;
    return 0;
}

THttpInput::Status THttpInput::Fill() {
    if (m_begin == m_end) {
        m_begin = m_end = 0;
    } else if (m_end == m_buffer.size()) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    Status status;
    long got = Receive(m_buffer.data() + m_end, m_buffer.size() - m_end, status);
    m_end += static_cast<std::size_t>(got);
    return status;
}

THttpInput::Status THttpInput::ReadLine(std::string& line, std::size_t maxLength) {
    std::size_t searched = m_begin;
    for (;;) {
        const char* start = m_buffer.data() + searched;
        const void* lf = std::memchr(start, '\n', m_end - searched);
        if (lf) {
            std::size_t at =
                static_cast<std::size_t>(static_cast<const char*>(lf) - m_buffer.data());
            std::size_t length = at - m_begin;
            if (length > 0 && m_buffer[at - 1] == '\r') --length;
            if (length > maxLength) return Status::TooLong;
            line.assign(m_buffer.data() + m_begin, length);
            m_begin = at + 1;
            return Status::Ok;
        }
        // Room for the longest line, its CR and its LF.
        if (m_end - m_begin > maxLength + 1) return Status::TooLong;
        std::size_t offset = m_end - m_begin;
        Status status = Fill();
        if (status != Status::Ok) return status;
        searched = m_begin + offset; // Fill may have moved the pending bytes to the front
    }
}

THttpInput::Status THttpInput::Read(std::size_t maxBytes, std::string_view& bytes) {
    if (m_begin == m_end) {
        Status status = Fill();
        if (status != Status::Ok) return status;
    }
    std::size_t n = std::min(maxBytes, m_end - m_begin);
    bytes = std::string_view(m_buffer.data() + m_begin, n);
    m_begin += n;
    return Status::Ok;
}

THttpInput::Status THttpInput::ReadInto(char* target, std::size_t size, std::size_t& got) {
    got = 0;
    if (size == 0) return Status::Ok;
    if (m_begin == m_end && size >= kDirectReadSize) {
        Status status;
        got = static_cast<std::size_t>(Receive(target, size, status));
        return status;
    }
    std::string_view bytes;
    Status status = Read(size, bytes);
    if (status != Status::Ok) return status;
    std::memcpy(target, bytes.data(), bytes.size());
    got = bytes.size();
    return Status::Ok;
}
