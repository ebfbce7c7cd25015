// The input polls the frame loop and the waits use.
#pragma once

namespace input {

// Takes the keyboard, mouse and text events still waiting, so the key state is current.
void PollKeyboard();
// Polls the input once at the end of a frame: the next mouse poll starts a new frame.
void StartInputFrame();
// One mouse poll: 1 when any of the three buttons is down.
int AnyMouseButton();
// GetTypedKey's algorithm: 1 when a new character was typed, else 0.
int AnyKeyTyped();
// GetTypedKey's algorithm: the character code, 0 for none.
int TypedKeyCode();

} // namespace input
