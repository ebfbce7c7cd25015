// Fuzzes the download with arbitrary answers from a loopback server: whatever the server sends,
// the download ends with a clear result, and a failed one leaves the old file untouched.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unistd.h>

#include "../tests/web/CannedServer.h"
#include "net/WebDownload.h"

namespace {

std::mutex answerMutex;
std::string answer;

std::string ReadBack(const std::string& path) {
    std::string content;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, got);
        std::fclose(file);
    }
    return content;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CannedServer server([](const std::string&) {
        std::lock_guard<std::mutex> lock(answerMutex);
        return CannedServer::Answer{answer, false};
    });
    static const std::string target = [] {
        char folder[] = "/tmp/fuzz_web_XXXXXX";
        return std::string(mkdtemp(folder)) + "/body";
    }();
    {
        std::lock_guard<std::mutex> lock(answerMutex);
        answer.assign(reinterpret_cast<const char*>(data), size);
    }
    FILE* old = std::fopen(target.c_str(), "wb");
    std::fputs("old", old);
    std::fclose(old);

    net::DownloadLimits limits;
    limits.connectSeconds = 2;
    limits.stallSeconds = 2;
    // A redirect could name any host, and the fuzzer must not look names up: none is followed.
    limits.maxRedirects = 0;
    const bool stored = net::Download({"127.0.0.1", "/", server.Port()}, target, limits);
    if (!stored && ReadBack(target) != "old") std::abort();
    return 0;
}
