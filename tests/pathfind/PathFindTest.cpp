// PathFind on small maps with the path drawn in by hand, and on random maps against a plain
// Dijkstra written here: the path is connected, avoids walls and, at weight 0, costs the least.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <random>

#include "pathfind/PathFindCommands.h"

namespace {

TEST(PathFindTest, DrawnMapsGiveTheDrawnPaths) {
    // Rows "<map> <path>" between bars: the map's digits are cell values ('.' is 1, '#' a
    // wall); the path visits its letters in order, from a (the start) to the last (the goal).
    // With each drawing the weight of the search.
    const std::string detour = "19991 a...g|..... bcdef";
    const std::pair<std::string, double> cases[] = {
        {detour, 0},                    // weight 0 pays the long way round
        {detour, -5},                   // weight below 0 counts as 0
        {detour, NAN},                  // weight not a number counts as 0
        {"19991 abcde|..... .....", 1}, // weight 1 heads for the goal
        // Costs are value / largest + 1: two steps of cost 2 (value 3) beat five of 1.333
        // (value 1); raw values would not.
        {"1331 abcd|.... ....", 0},
        {"... abc|... ..d|... ..e", 0}, // of equal scores the first queued goes first
        {".#. a.g|.#. b.f|... cde", 0}, // around walls
        {"#.. abc", 0},                 // a blocked start is left anyway
    };
    for (const auto& [drawing, weight] : cases) {
        const int width = drawing.find(' '), row = 2 * width + 2;
        NumArray map, result;
        DimArray(map, width, (drawing.size() + 1) / row, 0, 0);
        std::map<char, std::pair<int, int>> expected, found;
        for (size_t i = 0; i < drawing.size(); ++i) {
            const int x = i % row, y = i / row, c = drawing[i];
            if (x < width) map(x, y) = c == '#' ? 0 : c == '.' ? 1 : c - '0';
            if (x > width && std::isalpha(c)) expected[c] = {x - width - 1, y};
        }
        const auto [start, goal] = std::pair(expected.begin()->second, expected.rbegin()->second);
        // Coordinates are truncated.
        const int points = PathFind(map, result, weight, start.first + 0.9, start.second + 0.5,
                                    goal.first + 0.7, goal.second);
        for (int i = 0; i < points; ++i)
            found['a' + i] = {result(i, 0), result(i, 1)};
        EXPECT_EQ(found, expected) << drawing;
    }
}

TEST(PathFindTest, StartOrGoalOutsideOrMapsWithoutTwoDimensionsLeaveTheResultAlone) {
    const double ones[] = {1, 1, 1, 1, 1, 1};
    NumArray map, row, never, result;
    DimArray(map, 3, 2, 0, 0);
    std::copy(ones, ones + 6, map.data);
    ArrayFromValues(row, 6, ones);
    ArrayFromValues(result, 1, ones); // one dimension: it must stay so
    EXPECT_EQ(PathFind(map, result, 0, -1, 0, 2, 0) + PathFind(map, result, 0, 0, 0, 1e300, 0) +
                  PathFind(row, result, 0, 0, 0, 2, 0) + PathFind(never, result, 0, 0, 0, 1, 0) +
                  result.dims,
              1);
}

TEST(PathFindTest, RandomMapsGiveConnectedPathsAroundWallsThatWeight0MakesCheapest) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int round = 0; round < 2000; ++round) {
        const int width = 1 + random() % 16, cells = width * (1 + random() % 16);
        const double walls = round % 16 ? unit(random) * 0.5 : 1,
                     weight = round % 2 ? unit(random) : 0;
        NumArray map, result;
        DimArray(map, width, cells / width, 0, 0);
        for (int i = 0; i < cells; ++i) // few values (many ties) or any value
            map.data[i] = unit(random) < walls ? -unit(random)
                          : round % 4 < 2      ? 1 + random() % 3
                                               : unit(random) * 10;
        const int start = random() % cells, goal = random() % cells;
        const double largest = *std::max_element(map.data, map.data + cells);
        ArrayFromValues(result, 1, &largest); // a marker that a search never started leaves
        const int points =
            PathFind(map, result, weight, start % width, start / width, goal % width, goal / width);
        if (start == goal || largest <= 0) { // nothing to search, or nothing passable
            EXPECT_EQ(points + result.dims, 1);
            continue;
        }
        // The least cost to each cell, relaxed until it holds: entering a cell of value v costs
        // v / largest + 1, a step goes to one of the four neighbours.
        auto cost = [&](int b) { return map.data[b] > 0 ? map.data[b] / largest + 1 : INFINITY; };
        auto step = [&](int a, int b) {
            return std::abs(a % width - b % width) + std::abs(a / width - b / width) == 1;
        };
        std::vector<double> least(cells, INFINITY);
        least[start] = 0;
        for (bool changed = true; changed;) {
            changed = false;
            for (int a = 0; a < cells; ++a)
                for (int b : {a - width, a - 1, a + 1, a + width})
                    if (b >= 0 && b < cells && step(a, b) && least[a] + cost(b) < least[b])
                        least[b] = least[a] + cost(b), changed = true;
        }
        ASSERT_EQ(points > 0, std::isfinite(least[goal])) << "round " << round;
        ASSERT_EQ(result.dims, points ? 2 : 0); // an unreachable goal empties the result
        if (points == 0) continue;
        double total = 0;
        for (int i = 0; i < points; ++i) {
            const int at = result(i, 0) + result(i, 1) * width,
                      before = result(i ? i - 1 : 0, 0) + result(i ? i - 1 : 0, 1) * width;
            ASSERT_TRUE(i ? step(before, at) : at == start) << "round " << round << " point " << i;
            total += i ? cost(at) : 0;
        }
        EXPECT_EQ(result(points - 1, 0) + result(points - 1, 1) * width, goal);
        // Through no wall, and at weight 0 the cheapest.
        EXPECT_LT(total, (weight == 0 ? least[goal] : INFINITY) + 1e-9) << "round " << round;
    }
}

} // namespace
