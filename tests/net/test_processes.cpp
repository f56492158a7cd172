// Whole Internet games between two, three and four real processes of our program on
// 127.0.0.1: the host and the programs that join through the connection window, every
// seat played by the decision code with no pause between a move and the next, and at
// three and four players a second game after the first has ended. At the end every
// program's table must be the same and hold every card once.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
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

// What went wrong in a run of games, empty when nothing did.
// With `leave` every program says its farewell as soon as its last game is scored; `allArgs`
// go to every program; `tossed` counts the stalemates the host abandoned.
std::string PlayGames(int players, unsigned seed, int games, bool leave = false,
                      const QStringList& hostArgs = {}, const QStringList& allArgs = {},
                      int* tossed = nullptr) {
    QTemporaryDir dir;
    const int port = FreePort();
    std::vector<Node> nodes(static_cast<size_t>(players));
    for (int i = 0; i < players; ++i) {
        QStringList args{"--port",  QString::number(port),
                         "--name",  kNames[i],
                         "--dir",   dir.path(),
                         "--seed",  QString::number(seed + static_cast<unsigned>(i)),
                         "--level", QString::number(i % 3),
                         "--games", QString::number(games)};
        args << (i == 0 ? QStringList{"--host", QString::number(players)} + hostArgs : QStringList{"--join"});
        if (leave) args << "--leave";
        args << allArgs;
        Start(nodes[static_cast<size_t>(i)], args);
    }
    QElapsedTimer clock;
    clock.start();
    for (Node& n : nodes) {
        const int left = std::max(1, kGameLimitMs - static_cast<int>(clock.elapsed()));
        if (!n.process->waitForFinished(left)) n.process->kill();
        n.process->waitForFinished(1000);
    }
    std::string why;
    for (int i = 0; i < players; ++i) {
        const QProcess& p = *nodes[static_cast<size_t>(i)].process;
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            why += kNames[i].toStdString() + " did not see the games to their end; ";
    }
    if (tossed) {
        QFile t(dir.path() + "/tossed");
        *tossed = t.open(QIODevice::ReadOnly) ? t.readAll().toInt() : 0;
    }
    std::vector<QString> dumps;
    for (int i = 0; i < players; ++i) {
        QFile f(dir.path() + "/" + kNames[i] + ".dump");
        if (!f.open(QIODevice::ReadOnly)) return why + kNames[i].toStdString() + " wrote no table";
        dumps.push_back(QString::fromUtf8(f.readAll()));
    }
    if (!dumps[0].startsWith("ended 1\n")) why += "the host's last game did not end; ";
    for (int i = 1; i < players; ++i)
        if (PackOne(dumps[static_cast<size_t>(i)]) != PackOne(dumps[0]))
            why += kNames[i].toStdString() + "'s table differs from the host's; ";
    const auto counts = CardCounts(dumps[0]);
    if (static_cast<int>(counts.size()) != players * 52) why += "cards are missing; ";
    for (const auto& [card, times] : counts)
        if (times != 1 || card < 1 || card > players * 52)
            why += "card " + std::to_string(card) + " is wrong; ";
    // Every program keeps its score files in its own folder.
    for (const Node& n : nodes)
        if (QDir(n.home->path() + "/user").entryList({"*.ran"}, QDir::Files).isEmpty())
            why += "a program kept no score file in its own folder; ";
    if (clock.elapsed() >= kGameLimitMs) why += "out of time; ";
    return why;
}

TEST(NetProcesses, TwoProgramsPlayAWholeGame) {
    EXPECT_EQ(PlayGames(2, 11, 1), "");
}

// The host's player presses F2 during the host's own turn: the remote answers the new game.
TEST(NetProcesses, TheHostsNewGameDuringItsOwnTurnStartsOnTheRemote) {
    EXPECT_EQ(PlayGames(2, 13, 1, false, {"--new-on-turn"}), "");
}

// The host's player restarts on its first turn (by the seeds) and keeps still: the remotes'
// answers alone let the host resume every table, its waits sleeping as the real clock's do.
TEST(NetProcesses, ARestartResumesEveryTableWithNobodyTouchingTheHost) {
    EXPECT_EQ(PlayGames(2, 17, 1, false, {"--restart"}), "");
    EXPECT_EQ(PlayGames(3, 45, 1, false, {"--restart"}), "");
}

