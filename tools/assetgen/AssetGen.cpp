// assetgen: writes every picture, object, font and sound of PincerPanic into a folder (the one
// beside the program): bmp/, ddd/, wav/ and the default font "smalfont.bmp". The same bytes come
// out on every run; no window is needed.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Fonts.h"
#include "Models.h"
#include "Screens.h"
#include "Skins.h"
#include "Sounds.h"

namespace {

bool WritePictures(const std::string& folder) {
    const std::string bmp = folder + "/bmp/";
    const std::pair<const char*, Canvas> pictures[] = {
        {"crab_b_tex.bmp", CrabSkin(false)},
        {"virus.bmp", CrabSkin(true)},
        {"tag2.bmp", SkyBackdrop()},
        {"hero_tex.bmp", HeroSkin()},
        {"bodenx2.bmp", SandSkin(false)},
        {"bodenx2_arrow.bmp", SandSkin(true)},
        {"wasser.bmp", WaterSkin()},
        {"shadow.bmp", ShadowSkin()},
        {"killerstempel2.bmp", StampSkin()},
        {"font1.bmp", MakeFontPicture(StatusFont())},
        {"font2.bmp", MakeFontPicture(ScreenFont())},
        {"font3.bmp", MakeFontPicture(HeadlineFont())},
        {"title2.bmp", TitleScreen()},
        {"level_x1.bmp", ResultScreen()},
        {"options.bmp", OptionScreen()},
        {"curser.bmp", Pointer()},
        {"haken.bmp", CheckMark()},
    };
    for (const auto& [name, picture] : pictures)
        if (!picture.SaveBmp(bmp + name)) return false;
    // The runtime's start-up font is the status font.
    return MakeFontPicture(StatusFont()).SaveBmp(folder + "/smalfont.bmp");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code error;
    for (const char* sub : {"bmp", "ddd", "wav"})
        std::filesystem::create_directories(folder + "/" + sub, error);
    const bool written = WritePictures(folder) && WriteModels(folder) && WriteSounds(folder);
    if (!written) {
        std::fprintf(stderr, "assetgen: could not write the assets into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
