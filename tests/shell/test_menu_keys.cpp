// The menu commands and the table's keys: what each reaches, and the guards that
// keep them from running under a computer turn, in an Internet game or mid-move.
#include "engine/Deal.h"
#include "engine/Discard.h"
#include "engine/GameEnd.h"
#include "opponent/TurnLoop.h"
#include "shell/KeyCommand.h"
#include "shell/MenuCommands.h"
#include "shell/MenuList.h"
#include "shell/SavedIdentity.h"
#include "table/Panel.h"
#include "table/TableState.h"
#include "tests/shell/test_saved_support.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

namespace {

using platform::vbOK;

constexpr int kPad0 = 96, kEnter = 13, kF2 = 113, kF3 = 114, kF6 = 117, kF10 = 121, kF11 = 122, kDigit1 = 49;

class MenuKeysTest : public SavedTest {
  protected:
    void SetUp() override {
        SavedTest::SetUp();
        Menu_Reset();
        Keys_Reset();
        MenuWin = MenuWindowsT{};
        Netl = NetLink{};
        MenuWin.SaveDialog = [this](bool restore) {
            dialogs.push_back(restore);
            Sav.DialogCancelled = pick == 0;
            Sav.SaveSlot = pick;
            Sav.SaveName = QStringLiteral("mine");
        };
        MenuWin.Stats = [this](int mode) { stats.push_back(mode); };
        Netl.Net_SendAll = [this](const QString& m, int) { sent << "all " + m; };
        Netl.Net_Send = [this](const QString& m, int s) {
            sent << QString::number(s) + " " + m;
            return s;
        };
        Put({.players = 2, .centers = 3, .seed = 11});
    }
    void TearDown() override {
        MenuWin = MenuWindowsT{};
        Netl = NetLink{};
        Com.NetGame = Com.NetHost = 0;
        Eng.CompTurnActive = Eng.TurnStop = false;
        Menu_Reset();
        Keys_Reset();
        SavedTest::TearDown();
    }
    std::vector<bool> dialogs;
    std::vector<int> stats;
    QStringList sent;
    int pick = 0;
};

TEST_F(MenuKeysTest, SaveWritesTheSlotAndItsStartAndRestoreBringsBothBack) {
    SaveAs(kGameStart, "start");
    pick = 3;
    MenuGame(kGameSave);
    const QStringList saved = Model();
    EXPECT_EQ(Stored(3).Name, QStringLiteral("mine"));
    EXPECT_EQ(Stored(3 + kSlotStartOffset).Name, QStringLiteral("start"));
    EXPECT_EQ(frmGrulm().Label9(1).Caption(), QStringLiteral("Game saved as\r\nmine"));

    Put({.players = 2, .centers = 3, .seed = 12});
    SaveAs(kGameStart, "other start");
    MenuGame(kGameRestore);
    ExpectSameModel(Model(), saved, "restored slot");
    // Restart Current Game now starts the restored game over.
    EXPECT_EQ(Stored(kGameStart).Name, QStringLiteral("start"));
    EXPECT_TRUE(Menu.SlotRestored);
    EXPECT_EQ(dialogs, (std::vector<bool>{false, true}));
}

TEST_F(MenuKeysTest, TheHostSendsTheGameItRestoredNotTheTableAsItStood) {
    for (const int record : {kGameStart, 2, 2 + kSlotStartOffset}) // slot 2 holds its start as well
        SaveAs(record);
    const QStringList saved = Model();
    pick = 2;
    Put({.players = 2, .centers = 3, .seed = 12});
    Com.NetGame = Com.NetHost = 1;
    Com.PeerVersion = "96";
    std::vector<int> sends; // 0 another table, 1 the saved one, 2 the saved one as a restart
    MenuWin.SendGame = [&] { sends.push_back(Model() == saved ? 1 + Menu.RestartSend : 0); };
    svc.boxes->Expect(vbOK); // the restart asks first
    for (const int row : std::initializer_list<int>{kNetSend, kGameRestore, kGameRestart})
        row == kNetSend ? MenuInternet(row) : MenuGame(row);
    EXPECT_EQ(sends, (std::vector<int>{1, 1, 2}));
}

TEST_F(MenuKeysTest, ACancelledOrGamelessSaveWritesNothing) {
    pick = 0;
    MenuGame(kGameSave);
    EXPECT_FALSE(Stored(1).HoldsGame());
    EXPECT_FALSE(Sav.DialogCancelled);
    Com.Pturn = 0;
    svc.boxes->Expect(vbOK);
    MenuGame(kGameSave);
    EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("There's no game to save!"));
    EXPECT_EQ(dialogs.size(), 1u);
}

