// PincerPanic per frame, for levels of 50, 250 and 1000 crabs played from a fixed recording (the
// hero walks into the crowd, circles through it and stamps now and then; fixed seed, frames of
// 16.7 ms). For each level it reports, next to the frame budget of 16.7 ms:
// - the whole frame as the game plays it (PlayFrame: game code, drawing, flip);
// - the game code alone (crab steps with contagion, fleeing, turning, the random infection);
// - the drawing of the crabs and their shadows through the runtime, and the same objects drawn
//   in plain GL (one buffer object and one glDrawArrays per copy, the same textures), measured
//   alternately in the same run.
// A tenth of the crabs start infected, so that contagion has work from the first frame. The crab
// and its shadow are built in code (a few hundred triangles), so the benchmark needs no asset
// files. Run it under a virtual X server with a 24-bit screen:
//   xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_game
// (SDL_VIDEODRIVER=offscreen draws on the same software rasteriser).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GameState.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/ImageCommands.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"
#include "support/BenchSupport.h"

namespace {

const double kBudgetMs = 1000.0 / 60.0;
const int kFrames = 150;              // frames of play per level
const int kLevelFrames = kFrames + 1; // with the frame that starts the level
const int kLevelCount = 3;
const int kCrabObject = 2, kShadowObject = 4;
const int kHealthySkin = 2, kInfectedSkin = 5, kShadowSkin = 4;

// The recording: the same input for every level, counted from the level's first frame.
std::string WriteRecording() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_game_play.txt";
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return "";
    std::fprintf(file, "vornic-replay 1\nseed 1\nframetime 16.667\n");
    for (int frame = 1; frame <= kLevelCount * kLevelFrames; ++frame) {
        const int f = (frame - 1) % kLevelFrames;
        if (f < 100) {
            // From the hero's start at (-600, -2000) into the crowd near (300, -700).
            std::fprintf(file, "frame %d: mouse move -9 -13\n", frame);
            continue;
        }
        std::fprintf(file, "frame %d: mouse move %d %d\n", frame,
                     static_cast<int>(std::lround(15 * std::cos(f * 0.1))),
                     static_cast<int>(std::lround(15 * std::sin(f * 0.1))));
        if (f % 25 == 10) std::fprintf(file, "frame %d: button 1 down\n", frame);
        if (f % 25 == 14) std::fprintf(file, "frame %d: button 1 up\n", frame);
    }
    std::fprintf(file, "end %d\n", kLevelCount * kLevelFrames + 10);
    std::fclose(file);
    return path;
}

// A dome of rings x segments quads standing in for the crab model.
void BuildCrabObject(double id, int rings, int segments) {
    BeginObject(id);
    for (int r = 0; r < rings; ++r) {
        if (r > 0) NewObjectGroup();
        for (int s = 0; s <= segments; ++s)
            for (int k = 1; k >= 0; --k) {
                const double up = 90.0 * (r + k) / rings;
                const double around = 360.0 * s / segments;
                AddObjectVertex(40 * CosDeg(up) * CosDeg(around), 30 * SinDeg(up),
                                40 * CosDeg(up) * SinDeg(around), 1.0 * s / segments,
                                1.0 * (r + k) / rings, 0xFFFFFF);
            }
    }
    EndObject();
}

void UploadSkin(int id, unsigned char r, unsigned char g, unsigned char b) {
    gfx2d::DecodedImage image;
    image.width = image.height = 32;
    for (int i = 0; i < 32 * 32; ++i)
        image.pixels.insert(image.pixels.end(), {r, g, b, 255});
    gfx2d::UploadImageToSlot(*Rt().gfx, id, image, false);
}

void StartBenchLevel(double crabs) {
    SetStartValues();
    LastCrab = crabs - 1;
    StartLevel();
    for (double i = 0; i <= LastCrab; i += 10)
        CrabStatus(i, kCrabState) = kInfected;
    PresentFrame();
    MeasureStep();
}

// The game's rules for one frame without drawing: what HandleCrabs does per crab besides the
// counting and drawing, then the random infection.
void SimulateFrame() {
    for (double i = 0; i <= LastCrab; i++) {
        if (CrabStatus(i, kCrabState) >= kKilled) continue;
        CrabStep(i);
        CrabFlee(i);
        TurnTowards(CrabVelocity(i, kCrabX), CrabVelocity(i, kCrabZ), i);
    }
    RandomInfection();
}

void BeginCrabScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Begin3D(100, 20000, 45);
    SetCamera(HeroX, 1000, HeroZ - 2400, HeroX, 0, HeroZ);
    SetLight(0, 16777215);
    SetCullMode(0);
}

// The crabs and their shadows as HandleCrabs draws them.
void RuntimeCrabs() {
    BeginCrabScene();
    for (double i = 0; i <= LastCrab; i++) {
        const double state = CrabStatus(i, kCrabState);
        if (state >= kKilled) continue;
        SetTexture3D(state == kInfected ? kInfectedSkin : kHealthySkin, -1);
        const double x = CrabPosition(i, kCrabX), z = CrabPosition(i, kCrabZ);
        MoveObject(x, 0, z);
        RotateObject(CrabHeading(i), 0, 1, 0);
        DrawObject(kCrabObject, 0);
        SetTexture3D(kShadowSkin, -1);
        MoveObject(x - 10, -60, z - 10);
        RotateObject(0, 0, 1, 0);
        DrawObject(kShadowObject, 0);
    }
    End3D();
}

