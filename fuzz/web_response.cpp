// Fuzzes the download with arbitrary answers from a loopback server: whatever the server sends,
// the download ends with a clear result, and a failed one leaves the old file untouched.
#include <fstream>
#include <mutex>

#include "../tests/web/CannedServer.h"
#include "FuzzFiles.h"
#include "net/WebDownload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::mutex answerMutex;
    static std::string answer;
    static CannedServer server([](const std::string&) {
        std::lock_guard<std::mutex> lock(answerMutex);
        return answer;
    });
    std::unique_lock<std::mutex> lock(answerMutex);
    answer = fuzzfiles::Text(data, size);
    lock.unlock();
    const std::string target = fuzzfiles::Write("body", reinterpret_cast<const uint8_t*>("old"), 3);
    net::DownloadLimits limits;
    limits.connectSeconds = limits.stallSeconds = 2;
    // A redirect could name any host, and the fuzzer must not look names up: none is followed.
    limits.maxRedirects = 0;
    std::string stored;
    fuzzfiles::Check(net::Download({"127.0.0.1", "/", server.Port()}, target, limits) ||
                     (std::getline(std::ifstream(target), stored) && stored == "old"));
    return 0;
}
