// Downloads from a canned server on loopback: the request sent, what is stored for each kind
// of answer, redirects, servers that fail, the URL given to curl, and certificate checks.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "net/WebDownload.h"
#include "support/TempDir.h"
#include "vornic.h"
#include "web/CannedServer.h"

namespace {

class WebGetTest : public testing::Test {
  protected:
    // Downloads in tests go straight to loopback, whatever proxy the machine names.
    void SetUp() override { setenv("no_proxy", "*", 1); }

    TempDir dir;
    const std::string target = dir.Write("target.bin", "old content");
};

TEST_F(WebGetTest, SendsTheTraditionalRequestStoresTheBodyByteForByteAndFollowsRedirects) {
    std::string body(5 << 20, '\0');
    std::generate(body.begin(), body.end(), [i = 0u]() mutable { return char(i++ * 7919 >> 3); });
    std::vector<std::string> requests;
    auto server = std::make_unique<CannedServer>([&](const std::string& request) -> std::string {
        requests.push_back(request);
        if (request.rfind("GET /old ", 0) == 0)
            return "HTTP/1.0 301 Moved\r\nLocation: /new\r\n\r\n";
        if (request.rfind("GET /loop ", 0) == 0)
            return "HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n";
        return "HTTP/1.0 200 OK\r\n\r\n" + body;
    });
    // Game code may separate folders with "\\".
    EXPECT_EQ(WebGet("127.0.0.1", "/a.txt", server->Port(), (dir.Path() + "\\got").c_str()), 1.0);
    EXPECT_TRUE(ReadWholeFile(dir.File("got")) == body); // not printed: 5 MiB
    EXPECT_TRUE(net::Download({"127.0.0.1", "/old", server->Port()}, target));
    EXPECT_FALSE(net::Download({"127.0.0.1", "/loop", server->Port()}, target));
    server.reset();
    ASSERT_EQ(requests.size(), 1u + 2u + 1u + 5u) << "five redirects are followed, no more";
    EXPECT_EQ(requests[0], "GET /a.txt HTTP/1.0\r\nHost:127.0.0.1\r\n"
                           "Accept: */*\r\nUser-Agent: Vornic game\r\n\r\n");
}

TEST_F(WebGetTest, OnlyAWholeBodyWithASuccessStatusReplacesTheFile) {
    // What the server answers, and what the download must leave behind ("old content": the
    // file is untouched and the download fails).
    const std::pair<const char*, const char*> cases[] = {
        {"HTTP/1.0 200 OK\nServer: x\n\nbody\r\n\nrest", "body\r\n\nrest"}, // bare line feeds
        {"HTTP/1.0 204 No Content\r\n\r\n", ""},
        {"HTTP/1.0 404 Not Found\r\n\r\nno such page", "old content"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this", "old content"}, // cut
        {"hello there\r\n\r\nbody", "old content"},                                 // not HTTP
    };
    for (const auto& [answer, stored] : cases) {
        dir.Write("target.bin", "old content");
        CannedServer server([text = answer](const std::string&) { return text; });
        EXPECT_EQ(net::Download({"127.0.0.1", "/", server.Port()}, target),
                  std::string(stored) != "old content")
            << answer;
        EXPECT_EQ(ReadWholeFile(target), stored) << answer;
    }
}

TEST_F(WebGetTest, AStalledServerIsGivenUpQuickly) {
    net::DownloadLimits impatient;
    impatient.connectSeconds = impatient.stallSeconds = 1;
    CannedServer stalled([](const std::string&) { return "HTTP/1.0 200 OK\r\n\r\nab"; },
                         /*hold=*/true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(net::Download({"127.0.0.1", "/", stalled.Port()}, target, impatient));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(WebRequestUrl, NamesAndPathsBecomeTheUrlCurlIsGiven) {
    const std::pair<net::WebRequest, const char*> cases[] = {
        {{"example.org", "/index.html", 80}, "http://example.org:80/index.html"},
        {{"example.org", "/", 443}, "https://example.org:443/"},
        {{"https://example.org/", "/x", 8443}, "https://example.org:8443/x"},
        {{"http://example.org", "x y#z", 80}, "http://example.org:80/x%20y%23z"},
        {{"::1", "/a/../b", 8080}, "http://[::1]:8080/a/../b"},
        {{"[::1]", "", 8080}, "http://[::1]:8080/"},
        {{"evil.org/@other", "/", 80}, ""}, // never looked up
        {{"", "/", 80}, ""},
        {{"example.org", "/", 0}, ""},
        {{"example.org", "/", 70000}, ""},
    };
    for (const auto& [request, url] : cases)
        EXPECT_EQ(net::RequestUrl(request), url) << url;
}

TEST_F(WebGetTest, HttpsChecksTheServersCertificate) {
    const std::string certificate = dir.File("cert.pem"), key = dir.File("key.pem");
    const std::string make =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 "
        "-nodes -days 1 -subj /CN=localhost -addext subjectAltName=IP:127.0.0.1";
    ASSERT_EQ(std::system((make + " -keyout " + key + " -out " + certificate).c_str()), 0);
    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> tls(SSL_CTX_new(TLS_server_method()),
                                                          SSL_CTX_free);
    ASSERT_EQ(SSL_CTX_use_certificate_file(tls.get(), certificate.c_str(), SSL_FILETYPE_PEM) +
                  SSL_CTX_use_PrivateKey_file(tls.get(), key.c_str(), SSL_FILETYPE_PEM),
              2);
    CannedServer server([](const std::string&) { return "HTTP/1.0 200 OK\r\n\r\nsecret"; }, false,
                        tls.get());
    const net::WebRequest request{"https://127.0.0.1", "/", server.Port()};
    EXPECT_FALSE(net::Download(request, target)) << "a certificate nobody vouches for is refused";
    net::DownloadLimits trusting;
    trusting.trustedCertificates = certificate;
    EXPECT_TRUE(net::Download(request, target, trusting));
}

} // namespace
