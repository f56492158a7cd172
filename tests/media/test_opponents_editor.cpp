// The opponents editor: saving an opponent, a personality's custom sounds, avatars,
// and the game size chosen when it closes.
#include "media/OpponentsEdit.h"
#include "media/Persons.h"
#include "media/frmCustom.h"
#include "media/frmMulti.h"
#include "platform/PickDialogs.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/Utilities.h"
#include "table/Display.h"
#include "table/WindowPlaces.h"
#include "tests/media/MediaTestSupport.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class EditorTest : public MediaTest {
  protected:
    void SetUp() override {
        MediaTest::SetUp();
        for (const char* name : {"Vex", "Ann"})
            ASSERT_TRUE(Personality_WriteFile(Pms(QString(name) + ".pms"), Tagged(name)));
        List_Personalities();
        QString error;
        ASSERT_TRUE(Profile_CreateDefaults(&error));
        ASSERT_TRUE(Prefs_WriteRecord(2, Profile_Defaults()));
        Prof.PlayerRecord = 2;
        ASSERT_TRUE(Prefs_ReadRecord(2, &Prof.Prefs));
        QDir().mkpath(Com.UserPath + "Sounds");
        QDir().mkpath(Com.UserPath + "Avatars");
    }
    void TearDown() override {
        platform::Picks_Reset();
        MediaTest::TearDown();
    }
};

TEST_F(EditorTest, SaveCustomChangesOnlyTheCustomNamesOfTheFileOnDisk) {
    const QString path = Pms("Vex.pms");
    QByteArray before = FileBytes(path) + "tail";
    WriteBytes(path, before);
    WriteBytes(home->Path() + "/mine.wav", "RIFFmine");
    QStringList names{""}, paths{""};
    for (int i = 1; i <= kPersonSounds; ++i) {
        names << QStringLiteral("c%1.wav").arg(i);
        paths << Com.UserPath + "Sounds/" + names.last();
    }
    names[3] = "mine.wav";
    paths[3] = home->Path() + "/mine.wav";
    // Names longer than the record keeps, from outside the Sounds folder and inside it, are
    // shortened before the copy, so the stored name finds the file.
    const QString longName = QString(90, 'l') + ".wav", shortened = QString(76, 'l') + ".wav";
    WriteBytes(home->Path() + "/" + longName, "RIFFlong");
    WriteBytes(Com.UserPath + "Sounds/" + QString(85, 'k') + ".wav", "RIFFkept");
    names[5] = longName;
    paths[5] = home->Path() + "/" + longName;
    names[6] = QString(85, 'k') + ".wav";
    paths[6] = Com.UserPath + "Sounds/" + names[6];
    ASSERT_TRUE(Opponent_SaveSounds("vex", names, paths));
    EXPECT_EQ(FileBytes(Com.UserPath + "Sounds/mine.wav"), "RIFFmine");
    EXPECT_EQ(Eng.SeatSounds(3), Com.UserPath + "Sounds/mine.wav");
    EXPECT_EQ(Eng.SeatSounds(5), Com.UserPath + "Sounds/" + shortened);
    EXPECT_EQ(FileBytes(Eng.SeatSounds(5)), "RIFFlong");
    EXPECT_EQ(FileBytes(Eng.SeatSounds(6)), "RIFFkept");
    names[5] = shortened;
    names[6] = QString(76, 'k') + ".wav";

    const QByteArray after = FileBytes(path);
    ASSERT_EQ(after.size(), before.size());
    Personality rec;
    ASSERT_EQ(Personality_ReadFile(path, &rec), PersonFile::Ok);
    for (int i = 1; i <= kPersonSounds; ++i) {
        EXPECT_EQ(rec.Sounds(1, i), names.at(i));
        EXPECT_EQ(rec.Sounds(0, i), QStringLiteral("Vex-0-%1.wav").arg(i));
        const int at = Personality::SoundOffset(1, i);
        before.replace(at, Personality::kSoundWidth, after.mid(at, Personality::kSoundWidth));
    }
    EXPECT_EQ(after, before); // nothing else moved, the tail included

    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Opponent_SaveSounds("Gone", names, paths));
    EXPECT_EQ(svc.boxes->shown.back().title, "Save Custom");
}

