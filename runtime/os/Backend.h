// Chooses the platform implementation the runtime starts with.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "os/Clock.h"
#include "os/Window.h"

namespace os {

class AudioOutput;
class RunSession;

// What a run asks for: to be recorded, or to replay a recording (as fast as possible unless
// replayRealTime is set). Empty paths: an ordinary run.
struct RunRequest {
    std::string recordPath;
    std::string replayPath;
    bool replayRealTime = false;
};

struct Backend {
    // The clock the program reads; in a recorded or replayed run it is the recording's.
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Window> window;
    // The sound output; when the implementation leaves it empty, the SDL2_mixer one.
    std::unique_ptr<AudioOutput> audio;
    // Set for a recorded or replayed run: the session, and the real clock that paces frames.
    std::unique_ptr<RunSession> session;
    std::unique_ptr<Clock> pacingClock;

    Backend();
    Backend(Backend&&);
    Backend& operator=(Backend&&);
    ~Backend();
};

// The SDL2 implementation: a real window, the performance counter.
Backend CreateSdlBackend();

// Replaces the backend that the next start-up takes (tests hand in a headless one). An empty
// factory restores the SDL backend.
void SetBackendFactory(std::function<Backend()> factory);
// Replaces the sound output that the next start-up takes, whichever backend starts (tests hand
// in a headless one). An empty factory restores the backend's own.
void SetAudioFactory(std::function<std::unique_ptr<AudioOutput>()> factory);
// The backend of the next start-up, wrapped for recording or replay when the run asks for it
// (os/RunSession.h). This is the one place that chooses the implementation.
Backend CreateBackend(const RunRequest& run);

} // namespace os
