// The game's windows under a real window manager. Started on an X display where one runs,
// it starts the table as the program does (a player named at once, no tutorial and no tip)
// and prints where each window's frame lies, one line each, screen pixels:
//   free L T W H          the screen's free area
//   table L T W H         the table's frame; "client" the same for its client area
//   status L T W H        the table's status bar
//   tutorial L T W H      the tutorial window's frame, put beside the table's cards;
//                         "covered-tutorial" a place of the player's under it, shown or not
//   pace, counter, preferences, opponents, comments L T W H   the tool windows' frames,
//                         opened by their menu rows; "again-preferences" and so on the second time
//   covered L T W H       a place of the player's own or a center pile under the counter
//   chat L T W H          the chat window as a connection opens it; "covered-chat" a card place
//                         under it, "covered-chat-deal" the DEAL button, "covered-chat-own" a
//                         place of the player's (shown or not), "covered-chat-menu" the icon menu
//                         or the panel it opens, "covered-chat-status" the status bar
//   scores L T W H        the Internet scores window opened while the chat is open;
//                         "scores-on-top" when it is kept above the chat
//   reset L T W H         the table's client area after "Reset Default Window Size" of a widened table
//   outside:NAME L T W H  a card place or label of the table not wholly in its client area above
//                         the status bar
//   overlap:NAME L T W H  a card place lying on a place of another seat or another pile
//   wm_probe [--move L T | --players N]
// With --move it puts the table's frame at L, T and closes the program the orderly way,
// which keeps that place for the next start. With --players it takes the profile's table to
// N players (two to four) and reports only the table's places and the chat.
#include "app/Wiring.h"
#include "common/Shared.h"
#include "engine/SeatTable.h"
#include "media/frmMulti.h"
#include "net/frmChat.h"
#include "net/frmScoresNet.h"
#include "platform/Placement.h"
#include "platform/Services.h"
#include "shell/Folders.h"
#include "shell/MenuCommands.h"
#include "shell/ShellHooks.h"
#include "shell/Startup.h"
#include "shell/frmTutorial.h"
#include "table/Panel.h"
#include "table/frmGrulm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFrameWaitMs = 5000, kBreathMs = 400, kStillMs = 250;

// Lets the window manager answer until `done` holds or the time is up.
template <typename Done> void Settle(Done done, int ms = kFrameWaitMs) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
}

void Print(const char* name, const QRect& r) {
    std::printf("%s %d %d %d %d\n", name, r.x(), r.y(), r.width(), r.height());
    std::fflush(stdout);
}

// Until the window manager has framed the window and left it where it is for a moment: on a
// busy machine its answers to a showing, a move and a resize come one by one.
void StandStill(QWidget* w) {
    Settle([w] { return w->isVisible() && !platform::FrameMarginsOf(w).isNull(); });
    QRect last = w->frameGeometry();
    QElapsedTimer still;
    still.start();
    Settle([&] {
        if (w->frameGeometry() != last) {
            last = w->frameGeometry();
            still.restart();
        }
        return still.elapsed() >= kStillMs;
    });
}

void PrintFrame(const char* name, QWidget* w) {
    StandStill(w);
    Print(name, w->frameGeometry());
}

QWidget* Shown(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
}

