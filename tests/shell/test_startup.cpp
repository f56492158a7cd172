#include "common/Records.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "platform/Settings.h"
#include "shell/Folders.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "shell/frmWelcome.h"
#include "table/Display.h"
#include "table/Layout.h"
#include "table/Paint.h"
#include "table/Redraw.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTest>
#include <tuple>

namespace {

class StartupTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        svc.screen->widthTwips = 15360;
        svc.screen->heightTwips = 11520;
        Boot.LockPath = home->Path() + "/running.lock";
        QDir().mkpath(home->Path() + "/install");
        Folders_SetAppPath(home->Path() + "/install");
    }
    void TearDown() override {
        form.reset();
        welcome.reset();
        Startup_Reset();
        Startup = StartupHooks{};
        Profile_Reset();
        Folders_SetAppPath(QString());
        GameTest::TearDown();
    }
    // One run of the program up to the table: start-up, with a login that types `name`.
    FrmGrulm& Start(const QString& name = "Ann") {
        form = std::make_unique<FrmGrulm>();
        Startup_Install();
        Startup.Quit = [this] { ++quits; };
        Startup.LoginShow = [this, name] {
            ++logins;
            welcome = std::make_unique<WelcomeForm>();
            welcome->Show(false);
            welcome->Combo1.SetText(name);
            welcome->Command1_Click();
        };
        form->Show();
        return *form;
    }
    // Closes the window as the player would and forgets the run's state.
    void Close() {
        form->Window()->close();
        form.reset();
        welcome.reset();
        Startup_Reset();
        Profile_Reset();
        Common_Reset();
        Engine_Reset();
        Table_ResetState();
    }

    std::unique_ptr<FrmGrulm> form;
    std::unique_ptr<WelcomeForm> welcome;
    int quits = 0, logins = 0;
};

TEST_F(StartupTest, AFirstStartMakesTheFilesAndGreetsTheNewPlayer) {
    FrmGrulm& f = Start("Ann");
    EXPECT_TRUE(Boot.Started);
    const QString data = Com.DataPath;
    EXPECT_TRUE(data.startsWith(home->Path()));
    EXPECT_TRUE(QFile::exists(data + "Prefs.sav"));
    EXPECT_TRUE(QFile::exists(data + "scores.ran"));
    EXPECT_TRUE(QFile::exists(data + "backup.sav"));
    EXPECT_TRUE(QDir(Com.UserPath + "Avatars").exists());
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(Com.PlayerName, "Ann");
    EXPECT_EQ(f.Label9(2).Caption(), "\r\nWelcome Ann to Grulm's World");
    EXPECT_TRUE(f.cmdDeal.Visible());
    EXPECT_TRUE(f.IsVisible());
    EXPECT_EQ(Eng.SeatSideStack, 99);
    // The first run remembers where the program lives.
    EXPECT_EQ(platform::GetSetting("Vornhelm", "Startup", "Path"), Com.AppPath);
}

// The slow parts of start-up (the intro music) wait for the first window.
TEST_F(StartupTest, AStepThatWaitsForTheTableRunsOnceTheTableIsShown) {
    int runs = 0;
    bool shownWhenRun = false;
    Startup_WhenShown([&] { shownWhenRun = ++runs == 1 && form && form->IsVisible(); });
    Start();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shownWhenRun);
}

TEST_F(StartupTest, TheSecondRunKnowsThePlayerAndSkipsTheLogin) {
    Start("Ann");
    Close();
    FrmGrulm& f = Start("Bob");
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(Com.PlayerName, "Ann");
    EXPECT_EQ(f.Label9(3).Caption(), "Ann");
    EXPECT_EQ(f.StatusBar1.Panels(1).Text, "Ann:");
    EXPECT_EQ(f.StatusBar1.Panels(5).Text, "Grulm:");
}

