#pragma once
// The pace of the computer's play and the smoothness of card flights, as the pace
// window sets them while a game runs.
#include <QString>

inline constexpr int kSpeedCount = 6;   // "coma" .. "light"
inline constexpr int kAnimPositions = 11;
// A stored AnimSteps of 0 means "not chosen yet".
inline constexpr int kAnimStepsDefault = 45;

// The pace's name and its seconds between two computer moves; index 0 to 5.
QString Speed_Name(int index);
double Speed_Pause(int index);
// The animation steps of bar position 0 to 10.
int Speed_AnimSteps(int position);
// The bar position whose steps are `steps`; `current` when no position has them.
int Speed_AnimPosition(int steps, int current);

// Sets SpeedIndex and ComputerPause; an index outside 0 to 5 changes nothing.
void Speed_SetPace(int index);
// Sets AnimSteps from the bar position; a position outside 0 to 10 changes nothing.
void Speed_SetAnim(int position);