TEST_F(MenuKeysTest, RestoresAreRefusedUnderAComputerTurnAndOnARemoteProgram) {
    int logins = 0;
    MenuWin.Login = [&] { ++logins; };
    Eng.CompTurnActive = true;
    // Another player's profile would bring its own table size and opponents mid-turn.
    // A save would take the seat's record without the cards it is playing.
    for (int row : {kGameRestore, kGamePrevious, kGameRestart, kGameLogin, kGameSave}) {
        svc.boxes->Expect(vbOK);
        MenuGame(row);
        EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("Wait!  Let me finish my turn first!"));
    }
    EXPECT_EQ(svc.boxes->shown.size(), 5u);
    // At the hand-over the turn is the human's already: the seat that moved still speaks.
    Com.Pturn = 1;
    Eng.SeatName = "Torvek";
    svc.boxes->Expect(vbOK);
    MenuGame(kGameRestore);
    EXPECT_EQ(svc.boxes->shown.back().title, QStringLiteral("Torvek:"));
    EXPECT_EQ(logins, 0);
    MenuGame(kGameExit); // no exit either
    Eng.CompTurnActive = false;
    Com.NetGame = 1;
    Com.NetHost = 0;
    for (int row : {kGameRestore, kGameRestart}) {
        svc.boxes->Expect(vbOK);
        MenuGame(row);
        EXPECT_EQ(svc.boxes->shown.back().text,
                  QStringLiteral("Please use the Internet Menu during Internet games."));
    }
    EXPECT_TRUE(dialogs.empty());
    MenuGame(kGameLogin);
    EXPECT_EQ(logins, 1);
}

TEST_F(MenuKeysTest, NewGameUnderAComputerTurnOnlyAsksTheLoopToStop) {
    Com.Pturn = 2;
    MenuGame(kGameNew);
    EXPECT_TRUE(Eng.TurnStop);
    EXPECT_EQ(Com.Pturn, 2);
    pick = 1;
    MenuGame(kGameSave); // every Game command waits now
    MenuGame(kGameStats);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(stats.empty());
}

TEST_F(MenuKeysTest, KeypadMoveChoosesSourceThenTargetAndOtherKeysReset) {
    frmGrulm().cmdDeal.SetVisible(false);
    frmGrulm().Piles_EnableRange(frmGrulm().Picture7, true, 1, 10);
    KeyCommand(kPad0 + 2, 0);
    EXPECT_EQ(Keys.PendingSlot, 2);
    EXPECT_EQ(frmGrulm().Label9(1).Caption(), QStringLiteral("Move card: 2"));
    KeyCommand(kEnter, 0);
    EXPECT_EQ(frmGrulm().Label9(1).Caption(), QStringLiteral("Move card to which pile?"));
    const QStringList before = Model();
    KeyCommand(kPad0 + 4, 0); // pile 4 is not on a three-pile table
    ExpectSameModel(Model(), before, "ignored target");
    EXPECT_EQ(Keys.PendingSlot, 0);
    EXPECT_EQ(Com.Pturn, 1);
    // A target key that is no pile nor a discard only resets the move.
    KeyCommand(kPad0 + 3, 0);
    KeyCommand(kEnter, 0);
    KeyCommand(kPad0 + 5, 0);
    EXPECT_EQ(Keys.PendingSlot, 0);
    ExpectSameModel(Model(), before, "reset move");
    // Enter on an empty slot drops the choice.
    KeyCommand(kPad0 + 4, 0);
    KeyCommand(kEnter, 0);
    EXPECT_EQ(Keys.PendingSlot, 0);
    EXPECT_FALSE(frmGrulm().lblHighlight.Visible());
}

