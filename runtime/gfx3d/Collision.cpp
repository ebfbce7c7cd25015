#include "gfx3d/Collision.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "gfx3d/Rainbows3D.h"
#include "gfx3d/TriangleTree.h"

namespace collision {

namespace {

struct V3 {
    float x = 0, y = 0, z = 0;
};

V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 operator*(V3 a, float k) {
    return {a.x * k, a.y * k, a.z * k};
}
float Dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 Cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V3 Corner(const DrawVertex& v) {
    return {v.x, v.y, v.z};
}
V3 FromArray(const float p[3]) {
    return {p[0], p[1], p[2]};
}
bool Finite(V3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
float LargestMagnitude(V3 v) {
    return std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();
// How much wider than rounding the tree's bounds are kept; see TreeNode.
constexpr double kRoundingSlack = 1e-5;

// ---- The tests of one triangle. Linear scans and tree searches call exactly these. ----

// The angle between two vectors, 0 when either is too short to have a direction.
float AngleBetween(V3 a, V3 b) {
    const float lengths = std::sqrt(Dot(a, a)) * std::sqrt(Dot(b, b));
    if (lengths <= 1e-8f) return 0;
    return std::acos(std::max(-1.0f, std::min(1.0f, Dot(a, b) / lengths)));
}

// Within radius of the nearest point of the segment p..q.
bool NearSegment(V3 centre, float radius, V3 p, V3 q) {
    const V3 edge = q - p;
    const float length2 = Dot(edge, edge);
    const float t =
        length2 > 0 ? std::max(0.0f, std::min(1.0f, Dot(centre - p, edge) / length2)) : 0;
    const V3 away = centre - (p + edge * t);
    return Dot(away, away) < radius * radius;
}

bool SphereTouchesTriangle(V3 centre, float radius, V3 a, V3 b, V3 c) {
    const V3 edgeCross = Cross(c - a, b - a);
    float normal[3] = {edgeCross.x, edgeCross.y, edgeCross.z};
    gfx3d::NormaliseIfLong(normal);
    const V3 n = FromArray(normal);
    const float d = Dot(n, centre) - Dot(n, a);
    if (std::fabs(d) >= radius) return false;
    // The centre projected onto the plane lies inside when the corners go once round it.
    const V3 p = centre - n * d;
    const float turn =
        AngleBetween(a - p, b - p) + AngleBetween(b - p, c - p) + AngleBetween(c - p, a - p);
    if (turn >= 6.2203536f) return true;
    return NearSegment(centre, radius, a, b) || NearSegment(centre, radius, b, c) ||
           NearSegment(centre, radius, c, a);
}

// A box as a centre and three half-axes (a parallelepiped once an object's scale is undone)
// and the normals of its faces.
struct BoxShape {
    V3 centre;
    V3 axis[3];
    V3 face[3];
};

bool SeparatedAlong(V3 l, const BoxShape& box, V3 a, V3 b, V3 c) {
    const float middle = Dot(box.centre, l);
    const float extent = std::fabs(Dot(box.axis[0], l)) + std::fabs(Dot(box.axis[1], l)) +
                         std::fabs(Dot(box.axis[2], l));
    const float pa = Dot(a, l), pb = Dot(b, l), pc = Dot(c, l);
    return middle + extent < std::min({pa, pb, pc}) || middle - extent > std::max({pa, pb, pc});
}

// Separating axes: the box's face normals, the triangle's normal and every box edge crossed
// with every triangle edge. Touching when none of them separates.
bool BoxTouchesTriangle(const BoxShape& box, V3 a, V3 b, V3 c) {
    for (const V3& face : box.face)
        if (SeparatedAlong(face, box, a, b, c)) return false;
    const V3 edges[3] = {b - a, c - b, a - c};
    if (SeparatedAlong(Cross(edges[0], edges[1]), box, a, b, c)) return false;
    for (const V3& axis : box.axis)
        for (const V3& edge : edges)
            if (SeparatedAlong(Cross(axis, edge), box, a, b, c)) return false;
    return true;
}

// The distance in units of w from s to where the line s + r w meets the triangle, 0 when it
// does not.
float RayMeetsTriangle(V3 s, V3 w, V3 a, V3 b, V3 c) {
    const V3 u = b - a, v = c - a;
    const V3 n = Cross(u, v);
    if (n.x == 0 && n.y == 0 && n.z == 0) return 0;
    const float den = Dot(n, w);
    if (den == 0) return 0;
    const float r = -Dot(n, s - a) / den;
    const V3 i = s + w * r;
    const float uu = Dot(u, u), uv = Dot(u, v), vv = Dot(v, v);
    const V3 ia = i - a;
    const float wu = Dot(ia, u), wv = Dot(ia, v);
    const float d = uv * uv - uu * vv;
    if (d == 0) return 0;
    const float sb = (uv * wv - vv * wu) / d;
    const float tb = (uv * wu - uu * wv) / d;
    return sb >= 0 && sb <= 1 && tb >= 0 && sb + tb <= 1 ? r : 0;
}

// ---- Where the object is. ----

// The largest factor by which the upper 3x3 of a column-major 4x4 matrix can stretch a
// vector, or a little more: the square root of the largest row sum of |L^T L| bounds it.
double StretchBound(const double m[16]) {
    double largest = 0;
    for (int i = 0; i < 3; ++i) {
        double row = 0;
        for (int j = 0; j < 3; ++j) {
            double dot = 0;
            for (int k = 0; k < 3; ++k)
                dot += m[i * 4 + k] * m[j * 4 + k];
            row += std::fabs(dot);
        }
        largest = std::max(largest, row);
    }
    return std::sqrt(largest) * (1 + 1e-6);
}

// The matrix an object is drawn with and, computed only when a query gets past the bounding
// spheres, its inverse.
class Placement {
  public:
    explicit Placement(const Mat4& matrix) : toWorld_(matrix) {
        double m[16];
        for (int i = 0; i < 16; ++i)
            m[i] = matrix.m[i];
        stretch_ = StretchBound(m);
    }

    // Bounds how much the matrix lengthens a vector.
    double Stretch() const { return stretch_; }
    // Bounds how much the inverse does; only after Invert.
    double InverseStretch() const { return inverseStretch_; }

    V3 World(V3 p) const {
        const float* m = toWorld_.m;
        return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
    }

    // Computes the inverse once; false when the matrix has none (an object scaled flat).
    bool Invert() {
        if (inverted_ == Inverted::Unknown) {
            double m[16];
            for (int i = 0; i < 16; ++i)
                m[i] = toWorld_.m[i];
            bool invertible = gfx3d::InvertMatrix(m, toObject_);
            for (double value : toObject_)
                invertible = invertible && std::isfinite(value);
            inverted_ = invertible ? Inverted::Yes : Inverted::No;
            if (invertible) inverseStretch_ = StretchBound(toObject_);
        }
        return inverted_ == Inverted::Yes;
    }
    // A world point in the object's space; only after Invert succeeded.
    void Object(const double p[3], double out[3]) const {
        for (int r = 0; r < 3; ++r)
            out[r] = toObject_[r] * p[0] + toObject_[4 + r] * p[1] + toObject_[8 + r] * p[2] +
                     toObject_[12 + r];
    }
    V3 Object(V3 p) const {
        const double in[3] = {p.x, p.y, p.z};
        double out[3];
        Object(in, out);
        return {static_cast<float>(out[0]), static_cast<float>(out[1]), static_cast<float>(out[2])};
    }

  private:
    enum class Inverted { Unknown, Yes, No };
    Mat4 toWorld_;
    double toObject_[16] = {};
    double stretch_ = 1;
    double inverseStretch_ = 1;
    Inverted inverted_ = Inverted::Unknown;
};

// A frame's bounding sphere where the object is drawn, as large as the placement can make it.
// Its radius counts distances below sqrt(1e-7) as 0, so that much is added back.
struct WorldSphere {
    V3 centre;
    float radius = 0;

    WorldSphere(const ObjectFrame& frame, const Placement& placement)
        : centre(placement.World(FromArray(frame.centre))),
          radius(static_cast<float>((frame.radius + 3.2e-4) * placement.Stretch())) {}
};

// The frame of a part that a query tests, or null when the part has no such frame or the
// frame holds no triangle.
ObjectFrame* TestedFrame(MeshObjectX& part, int frame) {
    if (frame < 0 || frame >= part.frames.Count()) return nullptr;
    ObjectFrame& tested = part.frames[frame];
    return tested.triangles.Count() > 2 ? &tested : nullptr;
}

const TriangleTree& TreeOf(ObjectFrame& frame) {
    if (!frame.collisionTree || !frame.collisionTree->Fits(frame.triangles))
        frame.collisionTree = std::make_shared<const TriangleTree>(frame.triangles);
    return *frame.collisionTree;
}

double NodeMagnitude(const TreeNode& node) {
    return std::max({std::fabs(node.lo[0]), std::fabs(node.lo[1]), std::fabs(node.lo[2]),
                     std::fabs(node.hi[0]), std::fabs(node.hi[1]), std::fabs(node.hi[2])});
}

double DistanceToNode(const double p[3], const TreeNode& node) {
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double below = node.lo[k] - p[k], above = p[k] - node.hi[k];
        const double gap = std::max({below, above, 0.0});
        sum += gap * gap;
    }
    return std::sqrt(sum);
}

// Calls test(triangle) for every triangle of the frame, or, through the tree, for those that
// near(node) keeps and the ones outside it; stops at the first that returns true.
template <typename Near, typename Test>
bool VisitTriangles(ObjectFrame& frame, Scan scan, Near near, Test test) {
    const int count = frame.triangles.Count() / 3;
    if (scan == Scan::Linear) {
        for (int t = 0; t < count; ++t)
            if (test(t)) return true;
        return false;
    }
    const TriangleTree& tree = TreeOf(frame);
    if (tree.Search(near, test)) return true;
    for (int32_t t : tree.Unbounded())
        if (test(t)) return true;
    return false;
}

// ---- One part. ----

bool SphereTouchesPart(MeshObjectX& part, int frame, Placement& placement, V3 centre, float radius,
                       Scan scan) {
    ObjectFrame* tested = TestedFrame(part, frame);
    if (!tested) return false;
    const GrowArray<DrawVertex>& triangles = tested->triangles;
    const WorldSphere own(*tested, placement);
    const float reach = radius + own.radius;
    const V3 apart = centre - own.centre;
    if (reach * reach < Dot(apart, apart)) return false;
    const V3 first = centre - placement.World(Corner(triangles[0]));
    if (Dot(first, first) <= radius * radius) return true;

    // The triangles are tested where they are drawn, so a scaled object is touched where it
    // is seen, whatever its scale along each axis.
    auto test = [&](int t) {
        const DrawVertex* v = &triangles[t * 3];
        return SphereTouchesTriangle(centre, radius, placement.World(Corner(v[0])),
                                     placement.World(Corner(v[1])), placement.World(Corner(v[2])));
    };
    // An object scaled flat has no object space for the tree; its triangles can still be
    // tested where they are drawn.
    if (!placement.Invert()) scan = Scan::Linear;
    double inObject[3] = {0, 0, 0};
    const double world[3] = {centre.x, centre.y, centre.z};
    if (scan == Scan::Tree) placement.Object(world, inObject);
    const double objectRadius = radius * placement.InverseStretch();
    const double condition = placement.Stretch() * placement.InverseStretch();
    const double worldSize =
        LargestMagnitude(centre) + radius + LargestMagnitude(placement.World(V3{}));
    auto near = [&](const TreeNode& node) {
        const double slack = node.sphereReach * condition + node.slack * condition +
                             kRoundingSlack * placement.InverseStretch() *
                                 (worldSize + placement.Stretch() * NodeMagnitude(node));
        return DistanceToNode(inObject, node) <= objectRadius + slack ? 0.0 : -1.0;
    };
    return VisitTriangles(*tested, scan, near, test);
}

bool BoxTouchesFrame(ObjectFrame& tested, const BoxShape& box, Scan scan) {
    const GrowArray<DrawVertex>& triangles = tested.triangles;
    double reachOf[3];
    for (int k = 0; k < 3; ++k) {
        reachOf[k] = 0;
        for (const V3& axis : box.axis)
            reachOf[k] += std::fabs(k == 0 ? axis.x : k == 1 ? axis.y : axis.z);
    }
    const double middle[3] = {box.centre.x, box.centre.y, box.centre.z};
    const double querySize =
        LargestMagnitude(box.centre) + std::max({reachOf[0], reachOf[1], reachOf[2]});
    auto near = [&](const TreeNode& node) {
        const double slack = node.slack + kRoundingSlack * (querySize + NodeMagnitude(node));
        for (int k = 0; k < 3; ++k)
            if (middle[k] + reachOf[k] + slack < node.lo[k] ||
                middle[k] - reachOf[k] - slack > node.hi[k])
                return -1.0;
        return 0.0;
    };
    auto test = [&](int t) {
        const DrawVertex* v = &triangles[t * 3];
        return BoxTouchesTriangle(box, Corner(v[0]), Corner(v[1]), Corner(v[2]));
    };
    return VisitTriangles(tested, scan, near, test);
}

// The nearest hits found so far: the smallest positive distance and the negative one closest
// to 0. A distance of exactly 0 is no hit.
struct Nearest {
    float positive = kInfinity;
    float negative = -kInfinity;

    void Take(float r) {
        if (r > 0 && r < positive) positive = r;
        if (r < 0 && r > negative) negative = r;
    }
    bool FoundPositive() const { return positive != kInfinity; }
    float Result() const {
        if (FoundPositive()) return positive;
        return negative != -kInfinity ? negative : 0;
    }
};

float RayDistanceToFrame(ObjectFrame& tested, V3 s, V3 w, Scan scan) {
    const GrowArray<DrawVertex>& triangles = tested.triangles;
    Nearest nearest;
    auto distance = [&](int t) {
        const DrawVertex* v = &triangles[t * 3];
        return RayMeetsTriangle(s, w, Corner(v[0]), Corner(v[1]), Corner(v[2]));
    };
    if (scan == Scan::Linear) {
        const int count = triangles.Count() / 3;
        for (int t = 0; t < count; ++t)
            nearest.Take(distance(t));
        return nearest.Result();
    }

    const TriangleTree& tree = TreeOf(tested);
    const double start[3] = {s.x, s.y, s.z}, step[3] = {w.x, w.y, w.z};
    const double startSize = LargestMagnitude(s);
    // The range of r over which the line runs through the node's box widened by its slack; a
    // node is worth a visit when a hit there could beat the hits already found.
    auto near = [&](const TreeNode& node) {
        const double slack = node.slack + kRoundingSlack * (startSize + NodeMagnitude(node));
        double from = -std::numeric_limits<double>::infinity();
        double to = std::numeric_limits<double>::infinity();
        for (int k = 0; k < 3; ++k) {
            const double lo = node.lo[k] - slack, hi = node.hi[k] + slack;
            if (step[k] == 0) {
                if (start[k] < lo || start[k] > hi) return -1.0;
                continue;
            }
            const double a = (lo - start[k]) / step[k], b = (hi - start[k]) / step[k];
            from = std::max(from, std::min(a, b));
            to = std::min(to, std::max(a, b));
        }
        if (from > to) return -1.0;
        if (to > 0 && from < nearest.positive) return std::max(from, 0.0);
        // Hits behind the start count only while none lies ahead: search those last.
        if (!nearest.FoundPositive() && from < 0 && to > nearest.negative)
            return std::numeric_limits<double>::max();
        return -1.0;
    };
    auto visit = [&](int32_t t) {
        if (tree.RayTested(t)) nearest.Take(distance(t));
        return false;
    };
    tree.Search(near, visit);
    for (int32_t t : tree.RayWild())
        nearest.Take(distance(t));
    for (int32_t t : tree.Unbounded())
        nearest.Take(distance(t));
    return nearest.Result();
}

} // namespace

bool SphereTouches(ObjectSlot& slot, int frame, const Mat4& placement, const Sphere& sphere,
                   Scan scan) {
    const V3 centre = FromArray(sphere.centre);
    if (!Finite(centre) || !std::isfinite(sphere.radius) || sphere.radius < 0) return false;
    Placement place(placement);
    for (MeshObjectX& part : slot.parts)
        if (SphereTouchesPart(part, frame, place, centre, sphere.radius, scan)) return true;
    return false;
}

bool BoxTouches(ObjectSlot& slot, int frame, const Mat4& placement, const Box& box, Scan scan) {
    const V3 centre = FromArray(box.centre);
    if (!Finite(centre) || !std::isfinite(box.width) || !std::isfinite(box.height)) return false;
    const V3 halfAxes[3] = {{box.width / 2, 0, 0}, {0, 0, box.width / 2}, {0, box.height / 2, 0}};
    const V3 corner = halfAxes[0] + halfAxes[1] + halfAxes[2];
    const float halfDiagonal = std::sqrt(Dot(corner, corner));
    Placement place(placement);
    BoxShape shape;
    bool shaped = false;
    for (MeshObjectX& part : slot.parts) {
        ObjectFrame* tested = TestedFrame(part, frame);
        if (!tested) continue;
        // Far apart when the distance exceeds the sum of the two lengths, not the length of
        // their squares' sum, which would turn away boxes touching the object at its rim.
        const WorldSphere own(*tested, place);
        const V3 apart = centre - own.centre;
        const float reach = halfDiagonal + own.radius;
        if (Dot(apart, apart) > reach * reach) continue;
        if (!shaped) {
            // The box moves into the object's space: its half-axes become the images of the
            // world's, and its faces' normals follow from them.
            if (!place.Invert()) return false;
            shape.centre = place.Object(centre);
            for (int k = 0; k < 3; ++k)
                shape.axis[k] = place.Object(centre + halfAxes[k]) - shape.centre;
            for (int k = 0; k < 3; ++k)
                shape.face[k] = Cross(shape.axis[(k + 1) % 3], shape.axis[(k + 2) % 3]);
            if (!Finite(shape.centre) || !Finite(shape.axis[0]) || !Finite(shape.axis[1]) ||
                !Finite(shape.axis[2]))
                return false;
            shaped = true;
        }
        if (BoxTouchesFrame(*tested, shape, scan)) return true;
    }
    return false;
}

float RayDistance(ObjectSlot& slot, int frame, const Mat4& placement, const Ray& ray, Scan scan) {
    float unit[3] = {ray.direction[0], ray.direction[1], ray.direction[2]};
    gfx3d::NormaliseIfLong(unit);
    const V3 direction = FromArray(unit);
    const V3 start = FromArray(ray.start);
    const float length2 = Dot(direction, direction);
    if (!Finite(start) || !Finite(direction) || length2 == 0) return 0;
    Placement place(placement);
    V3 s, w;
    bool moved = false;
    Nearest nearest;
    for (MeshObjectX& part : slot.parts) {
        ObjectFrame* tested = TestedFrame(part, frame);
        if (!tested) continue;
        // A line that passes the object's sphere meets none of its triangles; rounding gets a
        // margin.
        const WorldSphere own(*tested, place);
        const V3 across = Cross(own.centre - start, direction);
        const float reach =
            own.radius + static_cast<float>(kRoundingSlack) *
                             (own.radius + LargestMagnitude(start) + LargestMagnitude(own.centre));
        if (Dot(across, across) > reach * reach * length2) continue;
        if (!moved) {
            if (!place.Invert()) return 0;
            s = place.Object(start);
            w = place.Object(start + direction) - s;
            if (!Finite(s) || !Finite(w) || (w.x == 0 && w.y == 0 && w.z == 0)) return 0;
            moved = true;
        }
        nearest.Take(RayDistanceToFrame(*tested, s, w, scan));
    }
    return nearest.Result();
}

} // namespace collision
