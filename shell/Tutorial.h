#pragma once
// The tutorial's model: its steps read from "tutorial.txt", the command tag of a
// step, the prepared positions it loads, the table it finds and gives back, and
// the authoring keys that write and read the prepared positions.
#include <QString>
#include <QStringList>
#include <functional>

// Records of "backup.sav" that hold the prepared positions.
inline constexpr int kTutorialFirstRecord = 31;
inline constexpr int kTutorialLastRecord = 38;
// The authoring keys keep off the slots, automatic saves and slot starts below 31.
inline constexpr int kAuthorFirstRecord = 31;
inline constexpr int kAuthorLastRecord = 99;
// Slots of a step's tag.
inline constexpr int kTagFirstHandSlot = 1, kTagLastHandSlot = 6, kTagFirstHold = 7;

// What a step's tag asks for.
struct TutorialTag {
    bool present = false; // the step has a "<" tag
    QChar letter1;        // "H", "P": enable a slot; "R": none; else only Next is awaited
    int slot = 0;         // number 1: card slot 1 to 10
    QChar letter2;        // "R": load a prepared position; "C", "H": point the arrow at `slot`
    int record = 0;       // number 2: the prepared position, 0 when none or out of range
    QString text;         // what is shown: the step before "<", each "~" a paragraph break
    bool EnablesSlot() const;
    bool WaitsForNext() const; // a letter 1 other than H, P or R
    bool LoadsRecord() const { return letter2 == QLatin1Char('R') && record != 0; }
    bool PointsArrow() const { return letter2 == QLatin1Char('C') || letter2 == QLatin1Char('H'); }
};
// Reads one step line.
TutorialTag Tutorial_ReadTag(const QString& line);

// Going back into a step that plays on a prepared position starts it again from the
// position's first step; `record` is 0 outside those ranges.
struct TutorialBack {
    int step = 0;
    int record = 0;
};
TutorialBack Tutorial_BackTarget(int step);

// The game size and rules the tutorial found, given back when it closes.
struct TutorialKept {
    int NumPlayers = 2, NumCenters = 3, SideSize = 19, ForcedCards = 0;
    bool NoWildAce = false;
};

struct TutorialState {
    QStringList Steps;
    int Step = 0;        // the current step, 1-based; 0 before the first
    bool Wait = true;    // a step waits for the player's move or for Next
    bool Open = false;   // the window is up
    TutorialKept Kept;
    // Asks for a record number (prompt, title); "" when cancelled.
    std::function<QString(const QString& prompt, const QString& title)> Input =
        [](const QString&, const QString&) { return QString(); };
};
extern TutorialState Tut;
void Tutorial_Reset();

// Reads the steps; false when the file cannot be read.
bool Tutorial_LoadSteps(const QString& path);
// The game size the tutorial plays: two players, three piles, 20-card side piles, Kings wild.
void Tutorial_KeepTable();
void Tutorial_UseTable();
void Tutorial_PutTableBack();
// Copies the prepared positions of the install folder's "Data/tutorial.sav" into the
// saved-game file where its records 31 to 38 hold no game yet.
void Tutorial_SeedPositions();
// Puts a prepared position on the table; false when it is not there.
bool Tutorial_LoadRecord(int record);

// The authoring keys: write the game on the table as record 31 to 99, or put such a
// record back on the table. Anything else typed is refused with a message.
void Tutorial_AuthorSave();
void Tutorial_AuthorRestore();
// The record number typed; 0 when it is not one of 31 to 99.
int Tutorial_AuthorRecord(const QString& answer);
