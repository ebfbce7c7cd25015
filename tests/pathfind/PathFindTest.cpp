#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "pathfind/LiteralPlanner.h"
#include "pathfind/PathFindCommands.h"

namespace {

using literal::Path;

// A map from rows of digits, one digit per cell value.
void MakeMap(NumArray& map, const std::vector<std::string>& rows) {
    DimArray(map, rows[0].size(), rows.size(), 0, 0);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            map(x, y) = rows[y][x] - '0';
}

// The points of a result array, or the marker row that PathFind must leave alone.
Path PointsOf(NumArray& result) {
    Path points;
    for (int i = 0; i < result.size1; ++i)
        points.emplace_back(result(i, 0), result.size2 > 1 ? result(i, 1) : -1);
    return points;
}

const Path kUntouched = {{42, -1}};

void MarkUntouched(NumArray& result) {
    DimArray(result, 1, 0, 0, 0);
    result(0) = 42;
}

TEST(PathFindTest, SmallMapsGiveTheExpectedPaths) {
    const double nan = std::nan("");
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        double weight, sx, sy, gx, gy;
        Path expected;
    };
    const std::vector<std::string> detour = {"19991", "11111"};
    const Path around = {{0, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 0}};
    const Path straight = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
    // clang-format off
    const std::vector<Case> cases = {
        {"a row of three", {"111"}, 0.5, 0, 0, 2, 0, {{0, 0}, {1, 0}, {2, 0}}},
        {"weight 0 pays the long way round", detour, 0, 0, 0, 4, 0, around},
        {"weight 1 heads for the goal", detour, 1, 0, 0, 4, 0, straight},
        {"weight below 0 counts as 0", detour, -5, 0, 0, 4, 0, around},
        {"weight not a number counts as 0", detour, nan, 0, 0, 4, 0, around},
        {"coordinates are truncated", detour, 1, 0.9, 0.9, 4.7, -0.5, straight},
        // Two steps of cost 2 (value 3) beat five of 1.333 (value 1); raw values would not.
        {"costs are value / largest + 1", {"1331", "1111"}, 0, 0, 0, 3, 0,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {"of equal scores the first queued goes first", {"111", "111", "111"}, 0, 0, 0, 2, 2,
         {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}},
        {"a blocked start is left anyway", {"011"}, 0, 0, 0, 2, 0, {{0, 0}, {1, 0}, {2, 0}}},
        {"a blocked goal is not reached", {"110"}, 0, 0, 0, 2, 0, {}},
        {"start equal to goal", {"111"}, 0, 1, 0, 1, 0, kUntouched},
        {"nothing passable", {"000", "000"}, 0, 0, 0, 2, 1, kUntouched},
        {"start outside", {"111"}, 0, -1, 0, 2, 0, kUntouched},
        {"goal far outside", {"111"}, 0, 0, 0, 1e300, 0, kUntouched},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NumArray map, result;
        MakeMap(map, c.rows);
        MarkUntouched(result);
        const double points = PathFind(map, result, c.weight, c.sx, c.sy, c.gx, c.gy);
        EXPECT_EQ(PointsOf(result), c.expected);
        EXPECT_EQ(points, c.expected == kUntouched ? 0 : c.expected.size());
        if (c.expected.empty()) {
            EXPECT_EQ(result.dims, 0);
        }
    }
    // Maps of one dimension, or never dimensioned, hold no grid.
    NumArray row, never, result;
    const double ones[] = {1, 1, 1};
    ArrayFromValues(row, 3, ones);
    MarkUntouched(result);
    EXPECT_EQ(PathFind(row, result, 0, 0, 0, 2, 0) + PathFind(never, result, 0, 0, 0, 1, 0), 0);
    EXPECT_EQ(PointsOf(result), kUntouched);
}

TEST(PathFindTest, LargestGridsAreSearched) {
    NumArray map, result;
    DimArray(map, 4096, 4096, 0, 0);
    for (int i = 0; i < 4096 * 4096; ++i)
        map.data[i] = 1;
    EXPECT_EQ(PathFind(map, result, 1, 0, 0, 4095, 4095), 8191);
    EXPECT_EQ(result(8190, 0) + result(8190, 1), 8190);
}

// Maps of the kinds the search must treat alike: costs from a few values (many ties) or any
// value, walls of any density, and grids of equal costs between pillars with countless
// equally cheap paths.
void MakeRandomMap(NumArray& map, std::mt19937& random, int width, int height) {
    std::uniform_real_distribution<double> unit(0, 1);
    const int kind = random() % 3;
    const double walls = std::vector<double>{0, 0.1, 0.3, 0.45}[random() % 4];
    const int values = 1 + random() % 4;
    DimArray(map, width, height, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double& cell = map(x, y);
            if (kind == 0) cell = 1 + random() % values;
            if (kind == 1) cell = unit(random) * 10;
            if (kind == 2) cell = x % 2 && y % 2 ? 0 : 1;
            if (unit(random) < (kind == 2 ? walls / 3 : walls)) cell = -unit(random);
        }
}

TEST(PathFindTest, SameSearchOrderAsTheLiteralPlanner) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int round = 0; round < 3000; ++round) {
        const int largest = round % 20 == 0 ? 128 : 24;
        const int width = 1 + random() % largest, height = 1 + random() % largest;
        NumArray map, result;
        MakeRandomMap(map, random, width, height);
        const double weight = std::vector<double>{0, 0.5, 1, unit(random)}[random() % 4];
        const int sx = random() % width, sy = random() % height;
        const int gx = random() % width, gy = random() % height;
        SCOPED_TRACE("round " + std::to_string(round));
        const auto expected = literal::FindPath(map.data, width, height, sx, sy, gx, gy, weight);
        MarkUntouched(result);
        const double points = PathFind(map, result, weight, sx, sy, gx, gy);
        ASSERT_EQ(PointsOf(result), expected ? *expected : kUntouched);
        ASSERT_EQ(points, expected ? expected->size() : 0);
    }
}

} // namespace
