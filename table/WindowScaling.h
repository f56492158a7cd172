#pragma once
// Scaling windows other than the table with their controls and fonts, and the tool windows
// scaled for large fonts as they open.
#include "platform/Controls.h"

#include <functional>

// Mode 4 fits the window to the screen; mode 5 scales by 1.25 (step 2) or 0.8 (step 3). The table
// window is left as its plan lays it out.
void ScaleFormControls(platform::Form& window, int mode, int step);
// A window other than the table, with its controls and their fonts, by x across and y down.
void ScaleWindowBy(platform::Form& window, double x, double y);
// Lays out a small window kept above the table, which the player clicks on meanwhile: its
// design, then the large-font scaling. True when it was scaled.
bool ToolWindow_Lay(platform::Form& window, const std::function<void()>& design);
