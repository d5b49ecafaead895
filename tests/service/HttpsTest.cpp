// The tips client over HTTPS against a TLS peer on loopback with throwaway certificates: the
// same bytes inside as over plain HTTP, the connection kept alive, and every certificate that
// is not trusted refused before anything is sent, with no way back to plain HTTP.

#include "LoopbackPeer.h"
#include "TestCertificates.h"
#include "service/HttpClient.h"
#include "service/HttpErrors.h"
#include "service/VersionProbe.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>

namespace {

using Peer = LoopbackPeer;

std::string Ok(const std::string& body, std::vector<std::string> headers = {}) {
    return Peer::Answer("200 OK", headers, body);
}

// The request heads with the peer's port written as "PORT", so that two peers compare.
std::vector<std::string> HeadsWithoutPort(const Peer& peer) {
    std::vector<std::string> heads = peer.Requests();
    const std::string port = std::to_string(peer.Port());
    for (std::string& head : heads)
        for (std::size_t at; (at = head.find(port)) != std::string::npos;)
            head.replace(at, port.size(), "PORT");
    return heads;
}

class Https : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(TTlsSession::Available(why)) << why;
        certificates = MakeTestCertificates(why);
        ASSERT_NE(certificates, nullptr) << why;
        Trust(certificates->caFile);
    }

    // A server identity made of one of the certificates and the shared key.
    std::unique_ptr<TTlsServerCredentials> Identity(const std::string& certificate) {
        auto credentials = std::make_unique<TTlsServerCredentials>();
        std::string error;
        EXPECT_TRUE(credentials->Load(certificate, certificates->key, error)) << error;
        return credentials;
    }

    // The certificates the client trusts from now on, as a user names a private CA.
    void Trust(const std::string& file) {
        trust.reset();
        trust = std::make_unique<ScopedEnvironment>("SSL_CERT_FILE", file.c_str());
    }

    NoProxyEnvironment noProxy;
    const TestCertificates* certificates = nullptr;
    std::unique_ptr<ScopedEnvironment> trust;
    THttpClient client{nullptr};
};

TEST_F(Https, SendsTheSameBytesAsPlainHttpAndKeepsTheConnection) {
    auto identity = Identity(certificates->goodCert);
    const std::vector<std::string> answers = {Ok("first", {"Set-Cookie: s=1; Path=/"}),
                                              Ok("second")};
    Peer plain(Peer::Answers(answers));
    Peer secure(Peer::Answers(answers), identity.get());
    for (Peer* peer : {&plain, &secure}) {
        THttpClient client(nullptr);
        EXPECT_EQ(client.HttpGetText(peer->Url("/login/brelvan.php?login=a&pass=b")), "first");
        EXPECT_EQ(client.HttpGetText(peer->Url("/login/brelvan.php?login=a&pass=b")), "second");
        EXPECT_TRUE(client.Connected());
        EXPECT_EQ(peer->ConnectionCount(), 1); // kept alive for the second request
    }
    ASSERT_EQ(HeadsWithoutPort(secure).size(), 2u);
    EXPECT_EQ(HeadsWithoutPort(secure), HeadsWithoutPort(plain));
    EXPECT_NE(secure.Requests()[1].find("Cookie: s=1\r\n"), std::string::npos);
}

TEST_F(Https, SecureCookiesGoBackOverHttpsOnly) {
    auto identity = Identity(certificates->goodCert);
    Peer secure(Peer::Answers({Ok("a", {"Set-Cookie: session=s1; Secure; Path=/"}), Ok("b")}),
                identity.get());
    Peer plain(Peer::Answers({Ok("c")}));
    EXPECT_EQ(client.HttpGetText(secure.Url("/login")), "a");
    EXPECT_EQ(client.HttpGetText(secure.Url("/login")), "b");
    EXPECT_NE(secure.Requests().at(1).find("\r\nCookie: session=s1\r\n"), std::string::npos);
    // The same host over plain HTTP never sees it.
    EXPECT_EQ(client.HttpGetText(plain.Url("/login")), "c");
    EXPECT_EQ(plain.Requests().at(0).find("Cookie:"), std::string::npos);
}

