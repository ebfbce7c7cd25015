// What the files subsystem keeps for the whole run: the eight channels, the line-file cache
// and the INI store. The runtime context owns it; it is made on first use.
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

FileState& Files();
// Writes the line file and the INI file back when they changed; run at program end.
void WriteBackDataFiles();