// Every keypad move, typed on the table window as the keypad sends it: digits with
// NumLock on, the movement keys printed on the keypad with it off.
TEST_F(MenuKeysTest, EveryKeypadMoveWorksFromTheKeypadItself) {
    constexpr Qt::Key kNumLockOff[] = {Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down,  Qt::Key_PageDown,
                                       Qt::Key_Left,   Qt::Key_Clear, Qt::Key_Right, Qt::Key_Home,
                                       Qt::Key_Up,     Qt::Key_PageUp};
    TableForm& f = frmGrulm();
    f.KeyDown = [](int key, int shift) { KeyCommand(key, shift); };
    bool numLock = true;
    auto pad = [&](int digit) {
        QTest::keyClick(f.Window(), numLock ? Qt::Key(Qt::Key_0 + digit) : kNumLockOff[digit],
                        Qt::KeypadModifier);
    };
    constexpr int kAce = 40; // the Ace of spades, rank 1
    // Aces onto an empty center pile (keypad 1 to 3) from the side, the hand and a hold pile
    // (slot 8); discards onto hold piles 1 to 4 (keypad 7, 8, 9, 0); keypad 6 moves nothing.
    for (const auto& [source, digit] :
         {std::pair{1, 1}, {2, 2}, {5, 3}, {8, 1}, {2, 7}, {3, 8}, {5, 9}, {2, 0}, {2, 6}}) {
        numLock = !numLock;
        SCOPED_TRACE(testing::Message() << source << " to " << digit << ", NumLock " << numLock);
        Put({.players = 2, .centers = 3, .seed = 11});
        f.cmdDeal.SetVisible(false);
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
        const bool center = digit >= 1 && digit <= 3;
        if (center) {
            Eng.CenterCount(digit) = 0;
            Eng.PlayerCards(0, source) = kAce;
            Eng.PlayerCards(1, source) = 1;
            if (source == 1) {
                Eng.PlayerSide(0, Eng.PlayerSideCount) = kAce;
                Eng.PlayerSide(1, Eng.PlayerSideCount) = 1;
            }
        }
        const int card = Eng.PlayerCards(0, source), hold = digit == 0 ? 10 : digit;
        const QStringList before = Model();
        pad(source);
        QTest::keyClick(f.Window(), Qt::Key_Enter, Qt::KeypadModifier);
        pad(digit);
        if (center) {
            EXPECT_EQ(Eng.CenterCount(digit), 1);
            EXPECT_EQ(Eng.Center(0, digit, 1), kAce);
        } else if (digit == 6) {
            ExpectSameModel(Model(), before, "keypad 6");
        } else {
            ASSERT_NE(card, 0);
            EXPECT_EQ(Eng.PlayerCards(0, hold), card);
            EXPECT_EQ(Eng.PlayerCards(0, source), 0);
        }
    }
}

TEST_F(MenuKeysTest, FunctionKeysFollowTheGameKindAndTheArmedFlag) {
    Keys.KeyArmed = false;
    KeyCommand(kF3, 0); // swallowed
    KeyCommand(kF3, 0);
    KeyCommand(kF3, kCtrlMask | kShiftMask);
    EXPECT_EQ(stats, (std::vector<int>{0, 2}));
    Com.NetGame = 99; // connecting: only F11
    KeyCommand(kF3, 0);
    EXPECT_EQ(stats.size(), 2u);
    Com.NetGame = 1;
    Com.NetHost = 0;
    Com.Pturn = 1;
    KeyCommand(kF2, 0); // a remote player starts no game
    EXPECT_EQ(Com.Pturn, 1);
    svc.boxes->Expect(vbOK);
    KeyCommand(kF6, 0);
    EXPECT_EQ(svc.boxes->shown.back().title, QStringLiteral("Vornhelm Online"));
    KeyCommand(kF11, kAltMask); // Alt alone runs nothing
}

