#pragma once
// A small internet API for the version probe: open a session, open a URL (the answer's status
// and headers), read the status code as text, close handles. libcurl, loaded on first use, does
// the work underneath; the operating system's proxy settings (the proxy environment variables,
// see InternetProxyFor) apply, nothing is ever answered from a cache, and redirects are never
// followed. HTTPS answers count only from a server whose certificate is trusted (the system's
// certificates, or SSL_CERT_FILE / SSL_CERT_DIR) and made out for the URL's host, over TLS 1.2
// or newer.

#include <cstdint>
#include <string>

using HINTERNET = void*;
using DWORD = std::uint32_t;
using BOOL = int;

// Access type: the system's proxy settings.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
// Always from the server, never from a cache.
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000u;
// Info level: the status code of the answer, as text.
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;

// The default limit for connecting and for each wait for data, in milliseconds. The
// operations wait no longer than this for a silent server.
constexpr int kInternetDefaultTimeoutMs = 60000;

// Opens a session; nullptr on failure. `proxy` and `proxyBypass` are not used with the
// pre-configured access type and may be null.
HINTERNET InternetOpenA(const char* agent, DWORD accessType, const char* proxy,
                        const char* proxyBypass, DWORD flags);

// Sends a GET for the URL and returns a request handle once the answer's status line and
// headers have arrived (the body is never read), or nullptr when the URL cannot be opened.
HINTERNET InternetOpenUrlA(HINTERNET session, const char* url, const char* headers,
                           DWORD headersLength, DWORD flags, std::uintptr_t context);

// HTTP_QUERY_STATUS_CODE: writes the status code text and a zero byte into the buffer and the
// text's length into *bufferLength. Fails (FALSE) when the buffer is too small, leaving it as
// it was and setting *bufferLength to the size needed, or for an unknown info level.
BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, void* buffer, DWORD* bufferLength,
                    DWORD* index);

// Closes a request or a session handle. Null is ignored (FALSE).
BOOL InternetCloseHandle(HINTERNET handle);

// Our own addition: the limit, in milliseconds, for connecting and for each wait for data of
// requests opened from this session afterwards (0 or less: no limit).
void InternetSetTimeout(HINTERNET session, int timeoutMs);

// Our own addition: why the last InternetOpenUrlA of this thread returned nothing, in words
// ("Could not connect to server", "Timeout was reached", ...); empty after one that opened.
const char* InternetLastErrorText();

// Our own addition, safe from any thread: ends the InternetOpenUrlA running on this session on
// another thread at once (it returns nullptr, its reason "The request was cancelled"), and
// refuses every later one of the session. The session must stay open until the call returns.
void InternetCancelSession(HINTERNET session);

// Our own addition: loads the transfer library now rather than at the first session, so that
// a later request does not wait for it. Safe from any thread, and more than once.
void InternetPreload();

// Our own addition: true when the last InternetOpenUrlA of this thread failed because the
// server's certificate is not trusted; InternetLastErrorText() then gives the reason.
bool InternetLastErrorWasCertificate();

// Our own addition: the proxy a request to scheme://host goes through, read from the
// environment the way the transfer library reads it, or empty for a direct connection:
// no_proxy (or NO_PROXY) first, "*" or a comma-separated list of names (matching the name and
// every name below it), addresses and address ranges ("10.0.0.0/8"); then http_proxy (lower
// case only) for http, https_proxy or HTTPS_PROXY for https; then all_proxy or ALL_PROXY. The
// probe and the tips client both take their proxy from here, so they always agree.
std::string InternetProxyFor(const std::string& scheme, const std::string& host);
