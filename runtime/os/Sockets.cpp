#include "os/Sockets.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>

namespace os {

bool SocketAddress::operator==(const SocketAddress& other) const {
    sockaddr_storage a{}, b{};
    std::memcpy(&a, bytes, sizeof(bytes));
    std::memcpy(&b, other.bytes, sizeof(other.bytes));
    if (length == 0 || other.length == 0 || a.ss_family != b.ss_family) return false;
    if (a.ss_family == AF_INET) {
        const auto& x = reinterpret_cast<const sockaddr_in&>(a);
        const auto& y = reinterpret_cast<const sockaddr_in&>(b);
        return x.sin_port == y.sin_port && x.sin_addr.s_addr == y.sin_addr.s_addr;
    }
    if (a.ss_family == AF_INET6) {
        const auto& x = reinterpret_cast<const sockaddr_in6&>(a);
        const auto& y = reinterpret_cast<const sockaddr_in6&>(b);
        return x.sin6_port == y.sin6_port &&
               std::memcmp(&x.sin6_addr, &y.sin6_addr, sizeof(x.sin6_addr)) == 0;
    }
    return false;
}

SocketAddress Ipv4Loopback(int port) {
    sockaddr_in in{};
    in.sin_family = AF_INET;
    in.sin_port = htons(static_cast<uint16_t>(port));
    in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    SocketAddress address;
    std::memcpy(address.bytes, &in, sizeof(in));
    address.length = sizeof(in);
    return address;
}

int AddressPort(const SocketAddress& address) {
    sockaddr_storage storage{};
    std::memcpy(&storage, address.bytes, sizeof(address.bytes));
    if (address.length && storage.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(storage).sin_port);
    if (address.length && storage.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(storage).sin6_port);
    return 0;
}

bool ParseNetConditions(const std::string& text, NetConditions& conditions, std::string& error) {
    NetConditions parsed;
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.empty()) continue;
        const size_t equals = item.find('=');
        const std::string key = item.substr(0, equals);
        const std::string valueText = equals == std::string::npos ? "" : item.substr(equals + 1);
        char* end = nullptr;
        const double value = std::strtod(valueText.c_str(), &end);
        if (valueText.empty() || *end != '\0' || !std::isfinite(value) || value < 0) {
            error = "\"" + item + "\" needs a number of 0 or more";
            return false;
        }
        const bool chance = key == "loss" || key == "dup";
        if (chance && value > 1) {
            error = "\"" + item + "\" is a chance between 0 and 1";
            return false;
        }
        // Delays are capped at a minute: a datagram held longer is as good as lost, and the
        // cap keeps the waiting list of delayed datagrams short.
        if (!chance && value > 60000) {
            error = "\"" + item + "\" is more than 60000 ms";
            return false;
        }
        if (key == "loss")
            parsed.loss = value;
        else if (key == "delay")
            parsed.delayMs = value;
        else if (key == "jitter")
            parsed.jitterMs = value;
        else if (key == "dup")
            parsed.duplicate = value;
        else {
            error = "unknown key \"" + key + "\" (loss, delay, jitter, dup)";
            return false;
        }
    }
    conditions = parsed;
    return true;
}

} // namespace os
