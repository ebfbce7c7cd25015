#include "gl/SpriteBatch.h"

#include "gl/OpenGLRainbows.h"

void PrepareClientArrays(OpenGLRainbows& device) {
    ReleaseKeptArrays(device);
    if (device.ext.glBindBufferARB) device.ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    if (device.ext.glClientActiveTextureARB) device.ext.glClientActiveTextureARB(GL_TEXTURE0_ARB);
}

void FlushSpriteBatch(OpenGLRainbows& device) {
    SpriteBatch& batch = device.batch;
    batch.id = -1;
    if (batch.vertices.empty()) return;
    PrepareClientArrays(device);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), batch.vertices.data());
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), batch.vertices.data() + 2);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(batch.vertices.size() / 4));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    batch.vertices.clear();
}
