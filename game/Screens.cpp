// The full-screen pictures between levels: title, options, level result and game over. Each
// is its own frame loop over a background sprite; the music (sound 6) is started in every
// frame and plays on while it still plays.
#include "GameState.h"

double ResultApplied;
double SpaceArmed;

// A fresh press of space: a frame with space up arms the wait, a later frame with space down
// ends it. Space still held from the previous screen therefore does not pass this one.
double FreshSpacePress() {
    if (KeyDown(kKeySpace) == 0) {
        SpaceArmed = 1;
        return 0;
    }
    if (SpaceArmed == 1) {
        SpaceArmed = 0;
        return 1;
    }
    return 0;
}

void TitleScreen() {
    for (;;) {
        PlaySound(6, 0, 1);
        DrawSprite(50, 0, 0);
        if (KeyDown(kKeySpace) == 1) return; // the title's music runs on into the options
        SetFont(1);
        PrintText("Press space", 250, 550);
        PresentFrame();
    }
}

// The labels and buttons are part of the picture in sprite 70; the code knows the click
// rectangles (bounds included) and where the check marks go.
static double ClickedIn(double left, double right, double top, double bottom) {
    if (MouseButton1 != 1) return 0;
    if (MouseX < left || MouseX > right || MouseY < top || MouseY > bottom) return 0;
    PlaySound(4, 0, 1);
    return 1;
}

// Handles the clicks on the option screen and shows the current choices, one group after
// the other.
void OptionClicks() {
    if (ClickedIn(20, 70, 191, 219) == 1) FullScreen = 1;
    if (ClickedIn(20, 62, 264, 289) == 1) FullScreen = 0;
    if (FullScreen == 1) DrawSprite(72, 80, 191);
    if (FullScreen == 0) DrawSprite(72, 80, 264);

    if (ClickedIn(263, 318, 188, 217) == 1) HeroSpeed = 1;
    if (ClickedIn(260, 382, 260, 288) == 1) HeroSpeed = 2;
    if (ClickedIn(260, 332, 333, 361) == 1) HeroSpeed = 4;
    if (HeroSpeed == 1) DrawSprite(72, 400, 188);
    if (HeroSpeed == 2) DrawSprite(72, 400, 260);
    if (HeroSpeed == 4) DrawSprite(72, 400, 333);

    if (ClickedIn(595, 652, 188, 217) == 1) CrabSpeed = 1;
    if (ClickedIn(595, 714, 260, 288) == 1) CrabSpeed = 2;
    if (ClickedIn(595, 661, 333, 361) == 1) CrabSpeed = 4;
    if (CrabSpeed == 1) DrawSprite(72, 732, 188);
    if (CrabSpeed == 2) DrawSprite(72, 732, 260);
    if (CrabSpeed == 4) DrawSprite(72, 732, 333);
}

void OptionScreen() {
    for (;;) {
        GetMouseState(MouseX, MouseY, MouseButton1, MouseButton2);
        // The pointer sprite stays whole on the screen.
        if (MouseX < 0) MouseX = 0;
        if (MouseX > 768) MouseX = 768;
        if (MouseY < 0) MouseY = 0;
        if (MouseY > 568) MouseY = 568;
        PlaySound(6, 0, 1);
        DrawSprite(70, 0, 0);
        if (FreshSpacePress() == 1) break;
        SetFont(1);
        PrintText("Press space", 250, 550);
        OptionClicks();
        DrawSprite(71, MouseX, MouseY);
        PresentFrame();
    }
    StopAllSounds();
    SpaceArmed = 0;
}

// Books the level's result once, in the first frame, and shows it until space is pressed.
// The crab count of the level is kept aside, since a won level raises LastCrab.
void LevelResultScreen() {
    GroundBlinkClock = 0;
    ResultApplied = 0;
    const double levelCrabs = LastCrab + 1;
    SetFont(1);
    for (;;) {
        PlaySound(6, 0, 1);
        DrawSprite(51, 0, 0);
        if (RescuedCount < levelCrabs * 0.5) {
            if (ResultApplied == 0) {
                Lives -= 1;
                ResultApplied = 1;
            }
            PrintText("Sorry !!!  ", 20, 60);
            PrintText(RtString("You rescued ") + RescuedCount + " of " + CrabTotal + " crabs", 20,
                      120);
            PrintText(RtString("You needed ") + (LastCrab + 1) * 0.5, 20, 180);
            PrintText(RtString() + Lives + " tries left, try again !!!", 20, 240);
        } else {
            if (ResultApplied == 0) {
                TotalRescued += RescuedCount;
                LastCrab += 50;
                Level += 1;
                ResultApplied = 1;
            }
            PrintText("Congratulations !!!  ", 20, 60);
            PrintText(RtString("You rescued ") + RescuedCount + " of " + CrabTotal + " crabs", 20,
                      120);
            PrintText(RtString("Get ready for level ") + Level + " with", 20, 180);
            PrintText(RtString() + (LastCrab + 1) + " crabs!!!", 20, 240);
        }
        PrintText("Press space", 250, 550);
        if (KeyDown(kKeySpace) == 1) break;
        PresentFrame();
    }
    StopAllSounds();
    ResultApplied = 0;
}

void GameOverScreen() {
    SetFont(1);
    for (;;) {
        PlaySound(6, 0, 1);
        DrawSprite(52, 0, 0);
        PrintText("Game Over !!!  ", 20, 60);
        PrintText(RtString("You rescued ") + TotalRescued + " crabs", 20, 120);
        PrintText("Press space", 250, 550);
        if (FreshSpacePress() == 1) break;
        PresentFrame();
    }
    StopAllSounds();
    SpaceArmed = 0;
}
