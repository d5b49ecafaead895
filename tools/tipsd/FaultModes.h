#pragma once
// Faults the demo service can be told to make, so that clients can be tried against a service
// that stalls, drips, drops, lies about lengths or answers nonsense. Every choice that looks
// random comes from the plan's seed: the same seed, the same bytes.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct HttpResponse;

struct TStatusFault {
    int code = 500;
    std::string pathPrefix; // empty: every path
};

struct TFaultPlan {
    bool stall = false;          // read the request, never answer
    long long slowBytesPerS = 0; // 0: full speed
    long long resetAfter = -1;   // close after this many bytes of the answer; -1: never
    bool truncate = false;       // Content-Length longer than the body, then close
    bool garbage = false;        // a 200 answer whose body is random bytes
    std::vector<TStatusFault> statuses;
    bool huge = false; // a body of kHugeBodyBytes, streamed
    int latencyMs = 0; // before the first byte of each answer
    std::uint32_t seed = 0;

    static constexpr long long kHugeBodyBytes = 100ll * 1024 * 1024;

    bool Active() const {
        return stall || slowBytesPerS > 0 || resetAfter >= 0 || truncate || garbage ||
               !statuses.empty() || huge || latencyMs > 0;
    }
};

// Reads "MODE[,MODE...]" (see tipsd --help) into `plan`, adding to what it holds. False, with
// the reason in `error`, for an unknown mode or a bad value.
bool ParseFaultModes(const std::string& text, TFaultPlan& plan, std::string& error);

// Writes bytes to the client; false when the connection is gone.
using TFaultSend = std::function<bool(const char* data, std::size_t size)>;
// Waits up to the milliseconds given for the client; false once it has closed the connection.
using TFaultPeerWait = std::function<bool(int timeoutMs)>;

// Sends one answer to the request for `path` as the plan says. `head` composes the answer's
// head for a response and a Content-Length. Returns false when the connection must be closed
// afterwards (it was dropped on purpose, or lost). A stall lasts until the client leaves
// (`peer`) or the server stops; `stopping` ends a drip early too.
bool SendWithFaults(const TFaultPlan& plan, const std::string& path, HttpResponse response,
                    const std::function<std::string(const HttpResponse&, long long)>& head,
                    const TFaultSend& send, const TFaultPeerWait& peer,
                    const std::atomic<bool>& stopping);
