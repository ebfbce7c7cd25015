#include "pathfind/PathSearch.h"

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstdlib>

namespace pathfind {
namespace {

constexpr float kBlocked = -1.0f;

// The neighbours in the order they are visited: up, right, left, down.
constexpr int kStepX[4] = {0, 1, -1, 0};
constexpr int kStepY[4] = {-1, 0, 0, 1};

// A cell's state byte: its status in the low two bits, above them the step that led into it.
enum : uint8_t { kUnseen = 0, kOpen = 1, kClosed = 2, kStatusBits = 3 };
constexpr int kStepShift = 2;

// A queued cell. Every time a cell is queued again its cost so far g has dropped, so an entry
// whose g differs from the cell's is out of date and is skipped when it comes up.
struct QueueEntry {
    uint64_t order;
    float f;
    float g;
    uint32_t cell;
};

// The heap keeps the entry taken last at the bottom: smallest score first, of equal scores the
// one queued first.
struct TakenLater {
    bool operator()(const QueueEntry& a, const QueueEntry& b) const {
        return a.f != b.f ? a.f > b.f : a.order > b.order;
    }
};

bool Passable(double value) {
    return value > 0 && value <= DBL_MAX;
}

// The step cost of every cell; empty when no cell is passable.
std::vector<float> StepCosts(const double* values, size_t cells) {
    double largest = 0;
    for (size_t i = 0; i < cells; ++i)
        if (Passable(values[i])) largest = std::max(largest, values[i]);
    if (largest == 0) return {};
    std::vector<float> costs(cells);
    for (size_t i = 0; i < cells; ++i)
        costs[i] = Passable(values[i]) ? static_cast<float>(values[i] / largest + 1.0) : kBlocked;
    return costs;
}

float LimitedWeight(double weight) {
    if (!(weight > 0)) return 0.0f;
    return weight < 1 ? static_cast<float>(weight) : 1.0f;
}

} // namespace

std::optional<std::vector<Cell>> FindPath(const double* values, int width, int height, Cell start,
                                          Cell goal, double weight) {
    const auto inside = [&](Cell c) { return c.x >= 0 && c.x < width && c.y >= 0 && c.y < height; };
    if (!values || !inside(start) || !inside(goal) || start == goal) return std::nullopt;
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    const std::vector<float> costs = StepCosts(values, cells);
    if (costs.empty()) return std::nullopt;
    const float w = LimitedWeight(weight);

    std::vector<float> g(cells);
    std::vector<uint8_t> state(cells, kUnseen);
    std::vector<QueueEntry> queue;
    queue.reserve(std::min<size_t>(cells, size_t{1} << 16));
    uint64_t order = 0;
    const uint32_t startCell = start.x + static_cast<uint32_t>(start.y) * width;
    const uint32_t goalCell = goal.x + static_cast<uint32_t>(goal.y) * width;
    state[startCell] = kOpen;
    queue.push_back({order++, 0.0f, 0.0f, startCell});

    bool reached = false;
    while (!queue.empty()) {
        std::pop_heap(queue.begin(), queue.end(), TakenLater());
        const QueueEntry taken = queue.back();
        queue.pop_back();
        if ((state[taken.cell] & kStatusBits) != kOpen || taken.g != g[taken.cell]) continue;
        if (taken.cell == goalCell) {
            reached = true;
            break;
        }
        const int x = static_cast<int>(taken.cell % width);
        const int y = static_cast<int>(taken.cell / width);
        for (int step = 0; step < 4; ++step) {
            const int nx = x + kStepX[step];
            const int ny = y + kStepY[step];
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
            const uint32_t next = nx + static_cast<uint32_t>(ny) * width;
            if (costs[next] < 0) continue;
            const float nextG = taken.g + costs[next];
            // Closed cells are opened again when they are reached more cheaply.
            if ((state[next] & kStatusBits) != kUnseen && g[next] <= nextG) continue;
            const float h = static_cast<float>(std::abs(goal.x - nx) + std::abs(goal.y - ny));
            const float nextF = (h - nextG) * w + nextG;
            g[next] = nextG;
            state[next] = kOpen | (step << kStepShift);
            queue.push_back({order++, nextF, nextG, next});
            std::push_heap(queue.begin(), queue.end(), TakenLater());
        }
        state[taken.cell] = (state[taken.cell] & ~kStatusBits) | kClosed;
    }
    if (!reached) return std::vector<Cell>();

    // Every cell but the start was reached from a neighbour with a smaller g, so walking the
    // steps back always ends at the start.
    std::vector<Cell> path;
    Cell cell = goal;
    while (true) {
        path.push_back(cell);
        if (cell == start) break;
        const int step = state[cell.x + static_cast<size_t>(cell.y) * width] >> kStepShift;
        cell = {cell.x - kStepX[step], cell.y - kStepY[step]};
    }
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace pathfind
