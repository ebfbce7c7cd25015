// The main window with its OpenGL context and its event queue, behind the platform seam.
// One implementation drives SDL2; a headless one serves tests and replays.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace os {

class InputPlatform;

// What the runtime asks of a new window.
struct WindowRequest {
    int width = 800;
    int height = 600;
    int samples = 0; // multisample count; the window halves it until a context can be made
};

// Events the window hands to the frame loop. Keys carry the runtime's key codes (DirectInput
// scan codes), already translated by the platform layer.
struct Event {
    enum class Type {
        None,
        FocusLost,
        FocusGained,
        CloseRequest,
        KeyDown,
        KeyUp,
        MouseMotion,
        MouseButtonDown,
        MouseButtonUp,
        MouseWheel,
        TextInput,
        JoystickAdded,
        JoystickRemoved,
    };
    Type type = Type::None;
    int code = 0;        // key code, mouse button (0 left, 1 right, 2 middle) or device index
    bool repeat = false; // key auto-repeat
    int x = 0, y = 0;    // pointer position in the client area
    int dx = 0, dy = 0;  // relative motion, or wheel steps in dy
    char text[32] = {};  // UTF-8 text of a TextInput event
};

class Window {
  public:
    virtual ~Window() = default;

    // Creates the window (hidden until Show) with a double-buffered OpenGL compatibility
    // context of 24 depth and 8 stencil bits, and makes the context current. Returns false
    // when no window or context could be made. samples is lowered to what was granted.
    virtual bool Create(WindowRequest& request) = 0;
    // Closes the window and its context.
    virtual void Destroy() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool HasGL() const = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Raise() = 0;
    // Switches the display to width x height (full screen) or to a window of that client size
    // (centred when it left full screen or changed size). The same window and context stay, so
    // every texture survives. Returns false when the display offers no such mode; the window then
    // stays as it was.
    virtual bool SetFullScreen(bool on, int width, int height) = 0;

    virtual void SwapBuffers() = 0;
    // GL entry point lookup; null when the context does not offer it.
    virtual void* GetProcAddress(const char* name) = 0;

    // Takes the next pending event; false when none is waiting.
    virtual bool PollEvent(Event& event) = 0;
    // The input devices that go with this window (os/Input.h).
    virtual std::unique_ptr<InputPlatform> CreateInput() = 0;

    virtual void DesktopSize(int& width, int& height, int& bitsPerPixel) = 0;
    // The window system's id of the window (an X11 window, or a Wayland surface's address); 0
    // when there is none.
    virtual uint64_t NativeHandle() = 0;
    virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
    virtual void Beep() = 0;
};

} // namespace os
