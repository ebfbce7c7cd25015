// PathFind on small maps with the path drawn in by hand, and on random maps against a plain
// least-cost search written here: the path is connected, avoids walls and, at weight 0, costs the
// least.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "pathfind/PathFindCommands.h"

namespace {

TEST(PathFindTest, DrawnMapsGiveTheDrawnPaths) {
    // Rows "<map> <path>" between slashes: the map's digits are cell values ('.' is 1, '#' a
    // wall); the path visits its letters in order, from a (the start) to the last (the goal).
    // With each drawing the weight of the search.
    const std::pair<std::string, double> cases[] = {
        {"19991 a...g/..... bcdef", 0},             // weight 0 pays the long way round
        {"19991 abcde/..... .....", 1},             // weight 1 heads for the goal
        {"5739# abc../298## ..d../93268 ..efg", 9}, // weight above 1 counts as 1 (greedy)
        // Costs are value / largest + 1: two steps of cost 2 (value 3) beat five of 1.333
        // (value 1); raw values would not.
        {"1331 abcd/.... ....", 0},
        {"... abc/... ..d/... ..e", 0}, // of equal scores the first queued goes first
    };
    for (const auto& [drawing, weight] : cases) {
        const int width = drawing.find(' '), row = 2 * width + 2;
        NumArray map, result;
        DimArray(map, width, (drawing.size() + 1) / row, 0, 0);
        std::string found = drawing; // the path part cleared, then drawn from the result
        for (size_t i = 0; i < drawing.size(); ++i) {
            const int x = i % row, c = drawing[i];
            if (x < width) map(x, i / row) = c == '#' ? 0 : c == '.' ? 1 : c - '0';
            if (x > width && c >= 'a') found[i] = '.';
        }
        // The letters are the drawing's largest characters. Coordinates are truncated.
        const int a = drawing.find('a'), z = *std::max_element(drawing.begin(), drawing.end());
        const int goal = drawing.find(z),
                  points = PathFind(map, result, weight, a % row - width - 1 + 0.9, a / row + 0.5,
                                    goal % row - width - 1 + 0.7, goal / row);
        for (int i = 0; i < points; ++i)
            found.at(result(i, 1) * row + width + 1 + result(i, 0)) = 'a' + i;
        EXPECT_EQ(found, drawing);
    }
}

// Also: a weight below 0 or not a number counts as 0; a blocked start is left anyway; a start or
// goal off the map leaves the result alone.
TEST(PathFindTest, RandomMapsGiveConnectedPathsAroundWallsThatWeight0MakesCheapest) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int round = 0; round < 2000; ++round) {
        const int width = 1 + random() % 16, cells = width * (1 + random() % 16);
        const double walls = round % 16 ? unit(random) * 0.5 : 1;
        const double weight = round % 2 ? unit(random) : round % 6 ? 0 : round % 12 ? -5 : NAN;
        NumArray map, result;
        DimArray(map, width, cells / width, 0, 0);
        for (int i = 0; i < cells; ++i) // few values (many ties) or any value
            map.data[i] = unit(random) < walls ? -unit(random) * (round % 3)
                          : round % 4 < 2      ? 1 + random() % 3
                                               : unit(random) * 10;
        const int start = random() % cells, goal = random() % cells;
        const double largest = *std::max_element(map.data, map.data + cells);
        ArrayFromValues(result, 1, &largest); // a marker that a search never started leaves
        ASSERT_EQ(PathFind(map, result, weight, -1, 0, 0, 0) +
                      PathFind(map, result, weight, 0, 0, width, 1e300) + result.dims,
                  1);
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
        // Walked from the start, through no wall, to the goal; at weight 0 the cheapest way.
        double total = 0;
        for (int i = 0, at = start; i < points; ++i) {
            const int next = result(i, 0) + result(i, 1) * width;
            ASSERT_TRUE(i ? step(at, next) : next == start) << "round " << round << " point " << i;
            total += i ? cost(next) : 0, at = next;
            if (i == points - 1) EXPECT_EQ(at, goal);
        }
        EXPECT_LT(total, (weight > 0 ? INFINITY : least[goal]) + 1e-9) << "round " << round;
    }
}

} // namespace
