#include "service/CookieStore.h"

#include "platform/Socket.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string_view Unquote(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// True when the text after a comma starts another cookie: a name without blanks, then "=".
// The comma after the weekday of an expiry date is followed by a day number and blanks.
bool StartsCookie(std::string_view after) {
    std::size_t eq = after.find('=');
    if (eq == std::string_view::npos) return false;
    std::string_view name = TrimView(after.substr(0, eq));
    return !name.empty() && name.find_first_of(" \t;,\"") == std::string_view::npos;
}

// Splits a header value into its cookies at the commas that start a new one.
std::vector<std::string_view> SplitCookies(std::string_view value) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"') quoted = !quoted;
        if (value[i] == ',' && !quoted && StartsCookie(value.substr(i + 1))) {
            parts.push_back(value.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(value.substr(start));
    return parts;
}

std::vector<std::string_view> SplitAttributes(std::string_view cookie) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < cookie.size(); ++i) {
        if (cookie[i] == '"') quoted = !quoted;
        if (cookie[i] == ';' && !quoted) {
            parts.push_back(cookie.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(cookie.substr(start));
    return parts;
}

// The directory of the request path without its last "/": "/login/a.php" gives "/login".
AnsiString DefaultPath(const AnsiString& requestPath) {
    std::size_t slash = requestPath.rfind('/');
    if (slash == AnsiString::npos || slash == 0) return "/";
    return requestPath.substr(0, slash);
}

int MonthOf(std::string_view token) {
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    if (token.size() < 3) return -1;
    AnsiString lower = LowerCase(token.substr(0, 3));
    for (int m = 0; m < 12; ++m)
        if (lower == kMonths[m]) return m;
    return -1;
}

// A control byte other than the tab would let a server's cookie break our next request's
// header apart; such cookies are not kept.
bool HasControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && b != '\t') || b == 0x7F;
    });
}

// The domain, compared without regard to case, as the key of its cookies.
std::string DomainKey(const THttpCookie& cookie) {
    return LowerCase(cookie.domain);
}

// Domain, name and path in one key; the lengths in front keep the parts apart whatever bytes
// they hold.
std::string CookieKey(const THttpCookie& cookie) {
    std::string domain = DomainKey(cookie);
    return std::to_string(domain.size()) + ":" + domain + std::to_string(cookie.name.size()) + ":" +
           cookie.name + cookie.path;
}

bool AllDigits(std::string_view token) {
    return !token.empty() &&
           std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool ParseCookieDate(std::string_view text, std::time_t& result) {
    int day = -1, month = -1, year = -1, hour = -1, minute = -1, second = -1;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == ',' || text[i] == '-' || text[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != ',' && text[i] != '-' &&
               text[i] != '\t')
            ++i;
        std::string_view token = text.substr(start, i - start);
        if (token.empty()) continue;
        if (hour < 0 && token.size() == 8 && token[2] == ':' && token[5] == ':' &&
            AllDigits(token.substr(0, 2)) && AllDigits(token.substr(3, 2)) &&
            AllDigits(token.substr(6, 2))) {
            hour = std::atoi(AnsiString(token.substr(0, 2)).c_str());
            minute = std::atoi(AnsiString(token.substr(3, 2)).c_str());
            second = std::atoi(AnsiString(token.substr(6, 2)).c_str());
        } else if (month < 0 && MonthOf(token) >= 0 && !AllDigits(token)) {
            month = MonthOf(token);
        } else if (AllDigits(token) && token.size() <= 2 && day < 0) {
            day = std::atoi(AnsiString(token).c_str());
        } else if (AllDigits(token) && (token.size() == 2 || token.size() == 4) && year < 0) {
            year = std::atoi(AnsiString(token).c_str());
            if (token.size() == 2) year += year < 70 ? 2000 : 1900;
        }
    }
    if (day < 1 || day > 31 || month < 0 || year < 1601 || hour > 23 || minute > 59 ||
        second > 60 || hour < 0)
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    result = timegm(&tm);
    return true;
}

bool TCookieStore::DomainFitsSender(const AnsiString& domain, const AnsiString& host) {
    AnsiString d = LowerCase(domain), h = LowerCase(host);
    if (IsIpAddress(h) || d.empty() || d.front() != '.') return d == h;
    std::size_t dot = h.find('.');
    return dot != AnsiString::npos && h.substr(dot) == d;
}

bool TCookieStore::DomainMatchesRequest(const AnsiString& domain, const AnsiString& host) {
    AnsiString d = LowerCase(domain), h = LowerCase(host);
    if (d.empty()) return false;
    if (d.front() == '.') return EndsWith(h, d);
    // Whole labels only: a cookie of "a.com" must not reach "evila.com".
    return h == d || (!IsIpAddress(h) && EndsWith(h, "." + d));
}

