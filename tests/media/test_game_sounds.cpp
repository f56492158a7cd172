// The program's own sounds in the data folder, and the music, with and without a device.
#include "engine/Model.h"
#include "media/GameSounds.h"
#include "media/Music.h"
#include "tests/media/MediaTestSupport.h"
#include "tests/support/PipeInPlace.h"

#include <QDir>
#include <QtEndian>

namespace {
class GameSoundsTest : public MediaTest {};

// The data chunk's length must match what follows the header, or a player refuses the file.
void ExpectWave(const QByteArray& b, int id) {
    ASSERT_GT(b.size(), 44) << id;
    EXPECT_TRUE(b.startsWith("RIFF") && b.mid(8, 8) == "WAVEfmt ") << id;
    EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 4), static_cast<quint32>(b.size() - 8)) << id;
    EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 40), static_cast<quint32>(b.size() - 44)) << id;
}
} // namespace

TEST_F(GameSoundsTest, StartUpWritesEveryNamedSoundAndTheExitRemovesThemAndThePacks) {
    SetUpSounds();
    for (int id = kGameSoundFirst; id <= kGameSoundLast; ++id) {
        QFile f(Com.DataPath + QStringLiteral("~%1.tmp").arg(id));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << id;
        ExpectWave(f.readAll(), id);
    }
    EXPECT_TRUE(GameSound_Make(kGameSoundLast + 1).isEmpty());
    // Other temporary files and downloaded packs go too; the user's own sounds stay.
    WriteBytes(Com.DataPath + "~tempmoves.tmp", "x");
    QDir().mkpath(Com.UserPath + "Sounds");
    WriteBytes(Com.UserPath + "Sounds/pack.pmw", "x");
    WriteBytes(Com.UserPath + "Sounds/mine.wav", "x");
    Eng.SeatSounds(2) = Com.UserPath + "Sounds/mine.wav";
    Com.SoundMode = 0;
    ASSERT_EQ(Music_PlayIntro(), kMusicSuccess);
    CleanUpSounds();
    EXPECT_TRUE(QDir(Com.DataPath).entryList({"*.tmp"}, QDir::Files).isEmpty());
    EXPECT_EQ(QDir(Com.UserPath + "Sounds").entryList(QDir::Files), QStringList{"mine.wav"});
    EXPECT_EQ(svc.sound->played, QStringList{Eng.SeatSounds(2)});
    EXPECT_FALSE(MP3_IsPlaying());
}

TEST_F(GameSoundsTest, MusicStopsTheLastBeforeTheNextAndIsSilentWithoutADevice) {
    const QString intro = Music_IntroFile();
    QFile f(intro);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    ExpectWave(f.readAll(), 0);
    EXPECT_EQ(MP3_Play(Com.DataPath + "none.wav"), kMusicNoFile);
    EXPECT_TRUE(svc.sound->music.isEmpty());
    EXPECT_EQ(MP3_Play(intro), kMusicSuccess);
    EXPECT_TRUE(MP3_IsPlaying());
    const int stops = svc.sound->musicStops;
    EXPECT_EQ(MP3_Play(intro), kMusicSuccess);
    EXPECT_EQ(svc.sound->musicStops, stops + 1);

    svc.sound->hasOutput = false;
    EXPECT_EQ(Music_PlayIntro(), kMusicNoOutput);
    EXPECT_FALSE(MP3_IsPlaying());
    EXPECT_TRUE(svc.boxes->shown.empty());
}

// A pipe left where a sound is written is replaced by the sound, not waited on.
TEST_F(GameSoundsTest, APipeInASoundsPlaceIsReplacedAtStartUp) {
    PipeInPlace pipe(GameSound_File(kGameSoundFirst));
    ASSERT_TRUE(pipe.made);
    SetUpSounds();
    EXPECT_FALSE(pipe.Waited());
    ExpectWave(FileBytes(GameSound_File(kGameSoundFirst)), kGameSoundFirst);
}
