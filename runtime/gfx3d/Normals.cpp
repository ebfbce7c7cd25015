#include "gfx3d/Normals.h"

#include <cmath>
#include <unordered_map>
#include <vector>

#include "gfx3d/MeshObject.h"
#include "gfx3d/NormalTable.h"

namespace {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(const Vec3& a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
Vec3& operator+=(Vec3& a, const Vec3& b) {
    a.x += b.x, a.y += b.y, a.z += b.z;
    return a;
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct Accumulator {
    Vec3 normal, tangent, bitangent;
};

struct Corner {
    int record = 0;
    Vec3 position;
    float u = 0, v = 0;
};

class FrameNormals {
  public:
    FrameNormals(MeshObjectX& part, ObjectFrame& frame, bool smooth, bool tangents)
        : part_(part), frame_(frame), smooth_(smooth), tangents_(tangents) {}

    void Run(bool normals) {
        const int count = frame_.packed.Count();
        accumulatorOf_.assign(static_cast<size_t>(count), -1);
        std::unordered_map<uint32_t, int> byPosition;
        enum class Mode { List, Strip, Fan } mode = Mode::List;
        int filled = 0;
        int stripTriangle = 0;
        Corner window[3];
        for (int i = 0; i < count; ++i) {
            const DrawVertex decoded = part_.Decode(frame_, i);
            if (IsMarker(decoded.colour)) {
                filled = 0;
                stripTriangle = 0;
                mode = decoded.colour == ColorStripStart ? Mode::Strip
                       : decoded.colour == ColorFanStart ? Mode::Fan
                                                         : Mode::List;
                continue;
            }
            AssignAccumulator(i, byPosition);
            window[filled++] = {i, {decoded.x, decoded.y, decoded.z}, decoded.u, decoded.v};
            if (filled < 3) continue;
            AddTriangle(window, mode == Mode::Strip && (stripTriangle++ & 1) == 1);
            if (mode == Mode::List) {
                filled = 0;
            } else if (mode == Mode::Fan) {
                // The fan's centre stays: these are the triangles the fan draws.
                window[1] = window[2];
                filled = 2;
            } else {
                window[0] = window[1];
                window[1] = window[2];
                filled = 2;
            }
        }
        Store(normals);
    }

  private:
    void AssignAccumulator(int record, std::unordered_map<uint32_t, int>& byPosition) {
        if (!smooth_) {
            accumulatorOf_[record] = static_cast<int>(sums_.size());
            sums_.emplace_back();
            return;
        }
        const PackedVertex& packed = frame_.packed[record];
        const uint32_t key = packed.x | packed.y << 8 | packed.z << 16;
        const auto inserted = byPosition.emplace(key, static_cast<int>(sums_.size()));
        if (inserted.second) sums_.emplace_back();
        accumulatorOf_[record] = inserted.first->second;
    }

    void AddTriangle(const Corner* corner, bool negate) {
        Vec3 normal =
            Cross(corner[2].position - corner[1].position, corner[1].position - corner[0].position);
        // Every second triangle of a strip runs the other way round.
        if (negate) normal = normal * -1.0f;
        for (int c = 0; c < 3; ++c)
            sums_[accumulatorOf_[corner[c].record]].normal += normal;
        if (!tangents_) return;
        // The coordinates are the decoded ones, v already turned upside down.
        const float du1 = corner[1].u - corner[0].u, dv1 = corner[1].v - corner[0].v;
        const float du2 = corner[2].u - corner[0].u, dv2 = corner[2].v - corner[0].v;
        const float det = du1 * dv2 - dv1 * du2;
        if (!(std::fabs(det) > 1e-05f)) return;
        const Vec3 dp1 = corner[1].position - corner[0].position;
        const Vec3 dp2 = corner[2].position - corner[0].position;
        const Vec3 tangent = (dp1 * dv2 - dp2 * dv1) * (1.0f / det);
        const Vec3 bitangent = (dp2 * du1 - dp1 * du2) * (1.0f / det);
        for (int c = 0; c < 3; ++c) {
            Accumulator& sum = sums_[accumulatorOf_[corner[c].record]];
            sum.tangent += tangent;
            sum.bitangent += bitangent;
        }
    }

    void Store(bool normals) {
        for (int i = 0; i < frame_.packed.Count(); ++i) {
            if (accumulatorOf_[i] < 0) continue;
            const Accumulator& sum = sums_[accumulatorOf_[i]];
            PackedVertex& packed = frame_.packed[i];
            if (normals) packed.normal = TableIndex(sum.normal);
            if (tangents_) {
                packed.tangent = TableIndex(sum.tangent);
                packed.bitangent = TableIndex(sum.bitangent);
            }
        }
    }

    static uint8_t TableIndex(const Vec3& v) {
        return static_cast<uint8_t>(gfx3d::ChooseTableNormal(v.x, v.y, v.z));
    }

    MeshObjectX& part_;
    ObjectFrame& frame_;
    bool smooth_;
    bool tangents_;
    std::vector<int> accumulatorOf_;
    std::vector<Accumulator> sums_;
};

} // namespace

void gfx3d::ComputeNormals(MeshObjectX& part, bool normals, bool smooth, bool tangents) {
    if (part.frames.Count() == 0 || part.frames[0].packed.Count() == 0) return;
    // Markers never get tangents, so the test looks at the first real vertex: a stream that
    // starts with a marker would otherwise have its tangents recomputed on every call.
    const ObjectFrame& frame0 = part.frames[0];
    int firstReal = 0;
    while (firstReal + 1 < frame0.packed.Count() && IsMarker(part.Decode(frame0, firstReal).colour))
        ++firstReal;
    const PackedVertex& first = frame0.packed[firstReal];
    const bool doNormals = normals && part.normalsValid != 1;
    const bool doTangents = tangents && first.tangent == 0 && first.bitangent == 0;
    if (!doNormals && !doTangents) return;
    part.normalsValid = 1;
    for (ObjectFrame& frame : part.frames)
        FrameNormals(part, frame, smooth, doTangents).Run(doNormals);
    part.BuildTriangles();
}
