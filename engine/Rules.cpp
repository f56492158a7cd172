#include "engine/Rules.h"

#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Model.h"

bool PlayerMissedMove() {
    const int side = Eng.PlayerCards(1, 1);
    if (side == kRankKing || side == 0) return false;
    for (int p = 1; p <= Com.NumCenters; ++p)
        if (side == Eng.CenterCount(p) + 1) return true;
    return false;
}

namespace {

int WildPile(int plan) {
    const int planCount = plan >= 1 && plan <= Com.NumCenters ? Eng.CenterCount(plan) : -1;
    if (!Com.NoWildAce) {
        for (int p = Com.NumCenters; p >= 1; --p)
            if (p != plan && Eng.CenterCount(p) != planCount) return p;
        return 1;
    }
    for (int p = Com.NumCenters; p >= 1; --p)
        if (p != plan && Eng.CenterCount(p) > 0) return p;
    for (int p = Com.NumCenters; p >= 1; --p)
        if (Eng.CenterCount(p) > 0) return p;
    return 1;
}

} // namespace

int CenterBestToPlay(int rank, bool wild, int avoid) {
    if (rank == kRankKing) return wild ? WildPile(avoid) : 1;
    for (int k = 1; k <= 11; ++k)
        for (int p = 1; p <= Com.NumCenters; ++p) {
            int reached = Eng.CenterCount(p) + k;
            if (reached > kPileFull) reached -= kPileFull;
            if (reached == rank) return p;
        }
    return 1;
}
