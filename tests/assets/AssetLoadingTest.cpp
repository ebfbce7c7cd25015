// Every generated file loads with the runtime's own loaders.
#include <gtest/gtest.h>

#include "GeneratedAssets.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

class GlAssetLoading : public GlRuntimeTest {};

std::string Asset(const std::string& name) {
    return GeneratedAssets() + "/" + name;
}

} // namespace

TEST_F(GlAssetLoading, EveryFileLoadsIntoItsSlot) {
    ASSERT_FALSE(GeneratedAssets().empty());
    int sprite = 0, object = 0, sound = 1;
    for (const std::string& name : AssetTableFiles()) {
        const std::string kind = name.substr(name.size() - 3);
        if (kind == "ddd") {
            EXPECT_EQ(LoadObject(Asset(name).c_str(), object++), 1) << name;
        } else if (kind == "wav") {
            EXPECT_EQ(LoadSound(Asset(name).c_str(), sound++, 1), 1) << name;
        } else if (name.find("font") != std::string::npos) {
            // A font that cannot be loaded gets the built-in 8 x 8 font instead.
            LoadFont(Asset(name).c_str(), 3);
            double width = 0, height = 0;
            GetFontSize(width, height);
            EXPECT_GE(width, 12) << name;
            EXPECT_GE(height, 12) << name;
        } else {
            EXPECT_EQ(LoadSprite(Asset(name).c_str(), sprite++), 1) << name;
        }
    }
}
