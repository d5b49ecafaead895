#pragma once
// Reading one HTTP answer to a GET: the status line and headers (interim 100 answers skipped),
// the cookies it sets, and its body, counted, chunked or up to the end of the connection. The
// client reads from its socket through this; tests and fuzzing replay answers from memory.

#include "rtl/Strings.h"
#include "service/CookieStore.h"
#include "service/HttpInput.h"
#include "service/HttpUrl.h"

#include <cstddef>
#include <ctime>
#include <functional>
#include <string_view>

// The longest status or header line accepted.
constexpr std::size_t kMaxHttpLineLength = 16384;
// Headers of one answer may not grow past this, whatever the number of lines.
constexpr std::size_t kMaxHttpHeaderBytes = 1024 * 1024;
// How long the discarded body of a refused answer may take to arrive.
constexpr int kHttpDiscardTimeoutMs = 2000;
// The largest body accepted. Beyond it the call fails as a lost connection does: the answer
// text keeps what had arrived.
constexpr std::size_t kMaxHttpBodySize = 64 * 1024 * 1024;

struct THttpAnswerState {
    bool headRead = false;       // a status line and its headers arrived
    int code = -1;               // the status code, -1 when it was not a number
    bool keepConnection = false; // the connection may carry the next request
};

// Takes a body piece by piece as it arrives.
using THttpBodySink = std::function<void(std::string_view bytes)>;

// Reads the answer to a request for `url` sent at `now`. Cookies go into `cookies`; a 2xx body
// is appended to `body` (at most maxBodySize bytes). Every outcome other than a 2xx answer
// raises an EHttpError (see service/HttpErrors.h); `state` is filled as far as the answer went,
// also when it raises.
void ReadHttpAnswer(THttpInput& input, TCookieStore& cookies, const THttpUrl& url, std::time_t now,
                    AnsiString& body, THttpAnswerState& state,
                    std::size_t maxBodySize = kMaxHttpBodySize);
// As above, but a 2xx body goes to `sink` as it arrives, without a size limit.
void ReadHttpAnswer(THttpInput& input, TCookieStore& cookies, const THttpUrl& url, std::time_t now,
                    const THttpBodySink& sink, THttpAnswerState& state);
