// Capturing the table into a saved game, the automatic saves, restoring a stored
// game, refused restores, the move history and the restart of the turn.
#include "engine/Stats.h"
#include "table/Status.h"
#include "tests/shell/test_saved_support.h"

#include <QFile>
#include <set>

namespace {

using platform::vbOK;

// Card numbers a restore marks as seen: every card slot, hold pile, center pile and the used pile.
std::set<int> SeenCards() {
    std::set<int> seen;
    auto add = [&](int n) {
        if (n > 0) seen.insert(n);
    };
    for (int s = 1; s <= 10; ++s)
        add(Eng.PlayerCards(0, s));
    for (int p = 1; p <= 4; ++p)
        for (int d = 1; d <= Eng.PlayerHoldCount(p); ++d)
            add(Eng.PlayerHold(0, p, d));
    for (int c = 1; c <= Com.NumCenters; ++c)
        for (int d = 1; d <= Eng.CenterCount(c); ++d)
            add(Eng.Center(0, c, d));
    for (int i = 1; i <= Eng.UsedCount; ++i)
        add(Eng.UsedPile(0, i));
    for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
        const SeatRecord& r = SeatRecordOf(seat);
        for (int s = 1; s <= 10; ++s)
            add(r.RecCards(0, s));
        for (int p = 1; p <= 4; ++p)
            for (int d = 1; d <= r.RecHoldInfo(p, 1); ++d)
                add(r.RecHold(0, p, d));
    }
    return seen;
}

class SavedGamesTest : public SavedTest {};

TEST_F(SavedGamesTest, CaptureAndRestoreGiveBackTheWholeTable) {
    const Position rows[] = {
        {.players = 2, .centers = 3, .pturn = 1, .sideSize = 19, .forced = 0, .noWildAce = false, .seed = 1},
        {.players = 2, .centers = 4, .pturn = 2, .sideSize = 14, .forced = 5, .noWildAce = true, .seed = 2},
        {.players = 3, .centers = 4, .pturn = 3, .sideSize = 25, .forced = 6, .noWildAce = false, .seed = 3},
        {.players = 4, .centers = 4, .pturn = 1, .sideSize = 9, .forced = 7, .noWildAce = true, .seed = 4},
        {.players = 4, .centers = 4, .pturn = 4, .sideSize = 19, .forced = 0, .noWildAce = false, .seed = 5},
    };
    int computerTurns = 0;
    Hooks.ComputerTurn = [&] { ++computerTurns; };
    int slot = 0;
    for (const Position& p : rows) {
        const std::string what = "players " + std::to_string(p.players) + " seat " + std::to_string(p.pturn);
        Put(p);
        const QStringList want = Model();
        const std::set<int> seen = SeenCards();
        SaveAs(++slot);

        Position other = p;
        other.seed += 100;
        other.pturn = 1;
        Put(other);
        computerTurns = 0;
        const double waited = svc.clock->waited;
        Restore(slot);

        EXPECT_FALSE(Sav.DialogCancelled) << what;
        ExpectSameModel(Model(), want, what);
        for (int n = 1; n <= Com.TotalCards; ++n)
            EXPECT_EQ(Eng.Deck(2, n), seen.count(n) ? 1 : 0) << what << " card " << n;
        for (int e = 1; e <= p.players; ++e)
            EXPECT_EQ(Eng.TurnOrder(e), (p.pturn + e - 2) % p.players + 1) << what;
        EXPECT_EQ(Eng.TurnPos, 1);
        EXPECT_TRUE(Sav.DealtThisRun);
        if (p.pturn == 1) {
            EXPECT_EQ(form->Label9(1).Caption(), "It's still your turn.") << what;
            EXPECT_EQ(computerTurns, 0) << what;
            for (int s = 1; s <= 10; ++s)
                EXPECT_EQ(form->Picture7(s).Enabled(), Eng.PlayerCards(0, s) != 0) << what << " place " << s;
        } else {
            EXPECT_EQ(form->Label9(1).Caption(), "It's NOT your turn.") << what;
            EXPECT_EQ(computerTurns, 1) << what;
            EXPECT_GE(svc.clock->waited - waited, 1.5) << what;
            // The seat on turn is in the working set.
            EXPECT_EQ(Eng.SeatSideCount, SeatRecordOf(p.pturn).RecSideCount) << what;
        }
    }
}

