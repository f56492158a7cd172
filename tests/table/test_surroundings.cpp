#include "common/Shared.h"
#include "engine/Model.h"
#include "table/Avatar.h"
#include "table/Backgrounds.h"
#include "table/DefaultArt.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "table/frmGrulm.h"
#include "table/frmHold.h"
#include "tests/support/TableTest.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>

#include <memory>
#include <set>

namespace {

class SurroundTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Backgrounds_ResetLinks();
        Com.UserPath = home->Path() + "/User/";
        QDir().mkpath(Com.UserPath + "Backgrounds");
        QDir().mkpath(Com.UserPath + "Avatars");
        form->SetClientSizePx(800, 560);
        Pictures_Init();
        Avatar_Install();
    }
    void TearDown() override {
        Backgrounds_ResetLinks();
        WindowTest::TearDown();
    }
    static void Save(const QString& path, QSize size, QColor colour) {
        QImage img(size, QImage::Format_ARGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(path, "PNG"));
    }
};

// ---------------------------------------------------------------- backgrounds

TEST_F(SurroundTest, CyclingWrapsThroughThePicturesAndTheMatColour) {
    struct Case {
        int index, count;
        bool forward;
        int want;
    } cases[] = {{0, 0, true, 1}, {1, 0, true, 1}, {1, 0, false, 1}, {1, 3, false, 4},
                 {4, 3, true, 1}, {2, 3, true, 3}, {3, 3, false, 2}, {0, 3, false, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(Background_Step(c.index, c.count, c.forward), c.want) << c.index << " " << c.count;
}

TEST_F(SurroundTest, DefaultPicturesComeOnlyIntoAFolderWithoutPictures) {
    const QString backgrounds = Com.UserPath + "Backgrounds/", avatars = Com.UserPath + "Avatars/";
    DefaultArt_Install(Com.UserPath);
    ASSERT_TRUE(QFile::exists(backgrounds + "Weave.png") && QFile::exists(avatars + "Brina.png"));
    ASSERT_TRUE(QFile::remove(backgrounds + "Weave.png") && QFile::remove(avatars + "Brina.png"));
    DefaultArt_Install(Com.UserPath); // the next start
    EXPECT_FALSE(QFile::exists(backgrounds + "Weave.png"));
    EXPECT_FALSE(QFile::exists(avatars + "Brina.png"));
    // A folder left with no picture at all (other files do not count) is furnished again.
    for (const QString& f : QDir(avatars).entryList(QDir::Files))
        QFile::remove(avatars + f);
    QFile notes(avatars + "notes.txt");
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    DefaultArt_Install(Com.UserPath);
    EXPECT_EQ(QDir(avatars).entryList({"*.png"}, QDir::Files).size(), DefaultArt_AvatarFiles().size());
    EXPECT_FALSE(QFile::exists(backgrounds + "Weave.png"));
}

TEST_F(SurroundTest, TheHintComesBeforeTheFirstCycleOnlyAndTheBoardIsFirst) {
    DefaultArt_Install(Com.UserPath);
    Save(Com.UserPath + "Backgrounds/Amber.png", QSize(30, 20), Qt::red);
    Backgrounds_ReadFolder();
    ASSERT_EQ(Tbl.BackgroundCount, 3);
    EXPECT_EQ(Tbl.BackgroundList.at(0), kGameBoardFile);
    int last = 0;
    BgLinks.LastBackground = [&] { return last; };
    BgLinks.SetLastBackground = [&](int i) { last = i; };
    Tbl.BackgroundIndex = 1;
    svc.boxes->Expect(platform::vbOK);
    Background_Cycle(40); // Down: the next picture, Amber
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Grulm Backgrounds");
    EXPECT_EQ(last, 2);
    // Tiled at its own size: every 30 x 20 cell is the red picture.
    const QImage& bg = form->Background();
    ASSERT_EQ(bg.size(), form->Window()->size());
    EXPECT_EQ(bg.pixelColor(45, 25), QColor(Qt::red));
    Background_Cycle(38); // back to the board, no second hint
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
    Background_Cycle(38); // back past the first picture: the mat colour
    EXPECT_EQ(Tbl.BackgroundIndex, 4);
    EXPECT_TRUE(form->Background().isNull());
    EXPECT_EQ(form->BackColor(), Com.MatColour);
    Background_Cycle(32);
    EXPECT_EQ(Tbl.BackgroundIndex, 1);
}

TEST_F(SurroundTest, AStretchedPictureCoversTheWindow) {
    Save(Com.UserPath + "Backgrounds/Dot.png", QSize(4, 4), Qt::blue);
    Backgrounds_ReadFolder();
    Tbl.BackgroundIndex = 1;
    Tbl.BackgroundStretch = true;
    Background_Load();
    EXPECT_EQ(form->Background().size(), form->Window()->size());
    EXPECT_EQ(form->Background().pixelColor(700, 500), QColor(Qt::blue));
}

TEST_F(SurroundTest, ADamagedOrVanishedPictureRebuildsTheListAndKeepsTheTable) {
    Save(Com.UserPath + "Backgrounds/Good.png", QSize(8, 8), Qt::green);
    WriteBytes(Com.UserPath + "Backgrounds/Bad.png", "not a picture");
    Backgrounds_ReadFolder();
    ASSERT_EQ(Tbl.BackgroundCount, 2);
    Tbl.BackgroundIndex = 2;
    Background_Load();
    const QImage good = form->Background();
    ASSERT_FALSE(good.isNull());
    Tbl.BackgroundIndex = 1; // Bad.png
    Background_Load();
    EXPECT_EQ(form->Background(), good);
    QFile::remove(Com.UserPath + "Backgrounds/Good.png");
    Tbl.BackgroundIndex = 2;
    Background_Load(); // the list shrank to one: index 2 is checked, not read
    EXPECT_EQ(Tbl.BackgroundCount, 1);
    EXPECT_EQ(form->Background(), good);
}

TEST_F(SurroundTest, TilesAreClippedToAnAreaSmallerThanThePicture) {
    QImage pic(50, 50, QImage::Format_ARGB32);
    pic.fill(Qt::white);
    pic.setPixelColor(10, 10, Qt::black);
    const QImage out = Background_Tiled(pic, QSize(25, 30));
    EXPECT_EQ(out.size(), QSize(25, 30));
    EXPECT_EQ(out.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_FALSE(Picture_Usable(QImage()));
}

// ---------------------------------------------------------------- avatars

TEST_F(SurroundTest, AvatarsFitTheBoxAndAnEmptyPictureKeepsThePrevious) {
    Tbl.ScreenWidthTwips = 15360;
    Tbl.ScreenHeightTwips = 11520;
    // The window the table takes on this screen: in a narrower one the avatar gives way to the cards.
    form->SetClientSizePx(1024, 700);
    Save(Com.UserPath + "Avatars/Square.png", QSize(64, 64), Qt::yellow);
    Save(Com.UserPath + "Avatars/Wide.png", QSize(100, 81), Qt::cyan);
    form->Avatar_Show("Square.png");
    EXPECT_EQ(form->ImgAvatar.WidthPx(), 130);
    EXPECT_EQ(form->ImgAvatar.HeightPx(), 130);
    form->Avatar_Show("Wide.png");
    EXPECT_EQ(form->ImgAvatar.WidthPx(), 130);
    EXPECT_DOUBLE_EQ(form->ImgAvatar.HeightPx() * 15, 1580); // 1950 x 0.81, the half to even
    // The slap picture sits on the avatar's bottom edge, just left of it.
    EXPECT_DOUBLE_EQ(form->imgSlap.TopPx() + form->imgSlap.HeightPx() + 2,
                     form->ImgAvatar.TopPx() + form->ImgAvatar.HeightPx());
    EXPECT_DOUBLE_EQ(form->imgSlap.LeftPx() * 15, form->ImgAvatar.LeftPx() * 15 - 6);
    WriteBytes(Com.UserPath + "Avatars/Empty.png", {});
    const QImage before = form->ImgAvatar.Picture();
    form->Avatar_Show("Empty.png");
    EXPECT_EQ(form->ImgAvatar.Picture(), before);
}

TEST_F(SurroundTest, CtrlClickRestoresThePersonalitysAvatarAndASlapComesAndGoes) {
    DefaultArt_Install(Com.UserPath);
    Tbl.PersonDefaultAvatar = "Torvek.png";
    form->ImgAvatar.On().MouseUp(-1, 1, 2, 10, 10);
    EXPECT_EQ(form->ShownAvatar, "Torvek.png");
    EXPECT_EQ(Tbl.ChosenAvatar, "Torvek.png");
    form->ImgAvatar.On().MouseUp(-1, 1, 0, 40.4, 60.6);
    form->ImgAvatar.FireClick();
    EXPECT_TRUE(form->imgSlap.Visible());
    EXPECT_EQ(svc.sound->played.back(), Com.UserPath + "Sounds/slap.wav");
    form->imgSlap.On().MouseMove(-1, 0, 0, 140, 61); // within reach of (40, 61)
    EXPECT_TRUE(form->imgSlap.Visible());
    form->imgSlap.On().MouseMove(-1, 0, 0, 141, 61);
    EXPECT_FALSE(form->imgSlap.Visible());
    form->ImgAvatar.FireClick();
    form->imgSlap.FireClick();
    EXPECT_FALSE(form->imgSlap.Visible());
    EXPECT_EQ(svc.sound->played.back(), Com.DataPath + "~118.tmp");
}

TEST_F(SurroundTest, TheThreeWaitingCommentsComeEachOnceThenNoMore) {
    for (int i = 0; i <= 35; ++i)
        Eng.SeatComments(i) = "comment " + QString::number(i);
    std::set<QString> said;
    for (int tick = 1; tick <= 3; ++tick) {
        form->Timer1.SetEnabled(true);
        form->Timer1.Fire();
        said.insert(form->Label9(2).Caption());
        EXPECT_FALSE(form->Timer1.Enabled());
    }
    EXPECT_EQ(said, (std::set<QString>{"comment 28", "comment 29", "comment 30"}));
    EXPECT_EQ(Tbl.WaitOrder(0), 4);
    form->Label9(2).SetCaption(QString());
    form->Timer1.Fire();
    EXPECT_EQ(form->Label9(2).Caption(), QString());
    EXPECT_EQ(Tbl.WaitOrder(0), 4);
    // A new game's table reset brings them back.
    Table_Clear();
    form->Timer1.Fire();
    EXPECT_FALSE(form->Label9(2).Caption().isEmpty());
}

// ---------------------------------------------------------------- the hold-pile viewer

TEST_F(SurroundTest, TheViewersCloseBoxHidesItWithItsPlacesIntact) {
    FrmHold& view = frmHold();
    view.Show();
    // Ten places overlapping by 60 twips, and 100 twips beyond the last.
    EXPECT_NEAR(view.WidthTw(), view.Picture8(1).Left() + 9 * 825 + 885 + 100, 15);
    QCloseEvent close;
    QApplication::sendEvent(view.Window(), &close);
    EXPECT_FALSE(view.IsVisible());
    EXPECT_TRUE(view.Loaded());
    view.Show();
    EXPECT_TRUE(view.Picture8.Exists(10));
    EXPECT_TRUE(view.Unload()); // the program's own unload closes it
    EXPECT_FALSE(view.Loaded());
}

TEST_F(SurroundTest, ARefreshFollowsTheViewedPileOnlyAndARightDragDoesNotMove) {
    Eng.Seat2Rec.RecName = "Grulm";
    Eng.SeatName = "Grulm";
    Eng.SeatHoldInfo(1, 1) = 3;
    Com.Pturn = 2;
    Tbl.ViewedSlot = 7;
    SideInfo_Show(Eng.Seat2Rec, 2);
    FrmHold& view = frmHold();
    ASSERT_EQ(view.lblHold.Caption(), " Grulm's Hold Cards Hidden: 2 ");
    Eng.SeatHoldInfo(1, 1) = 5;
    Com.Pturn = 3; // seat 3 moves: the viewer keeps seat 2's pile
    form->HoldView_Refresh("Torvek");
    EXPECT_EQ(view.lblHold.Caption(), " Grulm's Hold Cards Hidden: 2 ");
    Com.Pturn = 2;
    form->HoldView_Refresh("Grulm");
    EXPECT_EQ(view.lblHold.Caption(), " Grulm's Hold Cards Hidden: 4 ");
    EXPECT_TRUE(view.IsVisible());
    const QPoint at = view.Window()->pos();
    view.Picture8.On().MouseDown(1, 2, 0, 5, 5);
    view.FormDrag(2);
    EXPECT_EQ(view.Window()->pos(), at);
}

// ---------------------------------------------------------------- skins and the label check

TEST_F(SurroundTest, TheViewersSkinFollowsThePlaceholderLook) {
    for (int look : {0, 1}) {
        Com.PlaceholderStyle = look;
        FrmHold& view = frmHold();
        view.Unload();
        view.Show();
        const quint32 want = look ? 0x80C0FF : 0xC0C0C0;
        EXPECT_EQ(view.lblHold.BackColor(), want) << look;
        EXPECT_EQ(view.cmdExit(1).BackColor(), want) << look;
        EXPECT_FALSE(view.Background().isNull());
    }
}

TEST_F(SurroundTest, TheLabelCheckNamesEveryLabel) {
    form->Label9(3).SetCaption("You");
    form->Label9(4).SetCaption(QString());
    Labels_ShowAll();
    EXPECT_EQ(form->Label9(3).Caption(), "You 3");
    EXPECT_EQ(form->Label9(4).Caption(), "Label9 4");
    form->lblHighlight.SetCaption(QString());
    Labels_ShowAll();
    EXPECT_EQ(form->lblHighlight.Caption(), "lblHighlight"); // not an array: no index
    EXPECT_TRUE(form->Label9(4).Visible() && form->lblHighlight.Visible() && form->imgIcon.Visible());
}

} // namespace
