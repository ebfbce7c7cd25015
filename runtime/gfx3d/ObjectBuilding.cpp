#include "gfx3d/ObjectBuilding.h"

#include "gfx3d/Normals.h"
#include "gfx3d/ObjectPacking.h"

namespace gfx3d {

namespace {

// The vertex list being built, or null when the slot has no part with a frame.
GrowArray<DrawVertex>* BuildingVertices(ObjectSlot& slot) {
    if (slot.parts.Count() == 0 || slot.parts[0].frames.Count() == 0) return nullptr;
    return &slot.parts[0].frames[0].workVertices;
}

} // namespace

void BeginBuilding(ObjectSlot& slot) {
    slot.Clear();
    MeshObjectX& part = slot.parts.Push(MeshObjectX());
    ObjectFrame& frame = part.frames.Push(ObjectFrame());
    frame.workVertices.Push(MarkerVertex(ColorStripStart));
}

void AddBuildingVertex(ObjectSlot& slot, const DrawVertex& vertex) {
    if (GrowArray<DrawVertex>* vertices = BuildingVertices(slot)) vertices->Push(vertex);
}

void StartBuildingStrip(ObjectSlot& slot) {
    if (GrowArray<DrawVertex>* vertices = BuildingVertices(slot))
        vertices->Push(MarkerVertex(ColorStripStart));
}

void FinishBuilding(ObjectSlot& slot, int normalMode) {
    slot.loaded = 1;
    slot.modelSet = 0;
    if (slot.parts.Count() == 0) return;
    MeshObjectX& part = slot.parts[0];
    if (part.frames.Count() == 0 || part.frames[0].workVertices.Count() <= 2) {
        part.Clear();
        return;
    }
    gfx3d::PackObject(part, gfx3d::ColourOverflow::NearestColour);
    if (normalMode == 1) gfx3d::ComputeNormals(part, true, false, false);
    if (normalMode == 2) gfx3d::ComputeNormals(part, true, true, false);
    part.BuildTriangles();
    part.ComputeBoundingSpheres();
}

} // namespace gfx3d
