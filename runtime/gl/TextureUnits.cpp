#include "gl/TextureUnits.h"

#include "gl/OpenGLRainbows.h"

void SetSecondUnitTexture(OpenGLRainbows& device, GLuint texture) {
    const GLExtensions& ext = device.ext;
    if (!ext.glActiveTextureARB) return;
    if (texture == 0 && device.secondUnitOff) return;
    ext.glActiveTextureARB(GL_TEXTURE1_ARB);
    if (texture != 0) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    device.secondUnitOff = texture == 0;
}

void BindTexturePair(OpenGLRainbows& device, GLuint a, GLuint b) {
    SetSecondUnitTexture(device, a && b ? b : 0);
    if (a) {
        glBindTexture(GL_TEXTURE_2D, a);
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

void ForgetSecondUnit(OpenGLRainbows& device) {
    device.secondUnitOff = false;
}
