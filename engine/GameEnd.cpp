#include "engine/GameEnd.h"

// Replaced by the game-end sequence (winner, margin, scores and statistics).
void Game_End() {}