TEST_F(StartupTest, LayoutModeAndPlacementSurviveARestart) {
    FrmGrulm& f = Start();
    Display_Change(0); // the cards moved up
    ASSERT_EQ(Com.LayoutMode, 1);
    // A narrower window moved inside the screen: its frame's place is kept.
    f.MoveFrameTw(600, 450, f.WidthTw() - 1500, f.HeightTw());
    const int left = f.FrameLeftTw(), top = f.FrameTopTw(), width = f.WidthTw();
    Close();
    FrmGrulm& g = Start();
    EXPECT_EQ(Com.LayoutMode, 1);
    EXPECT_EQ(Display_EntryCaption(0, DisplayMode_Of(Com.LayoutMode)), "Move Cards Down");
    EXPECT_EQ(g.FrameLeftTw(), left);
    EXPECT_EQ(g.FrameTopTw(), top);
    EXPECT_EQ(g.WidthTw(), width);
}

// A window kept with the cards up but lower than the hand comes back fitted to that display.
TEST_F(StartupTest, AWindowKeptTooLowForTheHandIsFittedToItsDisplay) {
    FrmGrulm& f = Start();
    Display_Change(0); // the cards moved up
    const int fitted = f.HeightTw();
    f.MoveFrameTw(600, 450, f.WidthTw(), fitted / 2);
    Close();
    EXPECT_EQ(Start().HeightTw(), fitted);
}

TEST_F(StartupTest, StoredDisplaySettingsAreReadBackAsWritten) {
    platform::RecordFile scores;
    ASSERT_TRUE(scores.Open(home->Path() + "/scores.ran", ScoreRecord::kSize));
    DisplayKept_Write(scores, 3, 0, 9000, 12000, 150, 300);
    DisplayKept k = DisplayKept_Read(scores);
    EXPECT_EQ(k.LayoutMode, 3);
    EXPECT_TRUE(k.HasPlacement);
    EXPECT_EQ(k.First, 9000);
    EXPECT_EQ(k.Width, 12000);
    EXPECT_EQ(k.Left, 150);
    EXPECT_EQ(k.Top, 300);
    // Minimized or maximized is kept as 2; a huge window is clamped to the 16-bit field.
    DisplayKept_Write(scores, 0, 1, 9000, 12000, 150, 300);
    EXPECT_EQ(DisplayKept_Read(scores).First, 2);
    DisplayKept_Write(scores, 0, 0, 40000, 50000, -40000, 0);
    k = DisplayKept_Read(scores);
    EXPECT_EQ(k.First, 32767);
    EXPECT_EQ(k.Left, -32768);
    // A value below 20 was never stored: mode 0.
    ScoreRecord r;
    r.A = 19;
    scores.Write(14, r.Encode());
    EXPECT_EQ(DisplayKept_Read(scores).LayoutMode, 0);
    EXPECT_FALSE(DisplayKept_Read(scores).HasPlacement);
}

TEST_F(StartupTest, ASecondCopyIsRefused) {
    QLockFile other(Boot.LockPath);
    ASSERT_TRUE(other.tryLock(0));
    svc.boxes->Expect(platform::vbOK);
    form = std::make_unique<FrmGrulm>();
    Startup_Install();
    Startup.Quit = [this] { ++quits; };
    form->Show();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text,
              "The game is already running. Check your Windows task bar to bring it up or use "
              "the Task Manager to end the game.");
    EXPECT_FALSE(Boot.Started);
    QTest::qWait(10);
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(quits, 1);
    // Nothing was written.
    EXPECT_FALSE(QFile::exists(home->Path() + "/data/Vornhelm/Grulm and Torvek/Data/Prefs.sav"));
}

