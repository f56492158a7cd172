#pragma once
// Seat 1 played by the decision code at an Internet table: its moves reach the other
// programs as a player's moves do, so every table stays the same.
#include <array>

// True while seat 1 is on turn, played by the decision code, in an Internet game.
bool OnlineSeat_Active();
// A play onto a center pile or a discard onto a hold pile, sent and answered; `last`
// ends the turn (a discard or the last side card). False when the exchange broke off.
bool OnlineSeat_Send(int from, int to, bool last);
// The hand slots 2 to 6 as they were; the new order is sent as moves inside the hand.
using HandOrder = std::array<int, 5>;
HandOrder OnlineSeat_Hand();
void OnlineSeat_SendOrder(const HandOrder& before);
