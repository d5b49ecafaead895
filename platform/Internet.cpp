#include "platform/Internet.h"

#include "platform/HttpStatusLine.h"

#include <cstring>
#include <curl/curl.h>
#include <mutex>
#include <string>

namespace {

constexpr std::uint32_t kSessionMagic = 0x5345534Eu; // tells the two handle kinds apart
constexpr std::uint32_t kRequestMagic = 0x52455155u;

struct Session {
    std::uint32_t magic = kSessionMagic;
    std::string agent;
    int timeoutMs = kInternetDefaultTimeoutMs;
};

struct Request {
    std::uint32_t magic = kRequestMagic;
    std::string statusCode; // text of the status code of the final answer
    bool headersDone = false;
};

thread_local std::string t_lastError;

void InitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* request = static_cast<Request*>(user);
    std::string line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
        // Each answer (an interim 100 included) starts again with its own status line.
        request->statusCode = std::string(StatusCodeText(line));
        request->headersDone = false;
    } else if (line == "\r\n" || line == "\n") {
        request->headersDone = true;
        // The status and headers are all that is wanted: stop here rather than wait for a
        // body. An interim answer (1xx) is followed by the real one.
        if (request->statusCode.empty() || request->statusCode[0] != '1') return 0;
    }
    return size * count;
}

// The body is never read: the first bytes of it end the transfer.
size_t OnBody(char*, size_t, size_t, void*) {
    return 0;
}

} // namespace

HINTERNET InternetOpenA(const char* agent, DWORD accessType, const char*, const char*, DWORD) {
    if (accessType != INTERNET_OPEN_TYPE_PRECONFIG) return nullptr;
    InitOnce();
    auto* session = new Session;
    session->agent = agent ? agent : "";
    return session;
}

HINTERNET InternetOpenUrlA(HINTERNET sessionHandle, const char* url, const char* headers,
                           DWORD headersLength, DWORD, std::uintptr_t) {
    auto* session = static_cast<Session*>(sessionHandle);
    if (!session || session->magic != kSessionMagic || !url) return nullptr;
    CURL* curl = curl_easy_init();
    if (!curl) return nullptr;
    auto* request = new Request;
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_URL, url);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, session->agent.c_str());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, request);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, request);
    curl_slist* extra = nullptr;
    if (headers && headersLength > 0) {
        std::string text(headers, strnlen(headers, headersLength));
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            if (end > start)
                extra = curl_slist_append(extra, text.substr(start, end - start).c_str());
            start = end + 2;
        }
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, extra);
    }
    if (session->timeoutMs > 0) {
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(session->timeoutMs));
        // Less than one byte in the whole period counts as a silent server.
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                         static_cast<long>((session->timeoutMs + 999) / 1000));
    }
    CURLcode rc = curl_easy_perform(curl);
    curl_slist_free_all(extra);
    curl_easy_cleanup(curl);
    // Ending the transfer at the first body bytes is our own doing, not a failure.
    bool opened = request->headersDone && (rc == CURLE_OK || rc == CURLE_WRITE_ERROR);
    if (!opened) {
        if (rc == CURLE_OK || rc == CURLE_WRITE_ERROR)
            t_lastError = "The connection closed before the answer's headers ended";
        else
            t_lastError = errorText[0] ? errorText : curl_easy_strerror(rc);
        delete request;
        return nullptr;
    }
    t_lastError.clear();
    return request;
}

BOOL HttpQueryInfoA(HINTERNET requestHandle, DWORD infoLevel, void* buffer, DWORD* bufferLength,
                    DWORD*) {
    auto* request = static_cast<Request*>(requestHandle);
    if (!request || request->magic != kRequestMagic || !bufferLength) return 0;
    if (infoLevel != HTTP_QUERY_STATUS_CODE) return 0;
    const std::string& text = request->statusCode;
    if (!buffer || *bufferLength < text.size() + 1) {
        *bufferLength = static_cast<DWORD>(text.size() + 1);
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *bufferLength = static_cast<DWORD>(text.size());
    return 1;
}

BOOL InternetCloseHandle(HINTERNET handle) {
    if (!handle) return 0;
    std::uint32_t magic;
    std::memcpy(&magic, handle, sizeof magic);
    if (magic == kSessionMagic) {
        auto* session = static_cast<Session*>(handle);
        session->magic = 0;
        delete session;
        return 1;
    }
    if (magic == kRequestMagic) {
        auto* request = static_cast<Request*>(handle);
        request->magic = 0;
        delete request;
        return 1;
    }
    return 0;
}

void InternetSetTimeout(HINTERNET sessionHandle, int timeoutMs) {
    auto* session = static_cast<Session*>(sessionHandle);
    if (session && session->magic == kSessionMagic) session->timeoutMs = timeoutMs;
}

const char* InternetLastErrorText() {
    return t_lastError.c_str();
}