TEST_F(SavedGamesTest, ACaptureCarriesNothingOfSeatsThatDoNotPlayNorOfCardsThatLeftAPile) {
    for (int players : {2, 3}) {
        Put({.players = players, .centers = 4, .seed = 11});
        // What an earlier, larger game and spent cards leave in memory.
        for (int seat = players + 1; seat <= 4; ++seat) {
            SeatRecord& r = SeatRecordOf(seat);
            r.RecSideCount = 12;
            r.RecSideStack = 70;
            r.RecSide(0, 3) = 77;
            r.RecCards(0, 4) = 78;
            r.RecHold(0, 2, 1) = 79;
            r.RecHoldInfo(2, 1) = 1;
            r.RecHoldInfo(2, 2) = 2;
            r.RecWildsFromHand = 5;
            r.RecWildsFromSide = 6;
        }
        Eng.Deck(0, Eng.DeckCount + 1) = 90;
        Eng.UsedPile(0, Eng.UsedCount + 1) = 91;
        Eng.PlayerSide(0, Eng.PlayerSideCount + 1) = 92;
        Eng.PlayerHold(0, 2, Eng.PlayerHoldCount(2) + 1) = 93;
        Eng.Seat2Rec.RecSide(0, Eng.Seat2Rec.RecSideCount + 1) = 94;
        Eng.Seat2Rec.RecHold(0, 1, Eng.Seat2Rec.RecHoldInfo(1, 1) + 1) = 95;
        Eng.Center(0, 1, Eng.CenterCount(1) + 1) = 96;

        Game_Capture();
        const SavedGame& g = Sav.Buffer;
        const QByteArray b = g.Encode().Bytes();
        const std::string what = std::to_string(players) + " players";
        EXPECT_EQ(b.mid(26, 840), QByteArray(840, '\0')) << what;
        EXPECT_EQ(b.mid(5908, 30), QByteArray(30, '\0')) << what;
        for (int seat = players + 1; seat <= 4; ++seat) {
            EXPECT_EQ(g.Side(seat), SavedGame{}.Side(seat)) << what << " seat " << seat;
            EXPECT_EQ(g.Cards(seat), SavedGame{}.Cards(seat)) << what << " seat " << seat;
            EXPECT_EQ(g.SideCounts(seat - 2) + g.SideStacks(seat - 2), 0) << what;
            for (int p = 0; p <= 4; ++p) {
                EXPECT_EQ(g.HoldDepth(seat - 2, p) + g.HoldType(seat - 2, p), 0) << what;
                for (int d = 0; d <= 30; ++d)
                    EXPECT_EQ(g.OppHold(seat - 2, p, d) | g.OppHold(seat + 1, p, d), 0) << what;
            }
            EXPECT_EQ(g.PlayerHold(1, 0, 2 * seat - 1) | g.PlayerHold(1, 0, 2 * seat), 0) << what;
        }
        EXPECT_EQ(g.Deck(0, g.DeckCount + 1), 0) << what;
        EXPECT_EQ(g.Used(0, g.UsedCount + 1), 0) << what;
        EXPECT_EQ(g.PlayerSide(0, g.PlayerSideCount + 1), 0) << what;
        EXPECT_EQ(g.PlayerHold(0, 2, g.PlayerHoldCount(2) + 1), 0) << what;
        EXPECT_EQ(g.Seat2Side(0, g.SideCounts(0) + 1), 0) << what;
        EXPECT_EQ(g.OppHold(0, 1, g.HoldDepth(0, 1) + 1), 0) << what;
        EXPECT_EQ(g.Center(0, 1, g.CenterCount(1) + 1), 0) << what;
    }
}

