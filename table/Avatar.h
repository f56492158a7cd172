#pragma once
// The opponent's picture at the right of the table.
#include <QString>

// Places the avatar horizontally against the window's right edge.
void Avatar_Position();
// Sizes the avatar box for the game size and fits a picture of w x h pixels into it, aspect kept.
void Avatar_Fit(int pictureWidth, int pictureHeight);
