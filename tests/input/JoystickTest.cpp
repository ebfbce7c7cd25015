// Joysticks through SDL's virtual joysticks: axes, hats, buttons, names, rumble, and the
// reports of joysticks that do not exist.
#include "InputTesting.h"
#include "input/InputCommands.h"

namespace {

struct RumbleRecord {
    int calls = 0;
    Uint16 low = 0, high = 0;
};

RumbleRecord& LastRumble() {
    static RumbleRecord record;
    return record;
}

int RecordRumble(void*, Uint16 low, Uint16 high) {
    LastRumble().calls++;
    LastRumble().low = low;
    LastRumble().high = high;
    return 0;
}

// Two virtual joysticks attached before start-up: a pad with rumble and a stick without.
class Joysticks : public GlRuntimeTest {
  protected:
    void SetUp() override {
        LastRumble() = RumbleRecord{};
        // The offscreen window never has the focus; joysticks are read all the same.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        pad.naxes = 6;
        pad.nbuttons = 32;
        pad.nhats = 1;
        pad.name = "Vornic Pad";
        pad.Rumble = RecordRumble;
        padIndex = SDL_JoystickAttachVirtualEx(&pad);
        ASSERT_GE(padIndex, 0);
        stickIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 0);
        ASSERT_GE(stickIndex, 0);
        GlRuntimeTest::SetUp();
        padDevice = SDL_JoystickOpen(padIndex);
        stickDevice = SDL_JoystickOpen(stickIndex);
        ASSERT_NE(padDevice, nullptr);
        ASSERT_NE(stickDevice, nullptr);
    }
    void TearDown() override {
        GlRuntimeTest::TearDown();
        SDL_JoystickClose(padDevice);
        SDL_JoystickClose(stickDevice);
        SDL_JoystickDetachVirtual(stickIndex);
        SDL_JoystickDetachVirtual(padIndex);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    int padIndex = -1, stickIndex = -1;
    SDL_Joystick* padDevice = nullptr;
    SDL_Joystick* stickDevice = nullptr;
};

} // namespace

TEST_F(Joysticks, AxesAreScaledToMinusOneToOne) {
    const Sint16 raw[6] = {32767, -32768, 16384, -16384, 0, 3277};
    const double scaled[6] = {1, -1, 0.5, -0.5, 0, 0.1};
    double (*const axis[6])(double) = {JoystickX,  JoystickY,  JoystickZ,
                                       JoystickRX, JoystickRY, JoystickRZ};
    for (int i = 0; i < 6; ++i) {
        SDL_JoystickSetVirtualAxis(padDevice, i, raw[i]);
        EXPECT_NEAR(axis[i](0.9), scaled[i], 1e-4) << "axis " << i;
        EXPECT_EQ(axis[i](1), 0.0) << "the stick's axis " << i << " is not moved";
    }
    EXPECT_EQ(JoystickX(0), 1.0);
    EXPECT_EQ(JoystickY(0), -1.0) << "clamped";
}

TEST_F(Joysticks, HatsReadAsPointOfViewDirections) {
    struct Case {
        Uint8 hat;
        double x, y;
    };
    const Case cases[] = {
        {SDL_HAT_CENTERED, 0, 0}, {SDL_HAT_UP, 0, -1},       {SDL_HAT_RIGHTUP, 0, 0},
        {SDL_HAT_RIGHT, 1, 0},    {SDL_HAT_RIGHTDOWN, 0, 0}, {SDL_HAT_DOWN, 0, 1},
        {SDL_HAT_LEFT, -1, 0},    {SDL_HAT_LEFTUP, 0, 0},
    };
    for (const Case& c : cases) {
        SDL_JoystickSetVirtualHat(padDevice, 0, c.hat);
        EXPECT_EQ(JoystickHatX(0), c.x) << "hat " << int(c.hat);
        EXPECT_EQ(JoystickHatY(0), c.y) << "hat " << int(c.hat);
    }
}

TEST_F(Joysticks, StateNamesAndCountOfThePresentJoysticks) {
    SDL_JoystickSetVirtualAxis(padDevice, 0, 32767);
    SDL_JoystickSetVirtualAxis(padDevice, 1, -29999);
    SDL_JoystickSetVirtualButton(padDevice, 1, 1);
    double x = -9, y = -9, b1 = -9, b2 = -9;
    JoystickState(x, y, b1, b2);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0) << "truncated toward zero";
    EXPECT_EQ(b1, 0);
    EXPECT_EQ(b2, 128);
    EXPECT_EQ(JoystickCount(), 2);
    EXPECT_STREQ(JoystickName(0).CText(), "Vornic Pad");
    EXPECT_STREQ(JoystickName(2).CText(), "");
}

TEST_F(Joysticks, MissingJoysticksReadAsCentredAndUnpressed) {
    for (double n : {2.0, 9.0, 10.0, -1.0, 1e300}) {
        EXPECT_STREQ(JoystickName(n).CText(), "");
        EXPECT_EQ(JoystickX(n), 0);
        EXPECT_EQ(JoystickHatX(n), 0);
        EXPECT_EQ(JoystickHatY(n), 0) << "a missing joystick's hat is centred, not up";
        JoystickRumble(n, 100, 1, 1);
    }
    EXPECT_EQ(LastRumble().calls, 0);
}

TEST_F(Joysticks, RumbleUsesTheForceOfBothDirections) {
    JoystickRumble(0, 250, 1, 0);
    EXPECT_EQ(LastRumble().calls, 1);
    EXPECT_EQ(LastRumble().low, 32768) << "half force along one axis";
    EXPECT_EQ(LastRumble().high, 32768);
    JoystickRumble(0, 250, -5, 7);
    EXPECT_EQ(LastRumble().low, 65535) << "forces are clamped to -1..1";
    // The stick has no rumble: ignored.
    JoystickRumble(1, 250, 1, 1);
    EXPECT_EQ(LastRumble().calls, 2);
}
