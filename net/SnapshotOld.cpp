#include "net/SnapshotOld.h"
#include "common/Card.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "net/Snapshot.h"
#include "net/SnapshotFields.h"
#include "platform/Services.h"

#include <array>

namespace {

constexpr int kOldCards = 104;
constexpr int kOldCenters = 3;
constexpr int kOldSlots = 10;
constexpr int kDefaultSide = 19;
constexpr int kLocal = 0, kSeat = 1;
// Card pairs: the rank row is sent before the card-number row.
constexpr int kRowOrder[] = {1, 0};

template <size_t N> using Rows = std::array<std::array<int, N>, 2>;

// One seat's piles by (row, position).
struct OldPiles {
    int sideCount = 0;
    int wildsSide = 0, wildsHand = 0;
    Rows<27> side{};
    Rows<11> cards{};
    std::array<Rows<31>, 5> hold{}; // [pile]
    std::array<int, 5> holdCount{}; // local: cards under the top; seat: depth after reading
};

} // namespace

struct OldSnapshot {
    std::array<OldPiles, 2> who; // kLocal the receiving player, kSeat the sender
    int deckCount = 0, usedCount = 0, handCount = 0;
    Rows<kOldCards + 1> deck{}, used{};
    int sideSize = kDefaultSide, forced = 0;
    bool noWildAce = false;
    std::array<Rows<kPileFull + 1>, kOldCenters + 1> center{};
    std::array<int, kOldCenters + 1> centerCount{};
};

