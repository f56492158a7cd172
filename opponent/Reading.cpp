#include "opponent/Reading.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Rules.h"
#include "opponent/OppState.h"

#include <algorithm>

namespace {

int Clamp(int h) {
    return std::clamp(h, 1, kRankKing);
}

// The walk of the human's chain: H falls as hold cards lead down towards the side card.
class Chain {
  public:
    explicit Chain(int side) : h_(side) {}
    int H() const { return h_; }
    bool Done() const { return done_; }
    // Reaching the bottom: with an empty center the Ace fits it, else the chain wraps to a Queen.
    void Wrap() {
        if (h_ != 1) return;
        if (Opp.EmptyCenter != 0)
            done_ = true;
        else
            h_ = kRankKing;
    }
    void Lower(int by) { h_ = Clamp(h_ - by); }
    void MarkPiles(bool byCount) {
        if (Eng.Level != 2) return;
        for (int i = 1; i <= Com.NumCenters; ++i) {
            const int base = byCount ? Eng.CenterCount(i) : Opp.HumanReachByPile(i);
            if (base + 1 == h_) Opp.HumanReachByPile(i) = h_;
        }
    }
    void HoldTops();
    void HoldPiles();

  private:
    bool WalkPile(int j, int t);
    int h_;
    bool done_ = false;
};

void Chain::HoldTops() {
    for (int pass = 0; pass < 14 && !done_; ++pass) {
        bool matched = false;
        for (int slot = 7; slot <= 10 && !done_; ++slot) {
            Wrap();
            if (done_) return;
            const int r = HumanRank(slot);
            if (r != 0 && r == h_ - 1) {
                Lower(1);
                matched = true;
                if (h_ == 1 && Opp.EmptyCenter != 0) done_ = true;
            }
        }
        if (!matched) return;
    }
}

// A descending run under the top: true when it led the chain further down.
bool Chain::WalkPile(int j, int t) {
    const int count = Eng.PlayerHoldCount(j);
    if (t >= h_ || count == 0 || t != Eng.PlayerHold(1, j, count) - 1) return false;
    int d = 1;
    for (int k = count; k >= 1; --k) {
        ++d;
        Wrap();
        if (done_) return false;
        const int r = Eng.PlayerHold(1, j, k);
        if (r == h_ - 1) {
            Lower(d);
            MarkPiles(true);
            return true;
        }
        if (k > 1 && Eng.PlayerHold(1, j, k - 1) != r + 1) return false;
    }
    return false;
}

void Chain::HoldPiles() {
    int guard = 0;
    for (int j = 1; j <= 4 && !done_ && ++guard < 64; ++j) {
        const int t = HumanRank(j + 6);
        if (t == 0) continue; // an empty pile leads nowhere
        Wrap();
        if (done_) return;
        if (t == h_ - 1) {
            Lower(1);
            MarkPiles(false);
            if (h_ == 1) {
                if (Opp.EmptyCenter != 0) return;
                j = 0;
                continue;
            }
        }
        Wrap();
        if (done_) return;
        if (WalkPile(j, t)) j = 0;
    }
}

int Margin() {
    if (Eng.Level == 0) return 4;
    int m = Eng.Level == 1 ? 1 : 0;
    for (int p = 1; p <= 4; ++p) {
        if (HoldDepth(p) == 0) {
            if (Eng.Level == 2) {
                m = 0;
                break;
            }
            m = 1;
        } else if (HoldType(p) == kHoldMixed) {
            ++m;
        }
    }
    if (Eng.Level == 1 && m >= 3 && Eng.UsedCount + Eng.DeckCount > kPileFull) --m;
    if (Eng.Level == 2 && m > 2) m = 2;
    return m;
}

int ApplyMargin(int h, int side) {
    const int m = Margin();
    int last = 0;
    for (int i = 1; i <= Com.NumCenters; ++i)
        if (Eng.CenterCount(i) < side) last = i;
    const bool wrap = Opp.EmptyCenter == 0 && last == 0;
    int limit = 1;
    if (m == 0)
        limit = 5;
    else if (m <= 2)
        limit = Eng.Level == 2 ? 4 : 3;
    else if (m == 3)
        limit = 2;
    if (h > limit) return h - limit;
    if (m >= 4) return wrap ? 11 : h;
    return wrap ? h + kRankQueen - limit : 1;
}

} // namespace

void Ck_Player() {
    const int side = HumanRank(1);
    Opp.EmptyCenter = 0;
    for (int i = 1; i <= Com.NumCenters; ++i) {
        if (Eng.CenterCount(i) == 0) Opp.EmptyCenter = i;
        Opp.HumanReachByPile(i) = 0;
    }
    // Asked before any early end: the search and the wild card read it in every case.
    Opp.HumanBestPile = CenterBestToPlay(side, false);
    Chain chain(Clamp(side));
    if (chain.H() == 1 && Opp.EmptyCenter != 0) {
        Opp.HumanReach = 1;
        return;
    }
    chain.HoldTops();
    if (!chain.Done()) chain.HoldPiles();
    int h = chain.H() == kRankKing ? 1 : chain.H();
    if (!chain.Done()) h = Clamp(ApplyMargin(h, side));
    const int c = Eng.CenterCount(Opp.HumanBestPile);
    if (h < c) {
        bool byPile = false;
        for (int i = 1; i <= Com.NumCenters; ++i)
            byPile = byPile || Opp.HumanReachByPile(i) != 0;
        if (c >= side || !byPile) h = c;
    }
    Opp.HumanReach = Clamp(h);
}
