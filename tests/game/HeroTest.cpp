// The hero through the game's own routines: mouse steps, field limits, heading, stamp.
#include "GameTesting.h"

namespace {

using HeroTest = GameTest;

TEST_F(HeroTest, MouseOffsetTimesHeroSpeedMovesTheHeroTheOtherWayWithinTheField) {
    // Hero speed, mouse, hero before and after: the sides and the back stop it, the water not.
    const double rows[][8] = {
        {4, 410, 295, 0, 0, -40, 20},
        {1, 400, 300, 0, 0, 0, 0},
        {1, 400, 300, 1000, 9000, 930, 9000},
        {1, 410, 320, -925, -4630, -930, -4640},
    };
    for (const auto& r : rows) {
        HeroSpeed = r[0], MouseX = r[1], MouseY = r[2], HeroX = r[3], HeroZ = r[4];
        CrabHeading(LastCrab + 1) = 33;
        HeroStep();
        EXPECT_EQ(std::pair(HeroX, HeroZ), std::pair(r[5], r[6])) << r[1] << "," << r[2];
        EXPECT_TRUE(r[1] != 400 || r[2] != 300 || CrabHeading(LastCrab + 1) == 33) << "at rest";
    }
    // The pointer is back at the centre for the next frame.
    double x, y, button1, button2;
    GetMouseState(x, y, button1, button2);
    EXPECT_EQ(x * 1000 + y, 400300);
}

TEST_F(HeroTest, StampTurns10DegreesAFrameWhileHeldAndBobsOncePer120Ms) {
    // Frames of 30 ms (a quarter bob) with the stamp held or not; phase, height and angle after.
    const double frames[][4] = {
        {1, 90, 200, 340}, {1, 180, 100, 350}, {0, 270, 0, 350}, {1, 0, 100, 0}};
    FrameFactor = 0.3;
    StampAngle = 330;
    for (const auto& f : frames) {
        MouseButton1 = f[0];
        HeroStep();
        EXPECT_NEAR(StampPhase, f[1], 1e-9);
        EXPECT_NEAR(StampHeight, f[2], 1e-9);
        EXPECT_EQ(StampAngle, f[3]);
    }
}

} // namespace
