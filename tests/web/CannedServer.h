// A web server on a free port of 127.0.0.1 that answers every request with bytes the test
// chose, so that it can also misbehave on purpose: it closes the connection after them, or
// holds it open and silent until the server stops. Given a TLS context it speaks TLS. One
// connection at a time, on a thread of its own; it stops with the object. The responder runs
// on the server's thread: what it notes is the test's to read once the server has stopped.
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

class CannedServer {
  public:
    using Responder = std::function<std::string(const std::string& request)>;

    explicit CannedServer(Responder answer, bool hold = false, SSL_CTX* tls = nullptr) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (bind(listener_, any, size) == 0 && listen(listener_, 8) == 0 &&
            getsockname(listener_, any, &size) == 0)
            port_ = ntohs(address.sin_port);
        thread_ = std::thread([=] { Serve(answer, hold, tls); });
    }

    ~CannedServer() {
        stopping_ = true;
        thread_.join();
        close(listener_);
    }

    // 0 when no port could be had.
    int Port() const { return port_; }

  private:
    void Serve(const Responder& answer, bool hold, SSL_CTX* tls) {
        pollfd listener{listener_, POLLIN, 0};
        while (!stopping_) {
            // Looks for a stop every 20 ms.
            if (!port_ || poll(&listener, 1, 20) <= 0) continue;
            const int connection = accept(listener_, nullptr, nullptr);
            // A client that stalls or refuses the certificate must not hold the server.
            const timeval patience{5, 0};
            setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
            setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
            SSL* ssl = tls ? SSL_new(tls) : nullptr;
            if (ssl) SSL_set_fd(ssl, connection);
            std::string request;
            char buffer[4096];
            for (int got = !ssl || SSL_accept(ssl) == 1;
                 got > 0 && request.find("\r\n\r\n") == std::string::npos;
                 request.append(buffer, std::max(got, 0)))
                got = ssl ? SSL_read(ssl, buffer, sizeof buffer)
                          : recv(connection, buffer, sizeof buffer, 0);
            const std::string bytes = answer(request);
            for (int sent = 0, put = 1; put > 0 && sent < int(bytes.size()); sent += put)
                put =
                    ssl ? SSL_write(ssl, bytes.data() + sent, bytes.size() - sent)
                        : send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            while (hold && !stopping_)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (ssl) SSL_shutdown(ssl), SSL_free(ssl);
            close(connection);
        }
    }

    int listener_ = socket(AF_INET, SOCK_STREAM, 0);
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
