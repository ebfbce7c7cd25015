// VORNIC_NET_SIM: how its text is read, and what a program sees on the network it makes.
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

#include "NetTesting.h"
#include "os/Sockets.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

TEST(NetConditions, ReadsLossDelayJitterAndDuplicationOrSaysWhyNot) {
    const struct {
        const char* text;
        double loss, delay, jitter, dup;
    } valid[] = {{"", 0, 0, 0, 0},
                 {"loss=0.1,delay=80,jitter=20,dup=0.02", 0.1, 80, 20, 0.02},
                 {"dup=1,loss=1", 1, 0, 0, 1}};
    os::NetConditions conditions;
    std::string error;
    for (const auto& row : valid) {
        ASSERT_TRUE(os::ParseNetConditions(row.text, conditions, error)) << row.text;
        EXPECT_EQ(std::make_tuple(conditions.loss, conditions.delayMs, conditions.jitterMs,
                                  conditions.duplicate),
                  std::make_tuple(row.loss, row.delay, row.jitter, row.dup))
            << row.text;
    }
    for (const char* text : {"loss=1.5", "dup=-0.1", "delay=70000", "speed=3", "loss=", "loss=0.1x",
                             "jitter=nan", "delay=inf", "loss"}) {
        error.clear();
        EXPECT_FALSE(os::ParseNetConditions(text, conditions, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

// A program that hosts its own game under simulated conditions.
class SimulatedNetwork : public HeadlessRuntimeTest {
  protected:
    void RestartHosting(const char* conditions) {
        setenv("VORNIC_NET_SIM", conditions, 1);
        HeadlessRuntimeTest::TearDown();
        HeadlessRuntimeTest::SetUp();
        unsetenv("VORNIC_NET_SIM");
        ASSERT_EQ(NetHostGame(NumberToText(FreePort())), 1);
    }
};

TEST_F(SimulatedNetwork, WhenEverythingIsLostAPlayerGetsNoIdAfterTheWait) {
    RestartHosting("loss=1");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_STREQ(NetCreatePlayer("Ann").CText(), "-1");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST_F(SimulatedNetwork, WhenEverythingIsDoubledMessagesArriveTwiceButJoinsCountOnce) {
    RestartHosting("dup=1");
    ASSERT_STREQ(NetCreatePlayer("Ann").CText(), "101");
    ASSERT_STREQ(NetCreatePlayer("Bob").CText(), "102");
    EXPECT_EQ(NetPlayerCount(), 2);
    ASSERT_EQ(NetSendMessage(101, 102, "twice"), 1);
    int copies = 0;
    for (int attempt = 0; attempt < 100 && copies < 2; ++attempt) {
        while (NetGetMessage(102).Length() > 0)
            ++copies;
        usleep(20000);
    }
    EXPECT_GE(copies, 2);
}

} // namespace
