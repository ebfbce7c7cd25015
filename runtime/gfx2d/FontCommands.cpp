#include "gfx2d/FontCommands.h"

#include "core/Number.h"
#include "core/PrintLog.h"
#include "core/Runtime.h"
#include "files/ResourceLookup.h"
#include "gfx2d/Fonts.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"

void LoadFont(const RtString& file, double id) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return;
    const int fontId = gfx2d::ClampFontId(ToInt(id));
    gfx2d::Sprites(*device).currentFont = fontId;
    // The font's slot no longer holds a sprite loaded from a file.
    ForgetAssetFiles(gfx2d::SpriteWatchKey(kFontSlotBase + fontId));
    // A font file that is nowhere gives the built-in font.
    gfx2d::LoadFontIntoSlot(*device, fontId,
                            files::Resolve(Rt().resolvers[0].get(), file.CText()).value_or(""));
}

void SetFont(double id) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::Sprites(*device).currentFont = gfx2d::ClampFontId(ToInt(id));
}

void GetFontSize(double& width, double& height) {
    width = height = 0;
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return;
    const gfx2d::FontGrid grid = gfx2d::FontGridOf(*device, gfx2d::Sprites(*device).currentFont);
    width = grid.glyphWidth;
    height = grid.glyphHeight;
}

void PrintText(const RtString& text, double x, double y) {
    Runtime& rt = Rt();
    if (OpenGLRainbows* device = rt.gfx.get()) {
        gfx2d::DrawText(*device, gfx2d::Sprites(*device).currentFont, text.CText(), text.Length(),
                        x, y, 0);
        LogPrintedText(rt.printLog, rt.settings.printLogPath, rt.frame, text.CText(), text.Length(),
                       x, y);
    }
}

void PrintNumber(double number, double x, double y) {
    PrintText(NumberToText(number), x, y);
}