TEST_F(EditorTest, ReplacingTheLastUserOfAPersonalityDeletesItsChatSounds) {
    for (const char* f : {"a-Vex.pmw", "a-Ann.pmw", "a-Grulm.pmw"})
        WriteBytes(Com.UserPath + "Sounds/" + f, "x");
    Prof.Prefs.Identity(3).Name = "Vex";
    Opponent_Save(2, {"Ann", 2, "Ann.jpg", "No Comments", 1}, "Vex");
    EXPECT_TRUE(QFile::exists(Com.UserPath + "Sounds/a-Vex.pmw")); // slot 3 still names Vex
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Ann");
    EXPECT_EQ(Eng.Seat3Rec.RecLevel, 2);
    EXPECT_TRUE(Eng.CommentsOff);
    for (int i = 1; i <= 33; ++i)
        EXPECT_EQ(Eng.Seat3Rec.RecComments(i), "") << i;
    PlayerPrefs stored;
    ASSERT_TRUE(Prefs_ReadRecord(2, &stored));
    EXPECT_EQ(stored.Identity(2).Name, "Ann");
    EXPECT_EQ(stored.Identity(2).SoundChoice, 1);

    Opponent_Save(3, {"Grulm", 0, "Grulm.jpg", "Default Personality", 0}, "Vex");
    EXPECT_FALSE(QFile::exists(Com.UserPath + "Sounds/a-Vex.pmw"));
    Opponent_Save(3, {"Vex", 0, "", "Default Personality", 0}, "Grulm");
    EXPECT_TRUE(QFile::exists(Com.UserPath + "Sounds/a-Grulm.pmw")); // Grulm's stay
    EXPECT_TRUE(QFile::exists(Com.UserPath + "Sounds/a-Ann.pmw"));
    EXPECT_EQ(Eng.Seat4Rec.RecAvatar, "Vex.jpg");
}

TEST_F(EditorTest, DefaultAvatarsStayAndNoAvatarMeansNothingToDelete) {
    WriteBytes(Com.UserPath + "Avatars/Grulm.jpg", "x");
    WriteBytes(Com.UserPath + "Avatars/Me.jpg", "x");
    EXPECT_FALSE(Avatar_Delete(""));
    EXPECT_FALSE(Avatar_Delete("Nobody.jpg"));
    EXPECT_FALSE(Avatar_Delete("../Prefs.sav"));
    EXPECT_TRUE(svc.boxes->shown.empty());
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Avatar_Delete("Grulm.jpg"));
    EXPECT_EQ(svc.boxes->shown.back().text, "Personality's default avatar picture cannot be deleted.");
    svc.boxes->Expect(platform::vbNo);
    EXPECT_FALSE(Avatar_Delete("Me.jpg"));
    svc.boxes->Expect(platform::vbYes);
    EXPECT_TRUE(Avatar_Delete("Me.jpg"));
    EXPECT_FALSE(QFile::exists(Com.UserPath + "Avatars/Me.jpg"));
    EXPECT_EQ(Med.AvatarCount, 1);
}

