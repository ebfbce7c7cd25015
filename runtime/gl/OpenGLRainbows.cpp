#include <GL/gl.h>
#include <cstring>
#include <string>

#include "core/ErrorLog.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"
#include "os/Window.h"

namespace {

// Used when no GL context can be asked (the headless platform).
const int kAssumedMaxTextureSize = 4096;

const char kSoftwareCaption[] = "!!OpenGL Software Emulation!!";
const char kSoftwareMessage[] = "Please update your GFX adapter's driver\n"
                                "so it can render OpenGL by HARDWARE\n\n\n"
                                "Bitte aktualisieren Sie Ihren\n"
                                "Grafkkartentreiber, damit er OpenGL\n"
                                "per HARDWARE unterst\xC3\xBCtzt!";

// Mesa's software rasterisers are what the warning is for on Linux.
bool IsSoftwareRenderer(const char* renderer) {
    return renderer &&
           (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
            std::strstr(renderer, "Software Rasterizer") || std::strstr(renderer, "swrast"));
}

void WarnOnceAboutSoftwareRendering(OpenGLRainbows& device) {
    os::Window& window = device.window;
    if (device.softwareWarningGiven || !window.HasGL()) return;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!IsSoftwareRenderer(renderer)) return;
    device.softwareWarningGiven = true;
    // Automated runs switch the box off so that nothing waits for a click; the log line is
    // written either way.
    if (device.messageBoxes) window.MessageBox(kSoftwareCaption, kSoftwareMessage);
    AppendLogLine("OpenGL Software Emulation");
}

} // namespace

OpenGLRainbows::OpenGLRainbows(os::Window& window) : window(window) {}

OpenGLRainbows::~OpenGLRainbows() {
    if (window.IsOpen()) DestroyGLWindow(*this);
}

int CreateGLWindow(OpenGLRainbows& device, int width, int height, int colourDepth, int samples,
                   int /*fullScreen: switched by the caller afterwards*/) {
    device.samples = samples;

    os::WindowRequest request;
    request.width = width;
    request.height = height;
    request.samples = samples > 0 ? samples : 0;
    if (!device.window.Create(request)) return 0;
    device.samples = request.samples;

    if (colourDepth == 0) {
        int w, h;
        device.window.DesktopSize(w, h, colourDepth);
    }
    device.screenWidth = width;
    device.screenHeight = height;
    device.colourDepth = colourDepth;

    WarnOnceAboutSoftwareRendering(device);

    device.fullScreenActive = false;
    device.ext.Load(device.window, device.extensionsOff);
    // A new context starts with every array and texture unit off; unit 1 is visited once.
    device.keptArrays = ArrayLayout{};
    device.secondUnitOff = false;

    device.window.Show();
    Set2DProjection(device, 0, 0, 0, 0);
    device.initialised = true;
    return 1;
}

int EnterFullScreen(OpenGLRainbows& device) {
    if (!device.window.SetFullScreen(true, device.screenWidth, device.screenHeight)) {
        device.window.Beep();
        AppendLogLine("No Fullscreen Mode available");
        ApplyWindowedFrame(device);
        return 0;
    }
    device.window.Show();
    device.window.Raise();
    Set2DProjection(device, 0, 0, 0, 0);
    device.fullScreenActive = true;
    return 1;
}

int ApplyWindowedFrame(OpenGLRainbows& device) {
    device.window.SetFullScreen(false, device.screenWidth, device.screenHeight);
    device.window.Show();
    device.window.Raise();
    Set2DProjection(device, 0, 0, 0, 0);
    device.fullScreenActive = false;
    return 1;
}

int HideGLWindow(OpenGLRainbows& device) {
    if (device.fullScreenActive)
        device.window.SetFullScreen(false, device.screenWidth, device.screenHeight);
    device.window.Hide();
    device.fullScreenActive = false;
    return 1;
}

void DestroyGLWindow(OpenGLRainbows& device) {
    // Framebuffers and textures go while their context is still there.
    DeleteRenderTargets(device);
    if (device.sprites) device.sprites->ReleaseTextures(device);
    ApplyWindowedFrame(device);
    device.window.Destroy();
    device.screenWidth = 0;
    device.screenHeight = 0;
}

void ChangeScreenMode(OpenGLRainbows& device, int width, int height, int colourDepth,
                      int fullScreen) {
    if (width != 0) device.screenWidth = width;
    if (height != 0) device.screenHeight = height;
    if (colourDepth != 0) device.colourDepth = colourDepth;
    if (fullScreen)
        EnterFullScreen(device);
    else
        ApplyWindowedFrame(device);
}

void SwapFrame(OpenGLRainbows& device) {
    FlushSpriteBatch(device);
    ReleaseKeptArrays(device);
    device.window.SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

int MaxTextureSize(OpenGLRainbows& device) {
    if (device.maxTextureSize < 0) {
        GLint size = 0;
        if (device.window.HasGL()) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
        device.maxTextureSize = size > 0 ? size : kAssumedMaxTextureSize;
    }
    return device.maxTextureSize;
}

void Set2DProjection(OpenGLRainbows& device, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) SurfaceSize(device, width, height);
    FlushSpriteBatch(device);
    device.viewportX = x;
    device.viewportY = y;
    device.viewportWidth = width;
    device.viewportHeight = height;

    glViewport(x, SurfaceRows(device) - height - y, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.15f);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 1);
    glShadeModel(GL_FLAT);
    const GLenum off[] = {GL_DITHER,
                          GL_FOG,
                          GL_LINE_SMOOTH,
                          GL_POINT_SMOOTH,
                          GL_POLYGON_SMOOTH,
                          GL_STENCIL_TEST,
                          GL_POLYGON_OFFSET_POINT,
                          GL_COLOR_MATERIAL,
                          GL_AUTO_NORMAL,
                          GL_NORMALIZE,
                          GL_LIGHTING};
    for (GLenum cap : off)
        glDisable(cap);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
}
