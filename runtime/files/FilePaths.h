// File names as game code writes them, and the small whole-file helpers the rest of the files
// subsystem shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace files {

// The name as the platform takes it: "\\" and "/" both separate folders, so every "\\" becomes
// "/".
std::string PlatformPath(const std::string& name);
// Turns every "\\" of text into "/", in place: the form of names handed back to game code.
void SlashesToForward(std::string& text);
// Opens a file (not a folder) for reading; gives the descriptor and its size, -1 on failure.
// A FIFO is opened without waiting for a writer.
int OpenFileForReading(const std::string& path, uint64_t* size);
// True when path names something that can be opened for reading as a file (not a folder).
bool IsReadableFile(const std::string& path);
// Reads a whole regular file of at most maxBytes; false when it cannot be opened or read, is no
// regular file (a FIFO is not waited for, a device not read) or is larger.
bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);
// Reads at most maxBytes of a file into content; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& content, size_t maxBytes);
// Writes all of data to the descriptor, retrying after interruptions; false on any failure.
bool WriteAll(int fd, const void* data, size_t size);
// Reads until count bytes arrived or the file ended; gives the bytes read, 0 on failure.
size_t ReadUpTo(int fd, void* data, size_t count);

} // namespace files
