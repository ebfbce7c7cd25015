// The crab rules through the game's own routines: fleeing, the stamp, leaving at the water,
// contagion, turning and the random infection.
#include "GameTesting.h"

#include <cmath>
#include <random>
#include <vector>

namespace {

using CrabRulesTest = GameTest;

TEST_F(CrabRulesTest, CrabFleesUpToDistance300AndNotBeyond) {
    PlaceCrab(0, 300, 0);
    PlaceCrab(1, 0, -300.5);
    CrabFlee(0);
    CrabFlee(1);
    // Straight away from the hero at a full step, for 4 s.
    EXPECT_DOUBLE_EQ(CrabVelocity(0, kCrabX), 20);
    EXPECT_DOUBLE_EQ(CrabVelocity(0, kCrabZ), 0);
    EXPECT_EQ(CrabStatus(0, kWanderDuration), 400);
    EXPECT_EQ(CrabStatus(0, kWanderClock), 0);
    EXPECT_EQ(CrabVelocity(1, kCrabX), 0);
    EXPECT_EQ(CrabVelocity(1, kCrabZ), 0);
    EXPECT_EQ(CrabStatus(1, kWanderDuration), 1000);
}

TEST_F(CrabRulesTest, StampCrushesWithin100Only) {
    MouseButton1 = 1;
    PlaceCrab(0, 100, 0);
    PlaceCrab(1, 100.5, 0);
    CrabStatus(0, kCrabState) = kInfected;
    CrabFlee(0);
    CrabFlee(1);
    EXPECT_EQ(CrabStatus(0, kCrabState), kKilled);
    EXPECT_EQ(CrabStatus(1, kCrabState), kHealthy);
}

TEST_F(CrabRulesTest, HealthyCrabAtTheWaterIsCountedHealthyThenRescued) {
    PlaceCrab(0, 900, 5000);
    HandleCrabs();
    EXPECT_EQ(HealthyCount, 4);
    EXPECT_EQ(RescuedCount, 0);
    EXPECT_EQ(CrabStatus(0, kCrabState), kRescued);

    HandleCrabs();
    EXPECT_EQ(HealthyCount, 3);
    EXPECT_EQ(RescuedCount, 1);
}

TEST_F(CrabRulesTest, InfectedCrabAtTheWaterIsCountedInfectedThenKilled) {
    PlaceCrab(0, 900, 5200);
    CrabStatus(0, kCrabState) = kInfected;
    HandleCrabs();
    EXPECT_EQ(InfectedCount, 1);
    EXPECT_EQ(KilledCount, 0);
    EXPECT_EQ(CrabStatus(0, kCrabState), kKilled);

    HandleCrabs();
    EXPECT_EQ(InfectedCount, 0);
    EXPECT_EQ(KilledCount, 1);
    EXPECT_EQ(HealthyCount, 3);
}

TEST_F(CrabRulesTest, ContagionBelowDistance40OnlyAndNotOnACommonLine) {
    PlaceCrab(0, 0, 2000);
    CrabStatus(0, kCrabState) = kInfected;
    PlaceCrab(1, 24, 2031.9); // distance just below 40
    PlaceCrab(2, -24, 2032);  // distance exactly 40
    PlaceCrab(3, 0, 1990);    // same x: not infected however close
    for (double i = 1; i <= 3; i++)
        CrabStep(i);
    EXPECT_EQ(CrabStatus(1, kCrabState), kInfected);
    EXPECT_EQ(CrabStatus(2, kCrabState), kHealthy);
    EXPECT_EQ(CrabStatus(3, kCrabState), kHealthy);
}

// Contagion looks only at the cells around a crab; it must infect exactly the crabs a scan of
// every crab in order infects, with crabs crossing cells, the field's edges and the water line.
TEST_F(CrabRulesTest, ContagionThroughCellsMatchesAScanOfEveryCrab) {
    std::mt19937 generator(7);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(generator);
    };
    LastCrab = 299;
    StartLevel();
    struct Crab {
        double x, z, vx, vz;
        int state;
    };
    std::vector<Crab> crabs(300);
    for (int i = 0; i < 300; ++i) {
        // Crowded groups at the back edge, the side edges and the water line.
        const double centreZ = i % 3 == 0 ? -4600 : i % 3 == 1 ? 0 : 4980;
        Crab& c = crabs[i];
        c = {uniform(-950, 950), centreZ + uniform(-80, 80), uniform(-45, 45), uniform(-45, 45),
             i % 25 == 0 ? kInfected : kHealthy};
        if (i % 50 == 7) c.x = crabs[i - 1].x; // on a common line with its neighbour
        PlaceCrab(i, c.x, c.z);
        CrabVelocity(i, kCrabX) = c.vx;
        CrabVelocity(i, kCrabZ) = c.vz;
        CrabStatus(i, kCrabState) = c.state;
    }
    for (int frame = 0; frame < 6; ++frame) {
        for (int i = 0; i < 300; ++i) {
            Crab& c = crabs[i];
            c.x += c.vx;
            c.z += c.vz;
            for (const Crab& other : crabs)
                if (other.state == kInfected && c.x != other.x && c.z != other.z &&
                    std::hypot(c.x - other.x, c.z - other.z) < 40)
                    c.state = kInfected;
            c.x = std::fmin(std::fmax(c.x, -930), 930);
            c.z = std::fmax(c.z, -4640);
            CrabStep(i);
        }
        for (int i = 0; i < 300; ++i) {
            ASSERT_EQ(CrabStatus(i, kCrabState), crabs[i].state)
                << "frame " << frame << " crab " << i;
            ASSERT_EQ(CrabPosition(i, kCrabX), crabs[i].x);
        }
        // Some crabs turn round, so cells are entered and left both ways.
        for (int i = frame % 4; i < 300; i += 4) {
            crabs[i].vx = -crabs[i].vx;
            CrabVelocity(i, kCrabX) = crabs[i].vx;
        }
    }
    int infected = 0;
    for (const Crab& c : crabs)
        infected += c.state == kInfected;
    EXPECT_GT(infected, 12 + 30); // the virus did spread
}

