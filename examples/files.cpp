// Files, INI settings and a resource pack. A text is read from examples.sbx (made from
// examples/data by packtool at build time) as if it were on disk; a score table is written
// and read back through a file channel; the keys 1, 2 and 3 choose a difficulty that an INI
// file keeps; and the pictures in bmp/ are listed.
#include "vornic.h"

const char kGameTitle[] = "Files";

StrArray packText, pictures;
double packLines = 0, folders = 0, pictureCount = 0, scores[3] = {0, 0, 0};

void ReadPackText() {
    SetResourcePacks("examples.sbx", "");
    RtString path; // a temporary file the pack's entry is expanded into
    if (ResolveResourceFile("welcome.txt", path) == 0 || OpenFile(0, path, 1) == 0) return;
    DimStringArray(packText, 10, 0, 0, 0);
    while (EndOfFile(0) == 0 && packLines < 10)
        ReadLine(0, packText(packLines++));
    CloseFile(0);
}

void WriteAndReadScores() {
    OpenFile(1, "scores.dat", 0);
    for (double score : {4200, 3100, 950})
        WriteLong(1, score);
    CloseFile(1);
    OpenFile(1, "scores.dat", 1);
    for (double& score : scores)
        ReadLong(1, score);
    CloseFile(1);
}

void GameMain() {
    ReadPackText();
    WriteAndReadScores();
    SetCurrentDir("bmp");
    const double found = GetFileList("*.bmp", pictures); // the folders first, then the files
    folders = static_cast<int>(found / 65536);
    pictureCount = Mod(found, 65536);
    SetCurrentDir("..");
    IniOpen("settings.ini"); // written back when changed, at the latest when the program ends
    for (;;) {
        for (int key = 2; key <= 4; ++key) // the keys 1, 2, 3
            if (KeyDown(key) == 1) IniPut("game", "difficulty", NumberToText(key - 1));
        DrawRect(0, 0, 800, 600, 0x302010);
        PrintText("From the pack:", 20, 20);
        for (double i = 0; i < packLines; ++i)
            PrintText(packText(i), 40, 45 + i * 20);
        PrintText("scores.dat, " + NumberToText(FileSize("scores.dat")) +
                      " bytes: " + NumberToText(scores[0]) + ", " + NumberToText(scores[1]) + ", " +
                      NumberToText(scores[2]),
                  20, 140);
        PrintText("settings.ini [game] difficulty: " + IniGet("game", "difficulty"), 20, 180);
        PrintText(NumberToText(pictureCount) + " pictures in bmp/:", 20, 220);
        for (double i = 0; i < pictureCount; ++i)
            PrintText(pictures(i + folders), 40 + 250 * Mod(i, 3),
                      245 + 20 * static_cast<int>(i / 3));
        PresentFrame();
    }
}
