// One program of an Internet game between real processes on loopback, with no one at
// the keyboard: the program's own wiring, the connection window filled in and pressed,
// seat 1 played by the computer's decision code with no pause between its moves. The
// host starts the next game as soon as one ends. At the end of the last game it writes
// its whole table, keyed by player name, waits until every program has written its own,
// and leaves.
//   net_node --host PLAYERS | --join   --port P --name NAME --dir DIR [--seed N] [--level L]
//            [--games G] [--leave] [--side S] [--new-on-turn] [--restart] [--toss-stalemate]
//            [--no-stock-first] [--hostile]
// With --leave the program says its farewell as its last game ends: a loser right behind
// its answer to the winner's last OK, the winner once the game is scored.
// With --new-on-turn the host's player presses F2 once, a moment into the host's first turn.
// --restart: the host's player restarts once as its first turn begins, then keeps still.
// --toss-stalemate: the host's player abandons every stalemate for the next game.
// --no-stock-first: the first game is dealt without a stock, a stalemate on every table.
// --hostile: the program also sends lines a peer must pass over (see Hostile).
#include "app/Wiring.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "net/NetCleanUp.h"
#include "net/NetCodec.h"
#include "net/NetState.h"
#include "net/frmPlayers.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"
#include "platform/TestServices.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGames.h"
#include "shell/Startup.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TableSize.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kShortSide = 9;

struct Options {
    int players = 0; // host: the table size; 0 joins
    int port = 0;
    QString name, dir;
    unsigned seed = 1;
    int level = 2;
    int games = 1;
    bool leave = false;
    int side = kShortSide; // the host's side piles
    bool newOnTurn = false;
    bool restart = false;
    bool tossStalemate = false;
    bool noStockFirst = false;
    bool hostile = false;
    double limit = 60.0; // seconds of real time before the program gives up
} opt;

// Pauses pass at once, letting what is pending run: a move follows the answer to the one
// before with nothing in between. A network wait sleeps until something happens.
class NodeClock : public platform::Clock {
  public:
    double Now() override { return now_; }
    void WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) override {
        if (stop && stop()) return;
        ++waits;
        if (processEvents) QCoreApplication::processEvents();
        if (deadline > now_) now_ = deadline;
    }
    void WaitForEvent(const std::function<bool()>& stop, bool processEvents) override {
        if (stop && stop()) return;
        ++waits;
        if (!processEvents) return;
        QEventLoop loop;
        // A still desktop: the windows' own upkeep (the offscreen platform's frame checks) does
        // not wake the wait; a peer's line, or what the wait stops on, does.
        const long lines = socketEvents;
        do
            loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
        while (still && socketEvents == lines && !(stop && stop()));
    }

    long waits = 0;
    bool still = false;
    long socketEvents = 0;

  private:
    double now_ = 1000.0;
};

// Every box answered as a player who wants the game to go on would answer it.
class NodeBoxes : public platform::MessageBoxes {
  public:
    static inline int tossed = 0;
    int Show(const QString& text, int style, const QString& title) override {
        std::fprintf(stderr, "[%s] box %s: %s\n", qPrintable(opt.name), qPrintable(title),
                     qPrintable(QString(text).replace(QLatin1String("\r\n"), QLatin1String(" / "))));
        const int buttons = style & 0x0F;
        if (buttons == platform::vbYesNo || buttons == platform::vbYesNoCancel) {
            const bool stalemate = title == QLatin1String("Stalemate");
            tossed += stalemate && opt.tossStalemate;
            const bool yes = title == QLatin1String("New opponent joining") || (stalemate && !opt.tossStalemate);
            return yes ? platform::vbYes : platform::vbNo;
        }
        if (title == QLatin1String("Restart Game")) return platform::vbOK;
        if (buttons == platform::vbOKCancel || buttons == platform::vbRetryCancel) return platform::vbCancel;
        return platform::vbOK;
    }
};

QString SeatName(int seat) {
    return seat == 1 ? Com.PlayerName : SeatRecordOf(seat).RecName;
}

QString Cards(const BArray<int, 2>& pile, int count) {
    QStringList s;
    for (int i = 1; i <= count; ++i)
        s << QString::number(pile(0, i));
    return s.join(' ');
}

