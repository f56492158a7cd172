#pragma once
// Puts network play in place at start-up: the game flow's network operations
// and the events of the socket array.

void Net_Install();
