#include "TestCertificates.h"

#include "platform/Process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

bool Run(const std::string& command, std::string& why) {
    const TCommandResult result = RunShellCommand(command + " 2>&1");
    if (result.exitCode == 0) return true;
    why = "\"" + command + "\" failed: " + result.output;
    return false;
}

std::unique_ptr<TestCertificates> Make(std::string& why) {
    auto made = std::make_unique<TestCertificates>();
    TestCertificates& c = *made;
    c.folder = ::testing::TempDir() + "brelvan-tls-" + std::to_string(ProcessId());
    const std::string d = "'" + c.folder + "'";
    c.caFile = c.folder + "/ca.crt";
    c.otherCaFile = c.folder + "/other-ca.crt";
    c.key = c.folder + "/server.key";
    c.goodCert = c.folder + "/good.crt";
    c.expiredCert = c.folder + "/expired.crt";
    c.otherNameCert = c.folder + "/other-name.crt";
    c.strangerCert = c.folder + "/stranger.crt";
    const std::string newKey = " -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes";
    auto sign = [&](const std::string& ca, const std::string& ext, const std::string& days,
                    const std::string& out) {
        return Run("openssl x509 -req -in " + d + "/server.csr -CA " + d + "/" + ca +
                       ".crt -CAkey " + d + "/" + ca + ".key -CAcreateserial -days " + days +
                       " -extfile " + d + "/" + ext + " -out '" + out + "'",
                   why);
    };
    const bool ok =
        Run("rm -rf " + d + " && mkdir -p " + d + " && echo subjectAltName=DNS:localhost," +
                "IP:127.0.0.1,IP:::1 > " + d + "/good.ext && echo " +
                "subjectAltName=DNS:other.example > " + d + "/other.ext",
            why) &&
        Run("openssl req -x509" + newKey + " -keyout " + d + "/ca.key -out " + d +
                "/ca.crt -subj /CN=Brelvan-Test-CA -days 2",
            why) &&
        Run("openssl req -x509" + newKey + " -keyout " + d + "/other-ca.key -out " + d +
                "/other-ca.crt -subj /CN=Stranger-CA -days 2",
            why) &&
        Run("openssl req" + newKey + " -keyout " + d + "/server.key -out " + d +
                "/server.csr -subj /CN=localhost",
            why) &&
        sign("ca", "good.ext", "2", c.goodCert) &&
        // Valid from now until a day ago: over before the test can use it.
        sign("ca", "good.ext", "-1", c.expiredCert) &&
        sign("ca", "other.ext", "2", c.otherNameCert) &&
        sign("other-ca", "good.ext", "2", c.strangerCert);
    if (!ok) return nullptr;
    return made;
}

// Removes the folder when the test program ends.
struct TCertificatesHolder {
    std::unique_ptr<TestCertificates> certificates;
    ~TCertificatesHolder() {
        if (certificates) {
            std::error_code ignored;
            std::filesystem::remove_all(certificates->folder, ignored);
        }
    }
};

} // namespace

const TestCertificates* MakeTestCertificates(std::string& why) {
    static std::string failure;
    static const TCertificatesHolder holder{Make(failure)};
    why = failure;
    return holder.certificates.get();
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_hadValue = old != nullptr;
    if (old) m_old = old;
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (m_hadValue)
        setenv(m_name.c_str(), m_old.c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

NoProxyEnvironment::NoProxyEnvironment()
    : m_vars{{"http_proxy", nullptr},  {"HTTP_PROXY", nullptr}, {"https_proxy", nullptr},
             {"HTTPS_PROXY", nullptr}, {"all_proxy", nullptr},  {"ALL_PROXY", nullptr},
             {"no_proxy", nullptr},    {"NO_PROXY", nullptr}} {}
