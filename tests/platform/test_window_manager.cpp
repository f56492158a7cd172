// The game's windows on a real X server with a window manager (Xvfb and openbox, each
// started here on a display of its own): the table's title bar on the screen at the first
// start and at a stored place, the tool windows wholly on the screen, the width a player
// dragged undone by the reset, the table of every game size whole on small screens and the chat
// clear of the player's places. Skipped where Xvfb or openbox is not installed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kStartMs = 10000, kProbeMs = 90000;

class XServer {
  public:
    // False (with the reason) when no X server with a window manager could be started.
    bool Start(QSize screen, QString* why) {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty()) {
            *why = QStringLiteral("Xvfb or openbox is not installed");
            return false;
        }
        // The server picks a free display and says which on its output.
        x_.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!x_.waitForReadyRead(kStartMs)) {
            *why = QStringLiteral("Xvfb did not start");
            return false;
        }
        display_ = ":" + QString::fromLatin1(x_.readAllStandardOutput()).trimmed();
        // openbox runs its start-up command once it manages the screen.
        const QString ready = dir_.filePath(QStringLiteral("wm-ready"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        wm_.setProcessEnvironment(env);
        wm_.start(openbox, {QStringLiteral("--startup"), "touch " + ready});
        for (int waited = 0; !QFile::exists(ready) && waited < kStartMs; waited += 50)
            QThread::msleep(50);
        if (!QFile::exists(ready)) {
            *why = QStringLiteral("openbox did not start");
            return false;
        }
        return true;
    }
    ~XServer() {
        for (QProcess* p : {&wm_, &x_}) {
            p->terminate();
            if (!p->waitForFinished(3000)) p->kill();
            p->waitForFinished(1000);
        }
    }
    // Runs the probe on this display with its own home; its lines by their first word.
    std::map<QString, QRect> Probe(const QString& home, const QStringList& args = {}) {
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + "/data");
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + "/config");
        // It looks at windows only, so it plays no sound: once, on a busy machine, the sound
        // library aborted in its own clean-up as the probe ended within a second of starting.
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + home + "/no-sound-server");
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(WM_PROBE), args);
        probe.waitForFinished(kProbeMs);
        EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
        std::map<QString, QRect> seen;
        for (const QByteArray& line : probe.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 5)
                seen[QString::fromLatin1(f[0])] =
                    QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        }
        return seen;
    }

  private:
    QTemporaryDir dir_;
    QProcess x_, wm_;
    QString display_;
};

