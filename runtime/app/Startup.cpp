#include "app/Startup.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/AppCommands.h"
#include "app/FrameLoop.h"
#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/PrintLog.h"
#include "core/Runtime.h"
#include "files/FileState.h"
#include "files/FileWatcher.h"
#include "files/ResourceLookup.h"
#include "files/ResourceResolver.h"
#include "gfx2d/FontCommands.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/Shaders.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputCommands.h"
#include "input/InputDevices.h"
#include "net/NetGame.h"
#include "os/Audio.h"
#include "os/Backend.h"
#include "os/Process.h"
#include "os/RunSession.h"
#include "os/System.h"
#include "platform/DllCache.h"
#include "sound/SoundDevice.h"
#include "text/Random.h"
#include "text/TextCommands.h"

namespace {

// The program's own directory: the executable's path cut at its last separator.
std::string ProgramDirectory() {
    std::string path = os::ExecutablePath();
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(0, cut);
}

// "Loading..." centred on the screen in the current font.
void ShowLoadingText() {
    const RtString text("Loading...");
    double glyphWidth, glyphHeight;
    GetFontSize(glyphWidth, glyphHeight);
    const Runtime& rt = Rt();
    PrintText(text, (rt.gfx->screenWidth - text.Length() * glyphWidth) * 0.5,
              (rt.gfx->screenHeight - glyphHeight) * 0.5);
}

// The value of an environment variable; empty when it is not set.
std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A switch is on when set to anything but "" or "0".
bool SwitchOn(const std::string& value) {
    return !value.empty() && value != "0";
}

// Every environment variable the runtime heeds, read once.
void ReadEnvironment(RuntimeSettings& settings) {
    settings.tempDirectory = Environment("TMPDIR");
    if (settings.tempDirectory.empty()) settings.tempDirectory = "/tmp";
    if (settings.tempDirectory.back() != '/') settings.tempDirectory += '/';
    settings.messageBoxes = Environment("VORNIC_NO_MESSAGE_BOX").empty();
    settings.framebuffersOff = SwitchOn(Environment("VORNIC_NO_FRAMEBUFFERS"));
    settings.shadersOff = SwitchOn(Environment("VORNIC_NO_SHADERS"));
    settings.printLogPath = Environment("VORNIC_PRINT_LOG");
    settings.fixedSeed = Environment("VORNIC_SEED");
    settings.netSimulation = Environment("VORNIC_NET_SIM");
    settings.run.recordPath = Environment("VORNIC_RECORD");
    settings.run.replayPath = Environment("VORNIC_REPLAY");
    settings.run.replayRealTime = SwitchOn(Environment("VORNIC_REPLAY_REALTIME"));
    const os::SnapshotRequest snapshots = os::ParseSnapshotRequest(Environment("VORNIC_SNAPSHOT"));
    settings.snapshotFrames = snapshots.frames;
    settings.snapshotFolder = snapshots.folder;
    settings.watchFiles = SwitchOn(Environment("VORNIC_WATCH"));
}

} // namespace

void StartFileDevices(Runtime& rt) {
    if (!rt.files) {
        rt.files = std::make_unique<FileState>();
        // Changed line and INI files are saved however the program ends.
        RunAtEnd(WriteBackDataFiles);
    }
    for (std::unique_ptr<ResourceResolver>& lookup : rt.resolvers)
        if (!lookup) lookup = std::make_unique<ResourceResolver>(rt.settings.tempDirectory);
}

