#pragma once
// Who sits at an Internet table, as the host keeps it: the seats of the remote
// players, the layout message that tells each remote the table, a change of
// table size, the house-rules notice, and what an ended game leaves behind.
#include "engine/Exchange.h"

#include <QByteArray>
#include <QString>

// A received player name as the table may show it: no control characters and none
// of the message separators, at most the width of a stored name.
inline constexpr int kNetNameWidth = 20;
QString Net_CleanName(const QString& name);
// The LO message for the player of socket row `row`.
QByteArray Net_LayoutMessage(int row);
// Sends LO to every seated remote: the exchange of their answers.
Exchange Net_SendLayout();
// Closes gaps in the remote players' seats, then names the seats and loads their avatars.
void Avatar_LoadOpponents();
// Host: the table size was changed during an Internet game.
void Net_ChangeLayout();
void Net_ShowHostRules();
// Offers to save a game that has ended, then clears the table.
void Net_AskSaveEndedGame();
// Removes the sounds received from peers and seats the computer opponents again (a won
// game's table keeps its players until it is cleared).
void Net_KillTempSounds();
// The computer opponents in their seats again.
void Net_SeatLocalOpponents();
