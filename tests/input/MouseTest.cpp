// The mouse through real SDL mouse events: the per-frame movement, captured and free pointer,
// clamping, buttons, wheel and the pointer's visibility.
#include "InputTesting.h"
#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "input/InputCommands.h"

namespace {

using Mouse = GlRuntimeTest;

struct MouseState {
    double x = -1, y = -1, b1 = -1, b2 = -1;
};

MouseState ReadMouse() {
    MouseState state;
    GetMouseState(state.x, state.y, state.b1, state.b2);
    return state;
}

} // namespace

TEST_F(Mouse, MovementIsComputedOncePerFrame) {
    PushMotion(400, 300, 5, -3);
    PushMotion(410, 290, 2, 1);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(0), 7);
    EXPECT_EQ(GetMouseAxis(1), -2);
    // Movement after the first poll of a frame waits for the next frame.
    PushMotion(420, 280, 30, 30);
    EXPECT_EQ(GetMouseAxis(0), 7);
    EXPECT_EQ(GetMouseAxis(1), -2);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(0), 30);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(0), 0);
    EXPECT_EQ(GetMouseAxis(1), 0);
}

TEST_F(Mouse, CapturedMovementMovesTheProgramPointerOnly) {
    PushMotion(700, 500, 10, 20);
    PresentFrame();
    // The program's pointer starts at (100, 100); the absolute position of the event does not
    // count while the mouse is captured.
    EXPECT_EQ(ReadMouse().x, 110);
    EXPECT_EQ(ReadMouse().y, 120);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

TEST_F(Mouse, TheStateIsClampedToTheScreenAndKeepsTheClampedValues) {
    SetMousePosition(-5, 5000);
    MouseState state = ReadMouse();
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.y, 599);
    PushMotion(0, 0, 3, -4);
    PresentFrame();
    state = ReadMouse();
    EXPECT_EQ(state.x, 3);
    EXPECT_EQ(state.y, 595);
}

TEST_F(Mouse, FreePointerFollowsTheSystemPointer) {
    SetMousePosition(50, 60);
    SetMouseFree(1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    PushMotion(300, 200, 999, 999);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(0), 250);
    EXPECT_EQ(GetMouseAxis(1), 140);
    const MouseState state = ReadMouse();
    EXPECT_EQ(state.x, 300);
    EXPECT_EQ(state.y, 200);

    // Captured again, relative movement counts from where the pointer is.
    SetMouseFree(0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    PushMotion(0, 0, -10, 5);
    PresentFrame();
    EXPECT_EQ(ReadMouse().x, 290);
    EXPECT_EQ(ReadMouse().y, 205);
}

TEST_F(Mouse, ButtonsAndWheel) {
    // Axis index -> value after each frame: 2 wheel, 3 left, 4 right, 5 middle, others 0.
    PushButton(SDL_BUTTON_LEFT, true);
    PushButton(SDL_BUTTON_MIDDLE, true);
    PushWheel(3);
    PushWheel(-1);
    PresentFrame();
    const std::pair<double, double> first[] = {{2, 1}, {3, 1},  {4, 0},    {5, 1},
                                               {6, 0}, {-1, 0}, {1e300, 0}};
    for (const auto& [axis, value] : first)
        EXPECT_EQ(GetMouseAxis(axis), value) << "axis " << axis;
    EXPECT_EQ(ReadMouse().b1, 1);
    EXPECT_EQ(ReadMouse().b2, 0);

    PushButton(SDL_BUTTON_LEFT, false);
    PushButton(SDL_BUTTON_RIGHT, true);
    PushWheel(-2);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(2), -1);
    EXPECT_EQ(ReadMouse().b1, 0);
    EXPECT_EQ(ReadMouse().b2, 1);
}

// A click shorter than a frame: "c" the left button goes down and up, "m" a mouse poll, "k" a
// key read (which takes in the mouse events waiting too), "f" a frame flip. Then a poll. Keys
// keep their taps by the same rule.
TEST_F(Mouse, AClickBetweenTwoPollsCountsForOneFrameAfterAPollSawIt) {
    const struct {
        const char* steps;
        double button1;
    } cases[] = {
        {"c f", 1},         // while the frame waited: the flip's pump takes it in
        {"f m c m", 1},     // between two polls of one frame
        {"f m c k f", 1},   // taken in by a key read after the frame's poll
        {"c f m f", 0},     // seen by a poll, then gone with the next frame
        {"f m c k f f", 0}, // nobody polled it for a whole frame: no late click
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        for (const char* step = "fff"; *step; ++step) // nothing left from the case before
            PresentFrame();
        for (const char* step = c.steps; *step; ++step) {
            if (*step == 'c') {
                PushButton(SDL_BUTTON_LEFT, true);
                PushButton(SDL_BUTTON_LEFT, false);
            }
            if (*step == 'm') ReadMouse();
            if (*step == 'k') KeyDown(57);
            if (*step == 'f') PresentFrame();
        }
        EXPECT_EQ(ReadMouse().b1, c.button1);
    }
}
