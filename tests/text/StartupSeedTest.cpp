#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "support/TestRuntime.h"
#include "text/TextCommands.h"

namespace {

// Start-up with VORNIC_SEED set: the generator starts from that seed instead of the clock.
class StartupSeedTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        setenv("VORNIC_SEED", "2024", 1);
        HeadlessRuntimeTest::SetUp();
    }
    void TearDown() override {
        HeadlessRuntimeTest::TearDown();
        unsetenv("VORNIC_SEED");
    }
};

TEST_F(StartupSeedTest, VornicSeedFixesTheSequenceAfterStartup) {
    std::vector<double> afterStartup;
    for (int i = 0; i < 20; ++i)
        afterStartup.push_back(Random(1000));
    SeedRandom(2024);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Random(1000), afterStartup[i]) << "draw " << i;
}

} // namespace
