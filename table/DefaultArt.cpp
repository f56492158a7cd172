#include "table/DefaultArt.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <array>

namespace {

QImage Blank(int w, int h) {
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A fixed speckle so every run paints the same cloth.
void Speckle(QPainter& p, int w, int h, QColor light, QColor dark, int count) {
    QRandomGenerator rng(1234);
    for (int i = 0; i < count; ++i) {
        p.setPen(i % 2 ? light : dark);
        p.drawPoint(rng.bounded(w), rng.bounded(h));
    }
}

struct Look {
    QColor skin, hair, shirt, eyes;
    bool beard;
};
const std::array<Look, 3> kLooks = {{
    {QColor(222, 184, 150), QColor(70, 45, 30), QColor(40, 90, 150), QColor(40, 80, 40), true},
    {QColor(190, 140, 105), QColor(30, 30, 35), QColor(150, 40, 40), QColor(60, 40, 20), false},
    {QColor(240, 205, 180), QColor(200, 120, 40), QColor(60, 130, 70), QColor(30, 70, 140), false},
}};

} // namespace

QImage DefaultArt_Board(int w, int h) {
    // Plain felt with a fine grain, which tiles without a seam.
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(22, 96, 48));
    Speckle(p, w, h, QColor(40, 120, 66), QColor(12, 70, 34), w * h / 6);
    return img;
}

QImage DefaultArt_Weave(int w, int h) {
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(35, 55, 95));
    for (int y = 0; y < h; y += 8)
        for (int x = (y / 8) % 2 * 8; x < w; x += 16)
            p.fillRect(x, y, 8, 8, QColor(45, 68, 112));
    return img;
}

QImage DefaultArt_Avatar(int look, int size) {
    const Look& k = kLooks[static_cast<size_t>(std::abs(look) % static_cast<int>(kLooks.size()))];
    QImage img = Blank(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    QLinearGradient sky(0, 0, 0, size);
    sky.setColorAt(0, QColor(170, 200, 230));
    sky.setColorAt(1, QColor(90, 120, 170));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(k.shirt);
    p.drawEllipse(QRectF(10 * s, 72 * s, 80 * s, 60 * s));
    p.setBrush(k.hair);
    p.drawEllipse(QRectF(24 * s, 12 * s, 52 * s, 56 * s));
    p.setBrush(k.skin);
    p.drawEllipse(QRectF(28 * s, 20 * s, 44 * s, 52 * s));
    if (k.beard) {
        p.setBrush(k.hair);
        QPainterPath beard;
        beard.moveTo(30 * s, 50 * s);
        beard.quadTo(50 * s, 88 * s, 70 * s, 50 * s);
        beard.quadTo(50 * s, 66 * s, 30 * s, 50 * s);
        p.drawPath(beard);
    }
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(36 * s, 38 * s, 10 * s, 7 * s));
    p.drawEllipse(QRectF(54 * s, 38 * s, 10 * s, 7 * s));
    p.setBrush(k.eyes);
    p.drawEllipse(QRectF(39 * s, 39 * s, 5 * s, 5 * s));
    p.drawEllipse(QRectF(57 * s, 39 * s, 5 * s, 5 * s));
    p.setPen(QPen(QColor(120, 50, 40), 2 * s));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(40 * s, 50 * s, 20 * s, 10 * s), 200 * 16, 140 * 16);
    return img;
}

QImage DefaultArt_Slap(int size) {
    QImage img = Blank(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A burst with a red palm print in it.
    QPainterPath star;
    const double c = size / 2.0;
    for (int i = 0; i < 16; ++i) {
        const double r = (i % 2 ? 0.28 : 0.5) * size;
        const double a = i * 3.14159265 / 8;
        const QPointF pt(c + r * std::cos(a), c + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(160, 90, 0), 1));
    p.setBrush(QColor(255, 220, 60));
    p.drawPath(star);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30, 210));
    const double s = size / 100.0;
    p.drawEllipse(QRectF(36 * s, 44 * s, 28 * s, 26 * s));
    for (int f = 0; f < 4; ++f)
        p.drawRoundedRect(QRectF((34 + f * 8) * s, (22 + (f == 0 || f == 3 ? 6 : 0)) * s, 6 * s, 26 * s),
                          3 * s, 3 * s);
    p.drawRoundedRect(QRectF(24 * s, 48 * s, 16 * s, 6 * s), 3 * s, 3 * s);
    return img;
}

QImage DefaultArt_Skin(int style, int w, int h) {
    QImage img = Blank(w, h);
    QPainter p(&img);
    const QColor base = style == 0 ? QColor(255, 192, 128) : QColor(192, 192, 192);
    p.fillRect(img.rect(), base);
    Speckle(p, w, h, base.lighter(112), base.darker(112), w * h / 6);
    return img;
}

QImage DefaultArt_Panel(int style, int w, int h) {
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, style % 2 ? QColor(120, 80, 40) : QColor(70, 70, 90));
    g.setColorAt(1, style % 2 ? QColor(70, 45, 20) : QColor(35, 35, 50));
    p.setPen(QPen(QColor(200, 170, 80), 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 8, 8);
    return img;
}

QStringList DefaultArt_AvatarFiles() {
    return {QStringLiteral("Grulm.png"), QStringLiteral("Torvek.png"), QStringLiteral("Brina.png")};
}

namespace {
// A folder the player has put pictures in, or kept some of ours in, is left as it is: a
// picture deleted there stays deleted.
bool DefaultArtFolderHasPictures(const QString& folder) {
    const QStringList pictures{"*.png", "*.jpg", "*.gif", "*.bmp"};
    return !QDir(folder).entryList(pictures, QDir::Files).isEmpty();
}
} // namespace

void DefaultArt_Install(const QString& userPath) {
    if (userPath.isEmpty()) return;
    auto write = [](const QString& path, const QImage& img) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        img.save(path, "PNG");
    };
    const QString backgrounds = userPath + "Backgrounds/";
    if (!DefaultArtFolderHasPictures(backgrounds)) {
        write(backgrounds + kGameBoardFile, DefaultArt_Board(256, 256));
        write(backgrounds + "Weave.png", DefaultArt_Weave(64, 64));
    }
    const QString avatars = userPath + "Avatars/";
    if (DefaultArtFolderHasPictures(avatars)) return;
    const QStringList files = DefaultArt_AvatarFiles();
    for (int i = 0; i < files.size(); ++i)
        write(avatars + files[i], DefaultArt_Avatar(i, 130));
}
