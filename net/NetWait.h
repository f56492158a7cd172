#pragma once
// Waiting for the peers' answers while the window, the chat and the sockets
// stay alive. Every wait ends on its awaited state, a lost connection
// (NetState 6), the end of the game (NetState 15, NetGame 0) or GameAbort.
#include <QString>

// One step of every network wait: handles what the sockets hold, else lets
// events run for a short slice without spinning.
void Net_WaitStep();
// One wait on a socket element; callers loop on it until what they await has come.
void Net_WaitMessage(int& element);
// Handles every complete line already received, and what the sockets hold, without waiting.
void Net_HandleArrived();
// Host: until every program of the table has the current message.
void Net_WaitRound();
// Until the handler reports an answer (NetAnswered).
void Net_WaitOpponent();
// " W A I T " on the table and the chat's send button off while a move is sent.
void Net_WaitIndication(bool on);
