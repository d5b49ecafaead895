#pragma once
// The version probe: asks whether a URL answers 200 or 302, reading only the status.

#include "platform/Internet.h"
#include "rtl/Strings.h"

#include <mutex>

// The agent the probe presents.
constexpr const char* kVersionProbeAgent = "InetURL:/1.0";

// True when the URL answers with status 200 or 302. A URL without "http://" or "https://" (in
// any case) gets the "http://" prefix. Every failure gives false. `timeoutMs` bounds connecting and
// each wait for data (0: no limit).
bool CheckUrlAvailable(const AnsiString& url, int timeoutMs = kInternetDefaultTimeoutMs);

// The finer answer of the same probe, which tells a server that no longer serves this
// version apart from one that could not be reached at all.
enum class TVersionProbeAnswer {
    Served,     // 200 or 302
    NotServed,  // a server answered with another status
    Unreachable // no answer arrived: refused, unresolvable, timed out, cut off
};
struct TVersionProbeResult {
    TVersionProbeAnswer Answer = TVersionProbeAnswer::Unreachable;
    AnsiString Status; // the status code text when a server answered
    AnsiString Reason; // why it was unreachable, in words; for a certificate that is not
                       // trusted, "The tips service's certificate is not trusted: " + why
};
// Lets another thread end a probe in progress at once, or one not yet started; the probe then
// answers Unreachable. One for each probe; every member is thread-safe.
class TVersionProbeCancel {
public:
    void Cancel();
    bool Cancelled() const;

private:
    friend class TVersionProbeSessionGuard;
    mutable std::mutex m_mutex;
    bool m_cancelled = false;
    HINTERNET m_session = nullptr; // the probe's session while it runs
};

// Sends the same request as CheckUrlAvailable; Served exactly when that returns true.
TVersionProbeResult ProbeVersion(const AnsiString& url, int timeoutMs = kInternetDefaultTimeoutMs,
                                 TVersionProbeCancel* cancel = nullptr);
