#pragma once
// What the shell asks of the subsystems above it: the shell's one up-call header.
// Each entry starts as "nothing installed" doing the neutral thing, so a caller
// never checks; ShellHooks_Reset puts them all back.
#include "shell/ShellState.h"

#include <functional>

// What the table and the media need to do when a profile is loaded. The table and
// the media sit above the shell, so they fill these in at start-up.
struct ProfileHooks {
    // Opens (true) or closes the move history; without one only the flag follows.
    std::function<void(bool open)> TempMovesOpen = [](bool open) { Shl.MoveLogOn = open; };
    // Plays the intro music at start-up and waits for it.
    std::function<void()> PlayIntro = [] {};
    // Shows the loaded options on the table: status bar and avatar shown or hidden,
    // skin and colours, card faces and backs, the redraw, the side-stack and
    // highlight pictures at start-up.
    std::function<void(bool startUp)> ShowProfile = [](bool) {};
    // Tests and loads the personalities now named in the seat records and selects
    // the current one; shows the opponent's level.
    std::function<void()> SeatOpponents = [] {};
    // Re-lays the table when the game size changed (PrevPlayers, PrevCenters against
    // NumPlayers, NumCenters) and shows the rules caption.
    std::function<void()> LayOut = [] {};
    // The table's part of Options_Apply: background choice, name label colours,
    // comments font size, hold viewer placement.
    std::function<void()> ApplyOptions = [] {};
    // Copies the table's running values into Prof before they are stored: hold
    // viewer position, background stretch, small display, status bar shown.
    std::function<void()> GatherTable = [] {};
    // The status line's new-game prompt after a new player was created.
    std::function<void()> NewGamePrompt = [] {};
};
extern ProfileHooks ProfHooks;

// Windows and subsystems that come with later steps. Start-up reaches each
// through one entry; an entry that is not installed does nothing.
struct StartupHooks {
    std::function<void()> SplashShow = [] {}, SplashUnload = [] {};
    std::function<void()> TutorialShow = [] {};
    // Closes an open tutorial without asking, so its table and rules are put back before they are stored.
    std::function<void()> TutorialClose = [] {};
    std::function<void()> TipShow = [] {};
    std::function<void()> SetUpSounds = [] {}, CleanUpSounds = [] {};
    std::function<void()> List_CommentFiles = [] {}, List_Personalities = [] {}, List_Backgrounds = [] {},
                          List_ScoreFiles = [] {};
    std::function<void()> ChangePerson = [] {};
    std::function<void()> FlasherLoad = [] {};
    std::function<void()> ShowHelpClose = [] {};
    // Leaves an Internet game: goodbye line, leave message, sockets closed.
    std::function<void()> NetLeave = [] {};
    // The keyboard commands: every key pressed on the table.
    std::function<void(int keyCode, int shift)> KeyCommand = [](int, int) {};
    // The login window, shown modally on a first run.
    std::function<void()> LoginShow = [] {};
    // The program ends when the table window is gone.
    std::function<void()> Quit = [] {};
};
extern StartupHooks Startup;

// Every shell up-call back to "nothing installed".
void ShellHooks_Reset();
