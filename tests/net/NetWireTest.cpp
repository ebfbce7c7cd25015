// The network commands against a host or clients played by plain UDP sockets on 127.0.0.1:
// the exact bytes each side sends, and what each side does with datagrams it must not trust.
#include <algorithm>
#include <future>

#include "NetTesting.h"
#include "app/Startup.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

// The runtime joins a game hosted by a plain socket on loopback, which answers by hand.
class NetAgainstRawHost : public HeadlessRuntimeTest {
  protected:
    // Joins the host by the server name and creates the player Ann.
    void JoinAsAnn(const char* server) {
        auto joined = std::async(std::launch::async,
                                 [&] { return NetJoinGame(server, NumberToText(host.Port())); });
        EXPECT_EQ(host.Receive(), Datagram(104, 0, -1, ""));
        host.SendTo(client = host.From(), Datagram(104, -1, 0, Int(1)));
        ASSERT_EQ(joined.get(), 1);
        auto created = std::async(std::launch::async, [] { return NetCreatePlayer("Ann"); });
        const std::string join = host.Receive();
        EXPECT_EQ(join, Datagram(1, 0, 0, Description(IntAt(join + Int(0), 17), "Ann")));
        host.SendTo(client, Datagram(2, 101, 0, ""));
        ASSERT_STREQ(created.get().CText(), "101");
    }

    RawUdp host;
    int client = 0;
};

TEST_F(NetAgainstRawHost, SendsExactBytesTakesWholeMessagesOnlyFromItsHostToABoundAndLeaves) {
    JoinAsAnn(""); // the empty name is this machine
    ASSERT_EQ(NetSendMessage(1, 0, "hi"), 1);
    EXPECT_EQ(host.Receive(), std::string("VRNC\x03\x02\0\0\0\xff\xff\xff\xff\x01\0\0\0hi", 19));
    // A text over 1024 bytes is refused whole, never cut; 1024 bytes fit.
    EXPECT_EQ(NetSendMessage(101, 102, RtString(std::string(1025, 'x').c_str())), 0);
    EXPECT_EQ(NetSendMessage(101, 102, RtString(std::string(1024, 'y').c_str())), 1);
    EXPECT_EQ(host.Receive(), Datagram(3, 102, 101, std::string(1024, 'y')));

    RawUdp().SendTo(client, Datagram(3, 101, 8, "from a stranger"));
    // Cut, too long, header only, wrong tag, negative length, unknown type, unknown addressee,
    // an id below the first.
    const std::string abc = Datagram(3, 101, 7, "abc");
    for (const std::string& datagram :
         {abc.substr(0, abc.size() - 1), abc + "d", abc.substr(0, 16), "VRNX" + abc.substr(4),
          abc.substr(0, 5) + Int(-1) + Int(101) + Int(7), Datagram(9, 101, 7, "unknown type"),
          Datagram(3, 102, 7, "nobody here"), Datagram(2, 55, 0, "")})
        host.SendTo(client, datagram);
    // Then a flood: the oldest stay, the newest are dropped.
    for (int i = 0; i < 100000; ++i)
        host.SendTo(client, Datagram(3, 101, 7, "m" + std::to_string(i)));
    // The player count is answered after all that; again until it is taken, as after a flood
    // the client's buffer may drop the first answer.
    auto counted = std::async(std::launch::async, [] { return NetPlayerCount(); });
    ASSERT_NE(host.Receive(), "");
    for (int attempt = 0; attempt < 100; ++attempt) {
        host.SendTo(client, Datagram(101, 101, 0, Int(5)));
        if (counted.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready) break;
    }
    ASSERT_EQ(counted.get(), 5);
    EXPECT_STREQ(NetGetMessage(101).CText(), "m0");
    int queued = 1;
    while (NetGetMessage(101).Length() > 0 && queued < 200000)
        ++queued;
    EXPECT_EQ(queued, 1024);
    EXPECT_EQ(NetMessageSender(), 7);
    ShutdownRuntime();
    EXPECT_EQ(host.Receive(), Datagram(4, 0, 101, ""));
}

TEST_F(NetAgainstRawHost, JoinsOverIpv6Loopback) {
    const std::vector<std::string> addresses = os::CreatePosixSockets()->LocalAddresses();
    if (std::count(addresses.begin(), addresses.end(), "::1") == 0) GTEST_SKIP() << "no ::1";
    JoinAsAnn("::1");
}

// The runtime hosts; plain sockets join and speak for themselves or for others.
using NetHostAgainstRawClients = HeadlessRuntimeTest;

TEST_F(NetHostAgainstRawClients, PassesMessagesOnlyFromRegisteredAddressesAndJoinsToABound) {
    const int port = FreePort();
    ASSERT_EQ(NetHostGame(NumberToText(port)), 1);
    RawUdp a, b, c;
    ASSERT_EQ(Join(a, port, 1, "A"), 101);
    ASSERT_EQ(Join(a, port, 1, "A"), 101); // the same join twice is one player
    ASSERT_EQ(Join(b, port, 1, "B"), 102);
    ASSERT_EQ(Join(c, port, 1, "C"), 103);
    b.SendTo(port, Datagram(3, -1, 101, "spoofed"));
    b.SendTo(port, Datagram(4, 0, 101, ""));
    for (const std::string& garbage : {Datagram(101, 5, 101, ""), Datagram(7, 0, 101, ""),
                                       Datagram(101, 0, 0, "") /* an answer, not a request */,
                                       Datagram(102, 0, 101, "12345"), std::string("VRNC")})
        a.SendTo(port, garbage);
    a.SendTo(port, Datagram(3, -1, 101, "to all"));
    b.SendTo(port, Datagram(3, 103, 102, "to one"));
    a.SendTo(port, Datagram(101, 0, 101, ""));
    // Each gets what was meant for it, in order; the sender never gets its own message.
    EXPECT_EQ(b.Receive(), Datagram(3, 102, 101, "to all"));
    EXPECT_EQ(c.Receive(), Datagram(3, 103, 101, "to all"));
    EXPECT_EQ(c.Receive(), Datagram(3, 103, 102, "to one"));
    EXPECT_EQ(a.Receive(), Datagram(101, 101, 0, Int(3)));
    const std::pair<double, const char*> lists[] = {{0, "101"}, {2, "103"}, {3, "0"}, {-1, "0"}};
    for (const auto& [index, id] : lists)
        EXPECT_STREQ(NetPlayerId(index).CText(), id) << index;
    // A player that leaves leaves the game, so 1022 more may join: joins beyond 1024 players get
    // no answer. They are sent in batches, each waited for, so that the system's buffers drop
    // nothing.
    a.SendTo(port, Datagram(4, 0, 101, ""));
    RawUdp flood;
    int answered = 0;
    for (int ticket = 1; ticket <= 1100; ++ticket) {
        flood.SendTo(port, Datagram(1, 0, 0, Description(ticket, "x")));
        while (ticket % 50 == 0 && answered < std::min(ticket, 1022) && flood.Receive(2000) != "")
            ++answered;
    }
    EXPECT_EQ(answered, 1022);
    EXPECT_EQ(flood.Receive(200), "");
    EXPECT_EQ(NetPlayerCount(), 1024);
    // Listing the addresses ends the game: the host then answers nothing.
    EXPECT_NE(("|" + std::string(NetLocalAddresses().CText()) + "|").find("|127.0.0.1|"),
              std::string::npos);
    flood.SendTo(port, Datagram(104, 0, 0, ""));
    EXPECT_EQ(flood.Receive(200), "");
}

} // namespace
