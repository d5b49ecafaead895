// An HTTP answer as a server might send it. The first byte sets the size of the pieces the
// bytes arrive in; the rest is the answer. Read in those pieces and read whole, it must come
// out the same, a body must stay within its limit, a sink must see what the text holds, and
// the cookies it leaves must fit their host, stay within their caps and never carry a byte
// that could break the next request.
#include "fuzz/FuzzTargets.h"
#include "service/HttpAnswer.h"
#include "service/HttpErrors.h"

#include <ctime>
#include <map>

namespace {

constexpr std::time_t kNow = 1'800'000'000;
const char* const kUrl = "http://www.example.com:8080/login/brelvan.php?login=a&pass=b";

struct TOutcome {
    bool ok = false;
    AnsiString body;
    AnsiString error;
    int code = -1;
    bool headRead = false;
};

TOutcome Read(std::string_view bytes, std::size_t pieceSize, TCookieStore& cookies) {
    THttpMemorySource source(bytes, pieceSize);
    THttpInput input(source, 1000);
    THttpAnswerState state;
    TOutcome outcome;
    try {
        ReadHttpAnswer(input, cookies, SplitHttpUrl(kUrl), kNow, outcome.body, state);
        outcome.ok = true;
    } catch (const EHttpError& e) {
        outcome.error = e.Message();
    }
    outcome.code = state.code;
    outcome.headRead = state.headRead;
    return outcome;
}

// Bytes that would end or split the header line they stand in.
bool HasControlBytes(std::string_view text) {
    for (char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return true;
    return false;
}

void CheckCookies(const TCookieStore& cookies) {
    FuzzCheck(cookies.Count() <= TCookieStore::kMaxCookies, "more cookies than the cap");
    std::map<AnsiString, std::size_t> perDomain;
    for (const THttpCookie& cookie : cookies.Cookies()) {
        FuzzCheck(TCookieStore::DomainFitsSender(cookie.domain, "www.example.com"),
                  "a stored cookie's domain does not fit its sender: " + cookie.domain);
        FuzzCheck(cookie.name.size() + cookie.value.size() <= TCookieStore::kMaxCookieBytes,
                  "an oversized cookie was kept");
        AnsiString domain;
        for (char c : cookie.domain) domain += static_cast<char>(std::tolower(c));
        FuzzCheck(++perDomain[domain] <= TCookieStore::kMaxPerDomain,
                  "more cookies for one domain than the cap");
    }
    for (const char* path : {"/", "/login/brelvan.php", "/login/"}) {
        const AnsiString header = cookies.CookieHeader("www.example.com", path);
        FuzzCheck(!HasControlBytes(header), "the Cookie header would carry a control byte");
    }
}

} // namespace

int FuzzHttp(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t pieceSize = 1 + data[0] % 64;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    TCookieStore inPieces, whole;
    const TOutcome a = Read(bytes, pieceSize, inPieces);
    const TOutcome b = Read(bytes, bytes.size() + 1, whole);
    FuzzCheck(a.ok == b.ok && a.body == b.body && a.error == b.error && a.code == b.code &&
                  a.headRead == b.headRead,
              "the answer reads differently in pieces of " + std::to_string(pieceSize) + ": " +
                  a.error + " / " + b.error);
    FuzzCheck(a.body.size() <= kMaxHttpBodySize, "the body passed its limit");
    FuzzCheck(!a.ok || (a.code >= 200 && a.code <= 299), "a non-2xx answer succeeded");
    FuzzCheck(inPieces.Count() == whole.Count(), "the cookies differ with the pieces");
    CheckCookies(inPieces);

    // The same answer handed to a sink gives the same bytes.
    THttpMemorySource source(bytes, pieceSize);
    THttpInput input(source, 1000);
    TCookieStore cookies;
    THttpAnswerState state;
    AnsiString streamed;
    bool ok = false;
    try {
        ReadHttpAnswer(
            input, cookies, SplitHttpUrl(kUrl), kNow,
            [&streamed](std::string_view piece) { streamed += piece; }, state);
        ok = true;
    } catch (const EHttpError&) {
    }
    FuzzCheck(ok == a.ok, "the sink and the text disagree on the outcome");
    FuzzCheck(streamed == a.body, "the sink saw other bytes than the text holds");
    return 0;
}
