#include "net/NetCommands.h"

#include <functional>
#include <string>

#include "core/Number.h"
#include "core/Runtime.h"
#include "net/NetGame.h"
#include "os/RunSession.h"

namespace {

// A port given as text: read as a number, truncated; 0 or less is the default port.
int PortFromText(const RtString& text) {
    const int port = ToInt(TextToNumber(text));
    return port <= 0 ? net::kDefaultPort : port;
}

std::string Bytes(const RtString& text) {
    return std::string(text.CText(), text.Length());
}

std::string NumberResult(double number) {
    return NumberToText(number).CText();
}

// Runs a network command on the game, or gives its failure result when there is none. A
// recording notes the result; a replay gives the recorded one instead and touches no socket.
template <typename Command>
std::string Run(const char* name, const std::string& failure, Command command) {
    Runtime& rt = Rt();
    if (rt.session && rt.session->ReplaysNetwork()) {
        std::string recorded;
        return rt.session->NextNetResult(name, recorded) ? recorded : failure;
    }
    const std::string result = rt.net ? command(*rt.net) : failure;
    if (rt.session) rt.session->NoteNetResult(name, result);
    return result;
}

double RunForNumber(const char* name, double failure,
                    const std::function<double(net::NetGame&)>& command) {
    return TextToNumber(Run(name, NumberResult(failure), [&](net::NetGame& game) {
                            return NumberResult(command(game));
                        }).c_str());
}

} // namespace

double NetHostGame(const RtString& port) {
    return RunForNumber("NetHostGame", 0,
                        [&](net::NetGame& game) { return game.Host(PortFromText(port)); });
}

double NetJoinGame(const RtString& server, const RtString& port) {
    return RunForNumber("NetJoinGame", 0, [&](net::NetGame& game) {
        return game.Join(Bytes(server), PortFromText(port));
    });
}

RtString NetLocalAddresses() {
    return Run("NetLocalAddresses", "",
               [](net::NetGame& game) { return net::JoinAddresses(game.LocalAddresses()); })
        .c_str();
}

RtString NetCreatePlayer(const RtString& name) {
    return Run("NetCreatePlayer", "-1",
               [&](net::NetGame& game) { return NumberResult(game.CreatePlayer(Bytes(name))); })
        .c_str();
}

double NetSendMessage(double sender, double addressee, const RtString& text) {
    return RunForNumber("NetSendMessage", 0, [&](net::NetGame& game) {
        return game.SendText(ToInt(sender), ToInt(addressee), Bytes(text));
    });
}

double NetRemovePlayer(double player) {
    return RunForNumber("NetRemovePlayer", 1, [&](net::NetGame& game) {
        game.RemovePlayer(ToInt(player));
        return 1.0;
    });
}

RtString NetGetMessage(double player) {
    return Run("NetGetMessage", "",
               [&](net::NetGame& game) {
                   std::string text;
                   return game.TakeMessage(ToInt(player), text) ? text : "";
               })
        .c_str();
}

double NetMessageSender() {
    return RunForNumber("NetMessageSender", 0,
                        [](net::NetGame& game) { return game.LastSender(); });
}

double NetPlayerCount() {
    return RunForNumber("NetPlayerCount", 0, [](net::NetGame& game) { return game.PlayerCount(); });
}

RtString NetPlayerId(double n) {
    return Run("NetPlayerId", "0",
               [&](net::NetGame& game) { return NumberResult(game.PlayerId(ToInt(n))); })
        .c_str();
}

RtString NetPlayerName(double player) {
    return Run("NetPlayerName", "NO_DATA",
               [&](net::NetGame& game) {
                   std::string name;
                   return game.PlayerName(ToInt(player), name) ? name : "NO_DATA";
               })
        .c_str();
}
