#include "common/Records.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Model.h"
#include "platform/RecordFile.h"
#include "platform/Settings.h"
#include "shell/Profile.h"
#include "shell/SaveSettings.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"
#include "table/TableState.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSettings>

#include <ostream>

// Readable failures: the record's fields rather than its bytes.
static void PrintTo(const ScoreRecord& r, std::ostream* os) {
    *os << "{\"" << r.Text.toStdString() << "\", " << r.A << ", " << r.B << ", " << r.C << ", " << r.D << "}";
}

namespace {
// Numbers in the record's text carry a leading blank, which reading trims.
QString Stored(long long n) {
    return NumStr(n).trimmed();
}

class SettingsTest : public GameTest {
  protected:
    QVariant OnDisk(const QString& sectionKey) {
        return QSettings(platform::SettingsFile("Vornhelm"), QSettings::IniFormat).value(sectionKey);
    }
};

class SaveSettingsTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(scores.Open(home->Path() + "/scores.ran", ScoreRecord::kSize));
    }
    void Put(int recno, const ScoreRecord& r) { ASSERT_TRUE(scores.Write(recno, r.Encode())); }
    ScoreRecord Get(int recno) { return ScoreRecord::Decode(scores.Read(recno)); }
    platform::RecordFile scores;
};
} // namespace

TEST_F(SettingsTest, DefaultsOfAFreshStore) {
    EXPECT_TRUE(ShowTipsAtStartup());
    EXPECT_EQ(TipNumber(), 0);
    EXPECT_EQ(ReadSetting(kSetLog), "");
    EXPECT_EQ(ReadSetting(kSetStartupPath), "");
    EXPECT_EQ(ReadSetting(kSetLastDir), "");
}

TEST_F(SettingsTest, RoundTripUnderTheGamesSectionsAndKeys) {
    ASSERT_TRUE(platform::SettingsFile(kSettingsApp).startsWith(home->Path()));
    SetShowTipsAtStartup(false);
    SetTipNumber(17);
    WriteSetting(kSetLog, "/home/p/chat");
    WriteSetting(kSetStartupPath, "/opt/vornhelm");
    SaveLastDir("/home/p/pictures");

    EXPECT_FALSE(ShowTipsAtStartup());
    EXPECT_EQ(TipNumber(), 17);
    EXPECT_EQ(ReadSetting(kSetLog), "/home/p/chat");
    EXPECT_EQ(ReadSetting(kSetStartupPath), "/opt/vornhelm");

    EXPECT_EQ(OnDisk("Options10/Show Tips at Startup").toString(), "0");
    EXPECT_EQ(OnDisk("Options10/Tip Number").toString(), "17");
    EXPECT_EQ(OnDisk("Options10/Log").toString(), "/home/p/chat");
    EXPECT_EQ(OnDisk("Startup/Path").toString(), "/opt/vornhelm");
    EXPECT_EQ(OnDisk("Settings10/LastDir").toString(), "/home/p/pictures");

    SetShowTipsAtStartup(true);
    EXPECT_TRUE(ShowTipsAtStartup());
    EXPECT_EQ(OnDisk("Options10/Show Tips at Startup").toString(), "1");
}

TEST_F(SettingsTest, LastDirOnlyWhenTheFolderExists) {
    Com.DocsPath = home->Path() + "/Documents";
    EXPECT_EQ(GetLastDir(), Com.DocsPath); // never set
    const QString pictures = home->Path() + "/pictures";
    SaveLastDir(pictures);
    EXPECT_EQ(GetLastDir(), Com.DocsPath); // not there yet
    QDir().mkpath(pictures);
    EXPECT_EQ(GetLastDir(), pictures);
    SaveLastDir("");
    EXPECT_EQ(GetLastDir(), Com.DocsPath);
}

