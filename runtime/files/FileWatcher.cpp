#include "files/FileWatcher.h"

#include <sys/stat.h>

#include <utility>

#include "core/ErrorLog.h"
#include "files/FilePaths.h"
#include "os/System.h"

namespace files {

namespace {

int64_t Nanoseconds(const timespec& time) {
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

bool FileStamp::operator==(const FileStamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = Nanoseconds(info.st_mtim);
    stamp.changedNs = Nanoseconds(info.st_ctim);
    return stamp;
}

void FileWatcher::Watch(const std::string& key, const std::vector<std::string>& paths,
                        ReloadAction reload) {
    Entry entry;
    entry.reload = std::move(reload);
    for (const std::string& path : paths) {
        const std::string absolute = os::AbsolutePath(path);
        entry.files.push_back({absolute, StampOf(absolute)});
    }
    entries_[key] = std::move(entry);
}

void FileWatcher::Forget(const std::string& key) {
    entries_.erase(key);
}

int FileWatcher::Poll() {
    // Every file of an asset is looked at (no early exit), so each stamp is current after the
    // look. The changed keys are collected first: a reload may watch or forget keys, the map
    // then changes.
    std::vector<std::pair<std::string, std::string>> changed; // key, first changed file
    auto next = entries_.lower_bound(nextKey_);
    size_t looked = 0;
    for (size_t visited = 0; visited < entries_.size() && (visited == 0 || looked < filesPerPoll_);
         ++visited, ++next) {
        if (next == entries_.end()) next = entries_.begin();
        const std::string* first = nullptr;
        for (WatchedFile& file : next->second.files) {
            const FileStamp now = StampOf(file.path);
            if (now == file.stamp) continue;
            file.stamp = now;
            if (!first) first = &file.path;
        }
        looked += next->second.files.size();
        if (first) changed.emplace_back(next->first, *first);
    }
    if (next == entries_.end()) next = entries_.begin();
    if (next != entries_.end()) nextKey_ = next->first;
    int reloaded = 0;
    for (const auto& [key, path] : changed) {
        const auto found = entries_.find(key);
        if (found == entries_.end()) continue;
        // A copy: the action may replace its own entry.
        const ReloadAction reload = found->second.reload;
        const std::string why = reload();
        if (why.empty())
            ++reloaded;
        else
            LogFailedLoad("Reload", path, why + "; " + key + " stays as it was");
    }
    return reloaded;
}

} // namespace files
