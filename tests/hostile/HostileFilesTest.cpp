// Hostile files, made by the test, loaded through the runtime's commands: each is refused in a
// child process whose address space may grow by at most 256 MB and which must end within a
// time bound, so that a reader which lets a small file claim gigabytes, or waits forever on a
// FIFO or /dev/zero, fails here. Pictures and packs of a few bytes whose headers claim a
// gigabyte are fuzz seeds instead, replayed under the fuzzing's memory limit.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <new>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "gfx2d/ImageCodec.h"
#include "gfx3d/ObjectCommands.h"
#include "os/RunSession.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

#if defined(__SANITIZE_ADDRESS__)
#define VORNIC_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORNIC_ASAN 1
#endif
#endif

namespace {

[[maybe_unused]] constexpr rlim_t kMemoryBound = rlim_t{256} << 20;
constexpr unsigned kSecondsBound = 20;
// The child's status when a reader asked for more memory than the bound, even if it would
// have coped with the refusal.
[[maybe_unused]] constexpr int kAskedTooMuch = 3;

// Runs load in a child under the bounds (the sanitizers reserve terabytes of address space, so
// there only the time is bounded); the child's exit status, or minus its signal, and what it
// said on standard error.
std::pair<int, std::string> RunBounded(const std::string& folder,
                                       const std::function<int()>& load) {
    const std::string said = folder + "/said.txt";
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
#ifndef VORNIC_ASAN
        unsigned long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = pages * sysconf(_SC_PAGESIZE) + kMemoryBound;
        const rlimit bound{limit, limit};
        setrlimit(RLIMIT_AS, &bound);
        std::set_new_handler([] { _exit(kAskedTooMuch); });
#endif
        alarm(kSecondsBound);
        _exit(load());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), ReadWholeFile(said)};
}

using HostileFileTest = HeadlessRuntimeTest;

TEST_F(HostileFileTest, EveryHostileFileIsRefusedWithinMemoryAndTimeBounds) {
    TempDir dir;
    ScopedTmpDir tmp(dir.Path());
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    WriteWholeFile(dir.File("huge.txt"), "vornic-replay 1\n");
    ASSERT_EQ(truncate(dir.File("huge.txt").c_str(), off_t{65} << 20), 0); // sparse
    const auto picture = [](const std::string& path) {
        gfx2d::DecodedImage image;
        return gfx2d::DecodeImageFile(path, gfx2d::kNoColourKey, image);
    };
    const auto object = [](const std::string& path) { return LoadObject(path.c_str(), 1) != 0.0; };
    // A replay that does not fit ends the start-up with status 2 and its reason.
    const auto replay = [](const std::string& path) {
        os::RunRequest run;
        run.replayPath = path;
        os::WrapForRecordOrReplay(os::Backend{}, run);
        return 1;
    };
    std::string shortTokens = "vornic-replay 1\nframe 1: ";
    for (int i = 0; i < (4 << 20); ++i)
        shortTokens += "a ";
    const std::string spaces(16 << 20, ' ');
    struct Case {
        const char* what;
        std::string content; // written to a file, unless path names one
        std::string path;
        std::function<int(const std::string&)> load;
        int status; // 0: refused; 2: a replay that ends the start-up
        const char* says;
    } cases[] = {
        {"/dev/zero as a picture", "", "/dev/zero", picture, 0, ""},
        {"text object promising 16 million faces", "DDDA 1 0 16000000" + spaces, "", object, 0, ""},
        {"text object promising 16 million vertices", "DDDA 1 0 0 1 16000000" + spaces, "", object,
         0, ""},
        {"/dev/zero as an object", "", "/dev/zero", object, 0, ""},
        {"FIFO as an object", "", dir.File("fifo"), object, 0, ""},
        {"FIFO as a recording", "", dir.File("fifo"), replay, 2, "not a regular file"},
        {"recording of 65 MiB", "", dir.File("huge.txt"), replay, 2, "larger than 64 MiB"},
        {"recording line of 8 MiB of short tokens", shortTokens + "\nend 2\n", "", replay, 2,
         "line 2: longer than 4096 bytes"},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        if (path.empty()) {
            path = dir.File("hostile");
            WriteWholeFile(path, c.content);
        }
        const auto [status, said] = RunBounded(dir.Path(), [&] { return c.load(path); });
        EXPECT_EQ(status, c.status) << c.what << " (3: asked too much, -14: took too long)\n"
                                    << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << c.what << "\n" << said;
    }
}

} // namespace
