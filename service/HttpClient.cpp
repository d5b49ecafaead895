#include "service/HttpClient.h"

#include "service/HttpErrors.h"
#include "service/HttpInput.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using Status = THttpInput::Status;

// Headers of one answer may not grow past this, whatever the number of lines.
constexpr std::size_t kMaxHeaderBytes = 1024 * 1024;
// The most room reserved for a body on the strength of its Content-Length alone.
constexpr long long kMaxReserve = 16ll * 1024 * 1024;

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool ContainsTextAscii(std::string_view text, std::string_view part) {
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
    return it != text.end() || part.empty();
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

struct AnswerHead {
    AnsiString statusLine;
    int code = -1;
    std::vector<std::pair<AnsiString, AnsiString>> headers;

    const AnsiString* Find(std::string_view name) const {
        for (const auto& [key, value] : headers)
            if (SameTextAscii(key, name)) return &value;
        return nullptr;
    }
    // -1 when absent or not a number.
    long long ContentLength() const {
        const AnsiString* value = Find("Content-Length");
        if (!value) return -1;
        std::string_view digits = TrimBlanks(*value);
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
            if (value && SameTextAscii(TrimBlanks(*value), "close")) return true;
        }
        return false;
    }
};

// The second blank-separated word of the status line as a number, -1 when it is none.
int StatusCodeOf(std::string_view line) {
    std::size_t start = line.find(' ');
    if (start == std::string_view::npos) return -1;
    start = line.find_first_not_of(' ', start);
    if (start == std::string_view::npos) return -1;
    std::size_t end = std::min(line.find(' ', start), line.size());
    std::string_view word = line.substr(start, end - start);
    if (word.empty() || word.size() > 9) return -1;
    int code = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return -1;
        code = code * 10 + (c - '0');
    }
    return code;
}

enum class BodyEnd {
    Complete,       // the whole body, connection usable
    ClosedByServer, // the server ended the body by closing the connection
    Lost,           // reset, failure or time-out: the body is incomplete
    BadChunk,       // a chunk size that is not a number we can take
    TooLong,        // a chunk line longer than the limit
};

using Sink = std::function<void(std::string_view)>;

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

// Reads exactly `length` bytes, fewer when the server closes first.
BodyEnd ReadCounted(THttpInput& input, unsigned long long length, const Sink& sink) {
    while (length > 0) {
        std::string_view bytes;
        Status status = input.Read(
            static_cast<std::size_t>(std::min<unsigned long long>(length, 1ull << 20)), bytes);
        if (status != Status::Ok) return EndOf(status);
        sink(bytes);
        length -= bytes.size();
    }
    return BodyEnd::Complete;
}

