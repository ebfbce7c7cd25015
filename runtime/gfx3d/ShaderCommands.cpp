#include "gfx3d/ShaderCommands.h"

#include <optional>
#include <string>
#include <vector>

#include "core/Number.h"
#include "core/Runtime.h"
#include "files/ResourceLookup.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Shaders.h"
#include "gl/OpenGLRainbows.h"

namespace {

// With the hot reload on, a program is built again when one of its files on disk changes; a
// build that fails keeps the program the slot has. Programs from a pack are not watched.
void WatchShaderFiles(Runtime& rt, int id) {
    if (!rt.watcher) return;
    const std::string key = "shader " + std::to_string(id);
    std::vector<std::string> paths;
    for (const std::string& file : gfx3d::ShaderFiles(*rt.objects, id)) {
        ResourceResolver* lookup = rt.resolvers[0].get();
        const std::optional<std::string> path = files::Resolve(lookup, file);
        if (!path || !files::ResolvedOnDisk(lookup, *path)) return ForgetAssetFiles(key);
        paths.push_back(*path);
    }
    WatchAssetFiles(key, paths, [id] {
        Runtime& rt = Rt();
        if (!rt.gfx || !rt.objects) return std::string("no graphics device");
        return gfx3d::RebuildShader(*rt.gfx, *rt.objects, rt.resolvers[0].get(), id)
                   ? std::string()
                   : std::string("does not build");
    });
}

} // namespace

double LoadShader(double id, const RtString& vertexFile, const RtString& fragmentFile) {
    Runtime& rt = Rt();
    if (!rt.gfx || !rt.objects) return 0;
    const double built = gfx3d::LoadShader(*rt.gfx, *rt.objects, rt.resolvers[0].get(), ToInt(id),
                                           vertexFile.CText(), fragmentFile.CText());
    WatchShaderFiles(rt, ToInt(id));
    return built;
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
