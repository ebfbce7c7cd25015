#include "gl/ClientArrays.h"

#include "gl/OpenGLRainbows.h"

void ReleaseKeptArrays(OpenGLRainbows& device) {
    ArrayLayout& kept = device.keptArrays;
    if (kept.arrays == 0) return;
    const GLExtensions& ext = device.ext;
    if (kept.arrays & kTexCoordArray1) {
        ext.glClientActiveTextureARB(GL_TEXTURE1_ARB);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (ext.glClientActiveTextureARB) ext.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    if (kept.arrays & kTexCoordArray0) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (kept.arrays & kColourArray) glDisableClientState(GL_COLOR_ARRAY);
    if (kept.arrays & kNormalArray) glDisableClientState(GL_NORMAL_ARRAY);
    if (kept.arrays & kVertexArray) glDisableClientState(GL_VERTEX_ARRAY);
    if (kept.buffer != 0) ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    kept = ArrayLayout{};
}
