#pragma once
// An empty stock is refilled from the used pile; when even that is empty the game is
// in stalemate, and the cards in play may be gathered into a new stock.
#include "engine/GameOnTable.h"

#include <functional>

// The used pile becomes the stock (the host shuffles, a remote takes the host's order).
// False when the game left the table meanwhile.
bool RESHUFFLE();
// Declares the stalemate, asks (or waits for the host) and recovers or leaves it. False when
// the game left the table meanwhile.
bool STALEMATE();
// Gathers every card in play except the side piles, reshuffles and deals new hands, for the
// flow holding `mine`. False when the recovery broke off.
bool Stale_Recover(const GameOnTable& mine);

// What the stalemate needs of the table presentation.
struct StaleHooksT {
    // The stock's place gets its back picture again.
    std::function<void()> Stock_ShowBack = [] {};
};
extern StaleHooksT StaleHooks;

// Installs RESHUFFLE and STALEMATE into the game flow.
void Stale_Install();
