#pragma once
// Cards flying over the table: a move from one place to another, and the deal
// of the next stock card into a slot; enabling the human's places.
#include "common/BArray.h"
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

// Flies source(i) towards target(j) step by step; leaves it hidden where it started. False
// when the game it flew in left the table on the way.
bool Card_Animate(Places& source, int i, Places& target, int j);
// Takes the next stock card into cards(., slot) and flies a back from the stock to places(slot);
// false when the game left the table meanwhile.
bool Card_Deal(Places& places, BArray<int, 2>& cards, int slot, int kind);
void Piles_EnableRange(Places& places, bool value, int first, int last);
void Control_Enable(Places& places, int index);
// True while a card is being dealt.
bool Animate_Dealing();
