// A program for the multi-process network tests: it reads one command per line from standard
// input, calls the network command (or PresentFrame for "frame") and prints its result on one
// line. It ends when its input closes, through the ordinary end of the program.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "vornic.h"

const char kGameTitle[] = "NetProbe";

void GameMain() {
    char line[2048];
    while (std::fgets(line, sizeof(line), stdin)) {
        char word[16] = {}, a[256] = {}, b[256] = {}, rest[1100] = {};
        std::sscanf(line, "%15s %255s %255s %1099[^\r\n]", word, a, b, rest);
        const double x = std::atof(a), y = std::atof(b);
        const std::map<std::string, std::function<RtString()>> commands = {
            {"host", [&] { return RtString(NetHostGame(a)); }},
            {"join", [&] { return RtString(NetJoinGame(a, b)); }},
            {"create", [&] { return NetCreatePlayer(a); }},
            {"send", [&] { return RtString(NetSendMessage(x, y, rest)); }},
            {"get",
             [&] {
                 const RtString text = NetGetMessage(x); // before asking for its sender
                 return text + "|" + NetMessageSender();
             }},
            {"count", [&] { return RtString(NetPlayerCount()); }},
            {"id", [&] { return NetPlayerId(x); }},
            {"name", [&] { return NetPlayerName(x); }},
            {"remove", [&] { return RtString(NetRemovePlayer(x)); }},
            {"frame", [&] { return PresentFrame(), RtString("frame"); }},
        };
        const auto command = commands.find(word);
        std::printf("%s\n", command == commands.end() ? "?" : command->second().CText());
        std::fflush(stdout);
    }
}
