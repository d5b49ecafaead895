#include "service/HttpAnswer.h"

#include "platform/HttpStatusLine.h"
#include "rtl/Strings.h"
#include "service/HttpErrors.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <utility>
#include <vector>

namespace {

using Status = THttpInput::Status;

// The most room reserved for a body on the strength of its Content-Length alone.
constexpr std::size_t kMaxReserve = 16 * 1024 * 1024;
// A body read to the end of the connection grows by at least this much at a time.
constexpr std::size_t kMinGrowth = 64 * 1024;

bool ContainsTextAscii(std::string_view text, std::string_view part) {
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
    return it != text.end() || part.empty();
}

struct AnswerHead {
    AnsiString statusLine;
    int code = -1;
    std::vector<std::pair<AnsiString, AnsiString>> headers;

    const AnsiString* Find(std::string_view name) const {
        for (const auto& [key, value] : headers)
            if (SameText(key, name)) return &value;
        return nullptr;
    }
    // -1 when absent or not a number.
    long long ContentLength() const {
        const AnsiString* value = Find("Content-Length");
        if (!value) return -1;
        std::string_view digits = TrimView(*value);
        if (digits.empty() || digits.size() > 18) return -1;
        long long length = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return -1;
            length = length * 10 + (c - '0');
        }
        return length;
    }
    bool AsksToClose() const {
        for (const char* name : {"Connection", "Proxy-Connection"}) {
            const AnsiString* value = Find(name);
            if (value && SameText(TrimView(*value), "close")) return true;
        }
        return false;
    }
};

enum class BodyEnd {
    Complete,       // the whole body, connection usable
    ClosedByServer, // the server ended the body by closing the connection
    Lost,           // reset, failure or time-out: the body is incomplete
    BadChunk,       // a chunk size that is not a number we can take
    TooLong,        // a chunk line longer than the limit
    TooLarge,       // more body than an answer may have
};

BodyEnd EndOf(Status status) {
    switch (status) {
    case Status::Closed:
        return BodyEnd::ClosedByServer;
    case Status::TooLong:
        return BodyEnd::TooLong;
    default:
        return BodyEnd::Lost;
    }
}

// Parses a chunk-size line: hex digits, optionally followed by an extension. Fails on no
// digits and on sizes past 2^60, which no real answer has.
bool ParseChunkSize(std::string_view line, unsigned long long& size) {
    line = TrimView(line);
    size = 0;
    std::size_t digits = 0;
    for (char c : line) {
        int value;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        else if (c == ';' || c == ' ' || c == '\t')
            break;
        else
            return false;
        if (size >> 56) return false;
        size = size * 16 + static_cast<unsigned>(value);
        ++digits;
    }
    return digits > 0;
}

// Reads a body into a text, straight from the connection into the text's own storage, up to
// a limit; past the limit the body either fails (an answer's body) or is read and dropped (a
// refused answer's body, of which only the start is kept). Or hands it to a sink as it comes.
class TBodyReader {
public:
    TBodyReader(THttpInput& input, AnsiString& out, std::size_t limit, bool failPastLimit)
        : m_input(input), m_out(&out), m_filled(out.size()), m_limit(limit),
          m_failPastLimit(failPastLimit) {}
    TBodyReader(THttpInput& input, const THttpBodySink& sink) : m_input(input), m_sink(&sink) {}
    // The text ends with the bytes read, whatever ended the body.
    ~TBodyReader() {
        if (m_out) m_out->resize(m_filled);
    }
    TBodyReader(const TBodyReader&) = delete;
    TBodyReader& operator=(const TBodyReader&) = delete;

    BodyEnd Read(const AnswerHead& head) {
        if (head.code == 204 || head.code == 304) return BodyEnd::Complete; // never have a body
        long long length = head.ContentLength();
        if (length >= 1) return Counted(static_cast<unsigned long long>(length));
        const AnsiString* encoding = head.Find("Transfer-Encoding");
        if (encoding && ContainsTextAscii(*encoding, "chunked")) return Chunked();
        if (length < 0) return Counted(~0ull);
        return BodyEnd::Complete;
    }

private:
    // Reads exactly `length` bytes, fewer when the server closes first.
    BodyEnd Counted(unsigned long long length) {
        while (length > 0) {
            std::size_t got;
            Status status = Take(length, got);
            if (m_tooLarge) return BodyEnd::TooLarge;
            if (status != Status::Ok) return EndOf(status);
            length -= got;
        }
        return BodyEnd::Complete;
    }

