#include "platform/TlsSession.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>
#include <vector>

namespace {

constexpr const char* kSslLibrary = "libssl.so.3";
// A TLS record holds at most 16 KB of data plus its overhead; a few of them at a time.
constexpr std::size_t kReceiveChunk = 64 * 1024;

// The TLS library and what of it is used. Loaded on first use: it and its crypto library are a
// few megabytes of code that the window does not need before its first request.
struct SslApi {
    decltype(&TLS_client_method) client_method = nullptr;
    decltype(&TLS_server_method) server_method = nullptr;
    decltype(&SSL_CTX_new) ctx_new = nullptr;
    decltype(&SSL_CTX_free) ctx_free = nullptr;
    decltype(&SSL_CTX_ctrl) ctx_ctrl = nullptr;
    decltype(&SSL_CTX_set_options) ctx_set_options = nullptr;
    decltype(&SSL_CTX_set_default_verify_paths) ctx_default_verify_paths = nullptr;
    decltype(&SSL_CTX_set_verify) ctx_set_verify = nullptr;
    decltype(&SSL_CTX_use_certificate_chain_file) ctx_use_chain_file = nullptr;
    decltype(&SSL_CTX_use_PrivateKey_file) ctx_use_key_file = nullptr;
    decltype(&SSL_CTX_check_private_key) ctx_check_key = nullptr;
    decltype(&SSL_new) ssl_new = nullptr;
    decltype(&SSL_free) ssl_free = nullptr;
    decltype(&SSL_set_bio) set_bio = nullptr;
    decltype(&SSL_connect) connect = nullptr;
    decltype(&SSL_accept) accept = nullptr;
    decltype(&SSL_read) read = nullptr;
    decltype(&SSL_peek) peek = nullptr;
    decltype(&SSL_write) write = nullptr;
    decltype(&SSL_pending) pending = nullptr;
    decltype(&SSL_get_error) get_error = nullptr;
    decltype(&SSL_shutdown) shutdown = nullptr;
    decltype(&SSL_ctrl) ctrl = nullptr;
    decltype(&SSL_get0_param) get0_param = nullptr;
    decltype(&SSL_get_verify_result) verify_result = nullptr;
    decltype(&X509_VERIFY_PARAM_set1_host) param_set1_host = nullptr;
    decltype(&X509_VERIFY_PARAM_set1_ip_asc) param_set1_ip = nullptr;
    decltype(&X509_verify_cert_error_string) verify_error_string = nullptr;
    decltype(&ERR_get_error) err_get = nullptr;
    decltype(&ERR_error_string_n) err_string = nullptr;
    decltype(&ERR_clear_error) err_clear = nullptr;
    decltype(&BIO_s_mem) bio_s_mem = nullptr;
    decltype(&BIO_new) bio_new = nullptr;
    decltype(&BIO_free) bio_free = nullptr;
    decltype(&BIO_read) bio_read = nullptr;
    decltype(&BIO_write) bio_write = nullptr;
    decltype(&BIO_ctrl) bio_ctrl = nullptr;
    std::string failure; // why TLS cannot be used; empty when it can
};

template <typename Fn> void Resolve(void* library, const char* name, Fn& fn, std::string& failure) {
    fn = reinterpret_cast<Fn>(dlsym(library, name));
    if (!fn && failure.empty()) failure = std::string(kSslLibrary) + " has no " + name;
}

SslApi LoadSsl() {
    SslApi api;
    // Symbols of the crypto library are found through the TLS library's own dependencies.
    void* library = dlopen(kSslLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        api.failure = std::string("The TLS library cannot be loaded: ") + (why ? why : kSslLibrary);
        return api;
    }
    std::string& f = api.failure;
    Resolve(library, "TLS_client_method", api.client_method, f);
    Resolve(library, "TLS_server_method", api.server_method, f);
    Resolve(library, "SSL_CTX_new", api.ctx_new, f);
    Resolve(library, "SSL_CTX_free", api.ctx_free, f);
    Resolve(library, "SSL_CTX_ctrl", api.ctx_ctrl, f);
    Resolve(library, "SSL_CTX_set_options", api.ctx_set_options, f);
    Resolve(library, "SSL_CTX_set_default_verify_paths", api.ctx_default_verify_paths, f);
    Resolve(library, "SSL_CTX_set_verify", api.ctx_set_verify, f);
    Resolve(library, "SSL_CTX_use_certificate_chain_file", api.ctx_use_chain_file, f);
    Resolve(library, "SSL_CTX_use_PrivateKey_file", api.ctx_use_key_file, f);
    Resolve(library, "SSL_CTX_check_private_key", api.ctx_check_key, f);
    Resolve(library, "SSL_new", api.ssl_new, f);
    Resolve(library, "SSL_free", api.ssl_free, f);
    Resolve(library, "SSL_set_bio", api.set_bio, f);
    Resolve(library, "SSL_connect", api.connect, f);
    Resolve(library, "SSL_accept", api.accept, f);
    Resolve(library, "SSL_read", api.read, f);
    Resolve(library, "SSL_peek", api.peek, f);
    Resolve(library, "SSL_write", api.write, f);
    Resolve(library, "SSL_pending", api.pending, f);
    Resolve(library, "SSL_get_error", api.get_error, f);
    Resolve(library, "SSL_shutdown", api.shutdown, f);
    Resolve(library, "SSL_ctrl", api.ctrl, f);
    Resolve(library, "SSL_get0_param", api.get0_param, f);
    Resolve(library, "SSL_get_verify_result", api.verify_result, f);
    Resolve(library, "X509_VERIFY_PARAM_set1_host", api.param_set1_host, f);
    Resolve(library, "X509_VERIFY_PARAM_set1_ip_asc", api.param_set1_ip, f);
    Resolve(library, "X509_verify_cert_error_string", api.verify_error_string, f);
    Resolve(library, "ERR_get_error", api.err_get, f);
    Resolve(library, "ERR_error_string_n", api.err_string, f);
    Resolve(library, "ERR_clear_error", api.err_clear, f);
    Resolve(library, "BIO_s_mem", api.bio_s_mem, f);
    Resolve(library, "BIO_new", api.bio_new, f);
    Resolve(library, "BIO_free", api.bio_free, f);
    Resolve(library, "BIO_read", api.bio_read, f);
    Resolve(library, "BIO_write", api.bio_write, f);
    Resolve(library, "BIO_ctrl", api.bio_ctrl, f);
    // Kept loaded for the rest of the process, like the transfer library.
    return api;
}

const SslApi& Ssl() {
    static const SslApi api = LoadSsl();
    return api;
}

// The oldest error the library queued, in words; `fallback` when it queued none.
std::string LibraryError(const char* fallback) {
    const SslApi& api = Ssl();
    unsigned long code = api.err_get();
    if (!code) return fallback;
    char text[256];
    api.err_string(code, text, sizeof text);
    api.err_clear();
    return text;
}

// A server that closes without ending the session in TLS reads as a plain end of the
// connection, as it would without TLS: the HTTP framing says whether the answer was whole.
void CommonOptions(SSL_CTX* context) {
    const SslApi& api = Ssl();
    api.ctx_ctrl(context, SSL_CTRL_SET_MIN_PROTO_VERSION, TLS1_2_VERSION, nullptr);
    api.ctx_set_options(context, SSL_OP_IGNORE_UNEXPECTED_EOF | SSL_OP_NO_COMPRESSION |
                                     SSL_OP_NO_RENEGOTIATION);
}

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The client context: the trusted certificates are read once, again only when SSL_CERT_FILE or
// SSL_CERT_DIR change. Sessions keep their own reference to the context they started with.
SSL_CTX* ClientContext(std::string& error) {
    static std::mutex mutex;
    static SSL_CTX* context = nullptr;
    static std::string certFile, certDir;
    std::lock_guard<std::mutex> lock(mutex);
    const SslApi& api = Ssl();
    std::string file = EnvironmentText("SSL_CERT_FILE"), dir = EnvironmentText("SSL_CERT_DIR");
    if (context && file == certFile && dir == certDir) return context;
    SSL_CTX* fresh = api.ctx_new(api.client_method());
    if (!fresh) {
        error = LibraryError("cannot create a TLS context");
        return nullptr;
    }
    CommonOptions(fresh);
    api.ctx_set_verify(fresh, SSL_VERIFY_PEER, nullptr);
    // The library reads SSL_CERT_FILE and SSL_CERT_DIR here, its built-in places otherwise.
    if (api.ctx_default_verify_paths(fresh) != 1) {
        error = LibraryError("cannot read the trusted certificates");
        api.ctx_free(fresh);
        return nullptr;
    }
    if (context) api.ctx_free(context);
    context = fresh;
    certFile = file;
    certDir = dir;
    return context;
}

} // namespace

