// The program's sound on a real sound server: scripts/test.sh starts a private one with
// a null sink. Without a server this is skipped, unless the run says a server is there.
#include "tests/support/TestSupport.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>

TEST(SoundDevice, EverySoundDamagedFilesMusicAndAWholeGamePlayAndTheProgramEndsCleanly) {
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        // The run that started a server says so: a server that went away is a failure there.
        if (qEnvironmentVariableIsSet("VORNHELM_SOUND_SERVER"))
            FAIL() << "the sound server of this run is gone";
        GTEST_SKIP()
            << "No sound server: start one (scripts/test.sh does) to play through a real audio device";
    }
    TestHome home;
    QProcess node;
    node.setProcessChannelMode(QProcess::MergedChannels);
    node.start(QStringLiteral(SOUND_NODE), {});
    ASSERT_TRUE(node.waitForStarted(10000));
    // A sound that never finishes loading froze the program for good: give it time, not forever.
    const bool finished = node.waitForFinished(150000);
    if (!finished) node.kill();
    const QString out = QString::fromLocal8Bit(node.readAll());
    ASSERT_TRUE(finished) << "the program froze\n" << out.toStdString();
    EXPECT_EQ(node.exitStatus(), QProcess::NormalExit) << out.toStdString();
    EXPECT_EQ(node.exitCode(), 0) << out.toStdString();
    EXPECT_FALSE(out.contains("FAIL")) << out.toStdString();
    EXPECT_TRUE(out.contains("ok the intro music still plays")) << out.toStdString();
}
