// A program for the multi-process network tests: it reads one command per line from standard
// input, calls the network command (or PresentFrame for "frame") and prints its result on one
// line. It ends when its input closes, through the ordinary end of the program.
#include <cstdio>
#include <cstring>
#include <string>

#include "vornic.h"

const char kGameTitle[] = "NetProbe";

void GameMain() {
    char line[2048];
    while (std::fgets(line, sizeof(line), stdin)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        char word[16] = {};
        char a[256] = {}, b[256] = {}, rest[1100] = {};
        std::sscanf(line, "%15s %255s %255s %1099[^\n]", word, a, b, rest);
        const std::string command = word;
        RtString answer;
        if (command == "host")
            answer = NetHostGame(a);
        else if (command == "join")
            answer = NetJoinGame(a, b);
        else if (command == "create")
            answer = NetCreatePlayer(a);
        else if (command == "send")
            answer = NetSendMessage(std::atof(a), std::atof(b), rest);
        else if (command == "get") {
            answer = NetGetMessage(std::atof(a));
            answer += "|";
            answer += NetMessageSender();
        } else if (command == "count")
            answer = NetPlayerCount();
        else if (command == "id")
            answer = NetPlayerId(std::atof(a));
        else if (command == "name")
            answer = NetPlayerName(std::atof(a));
        else if (command == "remove")
            answer = NetRemovePlayer(std::atof(a));
        else if (command == "frame") {
            PresentFrame();
            answer = "frame";
        } else
            answer = "?";
        std::printf("%s\n", answer.CText());
        std::fflush(stdout);
    }
}
