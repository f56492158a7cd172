#pragma once
// The human's plays onto the center piles.
#include "engine/GameOnTable.h"

// Plays PlayerCards(SourceSlot) onto center pile TargetPile, after Rules_CheckCenter
// accepted it. DroppedPlay says the card already lies on the pile (no flight).
void Player_Move();
// Marks a play, discard or restart of the turn under way for as long as it lives;
// `Busy()` tells whether one is.
class PlayBusyScope {
  public:
    PlayBusyScope();
    ~PlayBusyScope();
    PlayBusyScope(const PlayBusyScope&) = delete;
    PlayBusyScope& operator=(const PlayBusyScope&) = delete;
    void Release();

  private:
    bool held_ = true;
};
// The opponent's taunt when a card the side card needed went elsewhere; comments off says
// nothing. It pauses through the ticket of the play and answers as that pause.
PauseAnswer Dumbness_Default(const GameOnTable& mine);
// Installs the taunt where the plays reach it.
void Plays_Install();
