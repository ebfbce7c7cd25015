#include "gl/Framebuffers.h"

#include "gl/GLExtensions.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"

namespace {

// The framebuffer of the target drawn into, 0 for the screen.
GLuint BoundFramebuffer(const OpenGLRainbows& device) {
    const ActiveTarget& active = device.renderTargets.active;
    return active.throughFramebuffer ? device.renderTargets.targets[active.id].framebuffer : 0;
}

// Binds the target's framebuffer, attaches texture and the renderbuffer and asks the GL whether
// it can be drawn into: the status means something only once the attachments are made.
bool AttachAndCheck(const GLExtensions& ext, const RenderTarget& target, GLuint texture) {
    ext.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    ext.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.depthBuffer);
    ext.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                                  texture, 0);
    ext.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, target.depthBuffer);
    if (target.packedStencil)
        ext.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT,
                                         GL_RENDERBUFFER_EXT, target.depthBuffer);
    return ext.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
}

} // namespace

bool FramebuffersAvailable(const GLExtensions& ext) {
    return ext.glBindRenderbufferEXT && ext.glDeleteRenderbuffersEXT && ext.glGenRenderbuffersEXT &&
           ext.glRenderbufferStorageEXT && ext.glBindFramebufferEXT &&
           ext.glDeleteFramebuffersEXT && ext.glGenFramebuffersEXT &&
           ext.glCheckFramebufferStatusEXT && ext.glFramebufferTexture2DEXT &&
           ext.glFramebufferRenderbufferEXT;
}

void ReleaseFramebuffer(OpenGLRainbows& device, RenderTarget& target) {
    const GLExtensions& ext = device.ext;
    if (target.framebuffer && ext.glDeleteFramebuffersEXT)
        ext.glDeleteFramebuffersEXT(1, &target.framebuffer);
    if (target.depthBuffer && ext.glDeleteRenderbuffersEXT)
        ext.glDeleteRenderbuffersEXT(1, &target.depthBuffer);
    target.framebuffer = 0;
    target.depthBuffer = 0;
    target.width = 0;
    target.height = 0;
    target.packedStencil = false;
}

void MakeFramebuffer(OpenGLRainbows& device, RenderTarget& target, GLuint texture, int width,
                     int height) {
    ReleaseFramebuffer(device, target);
    const GLExtensions& ext = device.ext;
    if (!FramebuffersAvailable(ext) || texture == 0) return;
    FlushSpriteBatch(device);
    ext.glGenFramebuffersEXT(1, &target.framebuffer);
    ext.glGenRenderbuffersEXT(1, &target.depthBuffer);
    ext.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.depthBuffer);
    target.packedStencil = GLExtensionListed("GL_EXT_packed_depth_stencil");
    ext.glRenderbufferStorageEXT(
        GL_RENDERBUFFER_EXT, target.packedStencil ? GL_DEPTH24_STENCIL8_EXT : GL_DEPTH_COMPONENT24,
        width, height);
    const bool complete = AttachAndCheck(ext, target, texture);
    ext.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, BoundFramebuffer(device));
    ext.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
    if (!complete) {
        ReleaseFramebuffer(device, target);
        return;
    }
    target.width = width;
    target.height = height;
}

bool BindFramebuffer(OpenGLRainbows& device, const RenderTarget& target, GLuint texture) {
    if (!target.framebuffer || !FramebuffersAvailable(device.ext)) return false;
    FlushSpriteBatch(device);
    if (AttachAndCheck(device.ext, target, texture)) return true;
    UnbindFramebuffer(device);
    return false;
}

void UnbindFramebuffer(OpenGLRainbows& device) {
    const GLExtensions& ext = device.ext;
    if (!ext.glBindFramebufferEXT) return;
    FlushSpriteBatch(device);
    ext.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    if (ext.glBindRenderbufferEXT) ext.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
}

void DeleteRenderTargets(OpenGLRainbows& device) {
    RenderTargetTable& table = device.renderTargets;
    if (table.active.throughFramebuffer) UnbindFramebuffer(device);
    for (RenderTarget& target : table.targets)
        ReleaseFramebuffer(device, target);
    table = RenderTargetTable{};
}

void SurfaceSize(const OpenGLRainbows& device, int& width, int& height) {
    const ActiveTarget& active = device.renderTargets.active;
    width = active.id >= 0 ? active.width : device.screenWidth;
    height = active.id >= 0 ? active.height : device.screenHeight;
}

int SurfaceRows(const OpenGLRainbows& device) {
    const ActiveTarget& active = device.renderTargets.active;
    return active.throughFramebuffer ? active.height : device.screenHeight;
}
