#pragma once
// Splitting an absolute URL the way the HTTP client puts it on the wire. Nothing is
// percent-encoded or decoded here: the bytes go out as given.

#include "rtl/Strings.h"

struct THttpUrl {
    AnsiString scheme;   // "http" when the URL names none
    AnsiString host;     // without the port; an IPv6 address keeps its brackets
    int port = 80;       // the scheme's (80, 443 for https) when the URL names none; -1 when
                         // the port text is not a number from 1 to 65535
    AnsiString path;     // up to and including the last "/" before the query; at least "/"
    AnsiString document; // after the path, up to the query
    AnsiString query;    // with its leading "?" (or "=" when the URL has no "?"); no "#" part

    // What follows "GET ": path, document and query.
    AnsiString RequestTarget() const { return path + document + query; }
    bool IsHttps() const;
    // 443 for https, 80 for anything else.
    int DefaultPort() const { return IsHttps() ? 443 : 80; }
    // The value of the Host header: the host, with ":" and the port when it is not the
    // scheme's default.
    AnsiString HostHeader() const;
};

// Backslashes become "/"; the query starts at the first "?" (or, without one, at the first
// "="); a "#" in the query ends it.
THttpUrl SplitHttpUrl(const AnsiString& url);
