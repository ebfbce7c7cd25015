// The hot reload's cost per frame: the watcher looks at every watched file once a frame (one
// stat each). Measured with 1000 watched files against the frame loop's own work, an empty
// PresentFrame without pacing (finished with glFinish), in the same run:
//   SDL_VIDEODRIVER=offscreen build/bench/bench_watch [files]
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "files/FileWatcher.h"
#include "support/BenchSupport.h"

namespace {

// A frame of the loop with the GL's work on it done: the software rasteriser would otherwise
// put off the clear of the new frame.
void FinishedFrame() {
    PresentFrame();
    glFinish();
}

void KeepLeast(CallCost& best, const CallCost& cost) {
    if (best.wallUs == 0 || cost.wallUs < best.wallUs) best.wallUs = cost.wallUs;
    if (best.cpuUs == 0 || cost.cpuUs < best.cpuUs) best.cpuUs = cost.cpuUs;
}

// Files of a few bytes each in a fresh folder under the temporary directory.
std::vector<std::string> MakeFiles(const std::string& folder, int count) {
    std::filesystem::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(folder + "/asset" + std::to_string(i) + ".bmp");
        std::ofstream(paths.back()) << "picture " << i;
    }
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    const int fileCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    if (!StartBenchRuntime("watch")) return 1;
    // No pacing: the frame loop's own work only (event pump, swap, the next frame's reset).
    Rt().frameClock.interval = 0;

    const std::string folder = std::filesystem::temp_directory_path().string() +
                               "/vornic-bench-watch-" + std::to_string(getpid());
    const std::vector<std::string> paths = MakeFiles(folder, fileCount);
    int reloads = 0;
    // The watcher of the runtime (a bounded share of the files each frame), and one that looks
    // at every file each time.
    auto watcher = std::make_unique<files::FileWatcher>();
    files::FileWatcher everyFile(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        auto reload = [&reloads] {
            ++reloads;
            return std::string();
        };
        watcher->Watch("sprite " + std::to_string(i), {paths[i]}, reload);
        everyFile.Watch("sprite " + std::to_string(i), {paths[i]}, reload);
    }

    CallCost emptyFrame, watchedFrame, poll, pollAll;
    for (int round = 0; round < 3; ++round) {
        Rt().watcher.reset();
        KeepLeast(emptyFrame, PerCall(FinishedFrame, 1.0, 10));
        Rt().watcher = std::move(watcher);
        KeepLeast(watchedFrame, PerCall(FinishedFrame, 1.0, 10));
        watcher = std::move(Rt().watcher);
        KeepLeast(poll, PerCall([&watcher] { watcher->Poll(); }, 1.0, 10));
        KeepLeast(pollAll, PerCall([&everyFile] { everyFile.Poll(); }, 1.0, 10));
    }
    Rt().watcher.reset();

    const double framesPerRound =
        static_cast<double>(fileCount) / files::FileWatcher::kFilesPerPoll;
    std::printf("watched files: %d, looked at per frame: %zu (reloads while measuring: %d)\n",
                fileCount, files::FileWatcher::kFilesPerPoll, reloads);
    std::printf("empty frame (no pacing):      %8.1f us wall, %8.1f us CPU\n", emptyFrame.wallUs,
                emptyFrame.cpuUs);
    std::printf("frame with the watcher:       %8.1f us wall, %8.1f us CPU\n", watchedFrame.wallUs,
                watchedFrame.cpuUs);
    std::printf("Poll (the frame's share):     %8.1f us wall, %8.1f us CPU\n", poll.wallUs,
                poll.cpuUs);
    std::printf("Poll of every file at once:   %8.1f us wall, %8.1f us CPU\n", pollAll.wallUs,
                pollAll.cpuUs);
    std::printf("Poll / empty frame:           %8.3f wall, %8.3f CPU\n",
                poll.wallUs / emptyFrame.wallUs, poll.cpuUs / emptyFrame.cpuUs);
    std::printf("Poll / 60 fps frame (16.7 ms): %7.4f (every file: %.4f)\n", poll.wallUs / 16666.7,
                pollAll.wallUs / 16666.7);
    std::printf("a change is seen within %.0f frames (%.2f s at 60 fps)\n",
                std::ceil(framesPerRound), std::ceil(framesPerRound) / 60.0);

    std::filesystem::remove_all(folder);
    ShutdownRuntime();
    return reloads == 0 ? 0 : 1;
}
