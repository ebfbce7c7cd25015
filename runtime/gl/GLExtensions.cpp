#include "gl/GLExtensions.h"

#include <cstring>
#include <type_traits>

#include "os/Window.h"

bool GLExtensionListed(const char* name) {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return list && std::strstr(list, name) != nullptr;
}

void GLExtensions::Load(os::Window& window, ExtensionsOff off) {
    *this = GLExtensions{};
    if (!window.HasGL()) return;
    auto get = [&window](auto& entry, const char* name) {
        entry =
            reinterpret_cast<std::remove_reference_t<decltype(entry)>>(window.GetProcAddress(name));
    };
    if (GLExtensionListed("GL_ARB_multitexture")) {
        get(glActiveTextureARB, "glActiveTextureARB");
        get(glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
        get(glClientActiveTextureARB, "glClientActiveTextureARB");
        get(glGenBuffersARB, "glGenBuffersARB");
        get(glBindBufferARB, "glBindBufferARB");
        get(glBufferDataARB, "glBufferDataARB");
        get(glDeleteBuffersARB, "glDeleteBuffersARB");
        get(glMapBufferARB, "glMapBufferARB");
        get(glUnmapBufferARB, "glUnmapBufferARB");
        get(glGetBufferParameterivARB, "glGetBufferParameterivARB");
    }
    if (!off.shaders && GLExtensionListed("GL_ARB_fragment_program")) {
        get(glCreateProgramObjectARB, "glCreateProgramObjectARB");
        get(glDeleteObjectARB, "glDeleteObjectARB");
        get(glCreateShaderObjectARB, "glCreateShaderObjectARB");
        get(glShaderSourceARB, "glShaderSourceARB");
        get(glCompileShaderARB, "glCompileShaderARB");
        get(glGetObjectParameterivARB, "glGetObjectParameterivARB");
        get(glAttachObjectARB, "glAttachObjectARB");
        get(glGetInfoLogARB, "glGetInfoLogARB");
        get(glLinkProgramARB, "glLinkProgramARB");
        get(glUseProgramObjectARB, "glUseProgramObjectARB");
        get(glGetUniformLocationARB, "glGetUniformLocationARB");
        get(glUniform1fARB, "glUniform1fARB");
        get(glUniform1iARB, "glUniform1iARB");
    }
    if (off.framebuffers) return;
    get(glBindRenderbufferEXT, "glBindRenderbufferEXT");
    get(glDeleteRenderbuffersEXT, "glDeleteRenderbuffersEXT");
    get(glGenRenderbuffersEXT, "glGenRenderbuffersEXT");
    get(glRenderbufferStorageEXT, "glRenderbufferStorageEXT");
    get(glBindFramebufferEXT, "glBindFramebufferEXT");
    get(glDeleteFramebuffersEXT, "glDeleteFramebuffersEXT");
    get(glGenFramebuffersEXT, "glGenFramebuffersEXT");
    get(glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT");
    get(glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT");
    get(glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT");
}
