// The runtime's one way of cutting text files into lines, shared by file channels, line files
// and INI files.
#pragma once

#include <cstddef>
#include <string>

namespace files {

// A line holds at most this many bytes; a longer one is cut and continues as the next line.
constexpr size_t kLineLimit = 1024;
// The most bytes a line takes up in a file: a full line and its "\r\n".
constexpr size_t kLineWithEndLimit = kLineLimit + 2;

// Takes the next line from the start of data (size bytes, at least 1). A line ends at "\n"
// (a "\r" before it is dropped too), after kLineLimit bytes, or, when data holds fewer than
// kLineLimit bytes, at its end: callers pass what is left of a file, so that is a last line
// without a line end. A line end right behind a full line belongs to it, so every line the
// runtime writes reads back as written; pass kLineWithEndLimit bytes when there are that many.
// The text stops at the first zero byte. consumed receives the bytes the line used up, its
// line end included.
std::string SplitLine(const char* data, size_t size, size_t& consumed);

} // namespace files
