// GLSL programs built from a vertex and a fragment shader file, kept in 255 numbered slots of
// the 3D engine and selected for the drawing that follows. Files are read through the resource
// lookup, so they may come from the resource pack.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <string>
#include <vector>

class OpenGLRainbows;
class Rainbows3D;
class ResourceResolver;

struct ShaderSlot {
    GLhandleARB program = 0;
    GLhandleARB vertexShader = 0;
    GLhandleARB fragmentShader = 0;
    // The file names game code gave (empty for a stage left out): a rebuild reads them again.
    std::string vertexFile;
    std::string fragmentFile;
};

struct ShaderTable {
    static constexpr int kSlotCount = 255;
    std::array<ShaderSlot, kSlotCount> slots;
    // The slot whose program is in use; -1 for the fixed-function pipeline.
    int current = -1;
    // Set once "No OpenGL 2.0 Shader Support" is in the log.
    bool missingSupportLogged = false;
};

namespace gfx3d {

// Builds slot id's program from the two files, found through lookup (an empty name leaves that
// stage out), replacing what the slot held. 1 when a program was compiled and linked; 0 for an id
// outside 0..254, without shader support (said once in the log), for a file that cannot be read,
// and for a failed compile or link, whose log goes into the runtime log (a program that failed to
// link stays in the slot).
int LoadShader(OpenGLRainbows& device, Rainbows3D& engine, ResourceResolver* lookup, int id,
               const std::string& vertexFile, const std::string& fragmentFile);
// Builds slot id's program again from the files it was loaded from. When that fails, the slot
// keeps the program it had (the reason is in the runtime log) and the result is false.
bool RebuildShader(OpenGLRainbows& device, Rainbows3D& engine, ResourceResolver* lookup, int id);
// The files slot id was built from: the vertex file first, names left out skipped; nothing
// for an id outside 0..254.
std::vector<std::string> ShaderFiles(const Rainbows3D& engine, int id);
// Ids 0..254 select that slot's program for the drawing that follows, any other id the
// fixed-function pipeline. Nothing happens without shader support.
void UseShader(OpenGLRainbows& device, Rainbows3D& engine, int id);
// Sets the float uniform of that name in the program in use; ignored when there is none or the
// program has no such uniform.
void SetShaderFloat(OpenGLRainbows& device, Rainbows3D& engine, const std::string& name,
                    float value);
// Deletes every slot's program and shaders; run while the GL context still exists.
void ReleaseShaders(OpenGLRainbows& device, Rainbows3D& engine);

} // namespace gfx3d
