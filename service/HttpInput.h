#pragma once
// Buffered reading of HTTP lines and bytes from a socket, with the line limit and time-outs
// the client and the demo service need.

#include "platform/Socket.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

class THttpInput {
public:
    enum class Status { Ok, Closed, Failed, TimedOut, TooLong };

    explicit THttpInput(TcpSocket& socket, int timeoutMs);

    // Each wait for data lasts at most the time-out (0: no limit) and never past the deadline.
    void SetTimeoutMs(int timeoutMs) { m_timeoutMs = timeoutMs; }
    void SetDeadline(std::chrono::steady_clock::time_point deadline);
    void ClearDeadline() { m_hasDeadline = false; }

    // Reads one line ended by LF; the LF and a CR before it are dropped. TooLong when the line
    // holds more than maxLength bytes; Closed when the connection ends before the LF.
    Status ReadLine(std::string& line, std::size_t maxLength);
    // Hands out between 1 and maxBytes bytes, valid until the next call. Closed at the end.
    Status Read(std::size_t maxBytes, std::string_view& bytes);
    // Bytes received but not handed out yet.
    std::size_t Buffered() const { return m_end - m_begin; }
    // Whether anything at all has been received.
    bool ReceivedAny() const { return m_receivedAny; }
    const std::string& LastError() const { return m_socket.LastError(); }

private:
    Status Fill();

    TcpSocket& m_socket;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0, m_end = 0;
    int m_timeoutMs;
    bool m_hasDeadline = false;
    bool m_receivedAny = false;
    std::chrono::steady_clock::time_point m_deadline;
};
