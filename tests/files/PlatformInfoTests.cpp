// Platform information by key.
#include <gtest/gtest.h>

#include <regex>

#include "files/IniCommands.h"
#include "support/TestRuntime.h"

namespace {

TEST(PlatformInfoTest, FixedAnswersAndUnknownKeys) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "WIN32"}, {"DeViCe", "DESKTOP"}, {"DEVICES", "NO_DATA"}, {"what", "NO_DATA"}};
    for (const auto& [key, answer] : rows)
        EXPECT_STREQ(PlatformInfo(key).CText(), answer) << key;
}

TEST(PlatformInfoTest, MachineIdIsEightUpperCaseHexDigitsAndStable) {
    const std::string id = PlatformInfo("ID").CText();
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{8}"))) << id;
    EXPECT_EQ(std::string(PlatformInfo("id").CText()), id);
}

TEST(PlatformInfoTest, TimeHasTheFixedLayoutWhateverTheKeyCase) {
    const std::string time = PlatformInfo("time").CText();
    // Year-month-day without leading zeros, then hour, minute and second right-aligned in two
    // characters.
    EXPECT_TRUE(std::regex_match(
        time, std::regex("[0-9]{4}-([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01]) "
                         "( [0-9]|1[0-9]|2[0-3]):( [0-9]|[1-5][0-9]):( [0-9]|[1-5][0-9])")))
        << time;
    const std::string upper = PlatformInfo("TIME").CText();
    EXPECT_EQ(upper.substr(0, 10), time.substr(0, 10));
}

using PlatformInfoGlTest = GlRuntimeTest;

TEST_F(PlatformInfoGlTest, EntryPointsAreLookedUpWithTheirCaseKept) {
    EXPECT_STREQ(PlatformInfo("gLeXt:glActiveTextureARB").CText(), "1");
    EXPECT_STREQ(PlatformInfo("GLEXT:glGenBuffersARB").CText(), "1");
    EXPECT_STREQ(PlatformInfo("GLEXT:").CText(), "0");
}

} // namespace
