#include "gfx3d/ObjectFiles.h"

#include <cstdio>
#include <new>

#include "core/ErrorLog.h"
#include "gfx2d/ImageCodec.h"
#include "gfx3d/DddBinary.h"
#include "gfx3d/DddText.h"

ObjectReadResult ReadObjectBytes(MeshObjectX& part, const uint8_t* data, size_t size, bool expand) {
    part.Clear();
    const bool binary = size >= 4 && (data[0] | data[1] << 8 | data[2] << 16 |
                                      static_cast<uint32_t>(data[3]) << 24) == kDddMagic;
    if (binary) return ReadBinaryObject(part, data, size, expand);

    ObjectReadResult result = ObjectReadResult::ReadError;
    try {
        TextObject object;
        if (ParseTextObject(reinterpret_cast<const char*>(data), size, object))
            result = ConvertTextObject(object, part);
    } catch (const std::bad_alloc&) {
        result = ObjectReadResult::OutOfMemory;
    }
    if (result != ObjectReadResult::Ok) part.Clear();
    return result;
}

bool ReadObjectFile(MeshObjectX& part, const std::string& path, bool expand, std::string* why) {
    std::vector<uint8_t> bytes;
    if (!gfx2d::ReadAssetFile(path, bytes)) {
        part.Clear();
        if (why) *why = "cannot be read";
        return false;
    }
    const ObjectReadResult result = ReadObjectBytes(part, bytes.data(), bytes.size(), expand);
    if (result == ObjectReadResult::Ok) return true;
    if (result == ObjectReadResult::WrongVersion) AppendLogLine("Wrong .ddd version.");
    AppendLogLine(result == ObjectReadResult::OutOfMemory ? "# malloc error" : "# read error");
    AppendLogLine(path);
    return false;
}