// Parses a chunk-size line: hex digits, optionally followed by an extension. Fails on no
// digits and on sizes past 2^60, which no real answer has.
bool ParseChunkSize(std::string_view line, unsigned long long& size) {
    line = TrimBlanks(line);
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

BodyEnd ReadChunked(THttpInput& input, const Sink& sink) {
    std::string line;
    for (;;) {
        Status status = input.ReadLine(line, THttpClient::kMaxLineLength);
        if (status != Status::Ok) return status == Status::Closed ? BodyEnd::Lost : EndOf(status);
        unsigned long long size;
        if (!ParseChunkSize(line, size)) return BodyEnd::BadChunk;
        if (size == 0) break;
        BodyEnd end = ReadCounted(input, size, sink);
        if (end != BodyEnd::Complete) return end == BodyEnd::ClosedByServer ? BodyEnd::Lost : end;
        status = input.ReadLine(line, THttpClient::kMaxLineLength); // the CR LF after the data
        if (status != Status::Ok) return status == Status::Closed ? BodyEnd::Lost : EndOf(status);
    }
    // Trailer lines up to the empty line that ends the chunked body.
    std::size_t trailerBytes = 0;
    for (;;) {
        Status status = input.ReadLine(line, THttpClient::kMaxLineLength);
        if (status == Status::Closed) return BodyEnd::ClosedByServer; // the body is whole
        if (status != Status::Ok) return EndOf(status);
        if (line.empty()) return BodyEnd::Complete;
        trailerBytes += line.size() + 2;
        if (trailerBytes > kMaxHeaderBytes) return BodyEnd::TooLong;
    }
}

BodyEnd ReadBody(THttpInput& input, const AnswerHead& head, const Sink& sink) {
    if (head.code == 204 || head.code == 304) return BodyEnd::Complete; // never have a body
    long long length = head.ContentLength();
    if (length >= 1) {
        BodyEnd end = ReadCounted(input, static_cast<unsigned long long>(length), sink);
        return end;
    }
    const AnsiString* encoding = head.Find("Transfer-Encoding");
    if (encoding && ContainsTextAscii(*encoding, "chunked")) return ReadChunked(input, sink);
    if (length < 0) {
        std::string_view bytes;
        for (;;) {
            Status status = input.Read(1 << 20, bytes);
            if (status != Status::Ok) return EndOf(status);
            sink(bytes);
        }
    }
    return BodyEnd::Complete;
}

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

bool HasControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

AnsiString ConnectHost(const AnsiString& host) {
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        return host.substr(1, host.size() - 2);
    return host;
}

} // namespace

THttpClient::THttpClient(TComponent* owner) : TComponent(owner) {}

THttpClient::~THttpClient() = default;

void THttpClient::Disconnect() {
    m_socket.Close();
    m_connectedHost.clear();
    m_connectedPort = 0;
}

AnsiString THttpClient::HttpGetText(const AnsiString& url) {
    AnsiString answer;
    HttpGetText(url, answer);
    return answer;
}

void THttpClient::HttpGetText(const AnsiString& url, AnsiString& answer) {
    AnsiString body;
    try {
        Get(SplitHttpUrl(url), body);
    } catch (...) {
        // What arrived of a 2xx body is still the answer.
        if (!body.empty()) answer = std::move(body);
        throw;
    }
    answer = std::move(body);
}

AnsiString THttpClient::BuildRequest(const THttpUrl& url) const {
    AnsiString request;
    request.reserve(256);
    request += "GET " + url.RequestTarget() + " HTTP/1.1\r\n";
    request += "Content-Type: " + AnsiString(kContentType) + "\r\n";
    request += "Host: " + url.HostHeader() + "\r\n";
    request += "Accept: " + AnsiString(kAccept) + "\r\n";
    request += "User-Agent: " + AnsiString(kUserAgent) + "\r\n";
    AnsiString cookies = m_cookies.CookieHeader(url.host, url.path + url.document);
    if (!cookies.empty()) request += "Cookie: " + cookies + "\r\n";
    request += "\r\n";
    return request;
}

void THttpClient::EnsureConnection(const THttpUrl& url) {
    if (m_socket.IsOpen() &&
        (m_connectedHost != url.host || m_connectedPort != url.port || m_socket.IsStale()))
        Disconnect();
    if (m_socket.IsOpen()) return;
    if (!m_socket.Connect(ConnectHost(url.host), url.port, m_timeoutMs)) {
        AnsiString reason = m_socket.LastError();
        Disconnect();
        throw EHttpError("Cannot connect to " + url.HostHeader() + ": " + reason);
    }
    m_connectedHost = url.host;
    m_connectedPort = url.port;
}

