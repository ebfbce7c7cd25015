// The lighting effects of object drawing, chosen by the effect light: dot3 bump mapping, cel
// shading with a brightness ramp and an outline, and stencil shadow volumes.
#pragma once

#include <GL/gl.h>

#include "gfx3d/Scene3D.h"

class MeshObjectX;
class OpenGLRainbows;
struct DrawVertex;
struct GLExtensions;

namespace gfx3d {

// Makes sure the part has what the effect needs: normals (and tangents for bump mapping), the
// shading ramp for cel shading.
void PrepareEffect(MeshObjectX& part, EffectKind effect, bool smoothNormals);
// Writes the per-vertex effect values into the part's current vertices.
void WriteEffectValues(const Scene3D& scene, MeshObjectX& part, EffectKind effect,
                       const Mat4& objectMatrix);
// Sets the texture units and client arrays of bump mapping or cel shading.
void SetEffectArrays(OpenGLRainbows& device, const MeshObjectX& part, EffectKind effect,
                     const char* base, GLuint textureA, GLuint textureB);
// Draws the cel-shading outline when culling is on, then restores the texture pair.
void FinishCelShading(OpenGLRainbows& device, const Scene3D& scene, MeshObjectX& part, int frame,
                      const Mat4& objectMatrix, GLuint textureA, GLuint textureB);
// Both texture units back to GL_MODULATE.
void RestoreTextureCombine(const GLExtensions& ext);

// Marks the stencil with the part's shadow volume against the effect light; draws no colour.
void DrawShadowVolume(Scene3D& scene, MeshObjectX& part, const DrawVertex* vertices, int count,
                      const Mat4& objectMatrix);

} // namespace gfx3d
