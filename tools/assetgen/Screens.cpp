#include "Screens.h"

#include <cmath>

#include "TextRaster.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
// "Press space" is printed at y 550 in the 24-pixel screen font: this band stays calm.
constexpr int kPromptBandTop = 540;

const std::string kBoldFont = DejaVuPath("DejaVuSans-Bold.ttf");
const std::string kSerifBold = DejaVuPath("DejaVuSerif-Bold.ttf");

// A beach seen from the side: sky, sea, sand.
Canvas Beach(int horizon, int shore) {
    Canvas picture(kScreenWidth, kScreenHeight);
    picture.VerticalGradient(0, horizon, Rgb{50, 110, 200}, Rgb{170, 215, 245});
    picture.VerticalGradient(horizon, shore, Rgb{30, 100, 170}, Rgb{60, 170, 200});
    picture.VerticalGradient(shore, kScreenHeight - 1, Rgb{236, 210, 150}, Rgb{200, 168, 110});
    for (int y = horizon; y < shore; ++y)
        for (int x = 0; x < kScreenWidth; ++x)
            if (SmoothNoise(x, y * 4, 24, 64, 71) > 0.72) picture.Set(x, y, Rgb{200, 235, 250});
    picture.FillEllipse(680, 90, 45, 45, Rgb{255, 240, 150});
    return picture;
}

// A cartoon crab seen from the front, centred at (x, y), size scale 1 = about 120 pixels wide.
void PaintCrab(Canvas& picture, double x, double y, double scale, Rgb shell) {
    const Rgb dark = Scale(shell, 0.7);
    for (double side : {-1.0, 1.0}) {
        for (int leg = 0; leg < 3; ++leg) {
            const double hipY = y + (leg * 8 - 2) * scale;
            picture.Line(x + side * 30 * scale, hipY, x + side * 58 * scale, hipY - 8 * scale,
                         6 * scale, dark);
            picture.Line(x + side * 58 * scale, hipY - 8 * scale, x + side * 70 * scale,
                         hipY + 22 * scale, 5 * scale, dark);
        }
        picture.Line(x + side * 26 * scale, y - 12 * scale, x + side * 48 * scale, y - 42 * scale,
                     8 * scale, shell);
        picture.FillEllipse(x + side * 52 * scale, y - 56 * scale, 16 * scale, 13 * scale, shell);
        // The pincer's cut.
        picture.Line(x + side * 52 * scale, y - 56 * scale, x + side * 60 * scale, y - 70 * scale,
                     3 * scale, dark);
        picture.Line(x + side * 10 * scale, y - 16 * scale, x + side * 14 * scale, y - 34 * scale,
                     3 * scale, dark);
        picture.FillEllipse(x + side * 14 * scale, y - 38 * scale, 7 * scale, 7 * scale,
                            Rgb{255, 255, 255});
        picture.FillEllipse(x + side * 14 * scale, y - 37 * scale, 3.5 * scale, 3.5 * scale,
                            Rgb{20, 20, 20});
    }
    picture.FillEllipse(x, y, 36 * scale, 24 * scale, shell);
    picture.FillEllipse(x, y - 6 * scale, 26 * scale, 12 * scale,
                        Mix(shell, Rgb{255, 255, 255}, 0.25));
    picture.Line(x - 10 * scale, y + 8 * scale, x + 10 * scale, y + 8 * scale, 2.5 * scale, dark);
}

TextStyle Headline(Rgb top, Rgb bottom, Rgb outline, int outlineWidth) {
    TextStyle style;
    style.fill = top;
    style.shadeFill = bottom;
    style.outline = outline;
    style.outlineWidth = outlineWidth;
    return style;
}

void DrawCentred(Canvas& picture, const std::string& font, int pixelHeight, const std::string& text,
                 int y, const TextStyle& style) {
    const TextMask mask = RenderText(font, pixelHeight, text);
    DrawTextMask(picture, mask, (kScreenWidth - mask.width) / 2, y, style);
}

void DrawAt(Canvas& picture, const std::string& font, int pixelHeight, const std::string& text,
            int x, int y, const TextStyle& style) {
    DrawTextMask(picture, RenderText(font, pixelHeight, text), x, y, style);
}

} // namespace

