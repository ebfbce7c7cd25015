#include "GameTesting.h"

void GameTest::SetUp() {
    GlRuntimeTest::SetUp();
    SetStartValues();
    LastCrab = 3;
    StartLevel();
    HeroX = 0;
    HeroZ = 0;
    MouseX = 400;
    MouseY = 300;
    MouseButton1 = 0;
    MouseButton2 = 0;
    FrameFactor = 1;
    StepFactor = 20;
    for (double i = 0; i <= LastCrab; i++)
        PlaceCrab(i, 900, -4000 + i * 1000);
}

void GameTest::PlaceCrab(double i, double x, double z) {
    CrabPosition(i, kCrabX) = x;
    CrabPosition(i, kCrabZ) = z;
    CrabVelocity(i, kCrabX) = 0;
    CrabVelocity(i, kCrabZ) = 0;
    CrabStatus(i, kCrabState) = kHealthy;
    CrabStatus(i, kWanderClock) = 0;
    CrabStatus(i, kWanderDuration) = 1000;
}
