#include "gfx3d/ObjectDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "gfx2d/SpriteStore.h"
#include "gfx3d/Effects.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "gl/OpenGLRainbows.h"
#include "gl/TextureUnits.h"

namespace {

const GLsizei kStride = sizeof(DrawVertex);

int ClampFrame(int index, int frameCount) {
    return std::max(0, std::min(index, frameCount - 1));
}

// The GL textures a part is drawn with, 0 for none.
struct PartTextures {
    GLuint a = 0;
    GLuint b = 0;
};

GLuint SpriteTexture(const SpriteStore& store, int id, bool mipmap) {
    if (!gfx2d::SpriteIdValid(id)) return 0;
    const SpriteSlot& slot = store.slots[static_cast<size_t>(id)];
    if (!slot.Loaded()) return 0;
    return mipmap && slot.mipmappedTexture ? slot.mipmappedTexture : slot.plainTexture;
}

GLuint ListTexture(const ObjectSlot& slot, int index) {
    return index >= 0 && index < slot.textures.Count() ? slot.textures[index] : 0;
}

void SetTexCoordArray(const GLExtensions& ext, GLenum unit, const char* base, size_t offset) {
    if (ext.glClientActiveTextureARB) ext.glClientActiveTextureARB(unit);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, kStride, VertexField(base, offset));
}

void DisableTexCoordArray(const GLExtensions& ext, GLenum unit) {
    if (ext.glClientActiveTextureARB) ext.glClientActiveTextureARB(unit);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// The buffer object the part's vertices are drawn from: the static one for frame 0 (filled
// when it is made), else the stream one. 0 without buffer objects: then GL reads the vertices
// from memory.
GLuint PartBuffer(OpenGLRainbows& device, MeshObjectX& part, const DrawVertex* vertices, int count,
                  bool staticFrame) {
    const GLExtensions& ext = device.ext;
    if (!ext.glGenBuffersARB || !ext.glBindBufferARB || !ext.glBufferDataARB) return 0;
    GLuint& buffer = part.buffers[staticFrame ? 0 : 1];
    if (buffer == 0) {
        part.bufferDevice = &device;
        ext.glGenBuffersARB(1, &buffer);
        ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
        ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(count) * kStride,
                            vertices, staticFrame ? GL_STATIC_DRAW_ARB : GL_STREAM_DRAW_ARB);
    }
    return buffer;
}

// Refills the bound stream buffer with this draw's vertices.
void StreamVertices(const GLExtensions& ext, const DrawVertex* vertices, int count) {
    ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(count) * kStride, vertices,
                        GL_STREAM_DRAW_ARB);
}

// Enables and points the arrays of a draw without effects, unless the last draw left exactly
// these enabled.
void KeepArrays(OpenGLRainbows& device, const ArrayLayout& layout) {
    if (device.keptArrays == layout) return;
    ReleaseKeptArrays(device);
    const GLExtensions& ext = device.ext;
    const char* base = static_cast<const char*>(layout.base);
    if (layout.buffer != 0) ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, layout.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, kStride, base);
    if (layout.arrays & kNormalArray) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, kStride, VertexField(base, offsetof(DrawVertex, nx)));
    }
    if (layout.arrays & kColourArray) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, kStride, VertexField(base, offsetof(DrawVertex, red)));
    }
    if (layout.arrays & kTexCoordArray1)
        SetTexCoordArray(ext, GL_TEXTURE1_ARB, base, offsetof(DrawVertex, u));
    if (layout.arrays & kTexCoordArray0)
        SetTexCoordArray(ext, GL_TEXTURE0_ARB, base, offsetof(DrawVertex, u));
    else if (ext.glClientActiveTextureARB)
        ext.glClientActiveTextureARB(GL_TEXTURE0_ARB);
    device.keptArrays = layout;
}

