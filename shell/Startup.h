#pragma once
// Start-up and orderly exit of the table window.
#include "platform/RecordFile.h"
#include "shell/ShellHooks.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct StartupState {
    QStringList Arguments; // the command line after the program name
    QString LockPath;      // the single-instance lock; "" uses the default
    int ColorDepth = 32;
    int ShowTips = 1;
    QString NetOppName;
    QString NetDelim;
    bool Started = false;       // the load ran to its end
    bool CloseDeferred = false; // a close waits for the running step to unwind
    bool EndAsked = false;      // a logout or Ctrl+C came: the program ends as soon as it can
    // The game size the table is laid out for now; the design starts with two players and three piles.
    int LaidPlayers = 2, LaidCenters = 3;
    bool LaidOut = false;     // the first profile of a run lays the table out for the screen
    int StoredLayoutMode = 0; // the mode kept from the last run, entered once the table is laid out
    bool TableShown = false;  // the table window is on the screen
    // Steps that wait for the table to be on the screen.
    std::vector<std::function<void()>> WhenShown;
};
extern StartupState Boot;
void Startup_Reset();

// The saved-game file, open from start-up to exit.
platform::RecordFile& SavedGameFile();

// Runs `step` from the event loop once the table window is on the screen, so the slow
// parts of start-up (the music player, the sound server) come after the first window.
void Startup_WhenShown(std::function<void()> step);

// The load handler of the table window: the whole start-up.
void Grulm_FormLoad();
void OpenDoor();
// Close request: true cancels it (a step is running; the close follows once it has unwound).
bool Grulm_QueryUnload();
void ExitLeft(int fromClose);
void CleanUpFontsAndForms();
// Wires the table window's load, close and key events to the above.
void Startup_Install();

// The display settings kept between runs, in the score file's settings area.
struct DisplayKept {
    int LayoutMode = 0;
    bool HasPlacement = false;
    int First = 0, Width = 0, Left = 0, Top = 0; // first: 2 maximized, 1 minimized, else the height
};
DisplayKept DisplayKept_Read(platform::RecordFile& scores);
// Whether a stored normal window placement leaves the window usable: at least its title over a card's
// width on one of the monitors, and no smaller than the table can be laid out in.
bool DisplayKept_Usable(const DisplayKept& k, const std::vector<QRect>& areas, int captionTwips);
void DisplayKept_Write(platform::RecordFile& scores, int layoutMode, int state, int height, int width,
                       int left, int top);
