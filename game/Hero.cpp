// The hero: steered by the mouse as a relative device (the pointer goes back to the centre of
// the screen every frame and its offset is the step), with a stamp under the left button.
#include "GameState.h"

double HeroDX, HeroDZ;
double StampAngle, StampPhase, StampHeight;

void HeroStep() {
    const double heading = CrabHeading(LastCrab + 1);
    SetTexture3D(1, -1);
    MoveObject(HeroX, 0, HeroZ);
    RotateObject(heading, 0, 1, 0);
    DrawObject(1, 0);
    SetTexture3D(4, -1);
    MoveObject(HeroX - 10, -60, HeroZ - 10);
    ScaleObject(1.6, 1.0, 1.6);
    RotateObject(0, 0, 1, 0);
    DrawObject(4, 0);

    // The stamp spins over the hero while the left button is held; crushing is done per crab.
    if (MouseButton1 == 1) {
        PlaySound(3, 0, 1);
        SetTexture3D(6, -1);
        MoveObject(HeroX, StampHeight, HeroZ);
        RotateObject(StampAngle, 0, 1, 0);
        DrawObject(6, 0);
        StampAngle += 10;
        if (StampAngle >= 360) StampAngle = 0;
    }
    // One full bob every 120 ms of play.
    StampPhase += 300 * FrameFactor;
    if (StampPhase >= 360) StampPhase = 0;
    StampHeight = SinDeg(StampPhase) * 100 + 100;

    // Moving the mouse up drives the hero toward the water (growing z), moving it right drives
    // it toward falling x. The footsteps play on while the hero keeps moving.
    HeroDX = (MouseX - 400) * HeroSpeed;
    HeroDZ = (MouseY - 300) * HeroSpeed;
    if (HeroDX != 0 || HeroDZ != 0) PlaySound(1, 0, 1);
    HeroX -= HeroDX;
    HeroZ -= HeroDZ;
    SetMousePosition(400, 300);

    if (HeroX < kFieldLeft) HeroX = kFieldLeft;
    if (HeroX > kFieldRight) HeroX = kFieldRight;
    if (HeroZ < kFieldBack) HeroZ = kFieldBack;
    TurnTowards(-HeroDX, -HeroDZ, LastCrab + 1);
}

// Level shortcuts, tested for every healthy or infected crab as it is handled: B+A rescues it,
// B+C kills it, A+U ends the level after this frame's status lines.
void CheatKeys(double i) {
    if (KeyDown(kKeyB) == 1 && KeyDown(kKeyA) == 1) CrabStatus(i, kCrabState) = kRescued;
    if (KeyDown(kKeyB) == 1 && KeyDown(kKeyC) == 1) CrabStatus(i, kCrabState) = kKilled;
    if (KeyDown(kKeyA) == 1 && KeyDown(kKeyU) == 1) FinishLevel = 1;
}
