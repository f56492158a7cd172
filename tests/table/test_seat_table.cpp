#include "engine/SeatTable.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "tests/table/test_layout_support.h"

#include <set>
#include <stdexcept>

namespace {

using SeatTableTest = LayoutTest;

TEST_F(SeatTableTest, EverySeatInPlayOwnsItsPlacesStackAndOutlines) {
    for (int players = 2; players <= 4; ++players) {
        Table(players, players == 2 ? 3 : 4, 15360);
        std::set<const void*> owned;
        for (int seat = 1; seat <= players; ++seat) {
            const SeatParts s = Seat(seat);
            ASSERT_NE(s.places, nullptr);
            EXPECT_EQ(SeatOf(*s.places).seat, seat) << players << " players";
            EXPECT_EQ(s.record == nullptr, seat == 1);
            if (s.record) {
                EXPECT_EQ(s.cards, &s.record->RecCards);
            }
            for (const void* part : {static_cast<const void*>(s.places), static_cast<const void*>(s.cards),
                                     static_cast<const void*>(s.side)})
                EXPECT_TRUE(owned.insert(part).second) << "seat " << seat << " shares a part";
            // The laid-out stack steps left from the seat's own side place.
            EXPECT_DOUBLE_EQ(form->Stack(s.TopEdge()).LeftPx(), (*s.places)(1).LeftPx() - 3)
                << players << " players, seat " << seat;
            EXPECT_DOUBLE_EQ(form->Stack(s.firstEdge).LeftPx(), (*s.places)(1).LeftPx() - 57);
            for (int h = 0; h < kOutlinesPerSeat; ++h)
                EXPECT_TRUE(form->StackHold.Exists(s.firstHold + h)) << seat << " outline " << h;
        }
        for (int seat = 2; seat <= players; ++seat) {
            // A covered hold pile is marked by the seat's own outline, beside its hold place.
            const SeatParts s = Seat(seat);
            Hold_Highlight(*s.places, true, 2);
            EXPECT_TRUE(form->StackHold(s.firstHold + 1).Visible()) << players << " players, seat " << seat;
        }
    }
}

TEST_F(SeatTableTest, PlacesOfNoSeatAndSeatsOutOfRangeAreRefused) {
    Table(2, 3, 12000);
    EXPECT_EQ(SeatOf(form->PicCenter).seat, 0);
    EXPECT_EQ(SeatOf(form->PicCenter).record, nullptr);
    EXPECT_THROW(Seat(0), std::out_of_range);
    EXPECT_THROW(Seat(5), std::out_of_range);
}

} // namespace
