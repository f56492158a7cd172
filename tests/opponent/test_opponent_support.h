#pragma once
// A laid-out table with computer seats, a stock that is rebuilt from the used pile,
// a stalemate that ends the game, and a check that every card lies somewhere once.
#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"
#include "tests/support/TableTest.h"

#include <string>
#include <vector>

class OpponentTest : public LaidTableTest {
  protected:
    void SetUp() override {
        LaidTableTest::SetUp();
        Opponent_Reset();
        Opponent_MoveDone = [this] { Check(); };
        Com.AnimSteps = 1;
        Com.PlayerName = "Ada";
        Hooks.RESHUFFLE = [] {
            ReshuffleUsedPile();
            return true;
        };
        Hooks.STALEMATE = [] {
            Eng.StaleMode = 1;
            return true;
        };
        Opponent_Install();
    }
    void TearDown() override {
        Opponent_PlaySeat1(-1);
        Opponent_MoveDone = [] {};
        LaidTableTest::TearDown();
    }

    // Where every card lies now; a fault is recorded once with the move it happened at.
    void Check() {
        ++moves;
        if (!fault.empty()) return;
        std::vector<int> seen(Com.TotalCards + 1, 0);
        auto count = [&](int number, const char* where) {
            if (number < 1 || number > Com.TotalCards) {
                fault = std::string("card number out of range in ") + where;
                return;
            }
            ++seen[number];
        };
        for (int i = 1; i <= Eng.DeckCount; ++i)
            count(Eng.Deck(0, i), "stock");
        for (int i = 1; i <= Eng.UsedCount; ++i)
            count(Eng.UsedPile(0, i), "used pile");
        for (int c = 1; c <= Com.NumCenters; ++c) {
            if (Eng.CenterCount(c) > 12) fault = "center past its limit";
            for (int i = 1; i <= Eng.CenterCount(c); ++i)
                count(Eng.Center(0, c, i), "center");
        }
        for (int seat = 1; seat <= Com.NumPlayers; ++seat)
            CountSeat(seat, count);
        for (int n = 1; n <= Com.TotalCards && fault.empty(); ++n)
            if (seen[n] != 1)
                fault = "card " + std::to_string(n) + " lies " + std::to_string(seen[n]) + " times";
        if (!fault.empty()) fault += " (move " + std::to_string(moves) + ")";
    }

    template <typename Count> void CountSeat(int seat, Count& count) {
        const bool working = seat == Com.Pturn && (seat != 1 || Opponent_Seat1Level() >= 0);
        if (seat == 1 && !working) {
            for (int i = 1; i <= Eng.PlayerSideCount; ++i)
                count(Eng.PlayerSide(0, i), "side");
            for (int s = 2; s <= 10; ++s)
                if (Eng.PlayerCards(0, s) != 0) count(Eng.PlayerCards(0, s), "human cards");
            for (int p = 1; p <= 4; ++p) {
                if (Eng.PlayerHoldCount(p) > kHoldCovered) fault = "human hold pile past its limit";
                for (int i = 1; i <= Eng.PlayerHoldCount(p); ++i)
                    count(Eng.PlayerHold(0, p, i), "human hold");
            }
            return;
        }
        const SeatRecord* rec = working ? nullptr : &SeatRecordOf(seat);
        const int sideCount = rec ? rec->RecSideCount : Eng.SeatSideCount;
        for (int i = 1; i <= sideCount; ++i)
            count(rec ? rec->RecSide(0, i) : Eng.SeatSide(0, i), "side");
        for (int s = 2; s <= 6; ++s) {
            const int n = rec ? rec->RecCards(0, s) : Eng.SeatCards(0, s);
            if (n != 0) count(n, "hand");
        }
        for (int p = 1; p <= 4; ++p) {
            const int d = rec ? rec->RecHoldInfo(p, 1) : Eng.SeatHoldInfo(p, 1);
            if (d > kSeatHoldLimit) fault = "hold pile past its limit";
            for (int i = 1; i <= d && i <= kHoldPlaces; ++i)
                count(rec ? rec->RecHold(0, p, i) : Eng.SeatHold(0, p, i), "hold");
        }
    }

    static bool GameOver() {
        if (Eng.StaleMode == 1 || Eng.PlayerSideCount == 0) return true;
        for (int seat = 2; seat <= Com.NumPlayers; ++seat)
            if (SeatRecordOf(seat).RecSideCount == 0) return true;
        return false;
    }

    // Seats 2 to n at their levels; seat 1 played by the same code at level1.
    void Seats(int players, int level1, int others) {
        Table(players);
        Opponent_PlaySeat1(level1);
        for (int seat = 2; seat <= 4; ++seat)
            SeatRecordOf(seat).RecLevel = others;
    }

    // Deals and plays one whole game; false when it did not end.
    bool PlayGame(unsigned seed) {
        platform::Svc().random.Randomize(seed);
        // No question about leaving a game the last one has already ended.
        Eng.SeatSideCount = 0;
        Eng.CompTurnActive = Eng.TableBusy = false;
        const int turns = Opponent_TurnsEnded();
        Game_New();
        for (int round = 0; round < 50 && !GameOver() && fault.empty(); ++round)
            ComputerTurn();
        return GameOver() && Opponent_TurnsEnded() > turns;
    }

    std::string fault;
    int moves = 0;
};
