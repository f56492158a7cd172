#pragma once
// Start-up and orderly exit of the table window.
#include "platform/RecordFile.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Windows and subsystems that come with later steps. Start-up reaches each
// through one entry; an entry that is not installed is skipped.
struct StartupHooks {
    std::function<void()> SplashShow, SplashUnload;
    std::function<void()> TutorialShow;
    std::function<void()> TipShow;
    std::function<void()> SetUpSounds, CleanUpSounds;
    std::function<void()> List_CommentFiles, List_Personalities, List_Backgrounds, List_ScoreFiles;
    std::function<void()> ChangePerson;
    std::function<void()> FlasherLoad;
    std::function<void()> ShowHelpClose;
    // Leaves an Internet game: goodbye line, leave message, sockets closed.
    std::function<void()> NetLeave;
    // The keyboard commands: every key pressed on the table.
    std::function<void(int keyCode, int shift)> KeyCommand;
    // The login window, shown modally on a first run.
    std::function<void()> LoginShow;
    // The program ends when the table window is gone.
    std::function<void()> Quit;
};
extern StartupHooks Startup;

struct StartupState {
    QStringList Arguments; // the command line after the program name
    QString LockPath;      // the single-instance lock; "" uses the default
    int ColorDepth = 32;
    int ShowTips = 1;
    QString NetOppName;
    QString NetDelim;
    bool Started = false;       // the load ran to its end
    bool CloseDeferred = false; // a close waits for the running step to unwind
    int StoredLayoutMode = 0;   // the mode kept from the last run, entered once the table is laid out
};
extern StartupState Boot;
void Startup_Reset();

// The saved-game file, open from start-up to exit.
platform::RecordFile& SavedGameFile();

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
