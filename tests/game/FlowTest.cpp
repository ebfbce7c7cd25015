// The game's flow through its own routines: the movement step, the status lines, the option
// screen's clicks, fresh presses of space, and levels won, lost and not started.
#include "GameTesting.h"

#include "core/Runtime.h"

namespace {

using FlowTest = GameTest;

void SetFrameTime(double ms) {
    Rt().frameClock.previousStamp = 5000;
    Rt().frameClock.currentStamp = 5000 + ms;
}

TEST_F(FlowTest, StepFactorFollowsTheFrameTimeUpTo150Ms) {
    // Frame time -> frame factor (a 100 ms frame is 1) and step factor (20 per 100 ms); from
    // 150 ms on a frame moves like one of 15 ms.
    const double cases[][3] = {
        {100, 1, 20}, {16, 0.16, 3.2}, {149.9, 1.499, 29.98}, {150, 1.5, 3}, {200, 2, 3},
    };
    for (const auto& c : cases) {
        SetFrameTime(c[0]);
        MeasureStep();
        EXPECT_NEAR(FrameFactor, c[1], 1e-9) << c[0];
        EXPECT_NEAR(StepFactor, c[2], 1e-9) << c[0];
    }
}

TEST_F(FlowTest, StatusLinesNeverShowANegativeNeed) {
    HealthyCount = 15;
    KilledCount = 5;
    RescuedCount = 30;
    StatusDisplay();
    EXPECT_EQ(CrabTotal, 50);
    EXPECT_EQ(StillNeeded, 0);
    EXPECT_TRUE(ShowsText("Needed to succeed: 0", 0, 480, 85));

    RescuedCount = 10;
    HealthyCount = 35;
    StatusDisplay();
    EXPECT_EQ(StillNeeded, 15);
    EXPECT_FALSE(ShowsText("Needed to succeed: 0", 0, 480, 85));
    StatusDisplay();
    EXPECT_TRUE(ShowsText("Needed to succeed: 15", 0, 480, 85));
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
    FullScreen = 0;
    for (const auto& c : clicks) {
        MouseButton1 = c.button;
        MouseX = c.x;
        MouseY = c.y;
        OptionClicks();
        EXPECT_EQ(FullScreen, c.fullScreen) << c.x << "," << c.y;
        EXPECT_EQ(HeroSpeed, c.heroSpeed) << c.x << "," << c.y;
        EXPECT_EQ(CrabSpeed, c.crabSpeed) << c.x << "," << c.y;
    }
}

TEST_F(FlowTest, SpaceHeldFromBeforeMustBeReleasedFirst) {
    SpaceArmed = 0;
    PushKey(SDL_SCANCODE_SPACE, true);
    PresentFrame();
    EXPECT_EQ(FreshSpacePress(), 0);
    EXPECT_EQ(FreshSpacePress(), 0);
    PushKey(SDL_SCANCODE_SPACE, false);
    PresentFrame();
    EXPECT_EQ(FreshSpacePress(), 0);
    PushKey(SDL_SCANCODE_SPACE, true);
    PresentFrame();
    EXPECT_EQ(FreshSpacePress(), 1);
    EXPECT_EQ(FreshSpacePress(), 0); // one press passes once
}

// Plays frames of the current level until it ends; gives the number of frames played.
int PlayUntilLevelEnds() {
    int frames = 1;
    while (PlayFrame() == 1)
        frames++;
    return frames;
}

TEST_F(FlowTest, RescuingEveryCrabWinsTheLevelAndLosingCostsALife) {
    SetStartValues();
    StartLevel();
    EXPECT_EQ(ArrayBounds(CrabStatus, 0), 51);
    // B+A rescues every crab; they are counted healthy in that frame and the level ends in
    // the next.
    PushKey(SDL_SCANCODE_B, true);
    PushKey(SDL_SCANCODE_A, true);
    PresentFrame();
    EXPECT_EQ(PlayUntilLevelEnds(), 2);
    EXPECT_EQ(RescuedCount, 50);
    EXPECT_EQ(CrabTotal, 50);
    PushKey(SDL_SCANCODE_A, false);
    PushKey(SDL_SCANCODE_SPACE, true);
    PresentFrame();
    LevelResultScreen();
    EXPECT_EQ(Level, 2);
    EXPECT_EQ(LastCrab, 99);
    EXPECT_EQ(TotalRescued, 50);
    EXPECT_EQ(Lives, 3);
    EXPECT_EQ(ResultApplied, 0);
    EXPECT_TRUE(ShowsText("Congratulations !!!  ", 1, 20, 60));

    // B+C kills every crab of the next level: 100 crabs, none rescued.
    PushKey(SDL_SCANCODE_SPACE, false);
    PushKey(SDL_SCANCODE_C, true);
    PresentFrame();
    StartLevel();
    EXPECT_EQ(PlayUntilLevelEnds(), 2);
    EXPECT_EQ(KilledCount, 100);
    PushKey(SDL_SCANCODE_B, false);
    PushKey(SDL_SCANCODE_C, false);
    PushKey(SDL_SCANCODE_SPACE, true);
    PresentFrame();
    LevelResultScreen();
    EXPECT_EQ(Lives, 2);
    EXPECT_EQ(Level, 2);
    EXPECT_EQ(LastCrab, 99); // the lost level is played again with as many crabs
    EXPECT_EQ(TotalRescued, 50);
}

TEST_F(FlowTest, ResultScreenTexts) {
    PushKey(SDL_SCANCODE_SPACE, true);
    PresentFrame();
    // A level of 50 crabs on level 1 with three lives, rescued as given.
    const struct {
        double rescued;
        const char* text;
        double line;
    } cases[] = {
        {24, "Sorry !!!  ", 60},           {24, "You rescued 24 of 50 crabs", 120},
        {24, "You needed 25", 180},        {24, "2 tries left, try again !!!", 240},
        {25, "Congratulations !!!  ", 60}, {25, "Get ready for level 2 with", 180},
        {25, "100 crabs!!!", 240},
    };
    for (const auto& c : cases) {
        Level = 1;
        LastCrab = 49;
        CrabTotal = 50;
        Lives = 3;
        RescuedCount = c.rescued;
        LevelResultScreen();
        EXPECT_TRUE(ShowsText(c.text, 1, 20, c.line)) << c.text;
    }
    // Each entry books the result once.
    Lives = 3;
    RescuedCount = 24;
    LevelResultScreen();
    LevelResultScreen();
    EXPECT_EQ(Lives, 1);
}

TEST_F(FlowTest, FinishKeysEndTheLevelAfterThisFrame) {
    PushKey(SDL_SCANCODE_A, true);
    PushKey(SDL_SCANCODE_U, true);
    PresentFrame();
    EXPECT_EQ(PlayFrame(), 0);
    EXPECT_EQ(FinishLevel, 0);
    EXPECT_EQ(HealthyCount, 4);
    EXPECT_EQ(CrabTotal, 4); // the status lines were counted before the level ended
}

TEST_F(FlowTest, FinishKeysAreUsedUpHoweverTheLevelEnds) {
    // Only infected crabs left: no healthy crab, and the finish keys in the same frame.
    for (double i = 0; i <= LastCrab; i++)
        CrabStatus(i, kCrabState) = kInfected;
    PushKey(SDL_SCANCODE_A, true);
    PushKey(SDL_SCANCODE_U, true);
    PresentFrame();
    EXPECT_EQ(PlayFrame(), 0);
    EXPECT_EQ(HealthyCount, 0);
    EXPECT_EQ(FinishLevel, 0);
    // A level that starts without lives ends before the keys are read.
    Lives = 0;
    FinishLevel = 1;
    EXPECT_EQ(PlayFrame(), 0);
    EXPECT_EQ(FinishLevel, 0);
}

TEST_F(FlowTest, LevelStartedWithoutLivesEndsAtOnceUnpresented) {
    Lives = 0;
    EXPECT_EQ(PlayFrame(), 0);
    PlayLevels(); // returns for the game-over screen instead of showing a result
    EXPECT_EQ(Lives, 0);
    EXPECT_EQ(Level, 1);
}

} // namespace