void BeginSphereMapping() {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void EndSphereMapping() {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

// A draw without effects: its arrays stay enabled for the next draw, which is how a run of
// copies of one object costs little more per copy than the draw itself.
void DrawPlain(OpenGLRainbows& device, const Scene3D& scene, MeshObjectX& part,
               const PartTextures& textures, const DrawVertex* vertices, int count,
               bool staticFrame, const Mat4& objectMatrix) {
    const GLExtensions& ext = device.ext;
    ArrayLayout layout;
    layout.buffer = PartBuffer(device, part, vertices, count, staticFrame);
    layout.base = layout.buffer != 0 ? nullptr : vertices;
    layout.arrays = kVertexArray;
    if (scene.lightMask != 0 || scene.sphereMapping) layout.arrays |= kNormalArray;
    if (part.usesVertexColours) layout.arrays |= kColourArray;
    if (textures.a) layout.arrays |= kTexCoordArray0;
    if (textures.a && textures.b && ext.glActiveTextureARB && ext.glClientActiveTextureARB)
        layout.arrays |= kTexCoordArray1;
    KeepArrays(device, layout);
    if (layout.buffer != 0 && !staticFrame) StreamVertices(ext, vertices, count);

    glEnable(GL_COLOR_MATERIAL);
    glPushMatrix();
    glMultMatrixf(objectMatrix.m);
    if (scene.sphereMapping) BeginSphereMapping();
    glDrawArrays(GL_TRIANGLES, 0, count);
    if (scene.sphereMapping) EndSphereMapping();
    glPopMatrix();
}

// A draw with bump mapping or cel shading, which sets arrays and texture units of its own and
// leaves none of them enabled.
void DrawWithEffect(OpenGLRainbows& device, Scene3D& scene, MeshObjectX& part,
                    const PartTextures& textures, EffectKind effect, const DrawVertex* vertices,
                    int count, int testedFrame, const Mat4& objectMatrix) {
    ReleaseKeptArrays(device);
    ForgetSecondUnit(device);
    const GLExtensions& ext = device.ext;
    const GLuint buffer = PartBuffer(device, part, vertices, count, false);
    const char* base = reinterpret_cast<const char*>(vertices);
    if (buffer != 0) {
        ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
        StreamVertices(ext, vertices, count);
        base = nullptr;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, kStride, base);
    gfx3d::SetEffectArrays(device, part, effect, base, textures.a, textures.b);

    glEnable(GL_COLOR_MATERIAL);
    glPushMatrix();
    glMultMatrixf(objectMatrix.m);
    if (scene.lightMask != 0 || scene.sphereMapping) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, kStride, VertexField(base, offsetof(DrawVertex, nx)));
        if (scene.sphereMapping) BeginSphereMapping();
    }
    glDrawArrays(GL_TRIANGLES, 0, count);

    if (scene.sphereMapping) EndSphereMapping();
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    if (ext.glActiveTextureARB && ext.glClientActiveTextureARB)
        DisableTexCoordArray(ext, GL_TEXTURE1_ARB);
    DisableTexCoordArray(ext, GL_TEXTURE0_ARB);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (buffer != 0) ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);

    if (effect == EffectKind::CelShading)
        gfx3d::FinishCelShading(device, scene, part, testedFrame, objectMatrix, textures.a,
                                textures.b);
    gfx3d::RestoreTextureCombine(ext);
    glPopMatrix();
}

// Fills the part's current vertices with the chosen frames; false when the frames do not
// share one vertex count.
bool FillCurrentVertices(MeshObjectX& part, const FrameChoice& choice, const Scene3D& scene) {
    const GrowArray<DrawVertex>& source = part.frames[choice.from].triangles;
    const GrowArray<DrawVertex>& target = part.frames[choice.to].triangles;
    GrowArray<DrawVertex>& current = part.currentVertices;
    if (current.Count() != source.Count()) current.CopyFrom(source);
    const int count = current.Count();
    if (choice.weight != 0 && choice.from != choice.to) {
        if (target.Count() != count) return false;
        const float w = choice.weight;
        for (int i = 0; i < count; ++i) {
            const DrawVertex& s = source[i];
            const DrawVertex& d = target[i];
            DrawVertex& v = current[i];
            v.x = s.x + (d.x - s.x) * w;
            v.y = s.y + (d.y - s.y) * w;
            v.z = s.z + (d.z - s.z) * w;
            v.nx = s.nx + (d.nx - s.nx) * w;
            v.ny = s.ny + (d.ny - s.ny) * w;
            v.nz = s.nz + (d.nz - s.nz) * w;
            // Fresh coordinates, so an offset never adds up from draw to draw.
            v.u = s.u;
            v.v = s.v;
        }
    } else {
        const GrowArray<DrawVertex>& whole = choice.weight != 0 ? target : source;
        std::copy(whole.begin(), whole.end(), current.begin());
    }
    const float du = scene.textureOffset[0], dv = scene.textureOffset[1];
    if (du != 0 || dv != 0)
        for (DrawVertex& v : current) {
            v.u += du;
            v.v += dv;
        }
    return true;
}

