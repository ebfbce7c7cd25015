// Object drawing: frames per second for N copies of a 500-triangle object (lit, textured,
// nearly all inside the frustum) drawn with DrawObject, next to a plain-GL baseline measured in
// the same run: the same triangles in one buffer object, one glDrawArrays per copy, one
// fixed-function light. A last case draws 5000 copies of an 8-triangle object, where the cost
// per draw decides. Run it under a virtual X server with a 24-bit screen:
//   xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_objects3d
// (or with SDL_VIDEODRIVER=offscreen, which draws on the same software rasteriser).
// With "--picture file.png" it renders one frame of a scene under the game's camera instead
// and saves it with SaveScreen.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/ImageCommands.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectCommands.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/SceneCommands.h"
#include "gl/OpenGLRainbows.h"
#include "support/BenchSupport.h"

namespace {

const int kTexture = 1;
const int kGroundTexture = 2;
const int kBigObject = 1;   // 500 triangles
const int kSmallObject = 2; // 8 triangles
const int kGround = 3;

// A wavy strip grid of columns x rows quads (2 triangles each), about 60 units across.
void BuildGridObject(int id, int columns, int rows, float size) {
    BeginObject(id);
    for (int r = 0; r < rows; ++r) {
        if (r > 0) NewObjectGroup();
        for (int c = 0; c <= columns; ++c)
            for (int k = 1; k >= 0; --k) {
                const float u = static_cast<float>(c) / columns;
                const float v = static_cast<float>(r + k) / rows;
                const float x = (u - 0.5f) * size, z = (v - 0.5f) * size;
                const float y =
                    size * 0.25f * std::sin(u * 6.28f) * std::cos(v * 3.14f) + size * 0.3f;
                AddObjectVertex(x, y, z, u, v, 0xFFFFFF);
            }
    }
    EndObject();
}

void UploadChecker(int id, unsigned char r, unsigned char g, unsigned char b) {
    gfx2d::DecodedImage image;
    image.width = image.height = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool dark = ((x / 8) + (y / 8)) % 2 != 0;
            const unsigned char f = dark ? 2 : 1;
            image.pixels.insert(image.pixels.end(), {static_cast<unsigned char>(r / f),
                                                     static_cast<unsigned char>(g / f),
                                                     static_cast<unsigned char>(b / f), 255});
        }
    gfx2d::UploadImageToSlot(*Rt().gfx, id, image, false);
}

// Copy i of n on a grid over the ground in front of the game's camera.
void CopyPosition(int i, int n, float& x, float& z) {
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    x = -1400.0f + 2800.0f * static_cast<float>(i % side) / side;
    z = -900.0f + 2600.0f * static_cast<float>(i / side) / side;
}

void BeginGameScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Begin3D(100, 20000, 45);
    SetCamera(0, 1000, -2400, 0, 0, 0);
    SetLight(0, 16777215);
}

void RuntimeFrame(int object, int n) {
    BeginGameScene();
    SetTexture3D(kTexture, -1);
    for (int i = 0; i < n; ++i) {
        float x, z;
        CopyPosition(i, n, x, z);
        MoveObject(x, 0, z);
        RotateObject(i * 7 % 360, 0, 1, 0);
        DrawObject(object, 0);
    }
    End3D();
}

// The same scene in plain GL: one buffer, pointers set once, one draw per copy.
void BaselineFrame(const PlainObject& object, int n) {
    BeginGameScene();
    glBindTexture(GL_TEXTURE_2D, gfx2d::Sprites(*Rt().gfx).slots[kTexture].plainTexture);
    glEnable(GL_TEXTURE_2D);
    UsePlainObject(object);
    for (int i = 0; i < n; ++i) {
        float x, z;
        CopyPosition(i, n, x, z);
        DrawPlainCopy(object, x, 0, z, static_cast<float>(i * 7 % 360));
    }
    EndPlainObjects();
    End3D();
}

void RunCase(const char* name, int object, int n) {
    PlainObject plain = MakePlainObject(object);
    // Alternate the two and keep each one's best, so a slow moment of the machine hurts neither.
    Timing runtimeBest, baselineBest;
    for (int round = 0; round < 3; ++round) {
        KeepBest(baselineBest, Measure([&] { BaselineFrame(plain, n); }, 1.0));
        KeepBest(runtimeBest, Measure([&] { RuntimeFrame(object, n); }, 1.0));
    }
    std::printf("%-22s DrawObject %7.2f fps %8.1f ms cpu | plain GL %7.2f fps %8.1f ms cpu | "
                "fps ratio %.3f, cpu ratio %.3f\n",
                name, runtimeBest.framesPerSecond, runtimeBest.cpuMsPerFrame,
                baselineBest.framesPerSecond, baselineBest.cpuMsPerFrame,
                runtimeBest.framesPerSecond / baselineBest.framesPerSecond,
                baselineBest.cpuMsPerFrame / runtimeBest.cpuMsPerFrame);
    std::fflush(stdout);
    DeletePlainObject(plain);
}

void SavePicture(const char* path) {
    UploadChecker(kGroundTexture, 90, 200, 90);
    BeginObject(kGround);
    const float h = 2000;
    AddObjectVertex(-h, -100, -h, 0, 0, 0xFFFFFF);
    AddObjectVertex(h, -100, -h, 8, 0, 0xFFFFFF);
    AddObjectVertex(-h, -100, h, 0, 8, 0xFFFFFF);
    AddObjectVertex(h, -100, h, 8, 8, 0xFFFFFF);
    EndObject();
    BeginGameScene();
    SetTexture3D(kGroundTexture, -1);
    DrawObject(kGround, 0);
    SetTexture3D(kTexture, -1);
    for (int i = 0; i < 25; ++i) {
        float x, z;
        CopyPosition(i, 25, x, z);
        MoveObject(x, -100, z);
        ScaleObject(3, 3, 3);
        RotateObject(i * 37 % 360, 0, 1, 0);
        DrawObject(kBigObject, 0);
    }
    End3D();
    std::printf("picture %s: %s\n", path, SaveScreen(RtString(path)) != 0 ? "saved" : "failed");
}

} // namespace

int main(int argc, char** argv) {
    if (!StartBenchRuntime("objects 3d")) return 1;
    if (!Rt().gfx->ext.glGenBuffersARB) {
        std::printf("no buffer objects: nothing to compare\n");
        ShutdownRuntime();
        return 1;
    }
    UploadChecker(kTexture, 255, 180, 120);
    BuildGridObject(kBigObject, 25, 10, 60);
    BuildGridObject(kSmallObject, 2, 2, 20);
    std::printf("triangles per object: %d and %d\n",
                Rt().objects->Slot(kBigObject)->parts[0].frames[0].triangles.Count() / 3,
                Rt().objects->Slot(kSmallObject)->parts[0].frames[0].triangles.Count() / 3);
    if (argc == 3 && std::strcmp(argv[1], "--picture") == 0) {
        SavePicture(argv[2]);
    } else {
        RunCase("100 x 500 triangles", kBigObject, 100);
        RunCase("1000 x 500 triangles", kBigObject, 1000);
        RunCase("5000 x 500 triangles", kBigObject, 5000);
        RunCase("5000 x 8 triangles", kSmallObject, 5000);
    }
    ShutdownRuntime();
    return 0;
}
