// The Internet table-size window's values, the scores window's selection and
// deletion, and the opponents window's saving and checks.
#include "common/Shared.h"
#include "engine/Model.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "net/NetHooks.h"
#include "net/NetScores.h"
#include "net/frmMultiNET.h"
#include "net/frmRulesNET.h"
#include "net/frmScoresNet.h"
#include "platform/RecordFile.h"
#include "shell/SavedGames.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class NetWindows : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Media_Reset();
        NetScore_Reset();
        NetSetup_Reset();
        NetHooks = NetHooksT{};
        Com.UserPath = home->Path() + QStringLiteral("/");
        Com.PlayerName = QStringLiteral("Eve");
    }
    void TearDown() override {
        for (platform::Form* f :
             {static_cast<platform::Form*>(&frmRulesNET()), static_cast<platform::Form*>(&frmScoresNet()),
              static_cast<platform::Form*>(&frmMultiNET())})
            if (f->Loaded()) f->Unload();
        NetHooks = NetHooksT{};
        GameTest::TearDown();
    }
    // The rules window opened on the host's table.
    FrmRulesNET& Rules(int players, int centers, int remotes) {
        Com.NumPlayers = players;
        Com.NumCenters = centers;
        Com.NetGame = remotes;
        Com.NetHost = 1;
        Sav.DialogCancelled = false;
        FrmRulesNET& w = frmRulesNET();
        if (w.Loaded()) w.Unload();
        w.Load();
        return w;
    }
    static void Write(const QString& path, const std::vector<ScoreRecord>& recs) {
        platform::RecordFile f;
        ASSERT_TRUE(f.Open(path, ScoreRecord::kSize));
        for (int k = 0; k < static_cast<int>(recs.size()); ++k)
            f.Write(k + 1, recs[k].Encode());
    }
};

TEST_F(NetWindows, DoneWithoutAChoiceKeepsTheTableAndReportsCancelled) {
    FrmRulesNET& w = Rules(3, 4, 1);
    EXPECT_FALSE(w.cmdDone.Enabled());
    w.cmdDone_Click();
    EXPECT_TRUE(Sav.DialogCancelled);
    EXPECT_EQ(Com.NumPlayers, 3);
    EXPECT_EQ(Com.NumCenters, 4);
}

TEST_F(NetWindows, TwoPlayersTakeThreePilesAndFourPlayersFour) {
    FrmRulesNET& w = Rules(3, 4, 1);
    w.Option1(0).SetValue(true);
    EXPECT_TRUE(w.fraCenters.Visible());
    EXPECT_TRUE(w.optCenters(0).Value());
    w.cmdDone_Click();
    EXPECT_FALSE(Sav.DialogCancelled);
    EXPECT_EQ(Com.NumPlayers, 2);
    EXPECT_EQ(Com.NumCenters, 3);

    FrmRulesNET& again = Rules(2, 4, 1);
    EXPECT_TRUE(again.optCenters(1).Value());
    again.Option1(2).SetValue(true);
    EXPECT_FALSE(again.fraCenters.Visible());
    again.cmdDone_Click();
    EXPECT_EQ(Com.NumPlayers, 4);
    EXPECT_EQ(Com.NumCenters, 4);
}

TEST_F(NetWindows, SizesThePeersCannotUseAreRefused) {
    FrmRulesNET& w = Rules(3, 4, 2);
    svc.boxes->Expect(platform::vbOK);
    w.Option1(0).SetValue(true);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.startsWith("You have too many humans connected."));
    EXPECT_TRUE(w.Option1(1).Value());
    EXPECT_EQ(w.ChosenPlayers, 3);

    Com.PeerVersion = QStringLiteral("74");
    FrmRulesNET& old = Rules(2, 3, 1);
    EXPECT_FALSE(old.optCenters(1).Visible());
    svc.boxes->Expect(platform::vbOK);
    old.Option1(1).SetValue(true);
    EXPECT_EQ(svc.boxes->shown.back().title, "STOP!");
    EXPECT_TRUE(old.Option1(0).Value());
    old.CmdCancel_Click();
    EXPECT_TRUE(Sav.DialogCancelled);
    EXPECT_EQ(Com.NumPlayers, 2);
}

TEST_F(NetWindows, ScoresWindowSelectsLineUpsAndSkipsSeparators) {
    const std::vector<ScoreRecord> three{{"Eve", 2, 1, 0, 5},  {"Eve", 1, 1, 3, 5},  {"Bob", 1, 0, -3, 5},
                                         {"Cid", 1, 0, -3, 5}, {"Eve", 1, 0, -3, 5}, {"Dan", 1, 1, 3, 5},
                                         {"Fay", 1, 0, -3, 5}};
    Write(Com.UserPath + "Eve_2.ran", {{"Eve", 1, 1, 2, 2}, {"Ann", 1, 1, 2, 2}});
    Write(Com.UserPath + "Eve_3.ran", three);
    List_ScoreFiles();
    FrmScoresNet& w = frmScoresNet();
    w.Load();
    EXPECT_EQ(w.GridText(1, 0), "Ann");
    w.cboMulti_Click(1);
    EXPECT_EQ(w.GridText(4, 0), ""); // the separator
    EXPECT_EQ(w.GridText(6, 0), "Dan");
    w.GridNET_Click(4, 0);
    EXPECT_EQ(w.Selected, 0);
    w.GridNET_Click(7, 0);
    EXPECT_EQ(w.Selected, 5);
    svc.boxes->Expect(platform::vbYes);
    w.Command4_Click();
    EXPECT_EQ(w.GridText(3, 0), "Cid");
    EXPECT_EQ(w.GridText(5, 0), "");
    EXPECT_EQ(NetScore_Entries(Com.UserPath + "Eve_3.ran", 3).size(), 3u);
}

