#include "net/NetGame.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>

namespace net {

namespace {

// Datagrams read from one socket in one pass before the thread looks at its stop flag again.
constexpr int kDrainLimit = 4096;

} // namespace

NetGame::NetGame(std::unique_ptr<os::Sockets> sockets) : sockets_(std::move(sockets)) {}

NetGame::~NetGame() {
    End();
}

bool NetGame::Host(int port) {
    End();
    listen_ = sockets_->OpenBound(port);
    if (!listen_) return false;
    if (!Open(true, sockets_->Loopback(os::AddressPort(listen_->LocalAddress())))) {
        listen_.reset();
        return false;
    }
    return true;
}

bool NetGame::Join(const std::string& server, int port) {
    End();
    os::SocketAddress hostAddress;
    if (!sockets_->Resolve(server, port, hostAddress) || !Open(false, hostAddress)) return false;
    Message answer;
    if (Request(kPresenceRequest, "", answer)) return true;
    End();
    return false;
}

bool NetGame::Open(bool hosting, const os::SocketAddress& hostAddress) {
    client_ = sockets_->OpenFor(hostAddress);
    if (!client_) return false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        hostAddress_ = hostAddress;
        isHost_ = hosting;
        nextPlayerId_ = kFirstPlayerId;
        ownPlayerId_ = -1;
        lastGivenId_ = 0;
    }
    stopRequested_ = false;
    thread_ = std::thread(&NetGame::Run, this);
    return true;
}

void NetGame::End() {
    if (!client_) return;
    std::vector<int> leaving;
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (const LocalPlayer& player : localPlayers_)
            if (player.id >= 0) leaving.push_back(player.id);
    }
    for (int id : leaving)
        SendToHost(Message{kLeave, 0, id, ""});
    stopRequested_ = true;
    if (thread_.joinable()) thread_.join();
    client_.reset();
    listen_.reset();
    std::lock_guard<std::mutex> hold(lock_);
    localPlayers_.clear();
    remotePlayers_.clear();
    replies_.clear();
    isHost_ = false;
    hostAddress_ = os::SocketAddress();
}

int NetGame::HostPort() const {
    return listen_ ? os::AddressPort(listen_->LocalAddress()) : 0;
}

std::vector<std::string> NetGame::LocalAddresses() {
    End();
    return sockets_->LocalAddresses();
}

void NetGame::Run() {
    unsigned char buffer[kMaxMessage + 1];
    std::vector<os::DatagramSocket*> watched = {client_.get()};
    if (listen_) watched.push_back(listen_.get());
    while (!stopRequested_) {
        sockets_->WaitReadable(watched, kPollMs);
        Drain(*client_, false, buffer);
        if (listen_) Drain(*listen_, true, buffer);
    }
}

void NetGame::Drain(os::DatagramSocket& socket, bool atHost, unsigned char* buffer) {
    os::SocketAddress from;
    for (int count = 0; count < kDrainLimit && !stopRequested_; ++count) {
        const long size = socket.ReceiveFrom(buffer, kMaxMessage + 1, from);
        if (size < 0) return;
        if (atHost)
            HandleAtHost(buffer, static_cast<size_t>(size), from);
        else
            HandleAtClient(buffer, static_cast<size_t>(size), from);
    }
}

bool NetGame::SendToHost(const Message& message) {
    if (!client_) return false;
    const std::string datagram = EncodeMessage(message);
    return client_->SendTo(hostAddress_, datagram.data(), datagram.size()) ||
           client_->SendTo(hostAddress_, datagram.data(), datagram.size());
}

int NetGame::CreatePlayer(const std::string& name) {
    if (!client_) return -1;
    std::unique_lock<std::mutex> hold(lock_);
    localPlayers_.push_back(LocalPlayer());
    LocalPlayer& player = localPlayers_.back();
    PlayerDescription description;
    description.joinTicket = nextJoinTicket_++;
    description.name = name;
    player.id = kJoinSent;
    SendToHost(Message{kJoin, 0, 0, EncodeDescription(description)});
    for (int step = 0; step < kWaitSteps; ++step) {
        if (answered_.wait_for(hold, std::chrono::milliseconds(kWaitStepMs),
                               [&] { return player.id >= 0; }))
            return player.id;
    }
    player.id = kJoinFailed;
    return -1;
}

