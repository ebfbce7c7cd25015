// Pacing, timers, pausing and the quit keys against a controllable clock and scripted events.
#include <cmath>
#include <sstream>
#include <string>

#include "app/FrameLoop.h"
#include "core/Runtime.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

class FrameLoop : public HeadlessRuntimeTest {
  protected:
    void Queue(os::Event::Type type, int code = 0) {
        headless.window->events.push_back({type, code});
    }
};

TEST_F(FrameLoop, PresentFrameWaitsOutTheFrameInterval) {
    // Frame rate, game code's time in the first frame -> ten frames' time: 60 a second by
    // default, 50 for 50.9, 2 ms frames for rates below one. A first frame of 55 ms at 60 a
    // second waits for the next whole interval (66.7) instead of letting frames catch up back to
    // back.
    const double cases[][3] = {
        {60, 0, 166.67}, {50.9, 0, 200}, {-1, 0, 20}, {0.5, 0, 20}, {60, 55, 200}};
    for (const auto& c : cases) {
        LimitFrameRate(c[0]);
        PresentFrame();
        const double start = headless.clock->nowMs;
        for (int i = 0; i < 10; ++i) {
            headless.clock->nowMs += i == 0 ? c[1] : 0;
            PresentFrame();
        }
        EXPECT_NEAR(headless.clock->nowMs - start, c[2], 1.0) << c[0] << " " << c[1];
    }
}

TEST_F(FrameLoop, FrameTimeAndTimer) {
    EXPECT_LT(GetTimerMs(), 1.0) << "the timer starts near zero";
    PresentFrame();
    PresentFrame();
    EXPECT_NEAR(GetFrameTime(), 16.67, 1.0);
    EXPECT_NEAR(GetTimerMs(), 33.3, 2.0);
    // A clock that stood still or went back never gives a frame time of 0 or less.
    for (double stamp : {500.0, 400.0}) {
        Rt().frameClock.currentStamp = stamp;
        Rt().frameClock.previousStamp = 500.0;
        EXPECT_EQ(GetFrameTime(), 1.0) << stamp;
    }
}

// Losing the focus pauses, and says so in the title, unless auto-pause is off or the program
// runs in debug mode; PresentFrame waits in its pause until the window is active again.
TEST_F(FrameLoop, FocusLossPausesWithTitleAndFocusGainResumes) {
    for (const auto& [autoPause, debugMode, pauses] :
         {std::tuple{1, 0, true}, {0, 0, false}, {1, 1, false}}) {
        SetAutoPause(autoPause);
        Rt().settings.debugMode = debugMode;
        Queue(os::Event::Type::FocusLost);
        PumpMessages(*Rt().gfx);
        EXPECT_EQ(headless.window->title, pauses ? "test <pause>" : "test")
            << autoPause << debugMode;
        Queue(os::Event::Type::FocusGained);
        PresentFrame();
        EXPECT_EQ(headless.window->title, "test");
    }
}

// Each script runs on a fresh runtime: "d<code>"/"u<code>" a key goes down/up, "r" game code
// reads the keys (taking in the events waiting), "f" a frame flip, "q0"/"qnan" quit keys off/on
// through SetEscapeQuits, "e<n>" an error number recorded, "c" the window asked to close. Then
// frame flips must end the program with status 0, or not end it.
struct EndScript {
    const char* steps;
    bool ends;
};

class FrameLoopEndDeathTest : public FrameLoop, public ::testing::WithParamInterface<EndScript> {};

TEST_P(FrameLoopEndDeathTest, EndsTheProgramWithStatusZeroOrGoesOn) {
    SCOPED_TRACE(GetParam().steps);
    std::istringstream steps(GetParam().steps);
    for (std::string step; steps >> step;) {
        if (step == "r") KeyDown(57);
        if (step == "f") PresentFrame();
        if (step[0] == 'q') SetEscapeQuits(step == "q0" ? 0 : std::nan(""));
        if (step[0] == 'e') SetRuntimeError(std::stoi(step.substr(1)));
        if (step == "c") Queue(os::Event::Type::CloseRequest);
        if (step[0] == 'd') Queue(os::Event::Type::KeyDown, std::stoi(step.substr(1)));
        if (step[0] == 'u') Queue(os::Event::Type::KeyUp, std::stoi(step.substr(1)));
    }
    if (GetParam().ends) {
        EXPECT_EXIT(PresentFrame(), ::testing::ExitedWithCode(0), "");
        return;
    }
    PresentFrame();
    SetEscapeQuits(1); // a tap is checked once and is gone
    PresentFrame();
}

INSTANTIATE_TEST_SUITE_P(Scripts, FrameLoopEndDeathTest,
                         ::testing::Values(
                             // Closing is an ordinary end even after a command recorded an error
                             // number, and so are the quit keys: Escape, Alt+F4 even with the quit
                             // keys off, code 129 like Escape.
                             EndScript{"c", true}, EndScript{"e3 c", true}, EndScript{"d1", true},
                             EndScript{"q0 d1 f d56 d62", true}, EndScript{"e5 d129", true},
                             EndScript{"q0 qnan d1", true},
                             // Taps: keys that were down since the last flip count.
                             EndScript{"f r d1 u1 r", true}, EndScript{"f d1 r u1 r", true},
                             EndScript{"q0 f r d56 d62 u62 u56 r", true},
                             EndScript{"q0 f r d1 u1 r", false},
                             // Alt let go in an earlier frame, after game code saw it, then F4.
                             EndScript{"d56 f r u56 f d62", false}));

TEST_F(FrameLoop, ScreenModeSwitchAndFullScreenFailureStaysWindowed) {
    SetScreenMode(640, 480, 1);
    EXPECT_TRUE(headless.window->fullScreen);
    double w = 0, h = 0;
    GetScreenSize(w, h);
    EXPECT_EQ(std::pair(w, h), std::pair(640.0, 480.0));
    SetScreenMode(800, 600, 0);
    EXPECT_FALSE(headless.window->fullScreen);
    // Each failure beeps.
    headless.window->fullScreenAvailable = false;
    EXPECT_EQ(EnterFullScreen(*Rt().gfx), 0);
    EXPECT_EQ(EnterFullScreen(*Rt().gfx), 0);
    EXPECT_FALSE(Rt().gfx->fullScreenActive);
    EXPECT_EQ(headless.window->beeps, 2);
}

} // namespace
