#pragma once
// Where every card place, pile, frame and label of the table stands, for every
// game size, display mode and screen width; and the drawing of a seat's piles
// and side stacks.
#include "engine/Model.h"
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
void Layout_Stock();
void Centers_Show();
void Layout_MoveCards(bool up);
// How many pixels moving the cards up raises the human's rows on this screen.
int Layout_UpRaise();
void Layout_CenterImages();
void Layout_CenterArea();
void Layout_Labels();
void Labels_PlayerNames();
void Layout_SetGameSize(int prevPlayers, int prevCenters);
void Centers_Redim4();

// Seats' piles and side stacks.
void Pile_Draw(Places& places, const BArray<int, 2>& cards);
void Stack_Place(int top, PictureBox& anchor);
void Stacks_ShowCounts(bool show);
void Stack_SizeImages(int first, int last);
void Stacks_LoadImages();
void Highlights_LoadImages();
void Hold_Highlight(Places& places, bool show, int hold);
void HoldImages_Size();
void HoldImages_Set();
void HoldCardFrames_Place();
void Layout_SideStacks();
// The bevelled frame of a caption-less window, painted into its background.
void FrameLines_Draw(platform::Form& window);
// One line per control, "Name(index) left top width height visible", sorted; tests compare it.
QString Layout_Dump();
