#pragma once
// The game on the table, and the start of the next one.
//
// Clearing the table, a new table size or the end of a game puts another game in the
// place of the one that was there. A flow that lets events run while it pauses (the deal,
// a card's flight, a reshuffle, the game end) keeps the ticket of the game it began with
// and, after each pause, asks whether that game is still the one on the table; when it is
// not, it stops and leaves the table to whatever replaced it.

class GameOnTable {
  public:
    GameOnTable();
    // False once the table was cleared or the game ended since, or the program is closing.
    bool StillOn() const;
    // The table was cleared or laid out anew since: the places and piles of this game may be
    // gone. A closing program keeps its game.
    bool Replaced() const;

  private:
    int game_;
};

// The game on the table is over: every flow holding its ticket stops at its next question,
// and a set-up made for it is not dealt.
void Table_GameOver();

// A game is being put on the table: a set-up, the opening deal, or an Internet start
// waiting for its peers. The table may not close meanwhile (TableBusy), and New Game,
// restore and the other commands that would put another game there are refused. The
// flags are left as they were found.
class GameStarting {
  public:
    GameStarting();
    ~GameStarting();
    GameStarting(const GameStarting&) = delete;
    GameStarting& operator=(const GameStarting&) = delete;

  private:
    bool busy_;
    bool starting_;
};
bool Game_Starting();

// The host is taking a caller into the Internet game and waits for its answers. As during a
// start, the table may not close and the commands that would put another game on the table
// are refused, or a game would start inside the wait; the game on the table stays what it is.
class CallerWaiting {
  public:
    CallerWaiting();
    ~CallerWaiting();
    CallerWaiting(const CallerWaiting&) = delete;
    CallerWaiting& operator=(const CallerWaiting&) = delete;

  private:
    bool busy_;
    bool waiting_;
};
// A start or a caller's acceptance is running: the table's commands wait for it.
bool Table_CommandsHeld();
