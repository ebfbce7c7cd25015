#include "Skins.h"

#include <algorithm>
#include <cmath>

#include "SkinLayout.h"

namespace {

struct PixelRect {
    int x0, y0, x1, y1; // inclusive
};

PixelRect Pixels(SkinRegion region) {
    return {static_cast<int>(region.u0 * kSkinSize), static_cast<int>(region.v0 * kSkinSize),
            static_cast<int>(region.u1 * kSkinSize) - 1,
            static_cast<int>(region.v1 * kSkinSize) - 1};
}

// Fills a region with a colour that varies a little, so that surfaces do not look flat.
void Mottle(Canvas& canvas, SkinRegion region, Rgb base, double amount, uint32_t seed) {
    const PixelRect r = Pixels(region);
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) {
            const double n = SmoothNoise(x, y, 8, 32, seed) * 0.7 + HashNoise(x, y, seed) * 0.3;
            canvas.Set(x, y, Scale(base, 1 - amount / 2 + amount * n));
        }
}

// A vertical shade over a region: darker toward its bottom.
void ShadeDown(Canvas& canvas, SkinRegion region, double darkest) {
    const PixelRect r = Pixels(region);
    for (int y = r.y0; y <= r.y1; ++y) {
        const double t = double(y - r.y0) / (r.y1 - r.y0);
        for (int x = r.x0; x <= r.x1; ++x)
            canvas.Set(x, y, Scale(canvas.At(x, y), 1 - (1 - darkest) * t * t));
    }
}

} // namespace

Canvas CrabSkin(bool infected) {
    Canvas skin(kSkinSize, kSkinSize);
    const Rgb shell = infected ? Rgb{126, 160, 70} : Rgb{226, 78, 40};
    const Rgb limbs = infected ? Rgb{150, 170, 96} : Rgb{240, 120, 60};
    Mottle(skin, kCrabShell, shell, 0.3, 11);
    // Spots on the back (upper rows of the shell) and a pale belly (lower rows).
    const PixelRect back = Pixels(kCrabShell);
    for (int i = 0; i < 40; ++i) {
        const double x = back.x0 + HashNoise(i, 1, 5) * (back.x1 - back.x0);
        const double y = back.y0 + 10 + HashNoise(i, 2, 5) * 44;
        const double r = 2 + HashNoise(i, 3, 5) * 4;
        skin.FillEllipse(x, y, r * 1.4, r, infected ? Rgb{110, 60, 130} : Rgb{170, 40, 25});
    }
    const Rgb belly = infected ? Rgb{196, 206, 150} : Rgb{250, 200, 150};
    for (int y = back.y0 + 70; y <= back.y1; ++y)
        for (int x = back.x0; x <= back.x1; ++x)
            skin.Set(x, y, Mix(skin.At(x, y), belly, std::min(1.0, (y - back.y0 - 70) / 14.0)));
    Mottle(skin, kCrabLegs, limbs, 0.25, 12);
    Mottle(skin, kCrabClaws, limbs, 0.25, 13);
    ShadeDown(skin, kCrabClaws, 0.55);
    Mottle(skin, kCrabStalks, limbs, 0.2, 14);
    // Eyes: white balls with the pupil in the middle of the region, which faces forward.
    const PixelRect eyes = Pixels(kCrabEyes);
    skin.FillRect(eyes.x0, eyes.y0, eyes.x1, eyes.y1,
                  infected ? Rgb{230, 230, 150} : Rgb{250, 250, 245});
    const double cx = (eyes.x0 + eyes.x1) / 2.0, cy = (eyes.y0 + eyes.y1) / 2.0;
    skin.FillEllipse(cx, cy, 14, 12, infected ? Rgb{150, 30, 30} : Rgb{20, 20, 20});
    if (infected) {
        // Sickly blotches and veins over the shell.
        for (int i = 0; i < 60; ++i) {
            const double x = HashNoise(i, 7, 9) * kSkinSize;
            const double y = HashNoise(i, 8, 9) * kSkinSize * 0.75;
            skin.FillEllipse(x, y, 3 + HashNoise(i, 9, 9) * 5, 2 + HashNoise(i, 10, 9) * 4,
                             Rgb{170, 200, 40});
        }
        for (int i = 0; i < 14; ++i) {
            const double x = HashNoise(i, 11, 9) * kSkinSize, y = HashNoise(i, 12, 9) * 120;
            skin.Line(x, y, x + 20 - 40 * HashNoise(i, 13, 9), y + 18, 1.5, Rgb{90, 40, 110});
        }
    }
    return skin;
}

