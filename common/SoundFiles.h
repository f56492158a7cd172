#pragma once
// The sounds start-up extracts into the data folder, by what they accompany.

// A deal begins; also a chosen saved game coming back.
inline constexpr char kSoundDeal[] = "~121.tmp";
// The hands are dealt; also a full center pile cleared, the hand sorted, the slap taken off.
inline constexpr char kSoundDealHands[] = "~118.tmp";
// A new game; also the stock reshuffled.
inline constexpr char kSoundNewGame[] = "~122.tmp";
// The toss for the first player, heard even with sounds off.
inline constexpr char kSoundToss[] = "~123.tmp";
// A player arrives or leaves, a play is refused, a stalemate; also a system line of the chat.
inline constexpr char kSoundAlert[] = "~108.tmp";
// A game restored for a restart.
inline constexpr char kSoundRestore[] = "~117.tmp";
// An opponent's jeer at the human's missed side card or a blocking King; also a peek at an
// Internet table.
inline constexpr char kSoundJeer[] = "~105.tmp";
// The pointer comes onto the icon panel.
inline constexpr char kSoundPanelHover[] = "~106.tmp";
// An icon of the panel pressed, by sound set (set 1, then the other).
inline constexpr char kSoundPanelPressSet1[] = "~109.tmp";
inline constexpr char kSoundPanelPressOther[] = "~107.tmp";
// A player's line of the chat.
inline constexpr char kSoundChatLine[] = "~110.tmp";
// The little fanfare of the About window's credits.
inline constexpr char kSoundCredits[] = "~119.tmp";
// The card sounds of Card_Show's kinds 1 to 5, by sound set (set 1, then the other).
inline constexpr int kCardSoundsSet1[5] = {113, 112, 111, 115, 114};
inline constexpr int kCardSoundsOther[5] = {118, 117, 116, 120, 119};