TTlsServerCredentials::TTlsServerCredentials() = default;

TTlsServerCredentials::~TTlsServerCredentials() {
    if (m_context) Ssl().ctx_free(static_cast<SSL_CTX*>(m_context));
}

bool TTlsServerCredentials::Load(const std::string& certificateFile, const std::string& keyFile,
                                 std::string& error) {
    if (!TTlsSession::Available(error)) return false;
    const SslApi& api = Ssl();
    api.err_clear();
    SSL_CTX* context = api.ctx_new(api.server_method());
    if (!context) {
        error = LibraryError("cannot create a TLS context");
        return false;
    }
    CommonOptions(context);
    if (api.ctx_use_chain_file(context, certificateFile.c_str()) != 1) {
        error = "cannot read the certificate " + certificateFile + ": " + LibraryError("unknown");
    } else if (api.ctx_use_key_file(context, keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
        error = "cannot use the key " + keyFile + ": " + LibraryError("unknown");
    } else if (api.ctx_check_key(context) != 1) {
        error = "the key " + keyFile + " does not belong to the certificate " + certificateFile;
    } else {
        if (m_context) api.ctx_free(static_cast<SSL_CTX*>(m_context));
        m_context = context;
        return true;
    }
    api.ctx_free(context);
    return false;
}

TTlsSession::TTlsSession(TcpSocket& socket) : m_socket(socket) {}

TTlsSession::~TTlsSession() {
    if (m_ssl) Ssl().ssl_free(static_cast<SSL*>(m_ssl));
}

bool TTlsSession::Available(std::string& why) {
    why = Ssl().failure;
    return why.empty();
}

namespace {} // namespace

// The session reads and writes through two memory buffers; the socket's own calls move the
// bytes, so TLS waits, fails and is cut off exactly as plain TCP does.
bool TTlsSession::Start(void* contextHandle) {
    const SslApi& api = Ssl();
    auto* context = static_cast<SSL_CTX*>(contextHandle);
    if (m_ssl) {
        m_lastError = "the session has started already";
        return false;
    }
    SSL* ssl = api.ssl_new(context);
    BIO* in = ssl ? api.bio_new(api.bio_s_mem()) : nullptr;
    BIO* out = in ? api.bio_new(api.bio_s_mem()) : nullptr;
    if (!out) {
        m_lastError = LibraryError("cannot create a TLS session");
        if (in) api.bio_free(in);
        if (ssl) api.ssl_free(ssl);
        return false;
    }
    // An empty input buffer means "wait for more", not the end of the stream.
    api.bio_ctrl(in, BIO_C_SET_BUF_MEM_EOF_RETURN, -1, nullptr);
    api.set_bio(ssl, in, out);
    m_ssl = ssl;
    m_in = in;
    m_out = out;
    return true;
}

bool TTlsSession::Connect(const std::string& host, int timeoutMs) {
    if (!Available(m_lastError)) return false;
    const SslApi& api = Ssl();
    api.err_clear();
    SSL_CTX* context = ClientContext(m_lastError);
    if (!context) return false;
    if (!Start(context)) return false;
    auto* ssl = static_cast<SSL*>(m_ssl);
    X509_VERIFY_PARAM* param = api.get0_param(ssl);
    if (IsIpAddress(host)) {
        // An address is checked against the certificate's addresses and is never sent as a name.
        if (api.param_set1_ip(param, host.c_str()) != 1) {
            m_lastError = "\"" + host + "\" is not an address TLS can check";
            return false;
        }
    } else {
        api.ctrl(ssl, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name,
                 const_cast<char*>(host.c_str()));
        if (api.param_set1_host(param, host.c_str(), host.size()) != 1) {
            m_lastError = "\"" + host + "\" is not a host name TLS can check";
            return false;
        }
    }
    return Handshake(true, timeoutMs);
}

bool TTlsSession::Accept(const TTlsServerCredentials& credentials, int timeoutMs) {
    if (!credentials.Loaded()) {
        m_lastError = "no certificate to present";
        return false;
    }
    Ssl().err_clear();
    if (!Start(credentials.m_context)) return false;
    return Handshake(false, timeoutMs);
}

bool TTlsSession::Handshake(bool client, int timeoutMs) {
    const SslApi& api = Ssl();
    auto* ssl = static_cast<SSL*>(m_ssl);
    for (;;) {
        api.err_clear();
        int result = client ? api.connect(ssl) : api.accept(ssl);
        if (result == 1) return Flush(timeoutMs);
        int step = WaitAfter(result, "TLS handshake", timeoutMs);
        if (step == 1) continue;
        if (client) {
            long verdict = api.verify_result(ssl);
            if (verdict != X509_V_OK) {
                m_certificateRejected = true;
                m_lastError = api.verify_error_string(verdict);
            }
        }
        Flush(timeoutMs); // the alert that tells the peer why, when there is one
        return false;
    }
}

bool TTlsSession::Flush(int timeoutMs) {
    const SslApi& api = Ssl();
    auto* out = static_cast<BIO*>(m_out);
    char chunk[16 * 1024];
    for (;;) {
        int got = api.bio_read(out, chunk, sizeof chunk);
        if (got <= 0) return true;
        if (!m_socket.SendAll(chunk, static_cast<std::size_t>(got), timeoutMs)) {
            m_lastError = m_socket.LastError();
            return false;
        }
    }
}

long TTlsSession::FillInput(int timeoutMs) {
    if (m_receiveBuffer.empty()) m_receiveBuffer.resize(kReceiveChunk);
    long got = m_socket.Receive(m_receiveBuffer.data(), m_receiveBuffer.size(), timeoutMs);
    if (got > 0) {
        Ssl().bio_write(static_cast<BIO*>(m_in), m_receiveBuffer.data(), static_cast<int>(got));
    } else if (got == kSocketClosed) {
        m_peerClosed = true;
        m_lastError = "the connection was closed";
    } else {
        m_lastError = m_socket.LastError();
    }
    return got;
}

int TTlsSession::WaitAfter(int result, const char* what, int timeoutMs) {
    const SslApi& api = Ssl();
    int error = api.get_error(static_cast<SSL*>(m_ssl), result);
    // Whatever the library wrote (a handshake message, an alert) goes out first.
    if (!Flush(timeoutMs)) return m_lastError == "timed out" ? -1 : 0;
    switch (error) {
    case SSL_ERROR_WANT_WRITE:
        return 1; // the output buffer has been drained
    case SSL_ERROR_WANT_READ: {
        long got = FillInput(timeoutMs);
        if (got > 0) return 1;
        return got == kSocketTimeout ? -1 : 0;
    }
    case SSL_ERROR_ZERO_RETURN:
        m_peerClosed = true;
        m_lastError = "the connection was closed";
        return 0;
    default:
        Fail(what);
        return 0;
    }
}

void TTlsSession::Fail(const char* what) {
    m_lastError = std::string(what) + ": " + LibraryError("failed");
}

bool TTlsSession::SendAll(const void* data, std::size_t size, int timeoutMs) {
    if (!m_ssl) {
        m_lastError = "not connected";
        return false;
    }
    const SslApi& api = Ssl();
    auto* ssl = static_cast<SSL*>(m_ssl);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        int piece = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
        api.err_clear();
        int written = api.write(ssl, p, piece);
        if (written > 0) {
            p += written;
            size -= static_cast<std::size_t>(written);
            continue;
        }
        if (WaitAfter(written, "TLS write", timeoutMs) != 1) return false;
    }
    return Flush(timeoutMs);
}

