// Frame time of the frame loop: the clock values at which the last two frames ended, the zero of
// the program's timer, and the pacing (the minimum frame time and the clock value before which
// the current frame may not end).
#pragma once

namespace os {
class Clock;
}

class FrameClock {
  public:
    double currentStamp = 0.0;
    double previousStamp = 0.0;
    double timerBase = 0.0;
    double interval = 1000.0 / 60.0;
    double nextFrameTime = 0.0;

    // The stamps and the timer start at now.
    void Restart(double now);
    // A frame ends at now.
    void Stamp(double now);
    // Milliseconds between the last two frames; never 0 or less (1 when the clock stood still).
    double FrameTime() const;
    // Waits on clock until the next frame time (when waits is set), then moves the next frame
    // time on. Sleeps through most of the wait and spins only the last two milliseconds: the
    // frame still ends on time, and the software rasteriser's threads get the processor
    // meanwhile. Returns the milliseconds spent waiting + 1.
    double Pace(os::Clock& clock, bool waits);
};

// The frame interval for a frame rate: 1000 / rate, or 2 ms when the rate is not positive.
double FrameIntervalFor(int frameRate);
// The frame time after a frame that ended at now: one interval on, or the first whole interval
// after now when the frame was late.
double NextFrameTime(double nextFrameTime, double interval, double now);
