// The datagrams of the network message layer: a 17-byte little-endian header that begins with
// "VRNC", then at most 1024 bytes of text. docs/network.md describes every message type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace net {

constexpr size_t kHeaderSize = 17;
constexpr size_t kMaxText = 1024;
constexpr size_t kMaxMessage = kHeaderSize + kMaxText;
// Addressee of a message to every player.
constexpr int32_t kAllPlayers = -1;

enum MessageType : uint8_t {
    kJoin = 1,
    kJoinAnswer = 2,
    kText = 3,
    kLeave = 4,
    kCountRequest = 101,
    kIdRequest = 102,
    kNameRequest = 103,
    kPresenceRequest = 104,
};

struct Message {
    uint8_t type = 0;
    int32_t addressee = 0;
    int32_t sender = 0;
    std::string text;
};

// The datagram of a message whose text is at most kMaxText bytes.
std::string EncodeMessage(const Message& message);
// Reads a datagram. False for anything that is not one whole message: no tag, shorter than the
// header, or a length field that is negative, above kMaxText or not the number of bytes that
// follow the header.
bool DecodeMessage(const unsigned char* data, size_t size, Message& message);

// The text of a join: the 152-byte player description.
constexpr size_t kDescriptionSize = 152;
constexpr size_t kNameOffset = 9;
// A name keeps at most this many bytes, so that a zero always ends it.
constexpr size_t kMaxNameBytes = kDescriptionSize - kNameOffset - 1;
// Player flag: the player is not counted, listed or sent messages to all.
constexpr uint8_t kHiddenPlayer = 1;

struct PlayerDescription {
    // Chosen by the joining program, different for each of its joins, so the host can tell a
    // repeated datagram of one join from a new join.
    int32_t joinTicket = 0;
    int32_t id = -1;
    uint8_t flags = 0;
    std::string name;
};

std::string EncodeDescription(const PlayerDescription& player);
// False when the text is not exactly kDescriptionSize bytes.
bool DecodeDescription(const std::string& text, PlayerDescription& player);

// A 4-byte little-endian number, the text of requests and answers.
std::string EncodeInt(int32_t value);
// False when the text is not exactly 4 bytes.
bool DecodeInt(const std::string& text, int32_t& value);

} // namespace net