bool NetGame::SendText(int sender, int addressee, const std::string& text) {
    if (!client_ || text.size() > kMaxText) return false;
    return SendToHost(Message{kText, addressee == 0 ? kAllPlayers : addressee, sender, text});
}

void NetGame::RemovePlayer(int id) {
    if (id < 0 || !client_) return;
    SendToHost(Message{kLeave, 0, id, ""});
    std::lock_guard<std::mutex> hold(lock_);
    localPlayers_.remove_if([&](const LocalPlayer& player) { return player.id == id; });
}

bool NetGame::TakeMessage(int player, std::string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    for (LocalPlayer& local : localPlayers_) {
        if (local.id != player) continue;
        if (local.queue.empty()) return false;
        text = std::move(local.queue.front().text);
        lastSender_ = local.queue.front().sender;
        local.queue.pop_front();
        return true;
    }
    return false;
}

bool NetGame::Request(MessageType type, const std::string& text, Message& answer) {
    if (!client_) return false;
    std::unique_lock<std::mutex> hold(lock_);
    // An answer that came too late for an earlier question must not answer this one.
    replies_.clear();
    SendToHost(Message{type, 0, ownPlayerId_, text});
    for (int step = 0; step < kWaitSteps; ++step) {
        auto found = replies_.end();
        answered_.wait_for(hold, std::chrono::milliseconds(kWaitStepMs), [&] {
            found = std::find_if(replies_.begin(), replies_.end(),
                                 [&](const Message& reply) { return reply.type == type; });
            return found != replies_.end();
        });
        if (found != replies_.end()) {
            answer = std::move(*found);
            replies_.erase(found);
            return true;
        }
    }
    return false;
}

int NetGame::PlayerCount() {
    Message answer;
    int32_t count = 0;
    return Request(kCountRequest, "", answer) && DecodeInt(answer.text, count) ? count : 0;
}

int NetGame::PlayerId(int n) {
    Message answer;
    int32_t id = 0;
    return Request(kIdRequest, EncodeInt(n), answer) && DecodeInt(answer.text, id) ? id : 0;
}

bool NetGame::PlayerName(int id, std::string& name) {
    Message answer;
    if (!Request(kNameRequest, EncodeInt(id), answer)) return false;
    name = answer.text;
    return true;
}

void NetGame::HandleAtClient(const unsigned char* data, size_t size,
                             const os::SocketAddress& from) {
    Message message;
    if (!DecodeMessage(data, size, message)) return;
    std::lock_guard<std::mutex> hold(lock_);
    // Only the host speaks to a program's socket.
    if (from != hostAddress_) return;
    switch (message.type) {
    case kJoinAnswer: {
        // Joins go out one at a time (CreatePlayer waits for its answer), so the answer belongs
        // to the one player whose join was sent. The host's ids only grow, so an id no greater
        // than the last one this program got answers an earlier join a second time.
        if (message.addressee < kFirstPlayerId || message.addressee <= lastGivenId_) return;
        for (LocalPlayer& player : localPlayers_) {
            if (player.id != kJoinSent) continue;
            player.id = lastGivenId_ = message.addressee;
            if (ownPlayerId_ < 0) ownPlayerId_ = player.id;
            answered_.notify_all();
            return;
        }
        return;
    }
    case kText:
        for (LocalPlayer& player : localPlayers_) {
            if (player.id != message.addressee) continue;
            if (player.queue.size() < kPlayerQueueLimit) player.queue.push_back(message);
            return;
        }
        return;
    case kCountRequest:
    case kIdRequest:
    case kNameRequest:
    case kPresenceRequest:
        if (replies_.size() < kReplyQueueLimit) {
            replies_.push_back(std::move(message));
            answered_.notify_all();
        }
        return;
    default: return;
    }
}

NetGame::RemotePlayer* NetGame::RegisteredFrom(int id, const os::SocketAddress& from) {
    for (RemotePlayer& player : remotePlayers_)
        if (player.id == id) return player.address == from ? &player : nullptr;
    return nullptr;
}

std::vector<NetGame::RemotePlayer*> NetGame::VisiblePlayers() {
    std::vector<RemotePlayer*> visible;
    for (RemotePlayer& player : remotePlayers_)
        if (!(player.flags & kHiddenPlayer)) visible.push_back(&player);
    return visible;
}

void NetGame::Answer(const Message& request, const std::string& text, const os::SocketAddress& to) {
    const std::string datagram = EncodeMessage(Message{request.type, request.sender, 0, text});
    listen_->SendTo(to, datagram.data(), datagram.size());
}

