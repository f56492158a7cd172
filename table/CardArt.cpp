#include "table/CardArt.h"

#include <QConicalGradient>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <vector>

namespace cardart {
namespace {

// All layouts are designed on the 71 x 96 card and mapped onto the requested
// size, so the small cards keep exactly the same arrangement.
struct Frame {
    qreal w, h;
    qreal s; // uniform scale for sizes: line widths, pips, text
    Frame(qreal width, qreal height) : w(width), h(height), s(std::min(width / kLargeW, height / kLargeH)) {}
    qreal x(qreal u) const { return u * w / kLargeW; }
    qreal y(qreal v) const { return v * h / kLargeH; }
    QPointF at(qreal u, qreal v) const { return {x(u), y(v)}; }
    QRectF rect(qreal u0, qreal v0, qreal u1, qreal v1) const { return QRectF(at(u0, v0), at(u1, v1)); }
};

enum class Suit { Clubs, Diamonds, Hearts, Spades };

const QColor kRed(200, 20, 38);
const QColor kSuitBlack(20, 20, 24);
const QColor kEdge(48, 48, 54);
const QColor kGold(226, 178, 48);
const QColor kGoldLight(255, 232, 140);
const QColor kGoldDark(128, 90, 18);
const QColor kSkin(248, 224, 196);
const QColor kRoyal(78, 38, 128);

QColor suitColour(Suit suit) {
    return (suit == Suit::Hearts || suit == Suit::Diamonds) ? kRed : kSuitBlack;
}

QImage newImage(QSize size, qreal dpr) {
    if (!(dpr > 0)) dpr = 1.0;
    const QSize physical(qRound(size.width() * dpr), qRound(size.height() * dpr));
    if (physical.isEmpty()) return {};
    QImage img(physical, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// ---- shapes ---------------------------------------------------------------

// Suit shapes live in a unit box (x and y in -1..1, y down). A shape may consist
// of several overlapping pieces; they are filled one by one because combining
// them with path booleans would flatten the curves.
using Shape = std::vector<QPainterPath>;

QPainterPath heartPiece() {
    QPainterPath p;
    p.moveTo(0, 1);
    p.cubicTo(-0.3, 0.66, -0.94, 0.26, -0.94, -0.32);
    p.cubicTo(-0.94, -0.76, -0.64, -0.98, -0.44, -0.98);
    p.cubicTo(-0.2, -0.98, -0.05, -0.82, 0, -0.6);
    p.cubicTo(0.05, -0.82, 0.2, -0.98, 0.44, -0.98);
    p.cubicTo(0.64, -0.98, 0.94, -0.76, 0.94, -0.32);
    p.cubicTo(0.94, 0.26, 0.3, 0.66, 0, 1);
    p.closeSubpath();
    return p;
}

QPainterPath stemPiece() {
    QPainterPath p;
    p.moveTo(0.1, -0.05);
    p.cubicTo(0.1, 0.55, 0.22, 0.88, 0.46, 1.0);
    p.lineTo(-0.46, 1.0);
    p.cubicTo(-0.22, 0.88, -0.1, 0.55, -0.1, -0.05);
    p.closeSubpath();
    return p;
}

const Shape& suitShape(Suit suit) {
    static const std::array<Shape, 4> shapes = [] {
        std::array<Shape, 4> s;
        QPainterPath circle;
        auto disc = [](qreal cx, qreal cy, qreal r) {
            QPainterPath c;
            c.addEllipse(QPointF(cx, cy), r, r);
            return c;
        };
        s[int(Suit::Clubs)] = {disc(0, -0.5, 0.43), disc(-0.5, 0.12, 0.43), disc(0.5, 0.12, 0.43),
                               disc(0, -0.02, 0.3), stemPiece()};

        QPainterPath diamond;
        diamond.moveTo(0, -1);
        diamond.quadTo(0.34, -0.44, 0.78, 0);
        diamond.quadTo(0.34, 0.44, 0, 1);
        diamond.quadTo(-0.34, 0.44, -0.78, 0);
        diamond.quadTo(-0.34, -0.44, 0, -1);
        diamond.closeSubpath();
        s[int(Suit::Diamonds)] = {diamond};

        s[int(Suit::Hearts)] = {heartPiece()};

        // A spade is a heart turned over and lifted onto a flared stem.
        QTransform over;
        over.translate(0, -0.3);
        over.scale(1.0, -0.7);
        s[int(Suit::Spades)] = {over.map(heartPiece()), stemPiece()};
        return s;
    }();
    return shapes[int(suit)];
}

// Fills a suit symbol of the given height centred on c; upside-down pips are the
// ones in the lower half of a card.
void drawSuit(QPainter& p, Suit suit, QPointF c, qreal height, const QColor& colour,
              bool upsideDown = false) {
    QTransform t;
    t.translate(c.x(), c.y());
    if (upsideDown) t.rotate(180);
    t.scale(height / 2, height / 2);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (const QPainterPath& piece : suitShape(suit))
        p.drawPath(t.map(piece));
    p.restore();
}

// ---- text -----------------------------------------------------------------

enum class Face { Sans, SansCondensed, Serif };

QFont fontOf(Face face) {
    QFont f(face == Face::Serif           ? QStringLiteral("DejaVu Serif")
            : face == Face::SansCondensed ? QStringLiteral("DejaVu Sans Condensed")
                                          : QStringLiteral("DejaVu Sans"));
    f.setPixelSize(100);
    f.setBold(true);
    if (face == Face::SansCondensed) f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Text as an outline: it scales to fractional sizes, can be squeezed to fit, and is
// centred on its ink rather than on the font's advance box. capHeight is the height
// of the capitals and digits; the box of the capitals is centred on c.
QPainterPath textPath(const QString& text, Face face, QPointF c, qreal capHeight, qreal maxWidth = 0) {
    const QFont f = fontOf(face);
    QPainterPath path;
    path.addText(0, 0, f, text);
    const qreal cap = QFontMetricsF(f).capHeight();
    const QRectF ink = path.boundingRect();
    if (cap <= 0 || ink.isEmpty()) return {};
    const qreal sy = capHeight / cap;
    qreal sx = sy;
    if (maxWidth > 0 && ink.width() * sx > maxWidth) sx = maxWidth / ink.width();
    QTransform t;
    t.translate(c.x() - ink.center().x() * sx, c.y() + capHeight / 2);
    t.scale(sx, sy);
    return t.map(path);
}

void drawText(QPainter& p, const QString& text, Face face, QPointF c, qreal capHeight, const QColor& fill,
              qreal maxWidth = 0) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(textPath(text, face, c, capHeight, maxWidth));
    p.restore();
}

// ---- card body --------------------------------------------------------------

QPainterPath cardOutline(const Frame& f) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, f.w - 1, f.h - 1), 4 * f.s, 4 * f.s);
    return path;
}

// Fills the rounded card, clips further painting to it and returns the outline so
// the caller can stroke the border last, over everything else.
QPainterPath beginCard(QPainter& p, const Frame& f, const QBrush& fill) {
    const QPainterPath outline = cardOutline(f);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(outline);
    p.setClipPath(outline);
    return outline;
}

void endCard(QPainter& p, const QPainterPath& outline, const QColor& border = kEdge) {
    p.setClipping(false);
    p.setPen(QPen(border, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

// Runs paint once as is and once turned half a circle about the card's centre,
// which gives the double-ended designs and the bottom-right index.
template <typename F> void twice(QPainter& p, const Frame& f, F paint) {
    paint();
    p.save();
    p.translate(f.w, f.h);
    p.rotate(180);
    paint();
    p.restore();
}

// A crown with three points; box is the area it fills.
void drawCrown(QPainter& p, const QRectF& box, const QColor& jewel, qreal line) {
    const qreal l = box.left(), r = box.right(), t = box.top(), b = box.bottom(), w = box.width();
    const qreal band = box.height() * 0.26;
    const qreal ball = w * 0.06;
    QPainterPath body;
    body.moveTo(l + w * 0.04, b - band);
    body.lineTo(l, t + ball * 1.6);
    body.lineTo(l + w * 0.28, t + box.height() * 0.46);
    body.lineTo(l + w * 0.5, t + ball * 0.6);
    body.lineTo(l + w * 0.72, t + box.height() * 0.46);
    body.lineTo(r, t + ball * 1.6);
    body.lineTo(r - w * 0.04, b - band);
    body.closeSubpath();
    QPainterPath bandPath;
    bandPath.addRoundedRect(QRectF(l + w * 0.03, b - band, w * 0.94, band), band * 0.25, band * 0.25);

    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, kGoldLight);
    g.setColorAt(1, kGold);
    p.save();
    p.setPen(QPen(kGoldDark, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(body);
    p.drawPath(bandPath);
    for (QPointF tip :
         {QPointF(l, t + ball * 1.6), QPointF(l + w * 0.5, t + ball * 0.6), QPointF(r, t + ball * 1.6)})
        p.drawEllipse(tip, ball, ball);
    // Jewels on the band.
    p.setPen(Qt::NoPen);
    p.setBrush(jewel);
    const qreal jy = b - band / 2, jr = band * 0.3;
    p.drawEllipse(QPointF(l + w * 0.5, jy), jr * 1.15, jr * 1.15);
    p.drawEllipse(QPointF(l + w * 0.24, jy), jr * 0.8, jr * 0.8);
    p.drawEllipse(QPointF(l + w * 0.76, jy), jr * 0.8, jr * 0.8);
    p.restore();
}

// ---- sheet deck -----------------------------------------------------------

QString rankLabel(int rank) {
    switch (rank) {
    case 1:
        return QStringLiteral("A");
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    case 13:
        return QStringLiteral("K");
    default:
        return QString::number(rank);
    }
}

void drawIndex(QPainter& p, const Frame& f, int rank, Suit suit) {
    const QColor c = suitColour(suit);
    const QString label = rankLabel(rank);
    const bool ten = rank == 10;
    // Small cards get a slightly larger index: it is what identifies them.
    const qreal boost = f.s < 0.95 ? 1.08 : 1.0;
    const qreal cap = 10.5 * f.s * boost;
    const qreal cx = f.x(7.8);
    const qreal top = f.y(4);
    twice(p, f, [&] {
        drawText(p, label, ten ? Face::SansCondensed : Face::Sans, QPointF(cx, top + cap / 2), cap, c,
                 (ten ? 12 : 11) * f.s * boost);
        drawSuit(p, suit, QPointF(cx, top + cap + 2.6 * f.s + 4.2 * f.s * boost), 8.4 * f.s * boost, c);
    });
}

// Pip positions of 2..10 in the classic arrangement, on the 71 x 96 design.
std::vector<QPointF> pipLayout(int rank) {
    const qreal L = 23, C = 35.5, R = 48;
    const qreal top = 17.5, bottom = 78.5, mid = 48;
    const qreal q1 = top + (bottom - top) / 3, q2 = top + 2 * (bottom - top) / 3;
    const qreal upper = (top + mid) / 2, lower = (mid + bottom) / 2;
    switch (rank) {
    case 2:
        return {{C, top}, {C, bottom}};
    case 3:
        return {{C, top}, {C, mid}, {C, bottom}};
    case 4:
        return {{L, top}, {R, top}, {L, bottom}, {R, bottom}};
    case 5:
        return {{L, top}, {R, top}, {C, mid}, {L, bottom}, {R, bottom}};
    case 6:
        return {{L, top}, {R, top}, {L, mid}, {R, mid}, {L, bottom}, {R, bottom}};
    case 7:
        return {{L, top}, {R, top}, {C, upper}, {L, mid}, {R, mid}, {L, bottom}, {R, bottom}};
    case 8:
        return {{L, top}, {R, top}, {C, upper}, {L, mid}, {R, mid}, {C, lower}, {L, bottom}, {R, bottom}};
    case 9:
        return {{L, top}, {R, top}, {L, q1}, {R, q1}, {C, mid}, {L, q2}, {R, q2}, {L, bottom}, {R, bottom}};
    case 10:
        return {{L, top}, {R, top}, {C, (top + q1) / 2},    {L, q1},     {R, q1},
                {L, q2},  {R, q2},  {C, (q2 + bottom) / 2}, {L, bottom}, {R, bottom}};
    default:
        return {};
    }
}

void drawPips(QPainter& p, const Frame& f, int rank, Suit suit) {
    const QColor c = suitColour(suit);
    for (QPointF u : pipLayout(rank))
        drawSuit(p, suit, f.at(u.x(), u.y()), 13 * f.s, c, u.y() > 48.5);
}

void drawAce(QPainter& p, const Frame& f, Suit suit) {
    const QColor c = suitColour(suit);
    const QPointF centre = f.at(35.5, 48);
    // A faint ring sets the single symbol off as the card's centrepiece.
    p.save();
    QColor ring = c;
    ring.setAlpha(60);
    p.setPen(QPen(ring, 1.0 * f.s));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 22 * f.s, 22 * f.s);
    p.restore();
    drawSuit(p, suit, centre, (suit == Suit::Diamonds ? 34 : 30) * f.s, c);
}

QRectF courtPanel(const Frame& f) {
    return f.rect(15, 9.5, 56, 86.5);
}

// One court card's look: the suit's colour, the court's own colours, and the scale.
struct CourtLook {
    Suit suit;
    bool queen;
    qreal s;
    QColor c, second, hair, ink;
};

// Half in the suit's colour and half in the court's own colour.
void drawRobe(QPainter& p, const Frame& f, const CourtLook& k) {
    QPainterPath robe;
    robe.moveTo(f.at(20.5, 60));
    robe.cubicTo(f.at(20.5, 41), f.at(26.5, 34), f.at(35.5, 33.5));
    robe.cubicTo(f.at(44.5, 34), f.at(50.5, 41), f.at(50.5, 60));
    robe.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(k.c);
    p.drawPath(robe);
    QPainterPath right;
    right.addRect(f.rect(35.5, 30, 56, 62));
    p.setBrush(k.second);
    p.drawPath(robe.intersected(right));
}

// A collar, and a line of buttons or a necklace.
void drawTrim(QPainter& p, const Frame& f, const CourtLook& k) {
    p.setBrush(kGold);
    p.setPen(QPen(kGoldDark, 0.4 * k.s));
    QPainterPath collar;
    if (k.queen) {
        collar.moveTo(f.at(28.5, 35));
        collar.quadTo(f.at(35.5, 44), f.at(42.5, 35));
        collar.quadTo(f.at(35.5, 39.5), f.at(28.5, 35));
    } else {
        collar.moveTo(f.at(29.5, 34.2));
        collar.lineTo(f.at(35.5, 41.5));
        collar.lineTo(f.at(41.5, 34.2));
        collar.lineTo(f.at(35.5, 37));
        collar.closeSubpath();
    }
    p.drawPath(collar);
    if (k.queen) {
        drawSuit(p, k.suit, f.at(35.5, 43.6), 4.2 * k.s, Qt::white);
    } else {
        for (qreal v : {44.5, 48.5})
            p.drawEllipse(f.at(35.5, v), 0.9 * k.s, 0.9 * k.s);
    }
}

void drawHead(QPainter& p, const Frame& f, const CourtLook& k) {
    // Hair behind the face.
    p.setPen(Qt::NoPen);
    p.setBrush(k.hair);
    if (k.queen) {
        QPainterPath locks;
        locks.addRoundedRect(f.rect(28.3, 17.5, 42.7, 34), 6.5 * k.s, 6.5 * k.s);
        p.drawPath(locks);
    } else {
        p.drawEllipse(f.at(35.5, 23.5), 6.4 * k.s, 6.4 * k.s);
    }
    // Face.
    p.setBrush(kSkin);
    p.setPen(QPen(k.ink, 0.6 * k.s));
    p.drawEllipse(f.at(35.5, 25.5), 5.0 * k.s, 5.9 * k.s);
    p.setPen(Qt::NoPen);
    p.setBrush(k.ink);
    p.drawEllipse(f.at(33.6, 25.0), 0.7 * k.s, 0.7 * k.s);
    p.drawEllipse(f.at(37.4, 25.0), 0.7 * k.s, 0.7 * k.s);
    p.setPen(QPen(k.ink, 0.6 * k.s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(f.at(34.5, 28.6), f.at(36.5, 28.6));
}

// A tiara for the Queen, a plumed cap for the Jack.
void drawHeadwear(QPainter& p, const Frame& f, const CourtLook& k) {
    p.setPen(QPen(kGoldDark, 0.5 * k.s));
    p.setBrush(kGold);
    if (k.queen) {
        QPainterPath tiara;
        tiara.moveTo(f.at(30, 20.5));
        tiara.lineTo(f.at(30.8, 16));
        tiara.lineTo(f.at(33.1, 18.6));
        tiara.lineTo(f.at(35.5, 13.5));
        tiara.lineTo(f.at(37.9, 18.6));
        tiara.lineTo(f.at(40.2, 16));
        tiara.lineTo(f.at(41, 20.5));
        tiara.closeSubpath();
        p.drawPath(tiara);
    } else {
        QPainterPath cap;
        cap.moveTo(f.at(29, 21.5));
        cap.cubicTo(f.at(29, 14), f.at(42, 14), f.at(42, 21.5));
        cap.closeSubpath();
        p.setBrush(k.second);
        p.drawPath(cap);
        p.setBrush(kGold);
        p.drawRect(f.rect(28.6, 20.2, 42.4, 22.3));
        QPainterPath plume;
        plume.moveTo(f.at(40, 18.5));
        plume.cubicTo(f.at(44, 16.5), f.at(46.5, 13), f.at(49, 11.5));
        plume.cubicTo(f.at(47.5, 15.5), f.at(44.5, 19), f.at(40.5, 20.5));
        plume.closeSubpath();
        p.drawPath(plume);
    }
}

void drawCourtBorder(QPainter& p, const QRectF& panel, QColor c, qreal s) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 1.0 * s));
    p.drawRect(panel);
    p.setPen(QPen(kGold, 0.8 * s));
    p.drawRect(panel.adjusted(1.6 * s, 1.6 * s, -1.6 * s, -1.6 * s));
    p.restore();
}

// Jack and Queen: a framed, double-ended bust of our own design, the two ends
// split by a diagonal as on classic court cards.
void drawCourt(QPainter& p, const Frame& f, int rank, Suit suit) {
    const bool queen = rank == 12;
    const CourtLook k{.suit = suit,
                      .queen = queen,
                      .s = f.s,
                      .c = suitColour(suit),
                      .second = queen ? QColor(34, 120, 86) : QColor(44, 84, 168),
                      .hair = queen ? QColor(96, 60, 32) : QColor(122, 84, 40),
                      .ink = kEdge};
    const QRectF panel = courtPanel(f);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(queen ? QColor(250, 236, 242) : QColor(228, 236, 250));
    p.drawRect(panel);

    QPolygonF upperHalf;
    upperHalf << f.at(15, 9.5) << f.at(56, 9.5) << f.at(56, 42) << f.at(15, 54);
    twice(p, f, [&] {
        p.save();
        p.setClipRect(panel, Qt::IntersectClip);
        QPainterPath clip;
        clip.addPolygon(upperHalf);
        p.setClipPath(clip, Qt::IntersectClip);
        drawRobe(p, f, k);
        drawTrim(p, f, k);
        drawHead(p, f, k);
        drawHeadwear(p, f, k);
        // The suit, in the panel's corner.
        drawSuit(p, suit, f.at(20.5, 16), 8 * f.s, k.c);
        p.restore();
    });
    p.setPen(QPen(k.c, 0.8 * f.s));
    p.drawLine(f.at(15, 54), f.at(56, 42));
    p.restore();
    drawCourtBorder(p, panel, k.c, f.s);
}

// The King is the wild card: gold panel, crown, suit and a "WILD" ribbon, in a
// colour scheme no other card uses.
void drawKing(QPainter& p, const Frame& f, Suit suit) {
    const QColor c = suitColour(suit);
    const QRectF panel = courtPanel(f);
    const qreal s = f.s;
    p.save();
    QLinearGradient g(panel.topLeft(), panel.bottomRight());
    g.setColorAt(0, QColor(255, 246, 214));
    g.setColorAt(0.5, QColor(250, 222, 140));
    g.setColorAt(1, QColor(255, 246, 214));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(panel);
    p.setClipRect(panel);
    twice(p, f, [&] {
        drawCrown(p, f.rect(22, 13, 49, 29), c, 0.7 * s);
        drawSuit(p, suit, f.at(35.5, 35.5), 8.5 * s, c);
    });
    // Ribbon across the middle.
    const QRectF ribbon = f.rect(15, 41.5, 56, 54.5);
    p.setBrush(kRoyal);
    p.drawRect(ribbon);
    p.setPen(QPen(kGold, 0.8 * s));
    p.drawLine(ribbon.topLeft() + QPointF(0, 0.9 * s), ribbon.topRight() + QPointF(0, 0.9 * s));
    p.drawLine(ribbon.bottomLeft() - QPointF(0, 0.9 * s), ribbon.bottomRight() - QPointF(0, 0.9 * s));
    drawText(p, QStringLiteral("WILD"), Face::Sans, ribbon.center(), 6.6 * s, kGoldLight,
             ribbon.width() - 6 * s);
    p.restore();

    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGoldDark, 1.4 * s));
    p.drawRect(panel);
    p.setPen(QPen(c, 0.7 * s));
    p.drawRect(panel.adjusted(2 * s, 2 * s, -2 * s, -2 * s));
    p.restore();
}

void paintSheetFace(QPainter& p, const Frame& f, int card) {
    const int rank = (card - 1) % 13 + 1;
    const Suit suit = static_cast<Suit>((card - 1) / 13);
    const QPainterPath outline = beginCard(p, f, Qt::white);
    if (rank == 1)
        drawAce(p, f, suit);
    else if (rank <= 10)
        drawPips(p, f, rank, suit);
    else if (rank <= 12)
        drawCourt(p, f, rank, suit);
    else
        drawKing(p, f, suit);
    drawIndex(p, f, rank, suit);
    endCard(p, outline);
}

int normalisedCard(int card) {
    return card < 1 ? 0 : (card - 1) % 52 + 1;
}

// ---- number-only decks --------------------------------------------------------

QColor groupColour(int rank) {
    if (rank <= 4) return QColor(26, 86, 200);
    if (rank <= 8) return QColor(22, 138, 62);
    return QColor(204, 30, 42);
}

QColor rainbowColour(int rank) {
    return QColor::fromHsv((rank - 1) * 30 % 360, 190, 225);
}

struct NumberLook {
    QBrush background;
    QColor numeral;
    QColor corner;
    QColor border;
    Face face;
};

// Corner numbers; inset moves them inside a frame drawn near the edge.
void drawCornerNumbers(QPainter& p, const Frame& f, const QString& label, const QColor& colour, Face face,
                       qreal inset = 0) {
    const qreal cap = 9.5 * f.s * (f.s < 0.95 ? 1.08 : 1.0);
    twice(p, f, [&] {
        drawText(p, label, face, QPointF(f.x(8.5 + inset), f.y(4 + inset) + cap / 2), cap, colour,
                 12.5 * f.s);
    });
}

void drawBigNumber(QPainter& p, const Frame& f, int rank, const QColor& fill, Face face, const QPen& outline,
                   qreal cap = 36) {
    const QString label = QString::number(rank);
    const Face use = (label.size() > 1 && face == Face::Sans) ? Face::SansCondensed : face;
    const QPainterPath path = textPath(label, use, f.at(35.5, 48), cap * f.s, 50 * f.s);
    p.save();
    p.setPen(outline);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

// The wild card of a number deck: a crown over a bold "W", readable at a glance in
// every look.
void drawWild(QPainter& p, const Frame& f, const QColor& letter, const QColor& jewel, Face face,
              const QPen& outline = Qt::NoPen) {
    drawCrown(p, f.rect(21, 15, 50, 35), jewel, 0.9 * f.s);
    const QPainterPath w = textPath(QStringLiteral("W"), face, f.at(35.5, 56), 24 * f.s, 48 * f.s);
    p.save();
    p.setPen(outline);
    p.setBrush(letter);
    p.drawPath(w);
    p.restore();
    drawText(p, QStringLiteral("WILD"), Face::Sans, f.at(35.5, 78), 7 * f.s, letter, 36 * f.s);
}

void paintNumberStyle1(QPainter& p, const Frame& f, int rank) {
    // Clean white card, numbers coloured by group of four.
    if (rank == 13) {
        QLinearGradient g(0, 0, 0, f.h);
        g.setColorAt(0, QColor(255, 250, 228));
        g.setColorAt(1, QColor(255, 214, 120));
        const QPainterPath outline = beginCard(p, f, g);
        drawWild(p, f, QColor(196, 76, 0), QColor(26, 86, 200), Face::Sans);
        drawCornerNumbers(p, f, QStringLiteral("W"), QColor(196, 76, 0), Face::Sans);
        endCard(p, outline);
        return;
    }
    const QColor c = groupColour(rank);
    const QPainterPath outline = beginCard(p, f, Qt::white);
    QColor halo = c;
    halo.setAlpha(34);
    p.setPen(QPen(c, 1.6 * f.s));
    p.setBrush(halo);
    p.drawEllipse(f.at(35.5, 48), 26 * f.s, 32 * f.s);
    drawBigNumber(p, f, rank, c, Face::Sans, Qt::NoPen, 34);
    drawCornerNumbers(p, f, QString::number(rank), c, Face::Sans);
    endCard(p, outline);
}

void paintNumberStyle2(QPainter& p, const Frame& f, int rank) {
    // Midnight: deep blue card with gold numerals and a fine gold frame.
    const QColor gold(238, 198, 92);
    QLinearGradient g(0, 0, f.w, f.h);
    g.setColorAt(0, QColor(34, 50, 108));
    g.setColorAt(1, QColor(14, 22, 54));
    const QPainterPath outline = beginCard(p, f, g);
    p.setPen(QPen(gold, 0.9 * f.s));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(f.rect(4, 4, 67, 92), 2.5 * f.s, 2.5 * f.s);
    if (rank == 13) {
        QRadialGradient glow(f.at(35.5, 44), 34 * f.s);
        glow.setColorAt(0, QColor(255, 220, 120, 150));
        glow.setColorAt(1, QColor(255, 220, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRect(f.rect(0, 0, 71, 96));
        drawWild(p, f, gold, QColor(200, 40, 60), Face::Sans);
        drawCornerNumbers(p, f, QStringLiteral("W"), gold, Face::Sans, 3);
    } else {
        drawBigNumber(p, f, rank, gold, Face::Sans, Qt::NoPen, 38);
        drawCornerNumbers(p, f, QString::number(rank), gold, Face::Sans, 3);
    }
    endCard(p, outline, QColor(10, 14, 30));
}

void paintNumberStyle3(QPainter& p, const Frame& f, int rank) {
    // Rainbow: every rank its own colour around a white window.
    const QRectF window = f.rect(9, 15, 62, 81);
    if (rank == 13) {
        QConicalGradient g(f.at(35.5, 48), 90);
        for (int i = 0; i <= 6; ++i)
            g.setColorAt(i / 6.0, QColor::fromHsv(i * 60 % 360, 200, 235));
        const QPainterPath outline = beginCard(p, f, g);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(window, 6 * f.s, 6 * f.s);
        drawWild(p, f, QColor(40, 40, 48), QColor(220, 40, 120), Face::Sans);
        drawCornerNumbers(p, f, QStringLiteral("W"), Qt::white, Face::Sans);
        endCard(p, outline);
        return;
    }
    const QColor c = rainbowColour(rank);
    const QPainterPath outline = beginCard(p, f, c);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(window, 6 * f.s, 6 * f.s);
    drawBigNumber(p, f, rank, c.darker(150), Face::Sans, Qt::NoPen, 36);
    drawCornerNumbers(p, f, QString::number(rank), Qt::white, Face::Sans);
    endCard(p, outline);
}

void paintNumberStyle4(QPainter& p, const Frame& f, int rank) {
    // Parchment: cream card, serif numerals, a double brown frame.
    const QColor brown(104, 52, 24);
    const QPainterPath outline = beginCard(p, f, QColor(247, 238, 212));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(brown, 1.2 * f.s));
    p.drawRect(f.rect(4.5, 4.5, 66.5, 91.5));
    p.setPen(QPen(brown, 0.6 * f.s));
    p.drawRect(f.rect(6.5, 6.5, 64.5, 89.5));
    p.setPen(Qt::NoPen);
    p.setBrush(brown);
    for (QPointF u : {QPointF(4.5, 4.5), QPointF(66.5, 4.5), QPointF(4.5, 91.5), QPointF(66.5, 91.5)}) {
        QPainterPath d;
        const QPointF c = f.at(u.x(), u.y());
        const qreal r = 2.2 * f.s;
        d.moveTo(c + QPointF(0, -r));
        d.lineTo(c + QPointF(r, 0));
        d.lineTo(c + QPointF(0, r));
        d.lineTo(c + QPointF(-r, 0));
        d.closeSubpath();
        p.drawPath(d);
    }
    if (rank == 13) {
        drawWild(p, f, brown, QColor(30, 110, 60), Face::Serif);
        drawCornerNumbers(p, f, QStringLiteral("W"), brown, Face::Serif, 4.5);
    } else {
        drawBigNumber(p, f, rank, brown, Face::Serif, Qt::NoPen, 36);
        drawCornerNumbers(p, f, QString::number(rank), brown, Face::Serif, 4.5);
    }
    endCard(p, outline);
}

void paintNumberStyle5(QPainter& p, const Frame& f, int rank) {
    // Pop: two-tone diagonal card with outlined black numerals.
    if (rank == 13) {
        const QPainterPath outline = beginCard(p, f, QColor(24, 24, 28));
        const QColor yellow(255, 214, 0);
        drawWild(p, f, yellow, QColor(230, 40, 140), Face::Sans);
        drawCornerNumbers(p, f, QStringLiteral("W"), yellow, Face::Sans);
        endCard(p, outline);
        return;
    }
    const QPainterPath outline = beginCard(p, f, QColor(255, 216, 40));
    QPainterPath lower;
    lower.moveTo(0, f.h * 0.72);
    lower.lineTo(f.w, f.h * 0.28);
    lower.lineTo(f.w, f.h);
    lower.lineTo(0, f.h);
    lower.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 128, 24));
    p.drawPath(lower);
    drawBigNumber(p, f, rank, QColor(20, 20, 20), Face::Sans, QPen(Qt::white, 2.2 * f.s), 38);
    drawCornerNumbers(p, f, QString::number(rank), QColor(20, 20, 20), Face::Sans);
    endCard(p, outline);
}

} // namespace

