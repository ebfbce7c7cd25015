// Datagram sockets: the only way the runtime reaches the network. The POSIX implementation
// talks UDP over IPv4 and IPv6; the in-process one passes datagrams between sockets of the same
// object, for tests and fuzzing; the simulator wraps either one and makes outgoing datagrams
// get lost, late, reordered or doubled.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace os {

// An address and port, as the operating system writes it (a sockaddr of up to 28 bytes).
struct SocketAddress {
    unsigned char bytes[28] = {};
    unsigned length = 0;

    bool IsSet() const { return length != 0; }
    // Same family, address and port.
    bool operator==(const SocketAddress& other) const;
    bool operator!=(const SocketAddress& other) const { return !(*this == other); }
};

// 127.0.0.1 with the port.
SocketAddress Ipv4Loopback(int port);
// The port of an address; 0 when it has none.
int AddressPort(const SocketAddress& address);

class DatagramSocket {
  public:
    virtual ~DatagramSocket() = default;
    // Sends one datagram; false when the system refused it. Safe to call from any thread.
    virtual bool SendTo(const SocketAddress& to, const void* data, size_t size) = 0;
    // Takes the next waiting datagram into buffer and gives its size (a longer one is cut to the
    // capacity and gives capacity + 1), or -1 when none waits. Never blocks.
    virtual long ReceiveFrom(void* buffer, size_t capacity, SocketAddress& from) = 0;
    // The address the socket is bound to.
    virtual SocketAddress LocalAddress() const = 0;
};

class Sockets {
  public:
    virtual ~Sockets() = default;
    // A socket bound to the port on every local address (0: any free port), IPv6 and IPv4
    // both where the system allows; null when the port cannot be had.
    virtual std::unique_ptr<DatagramSocket> OpenBound(int port) = 0;
    // A socket on a free port that can send to the given address's family.
    virtual std::unique_ptr<DatagramSocket> OpenFor(const SocketAddress& peer) = 0;
    // The address of a numeric address or a host name with the port; false when it has none.
    // The empty name is this machine's loopback address.
    virtual bool Resolve(const std::string& name, int port, SocketAddress& address) = 0;
    // The loopback address that reaches a socket of OpenBound on the port.
    virtual SocketAddress Loopback(int port) = 0;
    // The numeric addresses of this machine's interfaces that are up.
    virtual std::vector<std::string> LocalAddresses() = 0;
    // Waits until one of the sockets has a datagram or the time is up; true when one has.
    virtual bool WaitReadable(const std::vector<DatagramSocket*>& sockets, int timeoutMs) = 0;
};

std::unique_ptr<Sockets> CreatePosixSockets();
// Sockets that exist only inside this object: addresses are 127.0.0.1 with ports numbered
// from 40000, each socket holds at most 4096 waiting datagrams (more are dropped, as a full
// system buffer would).
std::unique_ptr<Sockets> CreateInProcessSockets();

// Network conditions to simulate on outgoing datagrams.
struct NetConditions {
    double loss = 0;      // chance that a datagram is lost, 0..1
    double delayMs = 0;   // added delay
    double jitterMs = 0;  // up to this much more, at random (so datagrams overtake each other)
    double duplicate = 0; // chance that a datagram is sent twice, 0..1

    bool Active() const { return loss > 0 || delayMs > 0 || jitterMs > 0 || duplicate > 0; }
};

// Reads "loss=0.1,delay=80,jitter=20,dup=0.02" (any of the keys, in any order). False with the
// reason in error for an unknown key or a value out of range.
bool ParseNetConditions(const std::string& text, NetConditions& conditions, std::string& error);

// Sockets whose outgoing datagrams suffer the conditions; delayed ones leave while the owner
// waits on or reads its sockets.
std::unique_ptr<Sockets> SimulateConditions(std::unique_ptr<Sockets> inner,
                                            const NetConditions& conditions);

} // namespace os
