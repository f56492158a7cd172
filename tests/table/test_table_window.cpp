#include "common/Shared.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

using TableWindowTest = GameTest;

TEST_F(TableWindowTest, CreatesTheDesignTimePlacesUnderTheirNames) {
    FrmGrulm f;
    EXPECT_EQ(&frmGrulm(), &f);
    EXPECT_EQ(f.Name(), "frmGrulm");
    for (int i = 0; i <= 10; ++i) {
        EXPECT_TRUE(f.Picture7.Exists(i));
        EXPECT_TRUE(f.Picture1.Exists(i));
    }
    EXPECT_EQ(f.Picture7(4).Name(), "Picture7");
    EXPECT_EQ(f.Picture7(4).Index(), 4);
    EXPECT_FALSE(f.Picture2.Exists(2)); // seat 3's places come with the game size
    EXPECT_FALSE(f.PicCenter.Exists(4));
    EXPECT_EQ(f.PicCenter(0).ToolTipText(), "STOCK");
    EXPECT_EQ(f.PicCenter(2).ToolTipText(), "Play to the CENTER piles");
    EXPECT_EQ(f.Picture1(5).ToolTipText(), "Grulm's cards");
    EXPECT_EQ(f.cmdDeal.Caption(), "DEAL");
    EXPECT_FALSE(f.Picture7(0).Visible());
}

TEST_F(TableWindowTest, PilesEnableSparesTheHoldPlacesInATutorial) {
    FrmGrulm f;
    f.Piles_Enable(false);
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(f.Picture7(i).Enabled()) << i;
    Com.TutorialMode = true;
    f.Piles_Enable(false);
    for (int i = 1; i <= 6; ++i)
        EXPECT_FALSE(f.Picture7(i).Enabled()) << i;
    for (int i = 7; i <= 10; ++i)
        EXPECT_TRUE(f.Picture7(i).Enabled()) << i;
    f.Piles_Enable(true);
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(f.Picture7(i).Enabled()) << i;
}

TEST_F(TableWindowTest, AvatarPictureComesFromTheUsersAvatarFolder) {
    FrmGrulm f;
    Com.UserPath = home->Path() + "/User/";
    QDir().mkpath(Com.UserPath + "Avatars");
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::yellow);
    ASSERT_TRUE(img.save(Com.UserPath + "Avatars/me.png"));
    f.Avatar_Show("me.png");
    EXPECT_EQ(f.ShownAvatar, "me.png");
    EXPECT_EQ(f.ImgAvatar.Picture().pixelColor(1, 1), QColor(Qt::yellow));
    f.Avatar_Show("missing.png");
    EXPECT_EQ(f.ImgAvatar.Picture().pixelColor(1, 1), QColor(Qt::yellow));
}

TEST_F(TableWindowTest, ClosingTheWindowUnloadsIt) {
    FrmGrulm f;
    f.Show();
    EXPECT_TRUE(platform::Form::IsLoaded("frmGrulm"));
    f.Window()->close();
    EXPECT_FALSE(f.IsVisible());
    EXPECT_FALSE(platform::Form::IsLoaded("frmGrulm"));
}
