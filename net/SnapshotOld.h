#pragma once
// The snapshot as older programs (version "74" and below) lay it out: always two
// players at three center piles, whole card arrays rank row first, the receiving
// player's piles before the sender's.

#include <QString>

#include <optional>
#include <vector>

struct OldSnapshot;

// Host: appends the older layout after the seat on turn to `fields`. False when the
// game cannot be sent to so old a peer (a custom side pile size); it is told then.
bool SendRecoverOld(std::vector<int>& fields);
// Remote: reads the older layout, the seat on turn first, checked whole as the current layout
// is; false, nothing changed and `why` told, for a damaged one.
bool GetRecoverOld(const std::vector<int>& fields, QString* why = nullptr);
