// A network chat between windows on this machine. Start one program as the host
// ("example_chat host") and others as guests ("example_chat join"), each in its own window:
// type a line and Enter sends it to every other player. Messages are UDP datagrams; the host
// hands out player ids and knows every player's name.
#include "vornic.h"

const char kGameTitle[] = "Chat";

const double kShown = 24;
StrArray chat;
double lines = 0;

void AddLine(const RtString& line) {
    if (lines == kShown) { // scroll up by one line
        for (double i = 1; i < kShown; ++i)
            chat(i - 1) = chat(i);
        lines -= 1;
    }
    chat(lines++) = line;
}

void GameMain() {
    SetAutoPause(0); // keep chatting while another window has the focus
    DimStringArray(chat, kShown, 0, 0, 0);
    const bool joining = InStr(CommandLine(), "join") >= 0;
    const RtString name = joining ? "Guest" : "Host";
    // Loopback only: the host listens on port 26000, guests join it at 127.0.0.1.
    const double online = joining ? NetJoinGame("127.0.0.1", "26000") : NetHostGame("26000");
    const double me = online == 1 ? TextToNumber(NetCreatePlayer(name)) : -1;
    AddLine(me > 0 ? name + ", player " + NumberToText(me) : RtString("No game on port 26000"));
    RtString typing = "";
    for (;;) {
        for (RtString key = GetTypedKey(); Len(key) > 0; key = GetTypedKey()) {
            if (Asc(key) == 10 && Len(typing) > 0) { // Enter: send to every other player (0)
                if (NetSendMessage(me, 0, typing) == 1) AddLine(name + ": " + typing);
                typing = "";
            } else if (Asc(key) == 8) {
                typing = MidText(typing, 0, Len(typing) - 1);
            } else if (Asc(key) != 10) {
                typing = typing + key;
            }
        }
        for (RtString text = NetGetMessage(me); Len(text) > 0; text = NetGetMessage(me))
            AddLine(NetPlayerName(NetMessageSender()) + ": " + text);

        DrawRect(0, 0, 800, 600, 0x203020);
        for (double i = 0; i < lines; ++i)
            PrintText(chat(i), 20, 20 + i * 20);
        DrawRect(0, 560, 800, 40, 0x405040);
        PrintText("> " + typing + "_", 20, 574);
        PresentFrame();
    }
}
