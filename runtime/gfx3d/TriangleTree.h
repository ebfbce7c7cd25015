// A bounding-volume hierarchy over one frame's triangle list, so that a collision query visits
// the few triangles near it instead of all of them. The tree only chooses which triangles a
// query tests; the tests themselves are the same as in a plain scan, so the answers are too.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx3d/MeshObject.h"

namespace collision {

// A box of triangle corners and how far beyond it the per-triangle tests may still report a
// touch: a sphere's angle test accepts centres a fraction of the longest edge outside the
// triangle, and rounding widens every test a little.
struct TreeNode {
    float lo[3] = {0, 0, 0};
    float hi[3] = {0, 0, 0};
    float sphereReach = 0; // largest over its triangles of 0.35 x the longest edge
    float slack = 0;       // largest over its triangles of 0.01 x the longest edge + rounding
    int32_t first = 0;     // a leaf's first entry in the triangle order, else its first child
    int32_t count = 0;     // a leaf's triangle count, 0 for an inner node
};

class TriangleTree {
  public:
    // Builds the tree over triangles (three vertices each).
    explicit TriangleTree(const GrowArray<DrawVertex>& triangles);

    // True while the tree still describes a triangle list of this length.
    bool Fits(const GrowArray<DrawVertex>& triangles) const {
        return triangles.Count() == vertexCount_;
    }

    // Depth-first search. near(node) gives the order key of a node (smaller first) or a
    // negative value to skip it with its subtree; visit(triangle) is called for the triangles
    // of the leaves reached and ends the search by returning true. True when a visit did.
    template <typename Near, typename Visit> bool Search(Near near, Visit visit) const;

    // Triangles with a corner that is not a finite number: outside the tree, every query tests
    // them all.
    const std::vector<int32_t>& Unbounded() const { return unbounded_; }
    // Triangles so thin that a ray may be reported to hit them far from where they lie: every
    // ray tests them all, and skips them in the tree.
    const std::vector<int32_t>& RayWild() const { return rayWild_; }
    // False for triangles a ray never hits: two corners are the same point (their normal is
    // exactly zero), or the triangle is in RayWild.
    bool RayTested(int32_t triangle) const {
        return rayTested_[static_cast<size_t>(triangle)] != 0;
    }

  private:
    // Makes nodes_[index] the node over order_[first, first + count), with its subtree.
    void Build(int32_t index, int32_t first, int32_t count, const std::vector<float>& centres);

    std::vector<TreeNode> nodes_;
    std::vector<int32_t> order_; // triangle indices, each leaf a run of them
    std::vector<int32_t> unbounded_;
    std::vector<int32_t> rayWild_;
    std::vector<uint8_t> rayTested_;
    std::vector<TreeNode> triangleBounds_; // per triangle while building
    int vertexCount_ = 0;
};

template <typename Near, typename Visit> bool TriangleTree::Search(Near near, Visit visit) const {
    if (nodes_.empty() || near(nodes_[0]) < 0) return false;
    // Median splits keep the depth near log2 of the triangle count, far below the stack.
    int32_t stack[128];
    int depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const TreeNode& node = nodes_[static_cast<size_t>(stack[--depth])];
        if (node.count > 0) {
            // A ray may have found a nearer hit since this leaf was put on the stack.
            if (near(node) < 0) continue;
            for (int32_t i = 0; i < node.count; ++i)
                if (visit(order_[static_cast<size_t>(node.first + i)])) return true;
            continue;
        }
        const int32_t left = node.first, right = node.first + 1;
        const double leftKey = near(nodes_[static_cast<size_t>(left)]);
        const double rightKey = near(nodes_[static_cast<size_t>(right)]);
        // The nearer child goes on top so it is searched first.
        if (leftKey >= 0 && rightKey >= 0) {
            const bool leftFirst = leftKey <= rightKey;
            stack[depth++] = leftFirst ? right : left;
            stack[depth++] = leftFirst ? left : right;
        } else if (leftKey >= 0) {
            stack[depth++] = left;
        } else if (rightKey >= 0) {
            stack[depth++] = right;
        }
    }
    return false;
}

} // namespace collision
