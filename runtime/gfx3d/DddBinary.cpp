#include "gfx3d/DddBinary.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "files/LittleEndian.h"
#include "gfx3d/NormalTable.h"

namespace {

constexpr size_t kFrameHeaderSize = 28;
constexpr size_t kRecordSize = 5;

// Little-endian reads from a block of memory; each read fails instead of running past its end.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), left_(size) {}

    size_t Left() const { return left_; }

    bool U32(uint32_t& value) {
        if (left_ < 4) return false;
        value = files::ReadLe32(data_);
        Skip(4);
        return true;
    }
    bool I32(int32_t& value) {
        uint32_t bits;
        if (!U32(bits)) return false;
        std::memcpy(&value, &bits, 4);
        return true;
    }
    bool F32(float& value) {
        uint32_t bits;
        if (!U32(bits)) return false;
        std::memcpy(&value, &bits, 4);
        return true;
    }
    bool F64(double& value) {
        uint32_t low, high;
        if (!U32(low) || !U32(high)) return false;
        const uint64_t bits = static_cast<uint64_t>(high) << 32 | low;
        std::memcpy(&value, &bits, 8);
        return true;
    }
    const uint8_t* Take(size_t count) {
        if (left_ < count) return nullptr;
        const uint8_t* at = data_;
        Skip(count);
        return at;
    }

  private:
    void Skip(size_t count) {
        data_ += count;
        left_ -= count;
    }
    const uint8_t* data_;
    size_t left_;
};

class ByteWriter {
  public:
    void U32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void F32(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        U32(bits);
    }
    void F64(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, 8);
        U32(static_cast<uint32_t>(bits));
        U32(static_cast<uint32_t>(bits >> 32));
    }
    void Byte(uint8_t value) { bytes.push_back(value); }
    std::vector<uint8_t> bytes;
};

gfx3d::ObjectReadResult ReadInto(MeshObjectX& part, ByteReader& in, bool expand) {
    uint32_t magic;
    double version;
    if (!in.U32(magic) || magic != gfx3d::kDddMagic) return gfx3d::ObjectReadResult::ReadError;
    if (!in.F64(version)) return gfx3d::ObjectReadResult::ReadError;
    if (version != gfx3d::kDddVersion) return gfx3d::ObjectReadResult::WrongVersion;
    int32_t frameCount, colourCount, pairCount;
    if (!in.I32(frameCount) || !in.I32(colourCount) || !in.I32(pairCount))
        return gfx3d::ObjectReadResult::ReadError;
    // Counts are checked against what the file still holds before anything is allocated.
    if (frameCount < 0 || colourCount < 0 || pairCount < 0)
        return gfx3d::ObjectReadResult::ReadError;
    const size_t tableBytes =
        4 * static_cast<size_t>(colourCount) + 8 * static_cast<size_t>(pairCount);
    if (tableBytes > in.Left()) return gfx3d::ObjectReadResult::ReadError;
    if (static_cast<size_t>(frameCount) * kFrameHeaderSize > in.Left() - tableBytes)
        return gfx3d::ObjectReadResult::ReadError;

    part.colourTable.Clear();
    part.colourTable.Reserve(colourCount);
    for (int i = 0; i < colourCount; ++i) {
        uint32_t colour;
        in.U32(colour);
        part.colourTable.Push(colour);
    }
    part.textureU.Clear();
    part.textureV.Clear();
    part.textureU.Reserve(pairCount);
    part.textureV.Reserve(pairCount);
    for (int i = 0; i < pairCount; ++i) {
        float u, v;
        in.F32(u);
        in.F32(v);
        part.textureU.Push(u);
        part.textureV.Push(v);
    }

    part.frames.Free();
    part.frames.Reserve(frameCount);
    int32_t recordCount0 = 0;
    for (int f = 0; f < frameCount; ++f) {
        ObjectFrame& frame = part.frames.Push(ObjectFrame());
        int32_t recordCount;
        if (!in.I32(recordCount)) return gfx3d::ObjectReadResult::ReadError;
        for (float& offset : frame.offset)
            if (!in.F32(offset)) return gfx3d::ObjectReadResult::ReadError;
        for (float& scale : frame.scale)
            if (!in.F32(scale)) return gfx3d::ObjectReadResult::ReadError;
        if (f == 0) {
            recordCount0 = recordCount;
            if (pairCount != recordCount) return gfx3d::ObjectReadResult::ReadError;
        }
        // Every frame shares frame 0's record order and texture pairs.
        if (recordCount != recordCount0 || recordCount < 0)
            return gfx3d::ObjectReadResult::ReadError;
        const uint8_t* records = in.Take(static_cast<size_t>(recordCount) * kRecordSize);
        if (!records) return gfx3d::ObjectReadResult::ReadError;
        frame.packed.Reserve(recordCount);
        for (int i = 0; i < recordCount; ++i) {
            const uint8_t* record = records + i * kRecordSize;
            if (record[3] >= gfx3d::kNormalTableSize || record[4] >= colourCount)
                return gfx3d::ObjectReadResult::ReadError;
            PackedVertex packed;
            packed.x = record[0];
            packed.y = record[1];
            packed.z = record[2];
            packed.normal = record[3];
            packed.colourIndex = record[4];
            frame.packed.Push(packed);
        }
        if (expand) {
            frame.workVertices.Reserve(recordCount);
            for (int i = 0; i < recordCount; ++i)
                frame.workVertices.Push(part.Decode(frame, i));
        }
    }
    part.normalsValid = 1;
    return gfx3d::ObjectReadResult::Ok;
}

} // namespace

gfx3d::ObjectReadResult gfx3d::ReadBinaryObject(MeshObjectX& part, const uint8_t* data, size_t size,
                                                bool expand) {
    ByteReader in(data, size);
    gfx3d::ObjectReadResult result;
    try {
        result = ReadInto(part, in, expand);
    } catch (const std::bad_alloc&) {
        result = gfx3d::ObjectReadResult::OutOfMemory;
    }
    if (result != gfx3d::ObjectReadResult::Ok) part.Clear();
    return result;
}

std::vector<uint8_t> gfx3d::EncodeBinaryObject(const MeshObject& part) {
    ByteWriter out;
    out.U32(gfx3d::kDddMagic);
    out.F64(gfx3d::kDddVersion);
    out.I32(part.frames.Count());
    out.I32(part.colourTable.Count());
    const int pairCount = part.textureU.Count();
    out.I32(pairCount);
    for (uint32_t colour : part.colourTable)
        out.U32(colour);
    for (int i = 0; i < pairCount; ++i) {
        out.F32(part.textureU[i]);
        out.F32(i < part.textureV.Count() ? part.textureV[i] : 0.0f);
    }
    for (const ObjectFrame& frame : part.frames) {
        out.I32(frame.packed.Count());
        for (float offset : frame.offset)
            out.F32(offset);
        for (float scale : frame.scale)
            out.F32(scale);
        for (const PackedVertex& packed : frame.packed) {
            out.Byte(packed.x);
            out.Byte(packed.y);
            out.Byte(packed.z);
            out.Byte(packed.normal);
            out.Byte(packed.colourIndex);
        }
    }
    return out.bytes;
}

bool gfx3d::WriteBinaryObject(const MeshObject& part, const std::string& path) {
    const std::vector<uint8_t> bytes = gfx3d::EncodeBinaryObject(part);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
