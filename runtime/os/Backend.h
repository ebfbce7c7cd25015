// Chooses the platform implementation the runtime starts with.
#pragma once

#include <functional>
#include <memory>

#include "os/Clock.h"
#include "os/Window.h"

namespace os {

struct Backend {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Window> window;
};

// The SDL2 implementation: a real window, the performance counter.
Backend CreateSdlBackend();

// Replaces the backend that the next start-up takes (tests hand in a headless one). An empty
// factory restores the SDL backend.
void SetBackendFactory(std::function<Backend()> factory);
Backend CreateBackend();

} // namespace os
