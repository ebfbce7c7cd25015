// Network commands: a small multi-player message layer over UDP. One program hosts a game,
// others join it; every program registers players and gets their ids from the host; players
// send each other short texts. Messages are datagrams: they may be lost.
#pragma once

#include "text/RtString.h"

// Hosts a game on the port (given as text; 0 or less is 26000): 1, or 0 when it cannot.
double NetHostGame(const RtString& port);
// Joins the game hosted at server:port ("" is this machine): 1 when the host answers, else 0.
double NetJoinGame(const RtString& server, const RtString& port);
// The addresses of this machine, separated by "|"; ends any open game first.
RtString NetLocalAddresses();
// Registers a local player and gives its id from the host as text; "-1" when none comes.
RtString NetCreatePlayer(const RtString& name);
// Sends text to the addressee (0: every other player): 1 when sent, 0 when it cannot be (no
// game, or a text over 1024 bytes).
double NetSendMessage(double sender, double addressee, const RtString& text);
// The player leaves the game: 1.
double NetRemovePlayer(double player);
// The oldest message for a local player, taken from its queue; "" when there is none.
RtString NetGetMessage(double player);
// The sender of the message last taken by NetGetMessage.
double NetMessageSender();
// Questions to the host: the number of players, the id of player n (counted from 0; "0" when
// there is none), the name of a player ("NO_DATA" when the host does not answer).
double NetPlayerCount();
RtString NetPlayerId(double n);
RtString NetPlayerName(double player);