Canvas TitleScreen() {
    Canvas picture = Beach(230, 330);
    const Rgb red{226, 78, 40};
    PaintCrab(picture, 150, 430, 1.1, red);
    PaintCrab(picture, 650, 440, 0.9, red);
    PaintCrab(picture, 400, 470, 0.6, Rgb{126, 160, 70});
    DrawCentred(picture, kSerifBold, 96, "PincerPanic", 40,
                Headline({255, 240, 120}, {255, 120, 30}, {90, 20, 10}, 5));
    DrawTextInBox(picture, kBoldFont, "Drive the crabs into the sea before the virus gets them!",
                  20, 170, 779, 215, 26,
                  Headline({255, 255, 255}, {230, 240, 255}, {20, 50, 100}, 2));
    // The band for "Press space" stays a plain strip of sand.
    picture.FillRect(0, kPromptBandTop, kScreenWidth - 1, kScreenHeight - 1, Rgb{190, 158, 100});
    return picture;
}

Canvas OptionScreen() {
    Canvas picture(kScreenWidth, kScreenHeight);
    picture.VerticalGradient(0, kScreenHeight - 1, Rgb{20, 70, 130}, Rgb{10, 30, 70});
    DrawCentred(picture, kSerifBold, 56, "Options", 30,
                Headline({255, 240, 120}, {255, 140, 40}, {60, 20, 10}, 3));
    const TextStyle heading = Headline({180, 230, 255}, {120, 190, 250}, {5, 20, 50}, 2);
    DrawAt(picture, kBoldFont, 30, "Full screen", 20, 130, heading);
    DrawAt(picture, kBoldFont, 30, "Hero speed", 260, 130, heading);
    DrawAt(picture, kBoldFont, 30, "Crab speed", 595, 130, heading);
    // Each choice is a button that fills its click area exactly, labelled inside it.
    TextStyle label;
    label.fill = kChoiceLabelColour;
    label.crisp = true;
    for (const ClickArea& area : kOptionChoices) {
        picture.FillRoundRect(area.x0, area.y0, area.x1 + 1, area.y1 + 1, 6, Rgb{230, 110, 40});
        picture.FillRoundRect(area.x0 + 2, area.y0 + 2, area.x1 - 1, area.y1 - 1, 5,
                              Rgb{200, 80, 30});
        DrawTextInBox(picture, kBoldFont, area.label, area.x0 + 3, area.y0 + 2, area.x1 - 3,
                      area.y1 - 2, 22, label);
    }
    PaintCrab(picture, 400, 470, 0.8, Rgb{226, 78, 40});
    DrawCentred(picture, kBoldFont, 18, "Click to choose, then press space to play", 505,
                Headline({200, 220, 240}, {200, 220, 240}, {5, 20, 50}, 1));
    return picture;
}

// Level result and game over: five lines of the screen font at x 20, y 60..264 lie on a dark
// panel; the crabs keep to the right.
Canvas ResultScreen() {
    Canvas picture = Beach(120, 200);
    picture.FillRoundRect(8, 44, 790, 284, 18, Rgb{20, 40, 70});
    picture.FillRoundRect(12, 48, 786, 280, 15, Rgb{30, 60, 100});
    PaintCrab(picture, 200, 420, 0.9, Rgb{226, 78, 40});
    PaintCrab(picture, 600, 400, 1.0, Rgb{226, 78, 40});
    picture.FillRect(0, kPromptBandTop, kScreenWidth - 1, kScreenHeight - 1, Rgb{190, 158, 100});
    return picture;
}

// An arrow pointer with its tip at the top-left corner, on the colour key.
Canvas Pointer() {
    Canvas pointer(32, 32, kColourKey);
    pointer.FillTriangle(0, 0, 0, 26, 19, 19, Rgb{40, 20, 10});
    pointer.FillTriangle(2, 4, 2, 21, 15, 17, Rgb{255, 220, 80});
    pointer.Line(8, 18, 14, 29, 5, Rgb{40, 20, 10});
    pointer.Line(8, 18, 14, 29, 2.5, Rgb{255, 220, 80});
    return pointer;
}

Canvas CheckMark() {
    Canvas mark(32, 28, kColourKey);
    mark.Line(5, 15, 12, 23, 7, Rgb{20, 70, 20});
    mark.Line(12, 23, 27, 4, 7, Rgb{20, 70, 20});
    mark.Line(5, 15, 12, 23, 4, Rgb{90, 230, 90});
    mark.Line(12, 23, 27, 4, 4, Rgb{90, 230, 90});
    return mark;
}