TEST_F(MenuKeysTest, DigitKeysPlayTheOpponentsSounds) {
    for (int i = 3; i <= 13; ++i)
        Eng.SeatSounds(i) = "s" + QString::number(i);
    KeyCommand(kDigit1, 0);
    KeyCommand(48, 0);
    KeyCommand(187, 0);
    EXPECT_EQ(svc.sound->played, (QStringList{"s3", "s12", "s13"}));
    EXPECT_TRUE(frmGrulm().Label9(2).Caption().startsWith("I feel like a puppet"));
}

TEST_F(MenuKeysTest, PeekTellsEveryPeerOnlyInAnInternetGame) {
    MenuHelp(kHelpPeek, 0);
    EXPECT_TRUE(Com.PeekOn);
    EXPECT_TRUE(sent.isEmpty());
    MenuHelp(kHelpPeek, 0);
    Com.NetGame = 2;
    Com.NetHost = 1;
    svc.boxes->Expect(platform::vbYes);
    MenuHelp(kHelpPeek, 0);
    EXPECT_EQ(sent, (QStringList{"all SY  1#GRULM: You're being watched.", "all PK True"}));
    Com.NetHost = 0;
    MenuHelp(kHelpPeek, 0);
    EXPECT_EQ(sent.mid(2), (QStringList{"1 SY  2#GRULM: Nobody's looking now.", "1 PK False"}));
    Com.PeekOn = false;
}

TEST_F(MenuKeysTest, DispatchSendsHouseRulesToTheNoticeInAnInternetGame) {
    int rules = 0;
    MenuWin.Rules = [&] { ++rules; };
    Tbl.MenuNumber = 2;
    Tbl.MenuItem = kOptRules;
    MenuDispatch();
    EXPECT_EQ(rules, 1);
    Com.NetGame = 1;
    svc.boxes->Expect(vbOK);
    MenuDispatch();
    EXPECT_EQ(rules, 1);
    EXPECT_TRUE(Menu_RowAvailable(1, kGameSave));
    EXPECT_FALSE(Menu_RowAvailable(4, kHelpTutorial));
}

} // namespace

namespace {

TEST_F(MenuKeysTest, MenuRowsMatchTheCommandNumbers) {
    const QStringList game = Menu_Rows(1);
    EXPECT_TRUE(game[kGameSave].startsWith("Save\tCtrl+S"));
    EXPECT_TRUE(game[kGameExit].startsWith("Exit\tF12"));
    EXPECT_TRUE(game[2].isEmpty());
    EXPECT_TRUE(Menu_Rows(2)[kOptDisplaySize].startsWith("Display Size..."));
    Com.NetGame = 1;
    Com.NetHost = 1;
    EXPECT_TRUE(Menu_Rows(3)[kNetNew].startsWith("New Game\tF2"));
    Com.NetHost = 0;
    EXPECT_EQ(Menu_Rows(3).size(), kNetSave + 1);
    Com.PeekOn = true;
    EXPECT_TRUE(Menu_Rows(4)[kHelpPeek].startsWith("Stop Peeking"));
    Com.PeekOn = false;
}

} // namespace

