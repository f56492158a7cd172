#include "shell/GameMirror.h"
#include "common/CopyCards.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"

#include <algorithm>

namespace {

int Count(int value, int most) {
    return std::clamp(value, 0, most);
}

void Mark(int number) {
    if (number >= 1 && number <= Com.TotalCards) Eng.Deck(2, number) = 1;
}

// Positions 1..count of a pile between the table and the record; the positions above stay as
// they are. Cards laid on the table are marked as out of the stock when asked.
void MirrorPile(BArray<int, 2>& table, BArray<int, 2>& saved, int count, bool toTable, bool mark) {
    MirrorCards(table, saved, 1, count, toTable);
    if (toTable && mark)
        for (int i = 1; i <= count; ++i)
            Mark(table(0, i));
}

// One card pair of a deeper table, held apart as number and rank.
void MirrorCard(int& number, int& rank, int& savedNumber, int& savedRank, bool toTable) {
    Mirror(number, savedNumber, toTable);
    Mirror(rank, savedRank, toTable);
    if (toTable) Mark(number);
}

// The working counts, the human's piles, holds and wild counts, and the centers. Each count
// is copied before the cards it bounds, so both directions loop over the same clamped count.
void MirrorOwnPiles(SavedGame& g, bool toTable) {
    Mirror(Eng.SeatSideCount, g.SeatSideCount, toTable);
    Mirror(Eng.SeatSideStack, g.SeatSideStack, toTable);
    Mirror(Eng.PlayerSideCount, g.PlayerSideCount, toTable);
    Mirror(Eng.PlayerSideStack, g.PlayerSideStack, toTable);
    Mirror(Eng.DeckCount, g.DeckCount, toTable);
    Mirror(Eng.UsedCount, g.UsedCount, toTable);
    Mirror(Eng.HandCount, g.HandCount, toTable);

    // Only the positions a pile holds are copied: cards that left it are not carried along.
    const int total = std::min(Com.TotalCards, 208);
    MirrorPile(Eng.Deck, g.Deck, Count(Eng.DeckCount, std::min(total, Eng.Deck.UBound(2))), toTable, false);
    MirrorPile(Eng.UsedPile, g.Used, Count(Eng.UsedCount, std::min(total, Eng.UsedPile.UBound(2))), toTable,
               true);
    MirrorPile(Eng.PlayerSide, g.PlayerSide, Count(Eng.PlayerSideCount, 26), toTable, false);
    MirrorPile(Eng.PlayerCards, g.PlayerCards, 10, toTable, true);
    for (int p = 1; p <= 4; ++p) {
        Mirror(Eng.PlayerHoldCount(p), g.PlayerHoldCount(p), toTable);
        for (int d = 1; d <= Count(Eng.PlayerHoldCount(p), kHoldCovered); ++d)
            MirrorCard(Eng.PlayerHold(0, p, d), Eng.PlayerHold(1, p, d), g.PlayerHold(0, p, d),
                       g.PlayerHold(1, p, d), toTable);
    }
    Mirror(Eng.WildsFromSide, g.PlayerHold(1, 0, 1), toTable);
    Mirror(Eng.WildsFromHand, g.PlayerHold(1, 0, 2), toTable);

    const int centers = std::min({Com.NumCenters, 4, Eng.CenterCount.UBound(1)});
    for (int c = 1; c <= centers; ++c) {
        Mirror(Eng.CenterCount(c), g.CenterCount(c), toTable);
        for (int d = 1; d <= Count(Eng.CenterCount(c), 12); ++d)
            MirrorCard(Eng.Center(0, c, d), Eng.Center(1, c, d), g.Center(0, c, d), g.Center(1, c, d),
                       toTable);
    }
}

// A computer seat's record: its side pile, slots, holds and wild counts.
void MirrorSeat(SavedGame& g, int seat, bool toTable) {
    SeatRecord& rec = SeatRecordOf(seat);
    const int i = seat - 2;
    Mirror(rec.RecSideCount, g.SideCounts(i), toTable);
    Mirror(rec.RecSideStack, g.SideStacks(i), toTable);
    if (toTable) rec.RecSide.Clear();
    MirrorPile(rec.RecSide, g.Side(seat), Count(rec.RecSideCount, 26), toTable, false);
    MirrorPile(rec.RecCards, g.Cards(seat), 10, toTable, true);
    for (int p = 1; p <= 4; ++p) {
        Mirror(rec.RecHoldInfo(p, 1), g.HoldDepth(i, p), toTable);
        Mirror(rec.RecHoldInfo(p, 2), g.HoldType(i, p), toTable);
        const int depth = rec.RecHoldInfo(p, 1);
        for (int d = 1; d <= Count(depth, kHoldCovered); ++d)
            MirrorCard(rec.RecHold(0, p, d), rec.RecHold(1, p, d), g.OppHold(i, p, d), g.OppHold(i + 3, p, d),
                       toTable);
        // The file has 30 places a pile; a 31st card is the top its slot keeps.
        if (toTable && depth == kHoldPlaces) {
            rec.RecHold(0, p, depth) = rec.RecCards(0, 6 + p);
            rec.RecHold(1, p, depth) = rec.RecCards(1, 6 + p);
        }
    }
    Mirror(rec.RecWildsFromSide, g.PlayerHold(1, 0, 2 * seat - 1), toTable);
    Mirror(rec.RecWildsFromHand, g.PlayerHold(1, 0, 2 * seat), toTable);
}

} // namespace

void SavedGame_Mirror(SavedGame& g, bool toTable) {
    MirrorOwnPiles(g, toTable);
    for (int seat = 2; seat <= std::min(Com.NumPlayers, 4); ++seat)
        MirrorSeat(g, seat, toTable);
}
