#pragma once
// The addresses of the tips service and of the product web site, built in one place.

#include "rtl/Strings.h"

#include <string_view>

// The hosts (with ":" and a port when not 80). The demo service answers for both on loopback.
constexpr const char* kTipsServiceHost = "127.0.0.1:18080";
constexpr const char* kProductSiteHost = "127.0.0.1:18080";

constexpr const char* kVersionMarkerPath = "/refresh/brelvan3.3.txt";
constexpr const char* kLoginPath = "/login/brelvan.php";
constexpr const char* kDownloadPagePathAndQuery =
    "/index.php?option=com_content&view=article&id=3&Itemid=12";

// Percent-encodes every byte except the unreserved ones (A-Z a-z 0-9 - . _ ~); bytes of 128 and
// more are encoded one by one ("%C0"), with upper-case hex digits.
AnsiString PercentEncode(std::string_view text);

// "http://" + host + "/login/brelvan.php?login=" + login + "&pass=" + password, login and
// password percent-encoded so that blanks, "&", "?", "#" and backslashes reach the service as
// typed.
AnsiString BuildLoginUrl(const AnsiString& host, const AnsiString& login,
                         const AnsiString& password);
// "http://" + host + "/refresh/brelvan3.3.txt".
AnsiString BuildVersionProbeUrl(const AnsiString& host);
// "http://" + host + the download page's path and query.
AnsiString BuildDownloadPageUrl(const AnsiString& host);
// "http://" + host + "/".
AnsiString BuildSiteHomeUrl(const AnsiString& host);