TEST_F(StartupTest, FilesThatCannotBeMadeStopTheStart) {
    const QString data = home->Path() + "/data/Vornhelm/Grulm and Torvek/Data/";
    QDir().mkpath(data);
    // A link to nowhere can neither be read nor written through.
    ASSERT_TRUE(QFile::link("/nonexistent/folder/Prefs.sav", data + "Prefs.sav"));
    svc.boxes->Expect(platform::vbOK);
    Start();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.startsWith("Unable to start Vornhelm!\r\n\r\nFiles are missing."));
    EXPECT_EQ(svc.boxes->shown[0].style & 0x70, platform::vbCritical);
    EXPECT_FALSE(Boot.Started);
    QTest::qWait(10);
    EXPECT_FALSE(form->Loaded());
}

TEST_F(StartupTest, TheDebugSwitchIsTheFirstSixCharactersInAnyCase) {
    const struct {
        QStringList args;
        bool debug;
    } cases[] = {
        {{"/klomb"}, true}, {{"/KLOMBXYZ"}, true}, {{"/KLO"}, false}, {{"klomb"}, false}, {{}, false}};
    for (const auto& c : cases) {
        Startup_Reset();
        Boot.LockPath = home->Path() + "/running.lock";
        Boot.Arguments = c.args;
        Com.DebugMode = false;
        Start();
        EXPECT_EQ(Com.DebugMode, c.debug) << c.args.join(' ').toStdString();
        Close();
    }
}

TEST_F(StartupTest, ANarrowOrLowScreenStartsInTheSmallDisplay) {
    // 720 x 576 keeps the standard display (first: a run's display is kept for the next); 666 x 499,
    // 720 x 480 and 700 x 525 are too narrow or too low for it.
    for (const auto& [width, height, small] :
         {std::tuple(10800, 8640, false), std::tuple(9990, 7485, true), std::tuple(10800, 7200, true),
          std::tuple(10500, 7875, true)}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Startup_Reset();
        Boot.LockPath = home->Path() + "/running.lock";
        svc.screen->widthTwips = width;
        svc.screen->heightTwips = height;
        Start();
        EXPECT_EQ(Com.LayoutMode, small ? 2 : 0);
        EXPECT_EQ(Tbl.DisplayEntryEnabled[0] || Tbl.DisplayEntryEnabled[1], !small);
        EXPECT_EQ(Tbl.CardWidth, small ? 59 : 71);
        Close();
    }
}

TEST_F(StartupTest, ClosingDuringARunningStepWaitsForItToUnwind) {
    FrmGrulm& f = Start();
    Eng.TableBusy = true;
    f.Window()->close();
    EXPECT_TRUE(f.Loaded());
    EXPECT_TRUE(Com.GameAbort);
    EXPECT_TRUE(Eng.CancelFlag);
    QTest::qWait(60);
    EXPECT_TRUE(f.Loaded()); // still running
    Eng.TableBusy = false;
    QTest::qWait(80);
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(quits, 1);
}

TEST_F(StartupTest, TheExitKeepsTheProfileAndRemovesTheMoveHistory) {
    Start("Ann");
    WriteBytes(Com.DataPath + "~tempmoves.sav", {});
    Com.SideSize = 14;
    const QString data = Com.DataPath;
    form->Window()->close();
    EXPECT_FALSE(QFile::exists(data + "~tempmoves.sav"));
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(quits, 1);
    PlayerPrefs p;
    ASSERT_TRUE(Prefs_ReadRecord(Prof.PlayerRecord, &p));
    EXPECT_EQ(p.Identity(0).Name, "Ann");
    EXPECT_EQ(p.SideSize, 14);
}

TEST_F(StartupTest, TheAutoSaveChoiceSurvivesRuns) {
    Start("Ann");
    EXPECT_TRUE(Shl.MoveLogOn); // a new player saves the moves
    Close();
    Start("Ann");
    EXPECT_TRUE(Shl.MoveLogOn);
    Close();
    Start("Ann");
    PlayerPrefs p;
    ASSERT_TRUE(Prefs_ReadRecord(Prof.PlayerRecord, &p));
    EXPECT_NE(p.AutoSave, 0);
    EXPECT_TRUE(Shl.MoveLogOn);
}