// One seat's piles in the same form whether this program plays it or shows it.
QStringList SeatLines(int seat) {
    const QString who = QStringLiteral("player ") + SeatName(seat).trimmed() + ' ';
    QStringList side, hand, holds[4];
    int sideCount = 0, wildsSide = 0, wildsHand = 0;
    if (seat == 1) {
        sideCount = Eng.PlayerSideCount;
        for (int i = 1; i <= sideCount; ++i)
            side << QString::number(Eng.PlayerSide(0, i));
        for (int s = 2; s <= 6; ++s)
            hand << QString::number(Eng.PlayerCards(0, s));
        for (int h = 1; h <= 4; ++h) {
            for (int k = 1; k <= Eng.PlayerHoldCount(h); ++k)
                holds[h - 1] << QString::number(Eng.PlayerHold(0, h, k));
            if (Eng.PlayerCards(0, h + 6) != 0) holds[h - 1] << QString::number(Eng.PlayerCards(0, h + 6));
        }
        wildsSide = Eng.WildsFromSide;
        wildsHand = Eng.WildsFromHand;
    } else {
        const SeatRecord& r = SeatRecordOf(seat);
        sideCount = r.RecSideCount;
        for (int i = 1; i <= sideCount; ++i)
            side << QString::number(r.RecSide(0, i));
        for (int s = 2; s <= 6; ++s)
            hand << QString::number(r.RecCards(0, s));
        for (int h = 1; h <= 4; ++h)
            for (int k = 1; k <= r.RecHoldInfo(h, 1); ++k)
                holds[h - 1] << QString::number(r.RecHold(0, h, k));
        wildsSide = r.RecWildsFromSide;
        wildsHand = r.RecWildsFromHand;
    }
    QStringList lines{who + "side: " + side.join(' '), who + "hand: " + hand.join(' ')};
    for (int h = 0; h < 4; ++h)
        lines << who + "hold" + QString::number(h + 1) + ": " + holds[h].join(' ');
    lines << who + "wilds " + QString::number(wildsSide) + ' ' + QString::number(wildsHand);
    return lines;
}

QString TableDump(bool ended) {
    QStringList lines{QStringLiteral("ended %1").arg(ended ? 1 : 0),
                      QStringLiteral("size %1 %2 %3").arg(Com.NumPlayers).arg(Com.NumCenters).arg(Com.TotalCards),
                      "stock: " + Cards(Eng.Deck, Eng.DeckCount), "used: " + Cards(Eng.UsedPile, Eng.UsedCount)};
    for (int c = 1; c <= Com.NumCenters; ++c) {
        QStringList pile;
        for (int k = 1; k <= Eng.CenterCount(c); ++k)
            pile << QString::number(Eng.Center(0, c, k));
        lines << QStringLiteral("center%1: ").arg(c) + pile.join(' ');
    }
    QStringList seats;
    for (int seat = 1; seat <= Com.NumPlayers; ++seat)
        seats << SeatLines(seat).join('\n');
    seats.sort();
    return (lines + seats).join('\n') + '\n';
}

int DumpsWritten() {
    return static_cast<int>(QDir(opt.dir).entryList({QStringLiteral("*.dump")}, QDir::Files).size());
}

void WriteDump(bool ended) {
    const QString path = opt.dir + '/' + opt.name + ".dump";
    QFile f(path + ".part");
    if (f.open(QIODevice::WriteOnly)) {
        f.write(TableDump(ended).toUtf8());
        f.close();
        QFile::rename(path + ".part", path);
    }
}

// The protocol lines this program sent and received, for finding what went wrong.
void WriteTrace() {
    QFile f(opt.dir + '/' + opt.name + ".trace");
    if (!f.open(QIODevice::WriteOnly)) return;
    for (const NetTraceEntry& t : Net.Trace)
        f.write(QByteArray::number(t.element) + t.direction + ' ' + t.bytes.trimmed() + '\n');
}

