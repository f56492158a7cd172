#include "table/CardArt.h"
#include "tests/table/test_picture_support.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTransform>

#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

using namespace cardart;

namespace {

bool isRed(QRgb c) {
    return qAlpha(c) > 200 && qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool isDark(QRgb c) {
    return qAlpha(c) > 200 && qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
}

int countPixels(const QImage& img, const std::function<bool(QRgb)>& pred) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

// Pictures of one size that differ in more than antialiasing noise.
int differingPixels(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    return Differing(a, b);
}

// Number of separate ink shapes (4-connected, at least minSize pixels) inside r.
int countBlobs(const QImage& img, const QRect& r, const std::function<bool(QRgb)>& ink, int minSize) {
    std::vector<char> seen(size_t(img.width()) * img.height(), 0);
    int blobs = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            if (seen[size_t(y) * img.width() + x] || !ink(img.pixel(x, y))) continue;
            int size = 0;
            std::vector<QPoint> stack{QPoint(x, y)};
            seen[size_t(y) * img.width() + x] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++size;
                for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (!r.contains(q) || seen[size_t(q.y()) * img.width() + q.x()] || !ink(img.pixel(q)))
                        continue;
                    seen[size_t(q.y()) * img.width() + q.x()] = 1;
                    stack.push_back(q);
                }
            }
            if (size >= minSize) ++blobs;
        }
    return blobs;
}

void expectTransparentCorners(const QImage& img, const char* what) {
    const int w = img.width() - 1, h = img.height() - 1;
    for (QPoint c : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
        EXPECT_EQ(qAlpha(img.pixel(c)), 0) << what << " corner " << c.x() << "," << c.y();
    EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255) << what << " centre";
}

bool isRedSuit(int card) {
    const int row = (card - 1) / 13 + 1;
    return row == 2 || row == 3;
}

} // namespace

TEST(CardArt, SheetHasThirteenByFourCardCells) {
    const QImage one = BuiltinSheet(1.0);
    EXPECT_EQ(one.size(), QSize(13 * kLargeW, 4 * kLargeH));
    EXPECT_EQ(one.format(), QImage::Format_ARGB32_Premultiplied);
    const QImage two = BuiltinSheet(2.0);
    EXPECT_EQ(two.size(), QSize(2 * 13 * kLargeW, 2 * 4 * kLargeH));
    EXPECT_DOUBLE_EQ(two.devicePixelRatio(), 2.0);
}

TEST(CardArt, SheetCellFollowsRowAndColumnOfTheCard) {
    EXPECT_EQ(SheetCell(1), QRect(0, 0, 71, 96));
    EXPECT_EQ(SheetCell(13), QRect(71 * 12, 0, 71, 96));
    EXPECT_EQ(SheetCell(14), QRect(0, 96, 71, 96));
    EXPECT_EQ(SheetCell(40), QRect(0, 288, 71, 96));
    EXPECT_EQ(SheetCell(52), QRect(71 * 12, 288, 71, 96));
    EXPECT_EQ(SheetCell(60), SheetCell(8));
    EXPECT_TRUE(SheetCell(0).isEmpty());
}

TEST(CardArt, EachSheetCellShowsItsOwnCardAndDiffersFromItsNeighbours) {
    const QImage sheet = BuiltinSheet(1.0);
    for (int n = 1; n <= 52; ++n) {
        const QImage cell = sheet.copy(SheetCell(n));
        EXPECT_LT(differingPixels(cell, SheetFace(n, kLarge)), 5) << "card " << n;
        if (n % 13 != 0) {
            EXPECT_GT(differingPixels(cell, sheet.copy(SheetCell(n + 1))), 40) << "card " << n << " vs right";
        }
        if (n <= 39) {
            EXPECT_GT(differingPixels(cell, sheet.copy(SheetCell(n + 13))), 40)
                << "card " << n << " vs below";
        }
    }
}