QColor FromBGR(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QRect SheetCell(int card) {
    const int n = normalisedCard(card);
    if (n == 0) return {};
    const int row = (n - 1) / kSheetCols + 1;
    const int col = n - kSheetCols * (row - 1);
    return QRect(kLargeW * (col - 1), kLargeH * (row - 1), kLargeW, kLargeH);
}

QImage SheetFace(int card, QSize size, qreal dpr) {
    QImage img = newImage(size, dpr);
    const int n = normalisedCard(card);
    if (img.isNull() || n == 0) return img;
    QPainter p(&img);
    prepare(p);
    paintSheetFace(p, Frame(size.width(), size.height()), n);
    return img;
}

QImage BuiltinSheet(qreal dpr) {
    QImage img = newImage(QSize(kLargeW * kSheetCols, kLargeH * kSheetRows), dpr);
    QPainter p(&img);
    prepare(p);
    const Frame f(kLargeW, kLargeH);
    for (int n = 1; n <= kSheetCols * kSheetRows; ++n) {
        p.save();
        p.translate(SheetCell(n).topLeft());
        paintSheetFace(p, f, n);
        p.restore();
    }
    return img;
}

QImage NumberFace(int deckStyle, int rank, QSize size, qreal dpr) {
    QImage img = newImage(size, dpr);
    if (img.isNull() || rank < 1) return img;
    rank = (rank - 1) % 13 + 1;
    QPainter p(&img);
    prepare(p);
    const Frame f(size.width(), size.height());
    switch (std::clamp(deckStyle, 1, 5)) {
    case 1:
        paintNumberStyle1(p, f, rank);
        break;
    case 2:
        paintNumberStyle2(p, f, rank);
        break;
    case 3:
        paintNumberStyle3(p, f, rank);
        break;
    case 4:
        paintNumberStyle4(p, f, rank);
        break;
    default:
        paintNumberStyle5(p, f, rank);
        break;
    }
    return img;
}

QImage Back(QSize size, quint32 deckColourBGR, qreal dpr) {
    QImage img = newImage(size, dpr);
    if (img.isNull()) return img;
    QPainter p(&img);
    prepare(p);
    const Frame f(size.width(), size.height());
    const QColor base = FromBGR(deckColourBGR);
    // The pattern must show on any deck colour: light lines on dark colours,
    // dark lines on light ones.
    const int luma = (299 * base.red() + 587 * base.green() + 114 * base.blue()) / 1000;
    const bool dark = luma < 140;
    QColor line = dark ? base.lighter(165) : base.darker(140);
    if (base.lightness() < 30) line = QColor(90, 90, 90);
    const QColor frame = dark ? QColor(255, 255, 255, 220) : QColor(40, 40, 40, 170);

    const QPainterPath outline = beginCard(p, f, base);
    const QRectF inner = f.rect(5.5, 5.5, 65.5, 90.5);
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    // Lattice of fine diagonals.
    line.setAlpha(170);
    p.setPen(QPen(line, 0.8 * f.s));
    const qreal step = 7 * f.s;
    for (qreal d = -f.h; d < f.w + f.h; d += step) {
        p.drawLine(QPointF(d, 0), QPointF(d + f.h, f.h));
        p.drawLine(QPointF(d, f.h), QPointF(d + f.h, 0));
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(frame, 1.2 * f.s));
    p.drawRoundedRect(f.rect(3.5, 3.5, 67.5, 92.5), 2.5 * f.s, 2.5 * f.s);
    p.setPen(QPen(frame, 0.6 * f.s));
    p.drawRect(inner);

    // Central medallion with an eight-pointed star.
    const QPointF c = f.at(35.5, 48);
    p.setPen(QPen(frame, 1.0 * f.s));
    p.setBrush(dark ? base.darker(125) : base.lighter(112));
    p.drawEllipse(c, 15 * f.s, 20 * f.s);
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const qreal r = (i % 2 == 0 ? 11.5 : 4.6) * f.s;
        const qreal a = i * M_PI / 8 - M_PI / 2;
        const QPointF pt(c.x() + r * std::cos(a) * 0.92, c.y() + r * std::sin(a) * 1.2);
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(frame);
    p.drawPath(star);
    p.setBrush(base);
    p.drawEllipse(c, 2.2 * f.s, 2.2 * f.s);
    endCard(p, outline);
    return img;
}

QImage Placeholder(QSize size, int style, qreal dpr) {
    QImage img = newImage(size, dpr);
    if (img.isNull()) return img;
    QPainter p(&img);
    prepare(p);
    const Frame f(size.width(), size.height());
    const QRectF box(1.5, 1.5, f.w - 3, f.h - 3);
    const qreal radius = 4.5 * f.s;
    if (style == 0) {
        // A pale sheet with a soft solid outline.
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.4 * f.s));
        p.setBrush(QColor(255, 255, 255, 26));
        p.drawRoundedRect(box, radius, radius);
        p.setPen(QPen(QColor(255, 255, 255, 60), 0.8 * f.s));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(3.5 * f.s, 3.5 * f.s, -3.5 * f.s, -3.5 * f.s), radius * 0.6,
                          radius * 0.6);
    } else {
        // A shaded hollow with a dashed rim and a faint ring in the middle.
        p.setPen(QPen(QColor(255, 255, 255, 170), 1.3 * f.s, Qt::DashLine, Qt::RoundCap));
        p.setBrush(QColor(0, 0, 0, 46));
        p.drawRoundedRect(box, radius, radius);
        p.setPen(QPen(QColor(255, 255, 255, 80), 1.6 * f.s));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(f.at(35.5, 48), 13 * f.s, 13 * f.s);
    }
    return img;
}

QImage StackEdge(QSize size, quint32 deckColourBGR, qreal dpr) {
    QImage img = newImage(size, dpr);
    if (img.isNull()) return img;
    QPainter p(&img);
    const QRectF all(0, 0, size.width(), size.height());
    p.fillRect(all, FromBGR(deckColourBGR));
    // A very thin edge keeps its colour and shows only one light line on its
    // leading side; anything wider gets a full light border.
    const QColor light(235, 235, 235);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    if (size.width() >= 3 && size.height() >= 3) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(light, 1.0));
        p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    } else if (size.width() < size.height()) {
        p.drawRect(QRectF(0, 0, 1, size.height()));
    } else {
        p.drawRect(QRectF(0, 0, size.width(), 1));
    }
    return img;
}

} // namespace cardart
