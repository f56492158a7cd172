#pragma once
// Cards as the game numbers them: 1 to 52 within a pack, pack k holding
// 52(k-1)+1 to 52k; rank 1 the Ace, 12 the Queen, 13 the King (wild); 0 no card.

// The rank of a card number. The caller's variable is left reduced into 1 to 52:
// callers that must keep the card's pack pass a copy.
int Card_Rank(int& number);
// The rank without touching the caller's number.
inline int RankOf(int number) {
    return Card_Rank(number);
}
