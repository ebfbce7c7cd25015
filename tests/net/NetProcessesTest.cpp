// Four real programs on loopback: one hosts, three join, each with one player.
#include <gtest/gtest.h>
#include <unistd.h>

#include "NetTesting.h"
#include "support/TempDir.h"

namespace {

// Asks until the answer is the expected one or 5 s have gone; gives the last answer.
std::string AskUntil(Probe& probe, const std::string& command, const std::string& expected) {
    std::string answer;
    for (int attempt = 0; attempt < 250 && answer != expected; ++attempt) {
        if (attempt) usleep(20000);
        answer = probe.Ask(command);
    }
    return answer;
}

TEST(NetPrograms, HostAndThreeJoiningProgramsExchangeMessages) {
    const std::string port = std::to_string(FreePort());
    Probe host, ann, bob, cid;
    ASSERT_EQ(host.Ask("host " + port), "1");
    Probe* joiners[] = {&ann, &bob, &cid};
    const char* names[] = {"Ann", "Bob", "Cid"};
    for (int i = 0; i < 3; ++i) {
        // Bob joins over IPv6 where the machine has its loopback.
        const char* address = i == 1 && HasIpv6Loopback() ? "::1" : "127.0.0.1";
        ASSERT_EQ(joiners[i]->Ask(std::string("join ") + address + " " + port), "1");
        EXPECT_EQ(joiners[i]->Ask(std::string("create ") + names[i]), std::to_string(101 + i));
    }

    EXPECT_EQ(host.Ask("count"), "3");
    const std::pair<const char*, const char*> lists[] = {{"id 0", "101"},     {"id 2", "103"},
                                                         {"id 3", "0"},       {"id -1", "0"},
                                                         {"name 101", "Ann"}, {"name 103", "Cid"}};
    for (const auto& [question, answer] : lists)
        EXPECT_EQ(bob.Ask(question), answer) << question;

    // To all: the others get it, the sender does not.
    ASSERT_EQ(ann.Ask("send 101 0 hello all"), "1");
    EXPECT_EQ(AskUntil(bob, "get 102", "hello all|101"), "hello all|101");
    EXPECT_EQ(AskUntil(cid, "get 103", "hello all|101"), "hello all|101");
    // To one: only the addressee.
    ASSERT_EQ(bob.Ask("send 102 103 psst"), "1");
    EXPECT_EQ(AskUntil(cid, "get 103", "psst|102"), "psst|102");
    EXPECT_EQ(ann.Ask("get 101"), "|0");

    // A removed player and a program that ends leave the host's lists.
    EXPECT_EQ(bob.Ask("remove 102"), "1");
    EXPECT_EQ(AskUntil(host, "count", "2"), "2");
    EXPECT_EQ(host.Ask("id 1"), "103");
    cid.End();
    EXPECT_EQ(AskUntil(host, "count", "1"), "1");
    EXPECT_EQ(host.Ask("id 0"), "101");
}

} // namespace

namespace {

// A program records a chat with another; replayed alone, with no host and no other program
// about, it gets the same answers in the same frames.
TEST(NetPrograms, RecordedChatReplaysWithoutTheNetwork) {
    TempDir dir;
    const std::string recording = "VORNIC_RECORD=" + dir.File("chat.txt");
    const std::string port = std::to_string(FreePort());
    std::vector<std::pair<std::string, std::string>> asked; // command, answer
    {
        Probe recorded({recording}), other;
        auto ask = [&](const std::string& command) {
            asked.emplace_back(command, recorded.Ask(command));
            return asked.back().second;
        };
        ASSERT_EQ(ask("host " + port), "1");
        ASSERT_EQ(other.Ask("join 127.0.0.1 " + port), "1");
        ASSERT_EQ(ask("create Ann"), "101");
        ask("frame");
        ASSERT_EQ(other.Ask("create Bob"), "102");
        for (const char* text : {"hello", "again"}) {
            ASSERT_EQ(other.Ask(std::string("send 102 101 ") + text), "1");
            // "get" answers "<text>|<sender>"; an empty text starts with the bar.
            for (int frames = 0; frames < 300 && ask("get 101")[0] == '|'; ++frames)
                ask("frame");
        }
        ask("count");
        ask("name 102");
        ask("frame");
    }
    Probe replayed({"VORNIC_REPLAY=" + dir.File("chat.txt")});
    for (const auto& [command, answer] : asked)
        EXPECT_EQ(replayed.Ask(command), answer) << command;
}

} // namespace