TEST_F(CrabRulesTest, TurnTowardsMovesAtMost10DegreesACall) {
    const double expected[] = {10, 20, 30, 40, 45, 45};
    for (double heading : expected) {
        TurnTowards(-1, 1, 0);
        EXPECT_DOUBLE_EQ(CrabHeading(0), heading);
    }
    for (int call = 0; call < 13; call++) {
        const double before = CrabHeading(1);
        TurnTowards(1, 1, 1);
        EXPECT_DOUBLE_EQ(CrabHeading(1) - before, 10);
    }
    TurnTowards(1, 1, 1);
    EXPECT_DOUBLE_EQ(CrabHeading(1), 135);
    // Back the other way, without wrapping round 360.
    TurnTowards(-1, 1, 1);
    EXPECT_DOUBLE_EQ(CrabHeading(1), 125);
}

TEST_F(CrabRulesTest, RandomInfectionStrikesEvery20Seconds) {
    VirusClock = 0;
    FrameFactor = 100; // one frame of 10 s
    RandomInfection();
    double infected = 0;
    for (double i = 0; i <= LastCrab; i++)
        infected += CrabStatus(i, kCrabState) == kInfected;
    EXPECT_EQ(infected, 0);
    RandomInfection();
    EXPECT_EQ(VirusClock, 0);
    for (double i = 0; i <= LastCrab; i++)
        infected += CrabStatus(i, kCrabState) == kInfected;
    EXPECT_EQ(infected, 1);
    EXPECT_EQ(CrabStatus(LastCrab, kCrabState), kHealthy); // the last crab is never chosen
}

} // namespace
