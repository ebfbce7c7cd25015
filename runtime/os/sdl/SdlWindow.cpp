#include "os/sdl/SdlWindow.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL2/SDL_syswm.h>

#include "os/sdl/SdlInput.h"
#include "os/sdl/SdlKeys.h"

namespace os {

namespace {

// With no display to open, SDL falls back on its offscreen and dummy drivers and the program
// runs on without a window that anyone can see. Those drivers are used only when SDL_VIDEODRIVER
// names them (the tests do); otherwise start-up fails and says which drivers were tried.
// The processes this one has started and not yet reaped, from the parent field of every
// process's /proc/<pid>/stat.
std::set<pid_t> ChildProcesses() {
    std::set<pid_t> children;
    DIR* processes = opendir("/proc");
    if (!processes) return children;
    const pid_t self = getpid();
    while (const dirent* entry = readdir(processes)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (*end || pid <= 0) continue;
        std::FILE* stat =
            std::fopen(("/proc/" + std::string(entry->d_name) + "/stat").c_str(), "r");
        if (!stat) continue;
        char line[512] = {};
        const size_t got = std::fread(line, 1, sizeof(line) - 1, stat);
        std::fclose(stat);
        // "pid (name) state ppid ...": the name may hold blanks and parentheses, so the fields
        // are counted from the last ')'.
        const char* close = std::strrchr(line, ')');
        char state = 0;
        long parent = 0;
        if (got > 0 && close && std::sscanf(close + 1, " %c %ld", &state, &parent) == 2 &&
            parent == self)
            children.insert(static_cast<pid_t>(pid));
    }
    closedir(processes);
    return children;
}

// Xlib's way of reporting a connection that is gone; the handler must not return.
using IoErrorHandler = int (*)(void* display);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler handler);

int EndOnLostDisplay(void*) {
    static const char message[] = "vornic: the connection to the X server is lost; ending\n";
    // Only async-signal-safe calls: Xlib is in an undefined state, and anything that would
    // touch the display again (shut-down, destructors) could wait for it forever.
    const ssize_t ignored = write(2, message, sizeof(message) - 1);
    (void)ignored;
    _exit(1);
}

// With the X server gone, SDL's handler lets Xlib go on, and a wait for an event (showing the
// window, the message box) spins forever. The program ends instead, saying why. SDL loads
// Xlib itself, so the handler is set in the copy it loaded.
void EndWhenTheDisplayIsLost() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (!xlib) return;
    if (auto set = reinterpret_cast<SetIoErrorHandler>(dlsym(xlib, "XSetIOErrorHandler")))
        set(EndOnLostDisplay);
    dlclose(xlib);
}

bool StartVideo() {
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    if (!requested || !*requested) {
        std::string visible;
        for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
            const char* name = SDL_GetVideoDriver(i);
            if (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0 ||
                std::strcmp(name, "evdev") == 0)
                continue;
            if (!visible.empty()) visible += ',';
            visible += name;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, visible.c_str());
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        EndWhenTheDisplayIsLost();
        return true;
    }
    std::fprintf(stderr, "No display to open a window on: %s\n", SDL_GetError());
    return false;
}

} // namespace

SdlWindow::SdlWindow() = default;

SdlWindow::~SdlWindow() {
    Destroy();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::Create(WindowRequest& request) {
    if (!videoStarted_) {
        if (!StartVideo()) return false;
        videoStarted_ = true;
    }
    Destroy();

    // Multisampling: ask for the given count and halve it until a window and context can be
    // made, down to none.
    for (int samples = request.samples;; samples /= 2) {
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
        SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);

        window_ =
            SDL_CreateWindow("CVornic", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             request.width, request.height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window_) {
            context_ = SDL_GL_CreateContext(window_);
            if (context_) {
                request.samples = samples;
                break;
            }
            SDL_DestroyWindow(window_);
            window_ = nullptr;
        }
        if (samples <= 0) return false;
    }
    SDL_GL_MakeCurrent(window_, context_);
    // Swaps are paced by the runtime's own clock, not by the display.
    SDL_GL_SetSwapInterval(0);
    SDL_DisableScreenSaver();
    width_ = request.width;
    height_ = request.height;
    return true;
}

