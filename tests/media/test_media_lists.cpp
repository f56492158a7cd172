#include "media/MediaLists.h"
#include "table/TableState.h"
#include "tests/media/MediaTestSupport.h"

namespace {
QStringList Entries(const BArray<QString, 1>& list, int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << list(i);
    return out;
}
} // namespace

TEST_F(MediaTest, ListsTakeTheirEndingsInAnyCapitalsAndStartEmpty) {
    List_Avatars();
    EXPECT_EQ(Med.AvatarCount, 0);
    EXPECT_EQ(Med.AvatarList.UBound(), 0);
    for (const char* f : {"b.JPG", "a.jpg", "c.jpeg", "d.Gif", "e.bmp", "f.png"})
        WriteBytes(Com.UserPath + "Avatars/" + f, "x");
    QDir().mkpath(Com.UserPath + "Avatars/dir.jpg");
    for (const char* f : {"Rude.cmt", "Kind.CMT", "Bob_1.ran", "x.cmtx"})
        WriteBytes(Com.UserPath + f, "x");
    List_Avatars();
    List_CommentFiles();
    List_ScoreFiles();
    EXPECT_EQ(Entries(Med.AvatarList, Med.AvatarCount), (QStringList{"a.jpg", "b.JPG", "d.Gif", "e.bmp", "f.png"}));
    EXPECT_EQ(Entries(Med.CommentFiles, Med.CommentFileCount), (QStringList{"Kind", "Rude"}));
    EXPECT_EQ(Entries(Med.ScoreFiles, Med.ScoreFileCount), QStringList{"Bob_1"});
    EXPECT_EQ(Med.AvatarList(0), "");
}

TEST_F(MediaTest, BackgroundRemovalSparesTheDefaultBoardOnly) {
    const QString folder = Com.UserPath + "Backgrounds/";
    for (const char* f : {"GameBoard.png", "Moon.jpg", "sea.bmp"})
        WriteBytes(folder + f, "x");
    Tbl.BackgroundIndex = 9;
    List_Backgrounds();
    EXPECT_EQ(Tbl.BackgroundCount, 3);
    EXPECT_EQ(Med.GameBoardIndex, 1);
    EXPECT_EQ(Tbl.BackgroundIndex, 1);

    svc.boxes->Expect(platform::vbOK);
    Background_Remove();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].style, platform::vbCritical);
    EXPECT_TRUE(QFileInfo::exists(folder + "GameBoard.png"));

    int cycled = 0;
    MedHooks.Background_Cycle = [&](int key) { cycled = key; };
    Tbl.BackgroundIndex = 3;
    svc.boxes->Expect(platform::vbOK);
    Background_Remove();
    EXPECT_EQ(svc.boxes->shown.back().text, "Background removed.");
    EXPECT_FALSE(QFileInfo::exists(folder + "sea.bmp"));
    EXPECT_EQ(Tbl.BackgroundIndex, 2);
    EXPECT_EQ(Tbl.BackgroundCount, 2);
    EXPECT_EQ(cycled, 40);

    // The plain colour is no file, and neither is a picture someone else removed.
    Tbl.BackgroundIndex = Tbl.BackgroundCount + 1;
    Background_Remove();
    QFile::remove(folder + "Moon.jpg");
    Tbl.BackgroundIndex = 2;
    Background_Remove();
    EXPECT_EQ(svc.boxes->shown.size(), 2u);
}

TEST_F(MediaTest, DefaultBoardInOtherCapitalsIsAnOrdinaryPicture) {
    WriteBytes(Com.UserPath + "Backgrounds/gameboard.GIF", "x");
    List_Backgrounds();
    EXPECT_EQ(Med.GameBoardIndex, 0);
    Tbl.BackgroundIndex = 1;
    svc.boxes->Expect(platform::vbOK);
    Background_Remove();
    EXPECT_EQ(Tbl.BackgroundCount, 0);
}
