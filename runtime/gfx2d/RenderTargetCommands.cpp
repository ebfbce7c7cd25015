#include "gfx2d/RenderTargetCommands.h"

#include "core/Number.h"
#include "core/Runtime.h"
#include "files/ResourceLookup.h"
#include "gfx2d/RenderTargets.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"

void CreateRenderTarget(double target, double sprite, double width, double height) {
    OpenGLRainbows* device = Rt().gfx.get();
    // The sprite's picture now comes from drawing, no longer from a file the hot reload watches.
    if (device && gfx2d::CreateRenderTarget(*device, ToInt(target), ToInt(sprite), ToInt(width),
                                            ToInt(height)))
        ForgetAssetFiles(gfx2d::SpriteWatchKey(ToInt(sprite)));
}

void SetRenderTarget(double target) {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::SetRenderTarget(*device, ToInt(target));
}
