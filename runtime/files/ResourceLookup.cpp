#include "files/ResourceLookup.h"

#include <algorithm>

std::string ResolveResourceFile(const std::string& name) {
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
