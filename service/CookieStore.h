#pragma once
// The HTTP client's cookies: kept in memory for the life of the client, never on disk.

#include "rtl/Strings.h"

#include <ctime>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct THttpCookie {
    AnsiString name;
    AnsiString value;
    AnsiString domain;
    AnsiString path;
    bool secure = false;
    bool hasExpiry = false; // without one a cookie lives as long as the process
    std::time_t expires = 0;
    int version = 0; // 0 or 1 from "Set-cookie", 1 from "Set-cookie2"
};

// Held the way browsers hold cookies: indexed by domain, name and path, at most kMaxPerDomain
// per domain and kMaxCookies in all, the oldest giving way first; a cookie whose name and value
// exceed kMaxCookieBytes, or hold a control byte other than the tab, is not kept. A cookie
// that replaces another keeps the other's age.
class TCookieStore {
public:
    static constexpr std::size_t kMaxPerDomain = 50;
    static constexpr std::size_t kMaxCookies = 3000;
    static constexpr std::size_t kMaxCookieBytes = 4096;

    // Stores the cookies of one "Set-cookie" (version2 false) or "Set-cookie2" header value sent
    // by `host` for a request of `requestPath`. A cookie whose domain does not fit the host is
    // dropped; one with the name, domain and path of a stored cookie replaces it.
    void AddFromHeader(std::string_view headerValue, bool version2, const AnsiString& host,
                       const AnsiString& requestPath, std::time_t now);
    // Removes the cookies whose expiry time has come.
    void RemoveExpired(std::time_t now);
    // The Cookie header value for a request, or empty when no cookie goes with it. Cookies
    // restricted to secure connections go only over one (HTTPS).
    AnsiString CookieHeader(const AnsiString& host, const AnsiString& requestPath,
                            bool secureConnection = false) const;

    // The stored cookies, oldest first.
    std::vector<THttpCookie> Cookies() const;
    std::size_t Count() const { return m_cookies.size(); }
    void Clear();

    // Whether a cookie domain may be set by the host, and whether it goes to the host.
    static bool DomainFitsSender(const AnsiString& domain, const AnsiString& host);
    static bool DomainMatchesRequest(const AnsiString& domain, const AnsiString& host);

private:
    using List = std::list<THttpCookie>;
    void Store(THttpCookie cookie);
    void Remove(List::iterator cookie);

    List m_cookies;                                          // oldest first
    std::unordered_map<std::string, List::iterator> m_index; // by domain, name and path
    std::unordered_map<std::string, std::vector<List::iterator>> m_byDomain; // oldest first
};

// Reads the date forms cookies use ("Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94
// 08:49:37 GMT", "Sun Nov  6 08:49:37 1994"); always UTC. False when the text is none of them.
bool ParseCookieDate(std::string_view text, std::time_t& result);
