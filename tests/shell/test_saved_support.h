#pragma once
// A laid-out table window with a game position on it, the saved-game file open in
// the test's home, and a dump of the model a restore has to rebuild.
#include "common/Card.h"
#include "engine/Flow.h"
#include "engine/Seats.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/ShellHooks.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "shell/frmSave.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "tests/table/test_layout_support.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <random>
#include <vector>

// What a position on the table is made of.
struct Position {
    int players = 2;
    int centers = 3;
    int pturn = 1;
    int sideSize = 19;
    int forced = 0;
    bool noWildAce = false;
    unsigned seed = 1;
};

class SavedTest : public LayoutTest {
  protected:
    void SetUp() override {
        LayoutTest::SetUp();
        ASSERT_TRUE(SavedGameFile().Open(Com.DataPath + "backup.sav", SavedGame::kSize));
        SavedGames_Install();
    }
    void TearDown() override {
        frmSave().Hide();
        SavedGameFile().Close();
        SavedGames_Reset();
        ShellHooks_Reset();
        LayoutTest::TearDown();
    }

    // The table laid out for a game size, with its pictures and status bar.
    void Lay(int players, int centers) {
        Table(players, centers, 12000);
        Pictures_Init();
        StatusBar_Init();
    }

    // Lays the table for the position's size when it differs, then deals the position.
    void Put(const Position& p) {
        if (!laid_ || Com.NumPlayers != p.players || Com.NumCenters != p.centers) {
            if (!laid_)
                Lay(p.players, p.centers);
            else
                GameSize(p.players, p.centers);
            laid_ = true;
        }
        // The layout leaves the card count of a two-player table to its caller.
        Com.TotalCards = 52 * Com.NumPlayers;
        Table_Clear();
        for (int seat = 2; seat <= 4; ++seat)
            SeatRecordOf(seat).RecSide.Clear();
        Com.Pturn = p.pturn;
        Com.SideSize = p.sideSize;
        Com.ForcedCards = p.forced;
        Com.NoWildAce = p.noWildAce;

        std::vector<int> cards(Com.TotalCards);
        for (int i = 0; i < Com.TotalCards; ++i)
            cards[i] = i + 1;
        std::mt19937 rng(p.seed);
        std::shuffle(cards.begin(), cards.end(), rng);
        std::size_t next = 0;
        auto card = [&](auto& table, auto... at) {
            const int n = cards.at(next++);
            table(0, at...) = n;
            table(1, at...) = RankOf(n);
        };
        auto copy = [](auto& to, int slot, const auto& from, auto... at) {
            to(0, slot) = from(0, at...);
            to(1, slot) = from(1, at...);
        };

        for (int c = 1; c <= Com.NumCenters; ++c) {
            Eng.CenterCount(c) = (3 * c + p.seed) % 12;
            for (int d = 1; d <= Eng.CenterCount(c); ++d)
                card(Eng.Center, c, d);
        }
        Eng.UsedCount = 12;
        for (int i = 1; i <= Eng.UsedCount; ++i)
            card(Eng.UsedPile, i);

        Eng.PlayerSideCount = Com.SideSize + 1 - 4;
        for (int i = 1; i <= Eng.PlayerSideCount; ++i)
            card(Eng.PlayerSide, i);
        copy(Eng.PlayerCards, 1, Eng.PlayerSide, Eng.PlayerSideCount);
        Eng.PlayerSideStack = 26 - Eng.PlayerSideCount;
        for (int slot : {2, 3, 5})
            card(Eng.PlayerCards, slot);
        Eng.HandCount = 3;
        const int covered[5] = {0, 0, 3, 1, 5};
        for (int pile = 2; pile <= 4; ++pile) {
            Eng.PlayerHoldCount(pile) = covered[pile];
            for (int d = 1; d <= covered[pile]; ++d)
                card(Eng.PlayerHold, pile, d);
            card(Eng.PlayerCards, 6 + pile);
        }
        Eng.WildsFromSide = 1;
        Eng.WildsFromHand = 2;

        for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
            SeatRecord& rec = SeatRecordOf(seat);
            rec.RecSideCount = Com.SideSize + 1 - seat;
            for (int i = 1; i <= rec.RecSideCount; ++i)
                card(rec.RecSide, i);
            copy(rec.RecCards, 1, rec.RecSide, rec.RecSideCount);
            rec.RecSideStack = 25 * seat + 1 - rec.RecSideCount;
            for (int slot = 2; slot <= 6; ++slot)
                card(rec.RecCards, slot);
            const int depths[5] = {0, seat, 0, 3, 1};
            for (int pile = 1; pile <= 4; ++pile) {
                rec.RecHoldInfo(pile, 1) = depths[pile];
                rec.RecHoldInfo(pile, 2) = (pile + seat) % 3;
                for (int d = 1; d <= depths[pile]; ++d)
                    card(rec.RecHold, pile, d);
                if (depths[pile] > 0) copy(rec.RecCards, 6 + pile, rec.RecHold, pile, depths[pile]);
            }
            rec.RecWildsFromHand = 10 * seat + 2;
            rec.RecWildsFromSide = 10 * seat + 1;
        }
        Eng.DeckCount = std::min<int>(10, Com.TotalCards - static_cast<int>(next));
        for (int i = 1; i <= Eng.DeckCount; ++i)
            card(Eng.Deck, i);
        const SeatRecord& last = SeatRecordOf(Com.NumPlayers);
        Eng.SeatSideCount = last.RecSideCount;
        Eng.SeatSideStack = last.RecSideStack;
    }

    // Captures the position on the table and writes it as a record of the saved-game file.
    void SaveAs(int record, const QString& name = QStringLiteral("test game")) {
        Game_Capture();
        Sav.Buffer.Name = name;
        ASSERT_TRUE(SavedGameFile().Write(record, Sav.Buffer.Encode()));
    }

    // Restores a record of the saved-game file.
    void Restore(int record) {
        Sav.SaveSlot = record;
        Game_Restore(SavedGameFile());
    }

    SavedGame Stored(int record) { return SavedGame_Read(SavedGameFile(), record); }

    // Everything a restore rebuilds, one line per table (the stock's marks apart).
    static QStringList Model() {
        QStringList out;
        auto line = [&](const QString& name, std::initializer_list<int> values) {
            QStringList v;
            for (int x : values)
                v << QString::number(x);
            out << name + ": " + v.join(' ');
        };
        auto cells2 = [&](const QString& name, const BArray<int, 2>& a, int rows) {
            QStringList v;
            for (int j = a.LBound(2); j <= a.UBound(2); ++j)
                for (int i = 0; i < rows; ++i)
                    v << QString::number(a(i, j));
            out << name + ": " + v.join(' ');
        };
        auto cells3 = [&](const QString& name, const BArray<int, 3>& a) {
            QStringList v;
            for (int k = a.LBound(3); k <= a.UBound(3); ++k)
                for (int j = a.LBound(2); j <= a.UBound(2); ++j)
                    for (int i = a.LBound(1); i <= a.UBound(1); ++i)
                        v << QString::number(a(i, j, k));
            out << name + ": " + v.join(' ');
        };
        line("game", {Com.Pturn, Com.NumPlayers, Com.NumCenters, Com.TotalCards, Com.SideSize,
                      Com.ForcedCards, Com.NoWildAce ? 1 : 0});
        line("counts", {Eng.DeckCount, Eng.UsedCount, Eng.HandCount, Eng.PlayerSideCount, Eng.PlayerSideStack,
                        Eng.WildsFromHand, Eng.WildsFromSide});
        cells2("stock", Eng.Deck, 2);
        cells2("used", Eng.UsedPile, 2);
        cells3("centers", Eng.Center);
        QStringList counts;
        for (int c = 0; c <= Eng.CenterCount.UBound(1); ++c)
            counts << QString::number(Eng.CenterCount(c));
        out << "center counts: " + counts.join(' ');
        cells2("human side", Eng.PlayerSide, 2);
        cells2("human slots", Eng.PlayerCards, 2);
        cells3("human holds", Eng.PlayerHold);
        line("human hold counts", {Eng.PlayerHoldCount(1), Eng.PlayerHoldCount(2), Eng.PlayerHoldCount(3),
                                   Eng.PlayerHoldCount(4)});
        for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
            const SeatRecord& r = SeatRecordOf(seat);
            const QString s = QStringLiteral("seat %1 ").arg(seat);
            line(s + "counts", {r.RecSideCount, r.RecSideStack, r.RecWildsFromHand, r.RecWildsFromSide});
            cells2(s + "side", r.RecSide, 2);
            cells2(s + "slots", r.RecCards, 2);
            cells3(s + "holds", r.RecHold);
            QStringList info;
            for (int pile = 1; pile <= 4; ++pile)
                info << QString::number(r.RecHoldInfo(pile, 1)) << QString::number(r.RecHoldInfo(pile, 2));
            out << s + "hold table: " + info.join(' ');
        }
        return out;
    }

    // Compares two dumps line by line, naming the table that differs.
    static void ExpectSameModel(const QStringList& got, const QStringList& want, const std::string& what) {
        ASSERT_EQ(got.size(), want.size()) << what;
        for (int i = 0; i < want.size(); ++i)
            EXPECT_EQ(got[i].toStdString(), want[i].toStdString()) << what;
    }

    bool laid_ = false;
};