TEST(CardArt, HighDensityPicturesHaveDoubledPhysicalSize) {
    const std::vector<QImage> pictures = {SheetFace(5, kLarge, 2.0), NumberFace(3, 7, kLarge, 2.0),
                                          Back(kLarge, 0x800000, 2.0), Placeholder(kLarge, 1, 2.0),
                                          SheetFace(5, kSmall, 2.0)};
    for (size_t i = 0; i < pictures.size(); ++i) {
        const QSize logical = i + 1 < pictures.size() ? kLarge : kSmall;
        EXPECT_EQ(pictures[i].size(), logical * 2) << i;
        EXPECT_EQ(pictures[i].deviceIndependentSize().toSize(), logical) << i;
        EXPECT_EQ(pictures[i].format(), QImage::Format_ARGB32_Premultiplied) << i;
    }
    EXPECT_EQ(StackEdge(QSize(3, 96), 0x800000, 2.0).size(), QSize(6, 192));
    // Same design at both densities: the fine picture brought down to one pixel
    // per point looks like the plain one.
    QImage down = SheetFace(5, kLarge, 2.0).scaled(kLarge, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    down.setDevicePixelRatio(1.0);
    EXPECT_LT(differingPixels(down, SheetFace(5, kLarge, 1.0)), kLargeW * kLargeH / 10);
}

TEST(CardArt, RedSuitsHaveRedInkAndBlackSuitsNone) {
    for (QSize size : {kLarge, kSmall}) {
        for (int n = 1; n <= 52; ++n) {
            const int red = countPixels(SheetFace(n, size), isRed);
            if (isRedSuit(n)) {
                EXPECT_GT(red, 20) << "card " << n;
            } else {
                EXPECT_EQ(red, 0) << "card " << n;
            }
        }
    }
}

TEST(CardArt, CornersOutsideTheRoundingAreTransparent) {
    for (int n : {1, 10, 24, 38, 52}) {
        expectTransparentCorners(SheetFace(n, kLarge), "large face");
        expectTransparentCorners(SheetFace(n, kSmall, 2.0), "small face");
    }
    for (int style = 1; style <= 5; ++style)
        for (int rank : {1, 12, 13})
            expectTransparentCorners(NumberFace(style, rank, kLarge), "number face");
    expectTransparentCorners(Back(kLarge, 0x00C08040), "back");
    expectTransparentCorners(Back(kSmall, 0x00C08040, 2.0), "small back");
}

TEST(CardArt, PipCountMatchesTheRank) {
    // Between the two index columns only the pips carry ink.
    for (QSize size : {kLarge, kSmall}) {
        const QRect logical(qRound(size.width() * 15.0 / kLargeW), 3, qRound(size.width() * 41.0 / kLargeW),
                            size.height() - 6);
        const QRect physical(logical.topLeft() * 2, logical.size() * 2);
        for (int n = 1; n <= 52; ++n) {
            const int rank = (n - 1) % 13 + 1;
            if (rank > 10) continue;
            const QImage face = SheetFace(n, size, 2.0);
            EXPECT_EQ(countBlobs(face, physical, isRedSuit(n) ? isRed : isDark, 30), rank)
                << "card " << n << " at " << size.width() << "x" << size.height();
        }
    }
}

TEST(CardArt, BottomRightIndexIsTheTopLeftTurnedOver) {
    const QRect corner(0, 0, 28, 56); // the index column at dpr 2
    for (int n : {2, 10, 16, 37, 51}) {
        const QImage face = SheetFace(n, kLarge, 2.0);
        const QImage turned = face.transformed(QTransform().rotate(180));
        EXPECT_LT(differingPixels(face.copy(corner), turned.copy(corner)), 8) << "card " << n;
        EXPECT_GT(differingPixels(face.copy(corner), SheetFace(n + 1, kLarge, 2.0).copy(corner)), 20)
            << "index of card " << n << " does not show its rank";
    }
}

TEST(CardArt, CardNumbersOfLaterPacksShowTheSameFace) {
    EXPECT_EQ(SheetFace(60, kLarge), SheetFace(8, kLarge));
    EXPECT_EQ(SheetFace(208, kSmall), SheetFace(52, kSmall));
    EXPECT_EQ(NumberFace(2, 26, kLarge), NumberFace(2, 13, kLarge));
    EXPECT_EQ(countPixels(SheetFace(0, kLarge), [](QRgb c) { return qAlpha(c) != 0; }), 0);
}

TEST(CardArt, NumberDecksDifferByStyleAndByRank) {
    for (int rank = 1; rank <= 13; ++rank)
        for (int a = 1; a <= 5; ++a)
            for (int b = a + 1; b <= 5; ++b)
                EXPECT_GT(differingPixels(NumberFace(a, rank, kLarge), NumberFace(b, rank, kLarge)), 1000)
                    << "styles " << a << " and " << b << " rank " << rank;
    for (int style = 1; style <= 5; ++style) {
        std::vector<QImage> faces;
        for (int rank = 1; rank <= 13; ++rank)
            faces.push_back(NumberFace(style, rank, kSmall));
        for (int a = 0; a < 13; ++a)
            for (int b = a + 1; b < 13; ++b)
                EXPECT_GT(differingPixels(faces[a], faces[b]), 40)
                    << "style " << style << " ranks " << a + 1 << " and " << b + 1;
    }
}

TEST(CardArt, FromBgrReadsBlueGreenRedBytes) {
    EXPECT_EQ(FromBGR(0x00FF8040), QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(FromBGR(0x000000FF), QColor(Qt::red));
}

TEST(CardArt, BackIsFilledWithTheDeckColour) {
    for (quint32 bgr : {0x00800000u, 0x00000080u, 0x0000FFFFu, 0x00C0C0C0u}) {
        const QImage back = Back(kLarge, bgr);
        std::map<QRgb, int> histogram;
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                ++histogram[back.pixel(x, y)];
        histogram.erase(qRgba(0, 0, 0, 0));
        auto most = histogram.begin();
        for (auto it = histogram.begin(); it != histogram.end(); ++it)
            if (it->second > most->second) most = it;
        EXPECT_EQ(QColor::fromRgba(most->first), FromBGR(bgr)) << std::hex << bgr;
    }
    EXPECT_GT(differingPixels(Back(kLarge, 0x800000), Back(kLarge, 0x008000)), 3000);
}

TEST(CardArt, PlaceholdersLookEmptyAndTheTwoStylesDiffer) {
    for (int style : {0, 1}) {
        const QImage img = Placeholder(kLarge, style);
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_LT(qAlpha(img.pixel(35, 30)), 100) << "style " << style << " must let the table show through";
        EXPECT_GT(countPixels(img, [](QRgb c) { return qAlpha(c) > 100; }), 150)
            << "outline of style " << style;
    }
    EXPECT_GT(differingPixels(Placeholder(kLarge, 0), Placeholder(kLarge, 1)), 200);
}

TEST(CardArt, StackEdgeIsDeckColourInsideALightLine) {
    const quint32 bgr = 0x00602010;
    const QImage wide = StackEdge(QSize(4, 96), bgr);
    EXPECT_EQ(QColor(wide.pixel(1, 48)), FromBGR(bgr));
    EXPECT_GT(QColor(wide.pixel(0, 48)).lightness(), 200);
    const QImage thin = StackEdge(QSize(2, 96), bgr);
    EXPECT_GT(QColor(thin.pixel(0, 48)).lightness(), 200);
    EXPECT_EQ(QColor(thin.pixel(1, 48)), FromBGR(bgr));
}
