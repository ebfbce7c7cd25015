// The runtime clock and sleeping, behind the platform seam.
#pragma once

namespace os {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, with sub-millisecond resolution.
    virtual double NowMs() = 0;
    virtual void SleepMs(unsigned ms) = 0;
};

} // namespace os
