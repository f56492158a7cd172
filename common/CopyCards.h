#pragma once
// Card tables hold (number, rank) pairs with the pair index first.
#include "common/BArray.h"

// Copies the pairs at positions first to last of one card table into another.
inline void CopyCards(BArray<int, 2>& to, const BArray<int, 2>& from, int first, int last) {
    for (int i = first; i <= last; ++i)
        for (int k = 0; k <= 1; ++k)
            to(k, i) = from(k, i);
}

// One value and its copy elsewhere: toFirst copies the second into the first, else the other way.
template <typename T> void Mirror(T& first, T& second, bool toFirst) {
    if (toFirst)
        first = second;
    else
        second = first;
}

// CopyCards in the direction asked, as Mirror.
inline void MirrorCards(BArray<int, 2>& first, BArray<int, 2>& second, int from, int to, bool toFirst) {
    if (toFirst)
        CopyCards(first, second, from, to);
    else
        CopyCards(second, first, from, to);
}
