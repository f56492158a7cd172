#include "engine/Seats.h"
#include "media/MediaLists.h"
#include "media/PersonPack.h"
#include "media/Persons.h"
#include "table/TableState.h"
#include "tests/media/MediaTestSupport.h"

#include <QDir>

namespace {
QStringList Names() {
    QStringList out;
    for (int r = 0; r <= Med.PersonCount; ++r)
        out << Med.PersonList(1, r);
    return out;
}
} // namespace

TEST_F(MediaTest, PersonListKeepsGrulmFirstAndOskrelLastWhateverIsMissing) {
    List_Personalities();
    EXPECT_EQ(Names(), QStringList{"Grulm"});
    EXPECT_EQ(Med.PersonList(0, 0), ""); // one row: no description is read

    for (const char* f : {"zeta.pms", "OSKREL.PMS", "alpha.Pms", "notes.txt", "x.jpms"})
        ASSERT_TRUE(Personality_WriteFile(Pms(f), Tagged(QString(f).section('.', 0, 0))));
    QDir().mkpath(Pms("folder.pms"));
    List_Personalities();
    EXPECT_EQ(Names(), (QStringList{"Grulm", "alpha", "zeta", "Oskrel"}));
    EXPECT_EQ(Med.PersonCount, 3);
    EXPECT_EQ(Med.PersonList(0, 0), Personality_Grulm().Comments(0)); // built in, no file made
    EXPECT_EQ(Med.PersonList(0, 1), "alpha c0");
    EXPECT_EQ(Med.PersonList(0, 3), "OSKREL c0");
    EXPECT_FALSE(QFileInfo::exists(Pms("Grulm.pms")));
    // A default opponent's avatar shows in the opponents window before he was ever seated.
    Personality torvek = Tagged("Torvek");
    torvek.DefaultAvatar = "Torvek.jpg";
    ASSERT_TRUE(Personality_WriteFile(Pms("Torvek.pms"), torvek));
    QDir().mkpath(Com.UserPath + "Avatars");
    List_Personalities();
    EXPECT_TRUE(QImage(Com.UserPath + "Avatars/Torvek.jpg").width() > 0);
    QFile::remove(Pms("Torvek.pms"));

    QFile::remove(Pms("OSKREL.PMS"));
    ASSERT_TRUE(Personality_WriteFile(Pms("Grulm.pms"), Tagged("G")));
    List_Personalities();
    EXPECT_EQ(Names(), (QStringList{"Grulm", "alpha", "zeta"}));
    EXPECT_EQ(Med.PersonList(0, 0), "G c0");
}

TEST_F(MediaTest, FreshProfileSeatsThreeGrulmsWithHisOwnSoundsAndComments) {
    PlayerPrefs prefs; // never written: blank names
    Eng.SeatComments(30) = "before";
    Person_SeatAll(prefs);
    for (int s = 2; s <= 4; ++s) {
        const SeatRecord& seat = SeatRecordOf(s);
        EXPECT_EQ(seat.RecName, "Grulm");
        EXPECT_EQ(seat.RecCommentSet, "Default Personality");
        EXPECT_EQ(seat.RecLevel, 0);
        EXPECT_EQ(seat.RecSoundColumn, 0);
        EXPECT_EQ(seat.RecAvatar, "Grulm.jpg");
        EXPECT_EQ(prefs.Identity(s - 1).Name, "Grulm");
    }
    // Grulm's pack put his sounds and picture in place, so the seats name real files.
    EXPECT_EQ(Eng.Seat2Rec.RecSounds(1), Com.UserPath + "Sounds/Grulm-01.wav");
    EXPECT_EQ(Eng.SeatSounds(16), Com.UserPath + "Sounds/Grulm-16.wav");
    EXPECT_TRUE(QFileInfo(Com.UserPath + "Sounds/Grulm-16b.wav").size() > 1000);
    EXPECT_TRUE(QFileInfo::exists(Com.UserPath + "Avatars/Grulm.jpg"));
    EXPECT_EQ(Eng.Seat2Rec.RecSounds(0), "1");
    // Seat 2 fills every comment; seats 3 and 4 only up to 27, later ones repeat the working set.
    EXPECT_EQ(Eng.Seat2Rec.RecComments(35), Personality_Grulm().Comments(35));
    EXPECT_EQ(Eng.Seat4Rec.RecComments(27), Personality_Grulm().Comments(27));
    EXPECT_EQ(Eng.Seat4Rec.RecComments(30), Personality_Grulm().Comments(30)); // seat 2 loaded it first
}

