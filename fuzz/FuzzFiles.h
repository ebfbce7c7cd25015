// For targets whose reader takes a file: the fuzzed bytes are written into a file of a folder
// of the target's own, which is also the temporary directory of everything it runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/Runtime.h"

namespace fuzzfiles {

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
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) std::abort();
    if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
    close(fd);
    return path;
}

} // namespace fuzzfiles
