#include "core/FrameClock.h"

#include "os/Clock.h"

void FrameClock::Restart(double now) {
    currentStamp = previousStamp = timerBase = now;
}

void FrameClock::Stamp(double now) {
    previousStamp = currentStamp;
    currentStamp = now;
}

double FrameClock::FrameTime() const {
    const double elapsed = currentStamp - previousStamp;
    return elapsed > 0 ? elapsed : 1.0;
}

double FrameClock::Pace(os::Clock& clock, bool waits) {
    const double t0 = clock.NowMs();
    while (waits) {
        const double remaining = nextFrameTime - clock.NowMs();
        if (remaining < 0) break;
        if (remaining > 2.0) clock.SleepMs(1);
    }
    const double now = clock.NowMs();
    nextFrameTime = NextFrameTime(nextFrameTime, interval, now);
    return (now - t0) + 1.0;
}

double FrameIntervalFor(int frameRate) {
    return frameRate > 0 ? 1000.0 / frameRate : 2.0;
}

double NextFrameTime(double nextFrameTime, double interval, double now) {
    double candidate = nextFrameTime + interval;
    if (interval > 0) {
        while (now > candidate)
            candidate += interval;
    }
    return candidate;
}