// What a player would do next, looked at every few milliseconds from the event loop
// (and from inside the program's own waits, which let events run).
class Driver {
  public:
    void Tick() {
        if (elapsed_.elapsed() > opt.limit * 1000) Finish(false);
        if (ended_) {
            if (DumpsWritten() >= Players()) std::_Exit(0);
            return;
        }
        if (qEnvironmentVariableIsSet("NET_NODE_TRACE") && elapsed_.elapsed() / 500 != traced_) {
            traced_ = elapsed_.elapsed() / 500;
            QWidget* m = ModalWindow();
            std::fprintf(stderr, "[%s] game %d state %d turn %d host %d sock0 %d pending %d modal %s deal %d busy %d\n",
                         qPrintable(opt.name), Com.NetGame, Com.NetState, Com.Pturn, Com.NetHost,
                         Winsock1().State(0), pending_ ? 1 : 0, m ? qPrintable(m->windowTitle()) : "-",
                         frmGrulm().cmdDeal.Visible() ? 1 : 0, Eng.TableBusy ? 1 : 0);
        }
        CloseStrayWindows();
        // The programs that join wait for the host to listen.
        if (opt.players != 0 && !listening_ && Winsock1().State(0) == platform::sckListening) {
            listening_ = true;
            QFile f(opt.dir + QStringLiteral("/listening"));
            if (f.open(QIODevice::WriteOnly)) f.close();
        }
        if (pending_) return;
        pending_ = true;
        // A timer does not fire again while its own handler runs: what may wait runs apart.
        // A player's next click may come while an earlier one still waits, as it may for a
        // player: the game's own flags refuse what cannot be done then.
        QTimer::singleShot(0, [this] {
            pending_ = false;
            Step();
        });
    }
    // A game has been scored: the last one ends the program, another is started.
    void GameEnded() {
        if (++gamesEnded_ < opt.games) {
            nextGame_ = true;
            return;
        }
        Finish(true);
    }
    void Start(QTimer& tick) {
        tick_ = &tick;
        elapsed_.start();
    }
    bool LastGame() const { return gamesEnded_ + 1 >= opt.games; }

  private:
    int Players() const { return opt.players != 0 ? opt.players : Com.NumPlayers; }

    void Finish(bool ended) {
        if (ended_) return;
        ended_ = true;
        if (opt.restart && opt.players != 0 && !restarted_) {
            std::fprintf(stderr, "[%s] the host's turn never came to restart on\n", qPrintable(opt.name));
            ended = false;
        }
        WriteDump(ended);
        if (NodeBoxes::tossed > 0) {
            QFile f(opt.dir + QStringLiteral("/tossed"));
            if (f.open(QIODevice::WriteOnly)) f.write(QByteArray::number(NodeBoxes::tossed));
        }
        if (ended && opt.leave && !Net.Leaving) Net_Farewell(++Menu.ChatCount);
        if (qEnvironmentVariableIsSet("NET_NODE_TRACE")) WriteTrace();
        std::fprintf(stderr, "[%s] %s after %lld ms, %ld waits\n", qPrintable(opt.name),
                     ended ? "game over" : "gave up", static_cast<long long>(elapsed_.elapsed()),
                     static_cast<NodeClock&>(*platform::Svc().clock).waits);
        if (!ended) std::_Exit(2);
    }

    // The connection window is the one window a player fills in; any other that stops
    // the program is noted and closed.
    static QWidget* ModalWindow() {
        for (platform::Form* f : platform::Form::All())
            if (f->IsVisible() && f->Waiting()) return f->Window();
        return nullptr;
    }

    void CloseStrayWindows() {
        QWidget* modal = ModalWindow();
        if (!modal) return;
        if (connecting_) {
            connecting_ = false;
            PlayersForm& w = frmPlayers();
            w.txtPlayerName.SetText(opt.name);
            (opt.players == 0 ? w.Option2 : w.Option1).SetValue(true);
            w.Text2.SetText(QStringLiteral("127.0.0.1"));
            w.Text3.SetText(QString::number(opt.port));
            w.cmdConnect.FireClick();
            return;
        }
        std::fprintf(stderr, "[%s] closing window %s\n", qPrintable(opt.name), qPrintable(modal->windowTitle()));
        modal->close();
    }

    int SeatedRemotes() const {
        int n = 0;
        for (int e = 1; e < kNetElements; ++e)
            if (Com.NetSockets[static_cast<size_t>(e)].InUse == 7 && Com.NetSockets[static_cast<size_t>(e)].Seat >= 1)
                ++n;
        return n;
    }

