// Objects built in code: vertices go into the first frame of the slot's one part as colour
// strips; finishing packs them and computes what drawing needs. Works on any slot, so a tool can
// build objects without a running runtime.
#pragma once

#include "gfx3d/Rainbows3D.h"

namespace gfx3d {

// Empties the slot and starts its one part with a first strip.
void BeginBuilding(ObjectSlot& slot);
// Adds a vertex to the current strip; nothing when the slot is not being built.
void AddBuildingVertex(ObjectSlot& slot, const DrawVertex& vertex);
// Starts a new strip.
void StartBuildingStrip(ObjectSlot& slot);
// Marks the slot loaded, packs its vertices (a part of two vertices or fewer is cleared) and
// computes normals (normalMode 1: per record, 2: smoothed, else none), triangles and bounding
// spheres.
void FinishBuilding(ObjectSlot& slot, int normalMode);

} // namespace gfx3d
