#include "net/Snapshot.h"
#include "common/Card.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"
#include "net/NetCodec.h"
#include "net/SnapshotFields.h"
#include "platform/Services.h"
#include "shell/SavedGames.h"

#include <QRegularExpression>

namespace {

constexpr int kSlots = 10;
constexpr int kHoldPiles = 4;
constexpr int kMaxSide = 26;
constexpr int kMaxWilds = 4 * 52;
const int kSideSizes[] = {9, 14, 19, 25};

// The side-stack edges of a seat end at 25 times its number.
int SideStackBase(int seat) {
    return 25 * seat;
}

void VisitBlock(SnapFields& io, SnapBlock& b, bool localForm, int total) {
    io.List(b.side, kMaxSide, 1, total, "side pile");
    for (int& card : b.cards)
        io.Num(card, 0, total, "card slot");
    for (auto& pile : b.hold)
        io.List(pile, localForm ? kHoldCovered : kHoldPlaces, 1, total, "hold pile");
    io.Num(b.wildsSide, 0, kMaxWilds, "wild card count");
    io.Num(b.wildsHand, 0, kMaxWilds, "wild card count");
}

// The one walk over the current layout, writing or reading.
void Visit(SnapFields& io, Snapshot& s) {
    io.Num(s.pturn, 1, 4, "seat on turn");
    io.Num(s.players, 2, 4, "number of players");
    io.Num(s.centers, 3, 4, "number of center piles");
    io.Num(s.sideSize, 9, 25, "side pile size");
    io.Num(s.forced, 0, 7, "forced cards rule");
    io.Flag(s.noWildAce);
    if (!io.Ok()) return;
    const int total = s.players * 52;
    int deckCount = static_cast<int>(s.deck.size()), usedCount = static_cast<int>(s.used.size());
    io.Num(deckCount, 0, total, "stock count");
    io.Num(usedCount, 0, total, "used pile count");
    if (!io.Ok()) return;
    if (io.Reading()) {
        s.deck.assign(static_cast<size_t>(deckCount), 0);
        s.used.assign(static_cast<size_t>(usedCount), 0);
        s.blocks.assign(static_cast<size_t>(s.players), SnapBlock{});
    }
    for (int& card : s.deck)
        io.Num(card, 1, total, "stock");
    for (int& card : s.used)
        io.Num(card, 1, total, "used pile");
    for (int c = 0; c < s.centers; ++c) {
        io.Num(s.centerCount[static_cast<size_t>(c)], 0, kPileFull, "center pile count");
        for (int& card : s.center[static_cast<size_t>(c)])
            io.Num(card, 0, total, "center pile");
    }
    for (size_t k = 0; k < s.blocks.size(); ++k)
        VisitBlock(io, s.blocks[k], k == 0, total);
}

SnapBlock OwnBlock() {
    SnapBlock b;
    for (int i = 1; i <= Eng.PlayerSideCount; ++i)
        b.side.push_back(Eng.PlayerSide(0, i));
    for (int s = 1; s <= kSlots; ++s)
        b.cards[static_cast<size_t>(s - 1)] = Eng.PlayerCards(0, s);
    for (int h = 1; h <= kHoldPiles; ++h)
        for (int k = 1; k <= Eng.PlayerHoldCount(h); ++k)
            b.hold[static_cast<size_t>(h - 1)].push_back(Eng.PlayerHold(0, h, k));
    b.wildsSide = Eng.WildsFromSide;
    b.wildsHand = Eng.WildsFromHand;
    return b;
}

SnapBlock RecordBlock(const SeatRecord& r) {
    SnapBlock b;
    for (int i = 1; i <= r.RecSideCount; ++i)
        b.side.push_back(r.RecSide(0, i));
    for (int s = 1; s <= kSlots; ++s)
        b.cards[static_cast<size_t>(s - 1)] = r.RecCards(0, s);
    for (int h = 1; h <= kHoldPiles; ++h)
        for (int k = 1; k <= r.RecHoldInfo(h, 1); ++k)
            b.hold[static_cast<size_t>(h - 1)].push_back(r.RecHold(0, h, k));
    b.wildsSide = r.RecWildsFromSide;
    b.wildsHand = r.RecWildsFromHand;
    return b;
}

void SetCard(BArray<int, 2>& cards, int i, int number) {
    cards(0, i) = number;
    cards(1, i) = RankOf(number);
}

// A center pile holds its count of cards, each of the rank its place needs or a wild King.
bool CentersFit(const Snapshot& s) {
    for (int c = 0; c < s.centers; ++c) {
        const auto& pile = s.center[static_cast<size_t>(c)];
        const int count = s.centerCount[static_cast<size_t>(c)];
        for (int k = 1; k <= kPileFull; ++k) {
            const int card = pile[static_cast<size_t>(k - 1)];
            if ((card != 0) != (k <= count)) return false;
            if (card != 0 && RankOf(card) != k && RankOf(card) != kRankKing) return false;
        }
    }
    return true;
}

// A card shown in two places at once: a side pile's top in slot 1, a seat record's hold-pile
// top in its slot. The slot is empty or shows that very card.
bool ShownTop(int slot, const std::vector<int>& pile) {
    return slot == 0 || (!pile.empty() && slot == pile.back());
}

// Every card of the packs lies in exactly one place, as a deck's cards are checked. Cards known
// by rank alone are counted by rank, each rank at most as often as the packs hold it; a King on
// a center pile shows the rank of its place there, so those piles only add to the sum.
const char* CardsOnce(const Snapshot& s, bool ranksOnly) {
    const int total = s.players * 52;
    const int kinds = ranksOnly ? kRankKing : total;
    const int each = ranksOnly ? total / kRankKing : 1;
    std::vector<int> seen(static_cast<size_t>(kinds) + 1, 0);
    int laid = 0;
    auto lay = [&seen, &laid, ranksOnly](int card) {
        ++laid;
        ++seen[static_cast<size_t>(ranksOnly ? RankOf(card) : std::max(card, 0))];
    };
    auto layAll = [&lay](const std::vector<int>& cards) { std::for_each(cards.begin(), cards.end(), lay); };
    layAll(s.deck);
    layAll(s.used);
    for (int c = 0; c < s.centers; ++c)
        for (int k = 0; k < s.centerCount[static_cast<size_t>(c)]; ++k) {
            if (ranksOnly)
                ++laid;
            else
                lay(s.center[static_cast<size_t>(c)][static_cast<size_t>(k)]);
        }
    for (size_t b = 0; b < s.blocks.size(); ++b) {
        const SnapBlock& block = s.blocks[b];
        layAll(block.side);
        if (!ShownTop(block.cards[0], block.side)) return "a side pile shows a card it does not hold";
        for (int slot = kSlotHandFirst; slot <= kSlots; ++slot) {
            const int card = block.cards[static_cast<size_t>(slot - 1)];
            const auto& pile = slot >= kSlotHoldFirst ? block.hold[static_cast<size_t>(slot - kSlotHoldFirst)]
                                                      : std::vector<int>{};
            // The host keeps its own hold-pile tops in their slots only; a seat record on the pile too.
            if (slot < kSlotHoldFirst || b == 0) {
                if (card != 0) lay(card);
            } else if (!ShownTop(card, pile)) {
                return "a hold pile shows a card it does not hold";
            }
        }
        for (const auto& pile : block.hold)
            layAll(pile);
    }
    if (std::any_of(seen.begin() + 1, seen.end(), [each](int n) { return n > each; }))
        return "a card lies in two places";
    if (seen[0] != 0 || laid != total) return "a card is missing";
    return nullptr;
}

// What the ranges alone cannot tell, and the re-seating.
bool Consistent(const Snapshot& s, QString* why) {
    if (const char* fault = Snapshot_TableFault(s, false)) {
        if (why) *why = QLatin1String(fault);
        return false;
    }
    if (!SeatMapValid(s.players, Com.NetSeat)) {
        if (why) *why = QStringLiteral("this player has no seat at that table");
        return false;
    }
    return true;
}

} // namespace

