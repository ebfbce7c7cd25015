#include "gfx3d/TriangleTree.h"

#include <algorithm>
#include <cmath>

namespace collision {

namespace {

constexpr int32_t kLeafSize = 4;
// A ray's hit point on a triangle comes from coordinates along two of its edges; when the
// angle between them is this thin (1 / sin^2 of it, about 1.8 degrees), rounding can move the
// point outside any bound worth keeping.
constexpr double kWildCondition = 1e3;

bool SamePoint(const DrawVertex& p, const DrawVertex& q) {
    return p.x == q.x && p.y == q.y && p.z == q.z;
}

void Widen(TreeNode& into, const TreeNode& part) {
    for (int k = 0; k < 3; ++k) {
        into.lo[k] = std::min(into.lo[k], part.lo[k]);
        into.hi[k] = std::max(into.hi[k], part.hi[k]);
    }
    into.sphereReach = std::max(into.sphereReach, part.sphereReach);
    into.slack = std::max(into.slack, part.slack);
}

} // namespace

TriangleTree::TriangleTree(const GrowArray<DrawVertex>& triangles)
    : vertexCount_(triangles.Count()) {
    const int32_t count = vertexCount_ / 3;
    triangleBounds_.resize(static_cast<size_t>(count));
    rayTested_.assign(static_cast<size_t>(count), 0);
    std::vector<float> centres(static_cast<size_t>(count) * 3);
    for (int32_t t = 0; t < count; ++t) {
        const DrawVertex* v = &triangles[t * 3];
        const double p[3][3] = {
            {v[0].x, v[0].y, v[0].z}, {v[1].x, v[1].y, v[1].z}, {v[2].x, v[2].y, v[2].z}};
        bool finite = true;
        double magnitude = 0;
        TreeNode& bounds = triangleBounds_[static_cast<size_t>(t)];
        for (int k = 0; k < 3; ++k) {
            bounds.lo[k] = static_cast<float>(std::min({p[0][k], p[1][k], p[2][k]}));
            bounds.hi[k] = static_cast<float>(std::max({p[0][k], p[1][k], p[2][k]}));
            finite = finite && std::isfinite(bounds.lo[k]) && std::isfinite(bounds.hi[k]);
            magnitude =
                std::max({magnitude, std::fabs(p[0][k]), std::fabs(p[1][k]), std::fabs(p[2][k])});
            centres[static_cast<size_t>(t) * 3 + k] = (bounds.lo[k] + bounds.hi[k]) * 0.5f;
        }
        if (!finite) {
            unbounded_.push_back(t);
            continue;
        }
        double u[3], w[3], uu = 0, ww = 0, longest = 0;
        for (int k = 0; k < 3; ++k) {
            u[k] = p[1][k] - p[0][k];
            w[k] = p[2][k] - p[0][k];
            uu += u[k] * u[k];
            ww += w[k] * w[k];
        }
        double side[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k)
            side[k] = (p[2][k] - p[1][k]) * (p[2][k] - p[1][k]);
        longest = std::sqrt(std::max({uu, ww, side[0] + side[1] + side[2]}));
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                             u[0] * w[1] - u[1] * w[0]};
        const double nn = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
        bounds.sphereReach = static_cast<float>(0.35 * longest);
        bounds.slack = static_cast<float>(0.01 * longest + 1e-5 * magnitude);
        if (SamePoint(v[0], v[1]) || SamePoint(v[0], v[2]) || SamePoint(v[1], v[2])) {
            // The ray test's normal is exactly zero: it never reports a hit.
        } else if (nn == 0 || uu * ww > kWildCondition * nn) {
            rayWild_.push_back(t);
        } else {
            rayTested_[static_cast<size_t>(t)] = 1;
        }
    }
    // Unbounded triangles were listed in order, so one pass leaves the rest.
    size_t next = 0;
    for (int32_t t = 0; t < count; ++t) {
        if (next < unbounded_.size() && unbounded_[next] == t) {
            ++next;
            continue;
        }
        order_.push_back(t);
    }
    if (!order_.empty()) {
        nodes_.reserve(order_.size() / 2 + 1);
        nodes_.emplace_back();
        Build(0, 0, static_cast<int32_t>(order_.size()), centres);
    }
    triangleBounds_.clear();
    triangleBounds_.shrink_to_fit();
}

void TriangleTree::Build(int32_t index, int32_t first, int32_t count,
                         const std::vector<float>& centres) {
    TreeNode node = triangleBounds_[static_cast<size_t>(order_[static_cast<size_t>(first)])];
    float centreLo[3], centreHi[3];
    for (int k = 0; k < 3; ++k)
        centreLo[k] = centreHi[k] =
            centres[static_cast<size_t>(order_[static_cast<size_t>(first)]) * 3 + k];
    for (int32_t i = first + 1; i < first + count; ++i) {
        const int32_t t = order_[static_cast<size_t>(i)];
        Widen(node, triangleBounds_[static_cast<size_t>(t)]);
        for (int k = 0; k < 3; ++k) {
            const float c = centres[static_cast<size_t>(t) * 3 + k];
            centreLo[k] = std::min(centreLo[k], c);
            centreHi[k] = std::max(centreHi[k], c);
        }
    }
    if (count <= kLeafSize) {
        node.first = first;
        node.count = count;
        nodes_[static_cast<size_t>(index)] = node;
        return;
    }
    // Split at the median of the centres along their widest axis: a balanced tree whatever
    // the triangles' sizes.
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (centreHi[k] - centreLo[k] > centreHi[axis] - centreLo[axis]) axis = k;
    const int32_t half = count / 2;
    auto begin = order_.begin() + first;
    std::nth_element(begin, begin + half, begin + count, [&](int32_t a, int32_t b) {
        return centres[static_cast<size_t>(a) * 3 + axis] <
               centres[static_cast<size_t>(b) * 3 + axis];
    });
    const int32_t left = static_cast<int32_t>(nodes_.size());
    node.first = left;
    node.count = 0;
    nodes_[static_cast<size_t>(index)] = node;
    nodes_.emplace_back();
    nodes_.emplace_back();
    Build(left, first, half, centres);
    Build(left + 1, first + half, count - half, centres);
}

} // namespace collision