TEST_F(SaveSettingsTest, WritesTheRunningValues) {
    Shl.FontColour = 0x00C0FFEE;
    Shl.LastAvatar = "Grulm.jpg";
    Shl.LoseAnimOff = true;
    Shl.FontBackdrop = false;
    Shl.NetPlayerName = "Torvek";
    Shl.LastBackground = 4;
    // The copy keeps the status bar's state, not whether the opponents' cards are open.
    Com.PeekOn = false;
    Prof.StatusBarShown = true;
    Shl.AvatarShown = false;
    Shl.MoveLogOn = true;
    Com.CommentFontSize = 12;
    Shl.WinAnimOff = true;
    Tbl.PersonIndex = 3;
    Eng.Level = 2;
    Com.DeckStyle = 8;
    Com.SpeedIndex = 5;
    Com.SoundMode = 1;
    Com.DeckColour = 0x00C0E0FF;
    Com.BackStyle = 7;
    Com.MatColour = 0x00408000;
    Com.AnimSteps = 70;
    Com.SideSize = 25;
    Com.ForcedCards = 3;
    Com.DecksSeparate = true;
    Com.NoWildAce = false;

    SaveSettings(scores);

    EXPECT_EQ(Get(1), (ScoreRecord{Stored(0x00C0FFEE), 0, 0, 0, 2}));
    EXPECT_EQ(Get(12), (ScoreRecord{"Grulm.jpg", -1, 0, 0, 8}));
    EXPECT_EQ(Get(13), (ScoreRecord{"Torvek", 4, 5, 1, 0}));
    EXPECT_EQ(Get(16), (ScoreRecord{Stored(0x00C0E0FF), 7, -1, 0, -1}));
    EXPECT_EQ(Get(17), (ScoreRecord{Stored(0x00408000), 12, -1, 0, 3}));
    EXPECT_EQ(Get(18), (ScoreRecord{"70", 25, 3, -1, 0}));
    EXPECT_EQ(scores.Read(18).Bytes().left(4), QByteArray(" 70 "));
    EXPECT_EQ(scores.Read(1).Bytes().left(10), QByteArray(" 12648430 "));
    EXPECT_EQ(scores.RecordCount(), 18);
}

TEST_F(SaveSettingsTest, KeepsTheFieldsItDoesNotOwn) {
    Put(1, {" 123", 11, 22, 33, 44});
    Put(10, {"computer best run", 5, 6, 7, 18});
    Put(11, {"best side run", 1, 2, 3, 6});
    Put(12, {"old avatar", 9, 9, 9, 9});
    Put(13, {"old name", 9, 9, 9, 55});
    Put(14, {"untouched 14", 1, 1, 1, 1});
    Put(17, {"old mat", 9, 9, 66, 9});
    Put(18, {"old steps", 9, 9, 9, 9});
    Put(19, {"after", 4, 3, 2, 1});
    Shl.FontColour = 0xFF;
    Eng.Level = 1;
    Com.AnimSteps = 95;

    SaveSettings(scores);

    EXPECT_EQ(Get(1), (ScoreRecord{"255", 11, 22, 33, 1}));
    EXPECT_EQ(Get(12).C, 0); // written, not kept
    EXPECT_EQ(Get(13).D, 55);
    EXPECT_EQ(Get(17).C, 66);
    EXPECT_EQ(Get(18).Text, "95");
    EXPECT_EQ(Get(10), (ScoreRecord{"computer best run", 5, 6, 7, 18}));
    EXPECT_EQ(Get(11), (ScoreRecord{"best side run", 1, 2, 3, 6}));
    EXPECT_EQ(Get(14), (ScoreRecord{"untouched 14", 1, 1, 1, 1}));
    EXPECT_EQ(Get(19), (ScoreRecord{"after", 4, 3, 2, 1}));
    EXPECT_EQ(scores.RecordCount(), 19);
}

TEST_F(SaveSettingsTest, MissingRecordsStartAsZeros) {
    Put(1, {" 1", 7, 7, 7, 7}); // a file holding only its first record
    SaveSettings(scores);
    EXPECT_EQ(Get(13).D, 0);
    EXPECT_EQ(Get(17).C, 0);
    for (int r = 2; r <= 11; ++r)
        EXPECT_EQ(Get(r), ScoreRecord{}) << r;
    EXPECT_EQ(Get(14), ScoreRecord{});
    EXPECT_EQ(Get(15), ScoreRecord{});
}

TEST_F(SaveSettingsTest, LeavesAFileOfOtherRecordsAlone) {
    platform::RecordFile other;
    const QString path = home->Path() + "/prefs.sav";
    ASSERT_TRUE(other.Open(path, 756));
    SaveSettings(other);
    EXPECT_EQ(other.RecordCount(), 0);
    platform::RecordFile closed;
    SaveSettings(closed); // nothing to write to
    EXPECT_FALSE(closed.IsOpen());
}
