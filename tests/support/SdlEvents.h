// Real SDL events for the tests that drive the runtime's SDL window: made now, pushed into SDL's
// queue at once or later.
#pragma once

#include <SDL2/SDL.h>

#include <initializer_list>

SDL_Event KeyEvent(SDL_Scancode scancode, bool down);
SDL_Event ButtonEvent(Uint8 button, bool down);
SDL_Event MotionEvent(int x, int y, int xrel, int yrel);
SDL_Event WheelEvent(int steps);
SDL_Event TextEvent(const char* text);
// Puts the events into SDL's queue now.
void Push(std::initializer_list<SDL_Event> events);
inline void PushKey(SDL_Scancode scancode, bool down) {
    Push({KeyEvent(scancode, down)});
}
