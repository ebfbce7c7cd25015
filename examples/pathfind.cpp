// Path finding on a grid drawn with the mouse. The left button builds walls, the right button
// moves the goal; the middle button clears a wall. Every frame PathFind looks for the cheapest
// way from the green start to the red goal over the grid of costs: 1 on open ground, 3 in the
// mud (the brown band), 0 in a wall.
#include "vornic.h"

const char kGameTitle[] = "Path finding";

const int kColumns = 40, kRows = 29, kCell = 20; // the last 20 pixels show the text
NumArray grid, path;

void GameMain() {
    DimArray(grid, kColumns, kRows, 0, 0);
    for (int x = 0; x < kColumns; ++x)
        for (int y = 0; y < kRows; ++y)
            grid(x, y) = x >= 24 && x < 28 ? 3 : 1;
    double goalX = 36, goalY = 26;
    for (;;) {
        double mouseX, mouseY, left, right;
        GetMouseState(mouseX, mouseY, left, right);
        const int cellX = static_cast<int>(mouseX / kCell), row = static_cast<int>(mouseY / kCell);
        const int cellY = row < kRows ? row : kRows - 1;
        if (left == 1) grid(cellX, cellY) = 0;
        if (GetMouseAxis(5) == 1) grid(cellX, cellY) = cellX >= 24 && cellX < 28 ? 3 : 1;
        if (right == 1 && grid(cellX, cellY) > 0) goalX = cellX, goalY = cellY;
        // 0: the cheapest path; 0.5 would be classic A*, faster but not always the cheapest.
        const double points = PathFind(grid, path, 0, 3, 3, goalX, goalY);

        for (int x = 0; x < kColumns; ++x)
            for (int y = 0; y < kRows; ++y) {
                const double cost = grid(x, y);
                const double colour = cost == 0 ? 0x404040 : cost == 3 ? 0x305080 : 0xD0E0E0;
                DrawRect(x * kCell, y * kCell, kCell - 1, kCell - 1, colour);
            }
        double cost = 0;
        for (double i = 0; i < points; ++i) {
            DrawRect(path(i, 0) * kCell + 5, path(i, 1) * kCell + 5, 9, 9, 0xC06000);
            if (i > 0) cost += grid(path(i, 0), path(i, 1));
        }
        DrawRect(3 * kCell + 3, 3 * kCell + 3, 13, 13, 0x00B000);
        DrawRect(goalX * kCell + 3, goalY * kCell + 3, 13, 13, 0x0000E0);
        DrawRect(0, 580, 800, 20, 0);
        PrintText(points > 0
                      ? "A path of " + NumberToText(points) + " cells, cost " + NumberToText(cost)
                      : RtString("No way to the goal"),
                  6, 584);
        PresentFrame();
    }
}
