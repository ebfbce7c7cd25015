#include "MeshBuilder.h"

#include <cmath>
#include <tuple>

#include "gfx3d/DddBinary.h"
#include "gfx3d/NormalTable.h"
#include "gfx3d/ObjectBuilding.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// White vertices let the skin show in its own colours.
constexpr uint32_t kWhite = 0xFFFFFF;

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

Vec3 Add(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 Times(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 Normalised(Vec3 a) {
    const double length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return length > 0 ? Times(a, 1 / length) : Vec3{0, 1, 0};
}

} // namespace

MeshBuilder::MeshBuilder() {
    gfx3d::BeginBuilding(slot_);
}

bool MeshBuilder::Save(const char* path, int normalMode) {
    gfx3d::FinishBuilding(slot_, normalMode);
    return slot_.parts.Count() != 0 && gfx3d::WriteBinaryObject(slot_.parts[0], path);
}

bool MeshBuilder::SaveWithNormals(const char* path, const std::function<Vec3(Vec3)>& normalAt) {
    gfx3d::FinishBuilding(slot_, 0);
    if (slot_.parts.Count() == 0) return false;
    MeshObjectX& part = slot_.parts[0];
    for (int f = 0; f < part.frames.Count(); ++f) {
        ObjectFrame& frame = part.frames[f];
        for (int i = 0; i < frame.packed.Count(); ++i) {
            const DrawVertex vertex = part.Decode(frame, i);
            const Vec3 normal = normalAt({vertex.x, vertex.y, vertex.z});
            frame.packed[i].normal = static_cast<uint8_t>(
                gfx3d::ChooseTableNormal(static_cast<float>(normal.x), static_cast<float>(normal.y),
                                         static_cast<float>(normal.z)));
        }
    }
    part.normalsValid = 1;
    part.BuildTriangles();
    return gfx3d::WriteBinaryObject(part, path);
}

void MeshBuilder::StartStrip() {
    if (!firstStrip_) gfx3d::StartBuildingStrip(slot_);
    firstStrip_ = false;
}

void MeshBuilder::Vertex(Vec3 p, double u, double v) {
    DrawVertex vertex;
    vertex.x = static_cast<float>(p.x);
    vertex.y = static_cast<float>(p.y);
    vertex.z = static_cast<float>(p.z);
    vertex.u = static_cast<float>(u);
    vertex.v = static_cast<float>(v);
    SetVertexColour(vertex, kWhite);
    gfx3d::AddBuildingVertex(slot_, vertex);
}

// Each strip pairs a vertex of the upper ring with the one below it, going round with growing
// angle (x = cos, z = sin): that winding makes the computed normals point outward.
void MeshBuilder::Ellipsoid(Vec3 centre, Vec3 radii, SkinRegion skin, int segments, int rings) {
    for (int ring = 0; ring < rings; ++ring) {
        StartStrip();
        const double polarTop = kPi * ring / rings, polarBottom = kPi * (ring + 1) / rings;
        for (int s = 0; s <= segments; ++s) {
            const double angle = 2 * kPi * s / segments;
            const double u = Lerp(skin.u0, skin.u1, double(s) / segments);
            for (double polar : {polarTop, polarBottom}) {
                const Vec3 p{centre.x + radii.x * std::sin(polar) * std::cos(angle),
                             centre.y + radii.y * std::cos(polar),
                             centre.z + radii.z * std::sin(polar) * std::sin(angle)};
                Vertex(p, u, Lerp(skin.v0, skin.v1, polar / kPi));
            }
        }
    }
}

void MeshBuilder::Tube(Vec3 a, Vec3 b, double radiusA, double radiusB, SkinRegion skin,
                       int segments, bool capped) {
    const Vec3 axis = Normalised(Add(b, Times(a, -1)));
    const Vec3 helper = std::fabs(axis.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    const Vec3 side1 = Normalised(Cross(helper, axis));
    // side1 x side2 = -axis, the same turning sense as x and z about y in the ellipsoid.
    const Vec3 side2 = Cross(side1, axis);
    auto around = [&](Vec3 centre, double radius, double angle) {
        return Add(centre, Add(Times(side1, radius * std::cos(angle)),
                               Times(side2, radius * std::sin(angle))));
    };
    // b is "above" a: pair the vertex at b with the one at a, as in the ellipsoid.
    StartStrip();
    for (int s = 0; s <= segments; ++s) {
        const double angle = 2 * kPi * s / segments;
        const double u = Lerp(skin.u0, skin.u1, double(s) / segments);
        Vertex(around(b, radiusB, angle), u, skin.v0);
        Vertex(around(a, radiusA, angle), u, skin.v1);
    }
    if (!capped) return;
    const double uMid = (skin.u0 + skin.u1) / 2, vMid = (skin.v0 + skin.v1) / 2;
    // Going round with growing angle makes a cap face along the axis; the cap at a faces back.
    for (const auto& [end, radius, reversed] :
         {std::tuple{b, radiusB, false}, std::tuple{a, radiusA, true}}) {
        if (radius <= 0) continue;
        StartStrip();
        for (int s = 0; s <= segments; ++s) {
            const double angle = 2 * kPi * (reversed ? segments - s : s) / segments;
            Vertex(end, uMid, vMid);
            Vertex(around(end, radius, angle), uMid, vMid);
        }
    }
}

void MeshBuilder::TiledPlane(double x0, double x1, double z0, double z1, double y,
                             double tileSize) {
    StartStrip();
    Vertex({x0, y, z1}, x0 / tileSize, z1 / tileSize);
    Vertex({x0, y, z0}, x0 / tileSize, z0 / tileSize);
    Vertex({x1, y, z1}, x1 / tileSize, z1 / tileSize);
    Vertex({x1, y, z0}, x1 / tileSize, z0 / tileSize);
}

void MeshBuilder::TiledGrid(const std::vector<double>& xs, const std::vector<double>& zs, double y,
                            double tileSize) {
    for (size_t row = 0; row + 1 < zs.size(); ++row) {
        StartStrip();
        for (double x : xs)
            for (double z : {zs[row + 1], zs[row]})
                Vertex({x, y, z}, x / tileSize, z / tileSize);
    }
}

void MeshBuilder::Quad(double x0, double x1, double z0, double z1, double y) {
    StartStrip();
    Vertex({x0, y, z1}, 0, 1);
    Vertex({x0, y, z0}, 0, 0);
    Vertex({x1, y, z1}, 1, 1);
    Vertex({x1, y, z0}, 1, 0);
}

void MeshBuilder::Disc(Vec3 centre, double radius, bool facingUp, SkinRegion skin, int segments) {
    const double uMid = (skin.u0 + skin.u1) / 2, vMid = (skin.v0 + skin.v1) / 2;
    const double uRadius = (skin.u1 - skin.u0) / 2, vRadius = (skin.v1 - skin.v0) / 2;
    StartStrip();
    for (int s = 0; s <= segments; ++s) {
        const double angle = 2 * kPi * (facingUp ? s : segments - s) / segments;
        const Vec3 rim{centre.x + radius * std::cos(angle), centre.y,
                       centre.z + radius * std::sin(angle)};
        Vertex(centre, uMid, vMid);
        Vertex(rim, uMid + uRadius * std::cos(angle), vMid + vRadius * std::sin(angle));
    }
}