// A window's frame lies wholly in the free area: a dialog designed for a larger screen is
// made smaller, so its buttons can be reached.
void ExpectFramedOnScreen(const std::map<QString, QRect>& seen, const char* name) {
    ASSERT_TRUE(seen.count(name)) << name;
    const QRect frame = seen.at(name), free = seen.at(QStringLiteral("free"));
    EXPECT_TRUE(free.contains(frame))
        << name << " " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

// The chat of an Internet game lies wholly on the screen, made smaller where it must, clear of
// the DEAL button, the player's own places and the icon menu.
void ExpectChatClear(const std::map<QString, QRect>& seen, QSize screen, const char* players) {
    ExpectFramedOnScreen(seen, "chat");
    for (const char* line :
         {"covered-chat-deal", "covered-chat-own", "covered-chat-menu", "covered-chat-status"})
        EXPECT_FALSE(seen.count(QLatin1String(line))) << screen.width() << " " << players << " " << line;
}

TEST(WindowManager, TheTableAndItsToolWindowsOpenWhollyOnTheScreen) {
    for (const QSize screen : {QSize(640, 480), QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
        XServer x;
        QString why;
        if (!x.Start(screen, &why)) GTEST_SKIP() << why.toStdString();
        QTemporaryDir home;
        const auto seen = x.Probe(home.path());
        ASSERT_TRUE(seen.count(QStringLiteral("table")) && seen.count(QStringLiteral("client")));
        // The title bar (with the close box) lies above the client area, on the screen.
        EXPECT_LT(seen.at(QStringLiteral("table")).top(), seen.at(QStringLiteral("client")).top());
        for (const char* name : {"pace", "counter", "preferences", "opponents", "comments", "tutorial"})
            ExpectFramedOnScreen(seen, name);
        // Opened again, a dialog's frame comes back where it was.
        for (const QString name : {"preferences", "opponents", "comments"}) {
            ExpectFramedOnScreen(seen, qPrintable("again-" + name));
            EXPECT_EQ(seen.at("again-" + name).topLeft(), seen.at(name).topLeft()) << name.toStdString();
        }
        // The table's title bar is on the screen, and so is its status bar; its bottom border may
        // lie just off it.
        EXPECT_TRUE(seen.at(QStringLiteral("free")).contains(seen.at(QStringLiteral("table")).topLeft()));
        EXPECT_LT(seen.at(QStringLiteral("status")).bottom(), screen.height()) << screen.width();
        // The counter leaves the player's own places and the center piles free; from 1024x768 up
        // the chat leaves every card place free too.
        EXPECT_FALSE(seen.count(QStringLiteral("covered"))) << screen.width();
        ExpectChatClear(seen, screen, "2");
        if (screen.width() >= 1024) {
            EXPECT_FALSE(seen.count(QStringLiteral("covered-chat"))) << screen.width();
        }
        // The scores open beside the chat kept on top, or above it where the screen has no room.
        ExpectFramedOnScreen(seen, "scores");
        EXPECT_TRUE(!seen.at(QStringLiteral("scores")).intersects(seen.at(QStringLiteral("chat"))) ||
                    seen.count(QStringLiteral("scores-on-top")))
            << screen.width();
        // From 1024x768 up the tutorial opens clear of every place of the player's.
        if (screen.width() >= 1024) {
            EXPECT_FALSE(seen.count(QStringLiteral("covered-tutorial"))) << screen.width();
        }
        // A width the player dragged gives way to the fitted one: the screen's on a 640-pixel
        // screen (less the frame), 1111 pixels from 1280 up.
        const int fitted = screen.width() > 1024 ? 1111 : seen.at(QStringLiteral("client")).width();
        EXPECT_EQ(seen.at(QStringLiteral("reset")).width(), fitted) << screen.width();
    }
}

TEST(WindowManager, EveryGameSizeSeesItsWholeTableAndItsChatOnSmallScreens) {
    for (const QSize screen : {QSize(640, 480), QSize(800, 600)})
        for (const char* players : {"3", "4"}) {
            XServer x;
            QString why;
            if (!x.Start(screen, &why)) GTEST_SKIP() << why.toStdString();
            QTemporaryDir home;
            const auto seen = x.Probe(home.path(), {QStringLiteral("--players"), QLatin1String(players)});
            ASSERT_TRUE(seen.count(QStringLiteral("client"))) << screen.width() << " " << players;
            // Back to one opponent under the window, both dialogs open again wholly on the screen.
            for (const char* name : {"again-preferences", "again-opponents"})
                ExpectFramedOnScreen(seen, name);
            ExpectChatClear(seen, screen, players);
            // Every card place and label inside the client area, no place on another owner's.
            for (const auto& [line, r] : seen)
                EXPECT_FALSE(line.startsWith(QLatin1String("outside")) ||
                             line.startsWith(QLatin1String("overlap")))
                    << screen.width() << " " << players << ": " << line.toStdString() << " " << r.x() << ","
                    << r.y() << " " << r.width() << "x" << r.height();
        }
}

TEST(WindowManager, TheTableReopensWhereItsFrameWasLeft) {
    XServer x;
    QString why;
    if (!x.Start(QSize(1280, 1024), &why)) GTEST_SKIP() << why.toStdString();
    QTemporaryDir home;
    const auto left =
        x.Probe(home.path(), {QStringLiteral("--move"), QStringLiteral("60"), QStringLiteral("40")});
    ASSERT_TRUE(left.count(QStringLiteral("moved")));
    EXPECT_EQ(left.at(QStringLiteral("moved")).topLeft(), QPoint(60, 40));
    const auto again = x.Probe(home.path());
    ASSERT_TRUE(again.count(QStringLiteral("table")));
    EXPECT_EQ(again.at(QStringLiteral("table")).topLeft(), QPoint(60, 40));
    ExpectFramedOnScreen(again, "table");
}

} // namespace
