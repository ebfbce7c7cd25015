#include "gfx3d/ObjectFiles.h"

#include <cstdio>
#include <new>

#include "core/ErrorLog.h"
#include "gfx2d/ImageCodec.h"
#include "gfx3d/DddBinary.h"
#include "gfx3d/DddText.h"

gfx3d::ObjectReadResult gfx3d::ReadObjectBytes(MeshObjectX& part, const uint8_t* data, size_t size,
                                               bool expand) {
    part.Clear();
    const bool binary = size >= 4 && (data[0] | data[1] << 8 | data[2] << 16 |
                                      static_cast<uint32_t>(data[3]) << 24) == gfx3d::kDddMagic;
    if (binary) return gfx3d::ReadBinaryObject(part, data, size, expand);

    gfx3d::ObjectReadResult result = gfx3d::ObjectReadResult::ReadError;
    try {
        gfx3d::TextObject object;
        if (gfx3d::ParseTextObject(reinterpret_cast<const char*>(data), size, object))
            result = gfx3d::ConvertTextObject(object, part);
    } catch (const std::bad_alloc&) {
        result = gfx3d::ObjectReadResult::OutOfMemory;
    }
    if (result != gfx3d::ObjectReadResult::Ok) part.Clear();
    return result;
}

bool gfx3d::ReadObjectFile(MeshObjectX& part, const std::string& path, bool expand,
                           std::string* why) {
    std::vector<uint8_t> bytes;
    if (!gfx2d::ReadAssetFile(path, bytes)) {
        part.Clear();
        if (why) *why = "cannot be read";
        return false;
    }
    const gfx3d::ObjectReadResult result =
        gfx3d::ReadObjectBytes(part, bytes.data(), bytes.size(), expand);
    if (result == gfx3d::ObjectReadResult::Ok) return true;
    if (result == gfx3d::ObjectReadResult::WrongVersion) AppendLogLine("Wrong .ddd version.");
    AppendLogLine(result == gfx3d::ObjectReadResult::OutOfMemory ? "# malloc error"
                                                                 : "# read error");
    AppendLogLine(path);
    return false;
}
