#pragma once
// Card tables hold (number, rank) pairs with the pair index first.
#include "common/BArray.h"

// Copies the pairs at positions first to last of one card table into another.
inline void CopyCards(BArray<int, 2>& to, const BArray<int, 2>& from, int first, int last) {
    for (int i = first; i <= last; ++i)
        for (int k = 0; k <= 1; ++k)
            to(k, i) = from(k, i);
}
