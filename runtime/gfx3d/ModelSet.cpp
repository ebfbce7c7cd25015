#include "gfx3d/ModelSet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/Number.h"
#include "files/IniStore.h"
#include "files/ResourceLookup.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteStore.h"
#include "gfx2d/TexturePixels.h"
#include "gfx3d/ObjectFiles.h"
#include "gfx3d/Rainbows3D.h"
#include "gl/OpenGLRainbows.h"
#include "text/RtString.h"

namespace {

// Counts beyond this are taken as broken files rather than as that many entries.
constexpr int kEntryLimit = 65536;

// A key's value as a number; a missing key reads as "NO_DATA", which is 0.
int IntegerValue(const IniStore& ini, const std::string& section, const std::string& key) {
    const std::string* value = ini.Find(section, key);
    return value ? ToInt(TextToNumber(value->c_str())) : 0;
}

std::string TextValue(const IniStore& ini, const std::string& section, const std::string& key) {
    const std::string* value = ini.Find(section, key);
    return value ? *value : "NO_DATA";
}

int EntryCount(const IniStore& ini, const std::string& section) {
    return std::clamp(IntegerValue(ini, section, "count"), 0, kEntryLimit);
}

// A GL texture from an image file, with the sprites' transparency colour; 0 without a GL
// context or when the image cannot be read.
GLuint LoadModelTexture(OpenGLRainbows* device, const std::string& path) {
    if (!device || !device->initialised) return 0;
    gfx2d::DecodedImage image;
    if (!gfx2d::DecodeImageFile(path, gfx2d::Sprites(*device).transparencyColour, image)) return 0;
    const int maxSize = std::max(MaxTextureSize(*device), 2);
    const int width = std::min(image.width, maxSize);
    const int height = std::min(image.height, maxSize);
    if (width <= 0 || height <= 0) return 0;
    const int texWidth = std::min(gfx2d::PowerOfTwoAtLeast(width, 2), maxSize);
    const int texHeight = std::min(gfx2d::PowerOfTwoAtLeast(height, 2), maxSize);
    const std::vector<uint8_t> pixels =
        gfx2d::PadAndFlip(image, width, height, texWidth, texHeight);
    return gfx2d::CreatePlainTexture(texWidth, texHeight, pixels.data(), GL_RGBA, GL_LINEAR);
}

// The 0-based texture index from a 1-based key value (0 or missing: 0).
int TextureIndex(const IniStore& ini, const std::string& key) {
    const int value = IntegerValue(ini, "objects", key);
    return value > 0 ? value - 1 : value;
}

} // namespace

int gfx3d::LoadModelSet(OpenGLRainbows* device, ResourceResolver* lookup, ObjectSlot& slot,
                        const std::string& path, const std::string& name,
                        std::vector<std::string>* setFiles) {
    slot.loaded = 1;
    slot.modelSet = 1;
    IniStore ini;
    std::vector<uint8_t> bytes;
    if (gfx2d::ReadAssetFile(path, bytes)) ini.Parse(std::string(bytes.begin(), bytes.end()));
    // Names are resolved relative to the name game code gave: a set taken from the resource
    // pack lives in a temporary file, but its parts are looked up in the pack as well.
    const std::string base = name.substr(0, name.find_last_of("/\\") + 1);
    // Each file is noted at once: the next lookup replaces a pack entry's temporary copy.
    auto resolve = [&base, lookup, setFiles](const std::string& entry) {
        std::optional<std::string> file = files::Resolve(lookup, base + entry);
        if (file && setFiles && files::ResolvedOnDisk(lookup, *file)) setFiles->push_back(*file);
        return file;
    };

    const int textureCount = EntryCount(ini, "textures");
    slot.textures.Resize(textureCount);
    for (int i = 1; i <= textureCount; ++i) {
        const std::optional<std::string> file =
            resolve(TextValue(ini, "textures", std::to_string(i)));
        slot.textures[i - 1] = file ? LoadModelTexture(device, *file) : 0;
    }

    const int partCount = EntryCount(ini, "objects");
    slot.parts.Resize(partCount);
    for (int i = 1; i <= partCount; ++i) {
        MeshObjectX& part = slot.parts[i - 1];
        const std::string key = std::to_string(i);
        const std::optional<std::string> file = resolve(TextValue(ini, "objects", key));
        if (file) gfx3d::ReadObjectFile(part, *file, false);
        part.textureA = TextureIndex(ini, key + "ta");
        part.textureB = TextureIndex(ini, key + "tb");
        part.BuildTriangles();
        part.ComputeBoundingSpheres();
    }
    return 1;
}
