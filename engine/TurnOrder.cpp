#include "engine/TurnOrder.h"
#include "common/Card.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Exchange.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "platform/Services.h"

#include <utility>
#include <vector>

int Toss_Choose(const std::array<int, 4>& ranks, int& tie) {
    // (rank, seat) pairs, sorted highest rank first; equal ranks keep their seat order.
    std::array<std::pair<int, int>, 4> toss{};
    for (int e = 0; e < 4; ++e)
        toss[e] = {ranks[e], e + 1};
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int e = 0; e <= 2; ++e) {
            if (toss[e].first < toss[e + 1].first) {
                std::swap(toss[e], toss[e + 1]);
                swapped = true;
            }
        }
    }
    int shared = 0;
    for (int e = 0; e <= 2 && toss[e].first == toss[e + 1].first; ++e)
        ++shared;
    if (shared == 0) {
        tie = 0;
        return toss[0].second;
    }
    tie = shared + 1;
    const int pick = static_cast<int>(platform::Rnd() * (shared + 1));
    return toss[std::min(pick, shared)].second;
}

void Toss() {
    std::array<int, 4> ranks{};
    ranks[0] = Eng.PlayerCards(1, 1);
    // A record of a seat that does not play may still hold an old card: it does not take part.
    for (int seat = 2; seat <= 4; ++seat)
        ranks[seat - 1] = seat <= Com.NumPlayers ? SeatRecordOf(seat).RecCards(1, 1) : 0;
    Com.Pturn = Toss_Choose(ranks, Eng.TossTie);
}

void WhosOnFirst() {
    int s = Com.Pturn;
    for (int e = 1; e <= Com.NumPlayers; ++e) {
        Eng.TurnOrder(e) = s;
        s = s + 1 > Com.NumPlayers ? 1 : s + 1;
    }
    Eng.TurnPos = 1;
    Com.Pturn = Eng.TurnOrder(1);
    Lines_TurnBegins(Com.Pturn);
}

void Turn_Advance() {
    ++Eng.TurnPos;
    if (Eng.TurnPos > Com.NumPlayers || Eng.TurnPos < 1) Eng.TurnPos = 1;
    Com.Pturn = Eng.TurnOrder(Eng.TurnPos);
}

namespace {

// Host seat 1..4 to local seat on a remote player's table. Each local seat holds
// the player who follows the previous one in the host's turn order.
struct SeatMapRow {
    int players;
    int netSeat; // 0: any
    std::array<int, 4> local;
};
constexpr SeatMapRow kSeatMap[] = {
    {2, 0, {2, 1, 0, 0}}, {3, 1, {3, 1, 2, 0}}, {3, 2, {2, 3, 1, 0}},
    {4, 1, {4, 1, 2, 3}}, {4, 2, {3, 4, 1, 2}}, {4, 3, {2, 3, 4, 1}},
};

const SeatMapRow* SeatMapFor(int players, int netSeat) {
    for (const auto& row : kSeatMap)
        if (row.players == players && (row.netSeat == 0 || row.netSeat == netSeat)) return &row;
    return nullptr;
}

} // namespace

int HostToLocalSeat(int players, int netSeat, int hostSeat) {
    const SeatMapRow* row = SeatMapFor(players, netSeat);
    if (!row || hostSeat < 1 || hostSeat > players) return 0;
    return row->local[hostSeat - 1];
}

bool SeatMapValid(int players, int netSeat) {
    return SeatMapFor(players, netSeat) != nullptr;
}

void PturnCalculate() {
    // A seat number outside the table stands for the host's own seat.
    const int host = Com.Pturn >= 1 && Com.Pturn <= Com.NumPlayers ? Com.Pturn : 1;
    const int local = HostToLocalSeat(Com.NumPlayers, Com.NetSeat, host);
    if (local != 0) Com.Pturn = local;
}

QString Stock_Message(const BArray<int, 2>& deck, int count, const QString& peerVersion,
                      const StockRules* rules) {
    QString text = QStringLiteral("DK ");
    auto field = [&text](long long v) { text += NumStr(v) + QLatin1Char('#'); };
    if (Version_AtMost(peerVersion, kOldPeerVersion))
        for (int i = 1; i <= count; ++i)
            field(deck(1, i));
    if (Version_Above(peerVersion, kVersionRanksOnly)) {
        for (int i = 1; i <= count; ++i)
            field(deck(0, i));
        if (rules) {
            field(rules->SideSize);
            field(rules->ForcedCards);
            field(rules->NoWildAce ? -1 : 0);
            field(rules->DecksSeparate ? -1 : 0);
        }
    }
    return text;
}

