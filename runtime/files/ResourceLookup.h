// The resource lookup every asset loader passes its file names through.
#pragma once

#include <string>

// The path to open for a file name from game code: "/" and "\\" both separate folders; a file
// that exists on disk is used as it is.
std::string ResolveResourceFile(const std::string& name);
