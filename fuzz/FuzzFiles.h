// What the fuzz targets share: the check that stops a run, the fuzzed bytes as a text, and for
// targets whose reader takes a file, a folder of the target's own to write the bytes into, which
// is also the temporary directory of everything it runs.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/Runtime.h"

namespace fuzzfiles {

// Stops the run (the fuzzer reports the input) when an expected property does not hold.
inline void Check(bool holds) {
    if (!holds) std::abort();
}

inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline const std::string& Folder() {
    static const std::string folder = [] {
        static char pattern[] = "/tmp/vornic-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        Rt().settings.tempDirectory = std::string(pattern) + "/";
        // Gone with the process when it ends normally (a run's time is over).
        std::atexit([] { std::filesystem::remove_all(pattern); });
        return std::string(pattern) + "/";
    }();
    return folder;
}

// Writes size bytes into the file name of the folder; its path.
inline std::string Write(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = Folder() + name;
    std::ofstream file(path, std::ios::binary);
    Check(file.write(reinterpret_cast<const char*>(data), size).flush().good());
    return path;
}

} // namespace fuzzfiles
