#include "common/Card.h"

int Card_Rank(int& number) {
    if (number == 0) return 0;
    while (number >= 53)
        number -= 52;
    const int r = number % 13;
    return r == 0 ? 13 : r;
}
