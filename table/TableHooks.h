#pragma once
// What the table asks of the subsystems above it and of its own later parts: the
// table's one up-call header. Each entry starts as "nothing installed" doing the
// neutral thing, so a caller never checks; TableHooks_Reset puts them all back.
#include <functional>

// Neighbours that come with later steps.
struct DisplayHooks {
    std::function<void()> Background_Load = [] {};
    std::function<bool()> BackgroundChosen = [] { return false; };
    std::function<void()> Rules_ShowCaption = [] {};
    // Closes the drop-down menu and the emote panel when the window changes size.
    std::function<void()> CloseMenus = [] {};
    // The chat window follows the table's window state (0 normal, 1 minimized, 2 maximized).
    std::function<void(int state)> ChatFollow = [](int) {};
    // The table has been cleared: the seats of a game kept on it may be given back.
    std::function<void()> TableCleared = [] {};
    // The table's places have been laid out anew: what points at them follows.
    std::function<void()> LaidOut = [] {};
};
extern DisplayHooks DispHooks;

// The computer opponent's plan tables follow the number of center piles; the
// opponent installs this at start-up (n = the pile count; the tables start empty).
extern std::function<void(int n)> PlanTables_Redim;

// The restart of the human's turn, which the Undo panel asks for; the saved-game
// code installs it. Until then the request is dropped, so no raised flag misleads
// the next table reset.
extern std::function<void()> RestartTurnHook;

// The display-size change belongs to the display code; until it is installed a
// change of game size in a display mode other than 0 only re-lays the table.
extern std::function<void(int kind)> DisplayChangeHook;

// Every table up-call back to "nothing installed".
void TableHooks_Reset();
