// GLSL shaders for game code: 255 program slots, ids 0..254, each built from a vertex and a
// fragment shader file and selected for the drawing that follows. Every frame starts without a
// program (the fixed-function pipeline).
#pragma once

#include "text/RtString.h"

// Builds program id from the two files (an empty name leaves that stage out). 1 when it was
// built; 0 for an id outside 0..254, without shader support, or when a file is missing or does
// not compile or link (the GL's log of why goes into the runtime log).
double LoadShader(double id, const RtString& vertexFile, const RtString& fragmentFile);
// Ids 0..254 select that program; any other id goes back to fixed-function drawing.
void UseShader(double id);
// Sets a float uniform of the program in use (nothing when none is or it has no such uniform).
void SetShaderFloat(const RtString& name, double value);
