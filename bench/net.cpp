// The network layer on loopback, with every program in this process: the round trip of a
// message through the host (median and 99th percentile) and the messages the host relays per
// second among eight players. Each is measured twice in the same run: with the network thread
// waiting on its sockets (the runtime's way) and, as the baseline, with a thread that sleeps
// 10 ms per pass whatever arrives.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "net/NetGame.h"
#include "os/Sockets.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The operating system's sockets, but the thread's wait is a plain 10 ms sleep.
class SleepingSockets : public os::Sockets {
  public:
    SleepingSockets() : inner_(os::CreatePosixSockets()) {}
    std::unique_ptr<os::DatagramSocket> OpenBound(int port) override {
        return inner_->OpenBound(port);
    }
    std::unique_ptr<os::DatagramSocket> OpenFor(const os::SocketAddress& peer) override {
        return inner_->OpenFor(peer);
    }
    bool Resolve(const std::string& name, int port, os::SocketAddress& address) override {
        return inner_->Resolve(name, port, address);
    }
    os::SocketAddress Loopback(int port) override { return inner_->Loopback(port); }
    std::vector<std::string> LocalAddresses() override { return inner_->LocalAddresses(); }
    bool WaitReadable(const std::vector<os::DatagramSocket*>&, int) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return true;
    }

  private:
    std::unique_ptr<os::Sockets> inner_;
};

std::unique_ptr<os::Sockets> MakeSockets(bool sleeping) {
    if (sleeping) return std::make_unique<SleepingSockets>();
    return os::CreatePosixSockets();
}

// A host and `programs` joined programs with one player each (ids 101, 102, ...).
struct Game {
    std::unique_ptr<net::NetGame> host;
    std::vector<std::unique_ptr<net::NetGame>> programs;
    std::vector<int> players;

    Game(bool sleeping, int count) : host(std::make_unique<net::NetGame>(MakeSockets(sleeping))) {
        if (!host->Host(0)) return;
        const std::string port = std::to_string(host->HostPort());
        for (int i = 0; i < count; ++i) {
            programs.push_back(std::make_unique<net::NetGame>(MakeSockets(sleeping)));
            if (!programs.back()->Join("127.0.0.1", host->HostPort())) return;
            players.push_back(programs.back()->CreatePlayer("p" + std::to_string(i)));
        }
    }
    bool Ready(int count) const {
        return static_cast<int>(players.size()) == count &&
               std::find(players.begin(), players.end(), -1) == players.end();
    }
};

struct RoundTrips {
    double medianMs = 0, p99Ms = 0;
    int lost = 0;
};

// Player 0 sends, player 1 echoes; a message lost on the way ends that round after 1 s.
RoundTrips MeasureRoundTrips(bool sleeping, int rounds) {
    Game game(sleeping, 2);
    RoundTrips result;
    if (!game.Ready(2)) return result;
    std::atomic<bool> stop{false};
    std::thread echo([&] {
        std::string text;
        while (!stop) {
            if (game.programs[1]->TakeMessage(game.players[1], text))
                game.programs[1]->SendText(game.players[1], game.players[0], text);
            else
                std::this_thread::yield();
        }
    });
    std::vector<double> times;
    std::string text;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        game.programs[0]->SendText(game.players[0], game.players[1], "ping");
        bool back = false;
        while (!(back = game.programs[0]->TakeMessage(game.players[0], text)) &&
               MsSince(start) < 1000)
            std::this_thread::yield();
        if (back)
            times.push_back(MsSince(start));
        else
            ++result.lost;
    }
    stop = true;
    echo.join();
    if (times.empty()) return result;
    std::sort(times.begin(), times.end());
    result.medianMs = times[times.size() / 2];
    result.p99Ms = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    return result;
}

struct Relay {
    double perSecond = 0;
    double deliveredShare = 0;
};

// Eight players, each with its own game object and sockets: the first sends to all, the host relays
// every message to the seven others. The sender keeps at most 128 messages in flight beyond what
// the others have taken, so that the socket buffers are not simply overrun.
Relay MeasureRelay(bool sleeping, int messages) {
    const int kPlayers = 8, kWindow = 128;
    Game game(sleeping, kPlayers);
    Relay result;
    if (!game.Ready(kPlayers)) return result;
    std::atomic<long> taken{0};
    const auto start = Clock::now();
    std::thread sender([&] {
        for (int sent = 0; sent < messages; ++sent) {
            while (sent - taken / (kPlayers - 1) > kWindow && MsSince(start) < 30000)
                std::this_thread::yield();
            game.programs[0]->SendText(game.players[0], 0, "relay");
        }
    });
    std::string text;
    auto lastTaken = Clock::now();
    while (MsSince(lastTaken) < 300) {
        bool any = false;
        for (int p = 1; p < kPlayers; ++p) {
            while (game.programs[p]->TakeMessage(game.players[p], text)) {
                ++taken;
                any = true;
            }
        }
        if (any)
            lastTaken = Clock::now();
        else
            std::this_thread::yield();
    }
    sender.join();
    const double seconds = std::chrono::duration<double>(lastTaken - start).count();
    result.perSecond = taken / seconds;
    result.deliveredShare = taken / (1.0 * messages * (kPlayers - 1));
    return result;
}

} // namespace

int main() {
    std::printf("network layer on loopback (every program in this process)\n");
    const RoundTrips polled = MeasureRoundTrips(false, 2000);
    const RoundTrips slept = MeasureRoundTrips(true, 150);
    std::printf("round trip through the host, thread waits on its sockets: median %.3f ms, "
                "p99 %.3f ms, lost %d\n",
                polled.medianMs, polled.p99Ms, polled.lost);
    std::printf("round trip through the host, thread sleeps 10 ms per pass: median %.3f ms, "
                "p99 %.3f ms, lost %d\n",
                slept.medianMs, slept.p99Ms, slept.lost);
    if (polled.medianMs > 0)
        std::printf("median round trip: sleeping thread / waiting thread = %.1f\n",
                    slept.medianMs / polled.medianMs);

    const Relay polledRelay = MeasureRelay(false, 20000);
    const Relay sleptRelay = MeasureRelay(true, 2000);
    std::printf("relayed among 8 players, thread waits on its sockets: %.0f messages/s "
                "(%.1f%% delivered)\n",
                polledRelay.perSecond, polledRelay.deliveredShare * 100);
    std::printf("relayed among 8 players, thread sleeps 10 ms per pass: %.0f messages/s "
                "(%.1f%% delivered)\n",
                sleptRelay.perSecond, sleptRelay.deliveredShare * 100);
    if (sleptRelay.perSecond > 0)
        std::printf("relay rate: waiting thread / sleeping thread = %.1f\n",
                    polledRelay.perSecond / sleptRelay.perSecond);
    return 0;
}
