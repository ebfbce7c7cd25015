// Sprite throughput ("bunnymark"): frames per second for N moving 32 x 32 sprites drawn with
// DrawSprite, at N = 1000, 10000 and 50000, full screen (fill-bound on a software rasteriser)
// and with a 1 x 1 scissor rectangle (what the runtime costs per sprite). Beside each, in the
// same run: the runtime with batching off, and a plain-GL baseline of one glBegin/glEnd quad
// per sprite. A last line prints a 60-character line 1000 times a frame with PrintText.
// Run it under a virtual X server with a 24-bit screen, so that buffer swaps are real:
//   xvfb-run -a -s '-screen 0 1024x768x24' build/bench/bench_sprites
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "gfx2d/FontCommands.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteCommands.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"
#include "support/BenchSupport.h"

namespace {

const int kBunny = 1;
const int kSide = 32;

struct Bunny {
    float x, y, dx, dy;
};

// Bouncing sprites, as the classic bunnymark moves them.
class Bunnies {
  public:
    explicit Bunnies(int count) : bunnies_(count) {
        unsigned seed = 12345;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % 10000 / 10000.0f;
        };
        for (Bunny& b : bunnies_)
            b = {next() * 768, next() * 568, next() * 8 - 4, next() * 8 - 4};
    }
    void Move() {
        for (Bunny& b : bunnies_) {
            b.x += b.dx;
            b.y += b.dy;
            if (b.x < 0 || b.x > 800 - kSide) b.dx = -b.dx;
            if (b.y < 0 || b.y > 600 - kSide) b.dy = -b.dy;
        }
    }
    const std::vector<Bunny>& All() const { return bunnies_; }

  private:
    std::vector<Bunny> bunnies_;
};

// Frame rate of drawFrame followed by PresentFrame, accumulated over several calls.
struct Rate {
    int frames = 0;
    double ms = 0;
    double PerSecond() const { return ms > 0 ? frames * 1000.0 / ms : 0; }
};

// Adds about `slice` milliseconds (and at least two frames) of drawFrame to rate.
void Measure(Rate& rate, const std::function<void()>& drawFrame, double slice) {
    drawFrame();
    PresentFrame();
    const double start = GetTimerMs();
    int frames = 0;
    while (frames < 2 || GetTimerMs() - start < slice) {
        drawFrame();
        PresentFrame();
        ++frames;
    }
    rate.frames += frames;
    rate.ms += GetTimerMs() - start;
}

void DrawImmediateBaseline(const Bunnies& bunnies, GLuint texture, float su, float tv) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    for (const Bunny& b : bunnies.All()) {
        const float x = b.x, y = b.y;
        glBegin(GL_QUADS);
        glTexCoord2f(su, tv);
        glVertex2f(x + kSide, y);
        glTexCoord2f(0, tv);
        glVertex2f(x, y);
        glTexCoord2f(0, 0);
        glVertex2f(x, y + kSide);
        glTexCoord2f(su, 0);
        glVertex2f(x + kSide, y + kSide);
        glEnd();
    }
}

void LoadBunnyPicture() {
    gfx2d::DecodedImage picture;
    picture.width = picture.height = kSide;
    picture.pixels.resize(kSide * kSide * 4);
    for (int i = 0; i < kSide * kSide; ++i) {
        const int x = i % kSide, y = i / kSide;
        const bool inside = (x - 16) * (x - 16) + (y - 16) * (y - 16) < 15 * 15;
        picture.pixels[i * 4] = static_cast<uint8_t>(x * 8);
        picture.pixels[i * 4 + 1] = static_cast<uint8_t>(y * 8);
        picture.pixels[i * 4 + 2] = 200;
        picture.pixels[i * 4 + 3] = inside ? 255 : 0;
    }
    gfx2d::UploadImageToSlot(*Rt().gfx, kBunny, picture, false);
}

} // namespace

int main(int argc, char** argv) {
    if (!StartBenchRuntime("sprites")) return 1;
    OpenGLRainbows& device = *Rt().gfx;
    // A virtual X server has no window manager to give the window focus; it must not pause.
    SetAutoPause(0);
    // No pacing: every frame ends as soon as it is drawn and swapped.
    Rt().frameClock.interval = 0.0;
    LoadBunnyPicture();
    const SpriteSlot& slot = gfx2d::Sprites(device).slots[kBunny];
    const float su = 1.0f, tv = 1.0f;

    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%-10s %7s %12s %12s %12s %8s %8s\n", "mode", "N", "batched", "unbatched",
                "immediate", "b/imm", "u/imm");
    // A count on the command line measures only that many sprites, scissored.
    const int onlyCount = argc > 1 ? std::atoi(argv[1]) : 0;
    for (bool scissored : {true, false}) {
        if (onlyCount > 0 && !scissored) break;
        for (int count : {1000, 10000, 50000}) {
            if (onlyCount > 0) count = onlyCount;
            Bunnies bunnies(count);
            auto setScissor = [scissored] {
                if (scissored) {
                    glEnable(GL_SCISSOR_TEST);
                    glScissor(0, 0, 1, 1);
                } else {
                    glDisable(GL_SCISSOR_TEST);
                }
            };
            auto immediateFrame = [&] {
                setScissor();
                bunnies.Move();
                DrawImmediateBaseline(bunnies, slot.plainTexture, su, tv);
            };
            auto runtimeFrame = [&] {
                setScissor();
                bunnies.Move();
                for (const Bunny& b : bunnies.All())
                    DrawSprite(kBunny, b.x, b.y);
            };
            // Slices of each way in turn, so that a busy machine slows them alike.
            Rate batched, unbatched, immediate;
            for (int round = 0; round < 4; ++round) {
                Measure(batched, runtimeFrame, 400);
                Measure(immediate, immediateFrame, 400);
            }
            device.batch.enabled = false;
            Measure(unbatched, runtimeFrame, 800);
            device.batch.enabled = true;
            std::printf("%-10s %7d %12.1f %12.1f %12.1f %8.2f %8.2f\n",
                        scissored ? "scissor1x1" : "fullscreen", count, batched.PerSecond(),
                        unbatched.PerSecond(), immediate.PerSecond(),
                        batched.PerSecond() / immediate.PerSecond(),
                        unbatched.PerSecond() / immediate.PerSecond());
            std::fflush(stdout);
            if (onlyCount > 0) break;
        }
    }
    glDisable(GL_SCISSOR_TEST);

    const RtString line("The quick brown fox jumps over the lazy dog, 0123456789 ABCD");
    Rate textRate;
    Measure(
        textRate,
        [&] {
            for (int i = 0; i < 1000; ++i)
                PrintText(line, 0, (i * 8) % 600);
        },
        2000);
    const double text = textRate.PerSecond();
    std::printf("PrintText, %u characters x 1000 per frame: %.1f frames/s (%.0f lines/s)\n",
                line.Length(), text, text * 1000);
    ShutdownRuntime();
    return 0;
}
