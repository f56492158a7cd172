#pragma once
// The commands of the Game, Options, Internet and Help menus, by row number (the
// separators count), and the dispatch of a row chosen in the drop-down list.
#include <QString>
#include <functional>

// Rows of the menus that other code names.
enum GameRow : int {
    kGameNew = 0,
    kGameLogin = 1,
    kGameSave = 3,
    kGameRestore = 4,
    kGamePrevious = 6,
    kGameRestart = 7,
    kGameStats = 9,
    kGameExit = 11
};
// The menus by number, as the panel's list numbers them.
enum MenuNo : int { kMenuGame = 1, kMenuOptions = 2, kMenuInternet = 3, kMenuHelp = 4 };
enum OptionsRow : int {
    kOptSpeed = 0,
    kOptSound = 1,
    kOptPreferences = 2,
    kOptRules = 4,
    kOptOpponents = 5,
    kOptComments = 7,
    kOptBackground = 9,
    kOptStretch = 10,
    kOptAddBackground = 11,
    kOptDisplaySize = 13
};
enum InternetRow : int {
    kNetStart = 0,
    kNetScores = 1,
    kNetPlayers = 3,
    kNetSave = 4,
    kNetSend = 5,
    kNetHost = 7,
    kNetRestart = 9,
    kNetNew = 10
};
enum HelpRow : int {
    kHelpContents = 0,
    kHelpTutorial = 1,
    kHelpTips = 2,
    kHelpPeek = 3,
    kHelpCounter = 4,
    kHelpStatusBar = 5,
    kHelpWeb = 7,
    kHelpAbout = 8
};

struct MenuState {
    int StatsMode = 0;         // what the statistics window opens on
    bool SlotRestored = false; // the game on the table came from a named slot
    bool RestartSend = false;  // the host restarts the Internet game and sends it
    int DisplaySizeItem = 0;   // the display-size popup's choice
    int WebLinkItem = 0;       // the web-link popup's choice: 1 home page, 2 online gaming, 3 address check
    int ChatCount = 0;         // numbers the system lines sent to the peers
};
extern MenuState Menu;
void Menu_Reset();

// The windows the commands open, each modally. Windows of later steps stay neutral;
// their rows are shown unavailable (Menu_RowAvailable).
struct MenuWindowsT {
    std::function<void(bool restore)> SaveDialog = [](bool) {};
    std::function<void()> Rules = [] {};
    std::function<void(int mode)> Stats = [](int) {};
    std::function<void()> Login = [] {};
    std::function<void()> Exit = [] {};
    std::function<void()> Pace = [] {};
    std::function<void()> Preferences = [] {};
    std::function<void()> Opponents = [] {};
    std::function<void()> Comments = [] {};
    std::function<void()> AddBackground = [] {};
    std::function<void()> Internet = [] {};
    std::function<void()> Help = [] {};
    std::function<void()> Tutorial = [] {};
    std::function<void()> Tips = [] {};
    std::function<void()> Counter = [] {};
    std::function<void()> About = [] {};
    // The host sends the game on the table to the remote players.
    std::function<void()> SendGame = [] {};
    // Deletes the background picture shown and steps to the next one.
    std::function<void()> RemoveBackground = [] {};
    // The intro tune.
    std::function<void()> PlayIntro = [] {};
    // Lets the chat window go back among the other windows (false) or keeps it on top.
    std::function<void(bool onTop)> ChatOnTop = [](bool) {};
    // The chat window's emote icon list read again from the Icons folder.
    std::function<void()> IconsLoad = [] {};
    // The Internet table size and house rules window, for the host.
    std::function<void()> HostRules = [] {};
    // The network scores window (or its notice when there are no score files).
    std::function<void()> NetScores = [] {};
    // Which of the later windows are there (menu, row); the rest are shown unavailable.
    std::function<bool(int menu, int row)> Present = [](int, int) { return false; };
};
extern MenuWindowsT MenuWin;

void MenuGame(int item);
void MenuOptions(int item, int subItem);
void MenuInternet(int item);
void MenuHelp(int item, int subItem);
// Runs Tbl.MenuItem of Tbl.MenuNumber.
void MenuDispatch();
// The pages the web-link popup opens, by its entry (1 to 3); "" for any other.
QString Menu_WebLink(int item);
// Whether a row reaches something that exists in this program.
bool Menu_RowAvailable(int menu, int row);

// Fills MenuWin with the windows that exist and PanelHooks.MenuDispatch.
void MenuCommands_Install();
