#include "gfx2d/ImageCommands.h"

#include <GL/gl.h>

#include "core/Number.h"
#include "core/Runtime.h"
#include "files/FilePaths.h"
#include "files/ResourceLookup.h"
#include "gfx2d/ScreenImages.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"

double GrabSprite(double id, double x, double y, double width, double height) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return 0;
    const int grabbed =
        gfx2d::GrabSprite(*device, ToInt(id), ToInt(x), ToInt(y), ToInt(width), ToInt(height));
    // The slot holds the screen now, no longer its file.
    if (grabbed) ForgetAssetFiles(gfx2d::SpriteWatchKey(ToInt(id)));
    return grabbed;
}

double SaveSprite(const RtString& file, double id) {
    OpenGLRainbows* device = Rt().gfx.get();
    return device ? gfx2d::SaveSprite(*device, files::PlatformPath(file.CText()), ToInt(id)) : 0;
}

double SaveScreen(const RtString& file) {
    OpenGLRainbows* device = Rt().gfx.get();
    return device ? gfx2d::SaveScreen(*device, files::PlatformPath(file.CText())) : 0;
}

void ClearScreen() {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return;
    FlushSpriteBatch(*device);
    gfx2d::ClearBackgroundBlock(*device, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}

void UseScreenAsBackground() {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::GrabScreenIntoBlock(*device, 0);
}

double LoadBackground(const RtString& file) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return 0;
    return gfx2d::LoadBackground(
        *device, files::Resolve(Rt().resolvers[0].get(), file.CText()).value_or(""));
}
