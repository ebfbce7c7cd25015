// Helpers of the network tests: a UDP socket that plays a host or a stranger on loopback, and
// the bytes of a message written out.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "os/Sockets.h"

// A UDP socket on a free port of this machine (IPv4 and IPv6), made by the system's socket
// layer. It answers the port the last datagram came from by that datagram's address (IPv4 or
// IPv6), any other port by 127.0.0.1.
class RawUdp {
  public:
    int Port() const { return os::AddressPort(socket_->LocalAddress()); }
    void SendTo(int port, const std::string& bytes) {
        const os::SocketAddress to = port == From() ? from_ : os::Ipv4Loopback(port);
        socket_->SendTo(to, bytes.data(), bytes.size());
    }
    // The next datagram, waiting at most timeoutMs; empty when none came.
    std::string Receive(int timeoutMs = 5000) {
        char buffer[2048];
        if (!sockets_->WaitReadable({socket_.get()}, timeoutMs)) return "";
        const long size = socket_->ReceiveFrom(buffer, sizeof buffer, from_);
        return std::string(buffer, std::max(size, 0L));
    }
    // The port the last datagram came from.
    int From() const { return os::AddressPort(from_); }

  private:
    std::unique_ptr<os::Sockets> sockets_ = os::CreatePosixSockets();
    std::unique_ptr<os::DatagramSocket> socket_ = sockets_->OpenBound(0);
    os::SocketAddress from_;
};

// A port that no UDP socket holds right now.
inline int FreePort() {
    return RawUdp().Port();
}
// A number as 4 little-endian bytes, and the number at an offset of such bytes.
inline std::string Int(int32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}
inline int32_t IntAt(const std::string& bytes, size_t offset) {
    const auto byte = [&](int i) { return uint32_t(uint8_t(bytes.at(offset + i))) << 8 * i; };
    return int32_t(byte(0) | byte(1) | byte(2) | byte(3));
}
// A datagram of the layer, written out field by field.
inline std::string Datagram(int type, int addressee, int sender, const std::string& text) {
    return "VRNC" + std::string(1, char(type)) + Int(text.size()) + Int(addressee) + Int(sender) +
           text;
}
// A player description as a joining program sends it: ticket, id -1, flags 0, the name.
inline std::string Description(int ticket, const std::string& name) {
    const std::string text = Int(ticket) + Int(-1) + std::string(1, '\0') + name;
    return text + std::string(152 - text.size(), '\0');
}
// Joins the game hosted on the port from the socket; the id the host gives, 0 when none.
inline int Join(RawUdp& client, int port, int ticket, const std::string& name) {
    client.SendTo(port, Datagram(1, 0, 0, Description(ticket, name)));
    const std::string answer = client.Receive();
    return answer.size() == 17 && answer[4] == 2 ? IntAt(answer, 9) : 0;
}
