// VORNIC_NET_SIM: how its text is read, and what a program sees on the network it makes.
#include <array>
#include <chrono>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "NetTesting.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

TEST(NetConditions, ReadsLossDelayJitterAndDuplicationOrSaysWhyNot) {
    const std::pair<const char*, std::array<double, 4>> valid[] = {
        {"", {0, 0, 0, 0}}, {"loss=0.1,delay=80,jitter=20,dup=0.02", {0.1, 80, 20, 0.02}}};
    os::NetConditions read;
    std::string error;
    for (const auto& [text, expected] : valid) {
        EXPECT_TRUE(os::ParseNetConditions(text, read, error)) << text;
        EXPECT_EQ((std::array{read.loss, read.delayMs, read.jitterMs, read.duplicate}), expected);
    }
    for (const char* text : {"loss=1.5", "dup=-0.1", "delay=70000", "speed=3", "loss=", "loss=0.1x",
                             "jitter=nan", "delay=inf", "loss"}) {
        error.clear();
        EXPECT_FALSE(os::ParseNetConditions(text, read, error) || error.empty()) << text;
    }
}

// A program that hosts its own game, started again with a setting in its environment.
class RestartedRuntime : public HeadlessRuntimeTest {
  protected:
    void Restart(const char* name, const std::string& value, int port = FreePort()) {
        setenv(name, value.c_str(), 1);
        HeadlessRuntimeTest::TearDown();
        HeadlessRuntimeTest::SetUp();
        unsetenv(name);
        ASSERT_EQ(NetHostGame(NumberToText(port)), 1);
    }
};

TEST_F(RestartedRuntime, LostJoinsFailDoubledMessagesArriveTwiceAndARecordedChatReplaysOffline) {
    Restart("VORNIC_NET_SIM", "loss=1");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_STREQ(NetCreatePlayer("Ann").CText(), "-1");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)) << "no wait";
    Restart("VORNIC_NET_SIM", "dup=1");
    ASSERT_STREQ(NetCreatePlayer("Ann").CText(), "101");
    ASSERT_STREQ(NetCreatePlayer("Bob").CText(), "102");
    ASSERT_EQ(NetSendMessage(101, 102, "twice"), 1);
    int copies = 0;
    for (int attempt = 0; attempt < 100 && copies < 2; ++attempt, usleep(20000))
        while (NetGetMessage(102).Length() > 0)
            ++copies;
    EXPECT_GE(copies, 2);

    // A host records a chat with a player elsewhere; replayed with no network and nobody about,
    // every command gives the same answer in the same frame.
    TempDir dir;
    const int port = FreePort();
    std::vector<std::string> answers[2];
    for (int run = 0; run < 2; ++run) {
        Restart(run ? "VORNIC_REPLAY" : "VORNIC_RECORD", dir.File("chat.txt"), port);
        std::vector<std::string>& said = answers[run];
        said.push_back(NetCreatePlayer("Ann").CText());
        RawUdp bob;
        if (run == 0) bob.SendTo(port, Datagram(3, 101, Join(bob, port, 1, "Bob"), "hello"));
        for (int frame = 0; frame < 300 && (said.size() < 2 || said.back().empty()); ++frame) {
            said.push_back(NetGetMessage(101).CText());
            PresentFrame();
            usleep(run == 0 ? 10000 : 0); // frames take no time here: give the datagram some
        }
        said.push_back(NetPlayerName(102).CText() + std::string("|") +
                       std::to_string(int(NetMessageSender())));
        said.push_back(std::to_string(int(NetPlayerCount())));
        PresentFrame();
    }
    const std::vector<std::string> end(answers[0].end() - 3, answers[0].end());
    EXPECT_EQ(end, (std::vector<std::string>{"hello", "Bob|102", "2"}));
    EXPECT_EQ(answers[1], answers[0]);
}

} // namespace
