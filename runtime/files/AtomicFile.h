// Replacing a file so that it is never seen half-written.
#pragma once

#include <string>

// Writes content to a new file beside path and renames it over path. A crash or a failed
// write leaves the old file as it was; the result says whether path now holds content.
bool ReplaceFileContent(const std::string& path, const std::string& content);
