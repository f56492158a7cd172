#pragma once
// A dealt two-player game with the human on turn, the pointer handlers wired, mouse
// events sent to the offscreen window, and the count of every card on the table.
#include "engine/Discard.h"
#include "engine/Plays.h"
#include "engine/RuleMessages.h"
#include "shell/SavedGames.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "table/Drag.h"
#include "table/HandOrder.h"
#include "table/Panel.h"
#include "tests/engine/test_deal_support.h"

#include <QCoreApplication>
#include <QMouseEvent>

class HumanTurnTest : public DealTest {
  protected:
    void SetUp() override {
        DealTest::SetUp();
        Drag_Install(*form);
        Com.SideSize = 19;
        Game_New();
        ASSERT_EQ(Com.Pturn, 1);
    }

    // Swaps a card of `rank` from the stock into the human's slot; every card stays once.
    static void Give(int slot, int rank) {
        if (Eng.PlayerCards(1, slot) == rank) return;
        for (int i = 1; i <= Eng.DeckCount; ++i) {
            if (Eng.Deck(1, i) != rank) continue;
            for (int k = 0; k <= 1; ++k)
                std::swap(Eng.Deck(k, i), Eng.PlayerCards(k, slot));
            if (slot == 1) {
                Eng.PlayerSide(0, Eng.PlayerSideCount) = Eng.PlayerCards(0, 1);
                Eng.PlayerSide(1, Eng.PlayerSideCount) = Eng.PlayerCards(1, 1);
            }
            PictureBox& p = frmGrulm().Picture7(slot);
            p.SetVisible(true);
            p.SetEnabled(true);
            Card_Show(frmGrulm().Picture7, slot, Eng.PlayerCards(0, slot), 0);
            return;
        }
        FAIL() << "no card of rank " << rank << " in the stock";
    }
    // Moves the top `n` stock cards beneath the top of the human's hold pile `p`.
    static void Bury(int p, int n) {
        for (int i = 0; i < n; ++i) {
            const int d = ++Eng.PlayerHoldCount(p);
            for (int k = 0; k <= 1; ++k) {
                Eng.PlayerHold(k, p, d) = Eng.Deck(k, Eng.DeckCount);
                Eng.Deck(k, Eng.DeckCount) = 0;
            }
            --Eng.DeckCount;
        }
    }

    // Every card of the game where it lies; a failure names the card found twice or missing.
    static ::testing::AssertionResult EveryCardOnce() {
        std::map<int, int> n;
        auto pile = [&](const BArray<int, 2>& a, int count) {
            for (int i = 1; i <= count; ++i)
                ++n[a(0, i)];
        };
        pile(Eng.Deck, Eng.DeckCount);
        pile(Eng.UsedPile, Eng.UsedCount);
        for (int c = 1; c <= Com.NumCenters; ++c)
            for (int d = 1; d <= Eng.CenterCount(c); ++d)
                ++n[Eng.Center(0, c, d)];
        pile(Eng.PlayerSide, Eng.PlayerSideCount);
        for (int s = 2; s <= 10; ++s)
            if (Eng.PlayerCards(1, s) != 0) ++n[Eng.PlayerCards(0, s)];
        for (int p = 1; p <= 4; ++p) {
            if (Eng.PlayerHoldCount(p) > kHoldCovered)
                return ::testing::AssertionFailure() << "hold pile past its limit";
            for (int d = 1; d <= Eng.PlayerHoldCount(p); ++d)
                ++n[Eng.PlayerHold(0, p, d)];
        }
        for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
            const SeatRecord& r = SeatRecordOf(seat);
            pile(r.RecSide, r.RecSideCount);
            for (int s = 2; s <= 6; ++s)
                if (r.RecCards(1, s) != 0) ++n[r.RecCards(0, s)];
            for (int p = 1; p <= 4; ++p)
                for (int d = 1; d <= r.RecHoldInfo(p, 1); ++d)
                    ++n[r.RecHold(0, p, d)];
        }
        for (int card = 1; card <= Com.TotalCards; ++card)
            if (n[card] != 1)
                return ::testing::AssertionFailure()
                       << "card " << card << " is there " << n[card] << " times";
        if (n.size() != static_cast<size_t>(Com.TotalCards))
            return ::testing::AssertionFailure() << "a card 0 or foreign card";
        return ::testing::AssertionSuccess();
    }

    static void Send(PictureBox& p, QEvent::Type type, QPointF local, Qt::MouseButton b = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
        QMouseEvent e(type, local, p.Widget()->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : b, held, Qt::NoModifier);
        QCoreApplication::sendEvent(p.Widget(), &e);
    }
    // Presses on slot at the card's middle, moves in steps until its left top lies at (left, top), releases.
    void DragTo(int slot, double left, double top, int steps = 6) {
        PictureBox& p = form->Picture7(slot);
        const QPointF grab(30, 40);
        const QPointF start(p.LeftPx(), p.TopPx());
        Send(p, QEvent::MouseButtonPress, grab);
        for (int i = 1; i <= steps; ++i) {
            const QPointF at = start + (QPointF(left, top) - start) * i / steps + grab;
            Send(p, QEvent::MouseMove, at - QPointF(p.LeftPx(), p.TopPx()));
        }
        Send(p, QEvent::MouseButtonRelease, grab);
    }
    void DoubleClick(int slot) {
        PictureBox& p = form->Picture7(slot);
        Send(p, QEvent::MouseButtonPress, {20, 20});
        Send(p, QEvent::MouseButtonRelease, {20, 20});
        Send(p, QEvent::MouseButtonDblClick, {20, 20});
        Send(p, QEvent::MouseButtonRelease, {20, 20});
    }
    QString Rule() { return form->Label9(1).Caption(); }
};
