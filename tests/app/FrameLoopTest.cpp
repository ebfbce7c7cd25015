// Pacing, timers, pausing and the quit keys against a controllable clock and scripted events.
#include <cmath>
#include <gtest/gtest.h>

#include "app/AppCommands.h"
#include "app/FrameLoop.h"
#include "core/FrameClock.h"
#include "core/Runtime.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"

namespace {

os::Event MakeEvent(os::Event::Type type, int code = 0) {
    os::Event event;
    event.type = type;
    event.code = code;
    return event;
}

TEST(Pacing, FrameIntervalFollowsTheFrameRate) {
    EXPECT_NEAR(FrameIntervalFor(60), 16.6667, 1e-3);
    EXPECT_EQ(FrameIntervalFor(0), 2.0);
    EXPECT_EQ(FrameIntervalFor(-1), 2.0);
}

TEST(Pacing, OnTimeFrameMovesOneInterval) {
    EXPECT_DOUBLE_EQ(NextFrameTime(100.0, 16.0, 100.5), 116.0);
}

TEST(Pacing, LateFrameSkipsToTheNextWholeIntervalAfterNow) {
    // A frame that ended 55 ms after its start at 60 fps: the next frame time lands on the
    // first whole interval after now, instead of letting three frames run back to back.
    const double interval = 1000.0 / 60.0;
    const double next = NextFrameTime(0.0, interval, 55.0);
    EXPECT_GT(next, 55.0);
    EXPECT_LE(next - interval, 55.0);
    EXPECT_NEAR(next, 4 * interval, 1e-9);
}

TEST(Pacing, NonPositiveIntervalDoesNotLoop) {
    EXPECT_DOUBLE_EQ(NextFrameTime(10.0, 0.0, 1e9), 10.0);
}

class FrameLoop : public HeadlessRuntimeTest {};

TEST_F(FrameLoop, PresentFrameWaitsOutTheFrameInterval) {
    PresentFrame();
    const double start = headless.clock->nowMs;
    for (int i = 0; i < 10; ++i)
        PresentFrame();
    const double elapsed = headless.clock->nowMs - start;
    EXPECT_NEAR(elapsed, 10 * 1000.0 / 60.0, 1.0);
}

TEST_F(FrameLoop, LimitFrameRateBelowOneGivesTwoMilliseconds) {
    LimitFrameRate(-1);
    EXPECT_EQ(Rt().frameClock.interval, 2.0);
    LimitFrameRate(50.9);
    EXPECT_EQ(Rt().frameClock.interval, 20.0);
}

TEST_F(FrameLoop, FrameTimeAndTimer) {
    PresentFrame();
    PresentFrame();
    EXPECT_NEAR(GetFrameTime(), 1000.0 / 60.0, 1.0);
    EXPECT_GT(GetTimerMs(), 0.0);
    // A clock that stood still never gives a frame time of 0 or less.
    Rt().frameClock.currentStamp = Rt().frameClock.previousStamp = 500.0;
    EXPECT_EQ(GetFrameTime(), 1.0);
    Rt().frameClock.currentStamp = 400.0;
    EXPECT_EQ(GetFrameTime(), 1.0);
}

TEST_F(FrameLoop, TimerStartsNearZeroAfterStartUp) {
    EXPECT_LT(GetTimerMs(), 1.0);
}

TEST_F(FrameLoop, FocusLossPausesWithTitleAndFocusGainResumes) {
    headless.window->events.push_back(MakeEvent(os::Event::Type::FocusLost));
    PumpMessages(*Rt().gfx);
    EXPECT_TRUE(Rt().paused);
    EXPECT_EQ(headless.window->title, "test <pause>");

    // PresentFrame waits inside its pause loop until the window is active again.
    headless.window->events.push_back(MakeEvent(os::Event::Type::FocusGained));
    const double before = headless.clock->nowMs;
    PresentFrame();
    EXPECT_FALSE(Rt().paused);
    EXPECT_EQ(headless.window->title, "test");
    EXPECT_GE(headless.clock->nowMs - before, 0.0);
}

TEST_F(FrameLoop, NoPauseWithAutoPauseOffOrInDebugMode) {
    SetAutoPause(0);
    headless.window->events.push_back(MakeEvent(os::Event::Type::FocusLost));
    PumpMessages(*Rt().gfx);
    EXPECT_FALSE(Rt().paused);
    EXPECT_EQ(headless.window->title, "test");

    SetAutoPause(1);
    Rt().settings.debugMode = 1;
    headless.window->events.push_back(MakeEvent(os::Event::Type::FocusLost));
    PumpMessages(*Rt().gfx);
    EXPECT_FALSE(Rt().paused);
}

TEST_F(FrameLoop, FlagCommandsTakeNanAsNonZero) {
    SetEscapeQuits(0);
    EXPECT_EQ(Rt().settings.quitKeys, 0);
    SetEscapeQuits(std::nan(""));
    EXPECT_EQ(Rt().settings.quitKeys, 1);
}

using FrameLoopDeathTest = FrameLoop;

TEST_F(FrameLoopDeathTest, CloseRequestEndsTheProgramWithStatusZero) {
    headless.window->events.push_back(MakeEvent(os::Event::Type::CloseRequest));
    EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoopDeathTest, ClosingEndsWithZeroEvenAfterARecordedError) {
    // Some commands record an error number and carry on; closing the window is still an
    // ordinary end.
    SetRuntimeError(3);
    headless.window->events.push_back(MakeEvent(os::Event::Type::CloseRequest));
    EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoopDeathTest, EscapeEndsTheProgram) {
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 1));
    EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoopDeathTest, AltF4EndsTheProgramEvenWithQuitKeysOff) {
    SetEscapeQuits(0);
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 1));
    PresentFrame(); // Escape alone does nothing now
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 56));
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 62));
    EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoopDeathTest, QuitKeysClearAnEarlierErrorNumber) {
    SetRuntimeError(5);
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 129));
    EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoop, ReleasedKeyNoLongerQuits) {
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 56));
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyUp, 56));
    headless.window->events.push_back(MakeEvent(os::Event::Type::KeyDown, 62));
    PresentFrame();
    EXPECT_FALSE(KeyHeld(56));
    EXPECT_TRUE(KeyHeld(62));
}

TEST_F(FrameLoop, FullScreenFailureStaysWindowedAndLogsEachTime) {
    headless.window->fullScreenAvailable = false;
    EXPECT_EQ(EnterFullScreen(*Rt().gfx), 0);
    EXPECT_EQ(EnterFullScreen(*Rt().gfx), 0);
    EXPECT_FALSE(Rt().gfx->fullScreenActive);
    EXPECT_EQ(headless.window->beeps, 2);
}

TEST_F(FrameLoop, ScreenModeSwitchKeepsTheDevice) {
    OpenGLRainbows* device = Rt().gfx.get();
    SetScreenMode(640, 480, 1);
    EXPECT_TRUE(headless.window->fullScreen);
    EXPECT_TRUE(device->fullScreenActive);
    double w = 0, h = 0;
    GetScreenSize(w, h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    SetScreenMode(800, 600, 0);
    EXPECT_FALSE(headless.window->fullScreen);
    EXPECT_EQ(Rt().gfx.get(), device);
}

} // namespace
