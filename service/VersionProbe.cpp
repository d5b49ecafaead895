#include "service/VersionProbe.h"

#include <cstring>

bool CheckUrlAvailable(const AnsiString& url, int timeoutMs) {
    AnsiString target = url;
    if (LowerCase(url).find("http://") == AnsiString::npos) target = "http://" + url;

    HINTERNET session =
        InternetOpenA(kVersionProbeAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return false;
    InternetSetTimeout(session, timeoutMs);
    HINTERNET request =
        InternetOpenUrlA(session, target.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    char status[10] = {};
    DWORD length = sizeof status;
    DWORD index = 0;
    if (request) HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, status, &length, &index);
    bool available = std::strcmp(status, "200") == 0 || std::strcmp(status, "302") == 0;
    if (request) InternetCloseHandle(request);
    InternetCloseHandle(session);
    return available;
}
