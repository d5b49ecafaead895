#pragma once
// The HTTP client's way through a proxy: which one (the environment, as the version probe
// reads it), and the CONNECT exchange that opens a tunnel to an HTTPS server.

#include "rtl/Strings.h"
#include "service/HttpInput.h"

#include <string_view>

struct THttpProxy {
    AnsiString host; // an IPv6 address keeps its brackets
    int port = 1080; // when the proxy's address names none
    // The Proxy-Authorization value ("Basic ...") when the address holds a user name.
    AnsiString authorization;

    bool operator==(const THttpProxy&) const = default;
};

// Reads a proxy address as the environment gives it: "[http://][user[:password]@]host[:port]
// [/]". False, with the reason in `error`, for another scheme (a TLS or SOCKS proxy), no host
// or a bad port.
bool ParseProxyAddress(std::string_view text, THttpProxy& proxy, AnsiString& error);

// The proxy for a request to scheme://host, from the environment (platform/Internet.h says
// which variables). False, with `error` set, when the chosen proxy cannot be used; true with
// `direct` set when no proxy applies.
bool ProxyForRequest(const AnsiString& scheme, const AnsiString& host, bool& direct,
                     THttpProxy& proxy, AnsiString& error);

// "407 Proxy Authentication Required" of "HTTP/1.1 407 Proxy Authentication Required".
AnsiString StatusWithoutVersion(std::string_view statusLine);

// The CONNECT request for "host:port" (an IPv6 host in brackets).
AnsiString BuildConnectRequest(const AnsiString& authority, const THttpProxy& proxy);

// Reads the proxy's answer to CONNECT: its status line and headers. Returns when the tunnel
// is open (a 2xx answer, nothing after its empty line); raises EHttpProxyRefused for any other
// status, saying so ("The proxy refused the connection to tips.example:443: 403 Forbidden"),
// and EHttpError when the answer breaks off or is not HTTP.
void ReadConnectAnswer(THttpInput& input, const AnsiString& authority);
