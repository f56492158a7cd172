#pragma once
// Cards as the game numbers them: 1 to 52 within a pack, pack k holding
// 52(k-1)+1 to 52k; rank 1 the Ace, 12 the Queen, 13 the King (wild); 0 no card.

inline constexpr int kRankQueen = 12;
inline constexpr int kRankKing = 13;
// A center pile is built from Ace to Queen: twelve cards fill it.
inline constexpr int kPileFull = kRankQueen;

// The rank of a card number. The caller's variable is left reduced into 1 to 52:
// callers that must keep the card's pack pass a copy.
int Card_Rank(int& number);
// The rank without touching the caller's number.
inline int RankOf(int number) {
    return Card_Rank(number);
}
