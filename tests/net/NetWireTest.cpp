// The network commands against a host or clients played by plain UDP sockets on 127.0.0.1:
// the exact bytes each side sends, and what each side does with datagrams it must not trust.
#include <future>
#include <gtest/gtest.h>

#include "NetTesting.h"
#include "app/Startup.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

// A player description as a joining program sends it: ticket, id -1, flags 0, the name.
std::string Description(int ticket, const std::string& name) {
    std::string text = Int(ticket) + Int(-1) + std::string(1, '\0') + name;
    return text + std::string(152 - text.size(), '\0');
}

// The runtime joins a game hosted by a plain socket on 127.0.0.1, which answers by hand.
class NetAgainstRawHost : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        HeadlessRuntimeTest::SetUp();
        // The empty server name is this machine.
        auto joined = std::async(std::launch::async,
                                 [&] { return NetJoinGame("", NumberToText(host.Port())); });
        std::string request;
        ASSERT_TRUE(host.Receive(request, client));
        EXPECT_EQ(request, Datagram(104, 0, -1, ""));
        host.SendTo(client, Datagram(104, -1, 0, Int(1)));
        ASSERT_EQ(joined.get(), 1);

        auto created = std::async(std::launch::async, [] { return NetCreatePlayer("Ann"); });
        std::string join;
        ASSERT_TRUE(host.Receive(join, client));
        EXPECT_EQ(join, Datagram(1, 0, 0, Description(IntAt(join, 17), "Ann")));
        host.SendTo(client, Datagram(2, 101, 0, ""));
        ASSERT_STREQ(created.get().CText(), "101");
    }

    // Asks the player count and answers it after everything the host sent before.
    void AnswerCountAfterAllSent() {
        auto counted = std::async(std::launch::async, [] { return NetPlayerCount(); });
        std::string request;
        ASSERT_TRUE(host.Receive(request, client));
        // Again until it is taken: after a flood the client's buffer may drop the first.
        for (int attempt = 0; attempt < 100; ++attempt) {
            host.SendTo(client, Datagram(101, 101, 0, Int(5)));
            if (counted.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready) break;
        }
        ASSERT_EQ(counted.get(), 5);
    }

    RawUdp host;
    int client = 0;
};

TEST_F(NetAgainstRawHost, SendsTheExactBytesAndAnnouncesLeavingAtTheEnd) {
    std::string sent;
    ASSERT_EQ(NetSendMessage(1, 0, "hi"), 1);
    ASSERT_TRUE(host.Receive(sent, client));
    EXPECT_EQ(sent, std::string("VRNC\x03\x02\0\0\0\xff\xff\xff\xff\x01\0\0\0hi", 19));

    // A text over 1024 bytes is refused whole, never cut; 1024 bytes fit.
    EXPECT_EQ(NetSendMessage(101, 102, RtString(std::string(1025, 'x').c_str())), 0);
    EXPECT_EQ(NetSendMessage(101, 102, RtString(std::string(1024, 'y').c_str())), 1);
    ASSERT_TRUE(host.Receive(sent, client));
    EXPECT_EQ(sent, Datagram(3, 102, 101, std::string(1024, 'y')));

    ShutdownRuntime();
    ASSERT_TRUE(host.Receive(sent, client));
    EXPECT_EQ(sent, Datagram(4, 0, 101, ""));
}

TEST_F(NetAgainstRawHost, TakesOnlyWholeMessagesFromItsHost) {
    RawUdp stranger;
    stranger.SendTo(client, Datagram(3, 101, 8, "from a stranger"));
    std::string wrongLength = Datagram(3, 101, 7, "abc");
    wrongLength.pop_back();
    const std::string rejected[] = {
        wrongLength,
        Datagram(3, 101, 7, "abc") + "d",
        Datagram(3, 101, 7, "").substr(0, 16),
        "VRNX" + Datagram(3, 101, 7, "tag").substr(4),
        Datagram(3, 101, 7, "").substr(0, 5) + Int(-1) + Int(101) + Int(7),
        Datagram(9, 101, 7, "unknown type"),
        Datagram(3, 102, 7, "nobody here"),
        Datagram(2, 55, 0, ""),
    };
    for (const std::string& datagram : rejected)
        host.SendTo(client, datagram);
    host.SendTo(client, Datagram(3, 101, 7, "ok"));
    AnswerCountAfterAllSent();

    EXPECT_STREQ(NetGetMessage(101).CText(), "ok");
    EXPECT_EQ(NetMessageSender(), 7);
    EXPECT_STREQ(NetGetMessage(101).CText(), "");
    EXPECT_EQ(NetMessageSender(), 7);
}

