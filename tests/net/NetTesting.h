// Helpers of the network tests: a plain UDP socket on 127.0.0.1 that plays a host or a
// stranger, free ports, the bytes of a message written out, and the probe program driven over
// pipes.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// A UDP socket bound to 127.0.0.1 on a free port. Sends only to 127.0.0.1.
class RawUdp {
  public:
    RawUdp();
    ~RawUdp();
    int Port() const { return port_; }
    void SendTo(int port, const std::string& bytes);
    // The next datagram, waiting at most timeoutMs; false when none came. fromPort is its
    // sender's port.
    bool Receive(std::string& bytes, int& fromPort, int timeoutMs = 5000);

  private:
    int fd_ = -1;
    int port_ = 0;
};

// True when ::1 can be bound (some containers have no IPv6).
bool HasIpv6Loopback();
// A port that no UDP socket holds right now.
int FreePort();

// A number as 4 little-endian bytes.
std::string Int(int32_t value);
// The little-endian number at the offset.
int32_t IntAt(const std::string& bytes, size_t offset);
// A datagram of the layer, written out field by field.
std::string Datagram(int type, int addressee, int sender, const std::string& text);

// The net probe program, started with pipes to its input and output, and with the
// environment of the test plus the given "NAME=value" entries.
class Probe {
  public:
    explicit Probe(const std::vector<std::string>& environment = {});
    ~Probe();
    // Sends a command line and gives the answer line ("<no answer>" after 20 s).
    std::string Ask(const std::string& command);
    // Closes the input, so that the program ends the ordinary way, and waits for it.
    void End();

  private:
    pid_t pid_ = -1;
    int toProbe_ = -1, fromProbe_ = -1;
    std::string pending_;
};
