// The mouse through real SDL mouse events: the per-frame movement, captured and free pointer,
// clamping, buttons, wheel and the pointer's visibility.
#include "support/SdlEvents.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

using Mouse = GlRuntimeTest;

// x, y, left and right button.
std::vector<double> MouseState() {
    std::vector<double> state(4, -1);
    GetMouseState(state[0], state[1], state[2], state[3]);
    return state;
}

std::vector<double> Movement() {
    return {GetMouseAxis(0), GetMouseAxis(1)};
}

} // namespace

TEST_F(Mouse, CapturedMovementIsTakenOncePerFrameAndClampedToTheScreen) {
    Push({MotionEvent(700, 500, 5, -3), MotionEvent(710, 490, 2, 1)});
    PresentFrame();
    EXPECT_EQ(Movement(), std::vector<double>({7, -2}));
    // The program's pointer starts at (100, 100); the absolute position does not count.
    EXPECT_EQ(MouseState(), std::vector<double>({107, 98, 0, 0}));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    // Movement after the first poll of a frame waits for the next frame.
    Push({MotionEvent(420, 280, 30, 30)});
    EXPECT_EQ(Movement(), std::vector<double>({7, -2}));
    PresentFrame();
    EXPECT_EQ(Movement(), std::vector<double>({30, 30}));
    PresentFrame();
    EXPECT_EQ(Movement(), std::vector<double>({0, 0}));
    // The pointer keeps the clamped values.
    SetMousePosition(-5, 5000);
    EXPECT_EQ(MouseState(), std::vector<double>({0, 599, 0, 0}));
    Push({MotionEvent(0, 0, 3, -4)});
    PresentFrame();
    EXPECT_EQ(MouseState(), std::vector<double>({3, 595, 0, 0}));
}

TEST_F(Mouse, FreePointerFollowsTheSystemPointer) {
    SetMousePosition(50, 60);
    SetMouseFree(1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    Push({MotionEvent(300, 200, 999, 999)});
    PresentFrame();
    EXPECT_EQ(Movement(), std::vector<double>({250, 140}));
    // Captured again, relative movement counts from where the pointer is.
    SetMouseFree(0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    Push({MotionEvent(0, 0, -10, 5)});
    PresentFrame();
    EXPECT_EQ(MouseState(), std::vector<double>({290, 205, 0, 0}));
}

TEST_F(Mouse, ButtonsAndWheel) {
    Push({ButtonEvent(SDL_BUTTON_LEFT, true), ButtonEvent(SDL_BUTTON_MIDDLE, true), WheelEvent(3),
          WheelEvent(-1)});
    PresentFrame();
    // Axis -> value: 2 wheel (its sign), 3 left, 4 right, 5 middle, others 0.
    for (const auto& [axis, value] :
         {std::pair{2.0, 1.0}, {3, 1}, {4, 0}, {5, 1}, {6, 0}, {-1, 0}, {1e300, 0}})
        EXPECT_EQ(GetMouseAxis(axis), value) << "axis " << axis;
    EXPECT_EQ(MouseState(), std::vector<double>({100, 100, 1, 0}));
    Push(
        {ButtonEvent(SDL_BUTTON_LEFT, false), ButtonEvent(SDL_BUTTON_RIGHT, true), WheelEvent(-2)});
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(2), -1);
    EXPECT_EQ(MouseState(), std::vector<double>({100, 100, 0, 1}));
}

// A click shorter than a frame: "c" the left button goes down and up, "m" a mouse poll, "k" a
// key read (which takes in the mouse events waiting too), "f" a frame flip. Then a poll. Keys
// keep their taps by the same rule.
TEST_F(Mouse, AClickBetweenTwoPollsCountsForOneFrameAfterAPollSawIt) {
    const std::pair<const char*, double> cases[] = {
        {"c f", 1},         // while the frame waited: the flip's pump takes it in
        {"f m c m", 1},     // between two polls of one frame
        {"f m c k f", 1},   // taken in by a key read after the frame's poll
        {"c f m f", 0},     // seen by a poll, then gone with the next frame
        {"f m c k f f", 0}, // nobody polled it for a whole frame: no late click
    };
    for (const auto& [steps, button1] : cases) {
        for (const char* step = "fff"; *step; ++step) // nothing left from the case before
            PresentFrame();
        for (const char* step = steps; *step; ++step) {
            if (*step == 'c')
                Push({ButtonEvent(SDL_BUTTON_LEFT, true), ButtonEvent(SDL_BUTTON_LEFT, false)});
            if (*step == 'm') MouseState();
            if (*step == 'k') KeyDown(57);
            if (*step == 'f') PresentFrame();
        }
        EXPECT_EQ(MouseState()[2], button1) << steps;
    }
}
