// Drawing into a render target, shown through a shader. The hero turns in a little 3D scene
// that is drawn into sprite 10 instead of the screen; the screen then shows that sprite twice:
// as it is, and through a fragment shader from the examples' resource pack that ripples it
// and cuts its colours to a few steps. Without shader support the second copy is plain too.
#include "vornic.h"

const char kGameTitle[] = "Render target";

void DrawHeroScene(double angle) {
    DrawRect(0, 0, 320, 320, 0x603010); // R + G * 256 + B * 65536: a dark blue backdrop
    Begin3D(50, 5000, 45);
    SetCamera(0, 120, 430, 0, 55, 0);
    DefineLight(0, 0xA0E0FF, 0, 0, 0, 1, -1, -0.5, 180);
    SetTexture3D(1, -1);
    RotateObject(angle, 0, 1, 0);
    DrawObject(1, 0);
    End3D();
}

void GameMain() {
    SetResourcePacks("examples.sbx", "");
    LoadObject("ddd/hero_sub.ddd", 1);
    LoadSprite("bmp/hero_tex.bmp", 1);
    CreateRenderTarget(0, 10, 320, 320); // sprite 10: 320 x 320 on a 512 x 512 texture
    const double haveShader = LoadShader(1, "", "ripple.frag");
    double angle = 0, seconds = 0;
    for (;;) {
        const double step = GetFrameTime();
        angle += step / 20; // fifty degrees a second
        seconds += step / 1000;

        SetRenderTarget(0); // from here on, drawing goes into sprite 10
        DrawHeroScene(angle);
        SetRenderTarget(-1); // back to the screen

        DrawRect(0, 0, 800, 600, 0x202020);
        DrawSprite(10, 40, 140);
        UseShader(1);
        SetShaderFloat("time", seconds);
        DrawSprite(10, 440, 140);
        UseShader(-1);
        PrintText("The scene drawn into sprite 10", 40, 110);
        PrintText(haveShader ? "... and through ripple.frag" : "(no shader support)", 440, 110);
        PresentFrame();
    }
}
