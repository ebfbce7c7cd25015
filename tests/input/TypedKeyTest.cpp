// Typed characters through real SDL key and text events: the scan order, keypad Enter, the
// right Shift and the platform's text. The line typed on a real X server (e2e/input_probe.sh)
// checks Enter, Backspace, the left Shift and that a held key types once until released.
#include "support/SdlEvents.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

using TypedKey = GlRuntimeTest;

// One step of a script: press (+) or release (-) a key, deliver the platform's text (t), or
// read GetTypedKey (=) and expect its result.
struct Step {
    char op;
    SDL_Scancode key;
    const char* text;
};

const auto Down = [](SDL_Scancode key) { return Step{'+', key, nullptr}; };
const auto Up = [](SDL_Scancode key) { return Step{'-', key, nullptr}; };
const auto Text = [](const char* text) { return Step{'t', SDL_SCANCODE_UNKNOWN, text}; };
const auto Typed = [](const char* text) { return Step{'=', SDL_SCANCODE_UNKNOWN, text}; };

} // namespace

TEST_F(TypedKey, ScriptsOfKeys) {
    using S = SDL_Scancode;
    const S shift = SDL_SCANCODE_LSHIFT, one = SDL_SCANCODE_1;
    const std::vector<std::pair<const char*, std::vector<Step>>> scripts = {
        {"the right Shift makes letters upper case; Shift alone types nothing",
         {Down(SDL_SCANCODE_RSHIFT), Typed(""), Down(SDL_SCANCODE_Z), Typed("Z"),
          Up(SDL_SCANCODE_Z), Up(SDL_SCANCODE_RSHIFT)}},
        {"keypad Enter has Enter's control code",
         {Down(SDL_SCANCODE_KP_ENTER), Typed("\n"), Up(SDL_SCANCODE_KP_ENTER)}},
        {"keys without a character are skipped in the scan",
         {Down(SDL_SCANCODE_ESCAPE), Down(SDL_SCANCODE_TAB), Down(SDL_SCANCODE_LCTRL),
          Down(SDL_SCANCODE_UP), Down(SDL_SCANCODE_DELETE), Typed(""), Down(SDL_SCANCODE_M),
          Typed("m")}},
        {"the lowest held code wins",
         {Down(SDL_SCANCODE_S), Down(one), Typed("1"), Up(one), Typed("s"), Up(SDL_SCANCODE_S),
          Down(SDL_SCANCODE_SPACE), Typed(" "), Up(SDL_SCANCODE_SPACE), Down(SDL_SCANCODE_KP_7),
          Typed("7")}},
        {"the platform's text gives the layout's character",
         {Down(shift), Down(one), Text("!"), Typed("!"), Up(one), Up(shift), Typed(""), Down(one),
          Typed("1"), Up(one), Typed(""), Down(SDL_SCANCODE_APOSTROPHE), Text("\xC3\xA4"),
          Typed("\xE4")}},
    };
    for (const auto& [name, steps] : scripts) {
        for (const Step& step : steps) {
            switch (step.op) {
            case '+':
            case '-': PushKey(step.key, step.op == '+'); break;
            case 't': Push({TextEvent(step.text)}); break;
            default: EXPECT_STREQ(GetTypedKey().CText(), step.text) << name;
            }
        }
        for (int s = 0; s < SDL_NUM_SCANCODES; ++s)
            PushKey(static_cast<S>(s), false);
        GetTypedKey();
    }
}