Canvas HeroSkin() {
    Canvas skin(kSkinSize, kSkinSize);
    const Rgb face{246, 196, 150};
    Mottle(skin, kHeroHead, face, 0.08, 21);
    // The face looks along -x, which is the middle of the head's region; the head's equator is
    // its middle row.
    const PixelRect head = Pixels(kHeroHead);
    const double cx = (head.x0 + head.x1) / 2.0, equator = (head.y0 + head.y1) / 2.0;
    skin.FillEllipse(cx - 9, equator - 10, 4, 6, Rgb{255, 255, 255});
    skin.FillEllipse(cx + 9, equator - 10, 4, 6, Rgb{255, 255, 255});
    skin.FillEllipse(cx - 9, equator - 9, 2.5, 3.5, Rgb{30, 60, 120});
    skin.FillEllipse(cx + 9, equator - 9, 2.5, 3.5, Rgb{30, 60, 120});
    skin.Line(cx - 8, equator + 10, cx, equator + 14, 2.5, Rgb{170, 60, 50});
    skin.Line(cx, equator + 14, cx + 8, equator + 10, 2.5, Rgb{170, 60, 50});
    skin.FillEllipse(cx, equator + 2, 3, 4, Rgb{230, 170, 130});
    // Hair below the cap at the back of the head.
    skin.FillRect(head.x0, head.y0, head.x1, head.y0 + 30, Rgb{120, 70, 30});
    skin.FillRect(head.x0, head.y0, head.x0 + 40, head.y0 + 60, Rgb{120, 70, 30});
    skin.FillRect(head.x1 - 40, head.y0, head.x1, head.y0 + 60, Rgb{120, 70, 30});
    Mottle(skin, kHeroCap, Rgb{40, 120, 220}, 0.15, 22);
    Mottle(skin, kHeroShirt, Rgb{255, 200, 40}, 0.1, 23);
    const PixelRect shirt = Pixels(kHeroShirt);
    for (int y = shirt.y0 + 20; y <= shirt.y1; y += 12)
        skin.FillRect(shirt.x0, y, shirt.x1, y + 4, Rgb{240, 90, 40});
    Mottle(skin, kHeroTrousers, Rgb{40, 70, 150}, 0.15, 24);
    Mottle(skin, kHeroShoes, Rgb{90, 50, 30}, 0.2, 25);
    Mottle(skin, kHeroArms, face, 0.08, 26);
    Mottle(skin, kHeroVisor, Rgb{30, 90, 180}, 0.1, 27);
    return skin;
}

Canvas StampSkin() {
    Canvas skin(kSkinSize, kSkinSize);
    // Warning stripes around the rim.
    const PixelRect rim = Pixels(kStampRim);
    for (int y = rim.y0; y <= rim.y1; ++y)
        for (int x = rim.x0; x <= rim.x1; ++x)
            skin.Set(x, y, ((x + y) / 16) % 2 ? Rgb{30, 30, 30} : Rgb{250, 200, 20});
    Mottle(skin, kStampBody, Rgb{200, 40, 40}, 0.15, 31);
    ShadeDown(skin, kStampBody, 0.6);
    const PixelRect body = Pixels(kStampBody);
    for (int x = body.x0 + 8; x < body.x1; x += 32)
        skin.FillEllipse(x, body.y0 + 10, 3, 3, Rgb{230, 230, 230});
    Mottle(skin, kStampHandle, Rgb{150, 100, 50}, 0.35, 32);
    Mottle(skin, kStampKnob, Rgb{230, 50, 50}, 0.1, 33);
    const PixelRect knob = Pixels(kStampKnob);
    skin.FillEllipse((knob.x0 + knob.x1) / 2.0, knob.y0 + 14, 30, 8, Rgb{255, 160, 160});
    // The sole: a dark rubber disc with a ring; the top: red metal.
    const PixelRect sole = Pixels(kStampSole);
    const double sx = (sole.x0 + sole.x1) / 2.0, sy = (sole.y0 + sole.y1) / 2.0;
    skin.FillRect(sole.x0, sole.y0, sole.x1, sole.y1, Rgb{60, 60, 66});
    skin.FillEllipse(sx, sy, 26, 26, Rgb{90, 90, 96});
    skin.FillEllipse(sx, sy, 20, 20, Rgb{60, 60, 66});
    Mottle(skin, kStampTop, Rgb{180, 36, 36}, 0.1, 34);
    return skin;
}

