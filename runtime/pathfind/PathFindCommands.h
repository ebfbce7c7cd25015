// Path finding over a grid of movement costs kept in a numeric array.
#pragma once

#include "text/NumArray.h"

// Finds a path over map, a two-dimensional array of width × height cells: map(x, y) above 0 is
// passable at that cost (relative to the largest value), 0 or less is blocked. Steps go to the
// four orthogonal neighbours. weight 0..1 slides from the cheapest path (0) to heading for the
// goal by distance alone (1). Gives the number of points n and dimensions result (n, 2):
// result(i, 0) and result(i, 1) are x and y of point i, from the start (i = 0) to the goal.
// Gives 0 and an empty result when the goal cannot be reached; 0 with result untouched when
// start or goal lie outside the map, they are the same cell, no cell is passable, map has fewer
// than two dimensions, or the search cannot get the memory it needs.
double PathFind(NumArray& map, NumArray& result, double weight, double startX, double startY,
                double goalX, double goalY);
