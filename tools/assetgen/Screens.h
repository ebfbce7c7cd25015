// The full-screen pictures (800 x 600) and the small sprites of the screens.
#pragma once

#include "Canvas.h"

// A click area of the option screen, bounds included.
struct ClickArea {
    int x0, y0, x1, y1;
    const char* label;
};

// The choices of the option screen in the order the game tests them.
constexpr ClickArea kOptionChoices[] = {
    {20, 191, 70, 219, "On"},       {20, 264, 62, 289, "Off"},    {263, 188, 318, 217, "Slow"},
    {260, 260, 382, 288, "Normal"}, {260, 333, 332, 361, "Fast"}, {595, 188, 652, 217, "Slow"},
    {595, 260, 714, 288, "Normal"}, {595, 333, 661, 361, "Fast"},
};

// The colour of the choice labels: it appears on the option screen only inside the click areas.
constexpr Rgb kChoiceLabelColour{250, 252, 236};

Canvas TitleScreen();
Canvas OptionScreen();
Canvas ResultScreen();
Canvas Pointer();
Canvas CheckMark();
