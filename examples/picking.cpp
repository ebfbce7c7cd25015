// Picking objects under the mouse. The pointer's position becomes a ray through the scene:
// ScreenToWorld at depth 0 (the near plane) and depth 1 (the far plane). Each crab, placed as it
// is drawn, is asked how far along that ray it lies (ObjectRayDistance); the nearest one ahead
// is under the mouse. It is drawn infected, and a click marks it with its number.
#include "vornic.h"

const char kGameTitle[] = "Picking";

const int kCrabs = 7;
double marked[kCrabs] = {};

// Crabs in a zigzag row, every other one further back.
const double kCrabX[kCrabs] = {420, 280, 140, 0, -140, -280, -420}; // +x is left here
const double kCrabZ[kCrabs] = {0, 300, 0, 300, 0, 300, 0};

void PlaceCrab(int i) {
    MoveObject(kCrabX[i], 0, kCrabZ[i]);
    RotateObject(i * 50, 0, 1, 0);
}

void GameMain() {
    LoadObject("ddd/crab_b.ddd", 1);
    LoadSprite("bmp/crab_b_tex.bmp", 1);
    LoadSprite("bmp/virus.bmp", 2);
    for (;;) {
        double mouseX, mouseY, left, right;
        GetMouseState(mouseX, mouseY, left, right);
        DrawRect(0, 0, 800, 600, 0x5080A0);
        Begin3D(50, 10000, 45);
        SetCamera(0, 550, -750, 0, 0, 150);
        SetLight(0, 0xFFFFFF);
        // The ray under the pointer, from the near plane to the far plane.
        double nearX, nearY, nearZ, farX, farY, farZ;
        ScreenToWorld(mouseX, mouseY, 0, nearX, nearY, nearZ);
        ScreenToWorld(mouseX, mouseY, 1, farX, farY, farZ);
        int picked = -1;
        double nearest = 0;
        for (int i = 0; i < kCrabs; ++i) {
            PlaceCrab(i);
            const double distance = ObjectRayDistance(1, 0, nearX, nearY, nearZ, farX - nearX,
                                                      farY - nearY, farZ - nearZ);
            if (distance > 0 && (picked < 0 || distance < nearest)) picked = i, nearest = distance;
        }
        if (picked >= 0 && left == 1) marked[picked] = 1;
        for (int i = 0; i < kCrabs; ++i) {
            SetTexture3D(i == picked ? 2 : 1, -1);
            PlaceCrab(i);
            DrawObject(1, 0);
            if (marked[i] == 1) Print3D("crab " + NumberToText(i + 1), kCrabX[i], 0, kCrabZ[i], 0);
        }
        End3D();
        DrawLine(mouseX - 8, mouseY, mouseX + 8, mouseY, 0xFFFFFF); // the pointer
        DrawLine(mouseX, mouseY - 8, mouseX, mouseY + 8, 0xFFFFFF);
        PrintText(picked < 0 ? RtString("Nothing under the mouse")
                             : "Crab " + NumberToText(picked + 1) + " under the mouse, " +
                                   FormatNumber(0, 0, nearest) + " away",
                  10, 10);
        PresentFrame();
    }
}
