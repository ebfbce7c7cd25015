#include "gfx2d/RenderTargetCommands.h"

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx2d/RenderTargets.h"
#include "gl/OpenGLRainbows.h"

void CreateRenderTarget(double target, double sprite, double width, double height) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::CreateRenderTarget(*device, ToInt(target), ToInt(sprite), ToInt(width),
                                  ToInt(height));
}

void SetRenderTarget(double target) {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::SetRenderTarget(*device, ToInt(target));
}