namespace {

constexpr int kF4 = 115, kF8 = 119, kDelete = 46, kPageUp = 33, kHome = 36;

TEST_F(MenuKeysTest, CtrlDeleteRemovesOnlyAPictureAndOnlyOnYes) {
    int removed = 0;
    MenuWin.RemoveBackground = [&] { ++removed; };
    Tbl.BackgroundCount = 2;
    Tbl.BackgroundIndex = 2;
    for (int answer : {platform::vbNo, platform::vbCancel, platform::vbYes}) {
        svc.boxes->Expect(answer);
        KeyCommand(kDelete, kCtrlMask);
    }
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(svc.boxes->shown.back().title, QStringLiteral("Remove Background"));
    // The plain colour (count + 1) has no picture: a note, no question, nothing removed.
    Tbl.BackgroundIndex = 3;
    svc.boxes->Expect(vbOK);
    KeyCommand(kDelete, kCtrlMask);
    EXPECT_EQ(removed, 1);
    EXPECT_TRUE(svc.boxes->shown.back().text.startsWith("There's no background picture to delete."));
    // Delete without Ctrl only jokes.
    svc.boxes->Expect(vbOK);
    KeyCommand(kDelete, 0);
    EXPECT_EQ(removed, 1);
}

TEST_F(MenuKeysTest, DebugSwitchAnswersOnlyTheTwoExactNames) {
    const int ctrlShift = kCtrlMask | kShiftMask;
    for (const char* name : {"rada", "Rada ", "Master", "Bob"}) {
        Com.PlayerName = name;
        KeyCommand(kF8, ctrlShift);
        EXPECT_FALSE(Com.DebugMode) << name;
    }
    Com.PlayerName = "Rada";
    KeyCommand(kF8, ctrlShift);
    EXPECT_TRUE(Com.DebugMode);
    // The debug mode lifts the card counter's refusal in an Internet game.
    int counters = 0;
    MenuWin.Counter = [&] { ++counters; };
    Com.NetGame = 1;
    KeyCommand(kF8, 0);
    EXPECT_EQ(counters, 1);
    Com.PlayerName = "Master Rada";
    KeyCommand(kF8, ctrlShift);
    EXPECT_FALSE(Com.DebugMode);
    svc.boxes->Expect(vbOK);
    KeyCommand(kF8, 0);
    EXPECT_EQ(svc.boxes->shown.back().title, QStringLiteral("Count by yourself"));
    EXPECT_EQ(counters, 1);
}

TEST_F(MenuKeysTest, PageUpFreesTheChatOnlyOnlineAndHomePlaysTheTune) {
    std::vector<bool> chat;
    int tunes = 0;
    MenuWin.ChatOnTop = [&](bool on) { chat.push_back(on); };
    MenuWin.PlayIntro = [&] { ++tunes; };
    KeyCommand(kPageUp, 0);
    EXPECT_TRUE(chat.empty());
    Com.NetGame = 1;
    KeyCommand(kPageUp, 0);
    EXPECT_EQ(chat, std::vector<bool>{false});
    Com.NetGame = 0;
    svc.boxes->Expect(vbOK);
    KeyCommand(kHome, 0);
    EXPECT_EQ(tunes, 1);
    EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("There's no place like home."));
    int iconLoads = 0;
    MenuWin.IconsLoad = [&] { ++iconLoads; };
    KeyCommand(kF10, 0); // the opponents set-up, not the icons
    KeyCommand(kF10, kCtrlMask);
    EXPECT_EQ(iconLoads, 1);
}

TEST_F(MenuKeysTest, PreviousTurnOnAFreshAccountSaysThereIsNoMoveNotDamage) {
    // No automatic save has been written yet.
    svc.boxes->Expect(vbOK);
    Eng.TurnCount = 2;
    const QStringList before = Model();
    KeyCommand(kF4, 0);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("No move to restore!"));
    EXPECT_EQ(svc.boxes->shown.back().title, QStringLiteral("Previous Turn"));
    ExpectSameModel(Model(), before, "nothing restored");
}

// Two of the human's turns played against the computer seat: F4 and Restore's AutoSave slot show
// the start of the turn before, not the one just begun. Once the game is won neither brings it
// back, or it would be won twice; Restart Current Game asks first for the game dealt here.
TEST_F(MenuKeysTest, PreviousTurnShowsTheStartOfTheTurnBeforeUntilTheGameIsWon) {
    Opponent_Install();
    TempMoves_Open(true);
    platform::Svc().random.Randomize(4);
    Com.Pturn = 0;
    Game_New();
    std::vector<QStringList> starts;
    for (int hold = 7; hold <= 8; ++hold) {
        starts.push_back(Model());
        Eng.SourceSlot = 2;
        Eng.TargetHold = hold;
        Player_EndTurn();
    }
    KeyCommand(kF4, 0);
    ExpectSameModel(Model(), starts[1], "previous turn");
    pick = 11; // AutoSave
    MenuGame(kGameRestore);
    ExpectSameModel(Model(), starts[1], "AutoSave slot");
    svc.boxes->Expect(platform::vbCancel);
    MenuGame(kGameRestart);
    EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("Start this game over from the beginning?"));
    Eng.PlayerSideCount = 0;
    Game_End();
    const QStringList won = Model();
    svc.boxes->script.insert(svc.boxes->script.end(), {vbOK, vbOK});
    KeyCommand(kF4, 0);
    MenuGame(kGameRestore);
    EXPECT_EQ(svc.boxes->shown.back().text, QStringLiteral("No move to restore!"));
    EXPECT_EQ(svc.boxes->shown.size(), 3u);
    ExpectSameModel(Model(), won, "after the win");
}