    void Step() {
        if (!connected_) {
            if (opt.players == 0 && !QFile::exists(opt.dir + QStringLiteral("/listening"))) return;
            connected_ = true;
            connecting_ = true;
            MenuInternet(kNetStart); // F11
            return;
        }
        if (Com.NetGame == 0) {
            std::fprintf(stderr, "[%s] the Internet game ended before the end of the game\n", qPrintable(opt.name));
            Finish(false);
            return;
        }
        if (opt.players != 0) {
            if (!started_ && SeatedRemotes() == opt.players - 1 && Com.NetGame == opt.players - 1 &&
                ++settled_ > 10) {
                started_ = true;
                MenuGame(kGameNew); // F2
                return;
            }
            // An abandoned stalemate: the next game, with F2 as a player would.
            if (opt.tossStalemate && Eng.StaleMode == 1 && Com.Pturn == 0 && !Eng.TableBusy &&
                !Eng.CompTurnActive)
                nextGame_ = true;
            // The next game at once after the one that ended, with F2 as a player would.
            if (nextGame_ && !Eng.TableBusy && !Eng.CompTurnActive) {
                nextGame_ = false;
                MenuGame(kGameNew);
                return;
            }
        } else if (frmGrulm().cmdDeal.Visible()) {
            frmGrulm().cmdDeal.FireClick();
            return;
        }
        // Seat 1 on turn with no turn running: the decision code takes it.
        if (Com.Pturn == 1 && Eng.TurnCount > 0 && !Eng.TableBusy && !Eng.PlayBusy) {
            if (RestartStill()) return;
            // The remotes wait for the host's first move when its player starts a new game.
            if (opt.players != 0 && opt.newOnTurn && ++onTurn_ < kTurnSteps) return;
            if (opt.players != 0 && opt.newOnTurn && onTurn_ == kTurnSteps) return MenuGame(kGameNew);
            Hooks.ComputerTurn();
        }
    }
    static constexpr int kTurnSteps = 20;
    int onTurn_ = 0;

    // Restart Current Game with the driver's clock stopped: were the host to sleep past the
    // remote's answer, only the watchdog would wake it, and it ends the program as failed.
    bool RestartStill() {
        if (!opt.restart || restarted_ || opt.players == 0) return false;
        restarted_ = true;
        tick_->stop();
        auto watchdog = std::make_unique<QObject>(); // its timer goes with it
        QTimer::singleShot(kRestartLimitMs, watchdog.get(), [] {
            std::fprintf(stderr, "[%s] the restart slept past the answers\n", qPrintable(opt.name));
            std::_Exit(3);
        });
        auto& clock = static_cast<NodeClock&>(*platform::Svc().clock);
        clock.still = true;
        MenuGame(kGameRestart);
        clock.still = false;
        watchdog.reset();
        tick_->start();
        return true;
    }
    static constexpr int kRestartLimitMs = 8000;
    bool restarted_ = false;
    QTimer* tick_ = nullptr;

    QElapsedTimer elapsed_;
    bool pending_ = false, ended_ = false, connected_ = false, connecting_ = false, started_ = false, listening_ = false;
    bool nextGame_ = false;
    int settled_ = 0, gamesEnded_ = 0;
    qint64 traced_ = -1;
};

Driver driver;

// Counts the socket events that reach the program, for the still desktop of the clock.
class SocketEvents : public QObject {
  public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::SockAct) ++static_cast<NodeClock&>(*platform::Svc().clock).socketEvents;
        return QObject::eventFilter(o, e);
    }
};

// Lines a peer must pass over, sent beside this program's own: never a true answer where one
// is awaited, nor a start or end of a game, lies a peer could not tell from the truth.
class Hostile {
  public:
    // The lines to send in one write behind a line this program sends to `elements`.
    QString Behind(const QString& sent, const std::vector<int>& elements) {
        const QByteArray line = sent.toLatin1().trimmed();
        QByteArray extra;
        if (line == "GS") extra += BehindStart();
        if (Chance(0.5)) extra += Stray(line) + '\n';
        // The same line again at once: a move, or a bare answer.
        if ((line.startsWith("PC") || (Answer(line) && line != "GS")) && Chance(0.3)) extra += line + '\n';
        if (Answer(line)) later_ = {line, elements};
        return extra.isEmpty() ? sent : sent + '\n' + QString::fromLatin1(extra.chopped(1));
    }
    // Now and then: the last answer once more, a moment later.
    void Tick() {
        if (later_.first.isEmpty() || !Chance(0.02)) return;
        for (int e : later_.second)
            if (Winsock1().Exists(e) && Winsock1().State(e) == platform::sckConnected)
                Winsock1().SendData(e, later_.first + '\n');
        later_.first.clear();
    }

