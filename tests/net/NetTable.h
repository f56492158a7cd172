#pragma once
// A table in the middle of a game for the network tests: every card of the packs
// placed once, somewhere, by a seeded shuffle; and the views that compare one
// seat's piles across two programs whatever form they are kept in.
#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

struct SeatView {
    std::vector<int> side, hand;
    std::vector<std::vector<int>> hold; // bottom first, top included
    int wildsSide = 0, wildsHand = 0;
    bool operator==(const SeatView&) const = default;
};

inline SeatView ViewOf(int seat) {
    SeatView v;
    v.hold.resize(4);
    if (seat == 1) {
        for (int i = 1; i <= Eng.PlayerSideCount; ++i)
            v.side.push_back(Eng.PlayerSide(0, i));
        for (int s = 2; s <= 6; ++s)
            v.hand.push_back(Eng.PlayerCards(0, s));
        for (int h = 1; h <= 4; ++h) {
            for (int k = 1; k <= Eng.PlayerHoldCount(h); ++k)
                v.hold[h - 1].push_back(Eng.PlayerHold(0, h, k));
            if (Eng.PlayerCards(0, h + 6) != 0) v.hold[h - 1].push_back(Eng.PlayerCards(0, h + 6));
        }
        v.wildsSide = Eng.WildsFromSide;
        v.wildsHand = Eng.WildsFromHand;
        return v;
    }
    const SeatRecord& r = SeatRecordOf(seat);
    for (int i = 1; i <= r.RecSideCount; ++i)
        v.side.push_back(r.RecSide(0, i));
    for (int s = 2; s <= 6; ++s)
        v.hand.push_back(r.RecCards(0, s));
    for (int h = 1; h <= 4; ++h)
        for (int k = 1; k <= r.RecHoldInfo(h, 1); ++k)
            v.hold[h - 1].push_back(r.RecHold(0, h, k));
    v.wildsSide = r.RecWildsFromSide;
    v.wildsHand = r.RecWildsFromHand;
    return v;
}

// How often each card lies on the table (side tops and hold tops counted once).
inline std::map<int, int> CardCounts() {
    std::map<int, int> n;
    for (int i = 1; i <= Eng.DeckCount; ++i)
        ++n[Eng.Deck(0, i)];
    for (int i = 1; i <= Eng.UsedCount; ++i)
        ++n[Eng.UsedPile(0, i)];
    for (int c = 1; c <= Com.NumCenters; ++c)
        for (int k = 1; k <= Eng.CenterCount(c); ++k)
            ++n[Eng.Center(0, c, k)];
    for (int seat = 1; seat <= Com.NumPlayers; ++seat) {
        const SeatView v = ViewOf(seat);
        for (int c : v.side)
            ++n[c];
        for (int c : v.hand)
            if (c != 0) ++n[c];
        for (const auto& pile : v.hold)
            for (int c : pile)
                ++n[c];
    }
    return n;
}

inline bool EveryCardOnce() {
    const auto n = CardCounts();
    for (const auto& [card, times] : n)
        if (times != 1 || card < 1) ADD_FAILURE() << "card " << card << " lies " << times << " times";
    if (static_cast<int>(n.size()) != Com.TotalCards) ADD_FAILURE() << n.size() << " cards of " << Com.TotalCards;
    if (static_cast<int>(n.size()) != Com.TotalCards) return false;
    return std::all_of(n.begin(), n.end(), [](const auto& p) { return p.second == 1 && p.first >= 1; });
}

namespace nettable {
inline void Put(BArray<int, 2>& cards, int i, int number) {
    cards(0, i) = number;
    cards(1, i) = Card_Rank(number);
}
} // namespace nettable

// Deals every card of the packs to some pile, as a game in progress would show them.
inline void FillTable(unsigned seed) {
    using nettable::Put;
    std::mt19937 rng(seed);
    std::vector<int> cards(static_cast<size_t>(Com.TotalCards));
    for (int i = 0; i < Com.TotalCards; ++i)
        cards[static_cast<size_t>(i)] = i + 1;
    std::shuffle(cards.begin(), cards.end(), rng);
    size_t next = 0;
    auto take = [&] { return cards[next++]; };
    auto upTo = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n + 1)); };
    // A center pile's card fits its place: the rank it needs, or a wild King.
    auto takeFitting = [&](int rank) {
        const auto fits = std::find_if(cards.begin() + static_cast<long>(next), cards.end(),
                                       [&](int n) { return RankOf(n) == rank || RankOf(n) == kRankKing; });
        if (fits != cards.end()) std::swap(*fits, cards[next]);
        return take();
    };
    for (int c = 1; c <= Com.NumCenters; ++c) {
        Eng.CenterCount(c) = upTo(11);
        for (int k = 1; k <= Eng.CenterCount(c); ++k) {
            const int n = takeFitting(k);
            Eng.Center(0, c, k) = n;
            Eng.Center(1, c, k) = k; // the rank the pile shows there
        }
    }
    for (int seat = 1; seat <= Com.NumPlayers; ++seat) {
        const bool human = seat == 1;
        SeatRecord* r = human ? nullptr : &SeatRecordOf(seat);
        BArray<int, 2>& side = human ? Eng.PlayerSide : r->RecSide;
        BArray<int, 2>& places = human ? Eng.PlayerCards : r->RecCards;
        const int count = 1 + upTo(Com.SideSize);
        for (int i = 1; i <= count; ++i)
            Put(side, i, take());
        Put(places, 1, side(0, count));
        for (int s = 2; s <= 6; ++s)
            Put(places, s, upTo(4) == 0 ? 0 : take());
        for (int h = 1; h <= 4; ++h) {
            const int depth = upTo(4);
            Put(places, h + 6, 0);
            for (int k = 1; k <= depth; ++k) {
                const int n = take();
                int copy = n;
                const int rank = Card_Rank(copy);
                if (human && k < depth) Eng.PlayerHold(0, h, k) = n, Eng.PlayerHold(1, h, k) = rank;
                if (!human) r->RecHold(0, h, k) = n, r->RecHold(1, h, k) = rank;
                if (k == depth) Put(places, h + 6, n);
            }
            if (human)
                Eng.PlayerHoldCount(h) = std::max(0, depth - 1);
            else
                r->RecHoldInfo(h, 1) = depth;
        }
        if (human) {
            Eng.PlayerSideCount = count;
            Eng.WildsFromSide = upTo(2);
            Eng.WildsFromHand = upTo(3);
        } else {
            r->RecSideCount = count;
            r->RecWildsFromSide = upTo(2);
            r->RecWildsFromHand = upTo(3);
        }
    }
    Eng.UsedCount = upTo(static_cast<int>(cards.size() - next) / 12) * 12;
    for (int i = 1; i <= Eng.UsedCount; ++i)
        Put(Eng.UsedPile, i, take());
    Eng.DeckCount = static_cast<int>(cards.size() - next);
    for (int i = 1; i <= Eng.DeckCount; ++i)
        Put(Eng.Deck, i, take());
}