TEST_F(SavedGamesTest, ARestoreLeavesNoStaleCardsAboveAPilesDepth) {
    Put({.players = 2, .centers = 3, .seed = 12});
    const QStringList want = Model();
    Game_Capture();
    SavedGame g = Sav.Buffer;
    g.Used(0, g.UsedCount + 1) = 50;
    g.Used(1, g.UsedCount + 1) = RankOf(50);
    g.OppHold(0, 1, g.HoldDepth(0, 1) + 1) = 51;
    g.Seat2Side(0, g.SideCounts(0) + 1) = 52;
    ASSERT_TRUE(SavedGameFile().Write(6, g.Encode()));
    Put({.players = 2, .centers = 3, .seed = 13});
    Restore(6);
    ExpectSameModel(Model(), want, "stale cards in the record");
    EXPECT_EQ(Eng.Deck(2, 50) + Eng.Deck(2, 51), SeenCards().count(50) + SeenCards().count(51));
}

TEST_F(SavedGamesTest, ASeatsHoldPileOf31KeepsItsTopThroughTheFile) {
    Put({.players = 2, .centers = 3, .seed = 14});
    SeatRecord& r = Eng.Seat2Rec;
    for (int d = 1; d <= 31; ++d) {
        r.RecHold(0, 3, d) = d + 60;
        r.RecHold(1, 3, d) = RankOf(d + 60);
    }
    r.RecHoldInfo(3, 1) = 31;
    r.RecCards(0, 9) = r.RecHold(0, 3, 31);
    r.RecCards(1, 9) = r.RecHold(1, 3, 31);
    const QStringList want = Model();
    SaveAs(2);
    const SavedGame g = Stored(2);
    EXPECT_EQ(g.HoldDepth(0, 3), 31);
    EXPECT_EQ(g.OppHold(0, 3, 30), 90);
    EXPECT_EQ(g.PlayerHold, Sav.Buffer.PlayerHold);

    Put({.players = 2, .centers = 3, .seed = 15});
    Restore(2);
    EXPECT_FALSE(Sav.DialogCancelled);
    ExpectSameModel(Model(), want, "31 cards");
    EXPECT_EQ(Eng.Seat2Rec.RecHold(0, 3, 31), 91);
}

TEST_F(SavedGamesTest, AutomaticSavesRotateOverRecords11To14) {
    Put({.players = 3, .centers = 4, .seed = 16});
    Eng.HandCount = 5;
    Eng.TurnCount = 0;
    Game_AutoSave();
    const QByteArray deal = Stored(13).Encode().Bytes();
    EXPECT_EQ(Stored(13).Name, "AutoSave");
    EXPECT_EQ(Stored(13).HandCount, 5);
    for (int rec : {11, 12, 14})
        EXPECT_EQ(Stored(rec).Encode().Bytes(), deal) << rec;

    struct Turn {
        int count, slot, other, otherHand;
    } turns[] = {{1, 12, 11, 5}, {2, 11, 12, 1}, {3, 12, 11, 2}};
    for (const Turn& t : turns) {
        Eng.TurnCount = t.count;
        Eng.HandCount = t.count;
        Game_AutoSave();
        EXPECT_EQ(Sav.SaveSlot, t.slot) << "turn " << t.count;
        EXPECT_EQ(Stored(t.slot).HandCount, t.count) << "turn " << t.count;
        EXPECT_EQ(Stored(14).Encode().Bytes(), Stored(t.slot).Encode().Bytes()) << "turn " << t.count;
        EXPECT_EQ(Stored(t.other).HandCount, t.otherHand) << "turn " << t.count;
        EXPECT_EQ(Stored(13).Encode().Bytes(), deal) << "turn " << t.count;
    }
}

TEST_F(SavedGamesTest, AStoredSideSizeOfZeroRestoresAs19) {
    Put({.players = 2, .centers = 3, .sideSize = 19, .seed = 17});
    Game_Capture();
    Sav.Buffer.SideSize = 0;
    ASSERT_TRUE(SavedGameFile().Write(4, Sav.Buffer.Encode()));
    Put({.players = 2, .centers = 3, .sideSize = 9, .seed = 18});
    Restore(4);
    EXPECT_FALSE(Sav.DialogCancelled);
    EXPECT_EQ(Com.SideSize, 19);
}

