// The frame loop's pieces: the frame flip with pacing, the event pump and the quit keys.
#pragma once

namespace os {
class Clock;
struct Event;
} // namespace os
class OpenGLRainbows;

// Swaps the buffers, clears the new back buffer and waits until the next frame time. Returns the
// milliseconds spent waiting + 1.
double SwapAndPace(OpenGLRainbows& device);
// The clock that frames wait on: the real one, also in a replay.
os::Clock& PacingClock();
// Dispatches every waiting event; always 1.
int PumpMessages(OpenGLRainbows& device);
// Handles one event of the window: focus and close here, keyboard, mouse and text events go to
// the input device.
void DispatchEvent(const os::Event& event);
// The quit-key test of the frame loop; ends the program when the keys are down.
void CheckQuitKeys(bool escapeOnly);
// A key's state as the input device keeps it: true while held.
bool KeyHeld(int code);
