// Helpers for the input tests: real SDL events pushed into the queue of the runtime's SDL
// window, and a runtime whose events arrive in scripted steps, one step per frame and one per
// round of the input waits.
#pragma once

#include <SDL2/SDL.h>

#include <deque>
#include <functional>
#include <vector>

#include "support/TestRuntime.h"

void PushKey(SDL_Scancode scancode, bool down, bool repeat = false);
void PushMotion(int x, int y, int xrel, int yrel);
void PushButton(Uint8 button, bool down);
void PushWheel(int steps);
void PushText(const char* text);

// Events made now and pushed later, one step at a time.
using EventStep = std::vector<SDL_Event>;
SDL_Event KeyEvent(SDL_Scancode scancode, bool down);
SDL_Event ButtonEvent(Uint8 button, bool down);

// When the next scripted step goes into the queue.
enum class StepOn {
    Frame, // after every buffer swap: each frame sees one step
    Pump,  // at the start of every message pump: each wait round sees one step
};

// The real runtime on SDL whose scripted steps go into the event queue one by one.
class ScriptedRuntimeTest : public ::testing::Test {
  protected:
    explicit ScriptedRuntimeTest(StepOn stepOn = StepOn::Frame) : stepOn_(stepOn) {}
    void SetUp() override;
    void TearDown() override;
    void Script(std::vector<EventStep> steps);
    // Steps not yet pushed.
    size_t StepsLeft() const;
    // Called with the frame's picture in the back buffer, just before each buffer swap.
    void BeforeEachSwap(std::function<void()> check);

  private:
    StepOn stepOn_;
};
