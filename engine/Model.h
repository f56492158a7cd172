#pragma once
// The table model: stock, used pile, center piles, the local human's piles,
// the records of seats 2 to 4 and the working set of the seat now moving.
// Cards are (number, rank) pairs with the pair index first; (0, 0) is no card.
#include "common/BArray.h"
#include "common/Card.h"

#include <QString>
#include <cstdint>
#include <vector>

struct SeatRecord {
    int RecSideStack = 0;
    int RecSideCount = 0;
    BArray<int, 2> RecSide{1, 26};    // side pile, bottom first
    BArray<int, 2> RecCards{1, 10};   // visible cards by card slot
    BArray<int, 2> RecHoldInfo{4, 3}; // (pile, 1) depth, (pile, 2) the computer's pile type
    BArray<int, 3> RecHold{1, 4, 31}; // hold piles, depth 1 up, top included
    int RecWildsFromHand = 0;
    int RecWildsFromSide = 0;
    int RecLevel = 0;
    QString RecAvatar;
    QString RecName;
    BArray<QString, 1> RecSounds{16};
    int RecSoundColumn = 0;
    QString RecCommentSet;
    BArray<QString, 1> RecComments{35};
    BArray<int, 2> RecStats{1, 5};
    bool operator==(const SeatRecord&) const = default;
};

// Covered cards a hold pile can take beneath its top.
constexpr int kHoldCovered = 30;
// Places a seat's hold pile has in memory: a top plus the covered cards.
constexpr int kHoldPlaces = kHoldCovered + 1;

// What belongs to one game and to no other: every way a game starts (a new game, a remote's
// deal, a snapshot, a restore) begins it afresh through Game_Begin (GameOnTable.h), so
// nothing of an abandoned or broken-off game reaches the next.
struct GameRun {
    // The stalemate state: 0 play, 1 stalemated, 2 a stalemate has just been resolved.
    int StaleMode = 0;
    // An Internet game's last side card is down and its win is on its way to the scores: a
    // player who leaves meanwhile leaves once the game is scored.
    bool GameWinning = false;
    // The count of turns played (its parity picks the automatic save) and the resume flags
    // of the turn code.
    int TurnCount = 0;
    int TurnResumedOpp = 0;
    int TurnResumedHuman = 0;
    // Seats that shared the highest side-pile top at the toss.
    int TossTie = 0;
    // The human ended the turn while the side card could have been played.
    bool SideMissed = false;
    // The game's result is in the player's record already: it ended, or it is a start-over of
    // one that did, whose end must not count again.
    bool Recorded = false;
    // The game's identity, drawn as it begins and kept in its saves, so that a save of it is
    // known as this game after its end.
    std::int32_t GameId = 0;
    bool operator==(const GameRun&) const = default;
};

struct EngineState : GameRun {
    // Stock in deal order (rows 0 and 1), row 2 by card number: 1 once seen.
    BArray<int, 2> Deck{2, 104};
    int DeckCount = 0;
    BArray<int, 2> UsedPile{1, 104};
    int UsedCount = 0;
    BArray<int, 3> Center{1, 3, kPileFull};
    BArray<int, 1> CenterCount{3};

    // The local human.
    BArray<int, 2> PlayerCards{1, 10};
    BArray<int, 3> PlayerHold{1, 4, kHoldCovered}; // covered cards only
    BArray<int, 1> PlayerHoldCount{4};
    BArray<int, 2> PlayerSide{1, 26};
    int PlayerSideCount = 0;
    int PlayerSideStack = 0;
    int WildsFromHand = 0;
    int WildsFromSide = 0;

    // The play in progress.
    int HandCount = 0;
    BArray<int, 1> PlayCard{1};
    int SourceSlot = 0;
    int TargetPile = 0;
    int TargetHold = 0;

    // Seats 2 to 4.
    SeatRecord Seat2Rec, Seat3Rec, Seat4Rec;

    // Working set of the seat now moving.
    int SeatSideStack = 0;
    int SeatSideCount = 0;
    BArray<int, 2> SeatSide{1, 26};
    BArray<int, 2> SeatCards{1, 10};
    BArray<int, 2> SeatHoldInfo{4, 3};
    BArray<int, 3> SeatHold{1, 4, kHoldPlaces};
    int SeatWildsFromHand = 0;
    int SeatWildsFromSide = 0;
    QString SeatName;
    BArray<QString, 1> SeatSounds{16};
    BArray<QString, 1> SeatComments{35};
    bool CommentsOff = false;
    int Level = 0;

    // Per-player card statistics; row 4 is the seat now moving.
    BArray<int, 2> StatsTable{5, 5};
    // The source slots of the human's plays this turn, in order, so that an undo takes its count back.
    std::vector<int> HumanPlays;

    // The game flow: a set-up, deal, computer turn or game end is running (the window
    // may not close meanwhile), and the general cancel request.
    bool TableBusy = false;
    bool CancelFlag = false;
    bool CompTurnActive = false;
    // A game is being put on the table (GameOnTable.h), and the count of games the table has
    // held: a clearing or an end puts the next one in place.
    bool Starting = false;
    int TableGame = 0;

    // The playing order.
    BArray<int, 1> TurnOrder{4};
    int TurnPos = 1;
    bool NewGameDeferred = false;
    bool DragOn = false;
    // The Game menu asks the turn loop to stop before the next seat and start a new game.
    bool TurnStop = false;
    // From the human's discard until the next seat plays: a New Game waits for that turn.
    bool HandingOver = false;

    // A completed SetUp waits for its GoDeal.
    bool SetUpDone = false;

    // The human's play in progress: where the lifted card came from, whether it was
    // dropped (no flight then), and the last move as the peers are told it.
    int DragHomeLeft = 0;
    int DragHomeTop = 0;
    bool DroppedPlay = false;
    int MoveFrom = 0;
    int MoveTo = 0;
    // A play, discard or restart of the turn is under way: no second one may start.
    bool PlayBusy = false;
    // The opponent's reaction to a blocked side card: the last comment and sound, never twice in a row.
    int CommentPick = 0;
    int LastBlockComment = 0;
    int LastBlockSound = 0;
    // A computer or remote seat's card move is being drawn.
    bool SeatMoveBusy = false;
    // Another seat's avatar is shown after the human blocked its side card; the next press puts the human's
    // back.
    bool AvatarSwapped = false;
    // The summary of the forced-card and wild-card rules in the rules caption.
    QString RulesText;

    bool operator==(const EngineState&) const = default;
};

extern EngineState Eng;
// Fresh tables for the current game size.
void Engine_Reset();
// Re-dimensions the card tables for NumPlayers and NumCenters, clearing them.
void Engine_SizeTables();

inline const char* const kLevelNames[3] = {"Level: Average", "Level: Clever", "Level: Ruthless"};