// A dark disc on the colour key, lighter toward its rim so that it fades into the ground; the
// texture's filtering softens the edge where the key begins.
Canvas ShadowSkin() {
    constexpr int kSize = 64;
    Canvas skin(kSize, kSize, kColourKey);
    const Rgb core{50, 42, 30};
    const Rgb rim{120, 104, 76};
    const double centre = (kSize - 1) / 2.0, radius = kSize / 2.0 - 1;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double d = std::hypot(x - centre, y - centre) / radius;
            if (d > 1) continue;
            skin.Set(x, y, Mix(core, rim, std::clamp((d - 0.3) / 0.7, 0.0, 1.0)));
        }
    return skin;
}

Canvas WaterSkin() {
    Canvas skin(kSkinSize, kSkinSize);
    for (int y = 0; y < kSkinSize; ++y)
        for (int x = 0; x < kSkinSize; ++x) {
            const double waves = SmoothNoise(x, y, 32, 8, 41) * 0.6 +
                                 SmoothNoise(x, y, 8, 32, 42) * 0.3 +
                                 SmoothNoise(x, y, 4, 64, 43) * 0.1;
            Rgb colour = Mix(Rgb{40, 130, 210}, Rgb{90, 200, 245}, waves);
            // Bright crests where the larger waves peak.
            if (waves > 0.68) colour = Mix(colour, Rgb{200, 235, 250}, (waves - 0.68) * 2.5);
            skin.Set(x, y, colour);
        }
    return skin;
}

Canvas SandSkin(bool arrows) {
    Canvas skin(kSkinSize, kSkinSize);
    for (int y = 0; y < kSkinSize; ++y)
        for (int x = 0; x < kSkinSize; ++x) {
            const double dunes = SmoothNoise(x, y, 32, 8, 51);
            const double grain = HashNoise(x, y, 52);
            Rgb colour = Mix(Rgb{206, 178, 122}, Rgb{236, 214, 160}, dunes * 0.7 + grain * 0.3);
            if (grain > 0.985) colour = Rgb{160, 130, 90};
            skin.Set(x, y, colour);
        }
    // A few shells.
    for (int i = 0; i < 5; ++i)
        skin.FillEllipse(20 + HashNoise(i, 1, 53) * 216, 20 + HashNoise(i, 2, 53) * 216, 4, 3,
                         Rgb{250, 236, 220});
    if (arrows) {
        const Rgb arrow{255, 244, 214}, edge{170, 110, 60};
        const double cx = kSkinSize / 2.0;
        for (auto [colour, grow] : {std::pair{edge, 5.0}, std::pair{arrow, 0.0}}) {
            skin.FillTriangle(cx, 40 - grow, cx - 60 - grow, 120 + grow * 0.6, cx + 60 + grow,
                              120 + grow * 0.6, colour);
            skin.FillRect(static_cast<int>(cx - 22 - grow), 118, static_cast<int>(cx + 22 + grow),
                          static_cast<int>(216 + grow), colour);
        }
    }
    return skin;
}

Canvas SkyBackdrop() {
    Canvas sky(800, 600);
    sky.VerticalGradient(0, 599, Rgb{60, 120, 210}, Rgb{190, 225, 250});
    // Soft clouds near the top, where the sky shows above the sea.
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 800; ++x) {
            const double cloud = SmoothNoise(x, y * 2.5, 60, 64, 61) * 0.7 +
                                 SmoothNoise(x, y * 2.5, 20, 64, 62) * 0.3;
            if (cloud > 0.55)
                sky.Blend(x, y, Rgb{255, 255, 255}, std::min(1.0, (cloud - 0.55) * 4));
        }
    return sky;
}
