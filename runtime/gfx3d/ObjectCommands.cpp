#include "gfx3d/ObjectCommands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "files/FilePaths.h"
#include "files/ResourceLookup.h"
#include "gfx3d/DddBinary.h"
#include "gfx3d/ObjectBuilding.h"
#include "gfx3d/ObjectLoading.h"
#include "gfx3d/Rainbows3D.h"
#include "os/System.h"

namespace {

ObjectSlot* FindSlot(double id) {
    Rainbows3D* scene = Rt().objects.get();
    return scene ? scene->Slot(ToInt(id)) : nullptr;
}

// The slot being built, or null.
ObjectSlot* BuildingSlot() {
    Rainbows3D* scene = Rt().objects.get();
    return scene ? scene->Slot(scene->buildingId) : nullptr;
}

std::string WatchKey(int id) {
    return "object " + std::to_string(id);
}

// Loads object id again from its file (the model set's own file for a set, whose parts are looked
// up by name again) and watches the files it now came from.
struct ObjectReload {
    int id;
    std::string path;
    std::string name;

    std::string operator()() const {
        Rainbows3D* objects = Rt().objects.get();
        ObjectSlot* slot = objects ? objects->Slot(id) : nullptr;
        if (!slot) return "no 3D device";
        std::vector<std::string> watched{path};
        const std::string why = gfx3d::ReloadObjectFile(Rt().gfx.get(), Rt().resolvers[0].get(),
                                                        *slot, path, name, &watched);
        if (why.empty()) WatchAssetFiles(WatchKey(id), watched, *this);
        return why;
    }
};

} // namespace

double LoadObject(const RtString& fileName, double id) {
    ObjectSlot* slot = FindSlot(id);
    if (!slot) return 0;
    const std::string name = fileName.CText();
    // A file that is nowhere leaves the slot as it was.
    ResourceResolver* lookup = Rt().resolvers[0].get();
    const std::optional<std::string> path = files::Resolve(lookup, name);
    if (!path) {
        LogFailedLoad("LoadObject", name, "not found");
        return 0;
    }
    const bool onDisk = files::ResolvedOnDisk(lookup, *path);
    slot->Clear();
    ForgetAssetFiles(WatchKey(ToInt(id)));
    // A slot that was being built is refilled from the file: its building ends here.
    if (Rt().objects->buildingId == ToInt(id)) Rt().objects->buildingId = -1;
    std::vector<std::string> watched{*path};
    std::string why; // stays empty when the reader logged the damage itself
    if (!gfx3d::LoadObjectFile(Rt().gfx.get(), lookup, *slot, *path, name, why, &watched)) {
        if (!why.empty()) LogFailedLoad("LoadObject", name, why);
        return 0;
    }
    if (onDisk)
        WatchAssetFiles(WatchKey(ToInt(id)), watched,
                        ObjectReload{ToInt(id), os::AbsolutePath(*path), name});
    return 1;
}

double SaveObject(const RtString& fileName, double id) {
    ObjectSlot* slot = FindSlot(id);
    if (!slot || slot->parts.Count() == 0) return 0;
    return gfx3d::WriteBinaryObject(slot->parts[0], files::PlatformPath(fileName.CText())) ? 1 : 0;
}

void BeginObject(double id) {
    Rainbows3D* scene = Rt().objects.get();
    ObjectSlot* slot = FindSlot(id);
    if (!scene || !slot) return;
    gfx3d::BeginBuilding(*slot);
    ForgetAssetFiles(WatchKey(ToInt(id)));
    scene->buildingId = ToInt(id);
}

void AddObjectVertex(double x, double y, double z, double u, double v, double colour) {
    ObjectSlot* slot = BuildingSlot();
    if (!slot) return;
    DrawVertex vertex;
    vertex.x = ToFloat(x);
    vertex.y = ToFloat(y);
    vertex.z = ToFloat(z);
    vertex.u = ToFloat(u);
    vertex.v = ToFloat(v);
    SetVertexColour(vertex, static_cast<uint32_t>(ToInt64(colour)));
    gfx3d::AddBuildingVertex(*slot, vertex);
}

void NewObjectGroup() {
    if (ObjectSlot* slot = BuildingSlot()) gfx3d::StartBuildingStrip(*slot);
}

void EndObject() {
    Rainbows3D* scene = Rt().objects.get();
    ObjectSlot* slot = BuildingSlot();
    if (!scene || !slot) return;
    scene->buildingId = -1;
    gfx3d::FinishBuilding(*slot, scene->normalMode);
}

void SetNormalMode(double mode) {
    Rainbows3D* scene = Rt().objects.get();
    if (!scene) return;
    // The remainder is taken on the integer, so negative modes give negative remainders,
    // which select no normals.
    scene->normalMode = ToInt(mode) % 3;
}
