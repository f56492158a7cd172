#include "engine/GameEnd.h"
#include "engine/Stats.h"
#include "tests/engine/test_deal_support.h"

namespace {

class GameEndTest : public DealTest {
  protected:
    void SetUp() override {
        DealTest::SetUp();
        Score_Reset();
        GameEndHooks = GameEndHooksT{};
        GameEndHooks.Scores_Read = [this](ProfileScores& out) {
            out = stored;
            return true;
        };
        GameEndHooks.Scores_Write = [this](const ProfileScores& in) {
            stored = in;
            return true;
        };
        GameEndHooks.AnimateCardsFlow = [this](int mode) { flows.push_back(mode); };
        GameEndHooks.Flash = [this](int index, const GameOnTable& mine) {
            return flashes.push_back(index), mine.Answer();
        };
        Eng.SeatName = "Grulm";
        for (int i = 13; i <= 15; ++i)
            for (int seat = 2; seat <= 4; ++seat)
                SeatRecordOf(seat).RecSounds(i) = QString("snd%1").arg(i);
    }
    void TearDown() override {
        GameEndHooks = GameEndHooksT{};
        DealTest::TearDown();
    }
    // Side piles left: the human's and seats 2 to 4 (the working set holds seat `onTurn`).
    void Sides(int human, int s2, int s3 = 0, int s4 = 0, int onTurn = 2) {
        Eng.PlayerSideCount = human;
        Eng.Seat2Rec.RecSideCount = s2;
        Eng.Seat3Rec.RecSideCount = s3;
        Eng.Seat4Rec.RecSideCount = s4;
        Com.Pturn = human == 0 ? 1 : onTurn;
        SeatRecord_Copy(SeatRecordOf(onTurn), false);
    }
    ProfileScores stored;
    std::vector<int> flows, flashes;
};

TEST_F(GameEndTest, TheHumansWinIsToldByMarginAndTableSize) {
    Sides(0, 1);
    EXPECT_EQ(GameEnd_HumanWonText(1).toStdString(),
              "That was your LAST CARD! OK, so you won!!!  You beat Grulm by one card! I DEMAND a rematch!");
    Sides(0, 5);
    EXPECT_EQ(
        GameEnd_HumanWonText(5).toStdString(),
        "That was your LAST CARD! OK, so you won!!!  Whew, that was close!\r\n(Grulm had 5 cards left.)");
    Sides(0, 8);
    EXPECT_EQ(GameEnd_HumanWonText(8).toStdString(),
              "That was your LAST CARD! OK, so you won!!!  \r\n(Grulm had 8 cards left.)");
    Table(3);
    Sides(0, 7, 4);
    EXPECT_EQ(GameEnd_HumanWonText(11).toStdString(),
              "That was your LAST CARD! OK, so you won!!!  Grulm needs more memory...\r\n"
              "(Your opponents had 11 cards left.)");
    // Online nobody teases.
    Com.NetGame = 2;
    EXPECT_EQ(GameEnd_HumanWonText(11).toStdString(),
              "That was your LAST CARD! OK, so you won!!!  \r\n(Your opponents had 11 cards left.)");
    Sides(0, 1, 3);
    EXPECT_EQ(GameEnd_HumanWonText(4).toStdString(),
              "That was your LAST CARD! OK, so you won!!!  You beat Grulm by one card!");
}

TEST_F(GameEndTest, ASeatsWinIsToldByTheHumansCardsLeft) {
    Sides(1, 0);
    EXPECT_EQ(
        GameEnd_SeatWonText("Torvek", 1).toStdString(),
        "That was the last card, Torvek WON with a margin of  1 ! You ONLY had 1 card left! That was CLOSE!");
    Sides(5, 0);
    EXPECT_EQ(GameEnd_SeatWonText("Torvek", 5).toStdString(),
              "That was the last card, Torvek WON with a margin of  5 ! That was pretty close!\r\nYou had 5 "
              "cards left!");
    Sides(11, 0);
    EXPECT_EQ(GameEnd_SeatWonText("Torvek", 11).toStdString(),
              "That was the last card, Torvek WON with a margin of  11 ! \r\nYou had 11 cards left!");
    Sides(12, 0);
    Com.NetGame = 1;
    EXPECT_EQ(GameEnd_SeatWonText("Torvek", 12).toStdString(),
              "That was the last card, Torvek WON with a margin of  12 ! \r\nYou had 12 cards left!");
}

TEST_F(GameEndTest, ALocalWinIsRecordedUnderThreeKindsAndEndsFree) {
    Eng.Seat2Rec.RecLevel = 1;
    Sides(0, 7);
    Eng.StatsTable(1, 0) = 3; // the last turn played three side cards
    Eng.StatsTable(1, 3) = 3;
    Com.PlayerName = "Ann";
    stored.Margin(0) = 10;
    bool shutWhileShown = false;
    GameEndHooks.Peek = [&] { shutWhileShown = Com.ShowBusy; };
    int fits = 0;
    GameEndHooks.Notice_Fit = [&] { ++fits; };
    Game_End();
    EXPECT_TRUE(shutWhileShown) << "the panel's flag is up while the end is shown";
    EXPECT_EQ(fits, 1) << "the message label is given the notice's room, whatever layout ran last";
    for (int kind : {0, 2, 4}) {
        EXPECT_EQ(stored.Games(kind), 1) << kind;
        EXPECT_EQ(stored.Wins(kind), 1) << kind;
    }
    EXPECT_EQ(stored.Games(1) + stored.Games(3) + stored.Games(5) + stored.Games(6), 0);
    EXPECT_EQ(stored.Margin(0), 17);
    EXPECT_EQ(stored.BestRuns(0, 0), 3) << "the session's best run became the player's best";
    EXPECT_EQ(form->Label9(2).Caption(), "Ann\r\nGames Won: 1\r\nGames Lost: 0");
    EXPECT_TRUE(form->Label9(1).Caption().startsWith("That was your LAST CARD!"));
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_TRUE(form->cmdDeal.Visible());
    ASSERT_EQ(flows.size(), 1u);
    EXPECT_TRUE(flows[0] == 1 || flows[0] == 2);
    EXPECT_TRUE(flashes.empty());
    EXPECT_FALSE(Eng.TableBusy);
    EXPECT_FALSE(Com.ShowBusy);
    EXPECT_TRUE(svc.sound->played.contains("snd14"));
}

TEST_F(GameEndTest, AFourPlayerLossSubtractsTheMarginAndAnimatesOnlyKnownWinners) {
    Table(4);
    Eng.Seat2Rec.RecLevel = 2;
    Eng.Seat3Rec.RecName = "Nobody Known";
    Sides(6, 4, 0, 2, 3);
    GameEndHooks.Person_Index = [](const QString& name) { return name == "Grulm" ? 0 : -1; };
    stored.Margin(6) = 3;
    Game_End();
    for (int kind : {0, 3, 6})
        EXPECT_EQ(stored.Games(kind), 1) << kind;
    EXPECT_EQ(stored.Wins(0), 0);
    EXPECT_EQ(stored.Margin(6), 3 - 12) << "the human's own cards count in the margin";
    EXPECT_EQ(form->Label9(1).Caption().left(61).toStdString(),
              "That was the last card, Nobody Known WON with a margin of  12");
    EXPECT_TRUE(svc.sound->played.contains("snd13")) << "the sound plays";
    EXPECT_TRUE(flashes.empty()) << "a winner outside the list gets no animation";
    EXPECT_TRUE(flows.empty());

    // A known winner is animated; the player may switch it off.
    Table(2);
    Sides(4, 0);
    Game_End();
    EXPECT_EQ(flashes, std::vector<int>{0});
    GameEndHooks.NoLoseAnimation = [] { return true; };
    Sides(4, 0);
    Game_End();
    EXPECT_EQ(flashes.size(), 1u);
}

TEST_F(GameEndTest, ANewGameStartedDuringTheWinnersAnimationKeepsTheTable) {
    Table(2);
    Sides(4, 0);
    GameEndHooks.Person_Index = [](const QString&) { return 0; };
    // F2 while the winner dances
    GameEndHooks.Flash = [](int, const GameOnTable& mine) { return Game_New(), mine.Answer(); };
    Game_End();
    EXPECT_EQ(stored.Games(0), 1) << "the ended game is still counted";
    EXPECT_NE(Com.Pturn, 0);
    EXPECT_FALSE(form->cmdDeal.Visible());
    EXPECT_FALSE(form->Label9(2).Caption().contains("Games Won:"));
}

TEST_F(GameEndTest, CountersStopAtTheLimitAndWarn) {
    Sides(0, 3);
    stored.Games(0) = 32767;
    stored.Margin(0) = 32766;
    svc.boxes->Expect(platform::vbOK);
    Game_End();
    EXPECT_EQ(stored.Games(0), 32767);
    EXPECT_EQ(stored.Margin(0), 32767);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Score file overflowing");
}

TEST_F(GameEndTest, NoWinnerOrAClosingProgramLeavesTheTableFree) {
    Sides(3, 3);
    Game_End();
    EXPECT_FALSE(Eng.TableBusy);
    EXPECT_FALSE(Com.ShowBusy);
    EXPECT_EQ(stored.Games(0), 0);

    // An Internet game counts the session; a remote waits for the host and is freed by a lost link.
    Online(false, "80");
    Sides(0, 2);
    Game_End();
    EXPECT_EQ(Score.NetGames, 1);
    EXPECT_EQ(Score.NetWins, 1);
    EXPECT_EQ(form->Label9(2).Caption(),
              "Your scores this NET session:\r\n1 games played\r\n 1 wins,  0 margin");
    EXPECT_EQ(stored.Games(0), 0) << "Internet games stay out of the profile";
    EXPECT_FALSE(Eng.TableBusy);

    Com.NetGame = 0;
    Sides(0, 2);
    Com.GameAbort = true;
    Game_End();
    EXPECT_FALSE(Eng.TableBusy);
    EXPECT_FALSE(Com.ShowBusy);
    EXPECT_FALSE(form->cmdDeal.Visible());
}

TEST_F(GameEndTest, TheNetworkScoresLearnWhoWon) {
    std::vector<QString> winners;
    Netl.Scores_Net = [&](const QString& winner) { winners.push_back(winner); };
    Table(3);
    Eng.Seat3Rec.RecName = "Cid ";
    Online(true, "80");
    Sides(4, 2, 0, 0, 3);
    Game_End();
    Sides(0, 2, 1);
    Game_End();
    EXPECT_EQ(winners, (std::vector<QString>{"Cid", ""}));
    Netl.Scores_Net = [](const QString&) {};
}

} // namespace
