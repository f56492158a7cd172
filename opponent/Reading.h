#pragma once
// How close the human is to playing its side card: sets HumanReach,
// HumanReachByPile, EmptyCenter and HumanBestPile of the opponent's state.
void Ck_Player();
