#pragma once
// The end of a game: the seat on turn has emptied its side pile.
void Game_End();
