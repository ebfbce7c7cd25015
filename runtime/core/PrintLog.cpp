#include "core/PrintLog.h"

#include "core/Runtime.h"

void OpenPrintLog() {
    Runtime& rt = Rt();
    const std::string& path = rt.settings.printLogPath;
    if (!path.empty() && !rt.printLog) rt.printLog = std::make_unique<std::ofstream>(path);
}

void LogPrintedText(const char* text, size_t length, double x, double y) {
    Runtime& rt = Rt();
    if (!rt.printLog) return;
    *rt.printLog << rt.frame << ' ' << x << ' ' << y << ' ';
    rt.printLog->write(text, static_cast<std::streamsize>(length));
    *rt.printLog << '\n' << std::flush;
}
