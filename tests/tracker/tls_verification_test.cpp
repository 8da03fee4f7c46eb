// The POST keeps TLS verification on: a collector whose certificate nobody
// vouches for never sees a record.
#include <gtest/gtest.h>
#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "scratch_home.h"
#include "sdk/http_sender.h"
#include "sdk/send_status.h"

namespace {

// Writes a fresh self-signed certificate for 127.0.0.1 and its key.
bool WriteSelfSignedCertificate(const std::string& certificateFile, const std::string& keyFile) {
    EVP_PKEY* key = EVP_RSA_gen(2048);
    X509* certificate = X509_new();
    bool written = false;
    if (key != nullptr && certificate != nullptr) {
        ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
        X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
        X509_gmtime_adj(X509_getm_notAfter(certificate), 3600);
        X509_set_pubkey(certificate, key);
        X509_NAME* name = X509_get_subject_name(certificate);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
        X509_set_issuer_name(certificate, name);
        if (X509_sign(certificate, key, EVP_sha256()) > 0) {
            FILE* out = std::fopen(certificateFile.c_str(), "w");
            FILE* keyOut = std::fopen(keyFile.c_str(), "w");
            written = out != nullptr && keyOut != nullptr &&
                      PEM_write_X509(out, certificate) == 1 &&
                      PEM_write_PrivateKey(keyOut, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
            if (out != nullptr) std::fclose(out);
            if (keyOut != nullptr) std::fclose(keyOut);
        }
    }
    X509_free(certificate);
    EVP_PKEY_free(key);
    return written;
}

TEST(HttpSenderTls, RefusesACollectorWithAnUntrustedCertificate) {
    test_support::ScratchHome home;
    const std::string certificate = (home.tmp() / "collector.crt").string();
    const std::string key = (home.tmp() / "collector.key").string();
    ASSERT_TRUE(WriteSelfSignedCertificate(certificate, key));
    httplib::SSLServer server(certificate.c_str(), key.c_str());
    ASSERT_TRUE(server.is_valid());
    std::atomic<int> posts{0};
    server.Post(".*", [&](const httplib::Request&, httplib::Response& response) {
        ++posts;
        response.set_content("ok", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port, 0);
    std::thread listener([&] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));

    analytics_sdk::HttpSender sender("https://127.0.0.1:" + std::to_string(port) + "/sa", 2);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sender.Send("[{\"a\":1}]"));
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(reported.starts_with("Analytics SDK send failed: ")) << reported;
    EXPECT_NE(reported.find("certificate"), std::string::npos) << reported;
    EXPECT_EQ(posts, 0);
    EXPECT_FALSE(analytics_sdk::lastSendSucceeded());

    server.stop();
    listener.join();
}

}  // namespace
