// Screen grabs, saved pictures and backgrounds for game code. Background block 0 is drawn under
// every frame until it is cleared.
#pragma once

#include "text/RtString.h"

// Makes sprite id from the screen rectangle (x, y, width, height), measured from the top-left.
// 1 on success; 0 for an invalid id or an empty rectangle.
double GrabSprite(double id, double x, double y, double width, double height);
// Writes sprite id's whole texture to file: PNG when the name ends in ".png" (any case), else
// BMP. 1 when written; 0 when the sprite is empty or the file cannot be written.
double SaveSprite(const RtString& file, double id);
// Writes the screen to file as PNG or BMP, chosen as SaveSprite does. 1 when written, else 0.
double SaveScreen(const RtString& file);
// Removes the background and clears the screen.
void ClearScreen();
// Makes the current screen the background drawn under every following frame.
void UseScreenAsBackground();
// Makes a picture file the background and draws it at once. 1 on success; 0 when it cannot be
// loaded (the background is then removed and the screen cleared).
double LoadBackground(const RtString& file);