const char* Snapshot_TableFault(const Snapshot& s, bool ranksOnly) {
    if (s.players > 2 && s.centers != 4) return "three or four players need four center piles";
    if (s.pturn < 1 || s.pturn > s.players) return "the seat on turn is not at the table";
    if (std::find(std::begin(kSideSizes), std::end(kSideSizes), s.sideSize) == std::end(kSideSizes))
        return "the side pile size is not one of the house rules";
    if (s.blocks.size() != static_cast<size_t>(s.players)) return "its seats do not fit the table";
    for (const SnapBlock& b : s.blocks)
        if (static_cast<int>(b.side.size()) > s.sideSize + 1) return "a side pile is larger than the rule";
    if (!CentersFit(s)) return "a center pile holds cards that cannot lie there";
    return CardsOnce(s, ranksOnly);
}

Snapshot Snapshot_Capture() {
    Snapshot s;
    s.pturn = Com.Pturn;
    s.players = Com.NumPlayers;
    s.centers = Com.NumCenters;
    s.sideSize = Com.SideSize;
    s.forced = Com.ForcedCards;
    s.noWildAce = Com.NoWildAce;
    for (int i = 1; i <= Eng.DeckCount; ++i)
        s.deck.push_back(Eng.Deck(0, i));
    for (int i = 1; i <= Eng.UsedCount; ++i)
        s.used.push_back(Eng.UsedPile(0, i));
    for (int c = 1; c <= s.centers; ++c) {
        s.centerCount[static_cast<size_t>(c - 1)] = Eng.CenterCount(c);
        for (int k = 1; k <= kPileFull; ++k)
            s.center[static_cast<size_t>(c - 1)][static_cast<size_t>(k - 1)] =
                k <= Eng.CenterCount(c) ? Eng.Center(0, c, k) : 0;
    }
    s.blocks.push_back(OwnBlock());
    for (int seat = 2; seat <= s.players; ++seat)
        s.blocks.push_back(RecordBlock(SeatRecordOf(seat)));
    return s;
}

