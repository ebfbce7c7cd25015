// Sprites and alpha modes: the bunnymark. The bunny is drawn once with rectangles and grabbed
// from the screen into a sprite; the transparency colour's ink leaves its corners see-through.
// Hold the left mouse button to add bunnies where the pointer is. Each third of them is drawn
// opaque, translucent or additive (SetAlphaMode) over coloured stripes.
#include "vornic.h"

const char kGameTitle[] = "Bunnymark";

const double kBunny = 1, kKey = 128 * 65536 + 255; // the default transparency colour
NumArray bunnies;                                  // x, y, speed x, speed y of each bunny
double count = 0;

void MakeBunny() {
    DrawRect(0, 0, 26, 37, kKey);
    DrawRect(4, 0, 5, 14, 0xE0E0E0); // ears
    DrawRect(17, 0, 5, 14, 0xE0E0E0);
    DrawRect(0, 12, 26, 25, 0xFFFFFF); // head and body
    DrawRect(6, 18, 3, 3, 0x000000);   // eyes and nose
    DrawRect(17, 18, 3, 3, 0x000000);
    DrawRect(11, 24, 4, 3, 0x8080FF);
    GrabSprite(kBunny, 0, 0, 26, 37);
    ClearScreen();
}

void GameMain() {
    MakeBunny();
    DimArray(bunnies, 20000, 4, 0, 0);
    const double modes[3] = {0, -0.5, 0.6}, stripes[4] = {0x802020, 0x208020, 0x202080, 0x808080};
    for (;;) {
        double mouseX, mouseY, left, right;
        GetMouseState(mouseX, mouseY, left, right);
        for (double i = 0; left == 1 && i < 10 && count < 20000; ++i, ++count) {
            bunnies(count, 0) = mouseX;
            bunnies(count, 1) = mouseY;
            bunnies(count, 2) = Random(100) / 10 - 5;
            bunnies(count, 3) = Random(100) / 20 - 2.5;
        }
        for (int s = 0; s < 4; ++s)
            DrawRect(0, s * 150, 800, 150, stripes[s]);
        for (double i = 0; i < count; ++i) {
            // Gravity, and a bounce off the floor and the walls.
            bunnies(i, 3) += 0.5;
            bunnies(i, 0) += bunnies(i, 2);
            bunnies(i, 1) += bunnies(i, 3);
            if (bunnies(i, 0) < 0 || bunnies(i, 0) > 774) bunnies(i, 2) = -bunnies(i, 2);
            if (bunnies(i, 1) > 563) bunnies(i, 3) = -0.85 * bunnies(i, 3), bunnies(i, 1) = 563;
            SetAlphaMode(modes[static_cast<int>(Mod(i, 3))]);
            DrawSprite(kBunny, bunnies(i, 0), bunnies(i, 1));
        }
        SetAlphaMode(0);
        DrawRect(0, 0, 520, 24, 0);
        PrintText(NumberToText(count) + " bunnies: opaque, translucent, additive", 6, 8);
        PresentFrame();
    }
}