// A game that comes back after its end is one game in the record, won or lost: started over (way
// 0), or restored from a slot saved while it ran (1), also once another game was dealt (2). A slot
// written before games carried an identity (zeros where it lies) holds a game not yet recorded.
TEST_F(MenuKeysTest, AGameThatComesBackAfterItsEndIsRecordedOnce) {
    Opponent_Install();
    TempMoves_Open(true);
    const GameEndHooksT kept = GameEndHooks;
    ProfileScores record;
    GameEndHooks.Scores_Read = [&](ProfileScores& r) { return (r = record, true); };
    GameEndHooks.Scores_Write = [&](const ProfileScores& r) { return (record = r, true); };
    GameEndHooks.GameRecorded = [](std::int32_t id) { SavedGames_MarkRecorded(id); };
    for (const int way : {0, 1, 2, 3})
        for (const bool won : {true, false}) {
            platform::Svc().random.Randomize(4);
            Com.Pturn = 0;
            Game_New();
            pick = 3;
            MenuGame(kGameSave);
            for (int slot = 3; way == 3 && slot <= 3 + kSlotStartOffset; slot += kSlotStartOffset) {
                QByteArray bytes = SavedGameFile().Read(slot).Bytes();
                ASSERT_TRUE(SavedGameFile().Write(
                    slot, platform::RecordBuf(bytes.replace(26, 8, QByteArray(8, '\0')))));
            }
            if (way == 3) MenuGame(kGameRestore); // the old slot's game, not yet recorded
            record = ProfileScores{};
            for (int round = 0; round < 3; ++round) {
                (won ? Eng.PlayerSideCount : Eng.SeatSideCount) = 0;
                Game_End();
                EXPECT_EQ(record.Games(0), 1) << way << won << round;
                EXPECT_EQ(record.Wins(0), won ? 1 : 0) << way << won << round;
                if (way == 2) Com.Pturn = 0, Game_New();
                if (way == 0) svc.boxes->Expect(vbOK);
                MenuGame(way == 0 ? kGameRestart : kGameRestore);
                ASSERT_GT(Eng.PlayerSideCount, 0) << "back on the table";
            }
        }
    GameEndHooks = kept;
}

TEST_F(MenuKeysTest, ClickOrDealAfterTheCardFlowStartedLetsKeysThroughAgain) {
    MenuCommands_Install();
    Hooks.KeyArm(false); // as the flow does when it starts
    Form_MouseDown();
    EXPECT_TRUE(Keys.KeyArmed);
    Hooks.KeyArm(false);
    Com.FlowRunning = true;
    cmdDeal_Click();
    EXPECT_TRUE(Keys.KeyArmed);
    EXPECT_TRUE(Com.DealAfterFlow);
    Com.FlowRunning = Com.FlowStop = Com.DealAfterFlow = false;
}

TEST_F(MenuKeysTest, InternetMenuHoldsOnlyTheConnectionRowsUntilAGameIsJoined) {
    for (int net : {0, 99}) {
        Com.NetGame = net;
        Com.NetHost = 1;
        EXPECT_EQ(Menu_Rows(3).size(), 3) << net;
    }
    EXPECT_TRUE(Menu_Rows(3)[0].startsWith("Host - END Internet Game"));
    Com.NetGame = 1;
    EXPECT_EQ(Menu_Rows(3).size(), kNetNew + 1);
    // The players and host rows reach the opponents set-up, not the connection window.
    std::vector<int> calls;
    MenuWin.Opponents = [&] { calls.push_back(kNetPlayers); };
    MenuWin.HostRules = [&] { calls.push_back(kNetHost); };
    MenuWin.Internet = [&] { calls.push_back(kNetStart); };
    for (int row : {kNetStart, kNetPlayers, kNetHost})
        MenuInternet(row);
    EXPECT_EQ(calls, (std::vector<int>{kNetStart, kNetPlayers, kNetHost}));
}

