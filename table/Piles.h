#pragma once
// Seats' piles and side stacks: the drawing of a seat's cards into its places,
// the side stacks' edges and counts, the hold outlines and highlights.
#include "common/BArray.h"
#include "engine/TableForm.h"

using Places = ControlArray<PictureBox>;

void Pile_Draw(Places& places, const BArray<int, 2>& cards);
void Stacks_ShowCounts(bool show);
void Stacks_LoadImages();
void Highlights_LoadImages();
void Hold_Highlight(Places& places, bool show, int hold);
void HoldImages_Set();
// The bevelled frame of a caption-less window, painted into its background.
void FrameLines_Draw(platform::Form& window);
