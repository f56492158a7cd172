#include "engine/TableCodes.h"
#include "table/LayoutPlan.h"
#include "table/Pictures.h"
#include "table/Redraw.h"
#include "tests/table/test_layout_support.h"

#include <QDir>

namespace {

// Whatever showed the avatar or named the seats in play, the table is the one a fresh start with
// that picture and those names lays out; a call that changes nothing puts no plan on it again.
TEST_F(LayoutTest, ATableChangedInPlayIsTheOneAFreshStartLaysOut) {
    Pictures_Init();
    Com.UserPath = home->Path() + "/User/";
    QDir().mkpath(Com.UserPath + "Avatars");
    QImage wide(100, 60, QImage::Format_ARGB32);
    wide.fill(Qt::yellow);
    ASSERT_TRUE(wide.save(Com.UserPath + "Avatars/Wide.png", "PNG"));
    int applied = 0;
    DispHooks.BackgroundChosen = [] { return true; };
    DispHooks.Background_Load = [&applied] { ++applied; };
    Com.Pturn = 1;
    for (const auto& [players, twips] : {std::pair{2, 9600}, {2, 12000}, {3, 15360}, {4, 15360}}) {
        Eng.Seat2Rec.RecName = "Grulm";
        NewTable(players, 4, twips);
        form->Avatar_Show("Wide.png");
        Eng.Seat2Rec.RecName = "Wwwwwwwwwwwwwwwwwwww";
        Table_ShowSeats();
        const QString changed = Layout_Dump();
        applied = 0;
        Table_Clear();
        Table_ShowSeats();
        form->Avatar_Show("Wide.png");
        EXPECT_EQ(applied, 0) << players << " players, " << twips;

        form = std::make_unique<FrmGrulm>();
        Table_ResetState();
        form->ImgAvatar.SetPicture(wide);
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        Table(players, 4, twips);
        EXPECT_EQ(changed, Layout_Dump()) << players << " players, " << twips;
    }
}

// Seats that come to the table in play show their names, as seat 2 does.
TEST_F(LayoutTest, SeatsThatComeToTheTableShowTheirNames) {
    Eng.Seat3Rec.RecName = "Torvek";
    Eng.Seat4Rec.RecName = "Oskrel";
    for (const int twips : {9600, 12000, 13500, 15360}) {
        NewTable(2, 3, twips);
        GameSize(4, 4);
        EXPECT_EQ(form->Label9(SeatNameLabel(3)).Caption(), "Torvek") << twips;
        EXPECT_EQ(form->Label9(SeatNameLabel(4)).Caption(), "Oskrel") << twips;
    }
}

} // namespace
