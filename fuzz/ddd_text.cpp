// Fuzzes the text form of object files. An object it accepts must build its triangles,
// spheres, normals and tangents, and what the writer makes of it must read back.
#include "FuzzFiles.h"
#include "gfx3d/DddBinary.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Normals.h"
#include "gfx3d/ObjectFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MeshObjectX part;
    if (gfx3d::ReadObjectBytes(part, data, size, false) != gfx3d::ObjectReadResult::Ok) return 0;
    part.BuildTriangles();
    part.ComputeBoundingSpheres();
    gfx3d::ComputeNormals(part, true, true, true);
    const std::vector<uint8_t> written = gfx3d::EncodeBinaryObject(part);
    MeshObjectX again;
    fuzzfiles::Check(gfx3d::ReadBinaryObject(again, written.data(), written.size(), false) ==
                     gfx3d::ObjectReadResult::Ok);
    return 0;
}