void SdlWindow::Destroy() {
    if (context_) {
        SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
}

void SdlWindow::SetTitle(const std::string& title) {
    if (window_) SDL_SetWindowTitle(window_, title.c_str());
}

void SdlWindow::Show() {
    if (window_) SDL_ShowWindow(window_);
}

void SdlWindow::Hide() {
    if (window_) SDL_HideWindow(window_);
}

void SdlWindow::Raise() {
    if (window_) SDL_RaiseWindow(window_);
}

bool SdlWindow::SetFullScreen(bool on, int width, int height) {
    if (!window_) return false;
    if (!on) {
        const bool wasFullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
        if (wasFullScreen) SDL_SetWindowFullscreen(window_, 0);
        int w = 0, h = 0;
        SDL_GetWindowSize(window_, &w, &h);
        if (w != width || h != height) SDL_SetWindowSize(window_, width, height);
        if (wasFullScreen || w != width || h != height)
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        return true;
    }
    // Only a display mode of exactly the screen size will do: the 2D projection maps one unit
    // to one pixel.
    int display = SDL_GetWindowDisplayIndex(window_);
    SDL_DisplayMode want{}, got{};
    want.w = width;
    want.h = height;
    if (!SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &want, &got)) return false;
    if (got.w != width || got.h != height) return false;
    if (SDL_SetWindowDisplayMode(window_, &got) != 0) return false;
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) return false;
    SDL_RaiseWindow(window_);
    return true;
}

void SdlWindow::SwapBuffers() {
    if (window_) SDL_GL_SwapWindow(window_);
}

void* SdlWindow::GetProcAddress(const char* name) {
    return context_ ? SDL_GL_GetProcAddress(name) : nullptr;
}

bool SdlWindow::PollEvent(Event& event) {
    SDL_Event in;
    while (SDL_PollEvent(&in)) {
        if (Translate(in, event)) return true;
    }
    return false;
}

std::unique_ptr<InputPlatform> SdlWindow::CreateInput() {
    return std::make_unique<SdlInput>(*this);
}

bool SdlWindow::Translate(const SDL_Event& in, Event& out) {
    out = Event{};
    switch (in.type) {
    case SDL_QUIT: out.type = Event::Type::CloseRequest; return true;
    case SDL_WINDOWEVENT:
        switch (in.window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST: out.type = Event::Type::FocusLost; return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.type = Event::Type::FocusGained; return true;
        case SDL_WINDOWEVENT_CLOSE: out.type = Event::Type::CloseRequest; return true;
        default: return false;
        }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.type = in.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
        out.code = SdlScancodeToKeyCode(in.key.keysym.scancode);
        out.repeat = in.key.repeat != 0;
        return out.code != 0;
    case SDL_MOUSEMOTION:
        out.type = Event::Type::MouseMotion;
        out.x = in.motion.x;
        out.y = in.motion.y;
        out.dx = in.motion.xrel;
        out.dy = in.motion.yrel;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.type = in.type == SDL_MOUSEBUTTONDOWN ? Event::Type::MouseButtonDown
                                                  : Event::Type::MouseButtonUp;
        out.code = in.button.button == SDL_BUTTON_LEFT     ? 0
                   : in.button.button == SDL_BUTTON_RIGHT  ? 1
                   : in.button.button == SDL_BUTTON_MIDDLE ? 2
                                                           : in.button.button - 1;
        out.x = in.button.x;
        out.y = in.button.y;
        return true;
    case SDL_MOUSEWHEEL:
        out.type = Event::Type::MouseWheel;
        out.dy = in.wheel.y;
        return true;
    case SDL_TEXTINPUT:
        out.type = Event::Type::TextInput;
        std::snprintf(out.text, sizeof(out.text), "%s", in.text.text);
        return true;
    default: return false;
    }
}

void SdlWindow::DesktopSize(int& width, int& height, int& bitsPerPixel) {
    SDL_DisplayMode mode{};
    if (videoStarted_ && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        width = mode.w;
        height = mode.h;
        bitsPerPixel = SDL_BITSPERPIXEL(mode.format);
        if (bitsPerPixel == 24) bitsPerPixel = 32;
        return;
    }
    width = 0;
    height = 0;
    bitsPerPixel = 32;
}

uint64_t SdlWindow::NativeHandle() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window_ || !SDL_GetWindowWMInfo(window_, &info)) return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) return static_cast<uint64_t>(info.info.x11.window);
#endif
#if defined(SDL_VIDEO_DRIVER_WAYLAND)
    if (info.subsystem == SDL_SYSWM_WAYLAND)
        return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(info.info.wl.surface));
#endif
    return 0;
}

void SdlWindow::MessageBox(const std::string& caption, const std::string& text) {
    const std::set<pid_t> before = ChildProcesses();
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption.c_str(), text.c_str(), nullptr);
    // SDL shows the box in a helper process (zenity, or a fork of its own) and waits for it. A
    // termination request (SIGTERM, SIGINT: a quit event for the next pump) ends that wait
    // early, and the helper would stay behind with its box, spinning once its display is gone.
    for (const pid_t child : ChildProcesses()) {
        if (before.count(child)) continue;
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

void SdlWindow::Beep() {
    // SDL has no system sound; the terminal bell is the closest desktop-neutral signal.
    std::fputs("\a", stderr);
}

} // namespace os
