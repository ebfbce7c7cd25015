// The real runtime on SDL whose events arrive in scripted steps: each message pump (a round of
// the input waits, a frame flip) starts with the next step.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "app/Startup.h"
#include "core/Runtime.h"
#include "os/Backend.h"
#include "os/sdl/SdlWindow.h"
#include "support/SdlEvents.h"
#include "support/TestRuntime.h"

using EventStep = std::vector<SDL_Event>;

class SteppingWindow : public os::SdlWindow {
  public:
    SteppingWindow(std::deque<EventStep>& steps, std::function<void()>& beforeSwap)
        : steps_(steps), beforeSwap_(beforeSwap) {}
    void SwapBuffers() override {
        if (beforeSwap_) beforeSwap_();
        SdlWindow::SwapBuffers();
    }
    bool PollEvent(os::Event& event) override {
        // A pump starts with the next step and takes its events itself, so the state they
        // leave holds until the next pump.
        if (pumpStarts_ && !steps_.empty()) {
            for (SDL_Event& step : steps_.front())
                SDL_PushEvent(&step);
            steps_.pop_front();
        }
        pumpStarts_ = !SdlWindow::PollEvent(event);
        return !pumpStarts_;
    }

  private:
    std::deque<EventStep>& steps_;
    std::function<void()>& beforeSwap_;
    bool pumpStarts_ = true;
};

class ScriptedRuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        os::SetBackendFactory([this] {
            os::Backend backend = os::CreateSdlBackend();
            backend.window = std::make_unique<SteppingWindow>(steps_, beforeEachSwap);
            return backend;
        });
        Rt().settings = RuntimeSettings{};
        ASSERT_TRUE(StartRuntime(10, "test"));
    }
    void TearDown() override {
        ShutdownRuntime();
        os::SetBackendFactory(nullptr);
    }
    void Script(std::vector<EventStep> steps) {
        steps_.insert(steps_.end(), steps.begin(), steps.end());
    }
    // Called with the frame's picture in the back buffer, just before each buffer swap.
    std::function<void()> beforeEachSwap;
    // Steps not yet pushed.
    std::deque<EventStep> steps_;
};
