#include "app/FrameLoop.h"

#include <GL/gl.h>
#include <cstdio>

#include "app/AppCommands.h"
#include "core/ErrorLog.h"
#include "core/FrameClock.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "files/FileWatcher.h"
#include "gfx2d/RenderTargets.h"
#include "gfx2d/ScreenImages.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/SceneSetup.h"
#include "gfx3d/Shaders.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"
#include "input/InputDevices.h"
#include "input/InputPolls.h"
#include "os/RunSession.h"
#include "os/Window.h"

namespace {

const int kKeyEscape = 1;
const int kKeyUnassigned = 129;
const int kKeyLeftAlt = 56;
const int kKeyF4 = 62;

void EndOnQuitKeys() {
    Runtime& rt = Rt();
    rt.error.errorNumber = 0.0;
    rt.error.errorLine = rt.error.currentLine;
    EndProgram();
}

// Saves the picture of this frame before it is shown, as "frame-<n>.png" in the snapshot
// folder. A snapshot that cannot be written is said once; the run goes on.
void SaveSnapshot(OpenGLRainbows& device, long frame) {
    FlushSpriteBatch(device);
    Runtime& rt = Rt();
    const std::string path =
        rt.settings.snapshotFolder + "/frame-" + std::to_string(frame) + ".png";
    if (!gfx2d::SaveScreen(device, path) && !rt.snapshotTroubleTold) {
        rt.snapshotTroubleTold = true;
        std::fprintf(stderr, "vornic: cannot write the snapshot %s\n", path.c_str());
    }
}

} // namespace

bool KeyHeld(int code) {
    const InputDevices* input = Rt().input.get();
    return input && input->keys.Held(code);
}

void CheckQuitKeys(bool escapeOnly) {
    // A quit key tapped since the last check counts, though game code's reads of the keys in
    // between may have seen it come and go.
    InputDevices* input = Rt().input.get();
    if (!input) return;
    KeyState& keys = input->keys;
    auto down = [&keys](int code) { return keys.HeldSinceCheck(code); };
    const bool escape = Rt().settings.quitKeys && (down(kKeyUnassigned) || down(kKeyEscape));
    const bool altF4 = !escapeOnly && down(kKeyLeftAlt) && down(kKeyF4);
    keys.MarkChecked();
    if (escape || altF4) EndOnQuitKeys();
}

void DispatchEvent(const os::Event& event) {
    Runtime& rt = Rt();
    const bool pausesOnFocus = !rt.settings.debugMode && rt.settings.autoPause;
    switch (event.type) {
    case os::Event::Type::FocusLost:
        if (pausesOnFocus) {
            rt.window->SetTitle(rt.title + " <pause>");
            rt.paused = true;
        }
        break;
    case os::Event::Type::FocusGained:
        if (pausesOnFocus) {
            rt.window->SetTitle(rt.title);
            rt.paused = false;
        }
        break;
    case os::Event::Type::CloseRequest: EndProgramNormally();
    default:
        if (rt.input) rt.input->HandleEvent(event);
        break;
    }
}

int PumpMessages(OpenGLRainbows& device) {
    Runtime& rt = Rt();
    // Every pump starts a frame: recorded input is placed by these frames.
    ++rt.frame;
    if (rt.input) rt.input->NextFrame();
    if (rt.session) {
        rt.session->BeginFrame();
        if (rt.session->Ended()) EndProgramNormally();
    }
    os::Event event;
    while (device.window.PollEvent(event))
        DispatchEvent(event);
    return 1;
}

os::Clock& PacingClock() {
    Runtime& rt = Rt();
    return rt.pacingClock ? *rt.pacingClock : *rt.clock;
}

double SwapAndPace(OpenGLRainbows& device) {
    SwapFrame(device);
    // Events that arrive while the frame waits stay queued for the next frame's pump, which
    // comes before input is read; a replay does not wait unless asked to keep real time.
    Runtime& rt = Rt();
    const bool waits = !rt.session || rt.session->PacesInRealTime();
    return rt.frameClock.Pace(PacingClock(), waits);
}

void PresentFrame() {
    Runtime& rt = Rt();
    if (!rt.gfx) return;
    OpenGLRainbows& device = *rt.gfx;

    if (rt.settings.debugMode) {
        device.window.Show();
        device.window.Raise();
    }
    rt.frameClock.Stamp(ClockMs());
    // The frame whose picture the back buffer holds; the pump below starts the next one.
    const long drawnFrame = rt.frame;

    while (rt.paused) {
        PumpMessages(device);
        if (rt.paused) rt.clock->SleepMs(100);
    }

    // Input arrives as events: one pump is this frame's poll.
    PumpMessages(device);
    input::StartInputFrame();
    CheckQuitKeys(false);

    // Drawing still going into a render target is finished before the frame is saved or shown.
    gfx2d::EndRenderTarget(device);
    CloseSceneShadowPass(rt.gfx.get(), rt.scene.get());
    if (rt.settings.snapshotFrames.count(drawnFrame)) SaveSnapshot(device, drawnFrame);
    SwapAndPace(device);
    // Assets whose files changed are reloaded between two frames, never halfway through one.
    if (rt.watcher) rt.watcher->Poll();

    // The next frame starts with opaque, unblended drawing in the 2D projection.
    glDisable(GL_BLEND);
    gfx2d::Sprites(device).ResetAlpha();
    glColor4f(1, 1, 1, 1);
    gfx2d::DrawBackgroundBlock(device, 0);
    Set2DProjection(device, 0, 0, 0, 0);
    ResetSceneFrameState(&device);
    if (rt.objects) gfx3d::UseShader(device, *rt.objects, -1);
}

void LimitFrameRate(double framesPerSecond) {
    Rt().frameClock.interval = FrameIntervalFor(ToInt(framesPerSecond));
}

double GetTimerMs() {
    return ClockMs() - Rt().frameClock.timerBase;
}

double GetFrameTime() {
    return Rt().frameClock.FrameTime();
}

void SetAutoPause(double flag) {
    Rt().settings.autoPause = flag != 0;
}

void SetEscapeQuits(double flag) {
    Rt().settings.quitKeys = flag != 0;
}