TEST_F(StartupTest, AnUnwritableDataFolderIsNamedNotTakenForAnotherCopy) {
    // A file where the folder should be: the lock can never be written.
    Boot.LockPath = home->Path() + "/locked/running.lock";
    WriteBytes(home->Path() + "/locked", {});
    svc.boxes->Expect(platform::vbOK);
    Start();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains(home->Path() + "/locked"));
    EXPECT_FALSE(svc.boxes->shown[0].text.contains("already running"));
    EXPECT_FALSE(Boot.Started);
    // No home at all: the same kind of message, and nothing made under the root folder.
    Close();
    qunsetenv("HOME");
    qunsetenv("XDG_DATA_HOME");
    svc.boxes->Expect(platform::vbOK);
    Start();
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_TRUE(svc.boxes->shown[1].text.contains("home folder is not known"));
    EXPECT_FALSE(Boot.Started);
    QTest::qWait(10);
    EXPECT_FALSE(form->Loaded());
}

TEST_F(StartupTest, FailedSavesAreToldOncePerFileAndTheGameGoesOn) {
    Start("Ann");
    const QString data = Com.DataPath;
    SavedGameFile().Close();
    QFile::remove(data + "scores.ran");
    QDir().mkpath(data + "scores.ran"); // a folder where the file should be
    svc.boxes->Expect(platform::vbOK);
    Hooks.Game_AutoSave();
    Hooks.Game_AutoSave();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("backup.sav"));
    svc.boxes->Expect(platform::vbOK);
    form->Window()->close();
    ASSERT_EQ(svc.boxes->shown.size(), 2u);
    EXPECT_TRUE(svc.boxes->shown[1].text.contains("scores.ran"));
    EXPECT_FALSE(form->Loaded());
}

TEST_F(StartupTest, ClosingTheLoginTakesTheShownPlayerOrEndsTheProgram) {
    auto closeLogin = [this](const QString& typed) {
        form = std::make_unique<FrmGrulm>();
        Startup_Install();
        Startup.Quit = [this] { ++quits; };
        Startup.LoginShow = [this, typed] {
            welcome = std::make_unique<WelcomeForm>();
            welcome->Show(false);
            welcome->Combo1.SetText(typed);
            welcome->Window()->close();
        };
        form->Show();
    };
    // An empty login closed: no game without a player.
    closeLogin("");
    EXPECT_FALSE(Boot.Started);
    QTest::qWait(10);
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(quits, 1);
    Close();
    // A name shown when the login is closed is the player.
    closeLogin("Bob");
    EXPECT_TRUE(Boot.Started);
    EXPECT_EQ(Com.PlayerName, "Bob");
    EXPECT_FALSE(welcome->Loaded());
    EXPECT_EQ(Profile_FindPlayer("Bob"), 1);
}

TEST_F(StartupTest, AnUnexpectedErrorDuringStartUpIsShown) {
    svc.boxes->Expect(platform::vbOK);
    form = std::make_unique<FrmGrulm>();
    Startup_Install();
    Startup.Quit = [this] { ++quits; };
    Startup.SplashShow = [] { throw std::out_of_range("splash"); };
    form->Show();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text,
              "Unexpected error while setting up Vornhelm!\r\nError # 9 occurred: splash");
    QTest::qWait(10);
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(quits, 1);
}