TEST_F(MediaTest, SeatLoadMendsBadColumnsBlankSoundsAndMissingPersonalities) {
    Personality p = Tagged("Vex");
    p.Sounds(0, 0) = "";
    p.Sounds(0, 2) = ""; // names the Sounds folder itself
    ASSERT_TRUE(Personality_WriteFile(Pms("Vex.pms"), p));
    for (int i = 1; i <= 3; ++i)
        WriteBytes(Com.UserPath + "Sounds/" + QStringLiteral("VEX-0-%1.WAV").arg(i), "RIFF");
    Eng.SeatSounds(2) = "kept";

    SeatRecord seat;
    seat.RecName = "Vex";
    seat.RecSoundColumn = 7; // not 1: the first column
    seat.RecCommentSet = "No Comments";
    seat.RecAvatar = QString(QChar(0)) + "junk";
    Person_Load(seat, 1);
    EXPECT_EQ(seat.RecName, "Vex");
    EXPECT_EQ(seat.RecSounds(1), Com.UserPath + "Sounds/VEX-0-1.WAV");
    EXPECT_EQ(seat.RecSounds(2), Com.AppPath + "/Data/empty.wav");
    EXPECT_EQ(Eng.SeatSounds(2), "kept");
    EXPECT_EQ(seat.RecSounds(4), Com.AppPath + "/Data/empty.wav");
    EXPECT_EQ(seat.RecSounds(0), "0");
    EXPECT_EQ(seat.RecAvatar, "Vex.jpg");
    EXPECT_TRUE(Eng.CommentsOff);
    EXPECT_EQ(Eng.SeatComments(33), "");
    EXPECT_EQ(Eng.SeatComments(34), "Vex c34");
    EXPECT_EQ(seat.RecComments(35), "Vex c35");

    seat.RecName = "Deleted";
    seat.RecCommentSet = "Gone"; // no such comment file
    Person_Load(seat, 0);
    EXPECT_EQ(seat.RecName, "Grulm");
    EXPECT_EQ(seat.RecCommentSet, "Default Personality");
    EXPECT_EQ(seat.RecSounds(5), Com.UserPath + "Sounds/Grulm-05.wav");
}

TEST_F(MediaTest, CommentSetReplacesTheGeneralCommentsAndChangePersonFindsTheRow) {
    ASSERT_TRUE(Personality_WriteFile(Pms("Vex.pms"), Tagged("Vex")));
    platform::RecordFile set;
    ASSERT_TRUE(set.Open(Com.UserPath + "Rude.cmt", TextRecord::kSize));
    set.Write(20, TextRecord{"twentieth"}.Encode());
    set.Close();
    List_Personalities();

    SeatRecord& seat = Eng.Seat2Rec;
    seat.RecName = "Vex";
    seat.RecCommentSet = "rude";
    Person_Load(seat, 1);
    EXPECT_EQ(seat.RecComments(1), "");
    EXPECT_EQ(seat.RecComments(20), "twentieth");
    EXPECT_EQ(seat.RecComments(21), "Vex c21");

    ChangePerson();
    EXPECT_EQ(Tbl.PersonName, "Vex");
    EXPECT_EQ(Tbl.PersonIndex, 1);
    seat.RecName = "Stranger";
    ChangePerson();
    EXPECT_EQ(Tbl.PersonIndex, Med.PersonCount + 1);
}

TEST_F(MediaTest, PackPicturesAndLevelsStayInTheirTables) {
    EXPECT_TRUE(PersonPack_InstallPictures("Grulm"));
    for (int k = 1; k <= kPackFrames; ++k)
        EXPECT_FALSE(QImage(Com.DataPath + QStringLiteral("Grulm%1.tmp").arg(k)).isNull()) << k;
    EXPECT_NE(PersonPack_Picture("Grulm", 1, 60), PersonPack_Picture("Grulm", 4, 60));
    EXPECT_TRUE(PersonPack_Has("oskrel"));
    EXPECT_FALSE(PersonPack_InstallPictures("Stranger"));
    EXPECT_FALSE(PersonPack_InstallPictures("../Grulm"));
    EXPECT_EQ(Level_Index(2), 2);
    EXPECT_EQ(Level_Index(3), 0);
    EXPECT_EQ(Level_Index(-1), 0);
}

TEST_F(MediaTest, OpponentsWindowShowsAGoneCommentSetAsTheDefaultAndStoresThat) {
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    Prof.PlayerRecord = 2;
    Prof.Prefs.Identity(1).CommentSet = "Gone";
    Prof.Prefs.Identity(2).CommentSet = "No Comments";
    WriteBytes(Com.UserPath + "Kind.cmt", QByteArray(100, ' '));
    Prof.Prefs.Identity(3).CommentSet = "Kind";
    EXPECT_EQ(Person_Store(2), "No Comments");
    EXPECT_EQ(Person_Store(3), "Kind");
    EXPECT_EQ(Person_Store(9), "Default Personality");
    EXPECT_EQ(Prefs_RecordCount(), 2); // nothing written so far
    EXPECT_EQ(Person_Store(1), "Default Personality");
    PlayerPrefs stored;
    ASSERT_TRUE(Prefs_ReadRecord(2, &stored));
    EXPECT_EQ(stored.Identity(1).CommentSet, "Default Personality");
    EXPECT_EQ(stored.Identity(3).CommentSet, "Kind");
}
