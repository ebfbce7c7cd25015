// PincerPanic: until the game itself is in place, present frames until the player quits.
#include "vornic.h"

const char kGameTitle[] = "PincerPanic";

void GameMain() {
    for (;;)
        PresentFrame();
}
