#include "gfx3d/Shaders.h"

#include <algorithm>
#include <sstream>

#include "core/ErrorLog.h"
#include "files/ResourceLookup.h"
#include "gfx3d/Rainbows3D.h"
#include "gl/GLExtensions.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"
#include "os/Printable.h"

namespace {

// Shader texts are small; a larger file is cut here and then fails to compile.
const size_t kLargestShaderFile = size_t{1} << 20;

bool CanBuild(const GLExtensions& ext) {
    return ext.glCreateProgramObjectARB && ext.glDeleteObjectARB && ext.glCreateShaderObjectARB &&
           ext.glShaderSourceARB && ext.glCompileShaderARB && ext.glGetObjectParameterivARB &&
           ext.glAttachObjectARB && ext.glGetInfoLogARB && ext.glLinkProgramARB;
}

bool ValidSlot(int id) {
    return id >= 0 && id < ShaderTable::kSlotCount;
}

// A program with its shaders, as built from a slot's files.
struct Program {
    GLhandleARB program = 0;
    GLhandleARB vertexShader = 0;
    GLhandleARB fragmentShader = 0;
};

void Delete(const GLExtensions& ext, GLhandleARB& object) {
    if (object && ext.glDeleteObjectARB) ext.glDeleteObjectARB(object);
    object = 0;
}

void Delete(const GLExtensions& ext, Program& built) {
    Delete(ext, built.program);
    Delete(ext, built.vertexShader);
    Delete(ext, built.fragmentShader);
}

// The GL's log of a shader or program, one log line per line of it.
void LogInfoLog(const GLExtensions& ext, GLhandleARB object) {
    GLint length = 0;
    ext.glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 0) return;
    std::string text(static_cast<size_t>(length), '\0');
    GLsizei written = 0;
    ext.glGetInfoLogARB(object, length, &written, text.data());
    text.resize(static_cast<size_t>(std::max<GLsizei>(0, std::min<GLsizei>(written, length))));
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) AppendLogLine(os::Printable(line));
}

bool Succeeded(const GLExtensions& ext, GLhandleARB object, GLenum status) {
    GLint done = 0;
    ext.glGetObjectParameterivARB(object, status, &done);
    return done != 0;
}

// Reads and compiles one stage; a stage whose file is named but cannot be read fails the
// build. A compile that fails is logged; the link then fails too.
bool CompileStage(const GLExtensions& ext, ResourceResolver* lookup, const char* command,
                  GLenum type, const std::string& file, GLhandleARB& shader) {
    if (file.empty()) return true;
    std::string source;
    if (!files::ReadResource(lookup, file, source, kLargestShaderFile)) {
        LogFailedLoad(command, file, "not found");
        return false;
    }
    shader = ext.glCreateShaderObjectARB(type);
    const GLcharARB* text = source.data();
    const GLint length = static_cast<GLint>(source.size());
    ext.glShaderSourceARB(shader, 1, &text, &length);
    ext.glCompileShaderARB(shader);
    if (!Succeeded(ext, shader, GL_OBJECT_COMPILE_STATUS_ARB)) {
        LogFailedLoad(command, file, "does not compile");
        LogInfoLog(ext, shader);
    }
    return true;
}

// Builds a program from the slot's files into built. True when it linked.
bool Build(const GLExtensions& ext, ResourceResolver* lookup, const char* command,
           const ShaderSlot& slot, Program& built) {
    if (!CompileStage(ext, lookup, command, GL_VERTEX_SHADER_ARB, slot.vertexFile,
                      built.vertexShader) ||
        !CompileStage(ext, lookup, command, GL_FRAGMENT_SHADER_ARB, slot.fragmentFile,
                      built.fragmentShader))
        return false;
    if (!built.vertexShader && !built.fragmentShader) return false;
    built.program = ext.glCreateProgramObjectARB();
    for (GLhandleARB shader : {built.vertexShader, built.fragmentShader})
        if (shader) ext.glAttachObjectARB(built.program, shader);
    ext.glLinkProgramARB(built.program);
    if (Succeeded(ext, built.program, GL_OBJECT_LINK_STATUS_ARB)) return true;
    AppendLogLine(std::string(command) + "(\"" + os::Printable(slot.vertexFile) + "\", \"" +
                  os::Printable(slot.fragmentFile) + "\"): does not link");
    LogInfoLog(ext, built.program);
    return false;
}

