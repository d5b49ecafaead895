#include "platform/Internet.h"

#include "platform/HttpStatusLine.h"

#include <atomic>
#include <cstring>
#include <curl/curl.h>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kSessionMagic = 0x5345534Eu; // tells the two handle kinds apart
constexpr std::uint32_t kRequestMagic = 0x52455155u;

struct Session {
    std::uint32_t magic = kSessionMagic;
    std::string agent;
    int timeoutMs = kInternetDefaultTimeoutMs;
    // Cancelling from another thread: the flag ends the transfer at its next progress call,
    // shutting the open connection down wakes a transfer that waits for data now.
    std::atomic<bool> cancelled{false};
    std::mutex socketMutex;
    curl_socket_t socket = CURL_SOCKET_BAD;
};

constexpr const char* kCancelledText = "The request was cancelled";

curl_socket_t OnOpenSocket(void* user, curlsocktype, curl_sockaddr* address) {
    auto* session = static_cast<Session*>(user);
    std::lock_guard lock(session->socketMutex);
    if (session->cancelled) return CURL_SOCKET_BAD;
    const curl_socket_t fd =
        ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (fd != CURL_SOCKET_BAD) session->socket = fd;
    return fd;
}

int OnCloseSocket(void* user, curl_socket_t fd) {
    auto* session = static_cast<Session*>(user);
    {
        std::lock_guard lock(session->socketMutex);
        if (session->socket == fd) session->socket = CURL_SOCKET_BAD;
    }
    return ::close(fd);
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Session*>(user)->cancelled ? 1 : 0; // non-zero ends the transfer
}

struct Request {
    std::uint32_t magic = kRequestMagic;
    std::string statusCode; // text of the status code of the final answer
    bool headersDone = false;
};

thread_local std::string t_lastError;

constexpr const char* kCurlLibrary = "libcurl.so.4";

// The transfer library and what of it is used. It is loaded on first use, not with the
// program: it brings a few dozen libraries of its own (TLS, directory and login protocols)
// that would otherwise all be mapped and relocated before the first window could show.
struct CurlApi {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    std::string failure; // why it could not be used; empty when it can
};

template <typename Fn> bool Resolve(void* library, const char* name, Fn& fn, std::string& failure) {
    fn = reinterpret_cast<Fn>(dlsym(library, name));
    if (!fn && failure.empty()) failure = std::string(kCurlLibrary) + " has no " + name;
    return fn != nullptr;
}

CurlApi LoadCurl() {
    CurlApi api;
    void* library = dlopen(kCurlLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        api.failure =
            std::string("The transfer library cannot be loaded: ") + (why ? why : kCurlLibrary);
        return api;
    }
    bool ok = Resolve(library, "curl_global_init", api.global_init, api.failure);
    ok = Resolve(library, "curl_easy_init", api.easy_init, api.failure) && ok;
    ok = Resolve(library, "curl_easy_setopt", api.easy_setopt, api.failure) && ok;
    ok = Resolve(library, "curl_easy_perform", api.easy_perform, api.failure) && ok;
    ok = Resolve(library, "curl_easy_cleanup", api.easy_cleanup, api.failure) && ok;
    ok = Resolve(library, "curl_easy_strerror", api.easy_strerror, api.failure) && ok;
    ok = Resolve(library, "curl_slist_append", api.slist_append, api.failure) && ok;
    ok = Resolve(library, "curl_slist_free_all", api.slist_free_all, api.failure) && ok;
    if (ok && api.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        api.failure = "The transfer library could not be initialised";
    // Kept loaded for the rest of the process: handles may outlive any one session.
    return api;
}

// Loaded and initialised once for the process, from whichever thread asks first.
const CurlApi& Curl() {
    static const CurlApi api = LoadCurl();
    return api;
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
    if (!Curl().failure.empty()) {
        t_lastError = Curl().failure;
        return nullptr;
    }
    auto* session = new Session;
    session->agent = agent ? agent : "";
    return session;
}

HINTERNET InternetOpenUrlA(HINTERNET sessionHandle, const char* url, const char* headers,
                           DWORD headersLength, DWORD, std::uintptr_t) {
    auto* session = static_cast<Session*>(sessionHandle);
    if (!session || session->magic != kSessionMagic || !url) return nullptr;
    if (session->cancelled) {
        t_lastError = kCancelledText;
        return nullptr;
    }
    const CurlApi& api = Curl(); // loaded: the session could not have been opened otherwise
    CURL* curl = api.easy_init();
    if (!curl) return nullptr;
    auto* request = new Request;
    char errorText[CURL_ERROR_SIZE] = {};
    api.easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    api.easy_setopt(curl, CURLOPT_URL, url);
    api.easy_setopt(curl, CURLOPT_USERAGENT, session->agent.c_str());
    api.easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    api.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    api.easy_setopt(curl, CURLOPT_HEADERFUNCTION, &OnHeader);
    api.easy_setopt(curl, CURLOPT_HEADERDATA, request);
    api.easy_setopt(curl, CURLOPT_WRITEFUNCTION, &OnBody);
    api.easy_setopt(curl, CURLOPT_WRITEDATA, request);
    curl_slist* extra = nullptr;
    if (headers && headersLength > 0) {
        std::string text(headers, strnlen(headers, headersLength));
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            if (end > start)
                extra = api.slist_append(extra, text.substr(start, end - start).c_str());
            start = end + 2;
        }
        api.easy_setopt(curl, CURLOPT_HTTPHEADER, extra);
    }
    api.easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, &OnOpenSocket);
    api.easy_setopt(curl, CURLOPT_OPENSOCKETDATA, session);
    api.easy_setopt(curl, CURLOPT_CLOSESOCKETFUNCTION, &OnCloseSocket);
    api.easy_setopt(curl, CURLOPT_CLOSESOCKETDATA, session);
    api.easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    api.easy_setopt(curl, CURLOPT_XFERINFODATA, session);
    api.easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    if (session->timeoutMs > 0) {
        api.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(session->timeoutMs));
        // Less than one byte in the whole period counts as a silent server.
        api.easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        api.easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                        static_cast<long>((session->timeoutMs + 999) / 1000));
    }
    CURLcode rc = api.easy_perform(curl);
    api.slist_free_all(extra);
    api.easy_cleanup(curl);
    // Ending the transfer at the first body bytes is our own doing, not a failure.
    bool opened = request->headersDone && (rc == CURLE_OK || rc == CURLE_WRITE_ERROR);
    if (!opened) {
        if (session->cancelled)
            t_lastError = kCancelledText;
        else if (rc == CURLE_OK || rc == CURLE_WRITE_ERROR)
            t_lastError = "The connection closed before the answer's headers ended";
        else
            t_lastError = errorText[0] ? errorText : api.easy_strerror(rc);
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

void InternetCancelSession(HINTERNET sessionHandle) {
    auto* session = static_cast<Session*>(sessionHandle);
    if (!session || session->magic != kSessionMagic) return;
    std::lock_guard lock(session->socketMutex);
    session->cancelled = true;
    if (session->socket != CURL_SOCKET_BAD) ::shutdown(session->socket, SHUT_RDWR);
}

const char* InternetLastErrorText() {
    return t_lastError.c_str();
}

void InternetPreload() {
    Curl();
}