TEST_F(NetAgainstRawHost, FloodOfMessagesFillsTheQueueToItsBoundOnly) {
    for (int i = 0; i < 100000; ++i)
        host.SendTo(client, Datagram(3, 101, 7, "m" + std::to_string(i)));
    AnswerCountAfterAllSent();
    int queued = 0;
    EXPECT_STREQ(NetGetMessage(101).CText(), "m0"); // the oldest stay, the newest are dropped
    while (NetGetMessage(101).Length() > 0 && queued < 200000)
        ++queued;
    EXPECT_EQ(queued + 1, 1024);
}

// The runtime hosts; plain sockets join and speak for themselves or for others.
class NetHostAgainstRawClients : public HeadlessRuntimeTest {
  protected:
    int Join(RawUdp& client, int ticket, const std::string& name) {
        client.SendTo(port, Datagram(1, 0, 0, Description(ticket, name)));
        std::string answer;
        int from = 0;
        if (!client.Receive(answer, from) || answer.size() != 17 || answer[4] != 2) return 0;
        return IntAt(answer, 9);
    }

    const int port = FreePort();
};

TEST_F(NetHostAgainstRawClients, AcceptsSendersOnlyFromTheAddressThatRegisteredThem) {
    ASSERT_EQ(NetHostGame(NumberToText(port)), 1);
    RawUdp a, b;
    ASSERT_EQ(Join(a, 1, "A"), 101);
    ASSERT_EQ(Join(a, 1, "A"), 101); // the same join twice is one player
    ASSERT_EQ(Join(b, 1, "B"), 102);

    b.SendTo(port, Datagram(3, -1, 101, "spoofed"));
    b.SendTo(port, Datagram(4, 0, 101, ""));
    for (const std::string& garbage : {Datagram(101, 5, 101, ""), Datagram(7, 0, 101, ""),
                                       Datagram(101, 0, 0, "") /* an answer, not a request */,
                                       Datagram(102, 0, 101, "12345"), std::string("VRNC")})
        a.SendTo(port, garbage);
    a.SendTo(port, Datagram(3, -1, 101, "hi"));
    a.SendTo(port, Datagram(101, 0, 101, ""));

    std::string got;
    int from = 0;
    ASSERT_TRUE(b.Receive(got, from));
    EXPECT_EQ(got, Datagram(3, 102, 101, "hi"));
    ASSERT_TRUE(a.Receive(got, from));
    EXPECT_EQ(got, Datagram(101, 101, 0, Int(2)));
    EXPECT_STREQ(NetPlayerName(102).CText(), "B");
}

TEST_F(NetHostAgainstRawClients, JoinsStopAtThePlayerBound) {
    ASSERT_EQ(NetHostGame(NumberToText(port)), 1);
    RawUdp flood;
    std::string answer;
    int from = 0, answered = 0;
    // In batches, each waited for, so that the system's buffers drop nothing.
    for (int ticket = 1; ticket <= 1100; ++ticket) {
        flood.SendTo(port, Datagram(1, 0, 0, Description(ticket, "x")));
        if (ticket % 50 == 0)
            while (answered < std::min(ticket, 1024) && flood.Receive(answer, from, 2000))
                ++answered;
    }
    EXPECT_EQ(answered, 1024);
    EXPECT_FALSE(flood.Receive(answer, from, 200));
    EXPECT_EQ(NetPlayerCount(), 1024);

    // Listing the addresses ends the game: the host then answers nothing.
    EXPECT_NE(("|" + std::string(NetLocalAddresses().CText()) + "|").find("|127.0.0.1|"),
              std::string::npos);
    flood.SendTo(port, Datagram(104, 0, 0, ""));
    EXPECT_FALSE(flood.Receive(answer, from, 200));
}

} // namespace
