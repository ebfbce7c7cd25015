// The graphics device: the window and its GL context, the screen size, the frame pacing
// state, and (as the 2D subsystem adds them) the sprite and font tables.
#pragma once

#include <memory>

#include "gl/ClientArrays.h"
#include "gl/GLExtensions.h"

class SpriteStore;

namespace os {
class Clock;
class Window;
} // namespace os

class OpenGLRainbows {
  public:
    OpenGLRainbows(os::Window& window, os::Clock& clock);
    virtual ~OpenGLRainbows();

    os::Window& window;
    os::Clock& clock;
    GLExtensions ext;

    int screenWidth = 0;
    int screenHeight = 0;
    int colourDepth = 0;
    bool fullScreenActive = false;
    int samples = 0;
    int viewportX = 0, viewportY = 0, viewportWidth = 0, viewportHeight = 0;
    bool initialised = false;

    // Frame pacing: the minimum frame time and the clock value before which the current
    // frame may not end.
    double frameInterval = 1000.0 / 60.0;
    double nextFrameTime = 0.0;

    // The vertex arrays the last object draw left enabled.
    ArrayLayout keptArrays;
    // Texturing is known to be off on texture unit 1.
    bool secondUnitOff = false;

    // The sprite, font and background tables of 2D drawing.
    std::unique_ptr<SpriteStore> sprites;
};

// Window and context operations on the device. Each returns 1 on success, 0 on failure.
int CreateGLWindow(OpenGLRainbows& device, int width, int height, int colourDepth, int frameRate,
                   int samples, int fullScreen);
int EnterFullScreen(OpenGLRainbows& device);
int ApplyWindowedFrame(OpenGLRainbows& device);
int HideGLWindow(OpenGLRainbows& device);
void DestroyGLWindow(OpenGLRainbows& device);
void ChangeScreenMode(OpenGLRainbows& device, int width, int height, int colourDepth,
                      int fullScreen);
// The 2D projection: origin top-left, y down, one unit per pixel; the viewport is measured
// from the top-left. A width or height of 0 or less means the whole screen.
void Set2DProjection(OpenGLRainbows& device, int x, int y, int width, int height);

// The frame interval for a frame rate: 1000 / rate, or 2 ms when the rate is not positive.
double FrameIntervalFor(int frameRate);
