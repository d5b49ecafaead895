#include "service/HttpInput.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

THttpInput::THttpInput(TcpSocket& socket, int timeoutMs)
    : m_socket(socket), m_buffer(kBufferSize), m_timeoutMs(timeoutMs) {}

void THttpInput::SetDeadline(std::chrono::steady_clock::time_point deadline) {
    m_hasDeadline = true;
    m_deadline = deadline;
}

THttpInput::Status THttpInput::Fill() {
    if (m_begin == m_end) {
        m_begin = m_end = 0;
    } else if (m_end == m_buffer.size()) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    int timeoutMs = m_timeoutMs;
    if (m_hasDeadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        m_deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) return Status::TimedOut;
        if (timeoutMs <= 0 || left < timeoutMs) timeoutMs = static_cast<int>(left);
    }
    long got = m_socket.Receive(m_buffer.data() + m_end, m_buffer.size() - m_end, timeoutMs);
    if (got > 0) {
        m_end += static_cast<std::size_t>(got);
        m_receivedAny = true;
        return Status::Ok;
    }
    if (got == kSocketClosed) return Status::Closed;
    if (got == kSocketTimeout) return Status::TimedOut;
    return Status::Failed;
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