TEST_F(SavedGamesTest, AFourPlayerGameRestoredOverTwoPlayersReLaysTheTableFirst) {
    Put({.players = 4, .centers = 4, .pturn = 1, .seed = 19});
    const QRectF seat4Hold = Rect(form->Picture3(8)), fourth = Rect(form->PicCenter(4));
    const QStringList want = Model();
    SaveAs(5);
    Put({.players = 2, .centers = 3, .seed = 20});
    ASSERT_EQ(Eng.Deck.UBound(2), 104);

    Restore(5);
    EXPECT_EQ(Com.PrevPlayers, 2);
    EXPECT_EQ(Com.PrevCenters, 3);
    EXPECT_EQ(Eng.Deck.UBound(2), 208);
    EXPECT_TRUE(Tbl.Seat3Loaded && Tbl.Seat4Loaded && Tbl.FourthCenterLoaded);
    ExpectSameModel(Model(), want, "four players");
    EXPECT_EQ(Rect(form->Picture3(8)), seat4Hold);
    EXPECT_EQ(Rect(form->PicCenter(4)), fourth);
    EXPECT_TRUE(form->PicCenter(4).Visible());
}

TEST_F(SavedGamesTest, AnEmptyOrDamagedSlotIsRefusedAndTheTableStays) {
    using Damage = std::function<void(SavedGame&)>;
    struct Row {
        const char* what;
        Damage damage;
    } rows[] = {
        {"all zero", [](SavedGame& g) { g = SavedGame{}; }},
        {"no one on turn", [](SavedGame& g) { g.Pturn = 0; }},
        {"five players", [](SavedGame& g) { g.NumPlayers = 5; }},
        {"one player", [](SavedGame& g) { g.NumPlayers = 1; }},
        {"three players at three centers", [](SavedGame& g) { g.NumPlayers = 3; }},
        {"five centers", [](SavedGame& g) { g.NumCenters = 5; }},
        {"an absent seat on turn", [](SavedGame& g) { g.Pturn = 3; }},
        {"side size 30", [](SavedGame& g) { g.SideSize = 30; }},
        {"forced cards 8", [](SavedGame& g) { g.ForcedCards = 8; }},
        {"a stock past the cards", [](SavedGame& g) { g.DeckCount = 105; }},
        {"stock and used past the cards", [](SavedGame& g) { g.DeckCount = 93; }},
        {"a negative used count", [](SavedGame& g) { g.UsedCount = -1; }},
        {"a hand of six", [](SavedGame& g) { g.HandCount = 6; }},
        {"a side pile past its size", [](SavedGame& g) { g.PlayerSideCount = 21; }},
        {"a seat's side count", [](SavedGame& g) { g.SideCounts(0) = 27; }},
        {"a seat's side stack", [](SavedGame& g) { g.SideStacks(0) = 10; }},
        {"the human's side stack", [](SavedGame& g) { g.PlayerSideStack = 26; }},
        {"a hold pile of 31 covered cards", [](SavedGame& g) { g.PlayerHoldCount(2) = 31; }},
        {"a seat's pile of 32", [](SavedGame& g) { g.HoldDepth(0, 1) = 32; }},
        {"a negative depth", [](SavedGame& g) { g.HoldDepth(0, 3) = -1; }},
        {"hold type 3", [](SavedGame& g) { g.HoldType(0, 1) = 3; }},
        {"a center count of 13", [](SavedGame& g) { g.CenterCount(2) = 13; }},
        {"a card past the cards", [](SavedGame& g) { g.Deck(0, 1) = 105; }},
        {"a negative card in a slot", [](SavedGame& g) { g.PlayerCards(0, 3) = -4; }},
        {"no card on a center pile", [](SavedGame& g) { g.Center(0, 1, 1) = 0; }},
        {"rank 14", [](SavedGame& g) { g.Seat2Cards(1, 2) = 14; }},
        {"a negative rank", [](SavedGame& g) { g.Used(1, 1) = -1; }},
    };
    Put({.players = 2, .centers = 3, .seed = 1});
    ASSERT_GE(Eng.CenterCount(1), 1);
    SaveAs(7);
    const SavedGame good = Stored(7);
    Put({.players = 2, .centers = 4, .pturn = 1, .sideSize = 14, .forced = 5, .noWildAce = true, .seed = 21});
    const QStringList before = Model();
    form->Label9(1).SetCaption("before");
    form->StatusBar1.Panels(2).Text = "kept";

    for (const Row& r : rows) {
        SavedGame g = good;
        r.damage(g);
        ASSERT_TRUE(SavedGameFile().Write(8, g.Encode()));
        svc.boxes->shown.clear();
        svc.sound->played.clear();
        svc.boxes->Expect(vbOK);
        Restore(8);
        ASSERT_EQ(svc.boxes->shown.size(), 1u) << r.what;
        EXPECT_EQ(svc.boxes->shown[0].text, "This saved game is empty or damaged.") << r.what;
        EXPECT_EQ(svc.boxes->shown[0].title, "Restore") << r.what;
        EXPECT_TRUE(Sav.DialogCancelled) << r.what;
        ExpectSameModel(Model(), before, r.what);
        EXPECT_EQ(form->Label9(1).Caption(), "before") << r.what;
        EXPECT_EQ(form->StatusBar1.Panels(2).Text, "kept") << r.what;
        EXPECT_TRUE(svc.sound->played.isEmpty()) << r.what;
        EXPECT_FALSE(Stored(11).HoldsGame() || Stored(12).HoldsGame()) << r.what;
    }
    // A slot past the end of the file is empty too.
    svc.boxes->Expect(vbOK);
    Restore(10);
    EXPECT_TRUE(Sav.DialogCancelled);
    ExpectSameModel(Model(), before, "never written");
}

