// The framebuffer objects of the render targets and the surface 2D and 3D drawing go to: the
// screen, or the texture of the target drawn into. The targets themselves (what drawing into a
// sprite means, and the copying path for drivers without framebuffers) are gfx2d's.
#pragma once

#include <GL/gl.h>

#include <array>

class OpenGLRainbows;
struct GLExtensions;

const int kRenderTargetCount = 32;

// A target's framebuffer with its depth (and stencil) renderbuffer, made for a texture of
// width x height; both names 0 and the size 0 x 0 when the target copies instead.
struct RenderTarget {
    GLuint framebuffer = 0;
    GLuint depthBuffer = 0;
    int width = 0, height = 0;
    // The renderbuffer holds stencil bits too (attached as the stencil buffer as well).
    bool packedStencil = false;
    // The sprite that receives the picture; -1 until the target is created.
    int sprite = -1;
};

// The target drawing goes into: id -1 for the screen. Its picture size and path are the ones it
// was started with, so it ends the same way whatever happens to its sprite meanwhile.
struct ActiveTarget {
    int id = -1;
    bool throughFramebuffer = false;
    int width = 0, height = 0;
};

struct RenderTargetTable {
    std::array<RenderTarget, kRenderTargetCount> targets;
    ActiveTarget active;
};

// True when every framebuffer entry point exists.
bool FramebuffersAvailable(const GLExtensions& ext);
// Gives the target a framebuffer drawing into texture (width x height) with a depth
// renderbuffer of the same size, replacing any it had. The framebuffer is kept only when the GL
// calls it complete with both attachments made; otherwise the target is left without one.
// The framebuffer bound before stays bound.
void MakeFramebuffer(OpenGLRainbows& device, RenderTarget& target, GLuint texture, int width,
                     int height);
// Deletes the target's framebuffer and renderbuffer.
void ReleaseFramebuffer(OpenGLRainbows& device, RenderTarget& target);
// Directs drawing into texture through the target's framebuffer. False, with the screen bound
// again, when the GL does not call the framebuffer complete.
bool BindFramebuffer(OpenGLRainbows& device, const RenderTarget& target, GLuint texture);
// Directs drawing to the screen again.
void UnbindFramebuffer(OpenGLRainbows& device);
// Deletes every target's framebuffer and forgets the targets; drawing goes to the screen. Run
// while the GL context still exists.
void DeleteRenderTargets(OpenGLRainbows& device);

// The size of what drawing goes to: the active target's picture, else the screen.
void SurfaceSize(const OpenGLRainbows& device, int& width, int& height);
// The height GL's bottom-up rows are counted in: the target's when drawing into a framebuffer,
// else the screen's.
int SurfaceRows(const OpenGLRainbows& device);
