#pragma once
// Starting a game: the new-game command and the DEAL button, the set-up (stock,
// the Internet exchange of stock and first player, side piles, toss), the opening
// deal and the refill of a hand during play.
#include "common/BArray.h"
#include "engine/Flow.h"
#include "engine/TableForm.h"

#include <functional>

// The new-game command: questions, the Internet start exchange, the reset, then
// SetUp and GoDeal. Refused while a computer turn runs.
void Game_New();
// The New Game kept while the table was held (the deal, a computer turn, the hand-over
// after the human's discard): it starts now that the table is free.
void Game_NewIfAsked();
// The DEAL button.
void cmdDeal_Click();
// Stage one: stock, side piles and first player. True when it completed; only then
// may GoDeal follow.
bool SetUp();
// Stage two: side tops, stacks, the hands and the first turn. Runs only after a
// completed SetUp, once.
void GoDeal();
// Five hand cards to every seat, in the host's seat order, for the flow holding `mine`; false
// when its game does not go on.
PauseAnswer Deal_All(const GameOnTable& mine);
// Refills the empty hand slots 2 to 6 of a seat from the stock for the flow holding `mine`,
// reshuffling or declaring the stalemate as it must; false when its game did not go on.
bool Deal_Players(ControlArray<PictureBox>& places, BArray<int, 2>& cards, const GameOnTable& mine);

// Parts of SetUp that tests and the snapshot code reach on their own.
// The stock in pack order, shuffled by the house rule; DeckCount = TotalCards.
void Stock_Build();
// The side piles from the top of the stock, the side tops into slot 1 of every seat.
void SidePiles_Deal();
// True between a completed SetUp and the GoDeal that uses it.
bool SetUp_Pending();

// Wires the DEAL button, and the stand-in turn loop while no computer opponent is installed.
void Deal_Install();
