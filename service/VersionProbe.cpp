#include "service/VersionProbe.h"

#include "service/HttpErrors.h"

#include <cstring>

void TVersionProbeCancel::Cancel() {
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_session) InternetCancelSession(m_session);
}

bool TVersionProbeCancel::Cancelled() const {
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

// Shows the probe's session to its cancel while the session is open.
class TVersionProbeSessionGuard {
public:
    TVersionProbeSessionGuard(TVersionProbeCancel* cancel, HINTERNET session) : m_cancel(cancel) {
        if (!m_cancel) return;
        std::lock_guard lock(m_cancel->m_mutex);
        m_cancel->m_session = session;
        if (m_cancel->m_cancelled) InternetCancelSession(session);
    }
    ~TVersionProbeSessionGuard() {
        if (!m_cancel) return;
        std::lock_guard lock(m_cancel->m_mutex);
        m_cancel->m_session = nullptr;
    }
    TVersionProbeSessionGuard(const TVersionProbeSessionGuard&) = delete;
    TVersionProbeSessionGuard& operator=(const TVersionProbeSessionGuard&) = delete;

private:
    TVersionProbeCancel* m_cancel;
};

namespace {

bool IsAvailableStatus(const char* status) {
    return std::strcmp(status, "200") == 0 || std::strcmp(status, "302") == 0;
}

// One probe: the status text of the answer (empty when none arrived or it did not fit) and,
// when the URL could not be opened, the reason. True when a server answered.
bool QueryStatus(const AnsiString& url, int timeoutMs, char (&status)[10], AnsiString* reason,
                 TVersionProbeCancel* cancel) {
    AnsiString target = url;
    const AnsiString lower = LowerCase(url);
    if (lower.find("http://") == AnsiString::npos && lower.find("https://") == AnsiString::npos)
        target = "http://" + url;

    HINTERNET session =
        InternetOpenA(kVersionProbeAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) {
        if (reason)
            *reason = *InternetLastErrorText() ? InternetLastErrorText()
                                               : "The internet session could not be opened";
        return false;
    }
    InternetSetTimeout(session, timeoutMs);
    HINTERNET request = nullptr;
    {
        TVersionProbeSessionGuard cancelling(cancel, session);
        request = InternetOpenUrlA(session, target.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    }
    DWORD length = sizeof status;
    DWORD index = 0;
    if (request)
        HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, status, &length, &index);
    else if (reason && InternetLastErrorWasCertificate())
        *reason = kUntrustedCertificateText + AnsiString(InternetLastErrorText());
    else if (reason)
        *reason = InternetLastErrorText();
    if (request) InternetCloseHandle(request);
    InternetCloseHandle(session);
    return request != nullptr;
}

} // namespace

bool CheckUrlAvailable(const AnsiString& url, int timeoutMs) {
    char status[10] = {};
    QueryStatus(url, timeoutMs, status, nullptr, nullptr);
    return IsAvailableStatus(status);
}

TVersionProbeResult ProbeVersion(const AnsiString& url, int timeoutMs,
                                 TVersionProbeCancel* cancel) {
    char status[10] = {};
    TVersionProbeResult result;
    const bool answered = QueryStatus(url, timeoutMs, status, &result.Reason, cancel);
    result.Status = status;
    if (IsAvailableStatus(status))
        result.Answer = TVersionProbeAnswer::Served;
    else if (answered)
        result.Answer = TVersionProbeAnswer::NotServed;
    return result;
}
