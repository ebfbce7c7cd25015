#include "app/AppCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx2d/FontCommands.h"
#include "gfx2d/ScreenImages.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputCommands.h"
#include "input/InputPolls.h"

namespace {

// The block that holds the frozen screen under the line being edited.
const int kInputBlock = 3;
// The cursor changes every 21 frames.
const int kBlinkFrames = 20;
const int kEnter = 10;
const int kBackspace = 8;

} // namespace

RtString InputText(const RtString& initial, double x, double y) {
    RtString text = initial;
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return text;

    gfx2d::GrabScreenIntoBlock(*device, kInputBlock);
    gfx2d::DrawBackgroundBlock(*device, kInputBlock);
    PrintText(text, x, y);
    PresentFrame();

    const double column = ToInt(x), row = ToInt(y);
    int frames = 0;
    bool cursorShown = false;
    for (;;) {
        const int character = input::TypedKeyCode();
        if (character == kEnter) break;
        if (character == 0) {
            if (++frames > kBlinkFrames) {
                frames = 0;
                cursorShown = !cursorShown;
            }
        } else if (character == kBackspace) {
            if (text.Length() > 0) text.TruncateAt(static_cast<int>(text.Length()) - 1);
        } else {
            const char typed[2] = {static_cast<char>(character), 0};
            text += typed;
        }
        gfx2d::DrawBackgroundBlock(*device, kInputBlock);
        RtString shown = text;
        if (cursorShown) shown += "_";
        PrintText(shown, column, row);
        PresentFrame();
    }
    gfx2d::ClearBackgroundBlock(*device, kInputBlock);
    return text;
}
