#pragma once
// Buffered reading of HTTP lines and bytes, with the line limit and time-outs the client and the
// demo service need. The bytes come from a socket, from a TLS session over one (the same bytes
// as over plain TCP), or from memory when an answer is replayed.

#include "platform/Socket.h"
#include "platform/TlsSession.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Where an HTTP reader's bytes come from.
class THttpSource {
public:
    virtual ~THttpSource() = default;
    // As TcpSocket::Receive: a positive byte count, or kSocketClosed, kSocketError or
    // kSocketTimeout.
    virtual long Receive(void* buffer, std::size_t size, int timeoutMs) = 0;
    // Why the last Receive failed, when it did.
    virtual const std::string& LastError() const = 0;
};

// Bytes held in memory, handed out in pieces of at most `pieceSize` bytes (so that a reader meets
// every way an answer can be split), then the end of the connection.
class THttpMemorySource : public THttpSource {
public:
    explicit THttpMemorySource(std::string_view bytes, std::size_t pieceSize = 1 << 20)
        : m_bytes(bytes), m_pieceSize(pieceSize ? pieceSize : 1) {}
    long Receive(void* buffer, std::size_t size, int timeoutMs) override;
    const std::string& LastError() const override { return m_noError; }

private:
    std::string_view m_bytes;
    std::size_t m_pieceSize;
    std::string m_noError;
};

class THttpInput {
public:
    enum class Status { Ok, Closed, Failed, TimedOut, TooLong };

    THttpInput(TcpSocket& socket, int timeoutMs);
    THttpInput(TTlsSession& session, int timeoutMs);
    THttpInput(THttpSource& source, int timeoutMs);
    ~THttpInput();

    // Each wait for data lasts at most the time-out (0: no limit) and never past the deadline.
    void SetTimeoutMs(int timeoutMs) { m_timeoutMs = timeoutMs; }
    void SetDeadline(std::chrono::steady_clock::time_point deadline);
    void ClearDeadline() { m_hasDeadline = false; }

    // Reads one line ended by LF; the LF and a CR before it are dropped. TooLong when the line
    // holds more than maxLength bytes; Closed when the connection ends before the LF.
    Status ReadLine(std::string& line, std::size_t maxLength);
    // Hands out between 1 and maxBytes bytes, valid until the next call. Closed at the end.
    Status Read(std::size_t maxBytes, std::string_view& bytes);
    // Copies between 1 and size bytes into `target` and sets `got`. Bytes already buffered come
    // first; past them a large read goes straight from the source into `target`, so a body is
    // not copied twice.
    Status ReadInto(char* target, std::size_t size, std::size_t& got);
    // Bytes received but not handed out yet.
    std::size_t Buffered() const { return m_end - m_begin; }
    // Whether anything at all has been received.
    bool ReceivedAny() const { return m_receivedAny; }
    const std::string& LastError() const { return m_source.LastError(); }

private:
    // Receives into `target`, honouring the time-out and the deadline.
    long Receive(char* target, std::size_t size, Status& status);
    Status Fill();

    std::unique_ptr<THttpSource> m_ownSource;
    THttpSource& m_source;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0, m_end = 0;
    int m_timeoutMs;
    bool m_hasDeadline = false;
    bool m_receivedAny = false;
    std::chrono::steady_clock::time_point m_deadline;
};
