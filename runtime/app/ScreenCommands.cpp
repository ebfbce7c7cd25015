#include "app/AppCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx3d/SceneSetup.h"
#include "gl/OpenGLRainbows.h"

void SetScreenMode(double width, double height, double fullScreen) {
    Runtime& rt = Rt();
    if (!rt.gfx) return;
    rt.settings.screenWidth = ToInt(width);
    rt.settings.screenHeight = ToInt(height);
    rt.settings.fullScreen = ToInt(fullScreen);
    ChangeScreenMode(*rt.gfx, rt.settings.screenWidth, rt.settings.screenHeight, 0,
                     rt.settings.fullScreen);
    // Five frames let the new mode settle with cleared buffers.
    for (int i = 0; i < 5; ++i)
        PresentFrame();
}

void SetViewport(double x, double y, double width, double height) {
    Runtime& rt = Rt();
    if (!rt.gfx) return;
    CloseSceneShadowPass(rt.gfx.get(), rt.scene.get());
    Set2DProjection(*rt.gfx, ToInt(x), ToInt(y), ToInt(width), ToInt(height));
}

void GetScreenSize(double& width, double& height) {
    Runtime& rt = Rt();
    width = rt.gfx ? rt.gfx->screenWidth : 0;
    height = rt.gfx ? rt.gfx->screenHeight : 0;
}
