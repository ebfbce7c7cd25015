#include "gfx3d/DddText.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/Number.h"
#include "gfx3d/Normals.h"
#include "gfx3d/ObjectPacking.h"

namespace {

constexpr size_t kTokenLimit = 1023;
constexpr float kNormalsVersion = 1.1f;
// The most records one converted object may have over all its frames.
constexpr size_t kRecordLimit = size_t{1} << 22;

class Tokenizer {
  public:
    Tokenizer(const char* data, size_t size) : data_(data), end_(data + size) {}

    // The next token; false at the end of the data or for a token that is too long.
    bool Next(std::string& token) {
        token.clear();
        while (data_ < end_) {
            const char c = *data_;
            if (c == '#') {
                const void* lineEnd = std::memchr(data_, '\n', static_cast<size_t>(end_ - data_));
                data_ = lineEnd ? static_cast<const char*>(lineEnd) + 1 : end_;
            } else if (IsSeparator(c)) {
                ++data_;
            } else {
                break;
            }
        }
        while (data_ < end_ && !IsSeparator(*data_) && *data_ != '#') {
            if (token.size() == kTokenLimit) return false;
            token.push_back(*data_++);
        }
        return !token.empty();
    }
    bool Number(float& value) {
        if (!Next(token_)) return false;
        double parsed = std::strtod(token_.c_str(), nullptr);
        if (parsed > FLT_MAX) parsed = FLT_MAX;
        if (parsed < -FLT_MAX) parsed = -FLT_MAX;
        value = static_cast<float>(parsed);
        return true;
    }
    bool Integer(int& value) {
        float number;
        if (!Number(number)) return false;
        value = ToInt(number);
        return true;
    }
    // A count of entries that still fit in the rest of the data (each needs a token).
    bool Count(int& value) {
        return Integer(value) && value >= 0 && static_cast<size_t>(value) <= Left();
    }
    size_t Left() const { return static_cast<size_t>(end_ - data_); }

  private:
    static bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    const char* data_;
    const char* end_;
    std::string token_;
};

// Counts in the file are only promises: arrays grow as the entries actually arrive, so a small
// file claiming millions of entries fails at its end having taken memory only for what it held.
bool ParseFaces(Tokenizer& in, gfx3d::TextObject& object) {
    int faceCount;
    if (!in.Count(faceCount)) return false;
    const int pairCount = static_cast<int>(object.u.size());
    for (int f = 0; f < faceCount; ++f) {
        gfx3d::TextObject::Face face;
        int red, green, blue, corners;
        if (!in.Integer(red) || !in.Integer(green) || !in.Integer(blue) || !in.Count(corners))
            return false;
        face.red = static_cast<uint8_t>(red & 0xFF);
        face.green = static_cast<uint8_t>(green & 0xFF);
        face.blue = static_cast<uint8_t>(blue & 0xFF);
        for (int c = 0; c < corners; ++c) {
            int vertex, texture;
            if (!in.Integer(vertex) || !in.Integer(texture) || vertex < 0) return false;
            // Without texture pairs the coordinates stay 0 and the index means nothing.
            if (pairCount > 0 && (texture < 0 || texture >= pairCount)) return false;
            face.vertexIndices.push_back(vertex);
            face.textureIndices.push_back(texture);
        }
        object.faces.push_back(std::move(face));
    }
    return true;
}

bool ParseFrames(Tokenizer& in, gfx3d::TextObject& object) {
    int frameCount;
    if (!in.Count(frameCount)) return false;
    const bool withNormals = object.version >= kNormalsVersion;
    for (int f = 0; f < frameCount; ++f) {
        gfx3d::TextObject::Frame& frame = object.frames.emplace_back();
        int vertexCount;
        if (!in.Count(vertexCount)) return false;
        for (int i = 0; i < vertexCount; ++i) {
            float value[3];
            for (float& axis : value)
                if (!in.Number(axis)) return false;
            frame.positions.insert(frame.positions.end(), value, value + 3);
            for (float& axis : value) {
                axis = 0.0f;
                if (withNormals && !in.Number(axis)) return false;
            }
            frame.normals.insert(frame.normals.end(), value, value + 3);
        }
    }
    return true;
}

} // namespace

bool gfx3d::ParseTextObject(const char* data, size_t size, gfx3d::TextObject& object) {
    Tokenizer in(data, size);
    std::string word;
    if (!in.Next(word) || word != "DDDA") return false;
    if (!in.Number(object.version) || !(object.version <= kNormalsVersion)) return false;
    int pairCount;
    if (!in.Count(pairCount)) return false;
    for (int i = 0; i < pairCount; ++i) {
        float u, v;
        if (!in.Number(u) || !in.Number(v)) return false;
        object.u.push_back(u);
        object.v.push_back(v);
    }
    return ParseFaces(in, object) && ParseFrames(in, object);
}

gfx3d::ObjectReadResult gfx3d::ConvertTextObject(const gfx3d::TextObject& object,
                                                 MeshObjectX& part) {
    size_t recordsPerFrame = 0;
    for (const gfx3d::TextObject::Face& face : object.faces)
        recordsPerFrame += 1 + face.vertexIndices.size();
    // Every frame repeats every face, so a small file can ask for a vast object.
    if (recordsPerFrame * object.frames.size() > kRecordLimit)
        return gfx3d::ObjectReadResult::OutOfMemory;

    part.frames.Free();
    part.frames.Resize(static_cast<int>(object.frames.size()));
    const auto fill = [&object](ObjectFrame& frame, int f) {
        const gfx3d::TextObject::Frame& source = object.frames[static_cast<size_t>(f)];
        const size_t vertexCount = source.positions.size() / 3;
        for (const gfx3d::TextObject::Face& face : object.faces) {
            frame.workVertices.Push(MarkerVertex(ColorFanStart));
            for (size_t c = 0; c < face.vertexIndices.size(); ++c) {
                const size_t index = static_cast<size_t>(face.vertexIndices[c]);
                if (index >= vertexCount) return false;
                DrawVertex vertex;
                vertex.x = source.positions[3 * index];
                vertex.y = source.positions[3 * index + 1];
                vertex.z = source.positions[3 * index + 2];
                vertex.nx = source.normals[3 * index];
                vertex.ny = source.normals[3 * index + 1];
                vertex.nz = source.normals[3 * index + 2];
                if (!object.u.empty()) {
                    vertex.u = object.u[static_cast<size_t>(face.textureIndices[c])];
                    vertex.v = object.v[static_cast<size_t>(face.textureIndices[c])];
                }
                vertex.colour = face.red | face.green << 8 | face.blue << 16;
                vertex.red = face.red / 255.0f;
                vertex.green = face.green / 255.0f;
                vertex.blue = face.blue / 255.0f;
                frame.workVertices.Push(vertex);
            }
        }
        return true;
    };
    if (!gfx3d::PackObjectFrameByFrame(part, fill)) return gfx3d::ObjectReadResult::ReadError;
    // Normals were not in the file; without them the object would light as a flat patch.
    if (object.version < kNormalsVersion) gfx3d::ComputeNormals(part, true, false, false);
    return gfx3d::ObjectReadResult::Ok;
}
