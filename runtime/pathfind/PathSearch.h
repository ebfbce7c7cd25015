// Best-first search over a grid of movement costs. The score of a cell is
// f = w·h + (1 − w)·g, with g the cost of the way so far and h the Manhattan distance to the
// goal, so the weight w slides between a cheapest-path search (0) and a greedy one (1). Cells
// are expanded smallest score first and, of equal scores, in the order they were queued, so
// every caller gets the same path among several equally good ones.
#pragma once

#include <optional>
#include <vector>

namespace pathfind {

struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y; }
};

// The path from start to goal, both included, over cell values stored at x + y·width: a value
// above 0 (and finite) is passable, anything else blocked. Passable values v become step costs
// v / vmax + 1, so every step costs more than 1 and at most 2. Only the four orthogonal
// neighbours are visited; a blocked start is left anyway. The weight is limited to 0..1 (not a
// number counts as 0).
// Empty when the goal cannot be reached. No path at all (nothing searched) when start or goal
// lies outside the grid, start equals goal, or no cell is passable.
std::optional<std::vector<Cell>> FindPath(const double* values, int width, int height, Cell start,
                                          Cell goal, double weight);

} // namespace pathfind
