#pragma once
// The primitive operations on the card tables.
#include "common/Card.h"
#include "engine/GameOnTable.h"

// Shuffles positions first..last of the stock; every partner lies in
// offset+1..offset+DeckCount, so the caller sets DeckCount to the stretch size.
void Deck_Shuffle(int first, int last, int offset = 0);
// Puts PlayCard on center pile TargetPile. False (and nothing changes) when the pile is already full.
bool Add_Center();
// Moves the full center pile TargetPile to the used pile, pausing through the ticket of the
// flow that filled it, and answers as its last pause. A game that left the table during the
// notice keeps its pile; a closing program still moves it, so the game it saves is whole.
PauseAnswer Add_Used(const GameOnTable& mine);
