#pragma once
// Display sizes: moving the human's cards up, the small display, the card-size
// switch and fitting the table window to the screen.
#include "platform/Controls.h"
#include "table/LayoutPlan.h"
#include "table/TableHooks.h"
#include "table/WindowScaling.h"

#include <functional>

// Installs Display_Change as the display-size change the layout calls.
void Display_Install();
// A change of display size: the plan for the mode the entry `kind` leads to, applied.
void Display_ChangeImpl(int kind);
// The table window at the screen's home corner, fitted to the screen, the table laid out for it in
// `mode`: the default window size, and a start-up without a usable kept one.
void Table_FitScreen(DisplayMode mode);
// The table window's width fitted to a screen that wide (twips): the screen's own up to 1024
// pixels, 1111 on wider ones.
int Display_FittedWidthTw(int screenWidthTw);
void Grulm_FormResize();
// Puts the status bar along the bottom of the window.
void StatusBar_Place();
// CenterSnapWidth from CenterSpacing.
int CenterSnapWidthOf(int centerSpacing);
