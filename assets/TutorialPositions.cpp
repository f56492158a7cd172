#include "TutorialPositions.h"
#include "common/Card.h"
#include "platform/RecordFile.h"
#include "shell/SavedGameCheck.h"
#include "shell/SavedGames.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kPlayers = 2, kCenters = 3, kSideSize = 19, kSideCards = kSideSize + 1, kHand = 5;
constexpr int kFirstRecord = 31, kLastRecord = 38;
constexpr int kOppSeat = 2;

// The two packs, shuffled by the record number so a position is the same at every build.
class Pool {
  public:
    explicit Pool(unsigned seed) {
        for (int n = 1; n <= 52 * kPlayers; ++n)
            cards_.push_back(n);
        std::mt19937 rng(seed);
        std::shuffle(cards_.begin(), cards_.end(), rng);
    }
    int Take(int rank) {
        const auto it = std::find_if(cards_.begin(), cards_.end(), [rank](int n) { return RankOf(n) == rank; });
        if (it == cards_.end()) throw std::runtime_error("no card of rank " + std::to_string(rank) + " left");
        const int n = *it;
        cards_.erase(it);
        return n;
    }
    int TakeAny() {
        if (cards_.empty()) throw std::runtime_error("no card left");
        const int n = cards_.back();
        cards_.pop_back();
        return n;
    }
    int Left() const { return static_cast<int>(cards_.size()); }

  private:
    std::vector<int> cards_;
};

template <typename T, typename... At> void Put(T& table, int number, At... at) {
    table(0, at...) = number;
    table(1, at...) = RankOf(number);
}

std::vector<int> Ranks(const QString& list) {
    std::vector<int> out;
    for (const QString& r : list.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = r.trimmed().toInt(&ok);
        if (!ok || v < 0 || v > 13) throw std::runtime_error("bad rank " + r.toStdString());
        out.push_back(v);
    }
    return out;
}

// A side pile of 20 with the given cards on top (listed from the top down).
void Side(Pool& pool, BArray<int, 2>& side, const std::vector<int>& top) {
    if (top.size() > static_cast<std::size_t>(kSideCards)) throw std::runtime_error("side pile too long");
    for (std::size_t i = 0; i < top.size(); ++i)
        Put(side, pool.Take(top[i]), kSideCards - static_cast<int>(i));
    for (int i = kSideCards - static_cast<int>(top.size()); i >= 1; --i)
        Put(side, pool.TakeAny(), i);
}

SavedGame Build(int record, const QHash<QString, QString>& f) {
    SavedGame g;
    g.Pturn = 1;
    g.NumPlayers = kPlayers;
    g.NumCenters = kCenters;
    g.SideSize = kSideSize;
    g.Name = "Tutorial " + QString::number(record);
    Pool pool(static_cast<unsigned>(record));

    const std::vector<int> centers = Ranks(f.value("centers"));
    if (centers.size() != kCenters) throw std::runtime_error("three center piles wanted");
    for (int c = 1; c <= kCenters; ++c) {
        const int count = centers[static_cast<std::size_t>(c - 1)];
        if (count > 11) throw std::runtime_error("a center pile holds at most 11 cards");
        g.CenterCount(c) = count;
        for (int d = 1; d <= count; ++d)
            Put(g.Center, pool.Take(d), c, d);
    }
    const std::vector<int> hand = Ranks(f.value("hand"));
    if (hand.size() != kHand) throw std::runtime_error("five hand cards wanted");
    for (int s = 2; s <= 6; ++s)
        Put(g.PlayerCards, pool.Take(hand[static_cast<std::size_t>(s - 2)]), s);
    g.HandCount = kHand;
    for (int p = 1; p <= 4; ++p) {
        const std::vector<int> hold = Ranks(f.value("hold" + QString::number(p)));
        // The top card lies in the pile's slot; the rest are covered.
        for (std::size_t d = 0; d < hold.size(); ++d) {
            const int n = pool.Take(hold[d]);
            if (d + 1 == hold.size())
                Put(g.PlayerCards, n, 6 + p);
            else
                Put(g.PlayerHold, n, p, static_cast<int>(d) + 1);
        }
        g.PlayerHoldCount(p) = std::max(0, static_cast<int>(hold.size()) - 1);
    }
    Side(pool, g.PlayerSide, Ranks(f.value("side")));
    g.PlayerSideCount = kSideCards;
    g.PlayerSideStack = 26 - kSideCards;
    Put(g.PlayerCards, g.PlayerSide(0, kSideCards), 1);

    Side(pool, g.Seat2Side, Ranks(f.value("opp")));
    const int stack = 25 * kOppSeat + 1 - kSideCards;
    g.SideCounts(0) = kSideCards;
    g.SideStacks(0) = stack;
    g.SeatSideCount = kSideCards;
    g.SeatSideStack = stack;
    Put(g.Seat2Cards, g.Seat2Side(0, kSideCards), 1);
    for (int s = 2; s <= 6; ++s)
        Put(g.Seat2Cards, pool.TakeAny(), s);

    g.DeckCount = pool.Left();
    for (int i = 1; i <= g.DeckCount; ++i)
        Put(g.Deck, pool.TakeAny(), i);
    return g;
}

int PositionsFail(const QString& text) {
    std::fprintf(stderr, "make_assets: tutorial_positions.txt: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int TutorialPositions(const QString& src, const QString& out) {
    QFile in(src + "/text/tutorial_positions.txt");
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) return PositionsFail("cannot read");
    const QString target = out + "/Data/tutorial.sav";
    QFile::remove(target);
    platform::RecordFile file;
    if (!file.Open(target, SavedGame::kSize)) return PositionsFail("cannot write " + target);
    for (const QString& raw : QString::fromUtf8(in.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        QStringList words = line.split(' ', Qt::SkipEmptyParts);
        bool ok = false;
        const int record = words.takeFirst().toInt(&ok);
        if (!ok || record < kFirstRecord || record > kLastRecord)
            return PositionsFail("bad record in: " + line);
        QHash<QString, QString> fields;
        for (const QString& w : words)
            fields.insert(w.section('=', 0, 0), w.section('=', 1));
        try {
            const SavedGame g = Build(record, fields);
            const QString fault = SavedGame_Fault(g);
            if (!fault.isEmpty())
                return PositionsFail(QStringLiteral("record %1: %2").arg(record).arg(fault));
            file.Write(record, g.Encode());
        } catch (const std::exception& e) {
            return PositionsFail(
                QStringLiteral("record %1: %2").arg(record).arg(QString::fromUtf8(e.what())));
        }
    }
    return 0;
}
