#pragma once
// Received chat and peek lines: shown in the chat window and on the table, with
// their sounds, emote pictures and slaps; a host of three or four passes every
// chat line on to the other players.
#include <QString>

// Handles one SY or PK line (without its terminator) that arrived on `socket`.
void Net_ProcessChat(const QString& line, int socket);
