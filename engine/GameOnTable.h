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
    // True once another game took the table; a closing program leaves its game in place.
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
