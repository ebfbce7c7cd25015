// sceneshot: starts the runtime (SDL's offscreen driver when no display is wanted), loads the
// generated assets and draws a moment of play the way the game does: the sky, the water, the
// ground with its arrows, a few crabs (two of them infected) with their shadows, the hero with
// its shadow and the stamp; then saves the screen. Given a second picture name, it also draws
// the same moment into a render target and shows that picture plain and through two shaders.
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

// Shader effects for the render-target picture, from files as game code would load them: an
// old photograph rippling, and a screen of coloured scanlines.
const char kSepiaWave[] = "uniform sampler2D picture;\n"
                          "uniform float wave;\n"
                          "void main() {\n"
                          "  vec2 at = gl_TexCoord[0].st;\n"
                          "  at.x += sin(at.y * 90.0) * 0.006 * wave;\n"
                          "  vec4 c = texture2D(picture, at);\n"
                          "  float grey = dot(c.rgb, vec3(0.299, 0.587, 0.114));\n"
                          "  gl_FragColor = vec4(grey * vec3(1.15, 0.95, 0.7), c.a);\n"
                          "}\n";
const char kScanlines[] = "uniform sampler2D picture;\n"
                          "uniform float levels;\n"
                          "void main() {\n"
                          "  vec4 c = texture2D(picture, gl_TexCoord[0].st);\n"
                          "  vec3 stepped = floor(c.rgb * levels + 0.5) / levels;\n"
                          "  float line = mod(floor(gl_FragCoord.y), 3.0) < 1.0 ? 0.45 : 1.0;\n"
                          "  gl_FragColor = vec4(stepped * line * vec3(0.6, 1.1, 0.8), c.a);\n"
                          "}\n";

std::string WriteShader(const std::string& folder, const char* name, const char* text) {
    const std::string path = folder + "/" + name;
    std::ofstream(path) << text;
    return path;
}

// The moment of play drawn into sprite 200 through render target 0, then shown three times.
bool DrawThroughTarget(const std::string& folder) {
    const RtString sepia(WriteShader(folder, "sepia_wave.frag", kSepiaWave).c_str());
    const RtString scanlines(WriteShader(folder, "scanlines.frag", kScanlines).c_str());
    if (!LoadShader(1, "", sepia) || !LoadShader(2, "", scanlines)) return false;
    CreateRenderTarget(0, 200, 800, 600);
    SetRenderTarget(0);
    DrawScene();
    SetRenderTarget(-1);

    DrawRect(0, 0, 800, 600, 0x302018);
    StretchSprite(200, 20, 20, 370, 278);
    UseShader(1);
    SetShaderFloat("wave", 1);
    StretchSprite(200, 410, 20, 370, 278);
    UseShader(2);
    SetShaderFloat("levels", 4);
    RotoZoomSprite(200, 0, 160, -4, 0.42);
    UseShader(-1);
    PrintText("render target", 20, 302);
    PrintText("+ shader", 410, 302);
    PrintText("+ another shader", 20, 460);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: sceneshot <asset folder> <picture.png> [<target.png>]\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!StartRuntime(10, "PincerPanic scene")) return 1;
    Load(argv[1]);
    DrawScene();
    bool saved = SaveScreen(RtString(argv[2])) != 0;
    if (saved && argc == 4) {
        PresentFrame();
        saved = DrawThroughTarget(argv[1]) && SaveScreen(RtString(argv[3])) != 0;
    }
    ShutdownRuntime();
    if (!saved) std::fprintf(stderr, "sceneshot: could not make its pictures\n");
    return saved ? 0 : 1;
}
