// The asset table: every picture, object, font and sound in its numbered slot. Results are not
// checked: a missing file leaves its slot empty and drawing it draws nothing.
#include "GameState.h"

void LoadAssets() {
    // Crab: model, healthy skin, infected skin, and the sky backdrop.
    LoadObject("ddd/crab_b.ddd", 2);
    LoadSprite("bmp/crab_b_tex.bmp", 2);
    LoadSprite("bmp/virus.bmp", 5);
    LoadSprite("bmp/tag2.bmp", 100);
    // Hero.
    LoadObject("ddd/hero_sub.ddd", 1);
    LoadSprite("bmp/hero_tex.bmp", 1);
    // Ground, plain and with arrows that point the way to the water.
    LoadObject("ddd/bodenx2.ddd", 0);
    LoadSprite("bmp/bodenx2.bmp", 10);
    LoadSprite("bmp/bodenx2_arrow.bmp", 0);
    // Water, shadows and the stamp.
    LoadObject("ddd/water.ddd", 3);
    LoadSprite("bmp/wasser.bmp", 3);
    LoadObject("ddd/shadow.ddd", 4);
    LoadSprite("bmp/shadow.bmp", 4);
    LoadObject("ddd/killerstempel1.ddd", 6);
    LoadSprite("bmp/killerstempel2.bmp", 6);
    // Fonts: 0 for the status lines, 1 for the screens.
    LoadFont("bmp/font1.bmp", 0);
    LoadFont("bmp/font2.bmp", 1);
    LoadFont("bmp/font3.bmp", 2);
    // Screens: title, level result and game over (the same picture), options, pointer and
    // check mark.
    LoadSprite("bmp/title2.bmp", 50);
    LoadSprite("bmp/level_x1.bmp", 51);
    LoadSprite("bmp/level_x1.bmp", 52);
    LoadSprite("bmp/options.bmp", 70);
    LoadSprite("bmp/curser.bmp", 71);
    LoadSprite("bmp/haken.bmp", 72);
    // Sounds, one copy each: walking, infection, stamp, click and kill, splash, music.
    LoadSound("wav/hero2.wav", 1, 1);
    LoadSound("wav/virus.wav", 2, 1);
    LoadSound("wav/schnipp1.wav", 3, 1);
    LoadSound("wav/killed.wav", 4, 1);
    LoadSound("wav/sprunginswasser.wav", 5, 1);
    LoadSound("wav/title1.wav", 6, 1);
}