bool StartRuntime(int showCommand, const std::string& title) {
    Runtime& rt = Rt();
    rt.settings.autoPause = 1;
    ReadEnvironment(rt.settings);
    RunAtEnd(ShutdownRuntime);
    // Troubles are said once per run.
    rt.logTroubleTold = false;
    rt.snapshotTroubleTold = false;

    // The log of the last run goes before the window is made, so that the window's own line
    // (the software-renderer warning) survives.
    DeleteLogFile();

    os::Backend backend = os::CreateBackend(rt.settings.run);
    rt.clock = std::move(backend.clock);
    rt.window = std::move(backend.window);
    rt.session = std::move(backend.session);
    rt.pacingClock = std::move(backend.pacingClock);
    rt.frame = 0;
    if (!rt.printLog) rt.printLog = OpenPrintLog(rt.settings.printLogPath);
    if (!rt.settings.snapshotFolder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(rt.settings.snapshotFolder, ignored);
    }
    rt.gfx = std::make_unique<OpenGLRainbows>(*rt.window);
    rt.gfx->messageBoxes = rt.settings.messageBoxes;
    rt.gfx->extensionsOff = ExtensionsOff{rt.settings.framebuffersOff, rt.settings.shadersOff};
    rt.gfx->sprites = std::make_unique<SpriteStore>();
    if (!CreateGLWindow(*rt.gfx, rt.settings.screenWidth, rt.settings.screenHeight, 0,
                        rt.settings.samples, rt.settings.fullScreen))
        return false;
    rt.frameClock.interval = FrameIntervalFor(rt.settings.frameRate);
    rt.frameClock.nextFrameTime = PacingClock().NowMs();

    rt.title = title;
    rt.window->SetTitle(title);

    // Devices of the other subsystems are created here: input, sound, network, the 3D scene.
    rt.input = std::make_unique<InputDevices>(rt.window->CreateInput());
    rt.objects = std::make_unique<Rainbows3D>();
    rt.scene = std::make_unique<Scene3D>();
    rt.sound = std::make_unique<SoundDevice>(std::move(backend.audio));
    rt.libraries = std::make_unique<platform::DllCache>();
    rt.net = net::CreateNetGame(rt.settings.netSimulation);
    if (rt.settings.watchFiles) rt.watcher = std::make_unique<files::FileWatcher>();
    // The clock in ms seeds the generator, so every run differs; VORNIC_SEED fixes the seed, a
    // replay takes the recorded one.
    const int seed = text::StartupRandomSeed(rt.settings.fixedSeed, ClockMs());
    SeedRandom(rt.session ? rt.session->Seed(seed) : seed);

    if (rt.settings.fullScreen)
        EnterFullScreen(*rt.gfx);
    else
        ApplyWindowedFrame(*rt.gfx);

    // Input and sound are bound to the window here.
    rt.input->Initialise(rt.settings.mouseCapture != 0);
    rt.sound->Start();

    const std::string programDirectory = ProgramDirectory();
    os::ChangeDirectory(programDirectory);

    StartFileDevices(rt);
    for (std::unique_ptr<ResourceResolver>& lookup : rt.resolvers)
        lookup->SetPack(programDirectory);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    rt.frameClock.Restart(ClockMs());
    SwapAndPace(*rt.gfx);
    Set2DProjection(*rt.gfx, 0, 0, 0, 0);

    // The built-in font goes into font 0 first; "smalfont.bmp" beside the program replaces it.
    LoadFont("", 0);
    LoadFont("smalfont.bmp", 0);
    ShowLoadingText();
    PresentFrame();

    rt.paused = false;
    rt.frameClock.Restart(ClockMs());
    if (showCommand == 0) HideGLWindow(*rt.gfx);

    ShowMouseCursor(rt.settings.mouseCapture == 0);

    std::puts("Init OK");
    std::fflush(stdout);
    return true;
}

void ShutdownRuntime() {
    Runtime& rt = Rt();
    // The reload actions reach the devices below, so they go first.
    rt.watcher.reset();
    // 3D objects own GL buffers, textures and programs, so they go while the context still exists.
    if (rt.gfx && rt.objects) gfx3d::ReleaseShaders(*rt.gfx, *rt.objects);
    rt.objects.reset();
    rt.scene.reset();
    // The graphics device deletes every texture and the GL context with its window.
    rt.gfx.reset();
    if (rt.input) rt.input->Release();
    rt.input.reset();
    // The sound slots are emptied last to first, then the sound device closes its output.
    if (rt.sound) rt.sound->ReleaseSlots();
    rt.sound.reset();
    // Local players announce their leaving, then the sockets close.
    rt.net.reset();
    // Changed line and INI files are saved; the resource lookups delete their temporary files.
    WriteBackDataFiles();
    ReleaseResourceLookups();
    rt.window.reset();
    rt.libraries.reset();
    // A recording ends with the run's last frame.
    if (rt.session) rt.session->Finish();
    rt.session.reset();
}

RtString CommandLine() {
    return RtString(Rt().commandLine.c_str());
}

void EndAndRun(const RtString& commandLine) {
    ShutdownRuntime();
    os::ProcessOptions detached;
    detached.detach = true;
    os::RunProcess(os::SplitCommandLine(commandLine.CText()), detached, nullptr);
    std::fflush(stdout);
    std::exit(0);
}

void DebugBreakpoint(double n) {
    Runtime& rt = Rt();
    if (!os::DebuggerAttached() || !rt.gfx) return;
    HideGLWindow(*rt.gfx);
    char text[32];
    std::snprintf(text, sizeof(text), "BP%x", static_cast<unsigned>(ToInt(n)));
    os::DebugOutput(text);
    rt.paused = false;
    PumpMessages(*rt.gfx);
}

void WriteLog(const RtString& text) {
    if (Rt().settings.debugMode && os::DebuggerAttached()) {
        os::DebugOutput(std::string(text.CText()) + "\n");
        return;
    }
    AppendLogLine(text.Length() ? text.CText() : "null");
}
