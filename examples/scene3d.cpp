// A lit 3D scene with fog and a shadow. The camera circles the hero and three crabs (the game's
// generated objects) on a floor built in code. A low orange sun and a blue fill light light them,
// fog swallows the far floor in the sky's colour, and the hero and a crab cast stencil shadows:
// drawn again while the shadow light is on, an object marks its shadow volume instead of
// drawing itself, and End3D darkens what lies inside.
#include "vornic.h"

const char kGameTitle[] = "3D scene";

const double kSky = 0xE0B090; // R + G * 256 + B * 65536: a pale blue

void DrawThing(double object, double texture, double x, double z, double heading) {
    SetTexture3D(texture, -1);
    MoveObject(x, 0, z);
    RotateObject(heading, 0, 1, 0);
    DrawObject(object, 0);
}

// A floor of 16000 x 16000 built in code, one strip per row of 500 x 500 tiles: fog is worked
// out at the corners, so a floor of a few huge triangles would be all fog.
void BuildFloor() {
    BeginObject(0);
    for (double z = -8000; z < 8000; z += 500) {
        NewObjectGroup();
        for (double x = -8000; x <= 8000; x += 500) {
            AddObjectVertex(x, -100, z + 500, 0, 0, 0x90D8F0); // R + G * 256 + B * 65536: sand
            AddObjectVertex(x, -100, z, 0, 0, 0x90D8F0);
        }
    }
    EndObject();
}

void GameMain() {
    BuildFloor();
    LoadObject("ddd/hero_sub.ddd", 1);
    LoadSprite("bmp/hero_tex.bmp", 1);
    LoadObject("ddd/crab_b.ddd", 2);
    LoadSprite("bmp/crab_b_tex.bmp", 2);
    double angle = 200;
    for (;;) {
        angle += GetFrameTime() / 100; // ten degrees a second
        DrawRect(0, 0, 800, 600, kSky);
        Begin3D(50, 20000, 45);
        SetCamera(800 * SinDeg(angle), 450, 800 * CosDeg(angle), 0, 0, 0);
        // The sun shines along (1, -1, 0.5); the fill light from the other side.
        DefineLight(0, 0x60C0FF, 0, 0, 0, 1, -1, 0.5, 180);
        DefineLight(1, 0x804020, 0, 0, 0, -1, -0.5, -1, 180);
        SetFog(kSky, 0, 1500, 6000);
        DrawThing(0, -1, 0, 0, 0);
        DrawThing(1, 1, 0, 0, 0);
        DrawThing(2, 2, 300, -200, 60);
        DrawThing(2, 2, -350, 150, 200);
        DrawThing(2, 2, 150, 400, 300);
        // The shadow light sits up the sun's way back; hero and crab mark their shadow volumes.
        DefineLight(-3, 0, -2000, 2000, -1000, 0, 0, 0, 1);
        DrawThing(1, 1, 0, 0, 0);
        DrawThing(2, 2, 300, -200, 60);
        End3D();
        PrintText("Two lights, fog from 1500 to 6000, stencil shadows", 10, 10);
        PresentFrame();
    }
}
