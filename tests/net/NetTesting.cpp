#include "NetTesting.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "os/Sockets.h"

extern char** environ;

RawUdp::RawUdp() : fd_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    os::SocketAddress address = os::Ipv4Loopback(0);
    bind(fd_, reinterpret_cast<sockaddr*>(address.bytes), address.length);
    getsockname(fd_, reinterpret_cast<sockaddr*>(address.bytes), &address.length);
    port_ = os::AddressPort(address);
}

RawUdp::~RawUdp() {
    close(fd_);
}

void RawUdp::SendTo(int port, const std::string& bytes) {
    const os::SocketAddress to = os::Ipv4Loopback(port);
    sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(to.bytes),
           to.length);
}

bool RawUdp::Receive(std::string& bytes, int& fromPort, int timeoutMs) {
    pollfd ready{fd_, POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) <= 0) return false;
    char buffer[2048];
    os::SocketAddress from;
    from.length = sizeof(from.bytes);
    const ssize_t size = recvfrom(fd_, buffer, sizeof(buffer), 0,
                                  reinterpret_cast<sockaddr*>(from.bytes), &from.length);
    if (size < 0) return false;
    bytes.assign(buffer, static_cast<size_t>(size));
    fromPort = os::AddressPort(from);
    return true;
}

bool HasIpv6Loopback() {
    const int fd = socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    const bool bound =
        fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0) close(fd);
    return bound;
}

int FreePort() {
    // The same kind of socket a host opens, so the port is free for it.
    auto socket = os::CreatePosixSockets()->OpenBound(0);
    return socket ? os::AddressPort(socket->LocalAddress()) : 0;
}

std::string Int(int32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
    return bytes;
}

int32_t IntAt(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(offset + i));
    return static_cast<int32_t>(value);
}

std::string Datagram(int type, int addressee, int sender, const std::string& text) {
    return "VRNC" + std::string(1, static_cast<char>(type)) +
           Int(static_cast<int32_t>(text.size())) + Int(addressee) + Int(sender) + text;
}

Probe::Probe(const std::vector<std::string>& environment) {
    std::vector<char*> envp;
    for (char** entry = environ; *entry; ++entry)
        envp.push_back(*entry);
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    // The GL driver keeps some memory until the process ends; a leak report would only show it.
    static char noLeakReport[] = "ASAN_OPTIONS=detect_leaks=0";
    if (!getenv("ASAN_OPTIONS")) envp.push_back(noLeakReport);
    envp.push_back(nullptr);
    signal(SIGPIPE, SIG_IGN); // a probe that died makes Ask fail, not the test program
    int input[2], output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    char* argv[] = {const_cast<char*>(NET_PROBE_PATH), nullptr};
    posix_spawn(&pid_, NET_PROBE_PATH, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    toProbe_ = input[1];
    fromProbe_ = output[0];
}

Probe::~Probe() {
    End();
}

std::string Probe::Ask(const std::string& command) {
    const std::string line = command + "\n";
    if (write(toProbe_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return "<no answer>";
    // Start-up prints "Init OK" before the first answer.
    for (int waited = 0; waited < 20000;) {
        size_t end;
        while ((end = pending_.find('\n')) != std::string::npos) {
            std::string answer = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (answer != "Init OK") return answer;
        }
        pollfd ready{fromProbe_, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) {
            waited += 100;
            continue;
        }
        char buffer[512];
        const ssize_t size = read(fromProbe_, buffer, sizeof(buffer));
        if (size <= 0) break;
        pending_.append(buffer, static_cast<size_t>(size));
    }
    return "<no answer>";
}

void Probe::End() {
    if (pid_ <= 0) return;
    close(toProbe_);
    // Bounded: a program that does not end by itself within 10 s is stopped.
    int status = 0, waited = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0)
        if (waited++ < 500)
            usleep(20000);
        else
            kill(pid_, SIGKILL);
    close(fromProbe_);
    pid_ = -1;
}
