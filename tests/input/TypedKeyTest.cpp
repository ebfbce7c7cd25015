// Typed characters through real SDL key and text events: the scan order, the special codes,
// Shift, the platform's text and the repeat suppression.
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
    const S a = SDL_SCANCODE_A, shift = SDL_SCANCODE_LSHIFT, one = SDL_SCANCODE_1;
    const std::vector<std::pair<const char*, std::vector<Step>>> scripts = {
        {"a held key types once until released",
         {Down(a), Typed("a"), Typed(""), Up(a), Typed(""), Down(a), Typed("a"), Typed(""), Up(a)}},
        {"Shift makes letters upper case",
         {Down(shift), Typed(""), Down(a), Typed("A"), Up(a), Up(shift), Typed(""),
          Down(SDL_SCANCODE_RSHIFT), Down(SDL_SCANCODE_Z), Typed("Z"), Up(SDL_SCANCODE_Z),
          Up(SDL_SCANCODE_RSHIFT)}},
        {"Enter, keypad Enter and Backspace have control codes",
         {Down(SDL_SCANCODE_RETURN), Typed("\n"), Up(SDL_SCANCODE_RETURN),
          Down(SDL_SCANCODE_KP_ENTER), Typed(""), Up(SDL_SCANCODE_KP_ENTER), Typed(""),
          Down(SDL_SCANCODE_KP_ENTER), Typed("\n"), Up(SDL_SCANCODE_KP_ENTER),
          Down(SDL_SCANCODE_BACKSPACE), Typed("\b"), Up(SDL_SCANCODE_BACKSPACE)}},
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