TEST_F(Https, NamesTheHostAndDropsThePortOnlyWhenItIs443) {
    auto identity = Identity(certificates->goodCert);
    Peer secure(Peer::Answers({Ok("a")}), identity.get());
    EXPECT_EQ(client.HttpGetText(secure.Url("localhost", "/x")), "a");
    EXPECT_NE(secure.Requests().at(0).find("\r\nHost: localhost:" + std::to_string(secure.Port()) +
                                           "\r\n"),
              std::string::npos);
    EXPECT_EQ(SplitHttpUrl("https://tips.example/x").HostHeader(), "tips.example");
    EXPECT_EQ(SplitHttpUrl("https://tips.example:443/x").port, 443);
    EXPECT_EQ(SplitHttpUrl("https://tips.example:80/x").HostHeader(), "tips.example:80");
    EXPECT_EQ(SplitHttpUrl("HTTPS://[::1]/x").HostHeader(), "[::1]");
}

TEST_F(Https, LargeBodiesArriveWholeCountedChunkedAndStreamed) {
    auto identity = Identity(certificates->goodCert);
    std::string big(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 + i / 7);
    std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (std::size_t at = 0; at < big.size(); at += 100000) {
        const std::string piece = big.substr(at, 100000);
        char size[16];
        std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
        chunked += size + piece + "\r\n";
    }
    chunked += "0\r\n\r\n";
    Peer secure(Peer::Answers({Ok(big), chunked, Ok(big)}), identity.get());
    EXPECT_EQ(client.HttpGetText(secure.Url("/1")), big);
    EXPECT_EQ(client.HttpGetText(secure.Url("/2")), big);
    std::string streamed;
    client.HttpGet(secure.Url("/3"), [&](std::string_view bytes) { streamed += bytes; });
    EXPECT_EQ(streamed, big);
    EXPECT_EQ(secure.ConnectionCount(), 1);
}

TEST_F(Https, AServerThatEndedTheSessionMeansANewConnection) {
    auto identity = Identity(certificates->goodCert);
    // The first connection answers once and is closed; the second answers the rest.
    auto closed = std::make_shared<std::promise<void>>();
    Peer secure(
        [closed](PeerConnection& connection) {
            while (connection.ReadRequest()) {
                connection.Send(Ok("n" + std::to_string(connection.Index())));
                if (connection.Index() == 0) {
                    connection.Close();
                    closed->set_value();
                    return;
                }
            }
        },
        identity.get());
    EXPECT_EQ(client.HttpGetText(secure.Url("/a")), "n0");
    closed->get_future().wait();
    EXPECT_EQ(client.HttpGetText(secure.Url("/b")), "n1");
    EXPECT_EQ(client.HttpGetText(secure.Url("/c")), "n1");
    EXPECT_EQ(secure.ConnectionCount(), 2);
    // And "Connection: close" over TLS as over TCP.
    Peer closing(Peer::Answers({Ok("x", {"Connection: close"}), Ok("y")}), identity.get());
    EXPECT_EQ(client.HttpGetText(closing.Url("/a")), "x");
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.HttpGetText(closing.Url("/b")), "y");
    EXPECT_EQ(closing.ConnectionCount(), 2);
}

