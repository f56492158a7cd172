#pragma once
// The game on the table, and the start of the next one.
//
// Clearing the table, a new table size or the end of a game puts another game in the
// place of the one that was there. A flow that lets events run while it pauses (the deal,
// a card's flight, a reshuffle, the game end) keeps the ticket of the game it began with
// and pauses through it, so that every pause answers whether that game is still the one on
// the table; when it is not, the flow stops and leaves the table to whatever replaced it.

#include <cstdint>
#include <functional>

// What a pause answers about the game of the flow that paused: it goes on, the program is
// closing, or another game took the table. In a condition it is true while the game goes on.
// A flow that stops hands the answer back to its caller, which needs to ask nothing again:
// after a closing answer the game is still there, so a step already begun may be finished
// and saved whole; after a replaced one its places and piles may be gone.
class [[nodiscard]] PauseAnswer {
  public:
    explicit operator bool() const { return GoesOn(); }
    bool GoesOn() const { return end_ == End::GoesOn; }
    bool Closing() const { return end_ == End::Closing; }
    bool Replaced() const { return end_ == End::Replaced; }

  private:
    friend class GameOnTable;
    enum class End { GoesOn, Closing, Replaced };
    explicit PauseAnswer(End end) : end_(end) {}
    End end_;
};

class GameOnTable {
  public:
    GameOnTable();
    // False once the table was cleared or the game ended since, or the program is closing.
    bool StillOn() const;
    // The table was cleared or laid out anew since: the places and piles of this game may be
    // gone. A closing program keeps its game.
    bool Replaced() const;
    // The answer a pause would give now.
    PauseAnswer Answer() const;
    // Lets events run for `seconds`, then answers whether this game goes on.
    PauseAnswer Pause(double seconds) const;

  private:
    int game_;
};

// The game on the table is over: every flow holding its ticket stops at its next question,
// and a set-up made for it is not dealt.
void Table_GameOver();

// A game begins (a new game, a remote's deal, a snapshot applied, a saved game restored):
// what belonged to the one before (its stalemate, its win, its turn counts, the lines kept
// for it) is gone.
// `resumed`: a game already in its turns (a snapshot, a saved game).
void Game_Begin(bool resumed = false);
// A new game's identity: never 0, which a save without one reads as.
std::int32_t Game_NewIdentity();

// Holds the table while a flow waits that must not have another game put on the table
// under it: the table may not close meanwhile (TableBusy) and `flag` tells the commands
// that would put another game there to wait. The flags are left as they were found.
class TableHeld {
  public:
    explicit TableHeld(bool& flag);
    ~TableHeld();
    TableHeld(const TableHeld&) = delete;
    TableHeld& operator=(const TableHeld&) = delete;

  private:
    bool& flag_;
    bool busy_;
    bool was_;
};

// A game is being put on the table: a set-up, the opening deal, or an Internet start
// waiting for its peers. New Game, restore and the other commands are refused.
class GameStarting : TableHeld {
  public:
    GameStarting();
};
bool Game_Starting();

// A start is running, or a caller is taking its seat: the table's commands wait for it.
bool Table_CommandsHeld();

// A flow runs on the table: a computer turn, a start, a game end, the human's play or the
// hand-over after the discard.
bool Table_FlowRunning();
// Some flow holds the table, or its commands are held. A command that would put another game
// there waits meanwhile.
bool Table_Held();
// Keeps a command pressed while the table is held, the later replacing the earlier. It runs
// from the event loop once every flow that held the table has unwound, so it starts exactly
// as if it had been pressed at rest. A closing program drops it.
void Table_Keep(std::function<void()> command);
// Forgets a kept command: a fresh engine state has none.
void Table_DropKept();
