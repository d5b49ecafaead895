#pragma once
// The addresses of the tips service and of the product web site, built in one place.

#include "rtl/Strings.h"

#include <string_view>

// The hosts (with ":" and a port when not 80), chosen when the program is built; the demo
// service answers for both on loopback.
#ifndef BRELVAN_DEFAULT_SERVICE
#define BRELVAN_DEFAULT_SERVICE "127.0.0.1:18080"
#endif
constexpr const char* kTipsServiceHost = BRELVAN_DEFAULT_SERVICE;
constexpr const char* kProductSiteHost = BRELVAN_DEFAULT_SERVICE;

constexpr const char* kVersionMarkerPath = "/refresh/brelvan3.3.txt";
constexpr const char* kLoginPath = "/login/brelvan.php";
constexpr const char* kDownloadPagePathAndQuery =
    "/index.php?option=com_content&view=article&id=3&Itemid=12";

// Percent-encodes every byte except the unreserved ones (A-Z a-z 0-9 - . _ ~); bytes of 128 and
// more are encoded one by one ("%C0"), with upper-case hex digits.
AnsiString PercentEncode(std::string_view text);

// A service address, as ParseServiceHost writes it, names the scheme only for HTTPS:
// "host[:port]" is plain HTTP (the port shown when not 80), "https://host[:port]" is HTTPS (the
// port shown when not 443). Every address below is built on the address's own scheme.

// "http://host[:port]" or "https://host[:port]": the scheme and authority every URL starts with.
AnsiString ServiceOrigin(const AnsiString& host);
// "host[:port]" without any scheme: the text the window shows for the site.
AnsiString ServiceHostLabel(const AnsiString& host);

// The origin + "/login/brelvan.php?login=" + login + "&pass=" + password, login and password
// percent-encoded so that blanks, "&", "?", "#" and backslashes reach the service as typed.
AnsiString BuildLoginUrl(const AnsiString& host, const AnsiString& login,
                         const AnsiString& password);
// The origin + "/refresh/brelvan3.3.txt".
AnsiString BuildVersionProbeUrl(const AnsiString& host);
// The origin + the download page's path and query.
AnsiString BuildDownloadPageUrl(const AnsiString& host);
// The origin + "/".
AnsiString BuildSiteHomeUrl(const AnsiString& host);

// Reads a service address as a user writes it: "host[:port]" (plain HTTP, as it always was),
// "http://host[:port]" or "https://host[:port]" (the scheme in any case), with one "/" behind
// allowed and dropped; an IPv6 address goes in brackets ("https://[::1]:8443"). `host`
// receives the address in the form above. False, with the reason in `error`, for another
// scheme, an empty host, a port that is not a number from 1 to 65535, or anything beyond the
// address (a path, a query, blanks, control characters, user names).
bool ParseServiceHost(std::string_view text, AnsiString& host, AnsiString& error);