std::vector<int> Snapshot_Fields(const Snapshot& s) {
    std::vector<int> out;
    SnapFields io(&out);
    Snapshot copy = s;
    Visit(io, copy);
    return out;
}

std::optional<std::vector<int>> Snapshot_Numbers(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^ *-?[0-9]{1,5}$"));
    const QString t = text.trimmed();
    if (!t.endsWith(QLatin1Char('#'))) return std::nullopt;
    std::vector<int> values;
    for (const QString& field : t.left(t.size() - 1).split(QLatin1Char('#'))) {
        if (!number.match(field).hasMatch()) return std::nullopt;
        const double v = NumVal(field);
        if (v < -32768 || v > 32767) return std::nullopt;
        values.push_back(static_cast<int>(v));
    }
    return values;
}

std::optional<Snapshot> Snapshot_Decode(const QString& text, QString* why) {
    const auto values = Snapshot_Numbers(text);
    if (!values) {
        if (why) *why = QStringLiteral("a field is not a number");
        return std::nullopt;
    }
    Snapshot s;
    SnapFields io(*values);
    Visit(io, s);
    if (!io.Ok() || !io.AllTaken()) {
        if (why) *why = io.Ok() ? QStringLiteral("it has fields left over") : io.Why();
        return std::nullopt;
    }
    if (!Consistent(s, why)) return std::nullopt;
    return s;
}

void Recover_WritePlayer(const SeatRecord& record, std::vector<int>& fields) {
    SnapBlock b = RecordBlock(record);
    SnapFields io(&fields);
    VisitBlock(io, b, false, Com.TotalCards);
}

void Recover_ReadPlayer(SeatRecord& r, int base, bool fromHost, const SnapBlock& b) {
    const int c = static_cast<int>(b.side.size());
    r.RecSideCount = c;
    r.RecSideStack = base - (c - 1);
    r.RecSide.Clear();
    for (int i = 1; i <= c; ++i)
        SetCard(r.RecSide, i, b.side[static_cast<size_t>(i - 1)]);
    for (int s = 1; s <= kSlots; ++s)
        SetCard(r.RecCards, s, b.cards[static_cast<size_t>(s - 1)]);
    r.RecHold.Clear();
    for (int h = 1; h <= kHoldPiles; ++h) {
        const auto& pile = b.hold[static_cast<size_t>(h - 1)];
        int depth = static_cast<int>(pile.size());
        for (int k = 1; k <= depth; ++k) {
            int number = pile[static_cast<size_t>(k - 1)];
            r.RecHold(0, h, k) = number;
            r.RecHold(1, h, k) = RankOf(number);
        }
        // The host keeps its own top only in the visible slot; a seat record holds it on the pile too.
        if (fromHost && r.RecCards(0, h + 6) != 0) {
            ++depth;
            r.RecHold(0, h, depth) = r.RecCards(0, h + 6);
            r.RecHold(1, h, depth) = r.RecCards(1, h + 6);
        }
        r.RecHoldInfo(h, 1) = depth;
    }
    r.RecWildsFromSide = b.wildsSide;
    r.RecWildsFromHand = b.wildsHand;
}

