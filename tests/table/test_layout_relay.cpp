#include "table/Display.h"
#include "table/LayoutPlan.h"
#include "table/Pictures.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "tests/table/test_layout_support.h"

#include <QDir>
#include <functional>

namespace {

// The game's own calls that lay the table out, each through the table's plan.
class LayoutRelayTest : public LayoutTest {
  protected:
    void SetUp() override {
        LayoutTest::SetUp();
        Pictures_Init();
        StatusBar_Init();
        Com.UserPath = home->Path() + "/User/";
        QDir().mkpath(Com.UserPath + "Avatars");
        Picture("Square.png", QSize(64, 64));
        Picture("Wide.png", QSize(100, 60));
        Eng.Seat2Rec.RecName = "Grulm";
        Eng.Seat3Rec.RecName = "Torvek";
        // Each time a plan is put on the table the background is drawn again for it.
        DispHooks.BackgroundChosen = [] { return true; };
        DispHooks.Background_Load = [this] { ++applied; };
    }
    void Picture(const QString& name, QSize size) {
        QImage img(size, QImage::Format_ARGB32);
        img.fill(Qt::yellow);
        ASSERT_TRUE(img.save(Com.UserPath + "Avatars/" + name, "PNG"));
    }
    int applied = 0;
};

TEST_F(LayoutRelayTest, ACallThatChangesNothingLeavesTheTableAsItStands) {
    struct Case {
        const char* what;
        std::function<void(FrmGrulm&)> call;
        int applied;
    } cases[] = {
        {"the table cleared", [](FrmGrulm&) { Table_Clear(); }, 0},
        {"the seats named again", [](FrmGrulm&) { Table_ShowSeats(); }, 0},
        {"the same avatar again", [](FrmGrulm& f) { f.Avatar_Show("Square.png"); }, 0},
        {"an avatar of another shape", [](FrmGrulm& f) { f.Avatar_Show("Wide.png"); }, 1},
        {"a seat of another name",
         [](FrmGrulm&) {
             Eng.Seat2Rec.RecName = "Wwwwwwwwwwwwwwwwwwww";
             Table_ShowSeats();
         },
         1},
        {"the display made smaller", [](FrmGrulm&) { Display_ChangeImpl(1); }, 1},
    };
    for (const Case& c : cases) {
        Eng.Seat2Rec.RecName = "Grulm";
        NewTable(3, 4, 15360);
        Com.Pturn = 1;
        form->Avatar_Show("Square.png");
        applied = 0;
        c.call(*form);
        EXPECT_EQ(applied, c.applied) << c.what;
    }
}

// Whatever showed the avatar or named the seats, the table is the one a fresh start with that
// picture and those names lays out.
TEST_F(LayoutRelayTest, ATableChangedInPlayIsTheOneAFreshStartLaysOut) {
    struct Case {
        int players, twips;
    } cases[] = {{2, 9600}, {2, 12000}, {3, 15360}, {4, 15360}};
    for (const Case& c : cases) {
        Eng.Seat2Rec.RecName = "Grulm";
        Com.Pturn = 1;
        NewTable(c.players, 4, c.twips);
        form->Avatar_Show("Wide.png");
        Eng.Seat2Rec.RecName = "Wwwwwwwwwwwwwwwwwwww";
        Table_ShowSeats();
        const QString changed = Layout_Dump();

        form = std::make_unique<FrmGrulm>();
        Table_ResetState();
        form->ImgAvatar.SetPicture(QImage(Com.UserPath + "Avatars/Wide.png"));
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        Table(c.players, 4, c.twips);
        EXPECT_EQ(changed, Layout_Dump()) << c.players << " players, " << c.twips;
    }
}

// Seats whose avatars differ in shape take turns on the table: each shape's plan is worked out once.
TEST_F(LayoutRelayTest, PlansForAvatarsTakingTurnsAreWorkedOutOnce) {
    NewTable(3, 4, 15360);
    LayoutInputs square = Layout_InputsNow(DisplayMode::Standard, false), wide = square;
    square.avatarPicture = QSize(64, 64);
    wide.avatarPicture = QSize(100, 60);
    const auto first = Layout_PlanFor(square), other = Layout_PlanFor(wide);
    EXPECT_EQ(Layout_PlanFor(square), first);
    EXPECT_EQ(Layout_PlanFor(wide), other);
    EXPECT_NE(first, other);
}

} // namespace