    BodyEnd Chunked() {
        std::string line;
        for (;;) {
            Status status = m_input.ReadLine(line, kMaxHttpLineLength);
            if (status != Status::Ok)
                return status == Status::Closed ? BodyEnd::Lost : EndOf(status);
            unsigned long long size;
            if (!ParseChunkSize(line, size)) return BodyEnd::BadChunk;
            if (size == 0) break;
            BodyEnd end = Counted(size);
            if (end != BodyEnd::Complete)
                return end == BodyEnd::ClosedByServer ? BodyEnd::Lost : end;
            status = m_input.ReadLine(line, kMaxHttpLineLength); // the CR LF after the data
            if (status != Status::Ok)
                return status == Status::Closed ? BodyEnd::Lost : EndOf(status);
        }
        // Trailer lines up to the empty line that ends the chunked body.
        std::size_t trailerBytes = 0;
        for (;;) {
            Status status = m_input.ReadLine(line, kMaxHttpLineLength);
            if (status == Status::Closed) return BodyEnd::ClosedByServer; // the body is whole
            if (status != Status::Ok) return EndOf(status);
            if (line.empty()) return BodyEnd::Complete;
            trailerBytes += line.size() + 2;
            if (trailerBytes > kMaxHttpHeaderBytes) return BodyEnd::TooLong;
        }
    }

    // Reads between 1 and `want` bytes of the body and sets `got`; the status that ended the
    // body otherwise.
    Status Take(unsigned long long want, std::size_t& got) {
        got = 0;
        std::size_t step = static_cast<std::size_t>(std::min<unsigned long long>(want, 1ull << 30));
        if (m_sink) {
            std::string_view bytes;
            Status status = m_input.Read(step, bytes);
            if (status == Status::Ok) (*m_sink)(bytes);
            got = bytes.size();
            return status;
        }
        if (m_filled >= m_limit) {
            std::string_view dropped;
            Status status = m_input.Read(step, dropped);
            got = dropped.size();
            if (status == Status::Ok && m_failPastLimit) m_tooLarge = true;
            return status;
        }
        step = std::min(step, m_limit - m_filled);
        if (m_out->size() == m_filled) {
            // The text grows geometrically, so that a body arriving in small pieces is neither
            // zeroed nor moved more than about once.
            std::size_t growth = std::min(step, std::max(kMinGrowth, m_filled));
            m_out->resize(m_filled + growth);
        }
        step = std::min(step, m_out->size() - m_filled);
        Status status = m_input.ReadInto(m_out->data() + m_filled, step, got);
        m_filled += got;
        return status;
    }

    THttpInput& m_input;
    AnsiString* m_out = nullptr;
    const THttpBodySink* m_sink = nullptr;
    std::size_t m_filled = 0;
    std::size_t m_limit = 0;
    bool m_failPastLimit = false;
    bool m_tooLarge = false;
};

[[noreturn]] void FailConnection(const char* what, const THttpInput& input) {
    AnsiString reason = input.LastError();
    throw EHttpError(reason.empty() ? AnsiString(what) : AnsiString(what) + ": " + reason);
}

[[noreturn]] void FailStatus(Status status, const THttpInput& input, bool receivedAny) {
    switch (status) {
    case Status::TooLong:
        throw EHttpError("Answer line too long");
    case Status::TimedOut:
        throw EHttpError("Read timed out");
    case Status::Closed:
        throw EHttpError(receivedAny ? "Connection closed in the middle of the answer"
                                     : "Connection closed before an answer");
    default:
        FailConnection("Connection lost", input);
    }
}

