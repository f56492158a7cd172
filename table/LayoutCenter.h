#pragma once
// Where the center area stands: the center piles, their frame and wild-card labels, and the
// stock with its frame and turn markers.

void Layout_Stock();
void Centers_Show();
void Layout_CenterImages();
void Layout_CenterArea();