TEST_F(SavedGamesTest, ARefusedNetworkRestoreChangesNothing) {
    struct Row {
        const char* peer;
        int players, centers;
        const char *title, *text;
    } rows[] = {
        {"80", 3, 4, "Saved Game for 3 players",
         "You don't have enough players to play this saved game.\r\n"
         "Connect to all players first, then Send the Saved game."},
        {"60", 2, 4, "Saved Game for 2 players and 4 centers",
         "This saved game uses features that your opponent's program does not support."},
        {"40", 2, 3, "Unable to send a saved game.",
         "Your opponent's program is not compatible with saved games."},
    };
    int slot = 0;
    for (const Row& r : rows) {
        Put({.players = r.players,
             .centers = r.centers,
             .sideSize = 25,
             .forced = 7,
             .noWildAce = true,
             .seed = 3});
        SaveAs(++slot);
    }
    Put({.players = 2,
         .centers = 3,
         .pturn = 1,
         .sideSize = 14,
         .forced = 5,
         .noWildAce = false,
         .seed = 22});
    const QStringList before = Model();
    Com.NetGame = 1;
    slot = 0;
    for (const Row& r : rows) {
        Com.PeerVersion = r.peer;
        svc.boxes->shown.clear();
        svc.boxes->Expect(vbOK);
        Restore(++slot);
        ASSERT_EQ(svc.boxes->shown.size(), 1u) << r.peer;
        EXPECT_EQ(svc.boxes->shown[0].title, r.title);
        EXPECT_EQ(svc.boxes->shown[0].text, r.text);
        EXPECT_EQ(svc.boxes->shown[0].style, platform::vbCritical);
        EXPECT_TRUE(Sav.DialogCancelled);
        ExpectSameModel(Model(), before, r.peer);
        EXPECT_EQ(Com.PrevPlayers, 2) << r.peer;
    }
    // A game that fits the connection is restored.
    Com.PeerVersion = "80";
    Put({.players = 2, .centers = 4, .seed = 23});
    const QStringList fits = Model();
    SaveAs(9);
    Put({.players = 2, .centers = 3, .seed = 24});
    Restore(9);
    EXPECT_FALSE(Sav.DialogCancelled);
    ExpectSameModel(Model(), fits, "fitting game");
}

