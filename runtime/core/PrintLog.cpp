#include "core/PrintLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void SayPrintLogFailed(const std::string& path) {
    std::fprintf(stderr, "vornic: cannot write the print log %s (%s); it stops here\n",
                 path.c_str(), std::strerror(errno));
}

} // namespace

std::unique_ptr<std::ofstream> OpenPrintLog(const std::string& path) {
    if (path.empty()) return nullptr;
    auto log = std::make_unique<std::ofstream>(path);
    if (*log) return log;
    SayPrintLogFailed(path);
    return nullptr;
}

void LogPrintedText(std::unique_ptr<std::ofstream>& log, const std::string& path, long frame,
                    const char* text, size_t length, double x, double y) {
    if (!log) return;
    *log << frame << ' ' << x << ' ' << y << ' ';
    log->write(text, static_cast<std::streamsize>(length));
    *log << '\n' << std::flush;
    if (*log) return;
    SayPrintLogFailed(path);
    log.reset();
}
