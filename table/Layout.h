#pragma once
// Where every card place, pile, frame and label of the table stands, for every
// game size, display mode and screen width.
#include "engine/Model.h"
#include "table/LayoutCenter.h"
#include "table/LayoutGameSize.h"
#include "table/LayoutLabels.h"
#include "table/TableHooks.h"
#include "table/TableState.h"

#include <functional>

using Places = ControlArray<PictureBox>;

void Layout_ComputeGrid();
void Layout_TwoPlayers();
void Layout_FourCenters();
void Layout_Table(int players);
void Layout_Opponent1();
void Layout_Seat2Small();
void Layout_OpponentPiles(Places& places);
void Layout_CompactPlaces(Places& places, int firstEdge);
void Layout_SizePlaces();
void HoldFrame_Place(int top, int left, int seat);
void Layout_MoveCards(bool up);
// How many pixels moving the cards up raises the human's rows on this screen.
int Layout_UpRaise();
// The passes that lay a table out for the game size in Com, from a table never laid out.
void Layout_GameSizeSteps();

// One line per control, "Name(index) left top width height visible", sorted; tests compare it.
QString Layout_Dump();
