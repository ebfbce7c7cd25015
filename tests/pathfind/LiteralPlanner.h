// The planner of the original design, kept literal as the reference that PathFind must match
// path for path, and as the slow baseline of the benchmark: nodes from a pool, the closed set
// in a table of 256 buckets chained through the nodes, the open list in a fixed buffer sorted
// by decreasing score, searched linearly and filled by binary search.
#pragma once

#include <cfloat>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace literal {

struct Node {
    Node* parent;
    int x, y;
    float f, g;
    Node* next;
};

class NodeHashTable {
  public:
    Node* Find(int x, int y) {
        lastLink_ = &buckets_[(x & 15) | ((y & 15) << 4)];
        while (*lastLink_ && ((*lastLink_)->x != x || (*lastLink_)->y != y))
            lastLink_ = &(*lastLink_)->next;
        return *lastLink_;
    }
    void Insert(Node* node) {
        if (Find(node->x, node->y) == node) return;
        Node*& head = buckets_[(node->x & 15) | ((node->y & 15) << 4)];
        node->next = head;
        head = node;
    }
    void RemoveLastFound() { *lastLink_ = (*lastLink_)->next; }

  private:
    Node* buckets_[256] = {};
    Node** lastLink_ = nullptr;
};

// Only the back end is pushed and popped, so the ring buffer never turns: a plain array.
class FixedDeque {
  public:
    explicit FixedDeque(size_t capacity) : slots_(capacity) {}
    size_t Size() const { return size_; }
    Node* At(size_t i) const { return slots_[i]; }
    Node* PopBack() { return slots_[--size_]; }
    bool Insert(size_t position, Node* node) {
        if (size_ == slots_.size()) return false;
        for (size_t i = size_++; i > position; --i)
            slots_[i] = slots_[i - 1];
        slots_[position] = node;
        return true;
    }
    void Erase(size_t position) {
        for (--size_; position < size_; ++position)
            slots_[position] = slots_[position + 1];
    }

  private:
    std::vector<Node*> slots_;
    size_t size_ = 0;
};

using Path = std::vector<std::pair<int, int>>;

// The path from start to goal; none when the set-up is rejected, empty when the goal is not
// reached.
inline std::optional<Path> FindPath(const double* map, int width, int height, int sx, int sy,
                                    int gx, int gy, double weight) {
    const auto inside = [&](int x, int y) { return x >= 0 && x < width && y >= 0 && y < height; };
    if (!inside(sx, sy) || !inside(gx, gy) || (sx == gx && sy == gy)) return std::nullopt;
    const size_t cells = static_cast<size_t>(width) * height;
    const auto passable = [](double v) { return v > 0 && v <= DBL_MAX; };
    double vmax = 0;
    for (size_t i = 0; i < cells; ++i)
        if (passable(map[i]) && map[i] > vmax) vmax = map[i];
    if (vmax == 0) return std::nullopt;
    std::vector<float> cost(cells);
    for (size_t i = 0; i < cells; ++i)
        cost[i] = passable(map[i]) ? static_cast<float>(map[i] / vmax + 1) : -1.0f;
    const float w = weight > 1 ? 1.0f : weight > 0 ? static_cast<float>(weight) : 0.0f;

    std::vector<Node> pool(cells);
    size_t used = 0;
    FixedDeque open(cells);
    NodeHashTable closed;
    pool[used] = {nullptr, sx, sy, 0, 0, nullptr};
    open.Insert(0, &pool[used++]);
    Node* found = nullptr;
    while (open.Size() > 0) {
        Node* n = open.PopBack();
        if (n->x == gx && n->y == gy) {
            closed.Insert(n);
            found = n;
            break;
        }
        const int dx[] = {0, 1, -1, 0}, dy[] = {-1, 0, 0, 1};
        for (int k = 0; k < 4; ++k) {
            const int x = n->x + dx[k], y = n->y + dy[k];
            if (!inside(x, y) || cost[x + static_cast<size_t>(y) * width] == -1) continue;
            const float g = n->g + cost[x + static_cast<size_t>(y) * width];
            const float f = (static_cast<float>(std::abs(gx - x) + std::abs(gy - y)) - g) * w + g;
            Node* c = closed.Find(x, y);
            if (c) {
                if (c->g <= g) continue;
                closed.RemoveLastFound();
            } else {
                size_t i = open.Size();
                while (i > 0 && (open.At(i - 1)->x != x || open.At(i - 1)->y != y))
                    --i;
                if (i > 0) {
                    c = open.At(i - 1);
                    if (c->g <= g) continue;
                    open.Erase(i - 1);
                } else {
                    c = &pool[used++];
                    c->x = x, c->y = y;
                }
            }
            c->parent = n, c->g = g, c->f = f;
            size_t lo = 0, hi = open.Size();
            while (lo < hi) {
                const size_t mid = (lo + hi) / 2;
                if (f < open.At(mid)->f)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            open.Insert(lo, c);
        }
        closed.Insert(n);
    }
    Path path;
    for (Node* n = found; n; n = n->parent)
        path.emplace_back(n->x, n->y);
    return Path(path.rbegin(), path.rend());
}

} // namespace literal
