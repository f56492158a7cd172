#include "common/Shared.h"
#include "engine/Model.h"
#include "table/Paint.h"
#include "table/frmCounter.h"
#include "tests/support/TestSupport.h"

#include <QStringList>
#include <QTest>

namespace {

class CounterTest : public GameTest {
  protected:
    void TearDown() override {
        if (platform::Form::IsLoaded("frmCounter")) frmCounter().Unload();
        Paint_SetPixelRatio(0);
        GameTest::TearDown();
    }
    // The game size as a change of size leaves it.
    void Players(int n) {
        Com.NumPlayers = n;
        Com.NumCenters = n > 2 ? 4 : 3;
        Engine_SizeTables();
    }
    static QStringList Lines() {
        const QString text = frmCounter().LblGrid.Caption();
        EXPECT_TRUE(text.endsWith("\r\n ")) << "every line, the last too, ends and opens the next";
        QStringList lines = text.split("\r\n");
        lines.removeLast(); // the blank that opens the line after the last
        return lines;
    }
    // A line of 13 entries as the grid writes them: the tenth is one wider.
    static QString Line(const QString& entry, const QString& lead = QString()) {
        QString s = lead;
        for (int col = 1; col <= 13; ++col)
            s += col == 10 ? entry + " " : entry;
        return s;
    }
};

TEST_F(CounterTest, BeforeTheDealEveryCardIsOpen) {
    struct Row {
        int players, lines;
    } rows[] = {{2, 8}, {3, 12}, {4, 16}};
    for (const auto& r : rows) {
        Players(r.players);
        Counter_ShowDeck();
        const QStringList lines = Lines();
        ASSERT_EQ(lines.size(), r.lines) << r.players;
        EXPECT_EQ(lines[0], Line(" _ "));
        for (int i = 1; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], Line(" _ ", " ")) << i;
        frmCounter().Unload();
    }
    EXPECT_EQ(Line(" _ "), " _  _  _  _  _  _  _  _  _  _   _  _  _ ");
}

TEST_F(CounterTest, EveryHeadingStandsOverItsColumn) {
    Players(2);
    Counter_ShowDeck();
    // The grid is right-aligned in 42 characters; the heading starts 3 characters in.
    const QString line = Lines()[1];
    const QString heading = frmCounter().Label1.Caption();
    const QStringList ranks = heading.split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(ranks.size(), 13);
    qsizetype from = 0, mark = -1;
    for (const QString& rank : ranks) {
        from = heading.indexOf(rank, from) + rank.size();
        mark = line.indexOf('_', mark + 1);
        EXPECT_EQ(3 + from - 1, 42 - line.size() + mark) << rank.toStdString();
    }
}

TEST_F(CounterTest, AFullyDealtSuitAndSingleCardsLandInTheirLines) {
    Players(2);
    for (int n = 14; n <= 26; ++n)
        Eng.Deck(2, n) = 1;
    Eng.Deck(2, 1) = 1;  // the first card of the first line
    Eng.Deck(2, 75) = 1; // pack 2, second suit, rank 10
    Counter_ShowDeck();
    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[1], " " + Line(" 1 "));
    EXPECT_EQ(lines[1], "  1  1  1  1  1  1  1  1  1  1   1  1  1 ");
    EXPECT_EQ(lines[0], " 1 " + Line(" _ ").mid(3));
    QString packTwo = Line(" _ ", " ");
    packTwo.replace(1 + 27, 4, " 1  ");
    EXPECT_EQ(lines[5], packTwo);
    for (int i : {2, 3, 4, 6, 7})
        EXPECT_EQ(lines[i], Line(" _ ", " ")) << i;
}

TEST_F(CounterTest, MarksAreWrittenInTheSignedForm) {
    Players(2);
    Eng.Deck(2, 2) = 2;
    Eng.Deck(2, 10) = 11;
    Counter_ShowDeck();
    EXPECT_TRUE(Lines()[0].startsWith(" _  2  _  _  _  _  _  _  _  11   _ "));
}

TEST_F(CounterTest, EnterAndF8CloseTheCounterOtherKeysDoNot) {
    Players(2);
    for (int key : {13, 119}) {
        Counter_ShowDeck();
        FrmCounter& c = frmCounter();
        ASSERT_TRUE(platform::Form::IsLoaded("frmCounter"));
        for (int other : {27, 32, 65, 118, 120}) {
            c.KeyDown(other, 0);
            EXPECT_TRUE(platform::Form::IsLoaded("frmCounter")) << other;
        }
        c.KeyDown(key, 0);
        EXPECT_FALSE(platform::Form::IsLoaded("frmCounter")) << key;
    }
    // Through the window's own key events too.
    Counter_ShowDeck();
    frmCounter().Show();
    QTest::keyClick(frmCounter().Window(), Qt::Key_A);
    EXPECT_TRUE(platform::Form::IsLoaded("frmCounter"));
    QTest::keyClick(frmCounter().Window(), Qt::Key_F8);
    EXPECT_FALSE(platform::Form::IsLoaded("frmCounter"));
    EXPECT_FALSE(frmCounter().IsVisible());
}

TEST_F(CounterTest, TheGridBackgroundGrowsWithThePacks) {
    Players(2);
    Counter_ShowDeck();
    FrmCounter& c = frmCounter();
    EXPECT_EQ(c.Label1.Caption(), "1  2  3  4  5  6  7  8  9 10   J  Q  K");
    EXPECT_FALSE(c.Image1.Exists(1));
    EXPECT_DOUBLE_EQ(c.Image1(0).Top(), c.LblGrid.Top());
    const int two = c.Window()->height();
    const double grid = c.Image1(0).HeightPx();
    EXPECT_EQ(grid, 8 * c.LineHeight());
    c.Unload();

    Players(3);
    Counter_ShowDeck();
    ASSERT_TRUE(c.Image1.Exists(1));
    EXPECT_TRUE(c.Image1(1).Visible());
    EXPECT_DOUBLE_EQ(c.Image1(1).Height(), c.Image1(0).Height() / 2);
    EXPECT_DOUBLE_EQ(c.Image1(1).Top(), c.Image1(0).Top() + c.Image1(0).Height() + 10);
    EXPECT_EQ(c.Window()->height(), two + qRound(grid) / 2);
    c.Unload();
    EXPECT_FALSE(c.Image1.Exists(1)) << "the next load starts afresh";

    Players(4);
    Counter_ShowDeck();
    EXPECT_DOUBLE_EQ(c.Image1(1).Height(), c.Image1(0).Height());
    EXPECT_EQ(c.Window()->height(), two + qRound(grid));
    EXPECT_EQ(c.Image1(1).Picture(), c.Image1(0).Picture());
}

TEST_F(CounterTest, TheGridPictureIsDrawnAtTheDevicePixelRatio) {
    const QImage one = Counter_GridPicture(300, 15, 7, 1.0);
    EXPECT_EQ(one.size(), QSize(300, 8 * 15));
    const QImage two = Counter_GridPicture(300, 15, 7, 2.0);
    EXPECT_EQ(two.size(), QSize(600, 240));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    // Red suits are banded apart from black ones.
    EXPECT_NE(one.pixelColor(2, 15 + 7), one.pixelColor(2, 7));
    EXPECT_EQ(one.pixelColor(2, 4 * 15 + 7), one.pixelColor(2, 7));
}

} // namespace
