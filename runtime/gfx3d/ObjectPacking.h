// Packing: turns the work vertices of every frame into packed vertices against a per-frame
// offset and scale, with colour-table and table-normal indices.
#pragma once

#include <functional>

#include "gfx3d/MeshObject.h"

namespace gfx3d {

// What packing does with a colour that finds the colour table full (256 entries).
enum class ColourOverflow {
    Fail,         // packing fails, the part is left half packed for the caller to clear
    NearestColour // the vertex takes the nearest colour already in the table
};

// Packs every frame of the part; clears texture u and v first (frame 0 refills them) and
// keeps the colour table. Returns false only when a colour finds no room and overflow is Fail.
bool PackObject(MeshObject& part, ColourOverflow overflow);

// Packs the part's frames one at a time, calling fill(frame, index) to produce each frame's
// work vertices just before it is packed, so that only one frame's work vertices exist at a
// time. Colours beyond 256 fail. Returns false when fill or packing fails.
bool PackObjectFrameByFrame(MeshObject& part, const std::function<bool(ObjectFrame&, int)>& fill);

} // namespace gfx3d
