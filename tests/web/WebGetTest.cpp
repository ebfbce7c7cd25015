#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <sys/stat.h>

#include "net/WebDownload.h"
#include "support/TempDir.h"
#include "vornic.h"
#include "web/CannedServer.h"

namespace {

const char kRequestFor127[] =
    "GET /a.txt HTTP/1.0\r\nHost:127.0.0.1\r\nAccept: */*\r\nUser-Agent: Vornic game\r\n\r\n";

CannedServer::Answer Close(std::string bytes) {
    return {std::move(bytes), false};
}

class WebGetTest : public testing::Test {
  protected:
    void SetUp() override {
        // Downloads in tests go straight to loopback, whatever proxy the machine names.
        for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy",
                                 "ALL_PROXY", "no_proxy", "NO_PROXY"})
            unsetenv(name);
        target = dir.File("target.bin");
        WriteFile(target, "old content");
    }

    static void WriteFile(const std::string& path, const std::string& content) {
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }

    bool Fetch(int port, const std::string& path, const net::DownloadLimits& limits = {}) {
        return net::Download({"127.0.0.1", path, port}, target, limits);
    }

    TempDir dir;
    std::string target;
};

TEST_F(WebGetTest, SendsTheTraditionalRequestAndStoresTheBodyByteForByte) {
    std::string body(5 << 20, '\0');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>((i * 7919) >> 3);
    CannedServer server(
        [&](const std::string&) { return Close("HTTP/1.0 200 OK\r\n\r\n" + body); });
    ASSERT_NE(server.Port(), 0);

    // Game code may separate folders with "\\".
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0700), 0);
    EXPECT_EQ(WebGet("127.0.0.1", "/a.txt", server.Port(), (dir.Path() + "\\sub\\got").c_str()),
              1.0);

    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], kRequestFor127);
    EXPECT_TRUE(ReadWholeFile(dir.File("sub/got")) == body)
        << "the body differs from what was sent";
}

// Each row: what the server answers to a request, and what the download must leave behind.
struct AnswerCase {
    const char* name;
    const char* answer;
    bool succeeds;
    const char* stored; // the file afterwards
};

TEST_F(WebGetTest, OnlyAWholeBodyWithASuccessStatusReplacesTheFile) {
    const AnswerCase cases[] = {
        {"header ended by bare line feeds", "HTTP/1.0 200 OK\nServer: x\n\nbody\r\n\nrest", true,
         "body\r\n\nrest"},
        {"empty body", "HTTP/1.0 204 No Content\r\n\r\n", true, ""},
        {"error page", "HTTP/1.0 404 Not Found\r\n\r\nno such page", false, "old content"},
        {"server error", "HTTP/1.1 500 Oops\r\nContent-Length: 3\r\n\r\nbad", false, "old content"},
        {"cut mid-body", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this", false,
         "old content"},
        {"header never ends", "HTTP/1.0 200 OK\r\nServer: x\r\n", true, ""},
        {"no answer at all", "", false, "old content"},
        {"not HTTP", "hello there\r\n\r\nbody", false, "old content"},
    };
    for (const AnswerCase& row : cases) {
        SCOPED_TRACE(row.name);
        WriteFile(target, "old content");
        CannedServer server([&](const std::string&) { return Close(row.answer); });
        EXPECT_EQ(Fetch(server.Port(), "/a.txt"), row.succeeds);
        EXPECT_EQ(ReadWholeFile(target), row.stored);
    }
}

TEST_F(WebGetTest, FollowsRedirectsButNotForever) {
    CannedServer server([](const std::string& request) {
        const std::string path = CannedServer::PathOf(request);
        if (path == "/old") return Close("HTTP/1.0 301 Moved\r\nLocation: /new\r\n\r\n");
        if (path == "/new") return Close("HTTP/1.0 200 OK\r\n\r\nmoved here");
        return Close("HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n");
    });
    EXPECT_TRUE(Fetch(server.Port(), "/old"));
    EXPECT_EQ(ReadWholeFile(target), "moved here");

    EXPECT_FALSE(Fetch(server.Port(), "/loop"));
    EXPECT_EQ(ReadWholeFile(target), "moved here");
    EXPECT_EQ(server.Requests().size(), 2u + 1u + 5u) << "five redirects are followed, no more";
}

