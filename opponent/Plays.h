#pragma once
// Carrying out the computer's plays: the model changes first, then the table shows
// them and the seat remarks on them. Every pause goes through Turn_Pause.
#include "common/Shared.h"
#include "engine/GameOnTable.h"
#include "engine/TableForm.h"

#include <QString>

// The game a turn plays in, local or Internet, for as long as the turn runs; a turn begun
// inside another plays the outer one's game. Its pauses let events run: when the program
// closes or another game takes the table meanwhile (a new game, a layout, a snapshot, a
// lost link or a refused message clearing it), the pause says so, the turn stops and leaves
// the table to whatever replaced its game.
class TurnOnTable {
  public:
    TurnOnTable();
    ~TurnOnTable();
    TurnOnTable(const TurnOnTable&) = delete;
    TurnOnTable& operator=(const TurnOnTable&) = delete;

    bool StillOn() const { return game_.StillOn(); }
    bool Replaced() const { return game_.Replaced(); }
    const GameOnTable& Ticket() const { return game_; }

  private:
    GameOnTable game_;
    TurnOnTable* outer_;
};
// False once the turn's game is no longer on the table or the program is closing.
bool Turn_StillOn();
// True once another game took the table: the turn's cards are not that game's.
bool Turn_Replaced();
// The ticket of the turn under way, which the flows it runs pause through; outside a turn, a
// ticket of the game on the table now.
GameOnTable Turn_Ticket();
// A pause of the turn, answering whether its game goes on. Every pause of a turn goes
// through it.
PauseAnswer Turn_Pause(double seconds);

// Plays the plan of center c; returns the plan position where it stopped
// (one past the last play when the whole plan was played).
int Comp_Play(int c);
// Moves PlayCard, already taken out of slot `source`, onto center `pile`. False when the card
// did not land, or the turn must stop after it (Opp.CardsMoved tells a card that landed).
bool Comp_Flip(int source, int pile);
// Sorts the hand by rank, highest first, empty slots last, and redraws it; false when the
// turn must stop.
bool Comp_Reseq();
// Remarks after a play from `source` that blocks somebody's side card; false when the turn
// must stop after them.
bool Comp_SideCompare(int source);
// True when the human's side card fits a center other than TargetPile.
bool CenterFits();

// The card places of the seat on turn; only while a table window exists.
ControlArray<PictureBox>& SeatPlaces();
// Shows a text in a status label of the table (element 1 the turn line, 2 announcements).
void Say(int element, const QString& text);
// The sounds of a seat's set, by what they accompany.
enum SeatSoundIndex : int {
    kSoundTurnOver = 2,
    kSoundRemarkFirst = 3,
    kSoundMurphy = 9,
    kSoundOwnSideWaits = 12,
    kSoundKing = 16,
};
// Plays a sound of the seat's set when personality sounds are on.
void SeatSound(int index, bool toEnd);
// The statistics column that counts the run of the seat on turn: seat 1's own when the
// decision code plays it, else the one the other seats share.
int Seat_RunColumn();
