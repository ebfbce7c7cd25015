// Fonts and typed input. A font is a picture of 16 columns of glyphs (LoadFont); a file that
// cannot be read gives the built-in 8 x 8 font. GetTypedKey gives each newly typed character
// once: the program builds a line from them, Backspace takes one back, Enter starts over.
#include "vornic.h"

const char kGameTitle[] = "Fonts";

void GameMain() {
    LoadFont("bmp/font1.bmp", 1);
    LoadFont("bmp/font2.bmp", 2);
    LoadFont("bmp/font3.bmp", 3);
    LoadFont("no such font.bmp", 4); // the built-in font
    const RtString names[4] = {"font1.bmp", "font2.bmp", "font3.bmp", "built-in"};
    RtString line = "Type here", entered = "";
    double milliseconds = 0;
    for (;;) {
        milliseconds += GetFrameTime();
        for (RtString typed = GetTypedKey(); Len(typed) > 0; typed = GetTypedKey()) {
            if (Asc(typed) == 10) { // Enter
                entered = line;
                line = "";
            } else if (Asc(typed) == 8) { // Backspace
                line = MidText(line, 0, Len(line) - 1);
            } else {
                line = line + typed;
            }
        }
        // A cursor that blinks twice a second.
        const RtString cursor = Mod(milliseconds, 500) < 250 ? "_" : " ";
        DrawRect(0, 0, 800, 600, 0x301808);
        double y = 50;
        for (int font = 1; font <= 4; ++font) {
            double width, height;
            SetFont(font);
            GetFontSize(width, height);
            SetFont(1);
            PrintText(names[font - 1] + ", " + NumberToText(width) + " x " + NumberToText(height),
                      40, y);
            SetFont(font);
            PrintText(line + cursor, 40, y + 20);
            y += 60 + height * 2;
        }
        SetFont(1);
        PrintText("Last line entered: " + entered, 40, 560);
        PresentFrame();
    }
}
