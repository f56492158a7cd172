#pragma once
// Telling painted pictures apart: which card a place shows.
#include "table/CardArt.h"

#include <QImage>
#include <QSize>
#include <cstdlib>

// The card sizes of the table: large, and small while three or four play.
inline const QSize kLarge(cardart::kLargeW, cardart::kLargeH), kSmall(cardart::kSmallW, cardart::kSmallH);

// Pixels whose channels differ by more than antialiasing noise.
inline int Differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + 1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int n = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q)) >
                24)
                ++n;
        }
    return n;
}

// The sheet card (1 to 52) whose drawing at this size is nearest to the picture.
inline int ClosestSheetCard(const QImage& pic, QSize size) {
    int best = 0, bestDiff = 1 << 30;
    for (int n = 1; n <= 52; ++n) {
        const int d = Differing(pic, cardart::SheetFace(n, size, pic.devicePixelRatio()));
        if (d < bestDiff) {
            bestDiff = d;
            best = n;
        }
    }
    return best;
}

// The rank (1 to 13) of a number-only deck whose face is nearest to the picture.
inline int ClosestNumberRank(const QImage& pic, int style, QSize size) {
    int best = 0, bestDiff = 1 << 30;
    for (int r = 1; r <= 13; ++r) {
        const int d = Differing(pic, cardart::NumberFace(style, r, size, pic.devicePixelRatio()));
        if (d < bestDiff) {
            bestDiff = d;
            best = r;
        }
    }
    return best;
}
