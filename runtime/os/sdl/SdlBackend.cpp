#include <SDL2/SDL.h>

#include "os/Backend.h"
#include "os/sdl/SdlWindow.h"

namespace os {

namespace {

// The performance counter in milliseconds. Linux timers already have sub-millisecond
// resolution, so there is nothing like a timer period to raise while the program runs.
class SdlClock : public Clock {
  public:
    SdlClock() : frequency_(static_cast<double>(SDL_GetPerformanceFrequency())) {}
    double NowMs() override {
        return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 / frequency_;
    }
    void SleepMs(unsigned ms) override { SDL_Delay(ms); }

  private:
    double frequency_;
};

} // namespace

Backend CreateSdlBackend() {
    Backend backend;
    backend.clock = std::make_unique<SdlClock>();
    backend.window = std::make_unique<SdlWindow>();
    return backend;
}

} // namespace os