TEST_F(StartupTest, AStoredPlacementOffEveryScreenOrTooSmallIsReplaced) {
    const std::vector<QRect> one{QRect(0, 0, 15360, 11520)};
    const std::vector<QRect> two{QRect(-19200, 0, 19200, 14400), QRect(0, 0, 15360, 11520)};
    auto kept = [](int height, int width, int left, int top) {
        return DisplayKept{0, true, height, width, left, top};
    };
    const int caption = 23 * 15;
    EXPECT_TRUE(DisplayKept_Usable(kept(9000, 12000, 600, 450), one, caption));
    EXPECT_FALSE(DisplayKept_Usable(kept(9000, 12000, -30000, -20000), one, caption));
    EXPECT_FALSE(DisplayKept_Usable(kept(9000, 30, 600, 450), one, caption));
    EXPECT_FALSE(DisplayKept_Usable(kept(9000, 12000, 15360 - 1000, 450), one, caption)); // less than a card
    EXPECT_TRUE(DisplayKept_Usable(kept(9000, 12000, 15360 - 1065, 450), one, caption));
    EXPECT_FALSE(DisplayKept_Usable(kept(9000, 12000, 600, -100), one, caption)); // the title above the top
    // A table kept from a 1024-pixel screen, started on an 800-pixel one; its borders alone stay.
    EXPECT_FALSE(DisplayKept_Usable(kept(9000, 15420, 30, 600), {QRect(0, 0, 12000, 9000)}, caption));
    EXPECT_TRUE(DisplayKept_Usable(kept(9000, 15420, 30, 600), one, caption));
    // A window on a monitor left of the main one stays while that monitor is there.
    EXPECT_TRUE(DisplayKept_Usable(kept(9000, 12000, -15000, 450), two, caption));
    EXPECT_FALSE(DisplayKept_Usable(kept(9000, 12000, -15000, 450), one, caption));

    FrmGrulm& f = Start();
    const QRect first(f.LeftTw(), f.TopTw(), f.WidthTw(), f.HeightTw());
    f.MoveTw(-30000, -20000, 30, first.height());
    Tbl.FormWidth = 30;
    Close();
    FrmGrulm& g = Start();
    EXPECT_EQ(QRect(g.LeftTw(), g.TopTw(), g.WidthTw(), g.HeightTw()), first);
}

// The lines of two whole-table dumps that differ; `cardsOnly` leaves out the texts and buttons.
QString Differences(const QString& a, const QString& b, bool cardsOnly = false) {
    const QStringList x = a.split('\n'), y = b.split('\n');
    QString out;
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
        const QString& l = x.value(i);
        if (cardsOnly && (l.startsWith("Label9") || l.startsWith("LabelPeek") || l.startsWith("cmdDeal") ||
                          l.startsWith("imgIcon")))
            continue;
        if (l != y.value(i)) out += l + "  |  " + y.value(i) + "\n";
    }
    return out;
}

TEST_F(StartupTest, ARestartShowsTheTableEveryStoredModeAndGameSizeLeft) {
    for (int players : {2, 3, 4}) {
        for (int mode : {0, 1, 2, 3}) {
            SCOPED_TRACE(QStringLiteral("%1 players, mode %2").arg(players).arg(mode).toStdString());
            home.reset(); // the old home puts the environment back before the new one takes it
            home = std::make_unique<TestHome>();
            Boot.LockPath = home->Path() + "/running.lock";
            Start();
            Com.NumPlayers = players;
            Com.NumCenters = players > 2 ? 4 : 3;
            ProfHooks.LayOut();
            Table_Redraw();
            if (mode == 1) Display_Change(0);
            if (mode >= 2) Display_Change(1);
            if (mode == 3) Com.LayoutMode = 3; // kept as such, it comes back as mode 2
            const QString before = Layout_Dump();
            const int cardWidth = Tbl.CardWidth;
            Close();
            Start();
            EXPECT_EQ(Com.LayoutMode, std::min(mode, 2));
            EXPECT_EQ(Tbl.CardWidth, cardWidth);
            EXPECT_EQ(Differences(before, Layout_Dump(), true).toStdString(), "");
            Close();
        }
    }
}

