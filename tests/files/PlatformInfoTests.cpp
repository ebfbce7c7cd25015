// Platform information by key.
#include <gtest/gtest.h>

#include <regex>

#include "files/IniCommands.h"
#include "support/TestRuntime.h"

namespace {

using PlatformInfoTest = GlRuntimeTest;

// Keys are found without regard to case; GL entry points keep theirs.
TEST_F(PlatformInfoTest, AnswersByKey) {
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"", "WIN32"}, {"DeViCe", "DESKTOP"}, {"DEVICES", "NO_DATA"}, {"what", "NO_DATA"},
        {"GLEXT:", "0"}, {"gLeXt:glActiveTextureARB", "1"}, {"GLEXT:glGenBuffersARB", "1"}};
    // clang-format on
    for (const auto& [key, answer] : rows)
        EXPECT_STREQ(PlatformInfo(key).CText(), answer) << key;
    const std::string id = PlatformInfo("ID").CText();
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{8}"))) << id;
    EXPECT_EQ(std::string(PlatformInfo("id").CText()), id) << "the machine id is stable";
    // Year-month-day without leading zeros, then hour, minute and second right-aligned in two
    // characters.
    const std::string time = PlatformInfo("time").CText();
    EXPECT_TRUE(std::regex_match(
        time, std::regex("[0-9]{4}-([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01]) "
                         "( [0-9]|1[0-9]|2[0-3]):( [0-9]|[1-5][0-9]):( [0-9]|[1-5][0-9])")))
        << time;
    EXPECT_EQ(std::string(PlatformInfo("TIME").CText()).substr(0, 10), time.substr(0, 10));
}

} // namespace
