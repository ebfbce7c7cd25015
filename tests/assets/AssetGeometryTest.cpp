// The objects fit the game's world: where they are drawn, how they are turned, what they meet.
// The game's own asset table loads from the generated folder without a failed load, and its
// fonts (and start-up's) replace the built-in 8 x 8 one.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

#include "GameState.h"
#include "GeneratedAssets.h"
#include "core/ErrorLog.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectFiles.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace {

// The corners of an object file's triangles as the runtime reads them.
std::vector<DrawVertex> Triangles(const std::string& name) {
    MeshObjectX part;
    if (!gfx3d::ReadObjectFile(part, GeneratedAssets() + "/" + name, false)) return {};
    part.BuildTriangles();
    return {part.frames[0].triangles.begin(), part.frames[0].triangles.end()};
}

struct Bounds {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, minZ = 1e9f, maxZ = -1e9f;
};

Bounds Measure(const std::vector<DrawVertex>& corners) {
    Bounds b;
    for (const DrawVertex& v : corners) {
        b.minX = std::min(b.minX, v.x), b.maxX = std::max(b.maxX, v.x);
        b.minY = std::min(b.minY, v.y), b.maxY = std::max(b.maxY, v.y);
        b.minZ = std::min(b.minZ, v.z), b.maxZ = std::max(b.maxZ, v.z);
    }
    return b;
}

using AssetGeometry = GeneratedAssetsTest;

} // namespace

// The ground is drawn at y -100 turned half round about y: world z = -local z.
TEST_F(AssetGeometry, GroundEndsAtTheWaterLineAndCoversTheField) {
    const Bounds local = Measure(Triangles("ddd/bodenx2.ddd"));
    EXPECT_NEAR(-local.minZ, 5000.0f, 0.01f) << "the turned ground must end at the water line";
    // The camera hangs 2400 behind a hero that can stand at z -4640.
    EXPECT_LE(-local.maxZ, -4640.0f - 2400.0f);
    EXPECT_LE(local.minX, -930.0f - 4000.0f);
    EXPECT_GE(local.maxX, 930.0f + 4000.0f);
    EXPECT_EQ(std::pair(local.minY, local.maxY), std::pair(0.0f, 0.0f)) << "the ground is flat";
}

// Crabs and the hero are drawn at y 0 on ground whose top is at -100.
TEST_F(AssetGeometry, CrabsAndHeroStandOnTheGround) {
    const Bounds crab = Measure(Triangles("ddd/crab_b.ddd"));
    const Bounds hero = Measure(Triangles("ddd/hero_sub.ddd"));
    for (const Bounds& b : {crab, hero}) {
        EXPECT_NEAR(b.minY, -100.0f, 0.01f);
        EXPECT_GT(b.maxY, -90.0f);
    }
    // A crab is a little smaller than the infection distance is wide, the hero larger.
    EXPECT_LT(crab.maxZ - crab.minZ, 120.0f);
    EXPECT_GT(crab.maxZ - crab.minZ, 40.0f);
    EXPECT_GT(hero.maxY - hero.minY, 120.0f);
}

// At height 0 the stamp's sole meets the ground, and the sole covers the crushing radius.
TEST_F(AssetGeometry, StampSoleMatchesTheCrushingRadius) {
    const std::vector<DrawVertex> stamp = Triangles("ddd/killerstempel1.ddd");
    EXPECT_NEAR(Measure(stamp).minY, -100.0f, 0.01f);
    float soleRadius = 0;
    for (const DrawVertex& v : stamp)
        if (v.y < -99.0f) soleRadius = std::max(soleRadius, std::hypot(v.x, v.z));
    EXPECT_NEAR(soleRadius, 100.0f, 3.0f);
}

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
