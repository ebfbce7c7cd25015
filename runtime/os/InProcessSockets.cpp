// Datagram sockets inside one object: what is sent to a port lands in the queue of the socket
// bound to it. Tests and the fuzz target use them where no real network is wanted.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

#include "os/Sockets.h"

namespace os {

namespace {

struct Datagram {
    SocketAddress from;
    std::vector<unsigned char> bytes;
};

struct Exchange {
    static const size_t kQueueLimit = 4096;
    std::mutex lock;
    std::condition_variable arrived;
    std::map<int, std::deque<Datagram>> queues; // by bound port
    int nextPort = 40000;
};

class InProcessSocket : public DatagramSocket {
  public:
    InProcessSocket(std::shared_ptr<Exchange> exchange, int port)
        : exchange_(std::move(exchange)), port_(port) {}
    ~InProcessSocket() override {
        std::lock_guard<std::mutex> hold(exchange_->lock);
        exchange_->queues.erase(port_);
    }

    bool SendTo(const SocketAddress& to, const void* data, size_t size) override {
        std::lock_guard<std::mutex> hold(exchange_->lock);
        const auto queue = exchange_->queues.find(AddressPort(to));
        // Like UDP: a datagram for nobody, or for a full queue, is gone without a word.
        if (to != Ipv4Loopback(AddressPort(to)) || queue == exchange_->queues.end() ||
            queue->second.size() >= Exchange::kQueueLimit)
            return true;
        const auto* bytes = static_cast<const unsigned char*>(data);
        queue->second.push_back({Ipv4Loopback(port_), {bytes, bytes + size}});
        exchange_->arrived.notify_all();
        return true;
    }

    long ReceiveFrom(void* buffer, size_t capacity, SocketAddress& from) override {
        std::lock_guard<std::mutex> hold(exchange_->lock);
        auto& queue = exchange_->queues[port_];
        if (queue.empty()) return -1;
        const Datagram datagram = std::move(queue.front());
        queue.pop_front();
        from = datagram.from;
        const size_t size = datagram.bytes.size();
        std::copy_n(datagram.bytes.begin(), std::min(size, capacity),
                    static_cast<unsigned char*>(buffer));
        return size > capacity ? static_cast<long>(capacity) + 1 : static_cast<long>(size);
    }

    SocketAddress LocalAddress() const override { return Ipv4Loopback(port_); }
    int Port() const { return port_; }

  private:
    std::shared_ptr<Exchange> exchange_;
    int port_;
};

class InProcessSockets : public Sockets {
  public:
    std::unique_ptr<DatagramSocket> OpenBound(int port) override {
        if (port < 0 || port > 65535) return nullptr;
        std::lock_guard<std::mutex> hold(exchange_->lock);
        if (port == 0) {
            while (exchange_->queues.count(exchange_->nextPort))
                ++exchange_->nextPort;
            port = exchange_->nextPort++;
        } else if (exchange_->queues.count(port)) {
            return nullptr;
        }
        exchange_->queues[port];
        return std::make_unique<InProcessSocket>(exchange_, port);
    }

    std::unique_ptr<DatagramSocket> OpenFor(const SocketAddress&) override { return OpenBound(0); }

    bool Resolve(const std::string& name, int port, SocketAddress& address) override {
        if ((!name.empty() && name != "127.0.0.1") || port < 0 || port > 65535) return false;
        address = Ipv4Loopback(port);
        return true;
    }

    SocketAddress Loopback(int port) override { return Ipv4Loopback(port); }
    std::vector<std::string> LocalAddresses() override { return {"127.0.0.1"}; }

    bool WaitReadable(const std::vector<DatagramSocket*>& sockets, int timeoutMs) override {
        std::unique_lock<std::mutex> hold(exchange_->lock);
        return exchange_->arrived.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
            for (DatagramSocket* socket : sockets) {
                auto* own = dynamic_cast<InProcessSocket*>(socket);
                if (own && !exchange_->queues[own->Port()].empty()) return true;
            }
            return false;
        });
    }

  private:
    std::shared_ptr<Exchange> exchange_ = std::make_shared<Exchange>();
};

} // namespace

std::unique_ptr<Sockets> CreateInProcessSockets() {
    return std::make_unique<InProcessSockets>();
}

} // namespace os
