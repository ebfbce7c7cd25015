// The hero through the game's own routines: mouse steps, field limits, heading, stamp.
#include "GameTesting.h"

namespace {

using HeroTest = GameTest;

TEST_F(HeroTest, MouseOffsetTimesHeroSpeedMovesTheHeroTheOtherWay) {
    HeroSpeed = 4;
    MouseX = 410;
    MouseY = 295;
    HeroStep();
    EXPECT_EQ(HeroX, -40);
    EXPECT_EQ(HeroZ, 20);
    // The pointer is back at the centre for the next frame.
    double x, y, button1, button2;
    GetMouseState(x, y, button1, button2);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST_F(HeroTest, MouseAtRestMovesNothingAndKeepsTheHeading) {
    CrabHeading(LastCrab + 1) = 33;
    HeroStep();
    EXPECT_EQ(HeroX, 0);
    EXPECT_EQ(HeroZ, 0);
    EXPECT_EQ(CrabHeading(LastCrab + 1), 33);
}

TEST_F(HeroTest, HeroStaysWithinTheSidesAndTheBackButNotTheWater) {
    HeroX = 1000;
    HeroZ = 9000;
    HeroStep();
    EXPECT_EQ(HeroX, 930);
    EXPECT_EQ(HeroZ, 9000);
    HeroX = -925;
    HeroZ = -4630;
    MouseX = 410;
    MouseY = 320;
    HeroStep();
    EXPECT_EQ(HeroX, -930);
    EXPECT_EQ(HeroZ, -4640);
}

TEST_F(HeroTest, StampTurnsAFullRoundIn36FramesWhileHeld) {
    MouseButton1 = 1;
    for (int frame = 0; frame < 35; frame++)
        HeroStep();
    EXPECT_EQ(StampAngle, 350);
    HeroStep();
    EXPECT_EQ(StampAngle, 0);
    MouseButton1 = 0;
    HeroStep();
    EXPECT_EQ(StampAngle, 0);
}

TEST_F(HeroTest, StampBobsOncePer120MsOfPlay) {
    FrameFactor = 0.3; // 30 ms: a quarter bob
    HeroStep();
    EXPECT_DOUBLE_EQ(StampPhase, 90);
    EXPECT_DOUBLE_EQ(StampHeight, 200);
    HeroStep();
    HeroStep();
    EXPECT_NEAR(StampHeight, 0, 1e-9);
    HeroStep();
    EXPECT_EQ(StampPhase, 0);
    EXPECT_DOUBLE_EQ(StampHeight, 100);
}

} // namespace
