#pragma once
// Failures of the HTTP client. Every outcome other than a 2xx answer raises one of these.

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

// The connection could not be made, was lost or timed out, or the answer broke the protocol
// (an over-long line, a bad chunk size).
class EHttpError : public Exception {
public:
    using Exception::Exception;
};

// The words every refusal of the service's certificate starts with, followed by the reason.
constexpr const char* kUntrustedCertificateText = "The tips service's certificate is not trusted: ";

// The server's certificate is not trusted (an unknown issuer, expired, made out for another
// name). Nothing is sent to such a server, and nothing falls back to plain HTTP.
class EHttpCertificateError : public EHttpError {
public:
    explicit EHttpCertificateError(const AnsiString& reason)
        : EHttpError(kUntrustedCertificateText + reason), m_reason(reason) {}
    const AnsiString& Reason() const { return m_reason; }

private:
    AnsiString m_reason;
};

// The proxy would not open the way to the server (its answer to CONNECT was not 2xx).
class EHttpProxyRefused : public EHttpError {
public:
    EHttpProxyRefused(const AnsiString& message, int statusCode)
        : EHttpError(message), m_statusCode(statusCode) {}
    int StatusCode() const { return m_statusCode; }

private:
    int m_statusCode;
};

// The server answered with a status other than 2xx.
class EHttpProtocolError : public EHttpError {
public:
    EHttpProtocolError(int statusCode, AnsiString statusLine, AnsiString body)
        : EHttpError(statusLine.empty() ? "HTTP error" : statusLine), m_statusCode(statusCode),
          m_statusLine(std::move(statusLine)), m_body(std::move(body)) {}
    int StatusCode() const { return m_statusCode; }
    const AnsiString& StatusLine() const { return m_statusLine; }
    // The start of the answer's body (at most kMaxErrorBody bytes are kept).
    const AnsiString& Body() const { return m_body; }

    static constexpr std::size_t kMaxErrorBody = 64 * 1024;

private:
    int m_statusCode;
    AnsiString m_statusLine;
    AnsiString m_body;
};

// The answer redirects (a Location header, or 3xx other than 304); redirects are not followed.
class EHttpRedirect : public EHttpProtocolError {
public:
    EHttpRedirect(int statusCode, AnsiString statusLine, AnsiString body, AnsiString location)
        : EHttpProtocolError(statusCode, std::move(statusLine), std::move(body)),
          m_location(std::move(location)) {}
    const AnsiString& Location() const { return m_location; }

private:
    AnsiString m_location;
};
