// Fuzzes the run-file reader: any bytes give a run or a reason, pointer positions stay within
// their bound however many relative moves add up, and a read run's frames are in order.
#include <cstdlib>
#include <string>

#include "os/RunLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    os::RunLog log;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!os::ReadRunLog(text, log, error)) {
        if (error.empty()) std::abort();
        for (const char c : error)
            if (static_cast<unsigned char>(c) < 32) std::abort(); // quoted input is escaped
        return 0;
    }
    for (const auto& [frame, logged] : log.frames) {
        if (frame < 0 || frame > log.lastFrame) std::abort();
        for (const os::LoggedEvent& logged : logged.inputEvents)
            if (std::abs(logged.event.x) > 100000 || std::abs(logged.event.y) > 100000)
                std::abort();
    }
    return 0;
}