namespace {

int MaxOf(int row) {
    return row == 1 ? kRankKing : kOldCards;
}

void VisitCards(SnapFields& io, OldSnapshot& o, bool ranksOnly) {
    for (int r : kRowOrder) {
        if (ranksOnly && r == 0) break;
        for (int i = 1; i <= kOldCards; ++i) {
            io.Num(o.deck[r][i], 0, MaxOf(r), "stock");
            io.Num(o.used[r][i], 0, MaxOf(r), "used pile");
        }
    }
    if (ranksOnly && io.Reading()) {
        o.deck[0] = o.deck[1];
        o.used[0] = o.used[1];
    }
}

void VisitPiles(SnapFields& io, OldSnapshot& o) {
    for (int r : kRowOrder)
        for (int i = 1; i <= o.sideSize + 1; ++i)
            for (auto& p : o.who)
                io.Num(p.side[r][static_cast<size_t>(i)], 0, MaxOf(r), "side pile");
    for (int r : kRowOrder)
        for (int s = 1; s <= kOldSlots; ++s)
            for (auto& p : o.who)
                io.Num(p.cards[r][static_cast<size_t>(s)], 0, MaxOf(r), "card slot");
    for (int r : kRowOrder)
        for (int c = 1; c <= kOldCenters; ++c)
            for (int k = 1; k <= kPileFull; ++k)
                io.Num(o.center[static_cast<size_t>(c)][r][static_cast<size_t>(k)], 0, MaxOf(r),
                       "center pile");
    for (int c = 1; c <= kOldCenters; ++c)
        io.Num(o.centerCount[static_cast<size_t>(c)], 0, kPileFull, "center pile count");
    for (int r : kRowOrder)
        for (int h = 1; h <= 4; ++h)
            for (int d = 1; d <= kHoldCovered; ++d)
                for (auto& p : o.who)
                    io.Num(p.hold[static_cast<size_t>(h)][r][static_cast<size_t>(d)], 0, MaxOf(r),
                           "hold pile");
    for (int h = 1; h <= 4; ++h)
        for (auto& p : o.who)
            io.Num(p.holdCount[static_cast<size_t>(h)], 0, kHoldCovered, "hold pile count");
}

// The one walk over the older layout; `version` is the older program's code.
void Visit(SnapFields& io, OldSnapshot& o, const QString& version) {
    auto& local = o.who[kLocal];
    auto& seat = o.who[kSeat];
    io.Num(local.sideCount, 0, 26, "side count");
    io.Num(seat.sideCount, 0, 26, "side count");
    // The side-stack positions follow from the counts; they are sent for the older program's sake.
    int localStack = 26 - local.sideCount, seatStack = 50 - (seat.sideCount - 1);
    io.Num(localStack, -32768, 32767, "side stack");
    io.Num(seatStack, -32768, 32767, "side stack");
    io.Num(o.deckCount, 0, kOldCards, "stock count");
    io.Num(o.usedCount, 0, kOldCards, "used pile count");
    io.Num(o.handCount, 0, 5, "hand count");
    const bool oldest = Version_AtMost(version, kVersionRanksOnly);
    if (!oldest) {
        io.Num(local.wildsSide, 0, kOldCards, "wild card count");
        io.Num(local.wildsHand, 0, kOldCards, "wild card count");
        io.Num(seat.wildsSide, 0, kOldCards, "wild card count");
        io.Num(seat.wildsHand, 0, kOldCards, "wild card count");
    }
    VisitCards(io, o, oldest);
    if (NumVal(version) > 51) {
        io.Num(o.sideSize, 9, 25, "side pile size");
        io.Num(o.forced, 0, 7, "forced cards rule");
        io.Flag(o.noWildAce);
    } else if (io.Reading()) {
        o.sideSize = kDefaultSide;
    }
    if (!io.Ok()) return;
    if (local.sideCount > o.sideSize + 1 || seat.sideCount > o.sideSize + 1)
        return io.Fail(QStringLiteral("a side pile is larger than the rule"));
    VisitPiles(io, o);
}

// The host's table in the older layout: the remote's seat record as local, the host as seat.
OldSnapshot Capture() {
    OldSnapshot o;
    auto& local = o.who[kLocal];
    auto& seat = o.who[kSeat];
    const SeatRecord& rec = Eng.Seat2Rec;
    local.sideCount = rec.RecSideCount;
    seat.sideCount = Eng.PlayerSideCount;
    o.deckCount = Eng.DeckCount;
    o.usedCount = Eng.UsedCount;
    o.handCount = Eng.HandCount;
    local.wildsSide = rec.RecWildsFromSide;
    local.wildsHand = rec.RecWildsFromHand;
    seat.wildsSide = Eng.WildsFromSide;
    seat.wildsHand = Eng.WildsFromHand;
    o.sideSize = Com.SideSize;
    o.forced = Com.ForcedCards;
    o.noWildAce = Com.NoWildAce;
    for (int r = 0; r <= 1; ++r) {
        for (int i = 1; i <= kOldCards; ++i) {
            o.deck[r][i] = i <= Eng.DeckCount ? Eng.Deck(r, i) : 0;
            o.used[r][i] = i <= Eng.UsedCount ? Eng.UsedPile(r, i) : 0;
        }
        for (int i = 1; i <= Com.SideSize + 1; ++i) {
            local.side[r][static_cast<size_t>(i)] = rec.RecSide(r, i);
            seat.side[r][static_cast<size_t>(i)] = Eng.PlayerSide(r, i);
        }
        for (int s = 1; s <= kOldSlots; ++s) {
            local.cards[r][static_cast<size_t>(s)] = rec.RecCards(r, s);
            seat.cards[r][static_cast<size_t>(s)] = Eng.PlayerCards(r, s);
        }
        for (int c = 1; c <= kOldCenters; ++c)
            for (int k = 1; k <= kPileFull; ++k)
                o.center[static_cast<size_t>(c)][r][static_cast<size_t>(k)] = Eng.Center(r, c, k);
        for (int h = 1; h <= 4; ++h) {
            // The remote keeps its own tops in the visible slot only.
            const int under = std::max(0, rec.RecHoldInfo(h, 1) - 1);
            for (int d = 1; d <= under; ++d)
                local.hold[static_cast<size_t>(h)][r][static_cast<size_t>(d)] = rec.RecHold(r, h, d);
            for (int d = 1; d <= Eng.PlayerHoldCount(h); ++d)
                seat.hold[static_cast<size_t>(h)][r][static_cast<size_t>(d)] = Eng.PlayerHold(r, h, d);
            local.holdCount[static_cast<size_t>(h)] = under;
            seat.holdCount[static_cast<size_t>(h)] = Eng.PlayerHoldCount(h);
        }
    }
    for (int c = 1; c <= kOldCenters; ++c)
        o.centerCount[static_cast<size_t>(c)] = Eng.CenterCount(c);
    return o;
}

// The numbers of a row's positions first..last.
template <size_t N> std::vector<int> Numbers(const Rows<N>& rows, int last) {
    return {rows[0].begin() + 1, rows[0].begin() + 1 + last};
}

// One seat's piles as the current layout carries them. The older layout keeps every hold
// pile's top in its slot only; a seat record has it on the pile as well.
SnapBlock AsBlock(const OldPiles& p, bool seatRecord) {
    SnapBlock b;
    b.side = Numbers(p.side, p.sideCount);
    for (int s = 1; s <= kOldSlots; ++s)
        b.cards[static_cast<size_t>(s - 1)] = p.cards[0][static_cast<size_t>(s)];
    for (int h = 1; h <= 4; ++h) {
        auto& pile = b.hold[static_cast<size_t>(h - 1)];
        pile = Numbers(p.hold[static_cast<size_t>(h)], p.holdCount[static_cast<size_t>(h)]);
        if (const int top = p.cards[0][static_cast<size_t>(h + 6)]; seatRecord && top != 0)
            pile.push_back(top);
    }
    return b;
}

// The older table in the current layout's terms, so that one check serves both: the sender's
// piles (the host's own) first, then the receiver's as a seat record.
Snapshot AsCurrent(const OldSnapshot& o, int pturn) {
    Snapshot s;
    s.pturn = pturn;
    s.players = 2;
    s.centers = kOldCenters;
    s.sideSize = o.sideSize;
    s.deck = Numbers(o.deck, o.deckCount);
    s.used = Numbers(o.used, o.usedCount);
    for (int c = 1; c <= kOldCenters; ++c) {
        const int count = o.centerCount[static_cast<size_t>(c)];
        s.centerCount[static_cast<size_t>(c - 1)] = count;
        for (int k = 1; k <= count; ++k)
            s.center[static_cast<size_t>(c - 1)][static_cast<size_t>(k - 1)] =
                o.center[static_cast<size_t>(c)][0][static_cast<size_t>(k)];
    }
    s.blocks = {AsBlock(o.who[kSeat], false), AsBlock(o.who[kLocal], true)};
    return s;
}

// Each card's rank row agrees with its number at positions 1..last (on a center pile with its
// place, which a wild King takes the rank of); the positions past a pile's count are emptied
// (an older program leaves played cards there).
template <size_t N> bool RanksAgree(Rows<N>& rows, int last, bool byPlace = false) {
    bool agree = true;
    for (size_t i = 1; i < N; ++i) {
        if (static_cast<int>(i) > last)
            rows[0][i] = rows[1][i] = 0;
        else if (rows[1][i] != (byPlace ? static_cast<int>(i) : RankOf(rows[0][i])))
            agree = false;
    }
    return agree;
}

bool PilesAgree(OldPiles& p) {
    bool agree = RanksAgree(p.side, p.sideCount) && RanksAgree(p.cards, kOldSlots);
    for (int h = 1; h <= 4; ++h)
        agree = RanksAgree(p.hold[static_cast<size_t>(h)], p.holdCount[static_cast<size_t>(h)]) && agree;
    return agree;
}

bool TableAgrees(OldSnapshot& o) {
    bool agree = RanksAgree(o.deck, o.deckCount) && RanksAgree(o.used, o.usedCount);
    for (int c = 1; c <= kOldCenters; ++c)
        agree = RanksAgree(o.center[static_cast<size_t>(c)], o.centerCount[static_cast<size_t>(c)], true) &&
                agree;
    for (auto& p : o.who)
        agree = PilesAgree(p) && agree;
    return agree;
}

void ApplyLocal(const OldPiles& p) {
    Eng.PlayerSideCount = p.sideCount;
    Eng.PlayerSideStack = 26 - p.sideCount;
    Eng.WildsFromSide = p.wildsSide;
    Eng.WildsFromHand = p.wildsHand;
    for (int r = 0; r <= 1; ++r) {
        for (int i = 1; i <= Com.SideSize + 1; ++i)
            Eng.PlayerSide(r, i) = p.side[r][static_cast<size_t>(i)];
        for (int s = 1; s <= kOldSlots; ++s)
            Eng.PlayerCards(r, s) = p.cards[r][static_cast<size_t>(s)];
        for (int h = 1; h <= 4; ++h)
            for (int d = 1; d <= kHoldCovered; ++d)
                Eng.PlayerHold(r, h, d) = p.hold[static_cast<size_t>(h)][r][static_cast<size_t>(d)];
    }
    for (int h = 1; h <= 4; ++h)
        Eng.PlayerHoldCount(h) = p.holdCount[static_cast<size_t>(h)];
}

void ApplySeat(const OldPiles& p, SeatRecord& rec) {
    rec.RecSideCount = p.sideCount;
    rec.RecSideStack = 50 - (p.sideCount - 1);
    rec.RecWildsFromSide = p.wildsSide;
    rec.RecWildsFromHand = p.wildsHand;
    rec.RecHold.Clear();
    for (int r = 0; r <= 1; ++r) {
        for (int i = 1; i <= Com.SideSize + 1; ++i)
            rec.RecSide(r, i) = p.side[r][static_cast<size_t>(i)];
        for (int s = 1; s <= kOldSlots; ++s)
            rec.RecCards(r, s) = p.cards[r][static_cast<size_t>(s)];
        for (int h = 1; h <= 4; ++h)
            for (int d = 1; d <= kHoldCovered; ++d)
                rec.RecHold(r, h, d) = p.hold[static_cast<size_t>(h)][r][static_cast<size_t>(d)];
    }
    for (int h = 1; h <= 4; ++h) {
        int depth = p.holdCount[static_cast<size_t>(h)];
        // The sender's tops live in its visible cards; the seat record keeps them on the pile too.
        if (rec.RecCards(0, h + 6) != 0) {
            ++depth;
            rec.RecHold(0, h, depth) = rec.RecCards(0, h + 6);
            rec.RecHold(1, h, depth) = rec.RecCards(1, h + 6);
        }
        rec.RecHoldInfo(h, 1) = depth;
    }
}

void OldApply(const OldSnapshot& o) {
    TableForm& f = frmGrulm();
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    Com.NumPlayers = 2;
    Com.NumCenters = kOldCenters;
    Com.TotalCards = kOldCards;
    Com.SideSize = o.sideSize;
    if (Com.PrevPlayers != 2 || Com.PrevCenters != kOldCenters)
        f.Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    const int pturn = Com.Pturn;
    f.Table_Clear();
    Com.Pturn = pturn;
    Com.ForcedCards = o.forced;
    Com.NoWildAce = o.noWildAce;
    Eng.DeckCount = o.deckCount;
    Eng.UsedCount = o.usedCount;
    Eng.HandCount = o.handCount;
    for (int r = 0; r <= 1; ++r) {
        for (int i = 1; i <= kOldCards; ++i) {
            Eng.Deck(r, i) = o.deck[r][i];
            Eng.UsedPile(r, i) = o.used[r][i];
        }
        for (int c = 1; c <= kOldCenters; ++c)
            for (int k = 1; k <= kPileFull; ++k)
                Eng.Center(r, c, k) = o.center[static_cast<size_t>(c)][r][static_cast<size_t>(k)];
    }
    for (int c = 1; c <= kOldCenters; ++c)
        Eng.CenterCount(c) = o.centerCount[static_cast<size_t>(c)];
    ApplyLocal(o.who[kLocal]);
    ApplySeat(o.who[kSeat], Eng.Seat2Rec);
    f.WildUpdate();
}

} // namespace

