// sceneshot: starts the runtime (SDL's offscreen driver when no display is wanted), loads the
// generated assets and draws a moment of play the way the game does: the sky, the water, the
// ground with its arrows, a few crabs (two of them infected) with their shadows, the hero with
// its shadow and the stamp; then saves the screen.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Startup.h"
#include "vornic.h"

namespace {

struct CrabPlace {
    double x, z, heading;
    bool infected;
};

constexpr CrabPlace kCrabs[] = {
    {-420, -1500, 45, false},  {-300, -1700, 135, false}, {-700, -1450, 90, true},
    {-820, -1650, 20, false},  {-560, -1300, 160, false}, {-150, -1450, 70, true},
    {-980, -1350, 110, false}, {-360, -1200, 10, false},
};
constexpr double kHeroX = -560;
constexpr double kHeroZ = -1900;

void Load(const std::string& folder) {
    auto path = [&folder](const char* name) { return RtString((folder + "/" + name).c_str()); };
    LoadObject(path("ddd/crab_b.ddd"), 2);
    LoadSprite(path("bmp/crab_b_tex.bmp"), 2);
    LoadSprite(path("bmp/virus.bmp"), 5);
    LoadSprite(path("bmp/tag2.bmp"), 100);
    LoadObject(path("ddd/hero_sub.ddd"), 1);
    LoadSprite(path("bmp/hero_tex.bmp"), 1);
    LoadObject(path("ddd/bodenx2.ddd"), 0);
    LoadSprite(path("bmp/bodenx2_arrow.bmp"), 0);
    LoadObject(path("ddd/water.ddd"), 3);
    LoadSprite(path("bmp/wasser.bmp"), 3);
    LoadObject(path("ddd/shadow.ddd"), 4);
    LoadSprite(path("bmp/shadow.bmp"), 4);
    LoadObject(path("ddd/killerstempel1.ddd"), 6);
    LoadSprite(path("bmp/killerstempel2.bmp"), 6);
    LoadFont(path("bmp/font1.bmp"), 0);
}

void DrawShadow(double x, double z, double scale) {
    SetTexture3D(4, -1);
    MoveObject(x - 10, -60, z - 10);
    ScaleObject(scale, 1, scale);
    RotateObject(0, 0, 1, 0);
    DrawObject(4, 0);
}

void DrawScene() {
    End3D();
    DrawSprite(100, 0, 0);
    Begin3D(100, 20000, 45);
    SetCamera(kHeroX, 1000, kHeroZ - 2400, kHeroX, 0, kHeroZ);
    SetLight(0, 16777215);
    SetCullMode(0);
    SetTexture3D(3, -1);
    MoveObject(0, -110, 0);
    RotateObject(0, 0, 1, 0);
    DrawObject(3, 0);
    SetTexture3D(0, -1);
    MoveObject(0, -100, 0);
    RotateObject(180, 0, 1, 0);
    DrawObject(0, 0);
    for (const CrabPlace& crab : kCrabs) {
        SetTexture3D(crab.infected ? 5 : 2, -1);
        MoveObject(crab.x, 0, crab.z);
        RotateObject(crab.heading, 0, 1, 0);
        DrawObject(2, 0);
        DrawShadow(crab.x, crab.z, 1);
    }
    SetTexture3D(1, -1);
    MoveObject(kHeroX, 0, kHeroZ);
    RotateObject(90, 0, 1, 0);
    DrawObject(1, 0);
    DrawShadow(kHeroX, kHeroZ, 1.6);
    SetTexture3D(6, -1);
    MoveObject(kHeroX, 200, kHeroZ);
    RotateObject(30, 0, 1, 0);
    DrawObject(6, 0);
    End3D();
    SetFont(0);
    PrintText("Crabs:             8", 480, 10);
    PrintText("Infected crabs:    2", 480, 25);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sceneshot <asset folder> <picture.png>\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!StartRuntime(10, "PincerPanic scene")) return 1;
    Load(argv[1]);
    DrawScene();
    const bool saved = SaveScreen(RtString(argv[2])) != 0;
    ShutdownRuntime();
    if (!saved) std::fprintf(stderr, "sceneshot: could not save %s\n", argv[2]);
    return saved ? 0 : 1;
}
