#include "TipsConnection.h"

TipsConnection::TipsConnection(TcpSocket socket, const TTlsServerCredentials* credentials)
    : m_socket(std::move(socket)), m_credentials(credentials) {}

TipsConnection::~TipsConnection() {
    m_input.reset();
    if (m_tls) m_tls->Close();
}

bool TipsConnection::Open(int timeoutMs, std::string& error) {
    if (m_credentials) {
        m_tls = std::make_unique<TTlsSession>(m_socket);
        if (!m_tls->Accept(*m_credentials, timeoutMs)) {
            error = m_tls->LastError();
            return false;
        }
        m_input.emplace(*m_tls, timeoutMs);
    } else {
        m_input.emplace(m_socket, timeoutMs);
    }
    return true;
}

bool TipsConnection::SendAll(const void* data, std::size_t size, int timeoutMs) {
    return m_tls ? m_tls->SendAll(data, size, timeoutMs) : m_socket.SendAll(data, size, timeoutMs);
}