void Store(ShaderSlot& slot, const Program& built) {
    slot.program = built.program;
    slot.vertexShader = built.vertexShader;
    slot.fragmentShader = built.fragmentShader;
}

Program Held(const ShaderSlot& slot) {
    return Program{slot.program, slot.vertexShader, slot.fragmentShader};
}

} // namespace

int gfx3d::LoadShader(OpenGLRainbows& device, Rainbows3D& engine, ResourceResolver* lookup, int id,
                      const std::string& vertexFile, const std::string& fragmentFile) {
    if (!ValidSlot(id)) return 0;
    const GLExtensions& ext = device.ext;
    ShaderTable& table = engine.shaders;
    if (!CanBuild(ext)) {
        if (!table.missingSupportLogged) AppendLogLine("No OpenGL 2.0 Shader Support");
        table.missingSupportLogged = true;
        return 0;
    }
    ShaderSlot& slot = table.slots[id];
    Program old = Held(slot);
    Delete(ext, old);
    Store(slot, old);
    slot.vertexFile = vertexFile;
    slot.fragmentFile = fragmentFile;
    Program built;
    const bool linked = Build(ext, lookup, "LoadShader", slot, built);
    // A program that failed to link stays in the slot, as the GL left it.
    Store(slot, built);
    if (table.current == id) UseShader(device, engine, id);
    return linked ? 1 : 0;
}

bool gfx3d::RebuildShader(OpenGLRainbows& device, Rainbows3D& engine, ResourceResolver* lookup,
                          int id) {
    if (!ValidSlot(id) || !CanBuild(device.ext)) return false;
    ShaderSlot& slot = engine.shaders.slots[id];
    if (slot.vertexFile.empty() && slot.fragmentFile.empty()) return false;
    Program built;
    if (!Build(device.ext, lookup, "RebuildShader", slot, built)) {
        Delete(device.ext, built);
        AppendLogLine("RebuildShader(" + std::to_string(id) + "): the old program stays");
        return false;
    }
    Program old = Held(slot);
    Delete(device.ext, old);
    Store(slot, built);
    if (engine.shaders.current == id) UseShader(device, engine, id);
    return true;
}

std::vector<std::string> gfx3d::ShaderFiles(const Rainbows3D& engine, int id) {
    std::vector<std::string> files;
    if (!ValidSlot(id)) return files;
    const ShaderSlot& slot = engine.shaders.slots[id];
    for (const std::string* file : {&slot.vertexFile, &slot.fragmentFile})
        if (!file->empty()) files.push_back(*file);
    return files;
}

void gfx3d::UseShader(OpenGLRainbows& device, Rainbows3D& engine, int id) {
    const GLExtensions& ext = device.ext;
    if (!ext.glUseProgramObjectARB) return;
    ShaderTable& table = engine.shaders;
    table.current = ValidSlot(id) ? id : -1;
    FlushSpriteBatch(device);
    ext.glUseProgramObjectARB(ValidSlot(id) ? table.slots[id].program : 0);
}

void gfx3d::SetShaderFloat(OpenGLRainbows& device, Rainbows3D& engine, const std::string& name,
                           float value) {
    const GLExtensions& ext = device.ext;
    const ShaderTable& table = engine.shaders;
    if (table.current < 0 || !ext.glGetUniformLocationARB || !ext.glUniform1fARB) return;
    const GLhandleARB program = table.slots[table.current].program;
    if (!program) return;
    // Sprites still waiting in the batch were drawn with the value before.
    FlushSpriteBatch(device);
    const GLint location = ext.glGetUniformLocationARB(program, name.c_str());
    if (location != -1) ext.glUniform1fARB(location, value);
}

void gfx3d::ReleaseShaders(OpenGLRainbows& device, Rainbows3D& engine) {
    if (engine.shaders.current >= 0) UseShader(device, engine, -1);
    for (ShaderSlot& slot : engine.shaders.slots) {
        Program held = Held(slot);
        Delete(device.ext, held);
        Store(slot, held);
    }
}
