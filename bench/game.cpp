// PincerPanic per frame: the game code alone (crab steps with contagion, fleeing, turning and
// the random infection) and whole frames of play with the crabs drawn, for levels of 50, 250
// and 1000 crabs, next to the frame budget of 16.7 ms. A tenth of the crabs
// start infected, so that contagion has work from the first frame. The crab and its shadow
// are built in code (a few hundred triangles), since the benchmark must not depend on asset
// files. Run it under a virtual X server with a 24-bit screen:
//   xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_game
#include <cstdio>

#include "GameState.h"
#include "core/Startup.h"

namespace {

const double kBudgetMs = 1000.0 / 60.0;
const int kFrames = 200;

// A dome of rings x segments quads standing in for the crab model.
void BuildCrabObject(double id, int rings, int segments) {
    BeginObject(id);
    for (int r = 0; r < rings; ++r) {
        if (r > 0) NewObjectGroup();
        for (int s = 0; s <= segments; ++s)
            for (int k = 1; k >= 0; --k) {
                const double up = 90.0 * (r + k) / rings;
                const double around = 360.0 * s / segments;
                AddObjectVertex(40 * CosDeg(up) * CosDeg(around), 30 * SinDeg(up),
                                40 * CosDeg(up) * SinDeg(around), 1.0 * s / segments,
                                1.0 * (r + k) / rings, 0xFFFFFF);
            }
    }
    EndObject();
}

void StartBenchLevel(double crabs) {
    SeedRandom(1);
    SetStartValues();
    LastCrab = crabs - 1;
    StartLevel();
    FrameFactor = 1.6; // a paced frame of 16 ms
    StepFactor = StepBase * FrameFactor;
    for (double i = 0; i <= LastCrab; i += 10)
        CrabStatus(i, kCrabState) = kInfected;
}

// The game's rules for one frame without drawing: what HandleCrabs does per crab besides the
// counting and drawing, then the random infection.
void SimulateFrame() {
    for (double i = 0; i <= LastCrab; i++) {
        if (CrabStatus(i, kCrabState) >= kKilled) continue;
        CrabStep(i);
        CrabFlee(i);
        TurnTowards(CrabVelocity(i, kCrabX), CrabVelocity(i, kCrabZ), i);
    }
    RandomInfection();
}

double GameCodeMs(double crabs) {
    StartBenchLevel(crabs);
    const double start = GetTimerMs();
    for (int frame = 0; frame < kFrames; ++frame)
        SimulateFrame();
    return (GetTimerMs() - start) / kFrames;
}

double FrameMs(double crabs) {
    StartBenchLevel(crabs);
    PresentFrame();
    const double start = GetTimerMs();
    int frames = 0;
    while (frames < kFrames && PlayFrame() == 1)
        ++frames;
    return (GetTimerMs() - start) / (frames > 0 ? frames : 1);
}

} // namespace

int main() {
    if (!StartRuntime(10, "game benchmark")) return 1;
    BuildCrabObject(2, 8, 16);
    BuildCrabObject(4, 1, 8);
    LimitFrameRate(-1); // as the game plays: at most one frame per 2 ms
    std::printf("frame budget %.1f ms; %d frames per case\n", kBudgetMs, kFrames);
    std::printf("%6s %16s %16s %16s\n", "crabs", "game code ms", "whole frame ms", "budget left");
    for (double crabs : {50.0, 250.0, 1000.0}) {
        const double game = GameCodeMs(crabs);
        const double frame = FrameMs(crabs);
        std::printf("%6.0f %16.3f %16.3f %15.0f%%\n", crabs, game, frame,
                    100.0 * (kBudgetMs - frame) / kBudgetMs);
    }
    ShutdownRuntime();
    return 0;
}
