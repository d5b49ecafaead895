#include "platform/Internet.h"

#include "platform/HttpStatusLine.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <string_view>
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
thread_local bool t_lastErrorWasCertificate = false;

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

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The first of the variables that is set and not empty.
const char* FirstVariable(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return nullptr;
}

// Whether an address lies in "address[/bits]" (both of one family).
bool AddressInRange(const std::string& host, std::string_view entry) {
    unsigned char address[16], range[16];
    std::size_t slash = entry.find('/');
    std::string base(entry.substr(0, slash));
    int family = host.find(':') != std::string::npos ? AF_INET6 : AF_INET;
    int size = family == AF_INET6 ? 16 : 4;
    if (inet_pton(family, host.c_str(), address) != 1 ||
        inet_pton(family, base.c_str(), range) != 1)
        return false;
    int bits = size * 8;
    if (slash != std::string_view::npos) {
        std::string_view digits = entry.substr(slash + 1);
        if (digits.empty() || digits.size() > 3) return false;
        bits = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return false;
            bits = bits * 10 + (c - '0');
        }
        if (bits > size * 8) return false;
    }
    for (int i = 0; i < size && bits > 0; ++i, bits -= 8) {
        unsigned mask = bits >= 8 ? 0xFFu : (0xFFu << (8 - bits)) & 0xFFu;
        if ((address[i] & mask) != (range[i] & mask)) return false;
    }
    return true;
}

// Whether no_proxy sends the host past every proxy.
bool BypassesProxy(const std::string& host) {
    const char* list = FirstVariable({"no_proxy", "NO_PROXY"});
    if (!list) return false;
    if (TrimBlanks(list) == "*") return true;
    std::string name = LowerAscii(host);
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    if (!name.empty() && name.back() == '.') name.pop_back();
    unsigned char probe[16];
    const bool isAddress = inet_pton(AF_INET, name.c_str(), probe) == 1 ||
                           inet_pton(AF_INET6, name.c_str(), probe) == 1;
    std::string_view rest = list;
    while (!rest.empty()) {
        std::size_t comma = rest.find(',');
        std::string entry = LowerAscii(TrimBlanks(rest.substr(0, comma)));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (entry.size() > 2 && entry.front() == '[' && entry.find(']') != std::string::npos)
            entry = entry.substr(1, entry.find(']') - 1) + entry.substr(entry.find(']') + 1);
        if (entry.empty()) continue;
        if (isAddress) {
            if (AddressInRange(name, entry)) return true;
            continue;
        }
        if (entry.front() == '.') entry.erase(0, 1);
        if (!entry.empty() && entry.back() == '.') entry.pop_back();
        if (entry.empty()) continue;
        if (name == entry) return true;
        if (name.size() > entry.size() &&
            name.compare(name.size() - entry.size(), entry.size(), entry) == 0 &&
            name[name.size() - entry.size() - 1] == '.')
            return true;
    }
    return false;
}

// The scheme and host of an absolute URL, as the proxy choice needs them.
void SchemeAndHost(std::string_view url, std::string& scheme, std::string& host) {
    std::size_t schemeEnd = url.find("://");
    scheme = schemeEnd == std::string_view::npos ? "http" : LowerAscii(url.substr(0, schemeEnd));
    std::string_view rest = schemeEnd == std::string_view::npos ? url : url.substr(schemeEnd + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    std::size_t at = rest.rfind('@');
    if (at != std::string_view::npos) rest.remove_prefix(at + 1);
    if (!rest.empty() && rest.front() == '[')
        host = std::string(rest.substr(0, rest.find(']') + 1));
    else
        host = std::string(rest.substr(0, rest.find(':')));
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
    // The proxy is chosen here, never by the library on its own, so that the tips client,
    // which asks InternetProxyFor too, goes the same way. An empty one means none.
    std::string scheme, host;
    SchemeAndHost(url, scheme, host);
    const std::string proxy = InternetProxyFor(scheme, host);
    api.easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
    api.easy_setopt(curl, CURLOPT_NOPROXY, ""); // no_proxy has had its say already
    // The proxy's own answer to CONNECT is not the server's: its status must not be read as
    // the marker's (a refusing proxy would say "update", an opening one "served").
    api.easy_setopt(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    // HTTPS: TLS 1.2 or newer, the certificate checked against the trusted ones and the host.
    // The library reads SSL_CERT_FILE and SSL_CERT_DIR only when told, unlike the TLS
    // library's own default.
    api.easy_setopt(curl, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    api.easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    api.easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (const char* file = std::getenv("SSL_CERT_FILE"); file && *file)
        api.easy_setopt(curl, CURLOPT_CAINFO, file);
    if (const char* dir = std::getenv("SSL_CERT_DIR"); dir && *dir)
        api.easy_setopt(curl, CURLOPT_CAPATH, dir);
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
    t_lastErrorWasCertificate = false;
    if (!opened) {
        if (session->cancelled) {
            t_lastError = kCancelledText;
        } else if (rc == CURLE_OK || rc == CURLE_WRITE_ERROR) {
            t_lastError = "The connection closed before the answer's headers ended";
        } else if (rc == CURLE_PEER_FAILED_VERIFICATION) {
            t_lastErrorWasCertificate = true;
            std::string_view reason = errorText[0] ? errorText : api.easy_strerror(rc);
            constexpr std::string_view kNoise = "SSL certificate problem: ";
            if (reason.substr(0, kNoise.size()) == kNoise) reason.remove_prefix(kNoise.size());
            t_lastError = std::string(reason);
        } else {
            t_lastError = errorText[0] ? errorText : api.easy_strerror(rc);
        }
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

bool InternetLastErrorWasCertificate() {
    return t_lastErrorWasCertificate;
}

std::string InternetProxyFor(const std::string& scheme, const std::string& host) {
    if (BypassesProxy(host)) return {};
    const std::string lower = LowerAscii(scheme);
    const char* proxy = nullptr;
    // Only the lower-case http_proxy: the upper-case one may be set by a web server for a CGI
    // program from a request's "Proxy:" header.
    if (lower == "http")
        proxy = FirstVariable({"http_proxy"});
    else if (lower == "https")
        proxy = FirstVariable({"https_proxy", "HTTPS_PROXY"});
    if (!proxy) proxy = FirstVariable({"all_proxy", "ALL_PROXY"});
    return proxy ? std::string(TrimBlanks(proxy)) : std::string();
}
