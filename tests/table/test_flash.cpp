#include "common/Shared.h"
#include "table/Flash.h"
#include "tests/engine/test_deal_support.h"

#include <QFile>

namespace {

TEST(FlashFrames, UpAndDownOrTwiceUp) {
    EXPECT_EQ(Flash_Frames(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Flash_Frames(1).size(), 14u);
    EXPECT_EQ(Flash_Frames(1)[7], 1);
    EXPECT_EQ(Flash_FrameSeconds(1, true), 0.45);
    EXPECT_EQ(Flash_FrameSeconds(1, false), 0.25);
    EXPECT_EQ(Flash_FrameSeconds(7, false), 0.75);
    EXPECT_EQ(Flash_FrameSeconds(4, true), 0.25);
}

class FlashTest : public DealTest {
  protected:
    void TearDown() override {
        FlashHooks = FlashHooksT{};
        DealTest::TearDown();
    }
};

TEST_F(FlashTest, PicturesAreWrittenOnlyForSafeNamesAndShownOnlyWhenThere) {
    for (const char* bad : {"../Evil", "a/b", "c:x", "x\\y", " "})
        EXPECT_FALSE(Flash_NameSafe(bad)) << bad;
    EXPECT_FALSE(Flash_WritePictures("../Evil"));
    EXPECT_FALSE(QFile::exists(Com.DataPath + "../Evil1.tmp"));
    EXPECT_NE(Flash_Picture("Grulm", 1), Flash_Picture("Grulm", 7));

    // A personality with an animation: the pictures are painted, shown and removed again.
    QStringList asked;
    FlashHooks.Person_Name = [](int index) { return index == 3 ? QStringLiteral("Oskrel") : QString(); };
    FlashHooks.HasAnimation = [&](const QString& name) {
        asked << name;
        return true;
    };
    const double before = svc.clock->waited;
    EXPECT_TRUE(Flash(3, GameOnTable()).GoesOn());
    EXPECT_EQ(asked, QStringList{"Juvo"});
    EXPECT_NEAR(svc.clock->waited - before, 0.45 + 0.75 + 11 * 0.25 + 0.2, 1e-6);
    EXPECT_FALSE(QFile::exists(Com.DataPath + "Juvo1.tmp"));
    EXPECT_TRUE(form->PicCenter(1).Visible());

    // Without an animation, or past the list, nothing shows.
    const double after = svc.clock->waited;
    FlashHooks.HasAnimation = [](const QString&) { return false; };
    EXPECT_TRUE(Flash(3, GameOnTable()).GoesOn());
    EXPECT_TRUE(Flash(9, GameOnTable()).GoesOn());
    EXPECT_EQ(svc.clock->waited, after);
}

} // namespace