TEST(NetProcesses, AThirdProgramJoinsAndASecondGameFollowsTheFirst) {
    EXPECT_EQ(PlayGames(3, 21, 2), "");
}

TEST(NetProcesses, FourProgramsPlayTwoGamesInARow) {
    EXPECT_EQ(PlayGames(4, 31, 2), "");
}

// Whoever loses leaves at once: the winner still scores the game and shows its end.
TEST(NetProcesses, EveryProgramLeavesTheMomentTheGameEnds) {
    for (int players : {2, 4})
        EXPECT_EQ(PlayGames(players, 41, 1, true), "") << players;
}

// The first game, dealt without a stock, stalls at once; the host abandons it, and every
// program plays the next game to its end and scores it.
TEST(NetProcesses, TheGameAfterAnAbandonedStalemateIsPlayedAndScored) {
    for (int players : {2, 3}) {
        int tossed = 0;
        EXPECT_EQ(PlayGames(players, 51, 1, false, {"--toss-stalemate"}, {"--no-stock-first"}, &tossed), "")
            << players << " players";
        EXPECT_EQ(tossed, 1) << players << " players";
    }
}

// Every program also sends lines its peers must pass over: `runs` games at each of 2 and 3
// players (every other one opening with an abandoned stalemate) end and are scored.
void PlayHostileGames(int runs, unsigned firstSeed) {
    int failed = 0;
    for (int players : {2, 3}) {
        for (int run = 0; run < runs; ++run) {
            const unsigned seed =
                firstSeed + 100u * static_cast<unsigned>(players) + static_cast<unsigned>(run);
            const bool stale = run % 2 == 1;
            const std::string why =
                PlayGames(players, seed, 1, false, stale ? QStringList{"--toss-stalemate"} : QStringList{},
                          stale ? QStringList{"--hostile", "--no-stock-first"} : QStringList{"--hostile"});
            failed += !why.empty();
            EXPECT_EQ(why, "") << players << " players, seed " << seed;
        }
    }
    std::printf("hostile lines: %d whole games, %d not ended or not scored\n", 2 * runs, failed);
}

TEST(NetProcesses, LinesFromTheWrongPlaceAtTheWrongTimeChangeNoGame) {
    PlayHostileGames(1, 61);
}

TEST(NetProcesses, DISABLED_SoakOfHostileLines) {
    const int runs = qEnvironmentVariableIntValue("NET_SOAK_RUNS");
    PlayHostileGames(runs > 0 ? runs : 20, 700);
}

// Twenty seeded runs of two games at every table size, every program leaving as the last
// one ends, counted: run with the soak label. NET_SOAK_SIDE=25 makes stalemates likely.
TEST(NetProcesses, DISABLED_SoakOfSeededRunsAtEveryTableSize) {
    const QString side = qEnvironmentVariable("NET_SOAK_SIDE");
    const QStringList hostArgs = side.isEmpty() ? QStringList{} : QStringList{"--side", side};
    const int runs = qEnvironmentVariableIntValue("NET_SOAK_RUNS") > 0
                         ? qEnvironmentVariableIntValue("NET_SOAK_RUNS")
                         : 20;
    for (int players = 2; players <= 4; ++players) {
        int failed = 0, unended = 0, unscored = 0;
        for (int run = 1; run <= runs; ++run) {
            const std::string why =
                PlayGames(players, 1000u * static_cast<unsigned>(players) + static_cast<unsigned>(run) * 7u,
                          2, true, hostArgs);
            if (!why.empty()) {
                ++failed;
                unended += why.find("did not end") != std::string::npos ||
                           why.find("out of time") != std::string::npos;
                unscored += why.find("to their end") != std::string::npos ||
                            why.find("no score") != std::string::npos;
                ADD_FAILURE() << players << " players, run " << run << ": " << why;
            }
        }
        std::printf("%d players: %d runs of 2 games, %d failed, %d not ended, %d not scored\n", players, runs,
                    failed, unended, unscored);
    }
}

} // namespace
