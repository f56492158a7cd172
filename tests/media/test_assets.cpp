// The install folder the build makes from assets/.
#include "common/Records.h"
#include "media/CardDeck.h"
#include "media/PersonPack.h"
#include "media/Persons.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "tests/media/MediaTestSupport.h"

#include <QDir>

TEST(Assets, ShippedPersonalitiesAreCompleteAndGrulmMatchesHisBuiltInCopy) {
    const QDir pms(QStringLiteral(ASSETS_BUILT "/Data/PMS"));
    const QStringList files = pms.entryList({"*.pms"}, QDir::Files);
    EXPECT_EQ(files.size(), 10);
    for (const QString& f : files) {
        Personality p;
        ASSERT_EQ(Personality_ReadFile(pms.filePath(f), &p), PersonFile::Ok) << f.toStdString();
        for (int k = 0; k <= kPersonComments; ++k)
            EXPECT_FALSE(p.Comments(k).isEmpty()) << f.toStdString() << " comment " << k;
        EXPECT_TRUE(PersonPack_Has(f.chopped(4))) << f.toStdString();
        if (f == "Grulm.pms") {
            EXPECT_EQ(p, Personality_Grulm());
        }
    }
    platform::RecordFile text;
    ASSERT_TRUE(text.OpenReadOnly(QStringLiteral(ASSETS_BUILT "/Data/Tobrinel.ran"), TextRecord::kSize));
    for (int r : {1, 9, 17, 28, 29, 34})
        EXPECT_FALSE(TextRecord::Decode(text.Read(r)).Text.isEmpty()) << r;
    QFile wav(QStringLiteral(ASSETS_BUILT "/Data/empty.wav"));
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    EXPECT_TRUE(wav.readAll().startsWith("RIFF"));
}

TEST_F(MediaTest, ComponentDecksAndBacksReplaceOursOnlyWhereOffered) {
    GetCardFaces(6);
    const QImage own = Tbl.Pic.imgALL;
    GetCardBacks(0);
    const QImage ownBack = Tbl.Pic.FilePic[0];
    CardDeck_Install();
    const clsDLL dll;
    GetCardFaces(7);
    EXPECT_EQ(Tbl.Pic.imgALL.size(), own.size());
    EXPECT_NE(Tbl.Pic.imgALL, own);
    GetCardFaces(7 + dll.GetDecksQuantity());
    EXPECT_EQ(Tbl.Pic.imgALL, own);
    GetCardBacks(dll.GetBacksQuantity());
    EXPECT_EQ(Tbl.Pic.FilePic[0].size(), ownBack.size());
    EXPECT_NE(Tbl.Pic.FilePic[0], ownBack);
    EXPECT_NE(Tbl.Pic.FilePic[5], Tbl.Pic.FilePic[0]);
    for (int back : {99, dll.GetBacksQuantity() + 1}) {
        GetCardBacks(back);
        EXPECT_EQ(Tbl.Pic.FilePic[0], ownBack) << back;
    }
    DeckSource = DeckSourceHooks{};
}
