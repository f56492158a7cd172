// The choices the opponents windows start from.
#include "media/Persons.h"
#include "media/Seating.h"
#include "table/TableState.h"
#include "tests/media/MediaTestSupport.h"

TEST_F(MediaTest, OpponentChoicesFrameTheCommentSetsAndMendAnUnknownPersonality) {
    Med.PersonCount = 2;
    Med.PersonList.Redim(1, 2);
    Med.PersonList(1, 0) = "Grulm";
    Med.PersonList(1, 1) = "Vex";
    Med.PersonList(1, 2) = "Oskrel";
    Med.CommentFileCount = 1;
    Med.CommentFiles.Redim(1);
    Med.CommentFiles(1) = "Rude";
    Eng.Seat2Rec.RecName = "Stranger";
    ChangePerson();
    ASSERT_EQ(Tbl.PersonIndex, 3);
    for (int players : {2, 3, 4}) {
        Com.NumPlayers = players;
        const OpponentChoices c = Opponent_Choices("Zub");
        EXPECT_EQ(c.comments, (QStringList{"Default Personality", "Rude", "No Comments"}));
        EXPECT_EQ(c.opponents, (QStringList{"Grulm", "Vex", "Oskrel"}));
        EXPECT_EQ(c.opponentShown, "Grulm");
        EXPECT_EQ(c.playersButton, players - 2);
    }
    EXPECT_EQ(Tbl.PersonIndex, 0);
    Tbl.PersonIndex = 2;
    Com.NetGame = 1;
    EXPECT_EQ(Opponent_Choices("Zub").opponentShown, "Zub");
    EXPECT_EQ(Opponent_Choices("").opponentShown, "Oskrel");
    EXPECT_EQ(Opponent_Choices("").playersButton, -1);
}

#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/Flow.h"
#include "platform/PickDialogs.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGames.h"
#include "shell/Utilities.h"
#include "tests/support/NullTable.h"

#include <QImage>

namespace {

class SeatingTest : public MediaTest {
  protected:
    void SetUp() override {
        MediaTest::SetUp();
        Hooks = FlowHooks{};
        Hooks.Labels_PlayerNames = [this] { ++relabels; };
        Eng.Seat2Rec.RecAvatar = "Grulm.jpg";
        Eng.Seat2Rec.RecLevel = 1;
        Com.PlayerAvatar = "me.jpg";
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
    }
    void TearDown() override {
        platform::Picks_Reset();
        Hooks = FlowHooks{};
        Rul.RulesChanged = false;
        MediaTest::TearDown();
    }
    // Answers the open-file dialog with `file`, noting the dialog's title and folder.
    void Choose(const QString& file) {
        platform::Picks().OpenFile = [this, file](const platform::FileAsk& ask) {
            asked << ask.title + " @ " + ask.folder;
            return file;
        };
    }
    QString Picture(const QString& name, int w, int h) {
        QDir().mkpath(home->Path() + "/pics");
        const QString path = home->Path() + "/pics/" + name;
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        EXPECT_TRUE(img.save(path, "BMP"));
        return path;
    }
    NullTable table;
    int relabels = 0;
    QStringList asked;
};

TEST_F(SeatingTest, ACancelledEditorOnlyRelabelsAndShowsSeatTwoInATwoPlayerGame) {
    Com.Pturn = 2; // a new game would only raise TurnStop
    SetupOpponents(false); // no editor installed counts as a cancel
    EXPECT_EQ(table.calls, QStringList{"Avatar_Show Grulm.jpg"});
    EXPECT_EQ(table.lblLevel.Caption(), QStringLiteral("Level: Clever"));
    EXPECT_EQ(relabels, 1);
    EXPECT_FALSE(Eng.TurnStop);
    EXPECT_FALSE(Sav.DialogCancelled);
}

TEST_F(SeatingTest, AnAcceptedEditorResizesTheGameAndAsksForANewOne) {
    MedHooks.OpponentsEditor = [] { Com.NumPlayers = 3; };
    Eng.Seat2Rec.RecLevel = 7; // out of range: the label stays
    table.lblLevel.SetCaption("before");
    Com.Pturn = 2;
    SetupOpponents(false);
    EXPECT_EQ(table.calls, (QStringList{"Avatar_Show me.jpg", "Layout_SetGameSize 2 3", "Table_Redraw"}));
    EXPECT_EQ(table.lblLevel.Caption(), QStringLiteral("before"));
    EXPECT_EQ(Com.TotalCards, 156);
    EXPECT_EQ(Eng.UsedPile.UBound(2), 156);
    EXPECT_TRUE(Eng.TurnStop); // the new game waits for the computer's turn to stop
    EXPECT_EQ(relabels, 0);
}

TEST_F(SeatingTest, OnlineTheOpponentsWindowSavesAloneAndTheRulesSendTheLayout) {
    int sends = 0, windows = 0;
    MedHooks.NetOpponents = [&] { ++windows; };
    MedHooks.NetRules = [&] { Rul.RulesChanged = true; };
    MedHooks.Net_ChangeLayout = [&] { ++sends; };
    Com.NetGame = 1;
    SetupOpponents(false);
    EXPECT_EQ(windows, 1);
    EXPECT_TRUE(table.calls.isEmpty());
    SetupOpponents(true);
    EXPECT_EQ(sends, 1);
    EXPECT_EQ(table.calls, (QStringList{"Layout_SetGameSize 2 3", "Table_Redraw"}));
    EXPECT_FALSE(Rul.RulesChanged);
    Com.NetGame = 99; // still connecting: nobody to tell
    SetupOpponents(true);
    EXPECT_EQ(sends, 1);
}

TEST_F(SeatingTest, AnAddedBackgroundIsTheOneTheTableStepsOnto) {
    std::vector<int> cycles;
    int indexAtCycle = -1;
    MedHooks.Background_Cycle = [&](int key) {
        cycles.push_back(key);
        indexAtCycle = Tbl.BackgroundIndex;
    };
    Choose(QString()); // the dialog left: nothing happens
    Background_Add();
    EXPECT_TRUE(cycles.empty());
    Choose(Picture("sky.bmp", 20, 20));
    Background_Add();
    ASSERT_EQ(cycles, std::vector<int>{40});
    EXPECT_EQ(Med.BackgroundList(indexAtCycle + 1), QStringLiteral("sky.bmp"));
    EXPECT_EQ(asked.back(), "Add Background Picture @ " + Com.DocsPath);
}

} // namespace
