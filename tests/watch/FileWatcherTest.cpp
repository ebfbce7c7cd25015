// The watcher on its own: the share of files it looks at per call, and reload actions that change
// what is watched while the watcher goes through its changes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <map>
#include <string>

#include "files/FileWatcher.h"
#include "support/TempDir.h"

namespace {

void Touch(const std::string& path, long seconds) {
    const timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(FileWatcherTest, EveryChangeIsSeenOnceWhileEachPollLooksAtItsShare) {
    TempDir folder;
    files::FileWatcher watcher(2);
    std::map<std::string, int> reloads;
    const std::string keys[] = {"a", "b", "c", "d", "e"};
    for (const std::string& key : keys)
        watcher.Watch(key, {folder.Write(key, key)}, [&reloads, key] {
            ++reloads[key];
            return std::string();
        });
    for (const std::string& key : keys)
        Touch(folder.File(key), 1000);

    // Two files a call: five changed files take three calls, and no file is looked at twice
    // before every other one was.
    EXPECT_EQ(watcher.Poll(), 2);
    EXPECT_EQ(watcher.Poll(), 2);
    EXPECT_EQ(watcher.Poll(), 1);
    for (const std::string& key : keys)
        EXPECT_EQ(reloads[key], 1) << key;
    for (int call = 0; call < 5; ++call)
        EXPECT_EQ(watcher.Poll(), 0);
}

TEST(FileWatcherTest, ReloadActionsMayWatchAndForgetKeys) {
    TempDir folder;
    files::FileWatcher watcher;
    const std::string first = folder.Write("first", "1");
    const std::string second = folder.Write("second", "2");
    int secondReloads = 0;
    watcher.Watch("first", {first}, [&watcher, &second, &secondReloads] {
        // Forgets the other changed key and puts itself in its own place.
        watcher.Forget("second");
        watcher.Watch("first", {second}, [&secondReloads] {
            ++secondReloads;
            return std::string();
        });
        return std::string();
    });
    watcher.Watch("second", {second}, [] { return std::string("must not run"); });
    Touch(first, 2000);
    Touch(second, 2000);
    EXPECT_EQ(watcher.Poll(), 1);
    EXPECT_FALSE(watcher.Watching("second"));
    EXPECT_EQ(watcher.Count(), 1u);

    Touch(first, 3000);
    Touch(second, 3000);
    EXPECT_EQ(watcher.Poll(), 1);
    EXPECT_EQ(secondReloads, 1);
}

} // namespace
