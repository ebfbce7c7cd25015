// Pacing, timers, pausing and the quit keys against a controllable clock and scripted events.
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "app/AppCommands.h"
#include "app/FrameLoop.h"
#include "core/FrameClock.h"
#include "core/Runtime.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputCommands.h"
#include "support/TestRuntime.h"

namespace {

os::Event MakeEvent(os::Event::Type type, int code = 0) {
    os::Event event;
    event.type = type;
    event.code = code;
    return event;
}

TEST(Pacing, NextFrameTimeIsTheFirstWholeIntervalAfterNow) {
    // Start of the last frame, interval, now -> next frame time. A frame that ended 55 ms after
    // its start at 60 frames a second waits for 66.7 instead of letting three run back to back.
    const double cases[][4] = {
        {100, 16, 100.5, 116},
        {0, 16.6667, 55, 66.6668},
        {10, 0, 1e9, 10},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(NextFrameTime(c[0], c[1], c[2]), c[3], 1e-3) << c[1] << " " << c[2];
}

class FrameLoop : public HeadlessRuntimeTest {};

TEST_F(FrameLoop, PresentFrameWaitsOutTheFrameInterval) {
    // Frame rate -> ten frames' time: 60 a second by default, 50 for 50.9, and 2 ms frames
    // for rates below one.
    const double cases[][2] = {{60, 166.67}, {50.9, 200}, {-1, 20}, {0.5, 20}};
    for (const auto& c : cases) {
        LimitFrameRate(c[0]);
        PresentFrame();
        const double start = headless.clock->nowMs;
        for (int i = 0; i < 10; ++i)
            PresentFrame();
        EXPECT_NEAR(headless.clock->nowMs - start, c[1], 1.0) << c[0];
    }
}

TEST_F(FrameLoop, FrameTimeAndTimer) {
    PresentFrame();
    PresentFrame();
    EXPECT_NEAR(GetFrameTime(), 16.67, 1.0);
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
    PresentFrame();
    EXPECT_FALSE(Rt().paused);
    EXPECT_EQ(headless.window->title, "test");
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

// Quit keys met by taps, each script on a fresh runtime: "d<code>"/"u<code>" a key goes
// down/up, "r" game code reads the keys (taking in the events waiting), "f" a frame flip, "q0"
// quit keys off. Then frame flips must end the program, or not.
struct QuitKeyScript {
    const char* steps;
    bool ends;
};

class QuitKeyTapDeathTest : public HeadlessRuntimeTest,
                            public ::testing::WithParamInterface<QuitKeyScript> {};

TEST_P(QuitKeyTapDeathTest, EndsTheProgramWhenTheKeysWereDownSinceTheLastFlip) {
    SCOPED_TRACE(GetParam().steps);
    std::istringstream steps(GetParam().steps);
    for (std::string step; steps >> step;) {
        if (step == "r") KeyDown(57);
        if (step == "f") PresentFrame();
        if (step == "q0") SetEscapeQuits(0);
        if (step[0] == 'd' || step[0] == 'u')
            headless.window->events.push_back(
                MakeEvent(step[0] == 'd' ? os::Event::Type::KeyDown : os::Event::Type::KeyUp,
                          std::stoi(step.substr(1))));
    }
    if (GetParam().ends) {
        EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
        return;
    }
    PresentFrame();
    SetEscapeQuits(1); // the tap was checked once and is gone
    PresentFrame();
}

INSTANTIATE_TEST_SUITE_P(
    Taps, QuitKeyTapDeathTest,
    ::testing::Values(QuitKeyScript{"f r d1 u1 r", true}, QuitKeyScript{"f d1 r u1 r", true},
                      QuitKeyScript{"q0 f r d56 d62 u62 u56 r", true},
                      QuitKeyScript{"q0 f r d1 u1 r", false},
                      // Alt let go in an earlier frame, after game code saw it, then F4.
                      QuitKeyScript{"d56 f r u56 f d62", false}));

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
