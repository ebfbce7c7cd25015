// The graphics device: the window and its GL context, the screen size, every piece of GL state
// kept between draws (kept arrays, texture unit 1, the textures bound for the next drawing, the
// limits asked of the GL once), the sprite batch, and the tables of textures that the 2D layer
// keeps on it.
#pragma once

#include <memory>

#include "gl/ClientArrays.h"
#include "gl/Framebuffers.h"
#include "gl/GLExtensions.h"
#include "gl/SpriteBatch.h"

class OpenGLRainbows;

namespace os {
class Window;
} // namespace os

// The textures bound for the next drawing, as sprite ids: id on unit 0, second on unit 1.
struct TextureBinding {
    int id = -1;
    int second = -1;
    bool mipmap = false;
};

// Textures that a layer above keeps on the device (the sprite table): the device has them
// released while its GL context still exists.
class TextureOwner {
  public:
    virtual ~TextureOwner() = default;
    virtual void ReleaseTextures(OpenGLRainbows& device) = 0;
};

class OpenGLRainbows {
  public:
    explicit OpenGLRainbows(os::Window& window);
    virtual ~OpenGLRainbows();

    os::Window& window;
    GLExtensions ext;
    // Extension groups left unused whatever the driver offers (set before the window is made).
    ExtensionsOff extensionsOff;

    int screenWidth = 0;
    int screenHeight = 0;
    int colourDepth = 0;
    bool fullScreenActive = false;
    int samples = 0;
    int viewportX = 0, viewportY = 0, viewportWidth = 0, viewportHeight = 0;
    bool initialised = false;
    // Off: the software-renderer warning is only logged, never shown in a box.
    bool messageBoxes = true;
    // Set once the software-renderer warning was given: once per device, however often the
    // window is made again.
    bool softwareWarningGiven = false;

    // The vertex arrays the last object draw left enabled.
    ArrayLayout keptArrays;
    // Texturing is known to be off on texture unit 1.
    bool secondUnitOff = false;
    TextureBinding binding;
    // Asked of the GL once and remembered; -1 until then.
    int maxTextureSize = -1;
    int frameBufferAlphaBits = -1;
    // Sprites collected for one vertex-array draw.
    SpriteBatch batch;
    // The render targets' framebuffers and the target drawing goes into.
    RenderTargetTable renderTargets;

    // The sprite, font and background tables of 2D drawing (gfx2d's SpriteStore).
    std::unique_ptr<TextureOwner> sprites;
};

// Window and context operations on the device. Each returns 1 on success, 0 on failure.
int CreateGLWindow(OpenGLRainbows& device, int width, int height, int colourDepth, int samples,
                   int fullScreen);
int EnterFullScreen(OpenGLRainbows& device);
int ApplyWindowedFrame(OpenGLRainbows& device);
int HideGLWindow(OpenGLRainbows& device);
void DestroyGLWindow(OpenGLRainbows& device);
void ChangeScreenMode(OpenGLRainbows& device, int width, int height, int colourDepth,
                      int fullScreen);
// The 2D projection: origin top-left, y down, one unit per pixel; the viewport is measured
// from the top-left. A width or height of 0 or less means the whole screen, or the whole
// picture of the render target drawn into.
void Set2DProjection(OpenGLRainbows& device, int x, int y, int width, int height);

// Ends a frame on the GL side: draws what the sprite batch holds, releases the kept arrays,
// swaps the buffers and clears the new back buffer.
void SwapFrame(OpenGLRainbows& device);
// The largest texture side the GL takes (asked once; 4096 without a GL context).
int MaxTextureSize(OpenGLRainbows& device);
