// The real runtime on SDL whose events arrive in scripted steps: each message pump (a round of
// the input waits, a frame flip) starts with the next step.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "support/SdlEvents.h"
#include "support/TestRuntime.h"

using EventStep = std::vector<SDL_Event>;

class ScriptedRuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    void Script(std::vector<EventStep> steps) {
        steps_.insert(steps_.end(), steps.begin(), steps.end());
    }
    // Steps not yet pushed.
    size_t StepsLeft() const { return steps_.size(); }
    // Called with the frame's picture in the back buffer, just before each buffer swap.
    std::function<void()> beforeEachSwap;

  private:
    std::deque<EventStep> steps_;
};