// Before the first deal no seat shows a side pile, after a login or without one, at every table
// size and once the table is laid out and painted again; the deal shows every seat's.
TEST_F(StartupTest, NoSidePileShowsBeforeTheDealAndEverySeatsOnceDealt) {
    auto sides = [](int players, bool shown) {
        for (int seat = 1; seat <= players; ++seat)
            EXPECT_EQ((*Seat(seat).places)(1).Visible(), shown) << players << " players, seat " << seat;
    };
    for (const int players : {2, 4}) {
        Start();
        sides(2, false);
        Close();
        Start(); // no login this time
        Com.NumPlayers = players;
        Com.NumCenters = players > 2 ? 4 : 3;
        ProfHooks.LayOut();
        Display_Change(1);
        sides(players, false);
        Game_New();
        sides(players, true);
        Close();
    }
}

// Another player's profile of another table size comes in the middle of a game: the game
// dealt for the old size does not go on at the new one.
TEST_F(StartupTest, AProfileOfAnotherTableSizeLeavesNoGameToPlayOn) {
    FrmGrulm& f = Start();
    ASSERT_EQ(Com.NumPlayers, 2);
    auto onTable = [] {
        Com.Pturn = 1;
        Eng.PlayerSideCount = 20;
        Eng.Seat2Rec.RecSideCount = 20;
    };
    onTable();
    f.cmdDeal.SetVisible(false);
    ProfHooks.LayOut(); // the same size: the game stays
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.PlayerSideCount, 20);
    Com.NumPlayers = 4;
    Com.NumCenters = 4;
    ProfHooks.LayOut();
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_EQ(Eng.PlayerSideCount, 0);
    EXPECT_EQ(Eng.Seat2Rec.RecCards(0, 1), 0);
    EXPECT_TRUE(f.cmdDeal.Visible());
}

TEST_F(StartupTest, ASecondStartOnASmallScreenShowsTheTableOfTheFirst) {
    svc.screen->widthTwips = 9600;
    svc.screen->heightTwips = 7200;
    FrmGrulm& f = Start();
    ASSERT_EQ(Com.LayoutMode, 2);
    const QString first = Layout_Dump();
    const int height = f.HeightTw();
    Close();
    FrmGrulm& g = Start();
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_EQ(Differences(first, Layout_Dump()).toStdString(), "");
    EXPECT_EQ(g.HeightTw(), height);
}

// Every visible card place and seat frame ends inside the window's client area.
void ExpectInsideTheWindow(FrmGrulm& f) {
    f.SetScaleMode(platform::vbPixels);
    const double width = f.Client()->width();
    for (platform::Control* c : f.Controls())
        if (c->Visible() && (dynamic_cast<platform::PictureBox*>(c) || c->Name() == "Label3")) {
            EXPECT_LE(c->LeftPx() + c->WidthPx(), width)
                << c->Name().toStdString() << "(" << c->Index() << ")";
        }
}

TEST_F(StartupTest, FourPlayersOnAnEightHundredPixelScreenStayInsideTheWindow) {
    svc.screen->widthTwips = 12000;
    svc.screen->heightTwips = 9000;
    FrmGrulm& first = Start();
    ASSERT_EQ(Com.LayoutMode, 0);
    // Made four players during the run: the standard display no longer fits.
    Com.NumPlayers = 4;
    Com.NumCenters = 4;
    ProfHooks.LayOut();
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_FALSE(Tbl.DisplayEntryEnabled[1]);
    ExpectInsideTheWindow(first);
    Close();
    FrmGrulm& f = Start();
    EXPECT_EQ(Com.LayoutMode, 2);
    ExpectInsideTheWindow(f);
}

TEST_F(StartupTest, TheWindowFitsAScreenThatForcesTheSmallDisplay) {
    svc.screen->widthTwips = 9600;
    svc.screen->heightTwips = 7200;
    for (int run = 0; run < 2; ++run) {
        FrmGrulm& f = Start();
        ASSERT_EQ(Com.LayoutMode, 2);
        EXPECT_LE(f.HeightTw(), 7200) << "run " << run;
        EXPECT_LE(f.WidthTw(), 9600) << "run " << run;
        Close();
    }
}

} // namespace
