// The game's flow through its own routines: the movement step, the status lines, the option
// screen's clicks, and levels won, lost and not started. Fresh presses of space are checked
// by the scripted run of the whole game.
#include "GameTesting.h"

#include <string>
#include <tuple>
#include <vector>

#include "core/Runtime.h"

namespace {

using FlowTest = GameTest;

TEST_F(FlowTest, StepFactorFollowsTheFrameTimeUpTo150Ms) {
    // Frame time -> frame factor (a 100 ms frame is 1) and step factor (20 per 100 ms); from
    // 150 ms on a frame moves like one of 15 ms.
    const double cases[][3] = {
        {100, 1, 20}, {16, 0.16, 3.2}, {149.9, 1.499, 29.98}, {150, 1.5, 3}, {200, 2, 3},
    };
    for (const auto& c : cases) {
        Rt().frameClock.previousStamp = 5000;
        Rt().frameClock.currentStamp = 5000 + c[0];
        MeasureStep();
        EXPECT_NEAR(FrameFactor, c[1], 1e-9) << c[0];
        EXPECT_NEAR(StepFactor, c[2], 1e-9) << c[0];
    }
}

TEST_F(FlowTest, StatusLinesNeverShowANegativeNeed) {
    // Healthy, killed, rescued; the total and the rescues still needed for half the crabs.
    const double rows[][5] = {{15, 5, 30, 50, 0}, {35, 5, 10, 50, 15}, {1, 3, 0, 4, 2}};
    for (const auto& r : rows) {
        HealthyCount = r[0], KilledCount = r[1], RescuedCount = r[2];
        StatusDisplay();
        EXPECT_EQ(std::pair(CrabTotal, StillNeeded), std::pair(r[3], r[4]));
        const std::string needed = "Needed to succeed: " + std::to_string(int(r[4]));
        EXPECT_TRUE(ShowsText(needed.c_str(), 0, 480, 85)) << needed;
    }
    StatusDisplay();
    EXPECT_TRUE(ShowsText("Lives: 3", 0, 60, 10));
}

TEST_F(FlowTest, OptionClicksActOnlyInsideTheirAreasWhileTheButtonIsDown) {
    const struct {
        double button, x, y, fullScreen, heroSpeed, crabSpeed;
    } clicks[] = {
        {1, 71, 219, 0, 1, 1},  {1, 70, 219, 1, 1, 1},  {0, 20, 264, 1, 1, 1},
        {1, 20, 264, 0, 1, 1},  {1, 333, 333, 0, 1, 1}, {1, 332, 361, 0, 4, 1},
        {1, 714, 288, 0, 4, 2}, {1, 661, 362, 0, 4, 2},
    };
    for (const auto& c : clicks) {
        MouseButton1 = c.button, MouseX = c.x, MouseY = c.y;
        OptionClicks();
        EXPECT_EQ(std::tuple(FullScreen, HeroSpeed, CrabSpeed),
                  std::tuple(c.fullScreen, c.heroSpeed, c.crabSpeed))
            << c.x << "," << c.y;
    }
}

TEST_F(FlowTest, RescuingEveryCrabWinsTheLevelAndLosingCostsALife) {
    SetStartValues();
    StartLevel();
    // B+A rescues every crab; they are counted healthy in that frame and the level ends in
    // the next. B+C kills every crab of the next level: 100 crabs, none rescued.
    const struct {
        SDL_Scancode cheat;
        double rescued, killed, level, lastCrab, lives;
    } levels[] = {{SDL_SCANCODE_A, 50, 0, 2, 99, 3}, {SDL_SCANCODE_C, 0, 100, 2, 99, 2}};
    for (const auto& l : levels) {
        PushKey(SDL_SCANCODE_B, true);
        PushKey(l.cheat, true);
        EXPECT_EQ(PlayFrame(), 1);
        EXPECT_EQ(PlayFrame(), 0);
        EXPECT_EQ(std::pair(RescuedCount, KilledCount), std::pair(l.rescued, l.killed));
        PushKey(l.cheat, false);
        PushKey(SDL_SCANCODE_SPACE, true);
        LevelResultScreen();
        // A lost level is played again with as many crabs.
        EXPECT_EQ(std::tuple(Level, LastCrab, Lives, TotalRescued),
                  std::tuple(l.level, l.lastCrab, l.lives, 50.0));
        PushKey(SDL_SCANCODE_SPACE, false);
        StartLevel();
    }
}

TEST_F(FlowTest, ResultScreenTexts) {
    PushKey(SDL_SCANCODE_SPACE, true);
    // A level of 50 crabs on level 1 with three lives, rescued as given; the texts on lines
    // 60, 120, 180 and 240.
    const std::pair<double, std::vector<const char*>> rows[] = {
        {24,
         {"Sorry !!!  ", "You rescued 24 of 50 crabs", "You needed 25",
          "2 tries left, try again !!!"}},
        {25,
         {"Congratulations !!!  ", "You rescued 25 of 50 crabs", "Get ready for level 2 with",
          "100 crabs!!!"}},
    };
    for (const auto& [rescued, texts] : rows)
        for (size_t line = 0; line < texts.size(); ++line) {
            Level = 1, LastCrab = 49, CrabTotal = 50, Lives = 3, RescuedCount = rescued;
            LevelResultScreen();
            EXPECT_TRUE(ShowsText(texts[line], 1, 20, 60 + 60 * line)) << texts[line];
        }
}

TEST_F(FlowTest, FinishKeysEndTheLevelAfterThisFrameAndAreUsedUpHoweverItEnds) {
    // Healthy crabs, or only infected ones left: the level ends, the status lines counted.
    for (double infected : {0, 1}) {
        for (double i = 0; i <= LastCrab && infected; i++)
            CrabStatus(i, kCrabState) = kInfected;
        PushKey(SDL_SCANCODE_A, true);
        PushKey(SDL_SCANCODE_U, true);
        EXPECT_EQ(PlayFrame(), 0);
        EXPECT_EQ(std::tuple(FinishLevel, HealthyCount, CrabTotal),
                  std::tuple(0.0, infected ? 0.0 : 4.0, 4.0));
    }
}

} // namespace