// Reads the status line and headers of one answer.
void ReadHead(THttpInput& input, AnswerHead& head) {
    Status status = input.ReadLine(head.statusLine, kMaxHttpLineLength);
    if (status != Status::Ok) FailStatus(status, input, input.ReceivedAny());
    std::size_t headerBytes = 0;
    std::string line;
    for (;;) {
        status = input.ReadLine(line, kMaxHttpLineLength);
        if (status == Status::Ok && (headerBytes += line.size() + 2) > kMaxHttpHeaderBytes)
            status = Status::TooLong;
        if (status != Status::Ok) FailStatus(status, input, true);
        if (line.empty()) break;
        std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        head.headers.emplace_back(AnsiString(TrimView(std::string_view(line).substr(0, colon))),
                                  AnsiString(TrimView(std::string_view(line).substr(colon + 1))));
    }
    head.code = StatusCodeOf(head.statusLine);
}

} // namespace

namespace {

// Reads the head of the answer, stores its cookies and raises for anything but a 2xx answer,
// after reading the refused answer's body.
AnswerHead ReadSuccessHead(THttpInput& input, TCookieStore& cookies, const THttpUrl& url,
                           std::time_t now, THttpAnswerState& state) {
    state = THttpAnswerState();
    AnswerHead head;
    const AnsiString cookiePath = url.path + url.document;
    for (;;) {
        head = AnswerHead();
        ReadHead(input, head);
        for (const auto& [name, value] : head.headers) {
            if (SameText(name, "Set-cookie"))
                cookies.AddFromHeader(value, false, url.host, cookiePath, now);
            else if (SameText(name, "Set-cookie2"))
                cookies.AddFromHeader(value, true, url.host, cookiePath, now);
        }
        if (head.code != 100) break;
    }
    state.headRead = true;
    state.code = head.code;
    const bool keepOpen = !head.AsksToClose();

    const AnsiString* location = head.Find("Location");
    bool redirect = location || (head.code >= 300 && head.code <= 399 && head.code != 304);
    if (redirect || head.code < 200 || head.code > 299) {
        AnsiString errorBody;
        input.SetDeadline(std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(kHttpDiscardTimeoutMs));
        BodyEnd end =
            TBodyReader(input, errorBody, EHttpProtocolError::kMaxErrorBody, false).Read(head);
        state.keepConnection = end == BodyEnd::Complete && keepOpen && input.Buffered() == 0;
        if (redirect)
            throw EHttpRedirect(head.code, head.statusLine, std::move(errorBody),
                                location ? *location : AnsiString());
        throw EHttpProtocolError(head.code, head.statusLine, std::move(errorBody));
    }
    return head;
}

// What the end of a 2xx body means for the connection and the call.
void FinishBody(BodyEnd end, const AnswerHead& head, const THttpInput& input,
                THttpAnswerState& state) {
    state.keepConnection = end == BodyEnd::Complete && !head.AsksToClose() && input.Buffered() == 0;
    switch (end) {
    case BodyEnd::Complete:
    case BodyEnd::ClosedByServer:
        return;
    case BodyEnd::BadChunk:
        throw EHttpError("Invalid chunk size in the answer");
    case BodyEnd::TooLong:
        throw EHttpError("Answer line too long");
    case BodyEnd::TooLarge:
        throw EHttpError("Connection dropped: the answer is too large");
    case BodyEnd::Lost:
        FailConnection("Connection lost while reading the answer", input);
    }
}

} // namespace

void ReadHttpAnswer(THttpInput& input, TCookieStore& cookies, const THttpUrl& url, std::time_t now,
                    AnsiString& body, THttpAnswerState& state, std::size_t maxBodySize) {
    AnswerHead head = ReadSuccessHead(input, cookies, url, now, state);
    // Room for the announced length up front saves moving a large body while it grows. Only
    // address space is taken: pages become memory as bytes arrive, and an absurd length is
    // capped.
    long long announced = head.ContentLength();
    if (announced > 0)
        body.reserve(body.size() +
                     std::min<std::size_t>(static_cast<std::size_t>(announced), kMaxReserve));
    BodyEnd end = TBodyReader(input, body, maxBodySize, true).Read(head);
    FinishBody(end, head, input, state);
}

void ReadHttpAnswer(THttpInput& input, TCookieStore& cookies, const THttpUrl& url, std::time_t now,
                    const THttpBodySink& sink, THttpAnswerState& state) {
    AnswerHead head = ReadSuccessHead(input, cookies, url, now, state);
    BodyEnd end = TBodyReader(input, sink).Read(head);
    FinishBody(end, head, input, state);
}
