#include "common/Shared.h"
#include "platform/Settings.h"
#include "shell/Folders.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
class FoldersTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Folders_SetAppPath(home->Path() + "/install");
        QDir().mkpath(home->Path() + "/install");
    }
    void TearDown() override {
        Folders_SetAppPath(QString());
        GameTest::TearDown();
    }
    QString DataRoot() const { return home->Path() + "/data"; }
    QString Product() const { return DataRoot() + "/Vornhelm/Grulm and Torvek"; }
};
} // namespace

TEST_F(FoldersTest, AppDataPathIsTheProductFolderAndIsCreated) {
    ASSERT_FALSE(QFileInfo::exists(Product()));
    EXPECT_EQ(GetAppDataPath(), Product());
    EXPECT_TRUE(QFileInfo(Product()).isDir());
    EXPECT_EQ(GetAppDataPath(), Product()); // already there
}

TEST_F(FoldersTest, AppDataPathIsEmptyWhenTheFolderCannotBeMade) {
    const QString blocker = home->Path() + "/blocker";
    WriteBytes(blocker, "x");
    qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
    ASSERT_EQ(platform::UserDataRoot(), blocker);
    EXPECT_EQ(GetAppDataPath(), "");
}

TEST_F(FoldersTest, InitSetsThePathsAndCreatesTheFolders) {
    QDir().mkpath(home->Path() + "/Documents");
    QString error = "untouched";
    ASSERT_TRUE(Folders_Init(&error));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(Com.AppPath, home->Path() + "/install");
    EXPECT_EQ(Com.DataPath, Product() + "/Data/");
    EXPECT_EQ(Com.UserPath, Product() + "/User/");
    EXPECT_EQ(Com.DocsPath, home->Path() + "/Documents");
    for (const char* sub : {"Data", "User", "User/Avatars", "User/Backgrounds", "User/Sounds", "User/Icons"})
        EXPECT_TRUE(QFileInfo(Product() + "/" + sub).isDir()) << sub;
}

TEST_F(FoldersTest, InitKeepsWhatIsAlreadyThere) {
    ASSERT_TRUE(Folders_Init(nullptr));
    WriteBytes(Com.DataPath + "Prefs.sav", "x");
    ASSERT_TRUE(Folders_Init(nullptr));
    EXPECT_TRUE(QFileInfo::exists(Com.DataPath + "Prefs.sav"));
}

// The install folder is not the player's to write: the dialogs start at home, else in the data folder.
TEST_F(FoldersTest, DocumentsFallBackToTheHomeThenTheDataFolder) {
    ASSERT_FALSE(QFileInfo::exists(home->Path() + "/Documents"));
    ASSERT_TRUE(Folders_Init(nullptr));
    EXPECT_EQ(Com.DocsPath, QDir::homePath());
    EXPECT_NE(Com.DocsPath, Com.AppPath);
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", (home->Path() + "/gone").toLocal8Bit());
    ASSERT_TRUE(Folders_Init(nullptr));
    EXPECT_EQ(Com.DocsPath, StripSlash(Com.DataPath));
    qputenv("HOME", oldHome);
}

TEST_F(FoldersTest, InitFailsCleanlyWhenTheDataRootIsAFile) {
    const QString blocker = home->Path() + "/blocker";
    WriteBytes(blocker, "x");
    qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
    Com.DataPath = "stale";
    QString error;
    EXPECT_FALSE(Folders_Init(&error));
    EXPECT_TRUE(error.contains(blocker + "/Vornhelm/Grulm and Torvek")) << error.toStdString();
    EXPECT_EQ(Com.DataPath, "");
    EXPECT_EQ(Com.UserPath, "");
}

TEST_F(FoldersTest, InitNamesTheSubfolderItCannotMake) {
    QDir().mkpath(Product() + "/User");
    WriteBytes(Product() + "/User/Backgrounds", "x");
    QString error;
    EXPECT_FALSE(Folders_Init(&error));
    EXPECT_TRUE(error.contains(Product() + "/User/Backgrounds")) << error.toStdString();
    EXPECT_EQ(Com.UserPath, "");
}

TEST(FoldersAppPath, AssetsBesideTheExecutableWin) {
    QTemporaryDir dir;
    EXPECT_EQ(Folders_AppPathFor(dir.path()), dir.path());
    QDir().mkpath(dir.path() + "/assets");
    EXPECT_EQ(Folders_AppPathFor(dir.path()), dir.path() + "/assets");
}

TEST_F(FoldersTest, SpecialFoldersByIdAndTheFallback) {
    Com.AppPath = "/opt/game";
    EXPECT_EQ(GetSpecialFolder(kFolderAppData), DataRoot());
    EXPECT_EQ(GetSpecialFolder(kFolderDocuments), QDir::homePath()); // no Documents yet
    EXPECT_EQ(GetSpecialFolder(999), "/opt/game");
}

TEST_F(FoldersTest, FileExistsForFilesAndFolders) {
    const QString dir = home->Path() + "/stuff";
    QDir().mkpath(dir);
    WriteBytes(dir + "/a.txt", "x");
    EXPECT_TRUE(FileExists(dir + "/a.txt"));
    EXPECT_TRUE(FileExists(dir));
    EXPECT_FALSE(FileExists(dir + "/b.txt"));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(FoldersTest, DirExistsWithAndWithoutTrailingSeparator) {
    const QString dir = home->Path() + "/stuff";
    QDir().mkpath(dir);
    WriteBytes(dir + "/a.txt", "x");
    EXPECT_TRUE(DirExists(dir));
    EXPECT_TRUE(DirExists(dir + "/"));
    EXPECT_TRUE(DirExists("  " + dir + "/  "));
    EXPECT_FALSE(DirExists(dir + "/a.txt"));
    EXPECT_FALSE(DirExists(dir + "/a.txt/"));
    EXPECT_FALSE(DirExists(dir + "/missing"));
    EXPECT_FALSE(DirExists(dir + "/missing/"));
    EXPECT_FALSE(DirExists(""));
    EXPECT_TRUE(DirExists("/"));
}

TEST(StripSlash, TrimsBlanksAndOneSeparator) {
    EXPECT_EQ(StripSlash("  /a/b/  "), "/a/b");
    EXPECT_EQ(StripSlash("/a/b"), "/a/b");
    EXPECT_EQ(StripSlash("/a/b//"), "/a/b/");
    EXPECT_EQ(StripSlash("/"), "/");
    EXPECT_EQ(StripSlash("   "), "");
}

TEST(FolderOf, CutsTheNameAndItsSeparator) {
    EXPECT_EQ(FolderOf("/home/p/Avatars/me.jpg", "me.jpg"), "/home/p/Avatars");
    EXPECT_EQ(FolderOf("/x", "x"), "");
    EXPECT_EQ(FolderOf("ab", "ab"), "");
    EXPECT_EQ(FolderOf("a", "longer name"), "");
    EXPECT_EQ(FolderOf("", ""), "");
}