void DrawPart(OpenGLRainbows& device, Scene3D& scene, MeshObjectX& part,
              const PartTextures& textures, int a, int b, double t, bool positional,
              bool smoothNormals) {
    if (part.frames.Empty() || part.frames[0].packed.Empty()) return;
    const FrameChoice choice = gfx3d::ChooseFrames(part.frames.Count(), a, b, t, positional);
    const Mat4& objectMatrix = scene.transform.Composed();
    const ObjectFrame& tested = part.frames[choice.tested];
    if (gfx3d::SphereCulled(scene, objectMatrix.m, tested.centre, tested.radius)) return;

    const float alpha = gfx2d::Sprites(device).globalAlpha;
    glColor4f(alpha, alpha, alpha, alpha);
    const EffectKind effect = scene.effectLight.enabled ? scene.effectLight.kind : EffectKind::None;
    if (part.currentVertices.Empty()) part.BuildTriangles();
    if (effect != EffectKind::None) gfx3d::PrepareEffect(part, effect, smoothNormals);

    const bool single = choice.weight == 0 || choice.from == choice.to;
    const int shown = choice.weight == 0 ? choice.from : choice.to;
    const bool direct = single && effect == EffectKind::None && scene.textureOffset[0] == 0 &&
                        scene.textureOffset[1] == 0;
    const DrawVertex* vertices;
    int count;
    if (direct) {
        vertices = part.frames[shown].triangles.Data();
        count = part.frames[shown].triangles.Count();
    } else {
        if (!FillCurrentVertices(part, choice, scene)) return;
        if (effect != EffectKind::None) gfx3d::WriteEffectValues(scene, part, effect, objectMatrix);
        vertices = part.currentVertices.Data();
        count = part.currentVertices.Count();
    }
    if (count == 0) return;
    ++scene.partsDrawn;

    if (effect == EffectKind::ShadowVolumes) {
        gfx3d::DrawShadowVolume(scene, part, vertices, count, objectMatrix);
        return;
    }

    if (effect == EffectKind::None) {
        DrawPlain(device, scene, part, textures, vertices, count, direct && shown == 0,
                  objectMatrix);
    } else {
        DrawWithEffect(device, scene, part, textures, effect, vertices, count, choice.tested,
                       objectMatrix);
        glColor4f(alpha, alpha, alpha, alpha);
    }
}

} // namespace

FrameChoice gfx3d::ChooseFrames(int frameCount, int a, int b, double t, bool positional) {
    FrameChoice choice;
    if (frameCount <= 0) return choice;
    if (!std::isfinite(t)) t = 0;
    if (!positional) {
        choice.from = ClampFrame(a, frameCount);
        choice.to = ClampFrame(b, frameCount);
        choice.weight = static_cast<float>(t);
        choice.tested = choice.to;
        return choice;
    }
    if (t < 0 || t > 1) t = std::fabs(std::fmod(t, 1.0));
    if (a == b) {
        choice.from = choice.to = choice.tested = ClampFrame(a, frameCount);
        return choice;
    }
    const double p = a + (static_cast<double>(b) - a) * t;
    // Far outside the frames only the clamped ends matter; this keeps i + 1 in range.
    const double whole = std::max(-1.0, std::min(std::trunc(p), static_cast<double>(frameCount)));
    const int i = static_cast<int>(whole);
    choice.from = ClampFrame(i, frameCount);
    choice.to = ClampFrame(i + 1, frameCount);
    choice.weight = static_cast<float>(p - whole);
    choice.tested = ClampFrame(a < b ? i : i + 1, frameCount);
    return choice;
}

bool gfx3d::SphereCulled(const Scene3D& scene, const float m[16], const float centre[3],
                         float radius) {
    float world[3];
    for (int r = 0; r < 3; ++r)
        world[r] = m[r] * centre[0] + m[4 + r] * centre[1] + m[8 + r] * centre[2] + m[12 + r];
    float smallestScale = 1e30f;
    for (int c = 0; c < 3; ++c)
        smallestScale =
            std::min(smallestScale, std::sqrt(m[c * 4] * m[c * 4] + m[c * 4 + 1] * m[c * 4 + 1] +
                                              m[c * 4 + 2] * m[c * 4 + 2]));
    const float scaled = radius * smallestScale;
    for (const auto& plane : scene.frustum)
        if (plane[0] * world[0] + plane[1] * world[1] + plane[2] * world[2] + plane[3] <= -scaled)
            return true;
    return false;
}

void gfx3d::DrawSlot(OpenGLRainbows& device, Scene3D& scene, ObjectSlot& slot, int a, int b,
                     double t, bool positional, bool smoothNormals) {
    if (!slot.loaded) return;
    const SpriteStore& store = gfx2d::Sprites(device);
    for (MeshObjectX& part : slot.parts) {
        PartTextures textures;
        if (slot.modelSet) {
            textures.a = ListTexture(slot, part.textureA);
            textures.b = ListTexture(slot, part.textureB);
            BindTexturePair(device, textures.a, textures.b);
        } else {
            textures.a = SpriteTexture(store, device.binding.id, device.binding.mipmap);
            textures.b =
                textures.a ? SpriteTexture(store, device.binding.second, device.binding.mipmap) : 0;
        }
        DrawPart(device, scene, part, textures, a, b, t, positional, smoothNormals);
    }
}
