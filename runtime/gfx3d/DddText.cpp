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

bool ParseFaces(Tokenizer& in, TextObject& object) {
    int faceCount;
    if (!in.Count(faceCount)) return false;
    object.faces.resize(static_cast<size_t>(faceCount));
    const int pairCount = static_cast<int>(object.u.size());
    for (TextObject::Face& face : object.faces) {
        int red, green, blue, corners;
        if (!in.Integer(red) || !in.Integer(green) || !in.Integer(blue) || !in.Count(corners))
            return false;
        face.red = static_cast<uint8_t>(red & 0xFF);
        face.green = static_cast<uint8_t>(green & 0xFF);
        face.blue = static_cast<uint8_t>(blue & 0xFF);
        face.vertexIndices.resize(static_cast<size_t>(corners));
        face.textureIndices.resize(static_cast<size_t>(corners));
        for (int c = 0; c < corners; ++c) {
            int& vertex = face.vertexIndices[c];
            int& texture = face.textureIndices[c];
            if (!in.Integer(vertex) || !in.Integer(texture) || vertex < 0) return false;
            // Without texture pairs the coordinates stay 0 and the index means nothing.
            if (pairCount > 0 && (texture < 0 || texture >= pairCount)) return false;
        }
    }
    return true;
}

bool ParseFrames(Tokenizer& in, TextObject& object) {
    int frameCount;
    if (!in.Count(frameCount)) return false;
    object.frames.resize(static_cast<size_t>(frameCount));
    const bool withNormals = object.version >= kNormalsVersion;
    for (TextObject::Frame& frame : object.frames) {
        int vertexCount;
        if (!in.Count(vertexCount)) return false;
        frame.positions.resize(3 * static_cast<size_t>(vertexCount));
        frame.normals.assign(3 * static_cast<size_t>(vertexCount), 0.0f);
        for (int i = 0; i < vertexCount; ++i) {
            for (int axis = 0; axis < 3; ++axis)
                if (!in.Number(frame.positions[3 * i + axis])) return false;
            if (!withNormals) continue;
            for (int axis = 0; axis < 3; ++axis)
                if (!in.Number(frame.normals[3 * i + axis])) return false;
        }
    }
    return true;
}

} // namespace

bool ParseTextObject(const char* data, size_t size, TextObject& object) {
    Tokenizer in(data, size);
    std::string word;
    if (!in.Next(word) || word != "DDDA") return false;
    if (!in.Number(object.version) || !(object.version <= kNormalsVersion)) return false;
    int pairCount;
    if (!in.Count(pairCount)) return false;
    object.u.resize(static_cast<size_t>(pairCount));
    object.v.resize(static_cast<size_t>(pairCount));
    for (int i = 0; i < pairCount; ++i)
        if (!in.Number(object.u[i]) || !in.Number(object.v[i])) return false;
    return ParseFaces(in, object) && ParseFrames(in, object);
}

ObjectReadResult ConvertTextObject(const TextObject& object, MeshObjectX& part) {
    size_t recordsPerFrame = 0;
    for (const TextObject::Face& face : object.faces)
        recordsPerFrame += 1 + face.vertexIndices.size();
    // Every frame repeats every face, so a small file can ask for a vast object.
    if (recordsPerFrame * object.frames.size() > kRecordLimit) return ObjectReadResult::OutOfMemory;

    part.frames.Free();
    part.frames.Resize(static_cast<int>(object.frames.size()));
    const auto fill = [&object](ObjectFrame& frame, int f) {
        const TextObject::Frame& source = object.frames[static_cast<size_t>(f)];
        const size_t vertexCount = source.positions.size() / 3;
        for (const TextObject::Face& face : object.faces) {
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
    if (!PackObjectFrameByFrame(part, fill)) return ObjectReadResult::ReadError;
    // Normals were not in the file; without them the object would light as a flat patch.
    if (object.version < kNormalsVersion) ComputeNormals(part, true, false, false);
    return ObjectReadResult::Ok;
}