// The table's places against its client area and each other, as the player sees them.
void PrintPlaces(FrmGrulm* table) {
    QWidget* w = table->Window();
    Settle([] { return false; }, kBreathMs);
    table->SetScaleMode(platform::vbPixels);
    const QRectF area(0, 0, w->width(), table->StatusBar1.TopPx());
    auto at = [](const platform::Control& c) {
        return QRectF(c.LeftPx(), c.TopPx(), c.WidthPx(), c.HeightPx());
    };
    auto print = [](const char* line, const platform::Control& c, const QRectF& r) {
        std::printf("%s:%s(%d) %d %d %d %d\n", line, qPrintable(c.Name()), c.Index(), int(r.x()), int(r.y()),
                    int(r.width()), int(r.height()));
    };
    std::vector<std::pair<int, const platform::Control*>> places;
    for (int s = 1; s <= Com.NumPlayers; ++s)
        for (int e = 1; e <= 10; ++e)
            if (Seat(s).places->Exists(e)) places.push_back({s, &(*Seat(s).places)(e)});
    for (int c = 0; c <= Com.NumCenters; ++c)
        if (table->PicCenter.Exists(c)) places.push_back({10 + c, &table->PicCenter(c)});
    for (const auto& [owner, c] : places)
        if (!area.contains(at(*c))) print("outside", *c, at(*c));
    for (platform::Control* c : table->Controls()) {
        const QString& n = c->Name();
        const bool label = dynamic_cast<platform::Label*>(c) != nullptr;
        if (label && c->Visible() && !at(*c).isEmpty() && n != "lblRules" && n != "lblLevel" &&
            !area.contains(at(*c)))
            print("outside", *c, at(*c));
    }
    for (size_t i = 0; i < places.size(); ++i)
        for (size_t j = i + 1; j < places.size(); ++j)
            if (places[i].first != places[j].first && at(*places[i].second).intersects(at(*places[j].second)))
                print("overlap", *places[i].second, at(*places[i].second));
    std::fflush(stdout);
}

// The card places of `places` that `window` lies over, each as `line`.
void PrintCovered(const char* line, FrmGrulm* table, QWidget* window,
                  std::initializer_list<ControlArray<platform::PictureBox>*> places, bool hiddenToo = false) {
    const QPoint origin = table->Window()->geometry().topLeft();
    for (auto* row : places)
        for (int i = hiddenToo ? 1 : 0; i <= 10; ++i) {
            if (!row->Exists(i) || (!hiddenToo && !(*row)(i).Visible())) continue;
            const platform::PictureBox& p = (*row)(i);
            const QRect r(origin + QPoint(int(p.LeftPx()), int(p.TopPx())),
                          QSize(int(p.WidthPx()), int(p.HeightPx())));
            if (r.intersects(window->frameGeometry())) Print(line, r);
        }
}

// The chat as an Internet game opens it, with the DEAL button a remote must press, and the
// Internet scores opened while it is open.
void PrintChatAndScores(FrmGrulm* table) {
    table->cmdDeal.SetVisible(true);
    Chat_Open();
    if (QWidget* chat = Shown("frmChat")) {
        PrintFrame("chat", chat);
        PrintCovered("covered-chat", table, chat, {&table->Picture7, &table->Picture1, &table->PicCenter});
        PrintCovered("covered-chat-own", table, chat, {&table->Picture7}, true);
        const QPoint origin = table->Window()->geometry().topLeft();
        auto at = [&](const platform::Control& c, double width) {
            return QRect(origin + QPoint(int(c.LeftPx()), int(c.TopPx())), QSize(int(width), int(c.HeightPx())));
        };
        const QRect r = at(table->cmdDeal, table->cmdDeal.WidthPx());
        if (r.intersects(chat->frameGeometry())) Print("covered-chat-deal", r);
        // The icon menu and the panel it opens across the top of the table.
        const QRect panel = at(table->picPanel, std::min(kPanelWidth, table->Window()->width()));
        for (const QRect& menu : {at(table->imgMenu, table->imgMenu.WidthPx()), panel})
            if (menu.intersects(chat->frameGeometry())) Print("covered-chat-menu", menu);
        const QRect bar = at(table->StatusBar1, table->StatusBar1.WidthPx());
        if (table->StatusBar1.Visible() && bar.intersects(chat->frameGeometry()))
            Print("covered-chat-status", bar);
        // The Internet scores beside the chat, which stays on top.
        QFile(Com.UserPath + "Probe_2.ran").open(QIODevice::WriteOnly);
        QTimer::singleShot(0, [] {
            if (QWidget* scores = Shown("frmScoresNet")) {
                PrintFrame("scores", scores);
                if (scores->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) Print("scores-on-top", {});
                scores->close();
            }
        });
        ScoresNet_Open();
        chat->hide();
    }
}

