// A web server on a free loopback port that answers every request with bytes the test chose,
// so that it can also misbehave on purpose. One connection at a time, on a thread of its own;
// it stops with the object.
#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

class CannedServer {
  public:
    struct Answer {
        std::string bytes;
        // After the bytes: close the connection, or keep it open and silent until the server
        // stops.
        bool holdOpen = false;
    };
    using Responder = std::function<Answer(const std::string& request)>;
    // Takes over each accepted connection instead (a TLS handshake, say); it is closed after.
    using ConnectionHandler = std::function<void(int connection)>;

    explicit CannedServer(Responder responder, bool ipv6 = false)
        : responder_(std::move(responder)) {
        Start(ipv6);
    }
    CannedServer(bool ipv6, ConnectionHandler handler) : handler_(std::move(handler)) {
        Start(ipv6);
    }

    ~CannedServer() {
        stopping_ = true;
        if (thread_.joinable()) thread_.join();
        if (listener_ >= 0) close(listener_);
    }

    // 0 when no port could be had.
    int Port() const { return port_; }

    std::vector<std::string> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

    // The path of a request line "GET <path> HTTP/1.0".
    static std::string PathOf(const std::string& request) {
        const size_t start = request.find(' ') + 1;
        return request.substr(start, request.find(' ', start) - start);
    }

  private:
    void Start(bool ipv6) {
        listener_ = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
        if (listener_ < 0) return;
        sockaddr_storage address{};
        socklen_t size;
        if (ipv6) {
            auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
            in6->sin6_family = AF_INET6;
            in6->sin6_addr = in6addr_loopback;
            size = sizeof(sockaddr_in6);
        } else {
            auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
            in4->sin_family = AF_INET;
            in4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            size = sizeof(sockaddr_in);
        }
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(listener_, 8) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            close(listener_);
            listener_ = -1;
            return;
        }
        port_ = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                           : reinterpret_cast<sockaddr_in*>(&address)->sin_port);
        thread_ = std::thread([this] { Serve(); });
    }

    // Waits for the socket in steps, so that a stop is seen within 20 ms.
    bool WaitFor(int fd, short events) const {
        pollfd entry{fd, events, 0};
        while (!stopping_)
            if (poll(&entry, 1, 20) > 0) return true;
        return false;
    }

    void Serve() {
        while (WaitFor(listener_, POLLIN)) {
            const int connection = accept(listener_, nullptr, nullptr);
            if (connection < 0) continue;
            if (handler_) {
                handler_(connection);
                close(connection);
                continue;
            }
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 &&
                   WaitFor(connection, POLLIN)) {
                const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<size_t>(got));
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(request);
            }
            const Answer answer = responder_(request);
            for (size_t sent = 0; sent < answer.bytes.size() && WaitFor(connection, POLLOUT);) {
                const ssize_t put = send(connection, answer.bytes.data() + sent,
                                         answer.bytes.size() - sent, MSG_NOSIGNAL);
                if (put <= 0) break;
                sent += static_cast<size_t>(put);
            }
            if (answer.holdOpen)
                while (!stopping_)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
            close(connection);
        }
    }

    Responder responder_;
    ConnectionHandler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
