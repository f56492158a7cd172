#pragma once
// The plan's last steps, where the places the layout gives would cover a card: the compact
// seats' rows kept apart, the human's hand kept off its own side pile and hold row, and every
// text label ended before the card places, frames and labels under it or beside it.

// Moves a compact seat's hold row, its outlines and frame down below its fanned hand, and the
// hand right of the side card it would cover.
void Fit_CompactSeats();
// The human's hold-pile frames follow the hold places wherever the layout left them.
void Fit_HumanFrames();
// Each text label of the table ends before what stands under it or to its right.
void Fit_Labels();
// All of them, in that order.
void Layout_Fit();