void THttpClient::Get(const THttpUrl& url, AnsiString& body) {
    if (!SameTextAscii(url.scheme, "http")) throw EHttpError("Unsupported scheme: " + url.scheme);
    if (url.host.empty()) throw EHttpError("The URL names no host");
    if (url.port < 0) throw EHttpError("The URL's port is not a valid number");
    // Control bytes would end the request line early and smuggle in headers of their own.
    if (HasControlBytes(url.host) || HasControlBytes(url.RequestTarget()))
        throw EHttpError("The URL holds control characters");

    std::time_t now = std::time(nullptr);
    m_cookies.RemoveExpired(now);
    AnsiString request = BuildRequest(url);
    EnsureConnection(url);
    if (!m_socket.SendAll(request.data(), request.size(), m_timeoutMs)) {
        AnsiString reason = m_socket.LastError();
        Disconnect();
        throw EHttpError("Cannot send the request: " + reason);
    }

    THttpInput input(m_socket, m_timeoutMs);
    AnswerHead head;
    const AnsiString cookiePath = url.path + url.document;
    for (;;) {
        head = AnswerHead();
        Status status = input.ReadLine(head.statusLine, kMaxLineLength);
        if (status != Status::Ok) {
            bool receivedAny = input.ReceivedAny();
            Disconnect();
            FailStatus(status, input, receivedAny);
        }
        std::size_t headerBytes = 0;
        std::string line;
        for (;;) {
            status = input.ReadLine(line, kMaxLineLength);
            if (status == Status::Ok && (headerBytes += line.size() + 2) > kMaxHeaderBytes)
                status = Status::TooLong;
            if (status != Status::Ok) {
                Disconnect();
                FailStatus(status, input, true);
            }
            if (line.empty()) break;
            std::size_t colon = line.find(':');
            if (colon == std::string::npos) continue;
            head.headers.emplace_back(
                AnsiString(TrimBlanks(std::string_view(line).substr(0, colon))),
                AnsiString(TrimBlanks(std::string_view(line).substr(colon + 1))));
        }
        head.code = StatusCodeOf(head.statusLine);
        for (const auto& [name, value] : head.headers) {
            if (SameTextAscii(name, "Set-cookie"))
                m_cookies.AddFromHeader(value, false, url.host, cookiePath, now);
            else if (SameTextAscii(name, "Set-cookie2"))
                m_cookies.AddFromHeader(value, true, url.host, cookiePath, now);
        }
        if (head.code != 100) break;
    }
    m_responseCode = head.code;
    bool keepOpen = !head.AsksToClose();

    const AnsiString* location = head.Find("Location");
    bool redirect = location || (head.code >= 300 && head.code <= 399 && head.code != 304);
    if (redirect || head.code < 200 || head.code > 299) {
        AnsiString errorBody;
        input.SetDeadline(std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(kDiscardTimeoutMs));
        BodyEnd end = ReadBody(input, head, [&errorBody](std::string_view bytes) {
            std::size_t room = EHttpProtocolError::kMaxErrorBody - errorBody.size();
            errorBody.append(bytes.substr(0, std::min(room, bytes.size())));
        });
        if (end != BodyEnd::Complete || !keepOpen || input.Buffered() > 0) Disconnect();
        if (redirect)
            throw EHttpRedirect(head.code, head.statusLine, std::move(errorBody),
                                location ? *location : AnsiString());
        throw EHttpProtocolError(head.code, head.statusLine, std::move(errorBody));
    }

    // Room for the announced length up front saves copying a large body over and over while
    // it grows. Only address space is taken: pages become memory as bytes arrive, and an
    // absurd length is capped.
    long long announced = head.ContentLength();
    if (announced > 0) body.reserve(static_cast<std::size_t>(std::min(announced, kMaxReserve)));
    BodyEnd end = ReadBody(input, head, [&body](std::string_view bytes) { body.append(bytes); });
    if (end != BodyEnd::Complete || !keepOpen || input.Buffered() > 0) Disconnect();
    switch (end) {
    case BodyEnd::Complete:
    case BodyEnd::ClosedByServer:
        return;
    case BodyEnd::BadChunk:
        throw EHttpError("Invalid chunk size in the answer");
    case BodyEnd::TooLong:
        throw EHttpError("Answer line too long");
    case BodyEnd::Lost:
        FailConnection("Connection lost while reading the answer", input);
    }
}
