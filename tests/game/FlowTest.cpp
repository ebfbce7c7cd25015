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
    SetFrameTime(100);
    MeasureStep();
    EXPECT_DOUBLE_EQ(FrameFactor, 1);
    EXPECT_DOUBLE_EQ(StepFactor, 20);
    SetFrameTime(16);
    MeasureStep();
    EXPECT_DOUBLE_EQ(StepFactor, 3.2);
    // From 150 ms on a frame moves like one of 15 ms.
    SetFrameTime(149.9);
    MeasureStep();
    EXPECT_NEAR(StepFactor, 29.98, 1e-9);
    SetFrameTime(150);
    MeasureStep();
    EXPECT_DOUBLE_EQ(StepFactor, 3);
    SetFrameTime(200);
    MeasureStep();
    EXPECT_DOUBLE_EQ(FrameFactor, 2);
    EXPECT_DOUBLE_EQ(StepFactor, 3);
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

TEST_F(FlowTest, FullScreenClickAreaEndsAtItsBounds) {
    FullScreen = 0;
    MouseButton1 = 1;
    MouseX = 71;
    MouseY = 219;
    OptionClicks();
    EXPECT_EQ(FullScreen, 0);
    MouseX = 70;
    OptionClicks();
    EXPECT_EQ(FullScreen, 1);
    // Only while the button is down.
    MouseButton1 = 0;
    MouseX = 20;
    MouseY = 264;
    OptionClicks();
    EXPECT_EQ(FullScreen, 1);
    MouseButton1 = 1;
    OptionClicks();
    EXPECT_EQ(FullScreen, 0);
}

TEST_F(FlowTest, SpeedClickAreas) {
    MouseButton1 = 1;
    MouseX = 260;
    MouseY = 333;
    OptionClicks();
    EXPECT_EQ(HeroSpeed, 4);
    EXPECT_EQ(CrabSpeed, 1);
    MouseX = 714;
    MouseY = 260;
    OptionClicks();
    EXPECT_EQ(CrabSpeed, 2);
    EXPECT_EQ(HeroSpeed, 4);
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

    LastCrab = 49;
    CrabTotal = 50;
    RescuedCount = 24;
    Lives = 3;
    LevelResultScreen();
    EXPECT_EQ(Lives, 2);
    LevelResultScreen(); // shows the booked result again: the screen books once per entry
    EXPECT_EQ(Lives, 1);
    Lives = 2;
    LevelResultScreen();
    EXPECT_TRUE(ShowsText("You rescued 24 of 50 crabs", 1, 20, 120));
    Lives = 3;
    LevelResultScreen();
    EXPECT_TRUE(ShowsText("You needed 25", 1, 20, 180));
    Lives = 3;
    LevelResultScreen();
    EXPECT_TRUE(ShowsText("2 tries left, try again !!!", 1, 20, 240));
    Lives = 3;
    LevelResultScreen();
    EXPECT_TRUE(ShowsText("Sorry !!!  ", 1, 20, 60));

    RescuedCount = 25;
    Level = 1;
    LevelResultScreen();
    EXPECT_EQ(Level, 2);
    EXPECT_EQ(LastCrab, 99);
    Level = 1;
    LastCrab = 49;
    LevelResultScreen();
    EXPECT_TRUE(ShowsText("Get ready for level 2 with", 1, 20, 180));
    Level = 1;
    LastCrab = 49;
    LevelResultScreen();
    EXPECT_TRUE(ShowsText("100 crabs!!!", 1, 20, 240));
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

TEST_F(FlowTest, LevelStartedWithoutLivesEndsAtOnceUnpresented) {
    Lives = 0;
    EXPECT_EQ(PlayFrame(), 0);
    PlayLevels(); // returns for the game-over screen instead of showing a result
    EXPECT_EQ(Lives, 0);
    EXPECT_EQ(Level, 1);
}

} // namespace
