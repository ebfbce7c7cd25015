// Fuzzes the handling of datagrams by the host and by a joined program: any bytes from any
// address must be dropped or handled without a crash, and memory must stay bounded. The first
// byte chooses the side (bit 0) and which of four addresses sent it (bits 1-2): the host's own
// and three others, so joins from an address can be followed by texts and leaves from it.
#include "FuzzFiles.h"
#include "net/NetGame.h"
#include "net/NetMessage.h"
#include "os/Sockets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One game for the whole run, on sockets that never leave the process; it has one local
    // player, so texts addressed to 101 reach a queue.
    static net::NetGame& game = *[] {
        auto* hosted = new net::NetGame(os::CreateInProcessSockets());
        fuzzfiles::Check(hosted->Host(0) && hosted->CreatePlayer("fuzz") == 101);
        return hosted;
    }();
    if (size == 0) return 0;
    const int senders[] = {game.HostPort(), 50001, 50002, 50003};
    const os::SocketAddress from = os::Ipv4Loopback(senders[(data[0] >> 1) & 3]);
    if (data[0] & 1)
        game.HandleAtHost(data + 1, size - 1, from);
    else
        game.HandleAtClient(data + 1, size - 1, from);

    // A datagram that reads as a message is exactly that message written again.
    net::Message message;
    fuzzfiles::Check(!net::DecodeMessage(data + 1, size - 1, message) ||
                     net::EncodeMessage(message) == fuzzfiles::Text(data + 1, size - 1));
    return 0;
}
