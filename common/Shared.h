#pragma once
// State that every subsystem reads: the game size, the seat on turn, the house
// rules, the player's display and sound settings, the network link flags, the
// folders and the program-wide flags.
#include <QString>

#include <array>

// The values of SoundMode: every sound, the game's own without the personalities', none.
enum SoundModeValue : int { kSoundsAll = 0, kSoundsGameOnly = 1, kSoundsOff = 2 };
// NetGame while a connection is being made, before the peers are counted.
inline constexpr int kNetGameConnecting = 99;
// NetHost after a connection could not be made: no link to clean up.
inline constexpr int kNetHostFailed = 9;

// The in-use mark of a host's connection row whose connection is in use.
inline constexpr int kRowInUse = 7;
// A row's seat is its player's host seat minus 1, 1 to 3; rows 1 to 3 are the ones seats go to.
inline constexpr int kLastSeatRow = 3;
// A connection row of the host: player name, socket element, in-use mark, seat minus 1.
struct NetSocketRow {
    QString Name;
    int Socket = 0;
    int InUse = 0;
    int Seat = 0;
};

struct CommonState {
    // Game size.
    int NumPlayers = 2;
    int NumCenters = 3;
    int TotalCards = 104;
    int PrevPlayers = 2;
    int PrevCenters = 3;
    // The seat on turn, 1 to 4 (1 the local human); 99 reports a move refused by the rules.
    int Pturn = 1;

    // House rules, one set for all seats.
    int SideSize = 19;
    int ForcedCards = 0; // bit 1 forced Ace, bit 2 forced Two, bit 4 the dragged card only
    bool NoWildAce = false;
    bool DecksSeparate = false;

    // Pace and display.
    int SpeedIndex = 2;
    double ComputerPause = 0.5; // seconds between two computer moves
    int AnimSteps = 45;
    int LayoutMode = 0; // bit 0 cards moved up, bit 1 small display
    int DeckStyle = 6;
    int BackStyle = 0;
    quint32 DeckColour = 0x00800000;
    quint32 MatColour = 0x00408000;
    int PlaceholderStyle = 0;
    int SoundMode = kSoundsAll;
    int SoundSet = 1;
    QString PlayerName;
    QString PlayerAvatar;
    bool TutorialMode = false;
    bool PeekOn = false;
    // The game-end display or the tutorial runs: the icon panel and its menus stay shut.
    bool ShowBusy = false;
    int CommentFontSize = 10;

    // The side places keep their picture (set by a new game, a restore and a snapshot).
    bool KeepSidePicture = false;

    // The card-flow animation runs, is asked to stop, and is asked to press DEAL when it has.
    bool FlowRunning = false;
    bool FlowStop = false;
    bool DealAfterFlow = false;

    // Restarts of a turn or a game in progress; the table reset keeps what they need.
    bool RestartingTurn = false;
    bool UndoRequested = false;
    bool RestartingGame = false;
    // Move-history record of the human's current turn (0 before the first recorded turn).
    int MoveCounter = 0;

    // Network link: 0 in a local game, else the number of peers (99 while connecting).
    int NetGame = 0;
    int NetHost = 0;
    int NetState = 0;
    int NetSeat = 0;
    int NetAckCount = 0;
    QString PeerVersion;
    std::array<NetSocketRow, 5> NetSockets{};
    // Texts of the last exchange: the stock message built or received and its read position,
    // the first-player message, and the fields of the last parsed message.
    QString NetDeck;
    int NetDeckPos = 0;
    QString NetOut;
    QString NetText;
    int NetNum = 0;
    // The local pace kept while an Internet game runs (0 when none).
    double NetSavedPause = 0;
    std::array<int, 5> NetLastType{};
    // 1 while a snapshot is on its way: the deal button and the saved-game code wait for its end.
    int RecoverPending = 0;
    bool NetAnswered = false;
    // The peer speaks the oldest protocol: the hand cannot be reordered then.
    bool OldPeer = false;
    // 1 to 3: the personalities whose sounds the chat offers ("" a free entry).
    std::array<QString, 4> ChatSoundPersons{};

    // Set once the program is closing: every wait, animation and turn loop returns.
    bool GameAbort = false;
    // A mouse button is held over a card area: waits process no events meanwhile.
    bool MouseHeld = false;
    bool DebugMode = false;
    int CpuSpeed = 0; // MHz, 0 when unknown

    QString AppPath;  // the install folder
    QString DataPath; // per-user data folder, ends with a separator
    QString UserPath; // per-user user folder, ends with a separator
    QString DocsPath; // the user's documents folder
};

extern CommonState Com;
void Common_Reset();

// A game at this table alone: no Internet game is connected or being connected.
inline bool Local() {
    return Com.NetGame == 0;
}

// Waits the given seconds while the window stays alive; ends early on GameAbort.
void Pause(double seconds);
