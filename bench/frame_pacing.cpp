// Frame pacing: how many frames per second an empty loop of PresentFrame shows at the
// default 60 fps and with the limit lifted (LimitFrameRate(-1): at most one frame per 2 ms).
// Run it under a virtual X server with a 24-bit screen for figures that mean anything:
//   xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_frame_pacing
#include <cstdio>

#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "support/BenchSupport.h"

namespace {

double MeasureFramesPerSecond(double seconds) {
    PresentFrame();
    const double start = GetTimerMs();
    int frames = 0;
    while (GetTimerMs() - start < seconds * 1000.0) {
        PresentFrame();
        ++frames;
    }
    return frames * 1000.0 / (GetTimerMs() - start);
}

} // namespace

int main() {
    if (!StartBenchRuntime("frame pacing")) return 1;
    const double paced = MeasureFramesPerSecond(3.0);
    LimitFrameRate(-1);
    const double unlimited = MeasureFramesPerSecond(3.0);
    std::printf("paced at 60 fps:      %.1f frames/s (target 60, ratio %.3f)\n", paced,
                paced / 60.0);
    std::printf("LimitFrameRate(-1):   %.1f frames/s (ceiling 500)\n", unlimited);
    ShutdownRuntime();
    return 0;
}