TEST_F(SavedGamesTest, NoRestoreWhileAComputerTurnRuns) {
    Put({.players = 3, .centers = 4, .seed = 25});
    SaveAs(3);
    Put({.players = 3, .centers = 4, .pturn = 2, .seed = 26});
    const QStringList before = Model();
    Eng.CompTurnActive = true;
    Restore(3);
    EXPECT_TRUE(Sav.DialogCancelled);
    ExpectSameModel(Model(), before, "computer turn");
    EXPECT_TRUE(svc.sound->played.isEmpty());
    EXPECT_FALSE(Stored(11).HoldsGame());
}

TEST_F(SavedGamesTest, ARestoreAnnouncesItselfAndRefreshesTheAutomaticSaves) {
    struct Row {
        const char* what;
        int soundMode;
        bool tutorial, restart;
        const char* sound; // "" none
        bool autosaves;
    } rows[] = {
        {"a chosen game", 0, false, false, "~121.tmp", true},
        {"the restart of the turn", 0, false, true, "~117.tmp", false},
        {"sounds off", 2, false, false, "", true},
        {"the tutorial", 0, true, false, "", true},
    };
    for (const Row& r : rows) {
        SavedGameFile().Close();
        QFile::remove(Com.DataPath + "backup.sav");
        ASSERT_TRUE(SavedGameFile().Open(Com.DataPath + "backup.sav", SavedGame::kSize));
        Put({.players = 2, .centers = 3, .seed = 27});
        SaveAs(12, "restart point");
        Put({.players = 2, .centers = 3, .seed = 28});
        svc.sound->played.clear();
        form->StatusBar1.Panels(2).Text = "kept";
        Com.SoundMode = r.soundMode;
        Com.TutorialMode = r.tutorial;
        Com.RestartingTurn = r.restart;
        Restore(12);
        Com.RestartingTurn = false;
        const QStringList want = r.sound[0] ? QStringList{Com.DataPath + r.sound} : QStringList{};
        EXPECT_EQ(svc.sound->played, want) << r.what;
        EXPECT_EQ(Stored(11).HoldsGame(), r.autosaves) << r.what;
        EXPECT_EQ(Stored(12).Name, "restart point") << r.what;
        EXPECT_EQ(form->StatusBar1.Panels(2).Text.isEmpty(), !r.restart) << r.what;
    }
}

TEST_F(SavedGamesTest, TheMoveHistoryOpensClosesAndStartsAgainWithARestoredGame) {
    Com.MoveCounter = 4;
    Eng.TurnCount = 3;
    TempMoves_Open(true);
    EXPECT_TRUE(Shl.MoveLogOn);
    EXPECT_TRUE(Hooks.MoveLogOn());
    EXPECT_TRUE(QFile::exists(Com.DataPath + "~tempmoves.sav"));

    Put({.players = 2, .centers = 3, .seed = 29});
    const QStringList want = Model();
    SaveAs(1);
    Put({.players = 2, .centers = 3, .seed = 30});
    Restore(1);
    EXPECT_EQ(Com.MoveCounter, 1);
    const SavedGame first = SavedGame_Read(MoveHistoryFile(), 1);
    EXPECT_TRUE(first.HoldsGame());
    Game_Capture();
    EXPECT_EQ(first.Encode().Bytes(), Sav.Buffer.Encode().Bytes());

    // The game flow writes the captured game as record n of the history.
    Hooks.Game_Capture();
    Hooks.MoveHistory_Write(2);
    EXPECT_EQ(MoveHistoryFile().RecordCount(), 2);

    ProfHooks.TempMovesOpen(false);
    EXPECT_FALSE(Shl.MoveLogOn);
    EXPECT_FALSE(MoveHistoryFile().IsOpen());
    EXPECT_EQ(Eng.TurnCount, 0);
    ExpectSameModel(Model(), want, "after closing");
}