namespace {

// What a stock message holds for the host's version: ranks, card numbers, house rules.
struct StockLayout {
    bool ranks = false, numbers = false, readRules = false;
    int fewest = 0, most = 0; // fields
};

StockLayout Stock_Layout(const QString& hostVersion, int count, bool withRules) {
    StockLayout l;
    l.ranks = Version_AtMost(hostVersion, kOldPeerVersion);
    l.numbers = Version_Above(hostVersion, kVersionRanksOnly);
    l.readRules = withRules && l.numbers && NumVal(hostVersion) > 51;
    const int list = (l.ranks ? count : 0) + (l.numbers ? count : 0);
    l.fewest = l.most = list;
    if (withRules && l.numbers) {
        l.most = list + 4;
        if (l.readRules) l.fewest = list + 3;
    }
    return l;
}

// Every field of NetDeck in order: the first from the start of the text, the others after each "#".
std::vector<int> Stock_Values(int fields) {
    std::vector<int> values;
    values.reserve(static_cast<size_t>(fields));
    Com.NetDeckPos = 0;
    values.push_back(NumVal16(Com.NetDeck));
    for (int f = 1; f < fields; ++f)
        values.push_back(Netl.Recover_NextField());
    return values;
}

// Each reader takes its fields from `k` on; it names what is wrong, or gives nullptr.
const char* Stock_ReadRanks(const std::vector<int>& values, size_t& k, int count, StockRead& out) {
    out.ranks.assign(static_cast<size_t>(count) + 1, 0);
    for (int i = 1; i <= count; ++i) {
        const int r = values[k++];
        if (r < 1 || r > kRankKing) return "a rank is not a card's";
        out.ranks[static_cast<size_t>(i)] = r;
    }
    return nullptr;
}

const char* Stock_ReadNumbers(const std::vector<int>& values, size_t& k, int count, int totalCards,
                              StockRead& out) {
    out.numbers.assign(static_cast<size_t>(count) + 1, 0);
    std::vector<bool> seen(static_cast<size_t>(totalCards) + 1, false);
    for (int i = 1; i <= count; ++i) {
        const int n = values[k++];
        if (n < 1 || n > totalCards) return "a card number is out of range";
        if (seen[static_cast<size_t>(n)]) return "a card is missing and another given twice";
        seen[static_cast<size_t>(n)] = true;
        out.numbers[static_cast<size_t>(i)] = n;
    }
    return nullptr;
}

const char* Stock_ReadRules(const std::vector<int>& values, size_t& k, StockRead& out) {
    const int side = values[k++];
    const int forced = values[k++];
    const int wildAce = values[k++];
    if (side != 9 && side != 14 && side != 19 && side != 25) return "its side-pile size is unknown";
    if (forced < 0 || forced > 7) return "its forced-card rule is unknown";
    out.rules.SideSize = side;
    out.rules.ForcedCards = forced;
    out.rules.NoWildAce = wildAce != 0;
    out.hasRules = true;
    if (k < values.size()) {
        out.hasSeparate = true;
        out.rules.DecksSeparate = values[k++] != 0;
    }
    return nullptr;
}

// The fields of NetDeck read into `out`; what is wrong with them, or nullptr.
const char* Stock_Read(const QString& hostVersion, int count, int totalCards, bool withRules,
                       StockRead& out) {
    const QString& text = Com.NetDeck;
    // Every field ends in "#"; anything after the last one is a torn field.
    const int last = static_cast<int>(text.lastIndexOf(QLatin1Char('#')));
    if (last < 0 || !text.mid(last + 1).trimmed().isEmpty()) return "a field is torn off";
    const int fields = static_cast<int>(text.count(QLatin1Char('#')));
    const StockLayout l = Stock_Layout(hostVersion, count, withRules);
    if (count < 1 || fields < l.fewest || fields > l.most) return "it holds too few or too many fields";
    const std::vector<int> values = Stock_Values(fields);
    size_t k = 0;
    const char* wrong = nullptr;
    if (l.ranks) wrong = Stock_ReadRanks(values, k, count, out);
    if (!wrong && l.numbers) wrong = Stock_ReadNumbers(values, k, count, totalCards, out);
    if (!wrong && l.readRules) wrong = Stock_ReadRules(values, k, out);
    return wrong;
}

} // namespace

bool Stock_Parse(const QString& hostVersion, int count, int totalCards, bool withRules, StockRead& out,
                 QString* why) {
    out = StockRead{};
    const char* wrong = Stock_Read(hostVersion, count, totalCards, withRules, out);
    if (wrong && why) *why = QLatin1String(wrong);
    return wrong == nullptr;
}

void Stock_Apply(const StockRead& in, const QString& hostVersion, int count) {
    if (!in.ranks.empty())
        for (int i = 1; i <= count; ++i)
            Eng.Deck(1, i) = in.ranks[static_cast<size_t>(i)];
    if (!in.numbers.empty()) {
        const bool derive = !Version_AtMost(hostVersion, kOldPeerVersion);
        for (int i = 1; i <= count; ++i) {
            int n = in.numbers[static_cast<size_t>(i)];
            if (derive) {
                // The stock entry itself is reduced into its pack-one number.
                Eng.Deck(1, i) = Card_Rank(n);
            }
            Eng.Deck(0, i) = n;
        }
    }
    if (in.hasRules) {
        Com.SideSize = in.rules.SideSize;
        Com.ForcedCards = in.rules.ForcedCards;
        Com.NoWildAce = in.rules.NoWildAce;
        if (in.hasSeparate) Com.DecksSeparate = in.rules.DecksSeparate;
        Eng.PlayerSideStack = 25 - Com.SideSize;
        Eng.SeatSideStack = 50 - Com.SideSize;
    }
    // The oldest hosts describe a stock by ranks alone.
    if (Version_AtMost(hostVersion, kVersionRanksOnly))
        for (int i = 1; i <= count; ++i)
            Eng.Deck(0, i) = Eng.Deck(1, i);
}
