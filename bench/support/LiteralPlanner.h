// The planner of the original design, kept literal as the slow baseline of the benchmark: nodes
// from a pool, the closed set in a table of 256 buckets chained through the nodes, the open list
// in a buffer of fixed capacity sorted by decreasing score, searched linearly from the back,
// filled by binary search.
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
    Node* closed[256] = {};
    Node** lastFound = nullptr;
    const auto findClosed = [&](int x, int y) {
        lastFound = &closed[(x & 15) | ((y & 15) << 4)];
        while (*lastFound && ((*lastFound)->x != x || (*lastFound)->y != y))
            lastFound = &(*lastFound)->next;
        return *lastFound;
    };
    const auto close = [&](Node* n) {
        if (!findClosed(n->x, n->y)) n->next = *lastFound, *lastFound = n;
    };
    std::vector<Node*> open = {&pool[0]};
    open.reserve(cells);
    pool[0] = {nullptr, sx, sy, 0, 0, nullptr};
    size_t used = 1;
    Node* found = nullptr;
    while (!open.empty()) {
        Node* n = open.back();
        open.pop_back();
        if (n->x == gx && n->y == gy) {
            close(found = n);
            break;
        }
        const int dx[] = {0, 1, -1, 0}, dy[] = {-1, 0, 0, 1};
        for (int k = 0; k < 4; ++k) {
            const int x = n->x + dx[k], y = n->y + dy[k];
            if (!inside(x, y) || cost[x + static_cast<size_t>(y) * width] == -1) continue;
            const float g = n->g + cost[x + static_cast<size_t>(y) * width];
            const float f = (static_cast<float>(std::abs(gx - x) + std::abs(gy - y)) - g) * w + g;
            Node* c = findClosed(x, y);
            if (c) {
                if (c->g <= g) continue;
                *lastFound = c->next;
            } else {
                size_t i = open.size();
                while (i > 0 && (open[i - 1]->x != x || open[i - 1]->y != y))
                    --i;
                if (i > 0 && open[i - 1]->g <= g) continue;
                if (i > 0) c = open[i - 1], open.erase(open.begin() + (i - 1));
                if (!c) c = &pool[used++], c->x = x, c->y = y;
            }
            c->parent = n, c->g = g, c->f = f;
            size_t lo = 0, hi = open.size();
            while (lo < hi) {
                const size_t mid = (lo + hi) / 2;
                (f < open[mid]->f ? lo = mid + 1 : hi = mid);
            }
            open.insert(open.begin() + lo, c);
        }
        close(n);
    }
    Path path;
    for (Node* n = found; n; n = n->parent)
        path.emplace_back(n->x, n->y);
    return Path(path.rbegin(), path.rend());
}

} // namespace literal
