#pragma once
// Cards flying over the table: a move from one place to another, and the deal
// of the next stock card into a slot; enabling the human's places.
#include "common/BArray.h"
#include "engine/GameOnTable.h"
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

// Flies source(i) towards target(j) step by step, pausing through the ticket of the flow the
// flight belongs to; leaves it hidden where it started. Stops at the first pause that does not
// go on, and answers as that pause.
PauseAnswer Card_Animate(Places& source, int i, Places& target, int j, const GameOnTable& mine);
// Takes the next stock card into cards(., slot) and flies a back from the stock to
// places(slot); answers as Card_Animate.
PauseAnswer Card_Deal(Places& places, BArray<int, 2>& cards, int slot, int kind, const GameOnTable& mine);
void Piles_EnableRange(Places& places, bool value, int first, int last);
void Control_Enable(Places& places, int index);
// True while a card is being dealt.
bool Animate_Dealing();
