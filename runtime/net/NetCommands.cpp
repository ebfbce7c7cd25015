#include "net/NetCommands.h"

#include <string>

#include "core/Number.h"
#include "core/Runtime.h"
#include "net/NetGame.h"

namespace {

// A port given as text: read as a number, truncated; 0 or less is the default port.
int PortFromText(const RtString& text) {
    const int port = ToInt(TextToNumber(text));
    return port <= 0 ? net::kDefaultPort : port;
}

RtString IdText(int id) {
    return NumberToText(id);
}

} // namespace

double NetHostGame(const RtString& port) {
    net::NetGame* game = Rt().net.get();
    return game && game->Host(PortFromText(port)) ? 1 : 0;
}

double NetJoinGame(const RtString& server, const RtString& port) {
    net::NetGame* game = Rt().net.get();
    return game && game->Join(server.CText(), PortFromText(port)) ? 1 : 0;
}

RtString NetLocalAddresses() {
    net::NetGame* game = Rt().net.get();
    return game ? net::JoinAddresses(game->LocalAddresses()).c_str() : "";
}

RtString NetCreatePlayer(const RtString& name) {
    net::NetGame* game = Rt().net.get();
    return IdText(game ? game->CreatePlayer(std::string(name.CText(), name.Length())) : -1);
}

double NetSendMessage(double sender, double addressee, const RtString& text) {
    net::NetGame* game = Rt().net.get();
    return game && game->SendText(ToInt(sender), ToInt(addressee),
                                  std::string(text.CText(), text.Length()))
               ? 1
               : 0;
}

double NetRemovePlayer(double player) {
    if (net::NetGame* game = Rt().net.get()) game->RemovePlayer(ToInt(player));
    return 1;
}

RtString NetGetMessage(double player) {
    net::NetGame* game = Rt().net.get();
    std::string text;
    if (!game || !game->TakeMessage(ToInt(player), text)) return "";
    return text.c_str();
}

double NetMessageSender() {
    net::NetGame* game = Rt().net.get();
    return game ? game->LastSender() : 0;
}

double NetPlayerCount() {
    net::NetGame* game = Rt().net.get();
    return game ? game->PlayerCount() : 0;
}

RtString NetPlayerId(double n) {
    net::NetGame* game = Rt().net.get();
    return IdText(game ? game->PlayerId(ToInt(n)) : 0);
}

RtString NetPlayerName(double player) {
    net::NetGame* game = Rt().net.get();
    std::string name;
    if (!game || !game->PlayerName(ToInt(player), name)) return "NO_DATA";
    return name.c_str();
}
