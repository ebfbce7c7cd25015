#include "GeneratedAssets.h"

#include <cstdlib>

#include "support/TempDir.h"

bool RunGenerator(const std::string& folder) {
    const std::string command = std::string("\"") + ASSETGEN_PATH + "\" \"" + folder + "\"";
    return std::system(command.c_str()) == 0;
}

const std::string& GeneratedAssets() {
    static TempDir folder;
    static const std::string path = RunGenerator(folder.Path()) ? folder.Path() : "";
    return path;
}

const std::vector<std::string>& AssetTableFiles() {
    static const std::vector<std::string> files = {
        "ddd/crab_b.ddd",         "bmp/crab_b_tex.bmp",
        "bmp/virus.bmp",          "bmp/tag2.bmp",
        "ddd/hero_sub.ddd",       "bmp/hero_tex.bmp",
        "ddd/bodenx2.ddd",        "bmp/bodenx2.bmp",
        "bmp/bodenx2_arrow.bmp",  "ddd/water.ddd",
        "bmp/wasser.bmp",         "ddd/shadow.ddd",
        "bmp/shadow.bmp",         "ddd/killerstempel1.ddd",
        "bmp/killerstempel2.bmp", "bmp/font1.bmp",
        "bmp/font2.bmp",          "bmp/font3.bmp",
        "bmp/title2.bmp",         "bmp/level_x1.bmp",
        "bmp/options.bmp",        "bmp/curser.bmp",
        "bmp/haken.bmp",          "wav/hero2.wav",
        "wav/virus.wav",          "wav/schnipp1.wav",
        "wav/killed.wav",         "wav/sprunginswasser.wav",
        "wav/title1.wav",         "smalfont.bmp",
    };
    return files;
}
