// Joysticks through SDL's virtual joysticks: axes, hats, buttons, names, rumble, and the
// reports of joysticks that do not exist.
#include "support/SdlEvents.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

struct RumbleRecord {
    int calls = 0;
    Uint16 low = 0, high = 0;
} lastRumble;

// Two virtual joysticks attached before start-up: a pad with rumble and a stick without.
class Joysticks : public GlRuntimeTest {
  protected:
    void SetUp() override {
        lastRumble = RumbleRecord{};
        // The offscreen window never has the focus; joysticks are read all the same.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.naxes = 6;
        pad.nbuttons = 32;
        pad.nhats = 1;
        pad.name = "Vornic Pad";
        pad.Rumble = [](void*, Uint16 low, Uint16 high) {
            lastRumble = {lastRumble.calls + 1, low, high};
            return 0;
        };
        ASSERT_EQ(SDL_JoystickAttachVirtualEx(&pad), 0);
        ASSERT_EQ(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 0), 1);
        GlRuntimeTest::SetUp();
        ASSERT_TRUE((padDevice = SDL_JoystickOpen(0)));
    }
    void TearDown() override {
        GlRuntimeTest::TearDown();
        SDL_JoystickClose(padDevice);
        SDL_JoystickDetachVirtual(1);
        SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    SDL_Joystick* padDevice = nullptr;
};

} // namespace

TEST_F(Joysticks, AxesHatsButtonsAndNamesOfThePresentJoysticks) {
    // Each axis at a full or no deflection reads as -1, 0 or 1; the stick's axes stay at 0.
    double (*const axis[6])(double) = {JoystickX,  JoystickY,  JoystickZ,
                                       JoystickRX, JoystickRY, JoystickRZ};
    for (int i = 0; i < 6; ++i)
        for (const auto& [raw, read] : {std::pair{32767, 1.0}, {-32768, -1.0}, {0, 0.0}}) {
            SDL_JoystickSetVirtualAxis(padDevice, i, static_cast<Sint16>(raw));
            EXPECT_EQ(axis[i](0.9), read) << "axis " << i << " at " << raw;
            EXPECT_EQ(axis[i](1), 0.0) << "the stick's axis " << i;
        }
    // Diagonals of the hat read as centred.
    const std::tuple<Uint8, double, double> hats[] = {
        {SDL_HAT_CENTERED, 0, 0}, {SDL_HAT_UP, 0, -1},       {SDL_HAT_RIGHTUP, 0, 0},
        {SDL_HAT_RIGHT, 1, 0},    {SDL_HAT_RIGHTDOWN, 0, 0}, {SDL_HAT_DOWN, 0, 1},
        {SDL_HAT_LEFT, -1, 0},    {SDL_HAT_LEFTUP, 0, 0},
    };
    for (const auto& [hat, x, y] : hats) {
        SDL_JoystickSetVirtualHat(padDevice, 0, hat);
        EXPECT_EQ(JoystickHatX(0), x) << "hat " << int(hat);
        EXPECT_EQ(JoystickHatY(0), y) << "hat " << int(hat);
    }
    // The state counts whole steps of 30000, truncated toward zero.
    SDL_JoystickSetVirtualAxis(padDevice, 0, 32767);
    SDL_JoystickSetVirtualAxis(padDevice, 1, -29999);
    SDL_JoystickSetVirtualButton(padDevice, 1, 1);
    double x = -9, y = -9, b1 = -9, b2 = -9;
    JoystickState(x, y, b1, b2);
    EXPECT_EQ(std::vector<double>({x, y, b1, b2}), std::vector<double>({1, 0, 0, 128}));
    EXPECT_EQ(JoystickCount(), 2);
    EXPECT_STREQ(JoystickName(0).CText(), "Vornic Pad");
}

TEST_F(Joysticks, RumbleUsesTheForceOfBothDirectionsAndMissingJoysticksReadAsCentred) {
    for (double n : {2.0, 10.0, -1.0, 1e300}) {
        EXPECT_STREQ(JoystickName(n).CText(), "");
        EXPECT_EQ(JoystickX(n), 0);
        EXPECT_EQ(JoystickHatY(n), 0) << "a missing joystick's hat is centred, not up";
        JoystickRumble(n, 100, 1, 1);
    }
    EXPECT_EQ(lastRumble.calls, 0);
    JoystickRumble(0, 250, 1, 0);
    EXPECT_EQ(std::tuple(lastRumble.calls, lastRumble.low, lastRumble.high),
              std::tuple(1, 32768, 32768))
        << "half force along one axis";
    JoystickRumble(0, 250, -5, 0.5);
    EXPECT_EQ(lastRumble.low, 40959) << "forces are clamped to -1..1: (-1, 0.5) is 5/8 of full";
    JoystickRumble(1, 250, 1, 1); // the stick has no rumble
    EXPECT_EQ(lastRumble.calls, 2);
}
