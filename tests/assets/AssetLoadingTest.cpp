// The game's own asset table loads from the generated folder without a failed load, and its
// fonts (and start-up's) replace the built-in 8 x 8 one.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "GameState.h"
#include "GeneratedAssets.h"
#include "core/ErrorLog.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

using GlAssetLoading = GlRuntimeTest;

TEST_F(GlAssetLoading, TheGamesAssetTableLoadsWithoutAFailure) {
    ASSERT_FALSE(GeneratedAssets().empty());
    TempDir logFolder;
    ScopedTmpDir log(logFolder.Path());
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(GeneratedAssets());
    LoadAssets();
    LoadFont("smalfont.bmp", 3);
    std::filesystem::current_path(previous);
    EXPECT_FALSE(std::filesystem::exists(LogFilePath())) << ReadWholeFile(LogFilePath());
    for (int font = 0; font <= 3; ++font) {
        SetFont(font);
        double width = 0, height = 0;
        GetFontSize(width, height);
        EXPECT_GE(std::min(width, height), 12) << "font " << font << " is the built-in one";
    }
}