GLuint SkinTexture(int id) {
    return gfx2d::Sprites(*Rt().gfx).slots[static_cast<size_t>(id)].plainTexture;
}

// The same objects in plain GL.
void PlainCrabs(const PlainObject& crab, const PlainObject& shadow) {
    BeginCrabScene();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    for (double i = 0; i <= LastCrab; i++) {
        const double state = CrabStatus(i, kCrabState);
        if (state >= kKilled) continue;
        const float x = static_cast<float>(CrabPosition(i, kCrabX));
        const float z = static_cast<float>(CrabPosition(i, kCrabZ));
        glBindTexture(GL_TEXTURE_2D,
                      SkinTexture(state == kInfected ? kInfectedSkin : kHealthySkin));
        UsePlainObject(crab);
        DrawPlainCopy(crab, x, 0, z, static_cast<float>(CrabHeading(i)));
        glBindTexture(GL_TEXTURE_2D, SkinTexture(kShadowSkin));
        UsePlainObject(shadow);
        DrawPlainCopy(shadow, x - 10, -60, z - 10, 0);
    }
    EndPlainObjects();
    End3D();
}

struct LevelFigures {
    double wholeFrameMs = 0;
    double wholeFrameCpuMs = 0;
    double gameCodeMs = 0;
    Timing runtimeDrawing, plainDrawing;
    int crabsDrawn = 0;
};

LevelFigures MeasureLevel(double crabs, const PlainObject& crab, const PlainObject& shadow) {
    LevelFigures figures;
    StartBenchLevel(crabs);
    const double start = WallMs();
    const double cpuStart = ProcessCpuMs();
    int played = 0;
    while (played < kFrames && PlayFrame() == 1)
        ++played;
    figures.wholeFrameMs = (WallMs() - start) / (played > 0 ? played : 1);
    figures.wholeFrameCpuMs = (ProcessCpuMs() - cpuStart) / (played > 0 ? played : 1);
    // A level that ended early still uses up its frames of the recording.
    for (int frame = played; frame < kFrames; ++frame)
        PresentFrame();

    for (double i = 0; i <= LastCrab; i++)
        figures.crabsDrawn += CrabStatus(i, kCrabState) < kKilled;
    for (int round = 0; round < 3; ++round) {
        KeepBest(figures.plainDrawing, Measure([&] { PlainCrabs(crab, shadow); }, 0.5));
        KeepBest(figures.runtimeDrawing, Measure(RuntimeCrabs, 0.5));
    }
    const double simulationStart = WallMs();
    const int simulated = 100;
    for (int frame = 0; frame < simulated; ++frame)
        SimulateFrame();
    figures.gameCodeMs = (WallMs() - simulationStart) / simulated;
    return figures;
}

} // namespace

int main() {
    const std::string recording = WriteRecording();
    if (recording.empty() || setenv("VORNIC_REPLAY", recording.c_str(), 1) != 0) return 1;
    if (!StartBenchRuntime("game benchmark")) return 1;
    BuildCrabObject(kCrabObject, 8, 16);
    BuildCrabObject(kShadowObject, 1, 8);
    UploadSkin(kHealthySkin, 230, 120, 60);
    UploadSkin(kInfectedSkin, 120, 200, 60);
    UploadSkin(kShadowSkin, 40, 40, 40);
    PlainObject crab = MakePlainObject(kCrabObject);
    PlainObject shadow = MakePlainObject(kShadowObject);
    std::printf("frame budget %.1f ms; %d frames of play per level; times per frame\n", kBudgetMs,
                kFrames);
    std::printf("%6s | %9s %9s %7s | %9s | %23s | %23s | %9s\n", "crabs", "frame ms", "cpu ms",
                "spare", "game ms", "crabs drawn by runtime", "the same in plain GL", "cpu ratio");
    for (double crabs : {50.0, 250.0, 1000.0}) {
        const LevelFigures f = MeasureLevel(crabs, crab, shadow);
        std::printf("%6.0f | %9.3f %9.3f %6.0f%% | %9.3f | %7.2f ms cpu %6.1f fps | %7.2f ms cpu "
                    "%6.1f fps | %9.3f  (%d crabs drawn)\n",
                    crabs, f.wholeFrameMs, f.wholeFrameCpuMs,
                    100.0 * (kBudgetMs - f.wholeFrameMs) / kBudgetMs, f.gameCodeMs,
                    f.runtimeDrawing.cpuMsPerFrame, f.runtimeDrawing.framesPerSecond,
                    f.plainDrawing.cpuMsPerFrame, f.plainDrawing.framesPerSecond,
                    f.runtimeDrawing.cpuMsPerFrame / f.plainDrawing.cpuMsPerFrame, f.crabsDrawn);
        std::fflush(stdout);
    }
    DeletePlainObject(crab);
    DeletePlainObject(shadow);
    std::remove(recording.c_str());
    ShutdownRuntime();
    return 0;
}