TEST_F(SavedGamesTest, RestartOfTheTurnIsRefusedWithItsReason) {
    struct Row {
        int netGame;
        bool moveLog, keepSide;
        const char* text;
    } rows[] = {
        {1, true, true, "Restart turn cannot be used during an Internet game"},
        {0, false, true,
         "The AutoSave box from the Game Menu, Restore Game option,\r\nmust be checked to use this option."},
        {0, true, false, "Huh? No turn to restart! (?)"},
    };
    Put({.players = 2, .centers = 3, .seed = 31});
    const QStringList before = Model();
    for (const Row& r : rows) {
        if (r.moveLog)
            TempMoves_Open(true);
        else
            TempMoves_Open(false);
        Com.NetGame = r.netGame;
        Com.KeepSidePicture = r.keepSide;
        Com.RestartingTurn = true;
        svc.boxes->shown.clear();
        svc.boxes->Expect(vbOK);
        RestartTurn();
        ASSERT_EQ(svc.boxes->shown.size(), 1u) << r.text;
        EXPECT_EQ(svc.boxes->shown[0].text, r.text);
        EXPECT_EQ(svc.boxes->shown[0].title, "Restart Turn");
        EXPECT_FALSE(Com.RestartingTurn) << r.text;
        ExpectSameModel(Model(), before, r.text);
    }
}

TEST_F(SavedGamesTest, RestartOfTheTurnGoesBackToTheTurnsAutomaticSave) {
    for (int turn : {1, 2}) {
        TempMoves_Open(true);
        Com.KeepSidePicture = true;
        Put({.players = 3, .centers = 4, .seed = static_cast<unsigned>(40 + turn)});
        const QStringList start = Model();
        Eng.TurnCount = turn;
        Game_AutoSave();
        SaveAs(turn % 2 ? 11 : 12, "the other turn");

        Put({.players = 3, .centers = 4, .seed = 50});
        Com.MoveCounter = 4;
        Com.RestartingTurn = true;
        RestartTurn();
        const std::string what = "turn " + std::to_string(turn);
        ExpectSameModel(Model(), start, what);
        EXPECT_FALSE(Com.RestartingTurn);
        EXPECT_TRUE(Sav.TurnRestarted);
        EXPECT_EQ(Com.MoveCounter, 1);
        EXPECT_EQ(Stored(turn % 2 ? 11 : 12).Name, "the other turn") << what;
        Game_Capture();
        EXPECT_EQ(SavedGame_Read(MoveHistoryFile(), 1).Encode().Bytes(), Sav.Buffer.Encode().Bytes()) << what;
    }
}

TEST_F(SavedGamesTest, TheUndoPanelTakesBackOnePlayFromTheMoveHistory) {
    TempMoves_Open(true);
    Com.KeepSidePicture = true;
    QStringList positions[4];
    for (int n = 1; n <= 3; ++n) {
        Put({.players = 2, .centers = 3, .seed = static_cast<unsigned>(60 + n)});
        positions[n] = Model();
        Hooks.Game_Capture();
        Hooks.MoveHistory_Write(n);
    }
    Com.Pturn = 1;
    Com.MoveCounter = 3;
    StatsAdd(1, kStatsHumanTurn); // the two plays: the side card, then a hand card
    StatsAdd(3, kStatsHumanTurn);
    StatusBar1_PanelClick(9);
    ExpectSameModel(Model(), positions[2], "one play back");
    EXPECT_EQ(Com.MoveCounter, 2);
    EXPECT_FALSE(Com.UndoRequested);
    EXPECT_EQ(form->StatusBar1.Panels(2).Text, " 1- 0- 0- [ 1 ]");
    // The history keeps its records, and the automatic saves the starts of the turns.
    EXPECT_EQ(MoveHistoryFile().RecordCount(), 3);
    EXPECT_FALSE(Stored(11).HoldsGame());
    EXPECT_FALSE(Stored(12).HoldsGame());

    StatusBar1_PanelClick(9);
    ExpectSameModel(Model(), positions[1], "two plays back");
    EXPECT_EQ(Com.MoveCounter, 1);
    EXPECT_EQ(form->StatusBar1.Panels(2).Text, " 0- 0- 0- [ 0 ]");
    // At the start of the turn there is nothing to take back.
    Com.UndoRequested = true;
    RestartTurn();
    EXPECT_FALSE(Com.UndoRequested);
    ExpectSameModel(Model(), positions[1], "nothing to take back");
}

} // namespace
