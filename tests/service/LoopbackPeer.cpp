#include "LoopbackPeer.h"

#include <memory>

namespace {
constexpr int kPollMs = 20;
}

PeerConnection::~PeerConnection() {
    if (m_tls) m_tls->Close();
}

bool PeerConnection::StartTls(const TTlsServerCredentials& credentials) {
    m_tls = std::make_unique<TTlsSession>(m_socket);
    return m_tls->Accept(credentials, 5000);
}

long PeerConnection::Receive(char* buffer, std::size_t size, int timeoutMs) {
    return m_tls ? m_tls->Receive(buffer, size, timeoutMs)
                 : m_socket.Receive(buffer, size, timeoutMs);
}

bool PeerConnection::ReadRequest(std::string* head) {
    char buffer[4096];
    for (;;) {
        std::size_t end = m_pending.find("\r\n\r\n");
        if (end != std::string::npos) {
            std::string request = m_pending.substr(0, end + 4);
            m_pending.erase(0, end + 4);
            m_peer.Record(request);
            if (head) *head = request;
            return true;
        }
        if (m_peer.Stopping() || !m_socket.IsOpen()) return false;
        long got = Receive(buffer, sizeof buffer, kPollMs);
        if (got == kSocketTimeout) continue;
        if (got <= 0) return false;
        m_pending.append(buffer, static_cast<std::size_t>(got));
    }
}

void PeerConnection::Send(std::string_view bytes) {
    if (m_tls)
        m_tls->SendAll(bytes.data(), bytes.size(), 5000);
    else
        m_socket.SendAll(bytes.data(), bytes.size(), 5000);
}

void PeerConnection::Reset() {
    m_socket.SetResetOnClose();
    m_socket.Close();
}

void PeerConnection::WaitForClientClose() {
    char buffer[4096];
    while (!m_peer.Stopping() && m_socket.IsOpen()) {
        long got = Receive(buffer, sizeof buffer, kPollMs);
        if (got == kSocketClosed || got == kSocketError) return;
    }
}

LoopbackPeer::LoopbackPeer(Handler handler) : LoopbackPeer(std::move(handler), nullptr) {}

LoopbackPeer::LoopbackPeer(Handler handler, const TTlsServerCredentials* credentials)
    : m_handler(std::move(handler)), m_credentials(credentials) {
    m_listener.Listen("127.0.0.1", 0);
    m_acceptor = std::thread([this] {
        while (!m_stopping) {
            TcpSocket socket = m_listener.Accept(kPollMs);
            if (!socket.IsOpen()) continue;
            int index = m_connections++;
            std::lock_guard lock(m_mutex);
            m_threads.emplace_back([this, index, s = std::move(socket)]() mutable {
                PeerConnection connection(*this, std::move(s), index);
                if (m_credentials && !connection.StartTls(*m_credentials)) {
                    ++m_failedHandshakes;
                    return;
                }
                m_handler(connection);
            });
        }
    });
}

LoopbackPeer::~LoopbackPeer() {
    m_stopping = true;
    m_acceptor.join();
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(m_mutex);
        threads.swap(m_threads);
    }
    for (std::thread& thread : threads) thread.join();
}

std::string LoopbackPeer::Url(const std::string& pathAndQuery) const {
    return Url("127.0.0.1", pathAndQuery);
}

std::string LoopbackPeer::Url(const std::string& host, const std::string& pathAndQuery) const {
    return (m_credentials ? "https://" : "http://") + host + ":" + std::to_string(Port()) +
           pathAndQuery;
}

std::vector<std::string> LoopbackPeer::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void LoopbackPeer::Record(const std::string& head) {
    std::lock_guard lock(m_mutex);
    m_requests.push_back(head);
}

LoopbackPeer::Handler LoopbackPeer::Answers(std::vector<std::string> answers) {
    auto shared = std::make_shared<std::vector<std::string>>(std::move(answers));
    auto next = std::make_shared<std::atomic<int>>(0);
    return [shared, next](PeerConnection& connection) {
        while (connection.ReadRequest()) {
            int index = (*next)++;
            if (index >= static_cast<int>(shared->size())) return;
            connection.Send((*shared)[static_cast<std::size_t>(index)]);
        }
    };
}

std::string LoopbackPeer::Answer(const std::string& status, const std::vector<std::string>& headers,
                                 const std::string& body, bool withLength) {
    std::string out = "HTTP/1.1 " + status + "\r\n";
    for (const std::string& header : headers) out += header + "\r\n";
    if (withLength) out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return out + "\r\n" + body;
}
