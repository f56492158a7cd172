#include "media/CardDeck.h"
#include "table/CardArt.h"
#include "table/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {
// Each extra deck is our own faces on a tinted card stock.
const std::array<QColor, 3> kDeckTints{QColor(255, 244, 214), QColor(222, 236, 255), QColor(226, 248, 226)};

struct BackLook {
    QColor ground, ink;
    int pattern; // 0 lattice, 1 dots, 2 stripes, 3 rings
};
const std::array<BackLook, 4> kBacks{BackLook{QColor(30, 60, 140), QColor(200, 210, 255), 0},
                                     BackLook{QColor(140, 20, 30), QColor(255, 210, 150), 1},
                                     BackLook{QColor(20, 100, 60), QColor(220, 250, 220), 2},
                                     BackLook{QColor(60, 40, 90), QColor(240, 200, 90), 3}};

void DrawPattern(QPainter& p, const QRectF& r, const BackLook& look) {
    p.setPen(QPen(look.ink, 1.2));
    p.setBrush(Qt::NoBrush);
    const qreal step = 8;
    switch (look.pattern) {
    case 0:
        for (qreal x = r.left() - r.height(); x < r.right(); x += step) {
            p.drawLine(QPointF(x, r.top()), QPointF(x + r.height(), r.bottom()));
            p.drawLine(QPointF(x + r.height(), r.top()), QPointF(x, r.bottom()));
        }
        break;
    case 1:
        p.setBrush(look.ink);
        p.setPen(Qt::NoPen);
        for (qreal y = r.top() + step / 2; y < r.bottom(); y += step)
            for (qreal x = r.left() + step / 2; x < r.right(); x += step)
                p.drawEllipse(QPointF(x, y), 1.6, 1.6);
        break;
    case 2:
        for (qreal y = r.top(); y < r.bottom(); y += step / 2)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        break;
    default:
        for (qreal d = 6; d < r.height(); d += step)
            p.drawEllipse(r.center(), d * 0.75, d);
        break;
    }
}
} // namespace

int clsDLL::GetDecksQuantity() const {
    return static_cast<int>(kDeckTints.size());
}

int clsDLL::GetBacksQuantity() const {
    return static_cast<int>(kBacks.size());
}

QImage clsDLL::FaceSheet(int deck, qreal dpr) const {
    if (deck < 0 || deck >= GetDecksQuantity()) return QImage();
    const QImage sheet = cardart::BuiltinSheet(dpr);
    QImage img = sheet;
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.fillRect(QRectF(0, 0, img.width() / dpr, img.height() / dpr), kDeckTints[static_cast<size_t>(deck)]);
    // The rounded corners stay as clear as our own deck's.
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.drawImage(QPointF(0, 0), sheet);
    return img;
}

QImage clsDLL::BackPicture(int back, QSize size, qreal dpr) const {
    if (back < 0 || back >= GetBacksQuantity() || size.isEmpty()) return QImage();
    const BackLook& look = kBacks[static_cast<size_t>(back)];
    QImage img(qRound(size.width() * dpr), qRound(size.height() * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card(0.5, 0.5, size.width() - 1, size.height() - 1);
    QPainterPath outline;
    outline.addRoundedRect(card, 5, 5);
    p.fillPath(outline, Qt::white);
    const QRectF inner = card.adjusted(4, 4, -4, -4);
    QPainterPath field;
    field.addRoundedRect(inner, 3, 3);
    p.fillPath(field, look.ground);
    p.setClipPath(field);
    DrawPattern(p, inner, look);
    p.setClipping(false);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawPath(outline);
    return img;
}

void CardDeck_Install() {
    DeckSource.FaceSheet = [](int deck, qreal dpr) { return clsDLL().FaceSheet(deck, dpr); };
    DeckSource.Back = [](int back, QSize size, qreal dpr) { return clsDLL().BackPicture(back, size, dpr); };
}