bool SendRecoverOld(std::vector<int>& fields) {
    if (Version_AtMost(Com.PeerVersion, kVersionDefaultRules)) {
        Com.DecksSeparate = false;
        Com.NoWildAce = false;
        Com.ForcedCards = 0;
        if (Com.SideSize != kDefaultSide) {
            platform::MsgBox(
                QStringLiteral("This saved game you are trying to send uses a custom number of Side "
                               "cards. Your opponent is not playing with the current version of "
                               "Vornhelm. This saved game cannot be sent."),
                platform::vbCritical, QStringLiteral("Opponent not current!"));
            Com.SideSize = kDefaultSide;
            if (HasTableForm()) frmGrulm().Table_Clear();
            Hooks.Rules_ShowCaption();
            return false;
        }
    }
    OldSnapshot o = Capture();
    SnapFields io(&fields);
    Visit(io, o, Com.PeerVersion);
    return true;
}

bool GetRecoverOld(const std::vector<int>& fields, QString* why) {
    auto fail = [why](const QString& text) {
        if (why) *why = text;
        return false;
    };
    if (fields.empty()) return fail(QStringLiteral("it ends before the seat on turn"));
    const std::vector<int> rest(fields.begin() + 1, fields.end());
    OldSnapshot o;
    SnapFields io(rest);
    Visit(io, o, Com.PeerVersion);
    if (!io.Ok()) return fail(io.Why());
    if (!io.AllTaken()) return fail(QStringLiteral("it has fields left over"));
    if (!TableAgrees(o)) return fail(QStringLiteral("a card's rank does not match the card"));
    const int pturn = fields.front();
    if (const char* fault =
            Snapshot_TableFault(AsCurrent(o, pturn), Version_AtMost(Com.PeerVersion, kVersionRanksOnly)))
        return fail(QLatin1String(fault));
    Com.Pturn = pturn;
    OldApply(o);
    return true;
}
