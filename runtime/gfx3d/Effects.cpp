#include "gfx3d/Effects.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/Runtime.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Normals.h"
#include "gfx3d/Rainbows3D.h"
#include "gl/OpenGLRainbows.h"

namespace {

const GLsizei kStride = sizeof(DrawVertex);
const int kRampWidth = 64;
const int kMaxRampHeight = 32768;
// Brightness of the cel-shading steps, dark to bright.
const unsigned char kCelBrightness[16] = {100, 160, 160, 160, 160, 160, 160, 207,
                                          255, 255, 255, 255, 255, 255, 255, 255};
const float kOutlineFactor = 0.003f;

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

// One row per colour-table entry: the colour darkened by the brightness steps along the row.
void MakeRampTexture(MeshObjectX& part) {
    const int entries = std::max(1, part.colourTable.Count());
    const int height = std::min(NextPowerOfTwo(entries), kMaxRampHeight);
    std::vector<unsigned char> texels(static_cast<size_t>(kRampWidth) * height * 4, 0);
    const int rows = std::min(entries, height);
    for (int row = 0; row < rows; ++row) {
        const uint32_t colour = row < part.colourTable.Count() ? part.colourTable[row] : ColorWhite;
        for (int x = 0; x < kRampWidth; ++x) {
            const int brightness = kCelBrightness[x * 16 / kRampWidth];
            unsigned char* texel = &texels[(static_cast<size_t>(row) * kRampWidth + x) * 4];
            for (int c = 0; c < 3; ++c)
                texel[c] = IsColourCode(colour)
                               ? static_cast<unsigned char>(brightness)
                               : static_cast<unsigned char>(((colour >> (8 * c)) & 0xFF) *
                                                            brightness / 255);
            texel[3] = 255;
        }
    }
    glGenTextures(1, &part.texture);
    glBindTexture(GL_TEXTURE_2D, part.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kRampWidth, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    part.textureRowScale = 1.0f / static_cast<float>(height);
}

void DirectionTo(const float from[3], const float to[3], float out[3]) {
    out[0] = to[0] - from[0];
    out[1] = to[1] - from[1];
    out[2] = to[2] - from[2];
    gfx3d::NormaliseIfLong(out);
}

void SetTexCoords(const GLExtensions& ext, GLenum unit, const char* base, size_t offset) {
    ext.glClientActiveTextureARB(unit);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, kStride, VertexField(base, offset));
}

void BindOnUnit(const GLExtensions& ext, GLenum unit, GLuint texture) {
    ext.glActiveTextureARB(unit);
    if (texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

float MeanAxisScale(const Mat4& m) {
    return (gfx3d::ColumnLength(m, 0) + gfx3d::ColumnLength(m, 1) + gfx3d::ColumnLength(m, 2)) /
           3.0f;
}

} // namespace

void gfx3d::PrepareEffect(MeshObjectX& part, EffectKind effect, bool smoothNormals) {
    switch (effect) {
    case EffectKind::BumpMapping: gfx3d::ComputeNormals(part, true, smoothNormals, true); break;
    case EffectKind::CelShading:
        gfx3d::ComputeNormals(part, true, false, false);
        if (part.texture == 0) MakeRampTexture(part);
        break;
    case EffectKind::ShadowVolumes: gfx3d::ComputeNormals(part, true, false, false); break;
    case EffectKind::None: break;
    }
}

void gfx3d::WriteEffectValues(const Scene3D& scene, MeshObjectX& part, EffectKind effect,
                              const Mat4& objectMatrix) {
    float light[3];
    RigidInverseTransform(objectMatrix, scene.effectLight.position, light);
    if (effect == EffectKind::BumpMapping) {
        for (DrawVertex& v : part.currentVertices) {
            const float position[3] = {v.x, v.y, v.z};
            float l[3];
            DirectionTo(position, light, l);
            v.spare[0] = (l[0] * v.tx + l[1] * v.ty + l[2] * v.tz) * 0.5f + 0.5f;
            v.spare[1] = (l[0] * v.bx + l[1] * v.by + l[2] * v.bz) * 0.5f + 0.5f;
            v.spare[2] = (l[0] * v.nx + l[1] * v.ny + l[2] * v.nz) * 0.5f + 0.5f;
        }
    } else if (effect == EffectKind::CelShading) {
        for (DrawVertex& v : part.currentVertices) {
            const float position[3] = {v.x, v.y, v.z};
            float l[3];
            DirectionTo(position, light, l);
            const float c = l[0] * v.nx + l[1] * v.ny + l[2] * v.nz;
            // The ramp coordinates replace the bitangent, which cel shading does not use.
            v.bx = std::max(0.05f, std::min(0.95f, c));
            v.by = (static_cast<float>(v.colourIndex) + 0.5f) * part.textureRowScale;
        }
    }
}

void gfx3d::SetEffectArrays(OpenGLRainbows& device, const MeshObjectX& part, EffectKind effect,
                            const char* base, GLuint textureA, GLuint textureB) {
    const GLExtensions& ext = device.ext;
    const bool multitexture = ext.glActiveTextureARB && ext.glClientActiveTextureARB;
    if (effect == EffectKind::BumpMapping) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, kStride, VertexField(base, offsetof(DrawVertex, spare)));
        if (!multitexture) return;
        BindOnUnit(ext, GL_TEXTURE1_ARB, textureB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        if (textureB) SetTexCoords(ext, GL_TEXTURE1_ARB, base, offsetof(DrawVertex, u));
        BindOnUnit(ext, GL_TEXTURE0_ARB, textureA);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_DOT3_RGB_EXT);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_PRIMARY_COLOR_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB_ARB, GL_SRC_COLOR);
        if (textureA) SetTexCoords(ext, GL_TEXTURE0_ARB, base, offsetof(DrawVertex, u));
        return;
    }
    // Cel shading: texture A on unit 0, the brightness ramp on unit 1.
    if (!multitexture) {
        if (textureA) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, kStride, VertexField(base, offsetof(DrawVertex, u)));
        }
        return;
    }
    BindOnUnit(ext, GL_TEXTURE1_ARB, part.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    SetTexCoords(ext, GL_TEXTURE1_ARB, base, offsetof(DrawVertex, bx));
    BindOnUnit(ext, GL_TEXTURE0_ARB, textureA);
    if (textureA) SetTexCoords(ext, GL_TEXTURE0_ARB, base, offsetof(DrawVertex, u));
}

