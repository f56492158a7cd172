// The tutorial: its step tags, the shipped steps and positions, taking it on the
// table and closing it, and the authoring keys that write its positions.
#include "engine/Plays.h"
#include "engine/RuleMessages.h"
#include "shell/KeyCommand.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGameCheck.h"
#include "shell/Tutorial.h"
#include "shell/frmTutorial.h"
#include "table/LayoutGameSize.h"
#include "table/LayoutPlan.h"
#include "table/Panel.h"
#include "table/Status.h"
#include "table/WindowPlaces.h"
#include "tests/shell/test_saved_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTextStream>
#include <functional>
#include <vector>

namespace {

using platform::vbOK;
using platform::vbYes;

TEST(TutorialTags, ReadTheFixedColumnsAndOnlyPreparedRecords) {
    struct Row {
        const char* line;
        const char* text;
        bool present, enables, waits, loads, arrow;
        int slot, record;
    };
    const Row rows[] = {
        {"Plain step", "Plain step", false, false, false, false, false, 0, 0},
        {"a~b~~c", "a\r\n\r\nb\r\n\r\n\r\n\r\nc", false, false, false, false, false, 0, 0},
        {"Play it<H 03C 03>", "Play it", true, true, false, false, true, 3, 0},
        {"x<p 06H 06>", "x", true, true, false, false, true, 6, 0},
        {"<P 07C 07>", "", true, false, false, false, true, 7, 0},
        {"<H 07H 07>", "", true, false, false, false, true, 7, 0},
        {"Load~it<R 00R 31>", "Load\r\n\r\nit", true, false, false, true, false, 0, 31},
        {"<R 00R 38>", "", true, false, false, true, false, 0, 38},
        // Records outside the prepared positions are never loaded by a step.
        {"<R 00R 13>", "", true, false, false, false, false, 0, 0},
        {"<R 00R 39>", "", true, false, false, false, false, 0, 0},
        {"<R 00R 30>", "", true, false, false, false, false, 0, 0},
        {"<H xxR ab>", "", true, false, false, false, false, 0, 0},
        {"Read<N>", "Read", true, false, true, false, false, 0, 0},
        {"<", "", true, false, true, false, false, 0, 0},
    };
    for (const Row& r : rows) {
        const TutorialTag t = Tutorial_ReadTag(QString::fromUtf8(r.line));
        SCOPED_TRACE(r.line);
        EXPECT_EQ(t.text, QString::fromUtf8(r.text));
        EXPECT_EQ(t.present, r.present);
        EXPECT_EQ(t.EnablesSlot(), r.enables);
        EXPECT_EQ(t.WaitsForNext(), r.waits);
        EXPECT_EQ(t.LoadsRecord(), r.loads);
        EXPECT_EQ(t.PointsArrow(), r.arrow);
        EXPECT_EQ(t.slot, r.slot);
        EXPECT_EQ(t.record, r.record);
    }
}

TEST(TutorialTags, BackLandsOnTheFirstStepOfAPreparedPosition) {
    EXPECT_EQ(Tutorial_BackTarget(8).step, 6);
    EXPECT_EQ(Tutorial_BackTarget(8).record, 31);
    EXPECT_EQ(Tutorial_BackTarget(9).record, 0); // back from 10
    EXPECT_EQ(Tutorial_BackTarget(9).step, 9);
    EXPECT_EQ(Tutorial_BackTarget(28).record, 37);
    EXPECT_EQ(Tutorial_BackTarget(32).step, 29);
    EXPECT_EQ(Tutorial_BackTarget(33).record, 0);
}

TEST(TutorialAuthoring, AcceptsRecords31To99Only) {
    EXPECT_EQ(Tutorial_AuthorRecord("31"), 31);
    EXPECT_EQ(Tutorial_AuthorRecord(" 99 "), 99);
    for (const char* bad : {"30", "100", "0", "-31", "3a", "abc", "", "13", "1"})
        EXPECT_EQ(Tutorial_AuthorRecord(bad), 0) << bad;
}

QStringList ShippedSteps() {
    QFile f(QStringLiteral(ASSETS_BUILT "/tutorial.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList steps;
    QTextStream in(&f);
    while (!in.atEnd())
        steps << in.readLine();
    return steps;
}

// Every prepared position is a whole game: each of the 104 cards lies in exactly one place.
TEST(TutorialShipped, PositionsHoldEveryCardOnceAndMatchTheSteps) {
    platform::RecordFile file;
    ASSERT_TRUE(file.OpenReadOnly(QStringLiteral(ASSETS_BUILT "/Data/tutorial.sav"), SavedGame::kSize));
    for (int r = kTutorialFirstRecord; r <= kTutorialLastRecord; ++r) {
        const SavedGame g = SavedGame_Read(file, r);
        ASSERT_EQ(SavedGame_Fault(g), QString()) << r;
        EXPECT_EQ(g.NumPlayers, 2);
        EXPECT_EQ(g.NumCenters, 3);
        EXPECT_EQ(g.Pturn, 1);
        std::vector<int> seen(105, 0);
        auto add = [&](int n, int rank) {
            ASSERT_TRUE(n >= 1 && n <= 104) << r;
            EXPECT_EQ(rank, RankOf(n)) << r;
            ++seen[n];
        };
        for (int i = 1; i <= g.DeckCount; ++i)
            add(g.Deck(0, i), g.Deck(1, i));
        for (int i = 1; i <= g.PlayerSideCount; ++i)
            add(g.PlayerSide(0, i), g.PlayerSide(1, i));
        for (int i = 1; i <= g.SideCounts(0); ++i)
            add(g.Seat2Side(0, i), g.Seat2Side(1, i));
        for (int s = 2; s <= 10; ++s) {
            if (g.PlayerCards(0, s)) add(g.PlayerCards(0, s), g.PlayerCards(1, s));
            if (g.Seat2Cards(0, s)) add(g.Seat2Cards(0, s), g.Seat2Cards(1, s));
        }
        for (int p = 1; p <= 4; ++p)
            for (int d = 1; d <= g.PlayerHoldCount(p); ++d)
                add(g.PlayerHold(0, p, d), g.PlayerHold(1, p, d));
        for (int c = 1; c <= 3; ++c)
            for (int d = 1; d <= g.CenterCount(c); ++d) {
                add(g.Center(0, c, d), g.Center(1, c, d));
                EXPECT_EQ(g.Center(1, c, d), d) << r;
            }
        // The side tops show in slot 1 and are counted with their piles.
        EXPECT_EQ(g.PlayerCards(0, 1), g.PlayerSide(0, g.PlayerSideCount));
        EXPECT_EQ(g.Seat2Cards(0, 1), g.Seat2Side(0, g.SideCounts(0)));
        for (int n = 1; n <= 104; ++n)
            EXPECT_EQ(seen[n], 1) << "record " << r << " card " << n;
    }

    const QStringList steps = ShippedSteps();
    ASSERT_GE(steps.size(), 33);
    // Back starts a position's steps again at the step that loads it.
    for (int s = 1; s <= steps.size(); ++s) {
        const TutorialBack back = Tutorial_BackTarget(s);
        if (back.record == 0) continue;
        EXPECT_EQ(Tutorial_ReadTag(steps[back.step - 1]).record, back.record) << "step " << s;
    }
    // The first move asked for on a fresh position names a card that is there.
    for (int s = 1; s < steps.size(); ++s) {
        const TutorialTag load = Tutorial_ReadTag(steps[s - 1]);
        if (!load.LoadsRecord()) continue;
        const TutorialTag move = Tutorial_ReadTag(steps[s]);
        const SavedGame g = SavedGame_Read(file, load.record);
        ASSERT_TRUE(move.EnablesSlot() || move.PointsArrow()) << "step " << s + 1;
        EXPECT_NE(g.PlayerCards(0, move.slot), 0) << "step " << s + 1;
    }
}

class TutorialTest : public SavedTest {
  protected:
    void SetUp() override {
        SavedTest::SetUp();
        Tutorial_Reset();
        Keys_Reset();
        MenuWin = MenuWindowsT{};
        Hooks.ComputerTurn = [this] { ++computerTurns; };
        Tutorial_Install();
        Tut.Input = [this](const QString&, const QString&) { return answer; };
        Com.AppPath = QStringLiteral(ASSETS_BUILT);
    }
    void TearDown() override {
        if (Tut.Open) {
            svc.boxes->Expect(vbYes);
            svc.boxes->Expect(vbOK);
            frmTutorial().cmdOK_Click();
        }
        frmTutorial().Hide();
        MenuWin = MenuWindowsT{};
        Tutorial_Reset();
        Keys_Reset();
        SavedTest::TearDown();
    }
    void Next(int times = 1) {
        for (int i = 0; i < times; ++i)
            frmTutorial().cmdNext_Click();
    }
    int EnabledHandSlots() const {
        int n = 0;
        for (int s = 1; s <= 6; ++s)
            if (form->Picture7(s).Enabled()) n = n * 10 + s;
        return n;
    }
    int computerTurns = 0;
    QString answer;
};

TEST_F(TutorialTest, PlaysTwoHandedAndGivesBackTheTableAndRulesItFound) {
    Put({.players = 3, .centers = 4, .pturn = 1, .sideSize = 14, .forced = 5, .noWildAce = true, .seed = 7});
    StatusBar_Init();
    ASSERT_TRUE(Menu_RowAvailable(kMenuHelp, kHelpTutorial));
    MenuHelp(kHelpTutorial, 0);
    ASSERT_TRUE(Com.TutorialMode);
    EXPECT_TRUE(Keys.KeysBlocked);
    EXPECT_EQ(Com.NumPlayers, 2);
    EXPECT_EQ(Com.NumCenters, 3);
    EXPECT_EQ(Com.TotalCards, 104);
    EXPECT_EQ(Com.SideSize, 19);
    EXPECT_FALSE(Com.NoWildAce);
    EXPECT_EQ(Tut.Step, 1);
    EXPECT_FALSE(frmTutorial().cmdBack.Visible());

    Next(5); // step 6 loads the first position
    EXPECT_EQ(Tut.Step, 6);
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.PlayerCards(1, 1), 1); // the Ace on the side pile
    EXPECT_EQ(SavedGame_Read(SavedGameFile(), kGameStart), SavedGame_Read(SavedGameFile(), 31));
    EXPECT_TRUE(frmTutorial().cmdNext.Enabled());
    EXPECT_EQ(EnabledHandSlots(), 0);

    Next(); // step 7: the side card alone may be moved, and Next waits for it
    EXPECT_EQ(EnabledHandSlots(), 1);
    EXPECT_FALSE(frmTutorial().cmdNext.Enabled());
    EXPECT_TRUE(form->imgTipUp.Visible());
    Eng.SourceSlot = 1;
    Eng.TargetPile = 2;
    Rules_CheckCenter();
    ASSERT_EQ(Com.Pturn, 1);
    Player_Move();
    EXPECT_EQ(Eng.CenterCount(2), 1);
    EXPECT_EQ(EnabledHandSlots(), 0);
    EXPECT_TRUE(frmTutorial().cmdNext.Enabled());
    EXPECT_FALSE(form->imgTipUp.Visible());
    Next(); // step 8: the 2 in the hand
    EXPECT_EQ(EnabledHandSlots(), 3);
    EXPECT_EQ(Eng.PlayerCards(1, 3), 2);

    Next(); // step 9 explains; back from it plays the first position again from its start
    frmTutorial().cmdNext_Click();
    frmTutorial().cmdBack_Click();
    EXPECT_EQ(Tut.Step, 9);
    frmTutorial().cmdBack_Click();
    EXPECT_EQ(Tut.Step, 6);
    EXPECT_EQ(Eng.CenterCount(2), 0);
    EXPECT_EQ(Eng.PlayerCards(1, 1), 1);

    // Leaving asks first, then tells how to come back.
    form->StatusBar1.Panels(2).Text = QStringLiteral(" 1- 0- 0- [ 1 ]"); // the counts of a play
    svc.boxes->Expect(platform::vbNo);
    frmTutorial().cmdOK_Click();
    EXPECT_TRUE(Tut.Open);
    svc.boxes->Expect(vbYes);
    svc.boxes->Expect(vbOK);
    frmTutorial().cmdOK_Click();
    EXPECT_EQ(svc.boxes->shown.back().text,
              QStringLiteral("To start the Tutorial again, go to the Help Menu and select Tutorial."));
    EXPECT_FALSE(Com.TutorialMode);
    EXPECT_FALSE(Keys.KeysBlocked);
    EXPECT_EQ(Com.NumPlayers, 3);
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_EQ(Com.TotalCards, 156);
    EXPECT_EQ(Com.SideSize, 14);
    EXPECT_EQ(Com.ForcedCards, 5);
    EXPECT_TRUE(Com.NoWildAce);
    EXPECT_TRUE(form->cmdDeal.Visible());
    EXPECT_TRUE(form->StatusBar1.Panels(2).Text.isEmpty()) << "the tutorial's counts are gone";
    EXPECT_EQ(computerTurns, 0);
}

TEST_F(TutorialTest, ADiscardHandsTheTurnOverAndTheLastStepClosesWithoutAsking) {
    Put({});
    Tutorial_Show();
    Next(10); // step 11: discard the Queen
    ASSERT_EQ(Tut.Step, 11);
    EXPECT_EQ(EnabledHandSlots(), 2);
    EXPECT_FALSE(frmTutorial().cmdNext.Enabled());
    // Not while the computer's turn runs: the table it plays on would be taken away.
    Eng.CompTurnActive = true;
    frmTutorial().cmdOK_Click();
    EXPECT_TRUE(Tut.Open);
    Eng.CompTurnActive = false;
    Hooks.ComputerTurn();
    EXPECT_EQ(computerTurns, 1);
    EXPECT_TRUE(frmTutorial().cmdNext.Enabled());
    EXPECT_EQ(EnabledHandSlots(), 0);

    Next(static_cast<int>(Tut.Steps.size()) - 11);
    EXPECT_EQ(Tut.Step, Tut.Steps.size());
    frmTutorial().cmdOK_Click(); // no box is expected
    EXPECT_FALSE(Tut.Open);
}

TEST_F(TutorialTest, RefusedInAnInternetGameAndKeysOnlyTellThePlayer) {
    Put({.players = 4, .centers = 4});
    Com.NetGame = 1;
    svc.boxes->Expect(vbOK);
    Tutorial_Show();
    EXPECT_FALSE(Com.TutorialMode);
    EXPECT_EQ(Com.NumPlayers, 4);

    Com.NetGame = 0;
    Tutorial_Show();
    ASSERT_TRUE(Com.TutorialMode);
    svc.boxes->Expect(vbOK);
    KeyCommand(113, 0); // F2 would deal a new game
    EXPECT_EQ(svc.boxes->shown.back().text,
              QStringLiteral("Please don't use the Menus during the tutorial."));
    EXPECT_EQ(Tut.Step, 1);
}

TEST_F(TutorialTest, AMoveShowsTheNextStepAtOnceTheWindowStaysAndAStillCardSaysWhy) {
    Put({});
    Panel_Install(*form);
    Tutorial_Show();
    QWidget* window = frmTutorial().Window();
    const auto pressOn = [at = QPointF(10, 10)](PictureBox& card) {
        QMouseEvent press(QEvent::MouseButtonPress, at, card.Widget()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, {});
        QCoreApplication::sendEvent(card.Widget(), &press);
    };
    Next(5); // step 6 lays out a position no one has played yet, and moves nothing
    ASSERT_EQ(Tut.Step, 6);
    EXPECT_NE(form->Label9(1).Caption(), "It's still your turn.");
    pressOn(form->Picture7(1));
    EXPECT_TRUE(form->Label9(1).Caption().startsWith("No card is moved"))
        << form->Label9(1).Caption().toStdString();
    Next(); // step 7 asks for that very card
    ASSERT_EQ(Tut.Step, 7);
    EXPECT_FALSE(form->Label9(1).Caption().startsWith("No card is moved"));
    // Over the card the step awaits, the window moves off it; clear of it, it stays.
    PictureBox& card = form->Picture7(Tutorial_ReadTag(Tut.Steps.at(6)).slot);
    ASSERT_TRUE(card.Enabled());
    const QRect at(int(card.LeftPx()), int(card.TopPx()), int(card.WidthPx()), int(card.HeightPx()));
    window->move(form->Window()->geometry().topLeft() + at.topLeft());
    frmTutorial().KeepClearOfStep();
    EXPECT_FALSE(Window_CoversOnTable(window, {at}));
    const QPoint put = window->pos();
    frmTutorial().KeepClearOfStep();
    EXPECT_EQ(window->pos(), put);

    // A press on a hand card the step keeps still reaches the table, which says why.
    PictureBox& still = form->Picture7(2);
    ASSERT_FALSE(still.Enabled());
    pressOn(still);
    EXPECT_TRUE(form->Label9(1).Caption().startsWith("Not that card"))
        << form->Label9(1).Caption().toStdString();

    // The awaited move made the next step's position: its text follows without Next.
    Eng.SourceSlot = 1;
    Eng.TargetPile = 2;
    Rules_CheckCenter();
    Player_Move();
    QCoreApplication::processEvents();
    EXPECT_EQ(Tut.Step, 8);
    EXPECT_EQ(frmTutorial().lblTipText.Caption(), Tutorial_ReadTag(Tut.Steps.at(7)).text);
    EXPECT_EQ(EnabledHandSlots(), 3);
    // A move whose next step loads a new position leaves that to Next.
    Next(3); // step 10 loads one, step 11 asks for the discard
    ASSERT_EQ(Tut.Step, 11);
    Hooks.ComputerTurn();
    QCoreApplication::processEvents();
    EXPECT_EQ(Tut.Step, 11);
    EXPECT_TRUE(frmTutorial().cmdNext.Enabled());
}

TEST_F(TutorialTest, TheIconPanelStaysShutWhileTheTutorialRuns) {
    Put({});
    Tutorial_Show();
    ASSERT_TRUE(Tut.Open);
    imgMenu_MouseMove();
    svc.boxes->Expect(vbOK);
    Form_MouseMove(0, 0, 100, 2); // the pointer at the table's top edge
    EXPECT_EQ(svc.boxes->shown.back().text,
              QStringLiteral("Please don't use the Menus during the tutorial."));
    EXPECT_FALSE(form->picPanel.Visible());
    Startup.TutorialClose();
    imgMenu_MouseMove();
    EXPECT_TRUE(form->picPanel.Visible());
}

TEST_F(TutorialTest, TheProgramsExitPutsTheTableBackBeforeItIsStoredAndAsksNothing) {
    Put({.players = 4, .centers = 4, .sideSize = 25, .noWildAce = true});
    Tutorial_Show();
    Next(6);
    ASSERT_EQ(Com.NumPlayers, 2);
    Startup.TutorialClose();
    EXPECT_FALSE(Tut.Open);
    EXPECT_EQ(Com.NumPlayers, 4);
    EXPECT_EQ(Com.SideSize, 25);
    EXPECT_TRUE(Com.NoWildAce);
    EXPECT_TRUE(svc.boxes->shown.empty());
}

TEST_F(TutorialTest, AMissingStepFileSaysSoAndLeavesTheTableAsItWas) {
    Put({.players = 3, .centers = 4, .sideSize = 9});
    Com.AppPath = home->Path();
    svc.boxes->Expect(vbOK);
    Tutorial_Show();
    EXPECT_EQ(svc.boxes->shown.back().text,
              QStringLiteral("Tutorial not found, unable to run the tutorial."));
    EXPECT_FALSE(Tut.Open);
    EXPECT_FALSE(Com.TutorialMode);
    EXPECT_EQ(Com.NumPlayers, 3);
    EXPECT_EQ(Com.SideSize, 9);
}

TEST_F(TutorialTest, AuthoringKeysWriteAndReadOnlyRecords31To99) {
    constexpr int kCtrlShift = kCtrlMask | kShiftMask, kKeyS = 83, kKeyR = 82;
    Put({.seed = 3});
    const QStringList table = Model();
    for (const char* bad : {"30", "100", "x"}) {
        answer = QString::fromUtf8(bad);
        svc.boxes->Expect(vbOK);
        KeyCommand(kKeyS, kCtrlShift);
        EXPECT_EQ(svc.boxes->shown.back().text,
                  QStringLiteral("Tutorial games are kept in records 31 to 99."));
    }
    EXPECT_LE(SavedGameFile().RecordCount(), 14);
    answer = QString(); // cancelled: nothing at all
    KeyCommand(kKeyS, kCtrlShift);

    answer = QStringLiteral("40");
    KeyCommand(kKeyS, kCtrlShift);
    EXPECT_EQ(Stored(40).Name, QStringLiteral("Tutorial 40"));
    EXPECT_TRUE(Stored(40).HoldsGame());

    // A record without a game is not put on the table.
    answer = QStringLiteral("41");
    svc.boxes->Expect(vbOK);
    KeyCommand(kKeyR, kCtrlShift);
    EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("Record 41 holds no game."));
    ExpectSameModel(Model(), table, "after refusing record 41");

    Put({.seed = 9});
    answer = QStringLiteral("40");
    KeyCommand(kKeyR, kCtrlShift);
    ExpectSameModel(Model(), table, "record 40 restored");
}

// A table laid out anew while an arrow shows (another display size, a window resized by hand)
// leaves the arrow pointing at what it pointed at, in its new place.
TEST_F(TutorialTest, TheArrowFollowsWhatItPointsAtWhenTheTableIsLaidOutAgain) {
    auto at = [](const platform::Control& c) { return QPointF(c.LeftPx(), c.TopPx()); };
    const struct {
        int step;
        std::function<bool()> pointing;
    } steps[] = {
        {4, [&] { return at(form->imgTip) == at(form->imgCenter) + QPointF(form->imgCenter.WidthPx(), 0); }},
        {7,
         [&] { return at(form->imgTipUp).y() >= form->Picture7(1).TopPx() + form->Picture7(1).HeightPx(); }},
        {9,
         [&] { return at(form->imgTip) + QPointF(-10, form->imgTip.HeightPx()) == at(form->Picture7(7)); }}};
    for (const bool resized : {false, true})
        for (const auto& s : steps) {
            Put({});
            Tutorial_Show();
            Next(s.step - 1);
            ASSERT_TRUE(s.pointing()) << s.step;
            if (resized) form->SetClientSizePx(form->Client()->width() + 120, form->Client()->height() + 90);
            Layout_Relay(resized ? Layout_ModeAsked() : DisplayMode::Small, !resized, true);
            EXPECT_TRUE(s.pointing()) << "step " << s.step << (resized ? ", resized" : ", small display");
            Tut.Step = Tut.Steps.size(); // the last step closes without asking
            frmTutorial().cmdOK_Click();
        }
}

// Each step's window is as high as its text needs, its buttons below the text; the up arrow
// leaves the player's name and the message under the card it points at readable.
TEST_F(TutorialTest, TheWindowFitsItsTextAndTheArrowLeavesTheLabelsUnderTheCardReadable) {
    Put({});
    Tutorial_Show();
    TutorialForm& t = frmTutorial();
    auto textOf = [](const platform::Label& l) {
        return QFontMetrics(l.Font()).boundingRect(
            QRectF(l.LeftPx() + 1, l.TopPx(), l.WidthPx() - 2, l.HeightPx()).toAlignedRect(),
            Qt::AlignTop | Qt::TextWordWrap | (l.Alignment() == 2 ? Qt::AlignHCenter : Qt::AlignLeft),
            l.DisplayText());
    };
    for (int step = 1; step <= 3; ++step, Next()) {
        EXPECT_LE(textOf(t.lblTipText).bottom(), t.cmdNext.TopPx()) << step;
        EXPECT_EQ(t.Window()->height(), int(t.cmdNext.TopPx() + t.cmdNext.HeightPx()) + 10) << step;
    }
    for (int slot = 1; slot <= 6; ++slot) {
        const PictureBox& card = form->Picture7(slot);
        form->Label9(1).SetGeometryPx(card.LeftPx() - 6, card.TopPx() + card.HeightPx(), 200, 40);
        form->Label9(1).SetCaption(QStringLiteral("\r\n     It's still your turn."));
        t.ReadEnableInfo(QStringLiteral("Look.<H 0%1C 0%1>").arg(slot));
        const QRectF arrow(form->imgTipUp.LeftPx(), form->imgTipUp.TopPx(), form->imgTipUp.WidthPx(),
                           form->imgTipUp.HeightPx());
        for (const platform::Label* l : {&form->Label9(1), &form->Label9(3)})
            EXPECT_TRUE(l->Caption().trimmed().isEmpty() || !arrow.intersects(textOf(*l)))
                << slot << " " << l->Index();
    }
}

} // namespace
