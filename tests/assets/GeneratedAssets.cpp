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
