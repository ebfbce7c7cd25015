// The hero and the crab rules through the game's own routines: mouse steps, field limits,
// heading and stamp; fleeing, crushing, leaving at the water, contagion, turning and the
// random infection.
#include "GameTesting.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace {

using CrabRulesTest = GameTest;
using HeroTest = GameTest;

TEST_F(CrabRulesTest, CrabsFleeWithin300AndTheStampCrushesWithin100) {
    // Crab at (x, z) from the hero at (0, 0), stamp held or not: the state after CrabFlee and,
    // for a fleeing crab, its velocity straight away at a full step and the 4 s it keeps it.
    const struct {
        double x, z, stamp, before, after, vx, vz, duration;
    } rows[] = {
        {300, 0, 0, kHealthy, kHealthy, 20, 0, 400},
        {0, -300.5, 0, kHealthy, kHealthy, 0, 0, 1000},
        {0, -100, 1, kInfected, kKilled, 0, -20, 400},
        {100.5, 0, 1, kHealthy, kHealthy, 20, 0, 400},
    };
    for (const auto& r : rows) {
        PlaceCrab(0, r.x, r.z);
        CrabStatus(0, kCrabState) = r.before;
        MouseButton1 = r.stamp;
        CrabFlee(0);
        EXPECT_EQ(CrabStatus(0, kCrabState), r.after) << r.x << "," << r.z;
        if (r.after == kKilled) continue;
        EXPECT_EQ(std::tuple(CrabVelocity(0, kCrabX), CrabVelocity(0, kCrabZ),
                             CrabStatus(0, kWanderDuration)),
                  std::tuple(r.vx, r.vz, r.duration))
            << r.x << "," << r.z;
    }
}

TEST_F(CrabRulesTest, CrabsAtTheWaterAreCountedAsTheyCameThenRescuedOrKilled) {
    PlaceCrab(0, 900, 5000);
    PlaceCrab(1, 900, 5200);
    CrabStatus(1, kCrabState) = kInfected;
    const double counts[][4] = {{3, 1, 0, 0}, {2, 0, 1, 1}}; // healthy, infected, rescued, killed
    for (const auto& c : counts) {
        HandleCrabs();
        EXPECT_EQ(std::tuple(HealthyCount, InfectedCount, RescuedCount, KilledCount),
                  std::tuple(c[0], c[1], c[2], c[3]));
    }
}

TEST_F(CrabRulesTest, ContagionBelowDistance40NotOnACommonLineThroughCellsMatchesAScan) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(-1, 1);
    LastCrab = 299;
    StartLevel();
    // Crowded groups at the back edge, the side edges and the water line; some crabs on a
    // common line with their neighbour.
    for (int i = 0; i < 300; ++i) {
        const double z = std::vector{-4600.0, 0.0, 4980.0}[i % 3] + 80 * unit(random);
        PlaceCrab(i, i % 50 == 7 ? CrabPosition(i - 1, kCrabX) : 950 * unit(random), z);
        CrabVelocity(i, kCrabX) = 45 * unit(random);
        CrabVelocity(i, kCrabZ) = 45 * unit(random);
        CrabStatus(i, kCrabState) = i % 25 == 0 ? kInfected : kHealthy;
    }
    // Next to the infected crab 0, standing still: one just below distance 40, one at 40, one
    // on the same line of x however close.
    const double still[][2] = {{0, 2000}, {24, 2031.9}, {-24, 2032}, {0, 1990}};
    for (int i = 0; i < 4; ++i)
        PlaceCrab(i, still[i][0], still[i][1]);
    CrabStatus(0, kCrabState) = kInfected;
    for (int frame = 0; frame < 6; ++frame)
        for (int i = 0; i < 300; ++i) {
            // Infection is checked where the step leads, before the field's edges stop it.
            const double x = CrabPosition(i, kCrabX) + CrabVelocity(i, kCrabX);
            const double z = CrabPosition(i, kCrabZ) + CrabVelocity(i, kCrabZ);
            bool expected = CrabStatus(i, kCrabState) == kInfected;
            CrabStep(i);
            for (int j = 0; j < 300; ++j)
                expected |=
                    j != i && CrabStatus(j, kCrabState) == kInfected &&
                    x != CrabPosition(j, kCrabX) && z != CrabPosition(j, kCrabZ) &&
                    std::hypot(x - CrabPosition(j, kCrabX), z - CrabPosition(j, kCrabZ)) < 40;
            ASSERT_EQ(CrabStatus(i, kCrabState) == kInfected, expected) << frame << " " << i;
            // Some crabs turn round, so cells are entered and left both ways.
            if ((i + frame) % 4 == 0 && i > 3) CrabVelocity(i, kCrabX) *= -1;
        }
}

TEST_F(CrabRulesTest, TurnTowardsMovesAtMost10DegreesACallWithoutWrapping) {
    for (double heading : {10, 20, 30, 40, 45, 45}) {
        TurnTowards(-1, 1, 0);
        EXPECT_DOUBLE_EQ(CrabHeading(0), heading);
    }
    for (int call = 1; call <= 14; call++) {
        TurnTowards(1, 1, 1);
        EXPECT_DOUBLE_EQ(CrabHeading(1), std::min(call * 10, 135));
    }
    TurnTowards(-1, 1, 1); // back the other way, not round through 360
    EXPECT_DOUBLE_EQ(CrabHeading(1), 125);
}

TEST_F(CrabRulesTest, RandomInfectionStrikesEvery20SecondsNeverTheLastCrab) {
    FrameFactor = 100; // one frame of 10 s: none after the first, one after the second
    for (double expected : {0, 1}) {
        RandomInfection();
        double infected = 0;
        for (double i = 0; i < LastCrab; i++)
            infected += CrabStatus(i, kCrabState) == kInfected;
        EXPECT_EQ(infected, expected);
    }
    EXPECT_EQ(std::pair(VirusClock, CrabStatus(LastCrab, kCrabState)),
              std::pair(0.0, 0.0 + kHealthy));
}

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
