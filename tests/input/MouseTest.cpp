// The mouse through real SDL mouse events: the per-frame movement, captured and free pointer,
// clamping, buttons, wheel and the pointer's visibility.
#include "InputTesting.h"
#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "input/InputCommands.h"
#include "input/InputDevices.h"
#include "os/Backend.h"

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

TEST_F(Mouse, StartsCapturedWithTheProgramPointerAt100) {
    EXPECT_FALSE(Rt().input->PointerFree());
    EXPECT_FALSE(Rt().input->CursorShown());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    const MouseState state = ReadMouse();
    EXPECT_EQ(state.x, 100);
    EXPECT_EQ(state.y, 100);
}

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
    const MouseState state = ReadMouse();
    // The absolute position of the event does not count while the mouse is captured.
    EXPECT_EQ(state.x, 110);
    EXPECT_EQ(state.y, 120);
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
    EXPECT_TRUE(Rt().input->PointerFree());
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
    PushButton(SDL_BUTTON_LEFT, true);
    PushButton(SDL_BUTTON_MIDDLE, true);
    PushWheel(3);
    PushWheel(-1);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(2), 1);
    EXPECT_EQ(GetMouseAxis(3), 1);
    EXPECT_EQ(GetMouseAxis(4), 0);
    EXPECT_EQ(GetMouseAxis(5), 1);
    EXPECT_EQ(GetMouseAxis(6), 0);
    EXPECT_EQ(GetMouseAxis(-1), 0);
    EXPECT_EQ(GetMouseAxis(1e300), 0);
    MouseState state = ReadMouse();
    EXPECT_EQ(state.b1, 1);
    EXPECT_EQ(state.b2, 0);

    PushButton(SDL_BUTTON_LEFT, false);
    PushButton(SDL_BUTTON_RIGHT, true);
    PushWheel(-2);
    PresentFrame();
    EXPECT_EQ(GetMouseAxis(2), -1);
    state = ReadMouse();
    EXPECT_EQ(state.b1, 0);
    EXPECT_EQ(state.b2, 1);
}

TEST_F(Mouse, ShowMouseCursorSwitchesThePointerOnlyWhenTheFlagChanges) {
    SetMousePosition(123, 45);
    ShowMouseCursor(1);
    EXPECT_TRUE(Rt().input->CursorShown());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    // The program's movement rule stays captured.
    EXPECT_FALSE(Rt().input->PointerFree());
    ShowMouseCursor(0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    SDL_ShowCursor(SDL_ENABLE);
    ShowMouseCursor(0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "an unchanged flag leaves the pointer";
}

TEST_F(Mouse, AbsurdPositionsSaturate) {
    SetMousePosition(1e300, -1e300);
    for (int i = 0; i < 3; ++i) {
        PushMotion(0, 0, 30000, -30000);
        PresentFrame();
        EXPECT_EQ(GetMouseAxis(0), 30000);
    }
    const MouseState state = ReadMouse();
    EXPECT_EQ(state.x, 799);
    EXPECT_EQ(state.y, 0);
}

namespace {

class MouseNotCaptured : public ::testing::Test {
  protected:
    void SetUp() override {
        os::SetBackendFactory(nullptr);
        Rt().settings = RuntimeSettings{};
        Rt().settings.mouseCapture = 0;
        ASSERT_TRUE(StartRuntime(10, "test"));
    }
    void TearDown() override { ShutdownRuntime(); }
};

} // namespace

TEST_F(MouseNotCaptured, StartsWithTheFreeShownPointer) {
    EXPECT_TRUE(Rt().input->PointerFree());
    EXPECT_TRUE(Rt().input->CursorShown());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    PushMotion(640, 480, 1, 1);
    PresentFrame();
    const MouseState state = ReadMouse();
    EXPECT_EQ(state.x, 640);
    EXPECT_EQ(state.y, 480);
}
