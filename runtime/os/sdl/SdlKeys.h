// Translation of SDL scancodes into the runtime's key codes (DirectInput scan codes).
#pragma once

#include <SDL2/SDL_scancode.h>

namespace os {

// The key code of a physical key; 0 for keys the runtime does not know.
int SdlScancodeToKeyCode(SDL_Scancode scancode);

} // namespace os
