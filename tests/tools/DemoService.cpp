#include "DemoService.h"

#include "platform/Socket.h"

#include <chrono>
#include <thread>

std::string TipsdPath() {
    return std::string(BRELVAN_BINARY_DIR) + "/tools/tipsd/tipsd";
}

DemoService::DemoService(const std::vector<std::string>& extra) {
    TcpListener probe;
    probe.Listen("127.0.0.1", 0);
    m_port = probe.Port();
    probe.Close();
    std::vector<std::string> args = {TipsdPath(), "--port", std::to_string(m_port)};
    args.insert(args.end(), extra.begin(), extra.end());
    m_tipsd.Start(args);
    for (int i = 0; i < 300 && m_tipsd.Running(); ++i) { // until it listens
        TcpSocket socket;
        if (socket.Connect("127.0.0.1", m_port, 1000)) {
            m_listening = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
