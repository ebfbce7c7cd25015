// The one context object that owns every device of the runtime. Start-up builds the devices,
// shut-down releases them member by member in its fixed order; commands reach them through
// Rt(). Devices are forward-declared here: the context is defined in app/Runtime.cpp, the top
// layer that knows every device.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/FrameClock.h"
#include "core/Settings.h"
#include "os/Clock.h"
#include "os/Window.h"

namespace os {
class RunSession;
}
namespace platform {
class DllCache;
}
namespace net {
class NetGame;
}
namespace files {
class FileWatcher;
}
namespace text {
struct IsaacState;
}
class InputDevices;
class OpenGLRainbows;
class Rainbows3D;
class Scene3D;
class ResourceResolver;
struct FileState;
class SoundDevice;

struct Runtime {
    RuntimeSettings settings;
    ErrorRecord error;

    // The text after the program name on the command line, and the window title.
    std::string commandLine;
    std::string title;
    // Set while the window is inactive and the program waits inside PresentFrame.
    bool paused = false;
    // Set when the program ends the ordinary way; its exit status is then 0.
    bool endingNormally = false;
    // What the end of the program runs before the process exits, in the order registered
    // (RunAtEnd): start-up registers the release of its devices, the files layer the write-back
    // of changed data files. So the end (core) never calls up into the layers above it.
    std::vector<void (*)()> endSteps;
    // Frame stamps, the timer's zero and the frame pacing.
    FrameClock frameClock;
    // The random generator (text/Isaac.h), made with the context and seeded once by start-up.
    std::unique_ptr<text::IsaacState> random;

    // The platform: the clock exists from the first start-up on, the window with the device.
    // In a recorded or replayed run the session keeps the frames, the clock is the recording's
    // and the pacing clock the real one that frames wait on.
    std::unique_ptr<os::Clock> clock;
    std::unique_ptr<os::Window> window;
    std::unique_ptr<os::RunSession> session;
    std::unique_ptr<os::Clock> pacingClock;
    // Frames counted by the event pump: every PresentFrame and every round of the waits.
    long frame = 0;
    // Every printed text with its frame and position (VORNIC_PRINT_LOG).
    std::unique_ptr<std::ofstream> printLog;
    // Troubles said once per run on standard error, cleared by start-up: the log cannot be
    // written, a snapshot cannot be saved.
    bool logTroubleTold = false;
    bool snapshotTroubleTold = false;

    // Devices, in the order start-up creates them.
    std::unique_ptr<OpenGLRainbows> gfx;
    // Keyboard, mouse and joysticks.
    std::unique_ptr<InputDevices> input;
    // The 3D engine: the object table and the objects built in code.
    std::unique_ptr<Rainbows3D> objects;
    // The 3D scene: camera, lights, fog, the object transform and the drawing options.
    std::unique_ptr<Scene3D> scene;

    // Files: channels, line file and INI store live for the whole process; the two resource
    // lookups are released at shut-down with their temporary files.
    std::unique_ptr<FileState> files;
    std::unique_ptr<ResourceResolver> resolvers[2];
    std::unique_ptr<SoundDevice> sound;
    // Native libraries game code has called into, unloaded at shut-down.
    std::unique_ptr<platform::DllCache> libraries;
    // The network game: players, message queues, the sockets and their thread.
    std::unique_ptr<net::NetGame> net;
    // The hot reload's watcher; made only when VORNIC_WATCH is on.
    std::unique_ptr<files::FileWatcher> watcher;

    Runtime();
    ~Runtime();
};

// The runtime of this process.
Runtime& Rt();

// The runtime clock in milliseconds.
double ClockMs();
