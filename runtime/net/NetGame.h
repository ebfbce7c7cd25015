// One program's part in a network game: hosting or joining, its local players with their
// message queues, and on the host the record of every player of the game. A background thread
// waits on the sockets and handles each datagram as it arrives; the calls of the main thread
// send their own datagrams and wait, in 20 ms steps, for the answers the thread files.
//
// Threads: the main thread calls every public member except the two Handle functions, which
// the network thread calls. All state below the lock is touched only under it; the stop flag is
// an atomic. The sockets are opened before the thread starts and closed after it has ended.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/NetMessage.h"
#include "os/Sockets.h"

namespace net {

constexpr int kDefaultPort = 26000;
constexpr int kFirstPlayerId = 101;
// Player ids of local players before the host has given one.
constexpr int kJoinPending = -1;
constexpr int kJoinFailed = -2;
constexpr int kJoinSent = -3;
// Bounds that keep a flood from growing memory. A message arriving at a full queue is dropped
// (the oldest ones stay, in order); a join beyond the player limit gets no answer.
constexpr size_t kPlayerQueueLimit = 1024;
constexpr size_t kReplyQueueLimit = 16;
constexpr size_t kPlayerLimit = 1024;
// Waits for an answer: up to 250 steps of 20 ms.
constexpr int kWaitSteps = 250;
constexpr int kWaitStepMs = 20;
// The thread looks at its stop flag at least this often.
constexpr int kPollMs = 5;

class NetGame {
  public:
    explicit NetGame(std::unique_ptr<os::Sockets> sockets);
    ~NetGame();
    NetGame(const NetGame&) = delete;
    NetGame& operator=(const NetGame&) = delete;

    // Ends any open game, then hosts one on the port; false when the port cannot be had.
    bool Host(int port);
    // Ends any open game, then joins the host at server:port ("" is this machine) and checks
    // that it answers; false when the address is unknown or no answer comes.
    bool Join(const std::string& server, int port);
    // Announces the leaving of every local player that has an id, stops the thread, closes
    // the sockets and forgets all players. Nothing happens when no game is open.
    void End();
    // The port the hosted game listens on (Host(0) takes a free one); 0 when not hosting.
    int HostPort() const;

    // Ends any open game and gives the addresses of this machine.
    std::vector<std::string> LocalAddresses();

    // Registers a local player and waits for the host to give it an id; -1 when none comes.
    int CreatePlayer(const std::string& name);
    // Sends a text message; addressee 0 means every player. False for a text over kMaxText
    // bytes, with no game open, or when the system refuses the datagram.
    bool SendText(int sender, int addressee, const std::string& text);
    // Tells the host that the player leaves and forgets it here.
    void RemovePlayer(int id);
    // Takes the oldest message queued for the local player and notes its sender; false when
    // there is none.
    bool TakeMessage(int player, std::string& text);
    // The sender of the message TakeMessage took last (0 before the first).
    int LastSender() const { return lastSender_; }

    // Questions to the host; each waits for the answer. Without one: 0, 0, false.
    int PlayerCount();
    int PlayerId(int n);
    bool PlayerName(int id, std::string& name);

    // The handling of one datagram that arrived at the host's port or at this program's own
    // socket. Public so that the fuzz target can feed datagrams directly.
    void HandleAtHost(const unsigned char* data, size_t size, const os::SocketAddress& from);
    void HandleAtClient(const unsigned char* data, size_t size, const os::SocketAddress& from);

  private:
    struct LocalPlayer {
        int id = kJoinPending;
        std::deque<Message> queue;
    };
    struct RemotePlayer {
        int id = 0;
        int joinTicket = 0;
        uint8_t flags = 0;
        std::string name;
        os::SocketAddress address;
    };

    bool Open(bool hosting, const os::SocketAddress& hostAddress);
    void Run();
    void Drain(os::DatagramSocket& socket, bool atHost, unsigned char* buffer);
    // Sends to the host, once more when the first try fails.
    bool SendToHost(const Message& message);
    // Sends a request and waits for the host's answer of the same type.
    bool Request(MessageType type, const std::string& text, Message& answer);
    // The remote player with that id registered from that address; null when there is none.
    RemotePlayer* RegisteredFrom(int id, const os::SocketAddress& from);
    std::vector<RemotePlayer*> VisiblePlayers();
    void Answer(const Message& request, const std::string& text, const os::SocketAddress& to);

    std::unique_ptr<os::Sockets> sockets_;
    std::unique_ptr<os::DatagramSocket> listen_; // the host's port
    std::unique_ptr<os::DatagramSocket> client_; // this program's way to the host
    std::thread thread_;
    std::atomic<bool> stopRequested_{false};

    // Everything below is guarded by the lock. The host's address changes only while the
    // thread is stopped, so the main thread may also read it without the lock to send.
    std::mutex lock_;
    std::condition_variable answered_;
    os::SocketAddress hostAddress_;
    bool isHost_ = false;
    int nextPlayerId_ = kFirstPlayerId;
    int ownPlayerId_ = -1;
    int lastGivenId_ = 0;
    int nextJoinTicket_ = 1;
    int lastSender_ = 0; // the main thread's alone
    std::list<LocalPlayer> localPlayers_;
    std::vector<RemotePlayer> remotePlayers_;
    std::deque<Message> replies_;
};

// The addresses joined by "|", as many whole ones as fit in 4096 characters.
std::string JoinAddresses(const std::vector<std::string>& addresses);

// The game of this program: on the operating system's sockets, under the network conditions
// of the text (see os::ParseNetConditions) when it names any. Text that cannot be read is
// reported on standard error and ignored.
std::unique_ptr<NetGame> CreateNetGame(const std::string& conditionsText);

} // namespace net
