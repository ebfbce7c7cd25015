// Sounds, pan and music. Click a pad to play its sound: where you click sets the pan (left to
// right) and the volume (loud at the top). M starts and stops the music, the up and down arrows
// set its volume, the right button stops every sound. Sounds are WAV files in numbered slots;
// music is any file the mixer plays (WAV, OGG, MP3, ...), looped until stopped.
#include "vornic.h"

const char kGameTitle[] = "Sound";

const RtString kFiles[5] = {"hero2", "virus", "schnipp1", "killed", "sprunginswasser"};
const RtString kNames[5] = {"walk", "virus", "snip", "kill", "splash"};

void GameMain() {
    for (int i = 0; i < 5; ++i)
        LoadSound("wav/" + kFiles[i] + ".wav", i, 2);
    double musicOn = 0, musicVolume = 0.5, mWasDown = 0, leftWasDown = 0;
    double clickX = -1, clickY = 0, clickAge = 0;
    RtString played = "Click a pad";
    for (;;) {
        double x, y, left, right;
        GetMouseState(x, y, left, right);
        const double pad = static_cast<int>(x / 160);
        if (left == 1 && leftWasDown == 0 && y >= 200 && y < 400) {
            const double pan = x / 400 - 1, volume = 1 - (y - 200) / 200;
            PlaySound(pad, pan, volume);
            played = kNames[static_cast<int>(pad)] + ", pan " + FormatNumber(0, 2, pan) +
                     ", volume " + FormatNumber(0, 2, volume);
            clickX = x, clickY = y, clickAge = 0;
        }
        leftWasDown = left;
        if (right == 1) StopAllSounds();
        if (KeyDown(50) == 1 && mWasDown == 0) { // M
            musicOn = 1 - musicOn;
            musicOn == 1 ? PlayMusic("wav/title1.wav") : StopMusic();
        }
        mWasDown = KeyDown(50);
        musicVolume += (KeyDown(200) - KeyDown(208)) / 100; // up and down arrows
        musicVolume = musicVolume < 0 ? 0 : musicVolume > 1 ? 1 : musicVolume;
        SetMusicVolume(musicVolume);
        DrawRect(0, 0, 800, 600, 0x202020);
        for (int i = 0; i < 5; ++i) {
            DrawRect(i * 160 + 4, 200, 152, 200,
                     i == pad && y >= 200 && y < 400 ? 0x806040 : 0x504030);
            PrintText(kNames[i], i * 160 + 12, 380);
        }
        // A ring spreads from the last click for half a second.
        clickAge += GetFrameTime();
        for (double a = 0; clickX >= 0 && clickAge < 500 && a < 360; a += 10)
            DrawPixel(clickX + CosDeg(a) * clickAge / 10, clickY + SinDeg(a) * clickAge / 10,
                      0xFFFFFF);
        DrawLine(400, 180, 400, 420, 0x808080); // the middle: pan 0
        PrintText("left", 10, 180);
        PrintText("right", 730, 180);
        PrintText("Played: " + played, 10, 450);
        PrintText("Music (M): " + RtString(musicOn == 1 ? "title1.wav" : "off") + ", volume " +
                      FormatNumber(0, 2, musicVolume) + " (up and down arrows)",
                  10, 480);
        PresentFrame();
    }
}
