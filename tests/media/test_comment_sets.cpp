// Comment sets: the bytes of a set, the name checks, and the editor's save, export
// and use-now paths.
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/Persons.h"
#include "media/frmCustom.h"
#include "platform/PickDialogs.h"
#include "shell/Profile.h"
#include "tests/media/MediaTestSupport.h"

#include <sys/resource.h>

namespace {

class CommentTest : public MediaTest {
  protected:
    void SetUp() override {
        MediaTest::SetUp();
        platform::Picks().OpenFile = [this](const platform::FileAsk& a) {
            asked << a.folder;
            return openAnswer;
        };
        platform::Picks().SaveFile = [this](const platform::FileAsk& a) {
            asked << a.title + "|" + a.name;
            return saveAnswer;
        };
    }
    void TearDown() override {
        platform::Picks_Reset();
        MediaTest::TearDown();
    }
    CustomForm& Editor(const QStringList& texts, const QString& name) {
        CustomForm& w = frmCustom();
        // The one editor outlives a test: every test opens it afresh.
        if (w.Loaded()) w.Unload();
        w.Load();
        for (int i = 1; i <= kSetComments; ++i)
            w.Text1(i).SetText(texts.value(i - 1));
        w.FileTxt.SetText(name);
        return w;
    }
    static QStringList Numbered(const QString& tag) {
        QStringList t;
        for (int i = 1; i <= kSetComments; ++i)
            t << QStringLiteral("%1 %2").arg(tag).arg(i);
        return t;
    }
    QString openAnswer, saveAnswer;
    QStringList asked;
};

TEST_F(CommentTest, SetFileIsTwentyBlankPaddedRecordsInWindows1252) {
    QStringList texts = Numbered("say");
    texts[2] = QStringLiteral("  caf\u00e9 ");
    texts[19] = QString(kCommentChars, 'x');
    const QString path = Com.UserPath + "Mine.cmt";
    ASSERT_TRUE(Comments_WriteFile(path, texts, nullptr));
    const QByteArray b = FileBytes(path);
    ASSERT_EQ(b.size(), kSetComments * 100);
    EXPECT_EQ(b.mid(200, 100), QByteArray("caf\xe9").leftJustified(100, ' '));
    EXPECT_EQ(b.mid(1900, 100), QByteArray(100, 'x'));
    EXPECT_FALSE(QFileInfo::exists(path + ".tmp"));

    QStringList back;
    ASSERT_EQ(Comments_ReadFile(path, &back), CommentFile::Ok);
    EXPECT_EQ(back.at(2), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(back.at(19), texts.at(19));
    // One record is a set of one comment; the rest read empty.
    WriteBytes(Com.UserPath + "One.cmt", QByteArray("hello").leftJustified(100, ' '));
    ASSERT_EQ(Comments_ReadFile(Com.UserPath + "One.cmt", &back), CommentFile::Ok);
    EXPECT_EQ(back.size(), kSetComments);
    EXPECT_EQ(back.at(0), "hello");
    EXPECT_EQ(back.at(1), "");
}

TEST_F(CommentTest, AHugeSetIsReadByItsRecordsNotWhole) {
    const QString path = Com.UserPath + "Huge.cmt";
    WriteBytes(path, QByteArray("first").leftJustified(TextRecord::kSize, ' '));
    QFile f(path);
    ASSERT_TRUE(f.resize(1000LL * 1000 * 1000)); // a gigabyte of whole records, sparse on disk
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    QStringList texts;
    ASSERT_EQ(Comments_ReadFile(path, &texts), CommentFile::Ok);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(texts.at(0), "first");
    EXPECT_EQ(texts.at(19), "");
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kilobytes taken at the peak";
}

TEST_F(CommentTest, DamagedSetIsNamedOnceAndLeavesTheSeatsComments) {
    WriteBytes(Com.UserPath + "Torn.cmt", QByteArray(150, 'a'));
    QStringList texts{"kept"};
    EXPECT_EQ(Comments_ReadFile(Com.UserPath + "Torn.cmt", &texts), CommentFile::Damaged);
    EXPECT_EQ(texts, QStringList{"kept"});
    EXPECT_EQ(Comments_ReadFile(Com.UserPath + "None.cmt", &texts), CommentFile::Missing);

    Eng.SeatComments(1) = "own";
    svc.boxes->Expect(platform::vbOK);
    Comments_Load("torn");
    Comments_Load("torn");
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "The comment file \"Torn.cmt\" is damaged and cannot be read.");
    EXPECT_EQ(Eng.SeatComments(1), "own");
}

TEST_F(CommentTest, NamesLoseTheirEndingAndBadNamesAreRefusedUnwritten) {
    EXPECT_EQ(CommentSet_Name(" Rude.CMT "), "Rude");
    EXPECT_EQ(CommentSet_Name(".cmt"), "");
    CustomForm& w = Editor(Numbered("c"), "");
    const QStringList bad{"a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\ab", "../up"};
    // The lists' own two choices hold no forbidden character: they are refused as reserved.
    const QStringList reserved{"No Comments", "default personality.cmt"};
    for (const QString& name : bad + reserved) {
        svc.boxes->Expect(platform::vbOK);
        w.FileTxt.SetText(name);
        w.GetGoing_Click(kCusSave);
        ASSERT_FALSE(svc.boxes->shown.empty());
        const bool own = reserved.contains(name);
        EXPECT_EQ(svc.boxes->shown.back().title, own ? "Reserved Name" : "Non-standard filename character")
            << name.toStdString();
    }
    EXPECT_EQ(svc.boxes->shown.size(), static_cast<size_t>(bad.size() + reserved.size()));
    EXPECT_TRUE(Media_FolderFiles(Com.UserPath, {"CMT"}).isEmpty());
    EXPECT_TRUE(QDir(Com.UserPath).entryList({"a*", "*b*"}, QDir::Files).isEmpty());
}

TEST_F(CommentTest, SaveStopsAtTheFirstOverlongCommentAndAtMissingTexts) {
    QStringList texts = Numbered("c");
    texts[4] = QString(kCommentChars, 'y');
    texts[6] = QString(kCommentChars + 1, 'z');
    texts[8] = QString(kCommentChars + 5, 'z');
    CustomForm& w = Editor(texts, "Long");
    w.GetGoing_Click(kCusSave);
    EXPECT_EQ(w.Label4.Caption(), "Exceeds 100 characters. Edit and Save again.");
    EXPECT_EQ(w.Text1(7).BackColor(), 0x0000FFFFu);
    EXPECT_EQ(w.Text1(5).BackColor(), 0x00FFFFFFu);
    EXPECT_EQ(w.Text1(9).BackColor(), 0x00FFFFFFu);
    EXPECT_FALSE(QFileInfo::exists(Com.UserPath + "Long.cmt"));

    w.Text1(7).SetText("short");
    w.Text1(9).SetText("short");
    w.Text1(1).SetText("   ");
    svc.boxes->Expect(platform::vbOK);
    w.GetGoing_Click(kCusSave);
    EXPECT_EQ(w.Text1(7).BackColor(), 0x00FFFFFFu);
    EXPECT_EQ(svc.boxes->shown.back().text,
              "No comments to save! You should write some comments before saving.");
    w.Text1(1).SetText("first");
    w.FileTxt.SetText(" .CMT");
    svc.boxes->Expect(platform::vbOK);
    w.GetGoing_Click(kCusSave);
    EXPECT_EQ(svc.boxes->shown.back().text, "Enter a name for this comment file!");
    EXPECT_TRUE(Media_FolderFiles(Com.UserPath, {"CMT"}).isEmpty());
}

TEST_F(CommentTest, SavingSeatTwosSetSpeaksItNowAndRecordsItInTheProfile) {
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    ASSERT_TRUE(Prefs_WriteRecord(2, Profile_Defaults()));
    Prof.PlayerRecord = 2;
    Eng.Seat2Rec.RecCommentSet = "Rude";
    Eng.SeatSounds(12) = "/snd/thanks.wav";
    CustomForm& w = Editor(Numbered("rude"), "Rude.Cmt");
    w.Text1_Change(3);
    EXPECT_TRUE(w.Changed());
    w.GetGoing_Click(kCusSave);
    EXPECT_FALSE(w.Changed());
    EXPECT_EQ(w.Label4.Caption(), "Custom Comments Saved!\r\n");
    EXPECT_TRUE(w.Check1.Enabled());
    EXPECT_EQ(Eng.SeatComments(20), "rude 20");
    EXPECT_EQ(Eng.Seat2Rec.RecComments(1), "rude 1");
    EXPECT_EQ(Med.CommentFileCount, 1);
    EXPECT_EQ(Med.CommentFiles(1), "Rude");
    EXPECT_EQ(svc.sound->played, QStringList{"/snd/thanks.wav"});
    PlayerPrefs stored;
    ASSERT_TRUE(Prefs_ReadRecord(2, &stored));
    EXPECT_EQ(stored.Identity(1).CommentSet, "Rude");

    // Another set is saved without touching seat 2; ticking the box gives it to seat 2.
    Com.SoundMode = 2;
    w.Text1(1).SetText("kind 1");
    w.FileTxt.SetText("Kind");
    w.GetGoing_Click(kCusSave);
    EXPECT_EQ(Eng.SeatComments(1), "rude 1");
    EXPECT_EQ(svc.sound->played.size(), 1);
    w.Check1.SetValue(1);
    EXPECT_EQ(Eng.Seat2Rec.RecCommentSet, "Kind");
    EXPECT_EQ(Eng.SeatComments(1), "kind 1");
    ASSERT_TRUE(Prefs_ReadRecord(2, &stored));
    EXPECT_EQ(stored.Identity(1).CommentSet, "Kind");
    EXPECT_EQ(Prof.Prefs.Identity(1).CommentSet, "Kind");
}

TEST_F(CommentTest, ExportNeedsASavedSetAndNeverCopiesAFileOntoItself) {
    CustomForm& w = Editor(Numbered("x"), "Unsaved");
    svc.boxes->Expect(platform::vbOK);
    w.GetGoing_Click(kCusExport);
    EXPECT_EQ(
        svc.boxes->shown.back().text,
        "No comments to export! Open an exisiting comment file or Save the current comment file first.");
    EXPECT_TRUE(asked.isEmpty());

    w.GetGoing_Click(kCusSave);
    const QByteArray saved = FileBytes(Com.UserPath + "Unsaved.cmt");
    saveAnswer = home->Path() + "/out.cmt";
    w.GetGoing_Click(kCusExport);
    EXPECT_EQ(asked.back(), "Export Custom Comment file|Unsaved.cmt");
    EXPECT_EQ(FileBytes(saveAnswer), saved);
    saveAnswer = Com.UserPath + "Unsaved.cmt";
    w.GetGoing_Click(kCusExport);
    EXPECT_EQ(FileBytes(saveAnswer), saved);
    QString error;
    EXPECT_FALSE(Media_CopyFile(home->Path() + "/nothing", saveAnswer, &error));
    EXPECT_EQ(FileBytes(saveAnswer), saved);
}

TEST_F(CommentTest, OpenFromElsewhereCountsAsChangedAndReturnOffersTheSave) {
    const QString outside = home->Path() + "/Friend.CMT";
    ASSERT_TRUE(Comments_WriteFile(outside, Numbered("friend"), nullptr));
    openAnswer = outside;
    CustomForm& w = Editor({}, "");
    w.GetGoing_Click(kCusOpen);
    EXPECT_EQ(asked.value(0), Com.UserPath);
    EXPECT_EQ(w.FileTxt.Text(), "Friend");
    EXPECT_EQ(w.Text1(20).Text(), "friend 20");
    EXPECT_TRUE(w.Changed());
    svc.boxes->Expect(platform::vbYes);
    w.Command1_Click();
    EXPECT_TRUE(w.Loaded());
    EXPECT_TRUE(QFileInfo::exists(Com.UserPath + "Friend.cmt"));
    w.Command1_Click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
}

TEST_F(CommentTest, ASilencedSeatSpeaksNoOtherSeatsComments) {
    ASSERT_TRUE(Personality_WriteFile(Pms("Vex.pms"), Tagged("Vex")));
    List_Personalities();
    Eng.Seat2Rec.RecName = "Vex";
    Eng.Seat2Rec.RecCommentSet = "Default Personality";
    Person_Load(Eng.Seat2Rec, 1);
    Eng.Seat3Rec.RecName = "Vex";
    Eng.Seat3Rec.RecCommentSet = "No Comments";
    Person_Load(Eng.Seat3Rec, 0);
    for (int i = 1; i <= 33; ++i)
        EXPECT_EQ(Eng.Seat3Rec.RecComments(i), "") << i;
    EXPECT_EQ(Eng.Seat2Rec.RecComments(5), "Vex c5");
}

} // namespace

namespace {

TEST_F(CommentTest, OpeningShowsTheOnlySetCustomAndNewStartsAFreshOne) {
    ASSERT_TRUE(Comments_WriteFile(Com.UserPath + "Custom.cmt", Numbered("mine"), nullptr));
    CustomForm& w = frmCustom();
    if (w.Loaded()) w.Unload();
    w.Load();
    EXPECT_EQ(w.FileTxt.Text(), "Custom.cmt");
    EXPECT_EQ(w.Text1(20).Text(), "mine 20");
    EXPECT_FALSE(w.Changed());
    EXPECT_FALSE(w.Check1.Enabled());
    w.GetGoing_Click(kCusNew);
    EXPECT_EQ(w.Text1(7).Text(), "custom7");
    EXPECT_EQ(w.FileTxt.Text(), "filename");

    // With a second set on disk the editor opens empty-handed.
    ASSERT_TRUE(Comments_WriteFile(Com.UserPath + "Other.cmt", Numbered("o"), nullptr));
    w.Unload();
    w.FileTxt.SetText("");
    w.Load();
    EXPECT_EQ(w.FileTxt.Text(), "");
}

} // namespace