void NetGame::HandleAtHost(const unsigned char* data, size_t size, const os::SocketAddress& from) {
    Message message;
    if (!DecodeMessage(data, size, message)) return;
    std::lock_guard<std::mutex> hold(lock_);
    if (!isHost_ || !listen_) return;
    // Nothing a host sends is for a host: a datagram from a host's port (this one's, or another
    // host's on the same port) would start an endless exchange of answers between the two.
    if (os::AddressPort(from) == os::AddressPort(listen_->LocalAddress())) return;
    switch (message.type) {
    case kJoin: {
        PlayerDescription description;
        if (!DecodeDescription(message.text, description)) return;
        RemotePlayer* player = nullptr;
        // A join that arrives twice gets the same player again.
        for (RemotePlayer& known : remotePlayers_)
            if (known.address == from && known.joinTicket == description.joinTicket)
                player = &known;
        if (!player) {
            if (remotePlayers_.size() >= kPlayerLimit || nextPlayerId_ == INT_MAX) return;
            remotePlayers_.push_back(RemotePlayer{nextPlayerId_++, description.joinTicket,
                                                  description.flags, description.name, from});
            player = &remotePlayers_.back();
        }
        const std::string answer = EncodeMessage(Message{kJoinAnswer, player->id, 0, ""});
        listen_->SendTo(from, answer.data(), answer.size());
        return;
    }
    case kText: {
        if (!RegisteredFrom(message.sender, from)) return;
        const bool toAll = message.addressee == kAllPlayers;
        for (const RemotePlayer& player : remotePlayers_) {
            const bool addressed =
                toAll ? !(player.flags & kHiddenPlayer) && player.id != message.sender
                      : player.id == message.addressee;
            if (!addressed) continue;
            message.addressee = player.id;
            const std::string copy = EncodeMessage(message);
            listen_->SendTo(player.address, copy.data(), copy.size());
            if (!toAll) return;
        }
        return;
    }
    case kLeave:
        if (!RegisteredFrom(message.sender, from)) return;
        remotePlayers_.erase(
            std::remove_if(remotePlayers_.begin(), remotePlayers_.end(),
                           [&](const RemotePlayer& player) { return player.id == message.sender; }),
            remotePlayers_.end());
        return;
    default: break;
    }
    // Requests come from a program, with its first player's id or -1; sender 0 marks the answer
    // of a host, which is never answered again.
    if (message.addressee != 0 || message.sender == 0) return;
    int32_t asked = 0;
    switch (message.type) {
    case kCountRequest:
        Answer(message, EncodeInt(static_cast<int32_t>(VisiblePlayers().size())), from);
        return;
    case kIdRequest: {
        if (!DecodeInt(message.text, asked)) return;
        const std::vector<RemotePlayer*> visible = VisiblePlayers();
        const bool listed = asked >= 0 && static_cast<size_t>(asked) < visible.size();
        Answer(message, EncodeInt(listed ? visible[asked]->id : 0), from);
        return;
    }
    case kNameRequest:
        if (!DecodeInt(message.text, asked)) return;
        for (const RemotePlayer& player : remotePlayers_)
            if (player.id == asked) return Answer(message, player.name, from);
        return;
    case kPresenceRequest: Answer(message, EncodeInt(1), from); return;
    default: return;
    }
}

std::string JoinAddresses(const std::vector<std::string>& addresses) {
    const size_t kLimit = 4096;
    std::string text;
    for (const std::string& address : addresses) {
        const size_t needed = address.size() + (text.empty() ? 0 : 1);
        if (text.size() + needed > kLimit) break;
        if (!text.empty()) text += '|';
        text += address;
    }
    return text;
}

std::unique_ptr<NetGame> CreateNetGame(const std::string& conditionsText) {
    std::unique_ptr<os::Sockets> sockets = os::CreatePosixSockets();
    os::NetConditions conditions;
    std::string error;
    if (!os::ParseNetConditions(conditionsText, conditions, error))
        std::fprintf(stderr, "vornic: VORNIC_NET_SIM ignored: %s\n", error.c_str());
    else if (conditions.Active())
        sockets = os::SimulateConditions(std::move(sockets), conditions);
    return std::make_unique<NetGame>(std::move(sockets));
}

} // namespace net
