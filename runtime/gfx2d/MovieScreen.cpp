#include "gfx2d/MovieScreen.h"

#include <GL/gl.h>

#include "gfx2d/SpriteStore.h"
#include "gl/ClientArrays.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"
#include "os/Window.h"

MovieScreen::MovieScreen(OpenGLRainbows& device, int width, int height)
    : device_(device), width_(width), height_(height) {
    if (!device_.window.HasGL()) return;
    FlushSpriteBatch(device_);
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
}

MovieScreen::~MovieScreen() {
    if (!texture_) return;
    glDeleteTextures(1, &texture_);
    // The sprite drawing's texture was unbound under it; put the recorded one back.
    const TextureBinding& bound = device_.binding;
    gfx2d::BindSpriteTexture(device_, bound.id, bound.second, bound.mipmap);
}

void MovieScreen::Show(const uint8_t* rgba, int x, int y, int width, int height) {
    if (!texture_) return;
    ReleaseKeptArrays(device_);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    for (GLenum capability : {GL_BLEND, GL_ALPHA_TEST, GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING,
                              GL_FOG, GL_STENCIL_TEST, GL_SCISSOR_TEST})
        glDisable(capability);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(x, y);
    glTexCoord2f(1, 0);
    glVertex2i(x + width, y);
    glTexCoord2f(1, 1);
    glVertex2i(x + width, y + height);
    glTexCoord2f(0, 1);
    glVertex2i(x, y + height);
    glEnd();
    glPopAttrib();
}
