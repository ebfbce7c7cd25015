// UDP sockets of the operating system, non-blocking, waited on with poll.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "os/Sockets.h"

namespace os {

namespace {

SocketAddress FromSockaddr(const sockaddr* address, socklen_t length) {
    SocketAddress result;
    if (length > sizeof(result.bytes)) return result;
    std::memcpy(result.bytes, address, length);
    result.length = length;
    return result;
}

class PosixSocket : public DatagramSocket {
  public:
    explicit PosixSocket(int fd) : fd_(fd) {}
    ~PosixSocket() override { close(fd_); }

    bool SendTo(const SocketAddress& to, const void* data, size_t size) override {
        for (;;) {
            const ssize_t sent =
                sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(to.bytes), to.length);
            if (sent >= 0) return static_cast<size_t>(sent) == size;
            if (errno != EINTR) return false;
        }
    }

    long ReceiveFrom(void* buffer, size_t capacity, SocketAddress& from) override {
        for (;;) {
            sockaddr_storage source{};
            socklen_t length = sizeof(source);
            // MSG_TRUNC gives the datagram's real size, so an over-long one is recognised.
            const ssize_t size = recvfrom(fd_, buffer, capacity, MSG_DONTWAIT | MSG_TRUNC,
                                          reinterpret_cast<sockaddr*>(&source), &length);
            if (size < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            from = FromSockaddr(reinterpret_cast<sockaddr*>(&source), length);
            return static_cast<size_t>(size) > capacity ? static_cast<long>(capacity) + 1
                                                        : static_cast<long>(size);
        }
    }

    SocketAddress LocalAddress() const override {
        sockaddr_storage own{};
        socklen_t length = sizeof(own);
        if (getsockname(fd_, reinterpret_cast<sockaddr*>(&own), &length) != 0) return {};
        return FromSockaddr(reinterpret_cast<sockaddr*>(&own), length);
    }

    int Descriptor() const { return fd_; }

  private:
    int fd_;
};

// A non-blocking, close-on-exec datagram socket bound to the address; null on failure.
std::unique_ptr<PosixSocket> BoundSocket(const sockaddr* address, socklen_t length,
                                         bool dualStack) {
    const int fd = socket(address->sa_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return nullptr;
    if (address->sa_family == AF_INET6) {
        const int v6only = dualStack ? 0 : 1;
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6only, sizeof(v6only));
    }
    if (bind(fd, address, length) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<PosixSocket>(fd);
}

class PosixSockets : public Sockets {
  public:
    std::unique_ptr<DatagramSocket> OpenBound(int port) override {
        if (port < 0 || port > 65535) return nullptr;
        // One IPv6 socket that takes IPv4 as well; a machine without IPv6 gets an IPv4 one.
        sockaddr_in6 any6{};
        any6.sin6_family = AF_INET6;
        any6.sin6_port = htons(static_cast<uint16_t>(port));
        any6.sin6_addr = in6addr_any;
        errno = 0;
        if (auto socket = BoundSocket(reinterpret_cast<sockaddr*>(&any6), sizeof(any6), true))
            return socket;
        if (errno == EADDRINUSE) return nullptr;
        sockaddr_in any4{};
        any4.sin_family = AF_INET;
        any4.sin_port = htons(static_cast<uint16_t>(port));
        any4.sin_addr.s_addr = htonl(INADDR_ANY);
        return BoundSocket(reinterpret_cast<sockaddr*>(&any4), sizeof(any4), false);
    }

    std::unique_ptr<DatagramSocket> OpenFor(const SocketAddress& peer) override {
        sockaddr_storage peerAddress{};
        std::memcpy(&peerAddress, peer.bytes, sizeof(peer.bytes));
        if (peerAddress.ss_family == AF_INET6) {
            sockaddr_in6 any6{};
            any6.sin6_family = AF_INET6;
            any6.sin6_addr = in6addr_any;
            return BoundSocket(reinterpret_cast<sockaddr*>(&any6), sizeof(any6), true);
        }
        if (peerAddress.ss_family != AF_INET) return nullptr;
        sockaddr_in any4{};
        any4.sin_family = AF_INET;
        any4.sin_addr.s_addr = htonl(INADDR_ANY);
        return BoundSocket(reinterpret_cast<sockaddr*>(&any4), sizeof(any4), false);
    }

    bool Resolve(const std::string& name, int port, SocketAddress& address) override {
        if (port < 0 || port > 65535) return false;
        if (name.empty()) {
            address = Loopback(port);
            return true;
        }
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(name.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
            return false;
        bool resolved = false;
        for (const addrinfo* entry = found; entry && !resolved; entry = entry->ai_next) {
            if (entry->ai_family != AF_INET && entry->ai_family != AF_INET6) continue;
            address = FromSockaddr(entry->ai_addr, entry->ai_addrlen);
            resolved = address.IsSet();
        }
        freeaddrinfo(found);
        return resolved;
    }

    SocketAddress Loopback(int port) override { return Ipv4Loopback(port); }

    std::vector<std::string> LocalAddresses() override {
        std::vector<std::string> addresses;
        ifaddrs* interfaces = nullptr;
        if (getifaddrs(&interfaces) != 0) return addresses;
        for (const ifaddrs* entry = interfaces; entry; entry = entry->ifa_next) {
            if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP)) continue;
            const int family = entry->ifa_addr->sa_family;
            if (family != AF_INET && family != AF_INET6) continue;
            const socklen_t length = family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
            char text[NI_MAXHOST] = {};
            if (getnameinfo(entry->ifa_addr, length, text, sizeof(text), nullptr, 0,
                            NI_NUMERICHOST) == 0)
                addresses.push_back(text);
        }
        freeifaddrs(interfaces);
        return addresses;
    }

    bool WaitReadable(const std::vector<DatagramSocket*>& sockets, int timeoutMs) override {
        pollfd fds[8];
        nfds_t count = 0;
        for (DatagramSocket* socket : sockets) {
            auto* own = dynamic_cast<PosixSocket*>(socket);
            if (!own || count == 8) continue;
            fds[count++] = pollfd{own->Descriptor(), POLLIN, 0};
        }
        const int ready = poll(fds, count, timeoutMs);
        return ready > 0;
    }
};

} // namespace

std::unique_ptr<Sockets> CreatePosixSockets() {
    return std::make_unique<PosixSockets>();
}

} // namespace os
