#pragma once
// The demo service (tools/tipsd) run as the program it is, on a free port of loopback, for
// one test: started with the options given and stopped with the object.
#include "platform/Process.h"

#include <string>
#include <vector>

// The built program's path.
std::string TipsdPath();

class DemoService {
public:
    // `extra` follows "--port N"; Listening() tells whether it came up within 3 s.
    explicit DemoService(const std::vector<std::string>& extra);
    bool Listening() const { return m_listening; }
    int Port() const { return m_port; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string Url(const std::string& path) const { return "http://" + Host() + path; }

private:
    TChildProcess m_tipsd;
    int m_port = 0;
    bool m_listening = false;
};
