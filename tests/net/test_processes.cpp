// Whole Internet games between two, three and four real processes of our program on
// 127.0.0.1: the host and the programs that join through the connection window, every
// seat played by the decision code. At the end every program's table must be the same
// and hold every card once.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

const QStringList kNames = {"Ada", "Bea", "Cyd", "Dot"};
constexpr int kGameLimitMs = 90000; // a game takes a few seconds; a slow machine may take longer

int FreePort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

struct Node {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    std::unique_ptr<QTemporaryDir> home = std::make_unique<QTemporaryDir>();
};

void Start(Node& n, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString h = n.home->path();
    env.insert("HOME", h);
    env.insert("XDG_CONFIG_HOME", h + "/config");
    env.insert("XDG_DATA_HOME", h + "/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    n.process->setProcessEnvironment(env);
    n.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    n.process->start(NET_NODE, args);
}

// Every card number on a table dump, with the place it lies in.
std::map<int, int> CardCounts(const QString& dump) {
    std::map<int, int> n;
    for (const QString& line : dump.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0) continue;
        for (const QString& f : line.mid(colon + 1).split(' ', Qt::SkipEmptyParts))
            if (f.toInt() != 0) ++n[f.toInt()];
    }
    return n;
}

// A program that joins keeps every card under its pack-one number: tables are compared so.
QString PackOne(const QString& dump) {
    QStringList lines = dump.split('\n');
    for (QString& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0) continue;
        QStringList cards = line.mid(colon + 1).split(' ', Qt::SkipEmptyParts);
        for (QString& c : cards)
            if (c.toInt() > 0) c = QString::number((c.toInt() - 1) % 52 + 1);
        line = line.left(colon + 1) + ' ' + cards.join(' ');
    }
    return lines.join('\n');
}

void PlayGame(int players, unsigned seed) {
    QTemporaryDir dir;
    const int port = FreePort();
    std::vector<Node> nodes(static_cast<size_t>(players));
    for (int i = 0; i < players; ++i) {
        QStringList args{"--port", QString::number(port), "--name", kNames[i], "--dir", dir.path(),
                         "--seed", QString::number(seed + static_cast<unsigned>(i)), "--level",
                         QString::number(i % 3)};
        args << (i == 0 ? QStringList{"--host", QString::number(players)} : QStringList{"--join"});
        Start(nodes[static_cast<size_t>(i)], args);
    }
    QElapsedTimer clock;
    clock.start();
    for (Node& n : nodes) {
        const int left = std::max(1, kGameLimitMs - static_cast<int>(clock.elapsed()));
        if (!n.process->waitForFinished(left)) n.process->kill();
        n.process->waitForFinished(1000);
    }
    for (int i = 0; i < players; ++i) {
        const QProcess& p = *nodes[static_cast<size_t>(i)].process;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << kNames[i].toStdString();
        EXPECT_EQ(p.exitCode(), 0) << kNames[i].toStdString() << " did not see the game to its end";
    }
    std::vector<QString> dumps;
    for (int i = 0; i < players; ++i) {
        QFile f(dir.path() + "/" + kNames[i] + ".dump");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << kNames[i].toStdString() << " wrote no table";
        dumps.push_back(QString::fromUtf8(f.readAll()));
    }
    EXPECT_TRUE(dumps[0].startsWith("ended 1\n"));
    for (int i = 1; i < players; ++i)
        EXPECT_EQ(PackOne(dumps[static_cast<size_t>(i)]).toStdString(), PackOne(dumps[0]).toStdString())
            << kNames[i].toStdString() << "'s table differs from the host's";
    const auto counts = CardCounts(dumps[0]);
    EXPECT_EQ(static_cast<int>(counts.size()), players * 52);
    for (const auto& [card, times] : counts) {
        EXPECT_EQ(times, 1) << "card " << card;
        EXPECT_GE(card, 1);
        EXPECT_LE(card, players * 52);
    }
    EXPECT_LT(clock.elapsed(), kGameLimitMs);
}

TEST(NetProcesses, TwoProgramsPlayAWholeGame) {
    PlayGame(2, 11);
}

TEST(NetProcesses, AThirdProgramJoinsThroughTheConnectionWindow) {
    PlayGame(3, 21);
}

TEST(NetProcesses, FourProgramsPlayAWholeGame) {
    PlayGame(4, 31);
}

} // namespace
