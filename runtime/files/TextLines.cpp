#include "files/TextLines.h"

#include <algorithm>
#include <cstring>

std::string files::SplitLine(const char* data, size_t size, size_t& consumed) {
    const size_t window = std::min(size, files::kLineWithEndLimit);
    const char* found = static_cast<const char*>(std::memchr(data, '\n', window));
    size_t end;
    if (found) {
        end = static_cast<size_t>(found - data);
        consumed = end + 1;
        if (end > 0 && data[end - 1] == '\r') --end;
    }
    if (!found || end > files::kLineLimit) {
        // No line end within reach: the data ends inside this line (as if a line end followed)
        // or the line is cut after files::kLineLimit bytes.
        end = consumed = std::min(size, files::kLineLimit);
        if (size < files::kLineLimit && end > 0 && data[end - 1] == '\r') --end;
    }
    const void* zero = std::memchr(data, '\0', end);
    if (zero) end = static_cast<size_t>(static_cast<const char*>(zero) - data);
    return std::string(data, end);
}
