// Sockets on a simulated bad network: outgoing datagrams are lost, held back (and so
// reordered by jitter) or sent twice, each by chance.
#include <algorithm>
#include <chrono>
#include <mutex>
#include <random>

#include "os/Sockets.h"

namespace os {

namespace {

using SteadyClock = std::chrono::steady_clock;

class SimulatedSocket : public DatagramSocket {
  public:
    // Datagrams held back at once; more are lost, as on a congested link.
    static const size_t kHeldLimit = 4096;

    SimulatedSocket(std::unique_ptr<DatagramSocket> inner, const NetConditions& conditions)
        : inner_(std::move(inner)), conditions_(conditions), random_(std::random_device{}()) {}

    bool SendTo(const SocketAddress& to, const void* data, size_t size) override {
        std::lock_guard<std::mutex> hold(lock_);
        if (Chance(conditions_.loss)) return true;
        const int copies = Chance(conditions_.duplicate) ? 2 : 1;
        bool sent = true;
        for (int copy = 0; copy < copies; ++copy) {
            const double delayMs = conditions_.delayMs + std::uniform_real_distribution<double>(
                                                             0.0, conditions_.jitterMs)(random_);
            if (delayMs <= 0) {
                sent = inner_->SendTo(to, data, size) && sent;
            } else if (held_.size() < kHeldLimit) {
                const auto* bytes = static_cast<const unsigned char*>(data);
                const auto due = SteadyClock::now() +
                                 std::chrono::microseconds(static_cast<long>(delayMs * 1000));
                held_.push_back({due, to, {bytes, bytes + size}});
            }
        }
        return sent;
    }

    long ReceiveFrom(void* buffer, size_t capacity, SocketAddress& from) override {
        SendDue();
        return inner_->ReceiveFrom(buffer, capacity, from);
    }

    SocketAddress LocalAddress() const override { return inner_->LocalAddress(); }

    // Sends the held datagrams whose time has come, earliest first; gives the milliseconds to
    // the next one still held (-1: none).
    int SendDue() {
        std::lock_guard<std::mutex> hold(lock_);
        const auto now = SteadyClock::now();
        std::stable_sort(held_.begin(), held_.end(),
                         [](const Held& a, const Held& b) { return a.due < b.due; });
        size_t sentCount = 0;
        while (sentCount < held_.size() && held_[sentCount].due <= now) {
            const Held& datagram = held_[sentCount++];
            inner_->SendTo(datagram.to, datagram.bytes.data(), datagram.bytes.size());
        }
        held_.erase(held_.begin(), held_.begin() + static_cast<long>(sentCount));
        if (held_.empty()) return -1;
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(held_.front().due - now);
        return static_cast<int>(wait.count()) + 1;
    }

    DatagramSocket* Inner() { return inner_.get(); }

  private:
    struct Held {
        SteadyClock::time_point due;
        SocketAddress to;
        std::vector<unsigned char> bytes;
    };

    bool Chance(double probability) {
        return probability > 0 &&
               std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
    }

    std::unique_ptr<DatagramSocket> inner_;
    NetConditions conditions_;
    std::mutex lock_;
    std::mt19937 random_;
    std::vector<Held> held_;
};

class SimulatedSockets : public Sockets {
  public:
    SimulatedSockets(std::unique_ptr<Sockets> inner, const NetConditions& conditions)
        : inner_(std::move(inner)), conditions_(conditions) {}

    std::unique_ptr<DatagramSocket> OpenBound(int port) override {
        return Wrap(inner_->OpenBound(port));
    }
    std::unique_ptr<DatagramSocket> OpenFor(const SocketAddress& peer) override {
        return Wrap(inner_->OpenFor(peer));
    }
    bool Resolve(const std::string& name, int port, SocketAddress& address) override {
        return inner_->Resolve(name, port, address);
    }
    SocketAddress Loopback(int port) override { return inner_->Loopback(port); }
    std::vector<std::string> LocalAddresses() override { return inner_->LocalAddresses(); }

    bool WaitReadable(const std::vector<DatagramSocket*>& sockets, int timeoutMs) override {
        std::vector<DatagramSocket*> inner;
        for (DatagramSocket* socket : sockets) {
            auto* simulated = dynamic_cast<SimulatedSocket*>(socket);
            if (!simulated) continue;
            inner.push_back(simulated->Inner());
            // Wake up in time for the next held datagram.
            const int untilNext = simulated->SendDue();
            if (untilNext >= 0) timeoutMs = std::min(timeoutMs, untilNext);
        }
        return inner_->WaitReadable(inner, timeoutMs);
    }

  private:
    std::unique_ptr<DatagramSocket> Wrap(std::unique_ptr<DatagramSocket> socket) {
        if (!socket) return nullptr;
        return std::make_unique<SimulatedSocket>(std::move(socket), conditions_);
    }

    std::unique_ptr<Sockets> inner_;
    NetConditions conditions_;
};

} // namespace

std::unique_ptr<Sockets> SimulateConditions(std::unique_ptr<Sockets> inner,
                                            const NetConditions& conditions) {
    return std::make_unique<SimulatedSockets>(std::move(inner), conditions);
}

} // namespace os