void Recover_ReadOwn(const SnapBlock& b) {
    const int c = static_cast<int>(b.side.size());
    Eng.PlayerSideCount = c;
    Eng.PlayerSideStack = 26 - c;
    Eng.PlayerSide.Clear();
    for (int i = 1; i <= c; ++i)
        SetCard(Eng.PlayerSide, i, b.side[static_cast<size_t>(i - 1)]);
    for (int s = 1; s <= kSlots; ++s)
        SetCard(Eng.PlayerCards, s, b.cards[static_cast<size_t>(s - 1)]);
    Eng.PlayerHold.Clear();
    for (int h = 1; h <= kHoldPiles; ++h) {
        const auto& pile = b.hold[static_cast<size_t>(h - 1)];
        // The top stays in the visible slot only.
        const int n = std::max(0, static_cast<int>(pile.size()) - 1);
        for (int k = 1; k <= n; ++k) {
            int number = pile[static_cast<size_t>(k - 1)];
            Eng.PlayerHold(0, h, k) = number;
            Eng.PlayerHold(1, h, k) = RankOf(number);
        }
        Eng.PlayerHoldCount(h) = n;
    }
    Eng.WildsFromSide = b.wildsSide;
    Eng.WildsFromHand = b.wildsHand;
}

namespace {

void ApplyPiles(const Snapshot& s) {
    Com.ForcedCards = s.forced;
    Com.NoWildAce = s.noWildAce;
    Eng.DeckCount = static_cast<int>(s.deck.size());
    Eng.UsedCount = static_cast<int>(s.used.size());
    for (int n = 1; n <= Com.TotalCards; ++n)
        Eng.Deck(2, n) = 1;
    for (int i = 1; i <= Eng.DeckCount; ++i) {
        SetCard(Eng.Deck, i, s.deck[static_cast<size_t>(i - 1)]);
        Eng.Deck(2, Eng.Deck(0, i)) = 0; // still unseen in the stock
    }
    for (int i = 1; i <= Eng.UsedCount; ++i)
        Eng.UsedPile(0, i) = s.used[static_cast<size_t>(i - 1)];
    for (int c = 1; c <= s.centers; ++c) {
        Eng.CenterCount(c) = s.centerCount[static_cast<size_t>(c - 1)];
        for (int k = 1; k <= kPileFull; ++k) {
            int number = s.center[static_cast<size_t>(c - 1)][static_cast<size_t>(k - 1)];
            Eng.Center(0, c, k) = number;
            Eng.Center(1, c, k) = RankOf(number);
        }
    }
    for (int host = 1; host <= s.players; ++host) {
        const int local = HostToLocalSeat(s.players, Com.NetSeat, host);
        const SnapBlock& b = s.blocks[static_cast<size_t>(host - 1)];
        if (local == 1)
            Recover_ReadOwn(b);
        else if (local >= 2)
            Recover_ReadPlayer(SeatRecordOf(local), SideStackBase(local), host == 1, b);
    }
}

} // namespace

void Snapshot_Apply(const Snapshot& s) {
    TableForm& f = frmGrulm();
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    Com.RecoverPending = 1;
    Com.NumPlayers = s.players;
    Com.NumCenters = s.centers;
    Com.Pturn = s.pturn;
    // The host's seat 1 is this program's seat 2 at a table of two.
    if (s.players == 2)
        Com.Pturn = Com.Pturn == 1 ? 2 : 1;
    else
        PturnCalculate();
    WhosOnFirst();
    f.ImgTurn1.SetVisible(Com.Pturn == 1);
    f.ImgTurn2.SetVisible(Com.Pturn != 1);
    Com.SideSize = s.sideSize;
    Com.TotalCards = s.players * 52;
    if (Com.NumPlayers != Com.PrevPlayers || Com.NumCenters != Com.PrevCenters)
        f.Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    f.Table_Clear();
    // Who went first was the old deal's news: the game resumes where it stands.
    f.Label9(kLblComment).SetCaption(QString());
    if (Com.SoundMode != kSoundsOff)
        platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(kSoundDeal));
    ApplyPiles(s);
    Com.NetDeck.clear();
    Hooks.Rules_ShowCaption();
    Sav.DealtThisRun = true;
    Com.Pturn = Eng.TurnOrder(1);
    if (Com.Pturn == 1) {
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
        SeatRecord_Copy(Eng.Seat2Rec, false);
    }
    f.WildUpdate();
    f.Table_Redraw();
}
