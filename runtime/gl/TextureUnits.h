// Texture unit 1 holds the second texture of a pair. It is visited only when it must change:
// switching the active unit makes the GL driver validate its texture state again, which costs
// more than drawing a small object, and most draws leave unit 1 switched off.
#pragma once

#include <GL/gl.h>

class OpenGLRainbows;

// Binds texture on unit 1 and switches texturing on there, or switches it off for 0. Leaves
// unit 0 active. Does nothing without multitexturing.
void SetSecondUnitTexture(OpenGLRainbows& device, GLuint texture);
// Binds a on unit 0 and b on unit 1 (b only together with a), switching texturing off on a unit
// without a texture.
void BindTexturePair(OpenGLRainbows& device, GLuint a, GLuint b);
// For code that changes unit 1 by itself: the next SetSecondUnitTexture visits the unit again.
void ForgetSecondUnit(OpenGLRainbows& device);
