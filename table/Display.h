#pragma once
// Display sizes: moving the human's cards up, the small display, the card-size
// switch, fitting the table window to the screen and scaling windows.
#include "platform/Controls.h"
#include "table/TableHooks.h"

#include <functional>

// Installs Display_Change as the display-size change the layout calls.
void Display_Install();
// A change of display size: the plan for the mode the entry `kind` leads to, applied.
void Display_ChangeImpl(int kind);
// The steps of a change of display size on a table laid out for the mode in force; `fit` fits
// the window to the screen after them.
void Display_ChangeSteps(int kind, bool fit);
void Display_SetCardSize(bool small);
void Card_SetSizeForMode();
void Form_FitScreen();
// The table window's width fitted to a screen that wide (twips): the screen's own up to 1024
// pixels, 1111 on wider ones.
int Display_FittedWidthTw(int screenWidthTw);
// Mode 4 fits the window to the screen; mode 5 scales by 1.25 (step 2) or 0.8 (step 3).
void ScaleFormControls(platform::Form& window, int mode, int step);
// The table window's controls, by x across and y down, as the step scaling does it.
void ScaleTableControls(platform::Form& window, double x, double y);
// A window other than the table, with its controls and their fonts, by x across and y down.
void ScaleWindowBy(platform::Form& window, double x, double y);
// Lays out a small window kept above the table, which the player clicks on meanwhile: its
// design, then the large-font scaling. True when it was scaled.
bool ToolWindow_Lay(platform::Form& window, const std::function<void()>& design);
void Layout_AvatarAndPlayers();
void Grulm_FormResize();
// Puts the status bar along the bottom of the window.
void StatusBar_Place();
// CenterSnapWidth from CenterSpacing.
int CenterSnapWidthOf(int centerSpacing);
