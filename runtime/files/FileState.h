// What the files subsystem keeps for the whole run: the eight channels, the line-file cache
// and the INI store. The runtime context owns it; start-up makes it.
#pragma once

#include <array>

#include "files/FileChannel.h"
#include "files/IniStore.h"
#include "files/LineFileCache.h"

struct FileState {
    static constexpr int kChannelCount = 8;
    std::array<FileChannel, kChannelCount> channels;
    LineFileCache lineFile;
    IniStore ini;
};

// Writes the context's line file and INI file back when they changed; run at program end
// (defined with the file commands).
void WriteBackDataFiles();
