#include "gfx3d/ObjectLoading.h"

#include <unistd.h>

#include <cstring>
#include <utility>

#include "files/FilePaths.h"
#include "gfx3d/ModelSet.h"
#include "gfx3d/ObjectFiles.h"
#include "gfx3d/Rainbows3D.h"

namespace gfx3d {

namespace {

bool StartsWithModelSetTag(const std::string& path) {
    const int fd = files::OpenFileForReading(path, nullptr);
    if (fd < 0) return false;
    char head[4] = {};
    const size_t got = files::ReadUpTo(fd, head, sizeof(head));
    close(fd);
    return got == sizeof(head) && std::memcmp(head, kModelSetTag, sizeof(head)) == 0;
}

} // namespace

bool LoadObjectFile(OpenGLRainbows* device, ResourceResolver* lookup, ObjectSlot& slot,
                    const std::string& path, const std::string& name, std::string& why,
                    std::vector<std::string>* setFiles) {
    if (StartsWithModelSetTag(path))
        return LoadModelSet(device, lookup, slot, path, name, setFiles);

    MeshObjectX& part = slot.parts.Push(MeshObjectX());
    const bool read = gfx3d::ReadObjectFile(part, path, false, &why);
    if (!read || part.frames.Count() == 0 || part.frames[0].packed.Count() == 0) {
        slot.Clear();
        if (read) why = "holds no vertices";
        return false;
    }
    slot.loaded = 1;
    slot.modelSet = 0;
    part.BuildTriangles();
    part.ComputeBoundingSpheres();
    return true;
}

std::string ReloadObjectFile(OpenGLRainbows* device, ResourceResolver* lookup, ObjectSlot& slot,
                             const std::string& path, const std::string& name,
                             std::vector<std::string>* setFiles) {
    ObjectSlot fresh;
    std::string why;
    if (!LoadObjectFile(device, lookup, fresh, path, name, why, setFiles))
        return why.empty() ? "damaged (see the lines above)" : why;
    std::swap(slot, fresh);
    fresh.Clear();
    return "";
}

} // namespace gfx3d
