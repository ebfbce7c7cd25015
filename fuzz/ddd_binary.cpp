// Fuzzes the binary object reader. A file it accepts must survive everything a loaded object
// goes through, and writing it back must give the bytes that were read.
#include "FuzzFiles.h"
#include "gfx3d/DddBinary.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Normals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MeshObjectX part;
    if (gfx3d::ReadBinaryObject(part, data, size, true) != gfx3d::ObjectReadResult::Ok) return 0;
    const std::vector<uint8_t> written = gfx3d::EncodeBinaryObject(part);
    fuzzfiles::Check(written.size() <= size &&
                     std::memcmp(written.data(), data, written.size()) == 0);
    part.BuildTriangles();
    part.ComputeBoundingSpheres();
    part.normalsValid = 0;
    gfx3d::ComputeNormals(part, true, true, true);
    return 0;
}
