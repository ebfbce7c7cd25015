#include "core/PrintLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/Runtime.h"

namespace {

// A print log that cannot be written is said once and dropped: the run goes on without it.
void DropPrintLog(const char* path) {
    std::fprintf(stderr, "vornic: cannot write the print log %s (%s); it stops here\n",
                 path ? path : "", std::strerror(errno));
    Rt().printLog.reset();
}

} // namespace

void OpenPrintLog() {
    Runtime& rt = Rt();
    const std::string& path = rt.settings.printLogPath;
    if (path.empty() || rt.printLog) return;
    rt.printLog = std::make_unique<std::ofstream>(path);
    if (!*rt.printLog) DropPrintLog(path.c_str());
}

void LogPrintedText(const char* text, size_t length, double x, double y) {
    Runtime& rt = Rt();
    if (!rt.printLog) return;
    *rt.printLog << rt.frame << ' ' << x << ' ' << y << ' ';
    rt.printLog->write(text, static_cast<std::streamsize>(length));
    *rt.printLog << '\n' << std::flush;
    if (!*rt.printLog) DropPrintLog(rt.settings.printLogPath.c_str());
}
