#pragma once
// Starting and ending an Internet game from the Internet menu, and putting the
// network play of moves, turns and snapshots in place at start-up.
#include <functional>

// Connects (through the connection window) when no connection is up; otherwise asks
// and ends the Internet game.
void SetupInternet();
// Shows the connection window modally; tests replace it with a script.
extern std::function<void()> ConnectionWindow_Show;
// The moves, the remote turns and the menu rows of network play.
void Internet_Install();
