// Milliseconds of processor time per PathFind search on 512 × 512 grids, next to a plain
// binary-heap A* and the literal planner of the original design, measured in the same run.
// Every search crosses half the grid (about 256 cells each way) between two passable cells with
// weight 0.5, the classic A* score.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <queue>
#include <random>
#include <vector>

#include "pathfind/PathFindCommands.h"
#include "support/BenchSupport.h"
#include "support/LiteralPlanner.h"

namespace {

constexpr int kSide = 512;
constexpr double kWeight = 0.5;

struct Search {
    int sx, sy, gx, gy;
};

// A textbook A*: a binary heap of (score, cell) with out-of-date entries skipped, one cost so
// far and one parent per cell; the costs are taken from the map the same way as PathFind's.
size_t PlainAStar(const NumArray& map, const Search& s) {
    const int cells = kSide * kSide;
    double largest = 0;
    for (int i = 0; i < cells; ++i)
        largest = std::max(largest, map.data[i]);
    std::vector<float> cost(cells), g(cells, INFINITY);
    for (int i = 0; i < cells; ++i)
        cost[i] = map.data[i] > 0 ? static_cast<float>(map.data[i] / largest + 1) : -1.0f;
    std::vector<int> parent(cells, -1);
    std::vector<bool> closed(cells);
    using Entry = std::pair<float, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const int start = s.sx + s.sy * kSide, goal = s.gx + s.gy * kSide;
    g[start] = 0;
    open.push({0, start});
    while (!open.empty()) {
        const int cell = open.top().second;
        open.pop();
        if (closed[cell]) continue;
        closed[cell] = true;
        if (cell == goal) break;
        const int x = cell % kSide, y = cell / kSide;
        const int nx[] = {x, x + 1, x - 1, x}, ny[] = {y - 1, y, y, y + 1};
        for (int k = 0; k < 4; ++k) {
            if (nx[k] < 0 || nx[k] >= kSide || ny[k] < 0 || ny[k] >= kSide) continue;
            const int next = nx[k] + ny[k] * kSide;
            if (cost[next] < 0 || closed[next] || g[cell] + cost[next] >= g[next]) continue;
            g[next] = g[cell] + cost[next];
            parent[next] = cell;
            const float h = static_cast<float>(std::abs(s.gx - nx[k]) + std::abs(s.gy - ny[k]));
            open.push({(h - g[next]) * static_cast<float>(kWeight) + g[next], next});
        }
    }
    size_t points = 0;
    for (int cell = goal; closed[goal] && cell >= 0; cell = parent[cell])
        ++points;
    return points;
}

// A perfect maze: corridors on the odd rows and columns, carved by a depth-first walk.
void MakeMaze(NumArray& map, std::mt19937& random) {
    std::vector<std::pair<int, int>> stack = {{1, 1}};
    map(1, 1) = 1;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        std::vector<std::pair<int, int>> ways;
        for (auto [dx, dy] : {std::pair{2, 0}, {-2, 0}, {0, 2}, {0, -2}})
            if (x + dx > 0 && x + dx < kSide - 1 && y + dy > 0 && y + dy < kSide - 1 &&
                map(x + dx, y + dy) == 0)
                ways.emplace_back(dx, dy);
        if (ways.empty()) {
            stack.pop_back();
            continue;
        }
        const auto [dx, dy] = ways[random() % ways.size()];
        map(x + dx / 2, y + dy / 2) = map(x + dx, y + dy) = 1;
        stack.emplace_back(x + dx, y + dy);
    }
}

template <typename Run> double MsPerSearch(const std::vector<Search>& searches, Run run) {
    const double start = ProcessCpuMs();
    for (const Search& s : searches)
        run(s);
    return (ProcessCpuMs() - start) / searches.size();
}

} // namespace

int main() {
    std::mt19937 random(512);
    std::uniform_real_distribution<double> unit(0, 1);
    std::printf("%-22s %12s %12s %12s %16s %18s\n", "512 x 512 grid", "PathFind ms", "plain A* ms",
                "literal ms", "PathFind/plain", "literal/PathFind");
    for (const char* kind : {"20% walls", "maze", "scattered costs"}) {
        NumArray map, result;
        DimArray(map, kSide, kSide, 0, 0);
        if (kind[0] == 'm') MakeMaze(map, random);
        for (int y = 0; y < kSide && kind[0] != 'm'; ++y)
            for (int x = 0; x < kSide; ++x)
                map(x, y) = kind[0] == '2' ? (unit(random) < 0.2 ? 0 : 1)
                                           : (unit(random) < 0.1 ? 2 + random() % 8 : 1);
        std::vector<Search> searches;
        while (searches.size() < 8) {
            const Search s = {97 + 2 * int(random() % 32), 97 + 2 * int(random() % 32),
                              353 + 2 * int(random() % 32), 353 + 2 * int(random() % 32)};
            if (map(s.sx, s.sy) > 0 && map(s.gx, s.gy) > 0) searches.push_back(s);
        }
        size_t plainPoints = 0, literalPoints = 0;
        const double fast = MsPerSearch(searches, [&](const Search& s) {
            PathFind(map, result, kWeight, s.sx, s.sy, s.gx, s.gy);
        });
        const double plain =
            MsPerSearch(searches, [&](const Search& s) { plainPoints += PlainAStar(map, s); });
        // The literal planner is slow: two searches give its figure, and PathFind must find the
        // same.
        const std::vector<Search> some(searches.begin(), searches.begin() + 2);
        size_t fastSomePoints = 0;
        for (const Search& s : some)
            fastSomePoints += PathFind(map, result, kWeight, s.sx, s.sy, s.gx, s.gy);
        const double slow = MsPerSearch(some, [&](const Search& s) {
            literalPoints +=
                literal::FindPath(map.data, kSide, kSide, s.sx, s.sy, s.gx, s.gy, kWeight)->size();
        });
        std::printf("%-22s %12.2f %12.2f %12.1f %16.2f %18.1f%s\n", kind, fast, plain, slow,
                    fast / plain, slow / fast,
                    fastSomePoints == literalPoints && plainPoints > 0 ? "" : "  (paths differ!)");
    }
    return 0;
}
