// What the benchmarks share: an unattended start, timing of frames finished with glFinish, and
// objects drawn in plain GL (one buffer object and one glDrawArrays per copy) as the baseline
// the runtime's drawing is measured against in the same run.
#pragma once

#include <GL/gl.h>

#include <chrono>

// Starts the runtime for a benchmark: unattended, so the software renderer's message box (which
// waits for a click under a virtual X server) is not shown; its log line stays.
bool StartBenchRuntime(const char* title);

// The first part of object id, frame 0, in a buffer object of its own.
struct PlainObject {
    GLuint buffer = 0;
    int count = 0;
};

PlainObject MakePlainObject(int id);
void DeletePlainObject(PlainObject& object);
// Points the vertex, normal and texture coordinate arrays at the object's buffer.
void UsePlainObject(const PlainObject& object);
// Switches the arrays off again and unbinds the buffer.
void EndPlainObjects();
// Draws one copy at (x, y, z), turned by heading degrees about the vertical axis.
void DrawPlainCopy(const PlainObject& object, float x, float y, float z, float heading);

// Processor time of this process (all its threads, the rasteriser's included) in ms.
double ProcessCpuMs();
// Wall-clock time in ms from the machine's steady clock, never the runtime's (which a replay
// feeds with recorded values).
double WallMs();

// Wall and processor time per call of step in microseconds, over at least the given time and
// at least minimumCalls calls, after one call that is not counted.
struct CallCost {
    double wallUs = 0;
    double cpuUs = 0;
};

template <typename Step> CallCost PerCall(Step step, double seconds, long minimumCalls) {
    step();
    const double start = WallMs();
    const double cpuStart = ProcessCpuMs();
    long calls = 0;
    while (calls < minimumCalls || WallMs() - start < seconds * 1000.0) {
        step();
        ++calls;
    }
    return {(WallMs() - start) * 1000.0 / calls, (ProcessCpuMs() - cpuStart) * 1000.0 / calls};
}

struct Timing {
    double framesPerSecond = 0;
    double cpuMsPerFrame = 0;
};

// Frames per second of frame(), finished with glFinish, over at least the given time, and the
// processor time per frame: on a shared machine the second is the steadier figure.
template <typename Frame> Timing Measure(Frame frame, double seconds) {
    const CallCost cost = PerCall(
        [&frame] {
            frame();
            glFinish();
        },
        seconds, 3);
    Timing timing;
    timing.framesPerSecond = 1e6 / cost.wallUs;
    timing.cpuMsPerFrame = cost.cpuUs / 1000.0;
    return timing;
}

// Keeps the best of each figure over several rounds.
void KeepBest(Timing& best, const Timing& timing);
