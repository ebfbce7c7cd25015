// Fuzzes model-set files: any bytes after the tag load as a set of parts without a GL context;
// the parts they name are looked up beside it (mostly missing), and no count in the file
// makes more than 65536 parts or textures.
#include "FuzzFiles.h"
#include "gfx3d/ModelSet.h"
#include "gfx3d/Rainbows3D.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = kModelSetTag + fuzzfiles::Text(data, size);
    const std::string path =
        fuzzfiles::Write("set.ddw", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ObjectSlot slot;
    fuzzfiles::Check(gfx3d::LoadModelSet(nullptr, nullptr, slot, path, path) == 1 &&
                     slot.loaded == 1 && slot.parts.Count() <= 65536 &&
                     slot.textures.Count() <= 65536);
    return 0;
}
