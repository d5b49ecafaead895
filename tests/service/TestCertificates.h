#pragma once
// Throwaway certificates for the HTTPS tests, made with the openssl command in a temporary
// folder the first time they are asked for: a CA of our own, and server certificates signed by
// it for "localhost", 127.0.0.1 and ::1 (good, expired, made out for another name), and one
// signed by a second CA that nobody trusts. No key or certificate lives in the repository.

#include <string>

struct TestCertificates {
    std::string folder;
    std::string caFile;        // the CA to trust (SSL_CERT_FILE)
    std::string otherCaFile;   // a CA that signed `strangerCert`, trusted by nobody
    std::string key;           // the key of every server certificate below
    std::string goodCert;      // localhost, 127.0.0.1, ::1; valid now
    std::string expiredCert;   // the same names, its validity over
    std::string otherNameCert; // only "other.example"
    std::string strangerCert;  // the good names, signed by the other CA
};

// The certificates, or null when the openssl command cannot make them (`why` says why).
const TestCertificates* MakeTestCertificates(std::string& why);

// Sets an environment variable for a scope, and puts the old value back after it.
class ScopedEnvironment {
public:
    // A null value unsets the variable.
    ScopedEnvironment(const char* name, const char* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name, m_old;
    bool m_hadValue;
};

// Clears every proxy variable for a scope, so that the machine's settings do not leak in.
class NoProxyEnvironment {
public:
    NoProxyEnvironment();

private:
    ScopedEnvironment m_vars[8];
};
