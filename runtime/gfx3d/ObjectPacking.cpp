#include "gfx3d/ObjectPacking.h"

#include <functional>
#include <initializer_list>
#include <limits>
#include <unordered_map>

#include "gfx3d/NormalTable.h"

namespace {

constexpr int kColourTableLimit = 256;

// The byte of a coordinate: truncated toward zero, 255 at the top; anything below 0 (a
// rounding error or a NaN coordinate) becomes 0.
uint8_t QuantiseCoordinate(float coordinate, float offset, float scale) {
    const float value = coordinate / scale + offset;
    if (value >= 255.0f) return 255;
    if (!(value >= 0.0f)) return 0;
    return static_cast<uint8_t>(value);
}

int ColourDistance(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

class ColourIndexer {
  public:
    ColourIndexer(GrowArray<uint32_t>& table, gfx3d::ColourOverflow overflow)
        : table_(table), overflow_(overflow) {
        for (int i = 0; i < table.Count(); ++i)
            indices_.emplace(table[i], i);
    }

    // The table index of a colour, appending it when there is room; -1 when it cannot have one.
    int IndexOf(uint32_t colour) {
        const auto found = indices_.find(colour);
        if (found != indices_.end()) return found->second;
        if (table_.Count() < kColourTableLimit) {
            const int index = table_.Count();
            table_.Push(colour);
            indices_.emplace(colour, index);
            return index;
        }
        if (overflow_ == gfx3d::ColourOverflow::Fail || IsColourCode(colour)) return -1;
        int nearest = -1;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < kColourTableLimit; ++i) {
            if (IsColourCode(table_[i])) continue;
            const int distance = ColourDistance(colour, table_[i]);
            if (distance < bestDistance) {
                bestDistance = distance;
                nearest = i;
            }
        }
        return nearest;
    }

  private:
    GrowArray<uint32_t>& table_;
    gfx3d::ColourOverflow overflow_;
    std::unordered_map<uint32_t, int> indices_;
};

// With more distinct colours than the table holds, the codes go in first: a marker mapped to
// a colour would turn into geometry.
void ReserveCodes(MeshObject& part) {
    std::unordered_map<uint32_t, int> distinct;
    for (int i = 0; i < part.colourTable.Count(); ++i)
        distinct.emplace(part.colourTable[i], i);
    for (const ObjectFrame& frame : part.frames)
        for (const DrawVertex& vertex : frame.workVertices)
            distinct.emplace(vertex.colour, 0);
    if (static_cast<int>(distinct.size()) <= kColourTableLimit) return;
    for (uint32_t code : {ColorWhite, ColorFanStart, ColorStripStart, ColorListStart}) {
        bool used = false;
        for (const ObjectFrame& frame : part.frames)
            for (const DrawVertex& vertex : frame.workVertices)
                used |= vertex.colour == code;
        bool present = false;
        for (uint32_t colour : part.colourTable)
            present |= colour == code;
        if (used && !present && part.colourTable.Count() < kColourTableLimit)
            part.colourTable.Push(code);
    }
}

void FindOffsetAndScale(ObjectFrame& frame) {
    float lowest[3], highest[3];
    for (int axis = 0; axis < 3; ++axis) {
        lowest[axis] = std::numeric_limits<float>::infinity();
        highest[axis] = -std::numeric_limits<float>::infinity();
    }
    // White vertices are geometry too, so they count for the range; only markers do not.
    for (const DrawVertex& vertex : frame.workVertices) {
        if (IsMarker(vertex.colour)) continue;
        const float position[3] = {vertex.x, vertex.y, vertex.z};
        for (int axis = 0; axis < 3; ++axis) {
            if (position[axis] < lowest[axis]) lowest[axis] = position[axis];
            if (position[axis] > highest[axis]) highest[axis] = position[axis];
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (!(lowest[axis] <= highest[axis])) {
            // No real vertex on this frame.
            frame.scale[axis] = 1.0f;
            frame.offset[axis] = 0.0f;
            continue;
        }
        float scale = (highest[axis] - lowest[axis]) / 255.0f;
        if (scale == 0.0f) scale = 1.0f;
        frame.scale[axis] = scale;
        frame.offset[axis] = -lowest[axis] / scale;
    }
}

bool PackFrame(MeshObject& part, int f, ColourIndexer& colours) {
    ObjectFrame& frame = part.frames[f];
    FindOffsetAndScale(frame);
    frame.packed.Clear();
    frame.packed.Reserve(frame.workVertices.Count());
    PackedVertex previous;
    for (const DrawVertex& vertex : frame.workVertices) {
        const int colourIndex = colours.IndexOf(vertex.colour);
        if (colourIndex < 0) return false;
        PackedVertex packed;
        if (IsMarker(vertex.colour)) {
            packed.x = previous.x;
            packed.y = previous.y;
            packed.z = previous.z;
        } else {
            packed.normal =
                static_cast<uint8_t>(gfx3d::ChooseTableNormal(vertex.nx, vertex.ny, vertex.nz));
            packed.x = QuantiseCoordinate(vertex.x, frame.offset[0], frame.scale[0]);
            packed.y = QuantiseCoordinate(vertex.y, frame.offset[1], frame.scale[1]);
            packed.z = QuantiseCoordinate(vertex.z, frame.offset[2], frame.scale[2]);
        }
        packed.colourIndex = static_cast<uint8_t>(colourIndex);
        if (f == 0) {
            part.textureU.Push(vertex.u);
            part.textureV.Push(vertex.v);
        }
        frame.packed.Push(packed);
        previous = packed;
    }
    frame.workVertices.Free();
    return true;
}

} // namespace

bool gfx3d::PackObject(MeshObject& part, gfx3d::ColourOverflow overflow) {
    part.textureU.Clear();
    part.textureV.Clear();
    if (overflow == gfx3d::ColourOverflow::NearestColour) ReserveCodes(part);
    ColourIndexer colours(part.colourTable, overflow);
    for (int f = 0; f < part.frames.Count(); ++f)
        if (!PackFrame(part, f, colours)) return false;
    part.normalsValid = 0;
    return true;
}

bool gfx3d::PackObjectFrameByFrame(MeshObject& part,
                                   const std::function<bool(ObjectFrame&, int)>& fill) {
    part.textureU.Clear();
    part.textureV.Clear();
    ColourIndexer colours(part.colourTable, gfx3d::ColourOverflow::Fail);
    for (int f = 0; f < part.frames.Count(); ++f)
        if (!fill(part.frames[f], f) || !PackFrame(part, f, colours)) return false;
    part.normalsValid = 0;
    return true;
}
