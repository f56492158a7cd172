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