  private:
    bool Host() const { return Com.NetHost == 1; }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(gen_) < p; }
    template <typename T> const T& Pick(const std::vector<T>& v) {
        return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(gen_)];
    }
    // A bare line this program sends only as an answer.
    bool Answer(const QByteArray& line) const {
        return line == "PC" || (!Host() && (line == "GS" || line == "DK" || line == "TR"));
    }
    // Lines of the game before a new one, behind its start.
    QByteArray BehindStart() const {
        return Host() ? QByteArray("PC  2# 1\nWT\nOK\nTR  1\n") : QByteArray("PC\nWT\nOK\nPC  2# 1\n");
    }
    // Another seat moves, its turn not ending before this line arrives; a host of three passes
    // other seats' moves on, so its own would look like theirs.
    bool OutOfTurn() const {
        const bool ending = (Lines_Due() & (1u << kNetOK)) != 0;
        return Lines_Mover() >= 2 && !ending && (!Host() || Com.NumPlayers == 2);
    }
    QByteArray Stray(const QByteArray& line) {
        std::vector<QByteArray> pool = {"ZZ junk", "SY", "PK maybe", "NM Mallory", "LO",
                                        "LO  9  9", "EG  1", "RS", "IP Vornhelm Online^ 9. 6. 0^ 1"};
        // A damaged snapshot from the host ends the game: only a remote's is passed over.
        pool.push_back(Host() ? QByteArray("RC") : QByteArray("RC abc#def#"));
        if (Host()) pool.push_back("GS  7");
        const bool midGame = line.startsWith("PC") || line == "WT" || line == "OK";
        if (midGame) {
            pool.insert(pool.end(), {"TR  1", "TR  9", "TR abc"});
            if (Host()) pool.push_back("TR");
            if (Eng.DeckCount > 10) pool.insert(pool.end(), {"DK", "DK abc#", "DK  3# 4#"});
        }
        if (OutOfTurn()) pool.insert(pool.end(), {"PC  2# 1", "PC  99# 99", "PC abc#def", "PC  2# 1"});
        return Pick(pool);
    }
    std::mt19937 gen_{opt.seed * 7919u + 17u};
    std::pair<QByteArray, std::vector<int>> later_; // the last answer and where it went
};

Hostile hostile;

// The elements a line to all goes to.
std::vector<int> AllBut(int except) {
    std::vector<int> v;
    for (int e = 1; e < kNetElements; ++e)
        if (e != except && Com.NetSockets[static_cast<size_t>(e)].InUse == 7) v.push_back(e);
    return v;
}

// The farewell to every peer, behind the answer "OK" to `answered` in one write.
void LeaveWithAnswer(int answered) {
    Net.Leaving = true;
    const QByteArray bye = Msg_SY(++Menu.ChatCount, Com.PlayerName + QStringLiteral(" Quit!^")) + "\nGO\n";
    for (int e = 0; e < kNetElements; ++e)
        if (Winsock1().Exists(e) && Winsock1().State(e) == platform::sckConnected && (e == 0) == (Com.NetHost != 1))
            Winsock1().SendData(e, (e == answered ? QByteArray("OK\n") : QByteArray()) + bye);
}