void gfx3d::FinishCelShading(OpenGLRainbows& device, const Scene3D& scene, MeshObjectX& part,
                             int frame, const Mat4& objectMatrix, GLuint textureA,
                             GLuint textureB) {
    const GLExtensions& ext = device.ext;
    if (scene.cullMode != 0 && !part.frames.Empty()) {
        const ObjectFrame& tested =
            part.frames[std::max(0, std::min(frame, part.frames.Count() - 1))];
        float eye[3];
        RigidInverseTransform(objectMatrix, scene.eye, eye);
        const float dx = eye[0] - tested.centre[0], dy = eye[1] - tested.centre[1],
                    dz = eye[2] - tested.centre[2];
        // The outline keeps one width on screen: the push is measured in world units and
        // turned into object units by the object's mean scale.
        const float scale = MeanAxisScale(objectMatrix);
        float d = std::sqrt(dx * dx + dy * dy + dz * dz) * scene.viewConeTangent * kOutlineFactor /
                  (scale > 1e-7f ? scale : 1.0f);
        d = std::max(d, 1e-7f);
        if (d <= tested.radius * 0.5f) {
            std::vector<float> pushed(static_cast<size_t>(part.currentVertices.Count()) * 3);
            size_t k = 0;
            for (const DrawVertex& v : part.currentVertices) {
                pushed[k++] = v.x + v.nx * d;
                pushed[k++] = v.y + v.ny * d;
                pushed[k++] = v.z + v.nz * d;
            }
            glFrontFace(scene.cullMode > 0 ? GL_CCW : GL_CW);
            if (ext.glActiveTextureARB) BindOnUnit(ext, GL_TEXTURE1_ARB, 0);
            if (ext.glActiveTextureARB) ext.glActiveTextureARB(GL_TEXTURE0_ARB);
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_COLOR_MATERIAL);
            const GLboolean lighting = glIsEnabled(GL_LIGHTING);
            glDisable(GL_LIGHTING);
            glColor3f(0, 0, 0);
            glDepthFunc(GL_LEQUAL);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(3, GL_FLOAT, 0, pushed.data());
            glDrawArrays(GL_TRIANGLES, 0, part.currentVertices.Count());
            glDisableClientState(GL_VERTEX_ARRAY);
            glDisable(GL_BLEND);
            glDepthFunc(GL_LESS);
            glFrontFace(scene.cullMode > 0 ? GL_CW : GL_CCW);
            if (lighting) glEnable(GL_LIGHTING);
            glEnable(GL_COLOR_MATERIAL);
        }
    }
    if (ext.glActiveTextureARB) {
        BindOnUnit(ext, GL_TEXTURE1_ARB, textureA && textureB ? textureB : 0);
        BindOnUnit(ext, GL_TEXTURE0_ARB, textureA);
    } else if (textureA) {
        glBindTexture(GL_TEXTURE_2D, textureA);
        glEnable(GL_TEXTURE_2D);
    }
}

void gfx3d::RestoreTextureCombine(const GLExtensions& ext) {
    if (ext.glActiveTextureARB) {
        ext.glActiveTextureARB(GL_TEXTURE1_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}
