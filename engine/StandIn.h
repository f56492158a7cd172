#pragma once
// The other seats' turns until the computer opponent is built: each seat on turn
// is loaded, stored back unchanged and passes the turn on, so a dealt game comes
// round to the human.
void ComputerTurn_StandIn();
