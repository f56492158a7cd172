#pragma once
// What network play shows on the table window. Each does nothing while there is
// no table (the tests of the message handling run without one).
#include <QString>

void Net_Label9(int index, const QString& text);
void Net_StatusShow(const QString& text);
void Net_StatusHide();
void Net_TableClear();
// The deal button shown and usable (true), or put away.
void Net_DealButton(bool on);
void Net_Beep();
// One of the sounds start-up extracted into the data folder, without waiting.
void Net_PlayDataSound(const char* file);
// A game is on: the working seat's or the human's side pile holds cards.
bool Net_GameOn();
// The table shows a game that has been won: no one is on turn, one side pile is empty.
bool Net_GameWon();
