// The real program asked to end by a logout's SIGTERM while its start-up waits at the login.
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

TEST(EndSignal, ALogoutAtTheLoginEndsTheProgramCleanly) {
    TestHome home;
    const QString root = home.Path() + "/data/Vornhelm/", data = root + "Grulm and Torvek/Data/";
    QProcess program; // ended by its destructor should the signal not end it
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(VORNHELM_PROGRAM), {});
    // The saved-games file opens just before the login, which then waits for a name.
    EventsUntil([&] { return QFile::exists(data + "backup.sav"); }, 20000);
    QThread::msleep(300);
    ASSERT_FALSE(QDir(data).entryList({"~*.tmp"}, QDir::Files).isEmpty()) << "the sounds were not made";
    program.terminate();
    const bool ended = program.waitForFinished(10000);
    const std::string out = program.readAll().toStdString();
    ASSERT_TRUE(ended) << out;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << out;
    EXPECT_EQ(program.exitCode(), 0) << out;
    EXPECT_EQ(QDir(data).entryList({"*.tmp"}, QDir::Files), QStringList()) << out;
    EXPECT_FALSE(QFile::exists(root + "running.lock")) << out;
}