TEST_F(WebGetTest, UnreachableOrSilentServersGiveUpQuickly) {
    net::DownloadLimits impatient;
    impatient.connectSeconds = 1;
    impatient.stallSeconds = 1;

    CannedServer silent([](const std::string&) { return CannedServer::Answer{"", true}; });
    CannedServer trickle([](const std::string&) {
        return CannedServer::Answer{"HTTP/1.0 200 OK\r\n\r\nab", true};
    });
    int closedPort;
    {
        CannedServer gone([](const std::string&) { return Close(""); });
        closedPort = gone.Port();
    }
    const struct {
        const char* name;
        net::WebRequest request;
    } cases[] = {
        {"accepts and never answers", {"127.0.0.1", "/", silent.Port()}},
        {"stops sending mid-body", {"127.0.0.1", "/", trickle.Port()}},
        {"closed port", {"127.0.0.1", "/", closedPort}},
        {"malformed name, never looked up", {"no such host!", "/", 80}},
        {"empty name", {"", "/", 80}},
        {"port out of range", {"127.0.0.1", "/", 70000}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(net::Download(row.request, target, impatient));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        EXPECT_EQ(ReadWholeFile(target), "old content");
    }
}

TEST(WebRequestUrl, NamesAndPathsBecomeTheUrlCurlIsGiven) {
    const struct {
        net::WebRequest request;
        const char* url;
    } cases[] = {
        {{"example.org", "/index.html", 80}, "http://example.org:80/index.html"},
        {{"example.org", "/", 443}, "https://example.org:443/"},
        {{"https://example.org/", "/x", 8443}, "https://example.org:8443/x"},
        {{"http://example.org", "x y#z", 80}, "http://example.org:80/x%20y%23z"},
        {{"::1", "/a/../b", 8080}, "http://[::1]:8080/a/../b"},
        {{"[::1]", "", 8080}, "http://[::1]:8080/"},
        {{"evil.org/@other", "/", 80}, ""},
        {{"example.org", "/", 0}, ""},
    };
    for (const auto& row : cases)
        EXPECT_EQ(net::RequestUrl(row.request), row.url) << row.url;
}

TEST_F(WebGetTest, ReachesServersOnIpv6Loopback) {
    CannedServer server([](const std::string&) { return Close("HTTP/1.0 200 OK\r\n\r\nsix"); },
                        /*ipv6=*/true);
    if (server.Port() == 0) GTEST_SKIP() << "no IPv6 loopback here";
    EXPECT_TRUE(net::Download({"::1", "/", server.Port()}, target));
    EXPECT_EQ(ReadWholeFile(target), "six");
    EXPECT_NE(server.Requests()[0].find("\r\nHost:[::1]\r\n"), std::string::npos);
}

// Answers one request over TLS with "HTTP/1.0 200 OK" and the body "secret".
void AnswerOverTls(SSL_CTX* context, int connection) {
    // A client that refuses the certificate or stalls must not hold the server.
    const timeval patience{5, 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    SSL* tls = SSL_new(context);
    SSL_set_fd(tls, connection);
    if (SSL_accept(tls) == 1) {
        std::string request;
        char buffer[4096];
        int got;
        while (request.find("\r\n\r\n") == std::string::npos &&
               (got = SSL_read(tls, buffer, sizeof buffer)) > 0)
            request.append(buffer, static_cast<size_t>(got));
        const char answer[] = "HTTP/1.0 200 OK\r\n\r\nsecret";
        SSL_write(tls, answer, sizeof answer - 1);
        SSL_shutdown(tls);
    }
    SSL_free(tls);
}

TEST_F(WebGetTest, HttpsChecksTheServersCertificate) {
    const std::string certificate = dir.File("cert.pem"), key = dir.File("key.pem");
    const std::string make =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1"
        " -subj /CN=localhost -addext subjectAltName=IP:127.0.0.1 -keyout '" +
        key + "' -out '" + certificate + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0) << "openssl could not make a certificate";
    std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> context(SSL_CTX_new(TLS_server_method()),
                                                              SSL_CTX_free);
    ASSERT_EQ(SSL_CTX_use_certificate_file(context.get(), certificate.c_str(), SSL_FILETYPE_PEM),
              1);
    ASSERT_EQ(SSL_CTX_use_PrivateKey_file(context.get(), key.c_str(), SSL_FILETYPE_PEM), 1);
    CannedServer server(false, [&](int connection) { AnswerOverTls(context.get(), connection); });

    const net::WebRequest request{"https://127.0.0.1", "/", server.Port()};
    EXPECT_FALSE(net::Download(request, target)) << "a certificate nobody vouches for is refused";
    EXPECT_EQ(ReadWholeFile(target), "old content");

    net::DownloadLimits trusting;
    trusting.trustedCertificates = certificate;
    EXPECT_TRUE(net::Download(request, target, trusting));
    EXPECT_EQ(ReadWholeFile(target), "secret");
}

} // namespace
