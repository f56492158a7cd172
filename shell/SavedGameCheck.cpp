#include "shell/SavedGameCheck.h"
#include "common/Card.h"
#include "engine/Model.h"

#include <algorithm>

namespace {

// The game's size and house rules as the file gives them.
QString SavedSizesFault(const SavedGame& g) {
    const int players = g.NumPlayers;
    if (players < 2 || players > 4) return QStringLiteral("players %1").arg(players);
    if ((g.NumCenters != 3 && g.NumCenters != 4) || (players > 2 && g.NumCenters != 4))
        return QStringLiteral("centers %1").arg(g.NumCenters);
    if (g.Pturn < 1 || g.Pturn > players) return QStringLiteral("seat on turn %1").arg(g.Pturn);
    if (g.SideSize < 0 || g.SideSize > 25) return QStringLiteral("side size %1").arg(g.SideSize);
    if (g.ForcedCards < 0 || g.ForcedCards > 7) return QStringLiteral("forced cards %1").arg(g.ForcedCards);
    return QString();
}

// The counts of the stock, the used pile, the hand and the side piles.
QString SavedCountsFault(const SavedGame& g, int side, int total) {
    if (g.DeckCount < 0 || g.DeckCount > total || g.UsedCount < 0 || g.UsedCount > total ||
        g.DeckCount + g.UsedCount > total)
        return QStringLiteral("stock %1 used %2").arg(g.DeckCount).arg(g.UsedCount);
    if (g.HandCount < 0 || g.HandCount > 5) return QStringLiteral("hand count %1").arg(g.HandCount);
    if (g.PlayerSideCount < 0 || g.PlayerSideCount > side || g.SeatSideCount < 0 || g.SeatSideCount > side)
        return QStringLiteral("side counts");
    if (g.PlayerSideStack < 0 || g.PlayerSideStack > 25 || g.SeatSideStack < 0 || g.SeatSideStack > 100)
        return QStringLiteral("side stacks");
    return QString();
}

// The cards of a game of `total` cards: a position in use holds a card; any other may be empty.
struct SavedCards {
    int total;
    bool Card(int number, int rank, bool inUse) const {
        return number >= (inUse ? 1 : 0) && number <= total && rank >= 0 && rank <= kRankKing;
    }
    bool Pile(const BArray<int, 2>& cards, int count) const {
        for (int i = 1; i <= count; ++i)
            if (!Card(cards(0, i), cards(1, i), true)) return false;
        return true;
    }
};

// The hold piles of computer seat `seat` (2 to 4), whose card slots are `places`.
QString SavedSeatHoldsFault(const SavedGame& g, int seat, const BArray<int, 2>& places,
                            const SavedCards& cards) {
    for (int p = 1; p <= 4; ++p) {
        const int depth = g.HoldDepth(seat - 2, p), type = g.HoldType(seat - 2, p);
        const QString fault = QStringLiteral("hold pile %1 of seat %2").arg(p).arg(seat);
        // The file keeps 30 cards of a pile; a 31st is the top, which the pile's slot shows.
        if (depth < 0 || depth > kHoldPlaces || type < 0 || type > 2) return fault;
        for (int d = 1; d <= std::min(depth, kHoldCovered); ++d)
            if (!cards.Card(g.OppHold(seat - 2, p, d), g.OppHold(seat + 1, p, d), true)) return fault;
        if (depth == kHoldPlaces && places(0, 6 + p) == 0) return fault;
    }
    return QString();
}

QString SavedSeatFault(const SavedGame& g, int seat, int side, const SavedCards& cards) {
    const BArray<int, 2>& places = g.Cards(seat);
    for (int s = 1; s <= 10; ++s)
        if (!cards.Card(places(0, s), places(1, s), false))
            return QStringLiteral("card slots of seat %1").arg(seat);
    if (seat == 1) return QString();
    const int count = g.SideCounts(seat - 2), stack = g.SideStacks(seat - 2);
    if (count < 0 || count > side) return QStringLiteral("side count of seat %1").arg(seat);
    if (stack < 25 * (seat - 1) || stack > 25 * seat)
        return QStringLiteral("side stack of seat %1").arg(seat);
    if (!cards.Pile(g.Side(seat), count)) return QStringLiteral("side pile of seat %1").arg(seat);
    return SavedSeatHoldsFault(g, seat, places, cards);
}

// The center piles and the human's hold piles.
QString SavedCentersAndHoldsFault(const SavedGame& g, const SavedCards& cards) {
    for (int c = 1; c <= g.NumCenters; ++c) {
        const int count = g.CenterCount(c);
        if (count < 0 || count > kPileFull) return QStringLiteral("center pile %1").arg(c);
        for (int d = 1; d <= count; ++d)
            if (!cards.Card(g.Center(0, c, d), g.Center(1, c, d), true))
                return QStringLiteral("center pile %1").arg(c);
    }
    for (int p = 1; p <= 4; ++p) {
        const int count = g.PlayerHoldCount(p);
        if (count < 0 || count > kHoldCovered) return QStringLiteral("hold pile %1 of seat 1").arg(p);
        for (int d = 1; d <= count; ++d)
            if (!cards.Card(g.PlayerHold(0, p, d), g.PlayerHold(1, p, d), true))
                return QStringLiteral("hold pile %1 of seat 1").arg(p);
    }
    return QString();
}

} // namespace

QString SavedGame_Fault(const SavedGame& g) {
    if (!g.HoldsGame()) return QStringLiteral("no one is on turn");
    if (QString fault = SavedSizesFault(g); !fault.isEmpty()) return fault;
    const int side = (g.SideSize == 0 ? 19 : g.SideSize) + 1;
    const SavedCards cards{52 * g.NumPlayers};
    if (QString fault = SavedCountsFault(g, side, cards.total); !fault.isEmpty()) return fault;
    if (!cards.Pile(g.Deck, g.DeckCount)) return QStringLiteral("stock cards");
    if (!cards.Pile(g.Used, g.UsedCount)) return QStringLiteral("used cards");
    if (!cards.Pile(g.PlayerSide, g.PlayerSideCount)) return QStringLiteral("side pile of seat 1");
    for (int seat = 1; seat <= g.NumPlayers; ++seat)
        if (QString fault = SavedSeatFault(g, seat, side, cards); !fault.isEmpty()) return fault;
    return SavedCentersAndHoldsFault(g, cards);
}