long TTlsSession::Receive(void* buffer, std::size_t size, int timeoutMs) {
    if (!m_ssl) {
        m_lastError = "not connected";
        return kSocketError;
    }
    const SslApi& api = Ssl();
    auto* ssl = static_cast<SSL*>(m_ssl);
    int want = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    for (;;) {
        api.err_clear();
        int got = api.read(ssl, buffer, want);
        if (got > 0) return got;
        if (m_peerClosed) return kSocketClosed; // and nothing more is buffered
        int step = WaitAfter(got, "TLS read", timeoutMs);
        if (step == 1) continue;
        if (step == -1) return kSocketTimeout;
        return m_peerClosed ? kSocketClosed : kSocketError;
    }
}

bool TTlsSession::IsStale() {
    if (!m_ssl || m_peerClosed) return true;
    const SslApi& api = Ssl();
    auto* ssl = static_cast<SSL*>(m_ssl);
    if (api.pending(ssl) > 0) return true;
    if (!m_socket.IsStale()) return false;
    // Something arrived or the peer went away. Records that only keep the session (a ticket)
    // leave the connection usable; data nobody asked for, an alert or the end do not.
    if (FillInput(1) <= 0) return true;
    char byte;
    for (;;) {
        api.err_clear();
        int got = api.peek(ssl, &byte, 1);
        if (got > 0) return true;
        int error = api.get_error(ssl, got);
        if (error != SSL_ERROR_WANT_READ) return true;
        if (!m_socket.IsStale()) return false;
        if (FillInput(1) <= 0) return true;
    }
}

void TTlsSession::Close() {
    if (!m_ssl) return;
    const SslApi& api = Ssl();
    auto* ssl = static_cast<SSL*>(m_ssl);
    if (!m_peerClosed && m_socket.IsOpen()) {
        api.err_clear();
        api.shutdown(ssl);
        Flush(100); // a courtesy: never worth a long wait
    }
    api.err_clear();
    api.ssl_free(ssl);
    m_ssl = m_in = m_out = nullptr;
}
