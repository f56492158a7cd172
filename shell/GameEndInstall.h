#pragma once
// Fills in what the reshuffle, the stalemate and the game end ask of the shell,
// the table and the personalities.
void GameEnd_Install();
