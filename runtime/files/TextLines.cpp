#include "files/TextLines.h"

#include <algorithm>
#include <cstring>

std::string SplitLine(const char* data, size_t size, size_t& consumed) {
    const size_t window = std::min(size, kLineLimit);
    const void* found = std::memchr(data, '\n', window);
    size_t end;
    if (found) {
        end = static_cast<size_t>(static_cast<const char*>(found) - data);
        consumed = end + 1;
    } else if (size < kLineLimit) {
        // The data ends inside this line: it ends as if a line end followed.
        end = consumed = size;
    } else {
        end = consumed = kLineLimit;
    }
    if ((found || size < kLineLimit) && end > 0 && data[end - 1] == '\r') --end;
    const void* zero = std::memchr(data, '\0', end);
    if (zero) end = static_cast<size_t>(static_cast<const char*>(zero) - data);
    return std::string(data, end);
}