TEST_F(MenuKeysTest, WebLinkChoiceIsReadOnceAndOnlyRealEntriesOpenAPage) {
    EXPECT_TRUE(Menu_WebLink(0).isEmpty());
    EXPECT_TRUE(Menu_WebLink(4).isEmpty());
    QStringList pages;
    for (int i = 1; i <= 3; ++i)
        pages << Menu_WebLink(i);
    pages.removeDuplicates();
    EXPECT_EQ(pages.size(), 3);
    EXPECT_TRUE(Menu_RowAvailable(kMenuHelp, kHelpWeb));
    // A popup left without a choice runs nothing and leaves no choice behind.
    Tbl.MenuNumber = kMenuHelp;
    Tbl.MenuItem = kHelpWeb;
    MenuDispatch();
    EXPECT_EQ(Menu.WebLinkItem, 0);
    EXPECT_TRUE(svc.boxes->shown.empty());
}

} // namespace

namespace {

// The panel's list as a player meets it: it opens at once beside a running game, lights
// the row under the pointer, and closes on Esc, on a press elsewhere or when the pointer
// leaves the panel, while the other windows keep taking their clicks.
class MenuListTest : public MenuKeysTest {
  protected:
    void SetUp() override {
        MenuKeysTest::SetUp();
        MenuList_Install();
        Panel_Install(frmGrulm());
        PanelHooks.MenuDispatch = [this] { chosen.push_back({Tbl.MenuNumber, Tbl.MenuItem}); };
        frmGrulm().KeyDown = [](int key, int shift) { KeyCommand(key, shift); };
        frmGrulm().Show();
    }
    void TearDown() override {
        Panel_Close();
        MenuKeysTest::TearDown();
    }
    // Opens the Options list by a press on its icon.
    QWidget* Open() {
        frmGrulm().picPanel.SetVisible(true);
        QTest::mouseClick(frmGrulm().picPanel.Widget(), Qt::LeftButton, {}, QPoint(250, 40));
        return MenuList_Window();
    }
    static QPoint AtRow(int row) { return {40, MenuList_RowTop(row) + 3}; }
    // The pointer passing over the list with no button held.
    static void Hover(QWidget* list, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, list->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(list, &move);
    }
    std::vector<std::pair<int, int>> chosen;
};

TEST_F(MenuListTest, EscAPressThatStillReachesItsWindowOrLeavingThePanelCloseTheListAndOnlyARowChooses) {
    QPushButton other(QStringLiteral("Next >"));
    int clicks = 0;
    QObject::connect(&other, &QPushButton::clicked, [&] { ++clicks; });
    other.show();
    const std::pair<const char*, std::function<void()>> closers[] = {
        {"a press on the table",
         [] { QTest::mouseClick(frmGrulm().Window(), Qt::LeftButton, {}, QPoint(400, 450)); }},
        {"a press on another window", [&] { QTest::mouseClick(&other, Qt::LeftButton); }},
        {"leaving at the left", [] { picPanel_MouseMove(5, 40); }},
        {"leaving above", [] { picPanel_MouseMove(300, 20); }},
        {"Esc", [] { QTest::keyClick(frmGrulm().Window(), Qt::Key_Escape); }},
    };
    for (const auto& [what, close] : closers) {
        QWidget* list = Open();
        ASSERT_TRUE(Tbl.MenuListShown) << "the press returned with the list open";
        close();
        EXPECT_FALSE(list->isVisible()) << what;
        EXPECT_FALSE(Tbl.MenuListShown) << what;
    }
    EXPECT_FALSE(frmGrulm().picPanel.Visible()) << "Esc";
    EXPECT_EQ(clicks, 1) << "the other window takes its click as well";
    // Along the icon row it stays; a row lights under the pointer, a separator keeps it open.
    QWidget* list = Open();
    picPanel_MouseMove(300, 40);
    EXPECT_TRUE(list->isVisible());
    Hover(list, AtRow(kOptRules));
    EXPECT_EQ(MenuList_Hovered(), kOptRules);
    Hover(list, AtRow(kOptRules - 1)); // the separator above Rules
    EXPECT_EQ(MenuList_Hovered(), -1);
    QTest::mouseClick(list, Qt::LeftButton, {}, AtRow(kOptRules - 1));
    EXPECT_TRUE(list->isVisible());
    QTest::mouseClick(list, Qt::LeftButton, {}, AtRow(kOptRules));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(chosen, (std::vector<std::pair<int, int>>{{kMenuOptions, kOptRules}}));
    EXPECT_EQ(Tbl.MenuNumber, 0) << "reset once the command ran";
    EXPECT_FALSE(frmGrulm().picPanel.Visible()) << "not left over the table once its window closes";
}

TEST_F(MenuListTest, ShortcutsStandInOneColumnPastEveryCaption) {
    Com.NetGame = 1;
    Com.NetHost = 1; // the Internet menu with all its rows
    for (int menu = kMenuGame; menu <= kMenuHelp; ++menu) {
        ASSERT_TRUE(PanelHooks.Menu_Open(menu, 0, 0));
        QWidget* list = MenuList_Window();
        const QFontMetrics fm(list->font());
        int shortcuts = 0;
        for (const QString& row : Menu_Rows(menu)) {
            const QString caption = row.section('\t', 0, 0), key = row.section('\t', 1);
            if (key.isEmpty()) {
                EXPECT_LE(fm.horizontalAdvance(caption), list->width()) << caption.toStdString();
                continue;
            }
            ++shortcuts;
            EXPECT_LT(fm.horizontalAdvance(caption), MenuList_ShortcutColumn()) << caption.toStdString();
            EXPECT_LE(MenuList_ShortcutColumn() + fm.horizontalAdvance(key), list->width())
                << key.toStdString();
        }
        EXPECT_GT(shortcuts, 0) << menu;
        PanelHooks.Menu_Close();
    }
}

TEST_F(MenuListTest, OnANarrowWindowThePanelShrinksIconsAndAllAndTheirPressesStillHit) {
    // Narrower than the table laid out allows, as a small screen's window is.
    frmGrulm().Window()->setMinimumSize(0, 0);
    frmGrulm().SetClientSizePx(640, 480);
    imgMenu_MouseMove();
    PictureBox& panel = frmGrulm().picPanel;
    ASSERT_TRUE(panel.Visible());
    EXPECT_LE(panel.WidthPx(), 640);
    int opened = 0;
    PanelHooks.Menu_Open = [&, open = PanelHooks.Menu_Open](int menu, int left, int top) {
        opened = menu;
        return open(menu, left, top);
    };
    // The Help icon's middle, where the shrunk picture shows it.
    QTest::mouseClick(panel.Widget(), Qt::LeftButton, {}, QPoint(575 * 640 / kPanelWidth, 40));
    EXPECT_EQ(opened, kMenuHelp);
    EXPECT_TRUE(MenuList_Window()->isVisible());
}

TEST_F(MenuListTest, TheDisplayPopupOffersOnlyTheEntriesTheTableAllows) {
    // On a screen too small for anything but the small display both entries are held.
    for (const bool allowed : {true, false}) {
        Tbl.DisplayEntryEnabled[0] = Tbl.DisplayEntryEnabled[1] = allowed;
        QWidget* list = Open();
        QTest::mouseClick(list, Qt::LeftButton, {}, AtRow(kOptDisplaySize));
        std::unique_ptr<QMenu> popup(list->findChild<QMenu*>());
        ASSERT_TRUE(popup && popup->actions().size() == 3) << allowed;
        for (int entry = 0; entry < 3; ++entry) // the reset is always offered
            EXPECT_EQ(popup->actions()[entry]->isEnabled(), allowed || entry == 2) << allowed << entry;
        Panel_Close();
    }
    Tbl.DisplayEntryEnabled[0] = Tbl.DisplayEntryEnabled[1] = true;
}

} // namespace
