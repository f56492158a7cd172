// The real program asked to end by a logout's SIGTERM while its start-up waits at the login:
// it ends with status 0 and leaves its data folder as a close would, with no sounds and no lock.
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace {

// Waits for `done` on the real clock, up to `ms`.
template <typename Done> bool WaitFor(Done done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QThread::msleep(20);
    return done();
}

} // namespace

TEST(EndSignal, ALogoutAtTheLoginEndsTheProgramCleanly) {
    TestHome home;
    const QString root = home.Path() + "/data/Vornhelm/";
    const QString data = root + "Grulm and Torvek/Data/";
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(VORNHELM_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // The saved-games file opens just before the login, which then waits for a name.
    const bool atLogin = WaitFor([&] { return QFile::exists(data + "backup.sav"); }, 20000);
    QThread::msleep(300);
    EXPECT_FALSE(QDir(data).entryList({"~*.tmp"}, QDir::Files).isEmpty()) << "the sounds were made";
    program.terminate();
    const bool ended = program.waitForFinished(10000);
    if (!ended) program.kill();
    const std::string out = program.readAll().toStdString();
    ASSERT_TRUE(atLogin) << out;
    ASSERT_TRUE(ended) << "still running after SIGTERM\n" << out;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << out;
    EXPECT_EQ(program.exitCode(), 0) << out;
    EXPECT_EQ(QDir(data).entryList({"*.tmp"}, QDir::Files), QStringList()) << out;
    EXPECT_FALSE(QFile::exists(root + "running.lock")) << out;
}