TEST_F(EditorTest, DoneChangesTheGameSizeOnlyWhenItDiffers) {
    Com.NumPlayers = 2;
    Com.NumCenters = 3;
    MultiForm& w = frmMulti();
    if (w.Loaded()) w.Unload();
    Sav.DialogCancelled = false;
    w.FillCombos();
    EXPECT_TRUE(w.Option1(0).Value());
    EXPECT_EQ(w.Seat(), 0);
    EXPECT_EQ(w.CboOpponent.Text(), "Grulm");
    w.cmdDone_Click();
    EXPECT_TRUE(Sav.DialogCancelled);
    EXPECT_EQ(Com.NumPlayers, 2);

    Sav.DialogCancelled = false;
    w.FillCombos();
    w.Option1(2).SetValue(true);
    EXPECT_EQ(w.Seat(), 2);
    EXPECT_TRUE(w.CmdSetup(2).Enabled());
    w.CboOpponent.SetText("Vex");
    EXPECT_TRUE(w.ChangedSetting);
    EXPECT_EQ(w.Avatar(), "Vex.jpg");
    svc.boxes->Expect(platform::vbOK);
    w.cmdSounds_Click(); // a new personality must be saved before its sounds change
    EXPECT_EQ(svc.boxes->shown.back().title, "Save before customizing sounds");
    svc.boxes->Expect(platform::vbYes);
    svc.boxes->Expect(platform::vbOK);
    w.cmdDone_Click();
    ASSERT_GE(svc.boxes->shown.size(), 2u);
    EXPECT_EQ(svc.boxes->shown.end()[-2].text, "Did you want to save Opponent3's settings?");
    EXPECT_EQ(svc.boxes->shown.back().title, "Missing Personality Sounds"); // Vex has no pack
    EXPECT_FALSE(Sav.DialogCancelled);
    EXPECT_EQ(Com.NumPlayers, 4);
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_EQ(Prof.Prefs.Identity(3).Name, "Vex");
    EXPECT_EQ(Eng.Seat4Rec.RecName, "Vex");
}

// The profile keeps an opponent's name in 20 Windows-1252 characters: a personality whose name
// it cannot keep is refused with the reason, and never fills a blank slot.
TEST_F(EditorTest, APersonalityNameTheProfileCannotKeepIsRefusedWithTheReason) {
    const std::pair<QString, const char*> cases[] = {{"Zoë Ændersen-Quirk", ""},
                                                     {QString(20, 'a'), ""},
                                                     {QString(21, 'a'), "longer than the 20 characters"},
                                                     {"Żubr", "letters your profile cannot keep: Ż"},
                                                     {QString::fromUtf8("Ωmega 😀"), "cannot keep: Ω😀"}};
    for (const auto& [name, reason] : cases)
        ASSERT_TRUE(Personality_WriteFile(Pms(name + ".pms"), Tagged(name)));
    List_Personalities();
    MultiForm& w = frmMulti();
    w.FillCombos();
    for (const auto& [name, reason] : cases) {
        if (*reason) svc.boxes->Expect(platform::vbOK);
        w.CboOpponent.SetText(name);
        EXPECT_EQ(w.CboOpponent.Text(), *reason ? "Grulm" : name) << name.toStdString();
        EXPECT_TRUE(!*reason || svc.boxes->shown.back().text.contains(reason)) << name.toStdString();
        Prof.Prefs.Identity(3).Name = "";
        Opponent_FillBlank(3, name, "No Comments");
        EXPECT_EQ(Prof.Prefs.Identity(3).Name, *reason ? "Grulm" : name);
        w.CboOpponent.SetText("Grulm");
    }
    w.Unload();
}

} // namespace

