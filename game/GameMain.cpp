// PincerPanic: drive the crabs into the water before the virus gets them. GameMain runs one
// game after the other; the program ends only through the runtime (Escape or closing the
// window).
#include "GameState.h"

const char kGameTitle[] = "PincerPanic";

void GameMain() {
    for (;;) {
        LimitFrameRate(-1);
        LoadAssets();
        SetStartValues();
        TitleScreen();
        OptionScreen();
        // A later game may take back the full screen chosen in an earlier one.
        if (FullScreen == 1 || ScreenIsFull == 1) {
            SetScreenMode(800, 600, FullScreen);
            ScreenIsFull = FullScreen;
        }
        PlayLevels();
        GameOverScreen();
    }
}
