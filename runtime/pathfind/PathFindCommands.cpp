#include "pathfind/PathFindCommands.h"

#include <new>

#include "pathfind/PathSearch.h"

double PathFind(NumArray& map, NumArray& result, double weight, double startX, double startY,
                double goalX, double goalY) {
    // A record whose sizes claim more elements than its block holds is no map to read.
    const bool holdsGrid = map.data && map.size1 > 0 && map.size2 > 0 &&
                           int64_t{map.size1} * map.size2 <= map.capacity;
    if (!holdsGrid) return 0;
    std::optional<std::vector<pathfind::Cell>> path;
    try {
        path = pathfind::FindPath(map.data, map.size1, map.size2, {ToInt(startX), ToInt(startY)},
                                  {ToInt(goalX), ToInt(goalY)}, weight);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (!path) return 0;
    const double points = static_cast<double>(path->size());
    DimArray(result, points, path->empty() ? 0 : 2, 0, 0);
    for (size_t i = 0; i < path->size(); ++i) {
        result(i, 0) = (*path)[i].x;
        result(i, 1) = (*path)[i].y;
    }
    return points;
}