void TCookieStore::AddFromHeader(std::string_view headerValue, bool version2,
                                 const AnsiString& host, const AnsiString& requestPath,
                                 std::time_t now) {
    for (std::string_view text : SplitCookies(headerValue)) {
        std::vector<std::string_view> attributes = SplitAttributes(text);
        std::string_view first = TrimView(attributes[0]);
        if (first.empty()) continue;
        THttpCookie cookie;
        std::size_t eq = first.find('=');
        cookie.name = AnsiString(TrimView(first.substr(0, eq)));
        if (eq != std::string_view::npos) cookie.value = AnsiString(TrimView(first.substr(eq + 1)));
        if (cookie.name.empty()) continue;
        if (cookie.name.size() + cookie.value.size() > kMaxCookieBytes) continue;
        if (HasControlBytes(cookie.name) || HasControlBytes(cookie.value)) continue;
        cookie.version = version2 ? 1 : 0;
        bool hasMaxAge = false;
        for (std::size_t a = 1; a < attributes.size(); ++a) {
            std::string_view attribute = TrimView(attributes[a]);
            std::size_t aeq = attribute.find('=');
            AnsiString key = LowerCase(TrimView(attribute.substr(0, aeq)));
            std::string_view value = aeq == std::string_view::npos
                                         ? std::string_view()
                                         : Unquote(TrimView(attribute.substr(aeq + 1)));
            if (key == "domain") {
                cookie.domain = AnsiString(value);
            } else if (key == "path") {
                cookie.path = AnsiString(value);
            } else if (key == "secure") {
                cookie.secure = true;
            } else if (key == "version") {
                cookie.version = std::atoi(AnsiString(value).c_str());
            } else if (key == "max-age") {
                AnsiString number(value);
                bool negative = !number.empty() && number.front() == '-';
                if (AllDigits(negative ? std::string_view(number).substr(1) : number)) {
                    long long seconds = number.size() > 12 ? (negative ? -1 : 1LL << 40)
                                                           : std::atoll(number.c_str());
                    hasMaxAge = true;
                    cookie.hasExpiry = true;
                    cookie.expires = seconds <= 0 ? now : now + static_cast<std::time_t>(seconds);
                }
            } else if (key == "expires" && !hasMaxAge) {
                std::time_t when;
                if (ParseCookieDate(value, when)) {
                    cookie.hasExpiry = true;
                    cookie.expires = when;
                }
            }
        }
        if (cookie.domain.empty()) cookie.domain = host;
        if (cookie.path.empty()) cookie.path = DefaultPath(requestPath);
        if (!DomainFitsSender(cookie.domain, host)) continue;
        Store(std::move(cookie));
    }
}

void TCookieStore::Store(THttpCookie cookie) {
    const std::string key = CookieKey(cookie);
    if (auto found = m_index.find(key); found != m_index.end()) {
        *found->second = std::move(cookie);
        return;
    }
    const std::string domain = DomainKey(cookie);
    if (auto same = m_byDomain.find(domain);
        same != m_byDomain.end() && same->second.size() >= kMaxPerDomain)
        Remove(same->second.front());
    if (m_cookies.size() >= kMaxCookies) Remove(m_cookies.begin());
    auto stored = m_cookies.insert(m_cookies.end(), std::move(cookie));
    m_index.emplace(key, stored);
    m_byDomain[domain].push_back(stored);
}

void TCookieStore::Remove(List::iterator cookie) {
    m_index.erase(CookieKey(*cookie));
    auto domain = m_byDomain.find(DomainKey(*cookie));
    if (domain != m_byDomain.end()) {
        std::erase(domain->second, cookie);
        if (domain->second.empty()) m_byDomain.erase(domain);
    }
    m_cookies.erase(cookie);
}

void TCookieStore::Clear() {
    m_index.clear();
    m_byDomain.clear();
    m_cookies.clear();
}

std::vector<THttpCookie> TCookieStore::Cookies() const {
    return {m_cookies.begin(), m_cookies.end()};
}

void TCookieStore::RemoveExpired(std::time_t now) {
    for (auto it = m_cookies.begin(); it != m_cookies.end();) {
        auto next = std::next(it);
        if (it->hasExpiry && it->expires <= now) Remove(it);
        it = next;
    }
}

AnsiString TCookieStore::CookieHeader(const AnsiString& host, const AnsiString& requestPath,
                                      bool secureConnection) const {
    std::vector<const THttpCookie*> chosen;
    for (const THttpCookie& cookie : m_cookies) {
        if (cookie.value.empty() || (cookie.secure && !secureConnection)) continue;
        if (requestPath.compare(0, cookie.path.size(), cookie.path) != 0) continue;
        if (!DomainMatchesRequest(cookie.domain, host)) continue;
        chosen.push_back(&cookie);
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const THttpCookie* a, const THttpCookie* b) { return a->path > b->path; });
    AnsiString header;
    for (const THttpCookie* cookie : chosen) {
        if (!header.empty()) header += "; ";
        header += cookie->name + "=" + cookie->value;
    }
    return header;
}
