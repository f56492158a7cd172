#pragma once
// The sounds start-up extracts into the data folder, by what they accompany.

// A deal begins; also a chosen saved game coming back.
inline constexpr char kSoundDeal[] = "~121.tmp";
// The hands are dealt; also a full center pile cleared.
inline constexpr char kSoundDealHands[] = "~118.tmp";
// A new game.
inline constexpr char kSoundNewGame[] = "~122.tmp";
// The toss for the first player, heard even with sounds off.
inline constexpr char kSoundToss[] = "~123.tmp";
// A player arrives or leaves, a play is refused, a stalemate; also a system line of the chat.
inline constexpr char kSoundAlert[] = "~108.tmp";
// A game restored for a restart.
inline constexpr char kSoundRestore[] = "~117.tmp";
// The card sounds of Card_Show's kinds 1 to 5, by sound set (set 1, then the other).
inline constexpr int kCardSoundsSet1[5] = {113, 112, 111, 115, 114};
inline constexpr int kCardSoundsOther[5] = {118, 117, 116, 120, 119};