TEST_F(Https, RefusesEveryCertificateThatIsNotTrustedBeforeSendingAnything) {
    struct Case {
        const char* what;
        std::string certificate;
        std::string host;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"expired", certificates->expiredCert, "localhost", "certificate has expired"},
        {"for another name", certificates->otherNameCert, "localhost", "hostname mismatch"},
        {"for another address", certificates->otherNameCert, "127.0.0.1", "IP address mismatch"},
        {"from an unknown CA", certificates->strangerCert, "localhost",
         "unable to get local issuer certificate"},
    };
    for (const Case& c : cases) {
        auto identity = Identity(c.certificate);
        Peer peer(Peer::Answers({Ok("secret")}), identity.get());
        AnsiString answer = "kept";
        try {
            client.HttpGetText(peer.Url(c.host, "/login/brelvan.php?login=a&pass=b"), answer);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const EHttpCertificateError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string(kUntrustedCertificateText) + e.Reason().c_str())
                << c.what;
            EXPECT_NE(LowerCase(e.Reason()).find(LowerCase(c.reason)), std::string::npos)
                << c.what << ": " << e.what();
        }
        EXPECT_EQ(answer, "kept") << c.what;
        EXPECT_TRUE(peer.Requests().empty()) << c.what; // the password never left
        EXPECT_FALSE(client.Connected()) << c.what;
    }
    // A good certificate whose CA the user did not name is not trusted either.
    auto identity = Identity(certificates->goodCert);
    Peer peer(Peer::Answers({Ok("secret")}), identity.get());
    Trust(certificates->otherCaFile);
    EXPECT_THROW(client.HttpGetText(peer.Url("localhost", "/")), EHttpCertificateError);
    Trust(certificates->caFile);
    EXPECT_EQ(client.HttpGetText(peer.Url("localhost", "/")), "secret");
}

TEST_F(Https, NeverFallsBackToPlainHttp) {
    // A plain HTTP server on the https port, which answers what it cannot read: the handshake
    // fails, and no request follows.
    Peer plain([](PeerConnection& connection) {
        connection.Send(Peer::Answer("400 Bad Request", {"Connection: close"}, "bad"));
        connection.WaitForClientClose();
    });
    client.SetTimeoutMs(3000);
    const std::string url = "https://127.0.0.1:" + std::to_string(plain.Port()) + "/x";
    try {
        client.HttpGetText(url);
        ADD_FAILURE() << "a plain server was taken for a TLS one";
    } catch (const EHttpCertificateError& e) {
        ADD_FAILURE() << "not a certificate failure: " << e.what();
    } catch (const EHttpError& e) {
        EXPECT_NE(std::string(e.what()).find("TLS"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(plain.ConnectionCount(), 1); // no second try
}

TEST_F(Https, ASilentServerEndsAtTheTimeLimit) {
    Peer silent([](PeerConnection& connection) { connection.WaitForClientClose(); });
    client.SetTimeoutMs(300);
    EXPECT_THROW(client.HttpGetText("https://127.0.0.1:" + std::to_string(silent.Port()) + "/"),
                 EHttpError);
    EXPECT_FALSE(client.Connected());
}

TEST_F(Https, TheVersionProbeVerifiesTheCertificateToo) {
    auto identity = Identity(certificates->goodCert);
    Peer peer(Peer::Answers({Ok("3.3"), Ok("3.3")}), identity.get());
    const std::string url = peer.Url("localhost", "/refresh/brelvan3.3.txt");
    TVersionProbeResult served = ProbeVersion(url, 5000);
    EXPECT_EQ(served.Answer, TVersionProbeAnswer::Served) << served.Reason;
    Trust(certificates->otherCaFile);
    TVersionProbeResult refused = ProbeVersion(url, 5000);
    EXPECT_EQ(refused.Answer, TVersionProbeAnswer::Unreachable);
    EXPECT_EQ(refused.Reason.rfind(kUntrustedCertificateText, 0), 0u) << refused.Reason;
    EXPECT_FALSE(CheckUrlAvailable(url, 5000));
    auto expired = Identity(certificates->expiredCert);
    Trust(certificates->caFile);
    Peer old(Peer::Answers({Ok("3.3")}), expired.get());
    refused = ProbeVersion(old.Url("localhost", "/refresh/brelvan3.3.txt"), 5000);
    EXPECT_NE(refused.Reason.find("expired"), std::string::npos) << refused.Reason;
}

} // namespace
