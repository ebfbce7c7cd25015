// The hot reload's watcher (VORNIC_WATCH): owners of assets loaded from files register the files
// of each asset under a key with the action that loads it again; once a frame the frame loop
// asks the watcher to look, and every asset one of whose files changed is reloaded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace files {

// What stat says about a file: enough to see it rewritten in place (size, modification and
// change times to the nanosecond) or replaced by a rename (another inode).
struct FileStamp {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;

    bool operator==(const FileStamp& other) const;
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// The stamp of the file at path now; exists is false when there is none.
FileStamp StampOf(const std::string& path);

// Loads an asset again from its files: "" when it took them, else why not (the asset must then
// stay as it was).
using ReloadAction = std::function<std::string()>;

class FileWatcher {
  public:
    // A stat costs a few microseconds: 64 of them are a small share of any frame, and at 60
    // frames a second a change to one of 1000 files is still seen within about a quarter second.
    static constexpr size_t kFilesPerPoll = 64;

    explicit FileWatcher(size_t filesPerPoll = kFilesPerPoll) : filesPerPoll_(filesPerPoll) {}

    // Watches paths (taken relative to the working directory now) under key, replacing what key
    // watched before; reload runs after one of them changed.
    void Watch(const std::string& key, const std::vector<std::string>& paths, ReloadAction reload);
    // Stops watching key's files; nothing happens for a key not watched.
    void Forget(const std::string& key);
    // Looks at the files of the next assets in turn, about filesPerPoll of them (an asset's
    // files together, at least one asset, none twice), going on where the last call stopped,
    // and reloads each asset one of whose files changed since it was watched or last looked
    // at. A failed reload is written to the runtime log and not tried again until a file
    // changes once more (a file still being written is tried again when the writer has moved
    // on). Actions may watch and forget keys. Gives the number of reloads that took their files.
    int Poll();

    bool Watching(const std::string& key) const { return entries_.count(key) != 0; }

  private:
    struct WatchedFile {
        std::string path;
        FileStamp stamp;
    };
    struct Entry {
        std::vector<WatchedFile> files;
        ReloadAction reload;
    };
    // Ordered, so the looks go round in one fixed order.
    std::map<std::string, Entry> entries_;
    size_t filesPerPoll_;
    // The key the next look starts at (or the first after it, when it is gone).
    std::string nextKey_;
};

} // namespace files