bool ParseArgs(const QStringList& a) {
    for (int i = 1; i < a.size(); ++i) {
        const QString& k = a[i];
        const QString v = i + 1 < a.size() ? a[i + 1] : QString();
        if (k == "--join") continue;
        if (k == "--leave") {
            opt.leave = true;
            continue;
        }
        if (k == "--new-on-turn") {
            opt.newOnTurn = true;
            continue;
        }
        const std::pair<const char*, bool*> flags[] = {{"--restart", &opt.restart},
                                                       {"--toss-stalemate", &opt.tossStalemate},
                                                       {"--no-stock-first", &opt.noStockFirst},
                                                       {"--hostile", &opt.hostile}};
        const auto flag = std::find_if(std::begin(flags), std::end(flags), [&](auto& f) { return k == f.first; });
        if (flag != std::end(flags)) {
            *flag->second = true;
            continue;
        }
        if (k == "--host") opt.players = v.toInt();
        else if (k == "--port") opt.port = v.toInt();
        else if (k == "--name") opt.name = v;
        else if (k == "--dir") opt.dir = v;
        else if (k == "--seed") opt.seed = v.toUInt();
        else if (k == "--level") opt.level = v.toInt();
        else if (k == "--limit") opt.limit = v.toDouble();
        else if (k == "--games") opt.games = std::max(1, v.toInt());
        else if (k == "--side") opt.side = v.toInt();
        else return false;
        ++i;
    }
    return opt.port > 0 && !opt.name.isEmpty() && !opt.dir.isEmpty() && opt.players >= 0 && opt.players <= 4;
}

void InstallServices() {
    auto& s = platform::Svc();
    s.clock = std::make_unique<NodeClock>();
    s.boxes = std::make_unique<NodeBoxes>();
    s.sound = std::make_unique<platform::RecordingSound>();
    s.screen = std::make_unique<platform::FixedScreen>();
    s.random.Randomize(opt.seed);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!ParseArgs(QApplication::arguments())) {
        std::fprintf(stderr, "usage: net_node --host PLAYERS|--join --port P --name NAME --dir DIR\n");
        return 64;
    }
    InstallServices();
    Common_Reset();
    Engine_Reset();
    Table_ResetState();
    Com.DataPath = QDir::homePath() + QStringLiteral("/data/");
    // The score files of the Internet games go to this program's own folder.
    Com.UserPath = QDir::homePath() + QStringLiteral("/user/");
    QDir().mkpath(Com.DataPath);
    QDir().mkpath(Com.UserPath);
    // The saved-game file stays open for the run, as the program's start-up keeps it.
    SavedGameFile().Open(Com.DataPath + QStringLiteral("backup.sav"), SavedGame::kSize);
    auto table = std::make_unique<FrmGrulm>();
    Pictures_Init();
    StatusBar_Init();
    Program_Install();
    LayTableFor(*table, opt.players != 0 ? opt.players : 2);
    Com.AnimSteps = 1;
    Com.SoundMode = 2;
    Com.PlayerName = opt.name;
    // The shortest side piles the house rules allow keep a whole game short; the host's
    // rules reach every table with the stock.
    if (opt.players != 0) Com.SideSize = opt.side;
    Opponent_PlaySeat1(opt.level);
    Netl.Scores_Net = [record = Netl.Scores_Net](const QString& winner) {
        record(winner);
        driver.GameEnded();
    };

    // A loser's answer to the winner's last OK, with its farewell behind it in the same write.
    Netl.Net_Send = [send = Netl.Net_Send](const QString& message, int socket) {
        if (opt.leave && message == QLatin1String("OK") && Com.Pturn != 1 && Eng.SeatSideCount == 0 &&
            driver.LastGame() && !Net.Leaving) {
            const int to = Com.NetHost == 1 ? socket : 0;
            LeaveWithAnswer(to);
            return to;
        }
        if (!opt.hostile) return send(message, socket);
        return send(hostile.Behind(message, {Com.NetHost == 1 ? std::max(socket, 1) : 0}), socket);
    };
    if (opt.hostile) {
        Netl.Net_SendAll = [sendAll = Netl.Net_SendAll](const QString& message, int except) {
            sendAll(hostile.Behind(message, AllBut(except)), except);
        };
    }

    // The deal saves the game once the hands are out: the first game's stock goes then.
    Hooks.Game_AutoSave = [save = Hooks.Game_AutoSave, first = true]() mutable {
        save();
        if (opt.noStockFirst && first && Eng.TurnCount == 0) Eng.DeckCount = 0;
        first = false;
    };

    SocketEvents sockets;
    app.installEventFilter(&sockets);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [] {
        driver.Tick();
        if (opt.hostile) hostile.Tick();
    });
    tick.start(5);
    driver.Start(tick);
    return QApplication::exec();
}
