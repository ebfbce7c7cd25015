#include "files/ResourceResolver.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "files/FilePaths.h"

namespace {

// The extension of the entry's name (".bmp"), kept on the temporary copy for loaders that go
// by it; empty when the name has none or an odd one.
std::string ExtensionOf(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    const size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    const std::string extension = name.substr(dot);
    if (extension.size() > 16) return "";
    for (size_t i = 1; i < extension.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(extension[i]))) return "";
    return extension;
}

} // namespace

ResourceResolver::~ResourceResolver() {
    DeleteExtraction();
}

void ResourceResolver::SetPack(const std::string& packName) {
    DeleteExtraction();
    entries_.clear();
    indexLoaded_ = false;
    packName_ = files::PlatformPath(packName);
}

void ResourceResolver::DeleteExtraction() {
    if (!extraction_.empty()) unlink(extraction_.c_str());
    extraction_.clear();
}

bool ResourceResolver::Resolve(const std::string& name, std::string& path) {
    DeleteExtraction();
    path.clear();
    if (name.empty()) return false;
    const std::string diskName = files::PlatformPath(name);
    if (files::IsReadableFile(diskName)) {
        path = diskName;
        return true;
    }
    if (packName_.empty()) return false;
    return Extract(diskName, path);
}

bool ResourceResolver::LoadIndex(int packFd) {
    if (!indexLoaded_) indexLoaded_ = files::ReadPackIndex(packFd, entries_);
    return indexLoaded_;
}

bool ResourceResolver::Read(const std::string& name, std::string& content, size_t maxBytes) {
    content.clear();
    if (name.empty()) return false;
    const std::string diskName = files::PlatformPath(name);
    if (files::IsReadableFile(diskName)) return files::ReadFileBytes(diskName, content, maxBytes);
    if (packName_.empty() || !ReadFromPack(diskName, content)) return false;
    if (content.size() > maxBytes) content.resize(maxBytes);
    return true;
}

const files::PackEntry* ResourceResolver::ReadFromPack(const std::string& name,
                                                       std::string& content) {
    const int packFd = open(packName_.c_str(), O_RDONLY | O_CLOEXEC);
    if (packFd < 0) return nullptr;
    const files::PackEntry* entry =
        LoadIndex(packFd) ? files::FindPackEntry(entries_, name) : nullptr;
    const bool expanded = entry && files::ReadPackEntry(packFd, *entry, content);
    close(packFd);
    return expanded ? entry : nullptr;
}

bool ResourceResolver::Extract(const std::string& name, std::string& path) {
    std::string content;
    const files::PackEntry* entry = ReadFromPack(name, content);
    if (!entry) return false;

    // "sbx" and two letters from the entry's place, then a unique part, so that two programs
    // or two resolvers never share a temporary file.
    const std::string extension = ExtensionOf(entry->name);
    std::string temp = tempFolder_ + "sbx" + static_cast<char>('a' + entry->offset % 26) +
                       static_cast<char>('a' + entry->size % 26) + "XXXXXX" + extension;
    const int fd = mkstemps(temp.data(), static_cast<int>(extension.size()));
    if (fd < 0) {
        // An unusable temporary directory would otherwise look like a file missing from the
        // pack; it is said once.
        if (!extractionTroubleTold_)
            std::fprintf(stderr, "vornic: cannot extract from the pack into %s (%s)\n",
                         tempFolder_.c_str(), std::strerror(errno));
        extractionTroubleTold_ = true;
        return false;
    }
    bool ok = files::WriteAll(fd, content.data(), content.size());
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    extraction_ = path = temp;
    return true;
}
