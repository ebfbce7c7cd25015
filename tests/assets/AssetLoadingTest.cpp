// The game's own asset table loads from the generated folder without a failed load, and its
// fonts (and start-up's) replace the built-in 8 x 8 one.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

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
    char previous[4096];
    ASSERT_TRUE(getcwd(previous, sizeof previous));
    ASSERT_EQ(chdir(GeneratedAssets().c_str()), 0);
    LoadAssets();
    LoadFont("smalfont.bmp", 3);
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_FALSE(std::filesystem::exists(LogFilePath())) << ReadWholeFile(LogFilePath());
    for (int font = 0; font <= 3; ++font) {
        SetFont(font);
        double width = 0, height = 0;
        GetFontSize(width, height);
        EXPECT_GE(std::min(width, height), 12) << "font " << font << " is the built-in one";
    }
}
