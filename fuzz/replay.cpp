// Fuzzes the run-file reader: any bytes give a run or a reason, pointer positions stay within
// their bound however many relative moves add up, and a read run's frames are in order.
#include "FuzzFiles.h"
#include "os/RunLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    os::RunLog log;
    std::string error;
    if (!os::ReadRunLog(fuzzfiles::Text(data, size), log, error)) {
        fuzzfiles::Check(!error.empty());
        for (const char c : error)
            fuzzfiles::Check(static_cast<unsigned char>(c) >= 32); // quoted input is escaped
        return 0;
    }
    for (const auto& [frame, logged] : log.frames) {
        fuzzfiles::Check(frame >= 0 && frame <= log.lastFrame);
        for (const os::LoggedEvent& logged : logged.inputEvents)
            fuzzfiles::Check(std::abs(logged.event.x) <= 100000 &&
                             std::abs(logged.event.y) <= 100000);
    }
    return 0;
}
