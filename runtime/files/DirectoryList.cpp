#include "files/DirectoryList.h"

#include <algorithm>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool NameBefore(const std::string& a, const std::string& b) {
    const int order = strcasecmp(a.c_str(), b.c_str());
    return order != 0 ? order < 0 : a < b;
}

bool IsFolder(const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return entry.d_type == DT_DIR;
    struct stat info;
    return stat(entry.d_name, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool files::WildcardMatch(const char* pattern, const char* name) {
    // On a mismatch the match goes back to the last "*" and lets it take one more character.
    const char* afterStar = nullptr;
    const char* starName = nullptr;
    while (*name) {
        if (*pattern == '*') {
            while (*pattern == '*')
                ++pattern;
            if (!*pattern) return true;
            afterStar = pattern;
            starName = name;
        } else if (*pattern &&
                   (*pattern == '?' ? *name != '.' : LowerAscii(*pattern) == LowerAscii(*name))) {
            ++pattern;
            ++name;
        } else if (afterStar) {
            pattern = afterStar;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return !*pattern;
}

files::DirectoryListing files::ListCurrentFolder(const char* pattern) {
    files::DirectoryListing listing;
    DIR* folder = opendir(".");
    if (!folder) return listing;
    while (const dirent* entry = readdir(folder)) {
        if (IsFolder(*entry))
            listing.folders.emplace_back(entry->d_name);
        else if (files::WildcardMatch(pattern, entry->d_name))
            listing.files.emplace_back(entry->d_name);
    }
    closedir(folder);
    std::sort(listing.folders.begin(), listing.folders.end(), NameBefore);
    std::sort(listing.files.begin(), listing.files.end(), NameBefore);
    return listing;
}
