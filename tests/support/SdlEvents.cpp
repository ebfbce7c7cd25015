#include "support/SdlEvents.h"

SDL_Event KeyEvent(SDL_Scancode scancode, bool down) {
    SDL_Event event{down ? SDL_KEYDOWN : SDL_KEYUP};
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym = {scancode, SDL_GetKeyFromScancode(scancode), 0, 0};
    return event;
}

SDL_Event ButtonEvent(Uint8 button, bool down) {
    SDL_Event event{down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP};
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

SDL_Event MotionEvent(int x, int y, int xrel, int yrel) {
    SDL_Event event{};
    event.motion = {SDL_MOUSEMOTION, 0, 0, 0, 0, x, y, xrel, yrel};
    return event;
}

SDL_Event WheelEvent(int steps) {
    SDL_Event event{SDL_MOUSEWHEEL};
    event.wheel.y = steps;
    return event;
}

SDL_Event TextEvent(const char* text) {
    SDL_Event event{SDL_TEXTINPUT};
    SDL_strlcpy(event.text.text, text, sizeof(event.text.text));
    return event;
}

void Push(std::initializer_list<SDL_Event> events) {
    for (SDL_Event event : events)
        SDL_PushEvent(&event);
}
