// Seat 1 played by the decision code at an Internet table: the order it puts its hand in
// reaches a current peer as moves inside the hand; a peer of version "40" takes none, so
// every move names the slot that peer holds the card in, and the turn ends with the hand
// in that peer's order.
#include "opponent/OnlineSeat.h"
#include "opponent/Plays.h"
#include "tests/opponent/test_opponent_support.h"

#include <utility>
#include <vector>

namespace {

class OnlineSeatTest : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        Table(2);
        Com.NetGame = 1;
        Com.Pturn = 1;
        Opponent_PlaySeat1(1);
        auto record = [this] { sent.emplace_back(Eng.MoveFrom, Eng.MoveTo); };
        Netl.Move_Transmit = record;
        Netl.Move_Transmit_Done = record;
    }
    // Hand slots 2 to 6 of the working set, by card number.
    static void Hand(const std::vector<int>& cards) {
        for (int i = 0; i < 5; ++i) {
            int n = cards[static_cast<size_t>(i)];
            Eng.SeatCards(0, 2 + i) = n;
            Eng.SeatCards(1, 2 + i) = n != 0 ? Card_Rank(n) : 0;
        }
    }
    static std::vector<int> HandNow() {
        std::vector<int> h;
        for (int s = 2; s <= 6; ++s)
            h.push_back(Eng.SeatCards(0, s));
        return h;
    }
    // The card in `slot` goes to center pile 1, then the card `card` to hold pile 1.
    static void PlayThenDiscard(int slot, int card) {
        Eng.PlayCard(0) = Eng.SeatCards(0, slot);
        Eng.SeatCards(0, slot) = Eng.SeatCards(1, slot) = 0;
        OnlineSeat_Send(slot, 1, false);
        const std::vector<int> h = HandNow();
        const int from = 2 + static_cast<int>(std::find(h.begin(), h.end(), card) - h.begin());
        Eng.SeatCards(0, 7) = card;
        Eng.SeatCards(0, from) = Eng.SeatCards(1, from) = 0;
        OnlineSeat_Send(from, 7, true);
    }

    std::vector<std::pair<int, int>> sent;
};

TEST_F(OnlineSeatTest, ACurrentPeerIsToldTheNewOrderAndAnOldOneNameTheSlotsItHolds) {
    const std::vector<int> dealt = {5, 40, 13, 2, 27}; // ranks 5, 1, 13, 2, 1
    Com.PeerVersion = "96";
    Hand(dealt);
    Comp_Reseq();
    EXPECT_EQ(HandNow(), (std::vector<int>{13, 5, 2, 40, 27}));
    ASSERT_FALSE(sent.empty());
    for (const auto& [from, to] : sent)
        EXPECT_GE(to, 12) << "a move inside the hand";

    sent.clear();
    Com.PeerVersion = "40";
    Hand(dealt);
    Comp_Reseq();
    EXPECT_TRUE(sent.empty()) << "no move inside the hand reaches an old peer";
    // The King, sorted into slot 2 here, lies in slot 4 on the peer's table; the 2 in slot 5.
    PlayThenDiscard(2, 2);
    EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{{4, 1}, {5, 7}}));
    // The turn ends with the hand as the peer holds it: the next refill fills the same slots.
    EXPECT_EQ(HandNow(), (std::vector<int>{5, 40, 0, 0, 27}));
    // The next turn starts alike on both tables: its moves name their own slots.
    sent.clear();
    Eng.PlayCard(0) = 40;
    Eng.SeatCards(0, 3) = Eng.SeatCards(1, 3) = 0;
    OnlineSeat_Send(3, 1, false);
    EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{{3, 1}}));
}

} // namespace