// The dialogs the game waits for: looked at, then closed as by their close box.
void PrintDialogs(bool multi) {
    const struct {
        const char *line, *window;
        int row;
    } dialogs[] = {{"preferences", "frmOptions", kOptPreferences},
                   {"opponents", "frmMulti", kOptOpponents},
                   {"comments", "frmCustom", kOptComments}};
    // Each opened twice: the second opening finds the frame the first one left.
    for (const char* again : {"", "again-"})
        for (const auto& d : dialogs) {
            const QByteArray line = again + QByteArray(d.line);
            QTimer::singleShot(0, [d, line, &multi, again] {
                if (QWidget* dialog = Shown(d.window)) {
                    PrintFrame(line.constData(), dialog);
                    if (*again || d.row != kOptOpponents || !multi) {
                        dialog->close();
                        return;
                    }
                    // Back to one opponent: the table is laid out again under the window.
                    frmMulti().Option1(0).SetValue(true);
                    frmMulti().cmdDone.FireClick();
                }
            });
            MenuOptions(d.row, 0);
            // The window manager takes its frame away from a closed window a moment later.
            Settle([] { return false; }, kBreathMs);
        }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornhelm"));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallRealServices();
    Folders_SetAppPath(QStringLiteral(ASSETS_BUILT));
    auto* table = new FrmGrulm();
    Program_Install();
    Startup.LoginShow = [] { Com.PlayerName = QStringLiteral("Probe"); };
    Startup.TutorialShow = [] {};
    Startup.TipShow = [] {};
    table->Show();
    if (!Boot.Started) return 1;
    QWidget* w = table->Window();
    PrintFrame("table", w);
    Print("client", w->geometry());
    Print("free", platform::FreeAreaAt(w->frameGeometry().center()));

    if (argc == 4 && QLatin1String(argv[1]) == QLatin1String("--move")) {
        const QPoint to(QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt());
        table->MoveFrameTw(to.x() * 15, to.y() * 15, table->WidthTw(), table->HeightTw());
        Settle([w, to] { return w->frameGeometry().topLeft() == to; });
        PrintFrame("moved", w);
        table->Unload();
        return 0;
    }

    if (argc == 3 && QLatin1String(argv[1]) == QLatin1String("--players")) {
        // As a profile of that many players lays the table out.
        Com.NumPlayers = std::clamp(QString::fromLatin1(argv[2]).toInt(), 2, 4);
        Com.NumCenters = Com.NumPlayers > 2 ? 4 : 3;
        ProfHooks.LayOut();
        Print("client", w->geometry());
        PrintPlaces(table);
        PrintChatAndScores(table);
        PrintDialogs(true);
        table->Unload();
        return 0;
    }

    const QRect client = w->geometry();
    Print("status", QRect(client.left(), client.top() + static_cast<int>(table->StatusBar1.TopPx()),
                          client.width(), static_cast<int>(table->StatusBar1.HeightPx())));
    // The tutorial as it is put beside the table's cards once the table shows.
    TutorialForm& tutorial = frmTutorial();
    tutorial.Load();
    tutorial.Show();
    QWidget* t = tutorial.Window();
    StandStill(t);
    tutorial.PlaceWindow();
    Settle([] { return false; }, kBreathMs);
    PrintFrame("tutorial", t);
    PrintCovered("covered-tutorial", table, t, {&table->Picture7}, true);
    tutorial.Hide();

    MenuOptions(kOptSpeed, 0);
    if (QWidget* pace = Shown("frmSpeed")) PrintFrame("pace", pace);
    // The counter over a table with every card place showing, as in a game.
    for (auto* places : {&table->Picture7, &table->Picture1})
        for (int i = 1; i <= 10; ++i)
            (*places)(i).SetVisible(true);
    MenuHelp(kHelpCounter, 0);
    if (QWidget* counter = Shown("frmCounter")) {
        PrintFrame("counter", counter);
        PrintCovered("covered", table, counter, {&table->Picture7, &table->PicCenter});
        counter->close();
    }
    PrintChatAndScores(table);
    PrintDialogs(false);

    // The player widens the table; the reset brings back the width fitted to the screen.
    const int fitted = w->width();
    w->resize(fitted + 120, w->height());
    Settle([w, fitted] { return w->width() != fitted; });
    Settle([] { return false; }, kBreathMs);
    MenuOptions(kOptDisplaySize, 2);
    Settle([] { return false; }, kBreathMs);
    Print("reset", w->geometry());
    table->Unload();
    return 0;
}