namespace {

TEST_F(EditorTest, ImportedAvatarsAreCheckedCopiedAndNamed) {
    const QString big = home->Path() + "/big.bmp", small = home->Path() + "/small.bmp";
    QImage(400, 20, QImage::Format_RGB32).save(big, "BMP");
    QImage(60, 60, QImage::Format_RGB32).save(small, "BMP");
    QString answer;
    platform::Picks().OpenFile = [&](const platform::FileAsk& a) {
        EXPECT_EQ(a.title, "Import Avatar Pic");
        return answer;
    };
    EXPECT_EQ(Get_Avatars(), "");
    answer = big;
    svc.boxes->Expect(platform::vbOK);
    EXPECT_EQ(Get_Avatars(), "");
    EXPECT_EQ(svc.boxes->shown.back().title, "Image Rejected");
    answer = small;
    EXPECT_EQ(Get_Avatars(), "small.bmp");
    EXPECT_EQ(Med.NewAvatarName, "small.bmp");
    EXPECT_EQ(FileBytes(Com.UserPath + "Avatars/small.bmp"), FileBytes(small));
    EXPECT_EQ(GetLastDir(), home->Path());

    // A name longer than the profile keeps is shortened before the copy, its ending kept;
    // one more of the same start does not replace the first, the tenth neither.
    const QString stem = home->Path() + "/a-picture-with-a-very-long-name-number-";
    QStringList imported;
    for (int n = 1; n <= 10; ++n) {
        answer = stem + QString::number(n) + ".bmp";
        ASSERT_TRUE(QFile::copy(small, answer));
        imported << Get_Avatars();
    }
    EXPECT_EQ(imported.mid(0, 2),
              (QStringList{"a-picture-with-a-very-long.bmp", "a-picture-with-a-very-lo~2.bmp"}));
    EXPECT_EQ(imported.back(), "a-picture-with-a-very-l~10.bmp");
    for (int i = 0; i < 2; ++i) {
        PlayerIdentity stored;
        stored.Avatar = imported.at(i);
        EXPECT_EQ(PlayerIdentity::Decode(stored.Encode()).Avatar, imported.at(i))
            << "as the profile keeps it";
        EXPECT_EQ(FileBytes(Com.UserPath + "Avatars/" + imported.at(i)), FileBytes(small));
    }
}

TEST_F(EditorTest, OnlyANeverWrittenSlotIsFilledFromItsRow) {
    Prof.Prefs.Identity(2).Name = "";
    EXPECT_TRUE(Opponent_FillBlank(2, "Ann", "No Comments"));
    EXPECT_FALSE(Opponent_FillBlank(2, "Vex", "Default Personality"));
    PlayerPrefs stored;
    ASSERT_TRUE(Prefs_ReadRecord(2, &stored));
    EXPECT_EQ(stored.Identity(2).Name, "Ann");
    EXPECT_EQ(stored.Identity(2).Avatar, "Ann.jpg");
    EXPECT_EQ(stored.Identity(2).CommentSet, "No Comments");
    EXPECT_EQ(stored.Identity(2).Level, 0);
}

} // namespace

namespace {

// Every control the window shows lies inside it, and it is no larger than the screen.
void ExpectFitsTheScreen(platform::Form& w) {
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(w.Window()->width() <= free.width() && w.Window()->height() <= free.height())
        << w.Name().toStdString();
    for (const platform::Control* c : w.Controls()) {
        if (c->Widget() && c->Widget()->isVisibleTo(w.Window())) {
            EXPECT_TRUE(w.Window()->rect().contains(c->Widget()->geometry()))
                << c->Name().toStdString() << c->Index();
        }
    }
}

// A dialog larger than the screen is made smaller, controls and all, until it lies whole on
// it; the opponents editor grown by its sound panel is fitted and placed again, and opened
// again it opens at the size of its first opening.
TEST_F(EditorTest, DialogsLieWholeOnTheScreenEachTimeTheyOpen) {
    CustomForm& comments = frmCustom();
    comments.Load();
    ScaleWindowBy(comments, 1.3, 1.3); // as designed for a screen larger than this one
    ToolWindow_Open(comments, TableSpot::Centre, false);
    EXPECT_LT(comments.DesignScale(), 1.3);
    ExpectFitsTheScreen(comments);
    comments.Unload();

    MultiForm& m = frmMulti();
    QSize first;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        m.FillCombos();
        ToolWindow_Open(m, TableSpot::Centre, false);
        ExpectFitsTheScreen(m);
        if (round == 0) first = m.Window()->size();
        EXPECT_EQ(m.Window()->size(), first);
        m.CboOpponent.SetText("Vex");
        m.ChangedPerson = false;
        m.cmdSounds_Click();
        ASSERT_TRUE(m.CmdSaveSounds.Widget()->isVisibleTo(m.Window()));
        ExpectFitsTheScreen(m);
        EXPECT_TRUE(
            QGuiApplication::primaryScreen()->availableGeometry().contains(m.Window()->frameGeometry()));
        m.CmdCancel_Click();
        m.Unload();
    }
}

} // namespace
