// The table window as designed, before any game size is laid out.
#include "tests/table/test_layout_support.h"

#include <QFontInfo>
#include <QRegularExpression>
#include <QWidget>
#include <map>

namespace {

using LayoutDesignTest = LayoutTest;

// The design entry of a control, found through the design table.
const design::Entry& EntryOf(const platform::Control& c) {
    const design::Entry* e = design::Find(c.Name(), c.Index());
    if (!e) throw std::logic_error(("not designed: " + c.Name()).toStdString());
    return *e;
}

TEST_F(LayoutDesignTest, EveryDesignedControlExistsWithItsDesign) {
    std::map<QString, int> seen;
    Design_ForEachControl(*form, [&](platform::Control& c) {
        const design::Entry& e = EntryOf(c);
        const QString id = QStringLiteral("%1(%2)").arg(c.Name()).arg(c.Index());
        SCOPED_TRACE(id.toStdString());
        ++seen[c.Name()];
        const double left = e.left + (e.array() ? (c.Index() - e.first) * e.stepX : 0);
        EXPECT_EQ(LayoutTest::Rect(c), QRectF(left, e.top, e.width, e.height));
        EXPECT_EQ(c.Visible(), e.visible);
        EXPECT_EQ(c.ToolTipText(), e.tooltip);
        EXPECT_EQ(c.Font().family(), QString::fromLatin1(design::kFontFamily));
        EXPECT_EQ(c.Font().pointSizeF(), e.fontSize);
        EXPECT_EQ(c.Font().bold(), e.bold);
    });
    // Exactly the designed elements: no more, no fewer.
    std::map<QString, int> designed;
    for (const design::Entry& e : design::Table())
        designed[QString::fromLatin1(e.name)] += e.array() ? e.last - e.first + 1 : 1;
    EXPECT_EQ(seen, designed);
}

// A control is found by name as a walk down the design table finds it: the first entry of that
// name that is no array or whose array holds the index.
TEST_F(LayoutDesignTest, FindGivesTheFirstEntryOfTheNameThatHoldsTheIndex) {
    auto walk = [](const QString& name, int index) -> const design::Entry* {
        for (const design::Entry& e : design::Table())
            if (name == QLatin1String(e.name) && (!e.array() || (index >= e.first && index <= e.last)))
                return &e;
        return nullptr;
    };
    for (const design::Entry& e : design::Table())
        for (const int index : {e.first - 1, e.first, e.last, e.last + 1, e.last + 100}) {
            SCOPED_TRACE(testing::Message() << e.name << "(" << index << ")");
            EXPECT_EQ(design::Find(QLatin1String(e.name), index), walk(QLatin1String(e.name), index));
        }
    EXPECT_EQ(design::Find(QStringLiteral("NoSuchControl"), 0), nullptr);
}

TEST_F(LayoutDesignTest, ArraysStartWithTheirDesignTimeElements) {
    struct Range {
        const char* name;
        int first, last;
    } ranges[] = {{"Picture7", 0, 10}, {"Picture1", 0, 10}, {"Picture2", 0, 1},   {"Picture3", 0, 1},
                  {"PicCenter", 0, 3}, {"Stack", 0, 50},    {"StackHold", 0, 8},  {"Label3", 0, 1},
                  {"Label9", 0, 4},    {"LblWild", 1, 3},   {"lblHoldCard", 1, 8}};
    const auto all = Existing();
    for (const Range& r : ranges) {
        for (int i = r.first; i <= r.last; ++i)
            EXPECT_TRUE(all.count(QStringLiteral("%1(%2)").arg(QLatin1String(r.name)).arg(i))) << r.name << i;
        EXPECT_FALSE(all.count(QStringLiteral("%1(%2)").arg(QLatin1String(r.name)).arg(r.last + 1)))
            << r.name;
    }
}

TEST_F(LayoutDesignTest, TextsOfTheTable) {
    EXPECT_EQ(form->PicCenter(0).ToolTipText(), "STOCK");
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(form->PicCenter(p).ToolTipText(), "Play to the CENTER piles");
    for (int e = 1; e <= 10; ++e)
        EXPECT_EQ(form->Picture1(e).ToolTipText(), "Grulm's cards");
    EXPECT_EQ(form->Label3(0).ToolTipText(), "Your HOLD piles -right click to see hidden cards");
    EXPECT_EQ(form->Label3(1).ToolTipText(), "Grulm's HOLD piles -right click to see hidden cards");
    EXPECT_EQ(form->ImgTurn1.ToolTipText(), "It's your turn!");
    EXPECT_EQ(form->ImgTurn2.ToolTipText(), "It's your opponent's turn.");
    EXPECT_EQ(form->cmdDeal.Caption(), "DEAL");
}

TEST_F(LayoutDesignTest, WindowOpensAtItsDesignedSizeOnTheGreenTable) {
    EXPECT_EQ(form->Client()->width(), design::kClient.w);
    EXPECT_EQ(form->Client()->height(), design::kClient.h);
    EXPECT_EQ(form->BackColor(), design::kTableGreen);
    // Every control lies inside the window.
    Design_ForEachControl(*form, [&](platform::Control& c) {
        EXPECT_LE(c.LeftPx() + c.WidthPx(), design::kClient.w) << c.Name().toStdString();
        EXPECT_LE(c.TopPx() + c.HeightPx(), design::kClient.h) << c.Name().toStdString();
    });
}

TEST_F(LayoutDesignTest, MarkersAndMenuIconArePaintedAtTheirSize) {
    for (const Image* img :
         {&form->ImgTurn1, &form->ImgTurn2, &form->imgMenu, &form->imgTip, &form->imgTipUp}) {
        const QImage& pic = img->Picture();
        ASSERT_FALSE(pic.isNull()) << img->Name().toStdString();
        EXPECT_EQ(pic.width() / pic.devicePixelRatio(), img->WidthPx()) << img->Name().toStdString();
        EXPECT_EQ(pic.height() / pic.devicePixelRatio(), img->HeightPx()) << img->Name().toStdString();
    }
    // The turn markers point away from each other: the opponent's up, the human's down.
    auto inkWidth = [](const QImage& pic, double yLogical) {
        const int y = static_cast<int>(yLogical * pic.devicePixelRatio());
        int n = 0;
        for (int x = 0; x < pic.width(); ++x)
            n += qAlpha(pic.pixel(x, y)) > 128 ? 1 : 0;
        return n;
    };
    const double h = design::kTurnMarker.h;
    const QImage& up = form->ImgTurn2.Picture();
    const QImage& down = form->ImgTurn1.Picture();
    EXPECT_LT(inkWidth(up, 3), inkWidth(up, h - 3));     // a narrow point above a wider shaft
    EXPECT_GT(inkWidth(down, 3), inkWidth(down, h - 3)); // the shaft above, the point below
}

TEST_F(LayoutDesignTest, DesignedLabelsAreReadable) {
    for (int i = 0; i <= 4; ++i) {
        const Label& l = form->Label9(i);
        EXPECT_GE(QFontInfo(l.Font()).pointSizeF(), 8.0) << i;
        // Light text on the dark green table.
        const QColor c = platform::FromBGR(l.ForeColor());
        EXPECT_GT(c.lightness(), 150) << i;
        EXPECT_EQ(l.BackStyle(), 0) << i;
    }
    // A one-line label is as high as a line of its font.
    const QFontMetrics fm(form->Label9(3).Font());
    EXPECT_GE(form->Label9(3).HeightPx(), fm.height());
    EXPECT_GE(form->LblWild(1).HeightPx(), QFontMetrics(form->LblWild(1).Font()).height());
    EXPECT_GE(form->LblWild(1).WidthPx(), QFontMetrics(form->LblWild(1).Font()).horizontalAdvance("12") + 4);
}

TEST_F(LayoutDesignTest, CenterFramesHaveRoomForTheirPiles) {
    const double W = design::kLargeCard.w, H = design::kLargeCard.h;
    // Three piles a card step apart, four in a block 10 across and 6 down, all with
    // the frame's 15 and 16 pixels before them.
    EXPECT_GE(design::kCenterFrameH.w, 15 + 2 * TableState::CardStep + W);
    EXPECT_GE(design::kCenterFrameH.h, 16 + H);
    EXPECT_GE(design::kCenterFrameV.w, 15 + 2 * W + 10);
    EXPECT_GE(design::kCenterFrameV.h, 16 + 2 * H + 6);
    // The small display's frames are the large ones at four fifths.
    EXPECT_DOUBLE_EQ(design::kCenterFrameH.w * 0.8, 208);
    EXPECT_DOUBLE_EQ(design::kCenterFrameH.h * 0.8, 100);
    EXPECT_DOUBLE_EQ(design::kCenterFrameV.w * 0.8, 145.6);
    EXPECT_DOUBLE_EQ(design::kCenterFrameV.h * 0.8, 181.6);
}

TEST_F(LayoutDesignTest, StackingOrderPutsCardsOverTheirEdgesAndFrames) {
    const QObjectList& order = form->Client()->children();
    auto pos = [&](const platform::Control& c) { return order.indexOf(c.Widget()); };
    EXPECT_LT(pos(form->imgCenter), pos(form->PicCenter(1)));
    EXPECT_LT(pos(form->Label1), pos(form->PicCenter(0)));
    EXPECT_LT(pos(form->Label3(0)), pos(form->Picture7(7)));
    EXPECT_LT(pos(form->lblHoldCard(5)), pos(form->Picture7(7)));
    EXPECT_LT(pos(form->StackHold(1)), pos(form->Picture7(7)));
    EXPECT_LT(pos(form->Stack(24)), pos(form->Stack(25)));
    EXPECT_LT(pos(form->Stack(25)), pos(form->ImgHold));
    EXPECT_LT(pos(form->ImgHold), pos(form->Picture7(1)));
    EXPECT_LT(pos(form->Picture1(7)), pos(form->Picture7(7)));
    EXPECT_LT(pos(form->PicCenter(1)), pos(form->LblWild(1)));
}

TEST_F(LayoutDesignTest, DumpListsEveryControlOnceInPixels) {
    form->SetScaleMode(platform::vbTwips);
    form->Picture7(3).SetGeometryPx(10.125, 20.5, 71, 96);
    const QStringList lines = Layout_Dump().split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), static_cast<int>(Existing().size()));
    EXPECT_TRUE(lines.contains("Picture7(3) 10.13 20.5 71 96 0"));
    EXPECT_TRUE(lines.contains("imgCenter 18 186 260 125 1"));
    // Sorted by name, then by index as a number.
    const int at9 = lines.indexOf(QRegularExpression("^Picture7\\(9\\) .*"));
    const int at10 = lines.indexOf(QRegularExpression("^Picture7\\(10\\) .*"));
    EXPECT_LT(at9, at10);
}

} // namespace
