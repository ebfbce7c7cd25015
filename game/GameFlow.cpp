// Game flow: start values, the level loop, level start and the thirteen steps of a frame of
// play, and the movement step measured from the frame time.
#include "GameState.h"

double LastCrab, Level, Lives, TotalRescued, CrabSpeed, HeroSpeed;
double FullScreen, ScreenIsFull;
double StepBase, FrameFactor, StepFactor;
double HeroX, HeroZ;
double HealthyCount, InfectedCount, KilledCount, RescuedCount;
double FinishLevel;
double MouseX, MouseY, MouseButton1, MouseButton2;

void SetStartValues() {
    Lives = 3;
    Level = 1;
    LastCrab = 49;
    TotalRescued = 0;
    CrabSpeed = 1;
    HeroSpeed = 1;
    StepBase = 20;
    FrameFactor = 0;
    StepFactor = 0;
    FinishLevel = 0;
}

// Levels follow each other until one starts with no lives left; its first frame ends the
// loop, and the game-over screen follows.
void PlayLevels() {
    for (;;) {
        StartLevel();
        while (PlayFrame() == 1) {
        }
        if (Lives <= 0) return;
        LevelResultScreen();
    }
}

void StartLevel() {
    HeroX = -600;
    HeroZ = -2000;
    DimArray(CrabHeading, LastCrab + 2, 0, 0, 0);
    DimArray(CrabPosition, LastCrab + 2, 3, 0, 0);
    DimArray(CrabVelocity, LastCrab + 2, 3, 0, 0);
    DimArray(CrabStatus, LastCrab + 2, 3, 0, 0);
    HealthyCount = 0;
    InfectedCount = 0;
    KilledCount = 0;
    RescuedCount = 0;
    // Every crab starts healthy and still on the beach behind the hero's start.
    for (double i = 0; i <= LastCrab + 1; i++) {
        CrabStatus(i, kWanderDuration) = 20;
        CrabPosition(i, kCrabX) = Random(600);
        CrabPosition(i, kCrabZ) = Random(600) - 1000;
    }
    FileCrabsInCells();
    SetMousePosition(400, 300);
}

// The frame loop of a level ends: finish keys held in this frame are used up with it, however
// the level ended, so that the next level does not end after its first frame.
static double EndOfFrameLoop() {
    FinishLevel = 0;
    return 0;
}

double PlayFrame() {
    // 1. The sky backdrop behind the scene.
    End3D();
    DrawSprite(100, 0, 0);
    // 2. The mouse.
    GetMouseState(MouseX, MouseY, MouseButton1, MouseButton2);
    // 3. The camera hangs 1000 above and 2400 behind the hero and looks at its foot point.
    Begin3D(100, 20000, 45);
    SetCamera(HeroX, 1000, HeroZ - 2400, HeroX, 0, HeroZ);
    SetLight(0, 16777215);
    SetCullMode(0);
    // 4. Water.
    SetTexture3D(3, -1);
    MoveObject(0, -110, 0);
    RotateObject(0, 0, 1, 0);
    DrawObject(3, 0);
    // 5. Ground.
    ChooseGroundTexture();
    MoveObject(0, -100, 0);
    RotateObject(180, 0, 1, 0);
    DrawObject(0, 0);
    // 6. Crabs.
    HandleCrabs();
    // 7. Hero.
    HeroStep();
    // 8. The virus strikes now and then.
    RandomInfection();
    // 9. A level started with no lives left is not played: leave 3D for the game-over screen.
    if (Lives <= 0) {
        End3D();
        return EndOfFrameLoop();
    }
    // 10. Status lines over the scene.
    End3D();
    StatusDisplay();
    // 11. The level ends when no healthy crab is left, or on the finish keys.
    if (HealthyCount == 0 || FinishLevel == 1) return EndOfFrameLoop();
    // 12. The step of the next frame.
    MeasureStep();
    // 13.
    PresentFrame();
    return 1;
}

// The movement step follows the frame time, but a frame of 150 ms or longer (a hitch, a
// window drag) moves like one of 15 ms instead of letting the crabs jump.
void MeasureStep() {
    FrameFactor = GetFrameTime() / 100;
    StepFactor = StepBase * FrameFactor;
    if (StepFactor >= 30) StepFactor = 3;
}
