#pragma once
// Puts the network score files and the Internet set-up windows in place at
// start-up: the game end's recording, the menu's scores row and the dialogs.

void NetWindows_Install();
