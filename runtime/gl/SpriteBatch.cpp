#include "gl/SpriteBatch.h"

#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"

namespace {

// A batch is drawn once it holds this many quads: the software rasteriser measured fastest with
// draws of this size (larger ones slowed it at 50 000 sprites a frame).
const size_t kMaxBatchQuads = 512;

void DrawImmediate(const float corners[16]) {
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(corners[i * 4 + 2], corners[i * 4 + 3]);
        glVertex2f(corners[i * 4], corners[i * 4 + 1]);
    }
    glEnd();
}

} // namespace

void PrepareClientArrays(OpenGLRainbows& device) {
    ReleaseKeptArrays(device);
    if (device.ext.glBindBufferARB) device.ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    if (device.ext.glClientActiveTextureARB) device.ext.glClientActiveTextureARB(GL_TEXTURE0_ARB);
}

void FlushSpriteBatch(OpenGLRainbows& device) {
    if (!device.sprites) return;
    SpriteBatch& batch = Sprites(device).batch;
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

void BatchQuad(OpenGLRainbows& device, int id, const float corners[16]) {
    SpriteBatch& batch = Sprites(device).batch;
    if (!batch.enabled) {
        BindSpriteTexture(device, id, -1, false);
        DrawImmediate(corners);
        return;
    }
    if (batch.id != id || batch.vertices.size() >= kMaxBatchQuads * 16) {
        BindSpriteTexture(device, id, -1, false); // flushes what came before
        batch.id = id;
    }
    batch.vertices.insert(batch.vertices.end(), corners, corners + 16);
}
