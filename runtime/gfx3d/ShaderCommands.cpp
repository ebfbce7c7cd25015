#include "gfx3d/ShaderCommands.h"

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Shaders.h"
#include "gl/OpenGLRainbows.h"

double LoadShader(double id, const RtString& vertexFile, const RtString& fragmentFile) {
    Runtime& rt = Rt();
    if (!rt.gfx || !rt.objects) return 0;
    return gfx3d::LoadShader(*rt.gfx, *rt.objects, ToInt(id), vertexFile.CText(),
                             fragmentFile.CText());
}

void UseShader(double id) {
    Runtime& rt = Rt();
    if (rt.gfx && rt.objects) gfx3d::UseShader(*rt.gfx, *rt.objects, ToInt(id));
}

void SetShaderFloat(const RtString& name, double value) {
    Runtime& rt = Rt();
    if (rt.gfx && rt.objects)
        gfx3d::SetShaderFloat(*rt.gfx, *rt.objects, name.CText(), static_cast<float>(value));
}
