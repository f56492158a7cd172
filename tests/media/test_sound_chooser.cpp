// The chat's personality sounds: installing, dropping and the three-choice limit.
#include "media/Persons.h"
#include "media/SoundChooser.h"
#include "media/frmSounds.h"
#include "tests/media/MediaTestSupport.h"

namespace {

class ChooserTest : public MediaTest {
  protected:
    void SetUp() override {
        MediaTest::SetUp();
        for (const char* name : {"Grulm", "Torvek"})
            ASSERT_TRUE(Personality_WriteFile(Pms(QString(name) + ".pms"), Personality_Grulm()));
        for (const char* name : {"Ann", "Bo", "Cy", "Oskrel"})
            ASSERT_TRUE(Personality_WriteFile(Pms(QString(name) + ".pms"), Tagged(name)));
        List_Personalities();
    }
    QStringList Pmw(const QString& name) const {
        return QDir(Com.UserPath + "Sounds").entryList({"*" + name + ".pmw"}, QDir::Files);
    }
    QStringList Persons() const {
        return {Med.ChatSoundPersons(1), Med.ChatSoundPersons(2), Med.ChatSoundPersons(3)};
    }
};

TEST_F(ChooserTest, DroppedPersonsLoseTheirSoundsAndFreeEntriesAreReused) {
    QDir().mkpath(Com.UserPath + "Sounds");
    WriteBytes(Com.UserPath + "Sounds/old-Grulm.pmw", "x");
    Med.ChatSoundPersons(1) = "Grulm";
    InstallPersonalitySounds({"Torvek"});
    EXPECT_TRUE(Pmw("Grulm").isEmpty());
    EXPECT_EQ(Persons(), (QStringList{"Torvek", "", ""}));
    const QStringList torvek = Pmw("Torvek");
    EXPECT_EQ(torvek.size(), kPersonSounds);
    EXPECT_TRUE(torvek.contains("WildCardP-Torvek.pmw"));

    // Torvek stays as he is; a personality without sounds still takes its entry.
    QFile::remove(Com.UserPath + "Sounds/" + torvek.at(0));
    svc.boxes->Expect(platform::vbOK);
    InstallPersonalitySounds({"Ann", "Torvek", "Grulm"});
    EXPECT_EQ(svc.boxes->shown.back().text, "This personality has not been installed. No sounds available.");
    EXPECT_EQ(svc.boxes->shown.back().title, "Missing Person");
    EXPECT_EQ(Pmw("Torvek").size(), kPersonSounds - 1); // not installed again
    EXPECT_EQ(Persons(), (QStringList{"Torvek", "Ann", "Grulm"}));
    InstallPersonalitySounds({"Torvek", "Grulm"});
    EXPECT_EQ(Persons(), (QStringList{"Torvek", "", "Grulm"}));
    svc.boxes->Expect(platform::vbOK);
    InstallPersonalitySounds({"Bo", "Torvek", "Grulm"});
    EXPECT_EQ(Persons(), (QStringList{"Torvek", "Bo", "Grulm"}));
}

TEST_F(ChooserTest, WindowTicksTheChosenOnceAndRefusesAFourth) {
    Med.ChatSoundPersons(1) = "Torvek";
    Med.ChatSoundPersons(2) = "Torvek";
    Med.ChatSoundPersons(3) = "Oskrel";
    SoundsForm& w = frmSounds();
    if (w.Loaded()) w.Unload();
    w.Load();
    QStringList listed;
    for (int i = 0; i < w.lstSounds.ListCount(); ++i)
        listed << w.lstSounds.List(i);
    EXPECT_EQ(listed, (QStringList{"Ann", "Bo", "Cy", "Torvek"}));
    EXPECT_TRUE(w.lstSounds.Selected(3));
    EXPECT_FALSE(w.lstSounds.Selected(0));
    EXPECT_EQ(Persons(), (QStringList{"Torvek", "", "Oskrel"}));
    w.lstSounds.SetListIndex(0);
    EXPECT_EQ(w.lblDescription.Caption(), "Ann c0");

    for (int i = 0; i <= 2; ++i)
        w.lstSounds.SetSelected(i, true);
    svc.boxes->Expect(platform::vbOK);
    w.cmdDone_Click();
    EXPECT_EQ(svc.boxes->shown.back().title, "3 Maximum");
    EXPECT_TRUE(w.Loaded());
    EXPECT_EQ(Persons(), (QStringList{"Torvek", "", "Oskrel"}));
    w.lstSounds.SetSelected(2, false);
    w.lstSounds.SetSelected(3, false);
    svc.boxes->Expect(platform::vbOK);
    svc.boxes->Expect(platform::vbOK);
    w.cmdDone_Click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(Persons(), (QStringList{"Ann", "Bo", ""}));
}

} // namespace
