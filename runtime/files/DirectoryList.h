// Listing the current folder with wildcard patterns.
#pragma once

#include <string>
#include <vector>

namespace files {

// Matches name against a pattern of "*" (any run, also none) and "?" (any one character but
// "."); other characters compare equal without regard to ASCII case.
bool WildcardMatch(const char* pattern, const char* name);

// The entries of the current folder: every folder (with "." and "..") and the files whose
// names match pattern. Both lists are sorted by name, letters compared without regard to
// case, so game code sees the same order on every run.
struct DirectoryListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};
DirectoryListing ListCurrentFolder(const char* pattern);

} // namespace files