TEST_F(NetWindows, NextSkipsAPlayersOtherFilesAndDeleteFileMovesOn) {
    svc.boxes->Expect(platform::vbOK);
    ScoresNet_Open();
    EXPECT_EQ(svc.boxes->shown.back().text, "No Vornhelm scores yet to display!");
    for (const char* f : {"Eve_2.ran", "Eve_3.ran", "Kai_2.ran"})
        Write(Com.UserPath + f, {{"X", 1, 0, 0, 2}, {"Opp", 1, 0, -1, 2}});
    Com.PlayerName = QStringLiteral("Kai");
    List_ScoreFiles();
    FrmScoresNet& w = frmScoresNet();
    w.Load();
    EXPECT_EQ(w.Label1->text(), "Vornhelm Player: Kai");
    w.CmdNext_Click();
    EXPECT_EQ(w.Label1->text(), "Vornhelm Player: Eve");
    w.CmdNext_Click();
    EXPECT_EQ(w.Label1->text(), "Vornhelm Player: Kai");
    svc.boxes->Expect(platform::vbYes);
    svc.boxes->Expect(platform::vbOK);
    w.Command2_Click();
    EXPECT_FALSE(QFile::exists(Com.UserPath + "Kai_2.ran"));
    EXPECT_EQ(w.Label1->text(), "Vornhelm Player: Eve");
    EXPECT_EQ(w.GridText(1, 0), "Opp");
}

TEST_F(NetWindows, SaveOpponentWritesTheRowOfThatSeat) {
    FrmGrulm t;
    Com.NumPlayers = 3;
    Com.NetGame = 2;
    Com.NetHost = 1;
    // The player in seat 3 joined first, so connection row 1 is seat 3's.
    Com.NetSockets[1] = {QStringLiteral("Cara"), 1, 7, 2};
    Com.NetSockets[2] = {QStringLiteral("Bert"), 2, 7, 1};
    Eng.Seat2Rec.RecName = QStringLiteral("Bert");
    Eng.Seat3Rec.RecName = QStringLiteral("Cara");
    int stored = 0;
    NetHooks.Avatar_Load = [&](SeatRecord&, bool write) { stored += write ? 1 : 0; };
    FrmMultiNET& w = frmMultiNET();
    w.Load();
    EXPECT_EQ(w.SetupShown, 0);
    EXPECT_TRUE(w.CmdSetup[1]->isEnabled());
    EXPECT_FALSE(w.CmdSetup[2]->isEnabled());
    w.TxtOpponent[1]->setText(QStringLiteral("Bertie"));
    w.CmdApply_Click();
    EXPECT_EQ(Com.NetSockets[2].Name, "Bertie");
    EXPECT_EQ(Com.NetSockets[1].Name, "Cara");
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Bertie");
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(NetSocketRowOfSeat(4), 0);
}

TEST_F(NetWindows, DoneRefusesGrulmAndAnEmptyCompetition) {
    FrmGrulm t;
    Com.NetGame = 1;
    Write(Com.UserPath + "Eve_2_Club.rcm", {{"Eve", 0, 0, 0, 1}});
    Write(Com.UserPath + "Eve_3_Club.rcm", {{"Eve", 0, 0, 0, 1}});
    FrmMultiNET& w = frmMultiNET();
    w.Load();
    w.optNetScore[1]->setChecked(true);
    w.optNetScore_Click(1);
    // Each competition once, by its own name.
    ASSERT_EQ(w.Combo1->count(), 1);
    EXPECT_EQ(w.Combo1->itemText(0), "Club");
    w.Combo1->setEditText(QString());
    svc.boxes->Expect(platform::vbOK);
    w.cmdDone_Click();
    EXPECT_EQ(svc.boxes->shown.back().title, "Which Score File?");
    EXPECT_TRUE(w.Loaded());

    w.TxtOpponent[0]->setText(QStringLiteral(" gRuLm"));
    w.Combo1->setEditText(QStringLiteral("Club"));
    svc.boxes->Expect(platform::vbOK);
    w.cmdDone_Click();
    EXPECT_TRUE(svc.boxes->shown.back().text.startsWith("Pick a different player name."));

    w.TxtOpponent[0]->setText(QStringLiteral("Zoe "));
    w.cmdDone_Click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(Com.PlayerName, "Zoe");
    EXPECT_EQ(NetScore.ScoreCompetition, "Club");
    EXPECT_EQ(t.Label9(3).Caption(), "Zoe");
}

} // namespace
