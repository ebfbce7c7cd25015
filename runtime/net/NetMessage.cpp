#include "net/NetMessage.h"

#include <algorithm>
#include <cstring>

namespace net {

namespace {

const char kTag[4] = {'V', 'R', 'N', 'C'};

void PutInt(std::string& out, int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

int32_t GetInt(const unsigned char* bytes) {
    const uint32_t bits =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return static_cast<int32_t>(bits);
}

} // namespace

std::string EncodeMessage(const Message& message) {
    std::string out(kTag, sizeof(kTag));
    out.push_back(static_cast<char>(message.type));
    PutInt(out, static_cast<int32_t>(message.text.size()));
    PutInt(out, message.addressee);
    PutInt(out, message.sender);
    out += message.text;
    return out;
}

bool DecodeMessage(const unsigned char* data, size_t size, Message& message) {
    if (size < kHeaderSize || size > kMaxMessage || std::memcmp(data, kTag, sizeof(kTag)) != 0)
        return false;
    const int32_t length = GetInt(data + 5);
    if (length < 0 || static_cast<size_t>(length) != size - kHeaderSize) return false;
    message.type = data[4];
    message.addressee = GetInt(data + 9);
    message.sender = GetInt(data + 13);
    message.text.assign(reinterpret_cast<const char*>(data + kHeaderSize), length);
    return true;
}

std::string EncodeDescription(const PlayerDescription& player) {
    std::string out;
    PutInt(out, player.joinTicket);
    PutInt(out, player.id);
    out.push_back(static_cast<char>(player.flags));
    out += player.name.substr(0, std::min(player.name.find('\0'), kMaxNameBytes));
    out.resize(kDescriptionSize, '\0');
    return out;
}

bool DecodeDescription(const std::string& text, PlayerDescription& player) {
    if (text.size() != kDescriptionSize) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    player.joinTicket = GetInt(bytes);
    player.id = GetInt(bytes + 4);
    player.flags = bytes[8];
    const std::string name = text.substr(kNameOffset, kMaxNameBytes);
    player.name = name.substr(0, name.find('\0'));
    return true;
}

std::string EncodeInt(int32_t value) {
    std::string out;
    PutInt(out, value);
    return out;
}

bool DecodeInt(const std::string& text, int32_t& value) {
    if (text.size() != 4) return false;
    value = GetInt(reinterpret_cast<const unsigned char*>(text.data()));
    return true;
}

} // namespace net
