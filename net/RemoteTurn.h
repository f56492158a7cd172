#pragma once
// Moves over the network: the local player's moves sent and acknowledged by every
// peer, and a remote player's turn played on this table from the moves it sends.

// The local player's last move (MoveFrom, MoveTo) as PC, waiting for every answer.
void Move_Transmit_PlayCard();
// A play to a center pile or a move inside the hand: PC, then WT.
void Move_Transmit();
// The discard, or the last side card: PC, then OK.
void Move_Transmit_Done();

// What a received move does, or why it cannot be taken.
enum class MoveKind { Invalid, Center, Discard, HandMove };
// Checks a move of the seat on turn (its working set) before anything applies it:
// the source slot holds a card, the destination is a center pile the card fits, an
// own hold pile with room (for a hand card), or another hand slot (for a hand card).
MoveKind Move_Check(int from, int to);

// The turn of the remote seat Pturn, played from the moves its program sends.
void Opponent();
