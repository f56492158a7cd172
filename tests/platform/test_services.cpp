#include "platform/EndSignals.h"
#include "platform/RegularFile.h"
#include "platform/Services.h"
#include "tests/support/PipeInPlace.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QTimer>
#include <csignal>

using ServicesTest = GameTest;

TEST_F(ServicesTest, ScriptedBoxesAnswerInOrderAndRecord) {
    svc.boxes->Expect(platform::vbNo);
    svc.boxes->Expect(platform::vbYes);
    EXPECT_EQ(platform::MsgBox("one?", platform::vbYesNo | platform::vbQuestion, "T"), platform::vbNo);
    EXPECT_EQ(platform::MsgBox("two?", platform::vbYesNo, "T"), platform::vbYes);
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_EQ(svc.boxes->shown[0].text, "one?");
    EXPECT_EQ(svc.boxes->shown[0].style & 0x70, platform::vbQuestion);
}

TEST_F(ServicesTest, AnUnscriptedBoxIsReportedAndAnsweredSafely) {
    int reported = 0;
    svc.boxes->onUnexpected = [&](const platform::MsgCall&) { ++reported; };
    EXPECT_EQ(platform::MsgBox("sure?", platform::vbYesNoCancel, "Q"), platform::vbCancel);
    EXPECT_EQ(reported, 1);
}

TEST_F(ServicesTest, RandomIsSeedable) {
    auto& r = platform::Svc().random;
    r.Randomize(42);
    const double a = r.Rnd();
    const int b = r.Between(1, 6);
    r.Randomize(42);
    EXPECT_EQ(r.Rnd(), a);
    EXPECT_EQ(r.Between(1, 6), b);
    for (int i = 0; i < 1000; ++i) {
        const double u = r.Rnd();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        const int k = r.Between(3, 5);
        ASSERT_GE(k, 3);
        ASSERT_LE(k, 5);
    }
}

TEST_F(ServicesTest, RealClockWaitsWhileProcessingEvents) {
    platform::InstallRealServices();
    auto& clock = *platform::Svc().clock;
    bool ran = false;
    QTimer::singleShot(5, [&] { ran = true; });
    QElapsedTimer t;
    t.start();
    const double start = clock.Now();
    clock.WaitUntil(start + 0.08, nullptr, true);
    EXPECT_GE(clock.Now() - start, 0.08);
    EXPECT_GE(t.elapsed(), 75);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_TRUE(ran);
    // A stop request ends the wait long before its deadline.
    bool stop = false;
    QTimer::singleShot(10, [&] { stop = true; });
    t.restart();
    clock.WaitUntil(
        clock.Now() + 5.0, [&] { return stop; }, true);
    EXPECT_LT(t.elapsed(), 1000);
}

// A logout's SIGTERM only wakes the event loop, which then ends the program the orderly way.
TEST_F(ServicesTest, AnEndSignalRunsTheEndOnceFromTheEventLoop) {
    int ended = 0;
    platform::EndSignals_Install([&] { ++ended; });
    std::raise(SIGTERM);
    EXPECT_EQ(ended, 0) << "not inside the handler";
    QElapsedTimer t;
    t.start();
    while (ended == 0 && t.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(ended, 1);
}

// Only a plain file, or a link to one, is opened to read; a pipe is refused without a wait.
TEST_F(ServicesTest, OnlyPlainFilesAreOpenedToReadAndNothingWaitsOnAPipe) {
    const QString dir = home->Path() + "/";
    WriteBytes(dir + "plain", "abc");
    PipeInPlace pipe(dir + "pipe");
    ASSERT_TRUE(pipe.made);
    QFile::link(dir + "pipe", dir + "link-to-pipe");
    QFile::link(dir + "plain", dir + "link-to-plain");
    for (const char* name : {"plain", "link-to-plain", "pipe", "link-to-pipe", "", "missing"}) {
        QFile f;
        const bool plain = QString(name).contains("plain");
        EXPECT_EQ(platform::RegularFile_OpenRead(f, dir + name), plain) << name;
        EXPECT_EQ(f.readAll(), plain ? "abc" : "") << name;
    }
    EXPECT_FALSE(pipe.Waited());
}
