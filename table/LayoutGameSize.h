#pragma once
// A change of game size: the pile and deck tables of the new size and the table laid out for it.
#include "table/LayoutPlan.h"

#include <QString>

void Centers_Redim4();
void Layout_SetGameSize(int prevPlayers, int prevCenters);
// The display mode the player asked for: a small display the screen forced on the game size goes
// with it.
DisplayMode Layout_ModeAsked();
// The menu's caption for the move-cards entry (0) or the display-size entry (1) in that mode.
QString Display_EntryCaption(int entry, DisplayMode mode);
