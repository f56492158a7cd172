#include "table/Flash.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "table/TableState.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QtMath>
#include <memory>

FlashHooksT FlashHooks;

namespace {

constexpr int kSize = 96; // pixels of a picture

QString PictureFile(const QString& name, int n) {
    return Com.DataPath + name + QString::number(n) + QStringLiteral(".tmp");
}

// The seven pictures to show; empty when the personality has no animation.
std::vector<QImage> Pictures(const QString& name) {
    std::vector<QImage> out;
    if (name == QLatin1String("Grulm")) {
        for (int n = 1; n <= kFlashPictures; ++n)
            out.push_back(Flash_Picture(name, n));
        return out;
    }
    if (!Flash_NameSafe(name) || !FlashHooks.HasAnimation(name) || !Flash_WritePictures(name)) return out;
    for (int n = 1; n <= kFlashPictures; ++n) {
        QImage img(PictureFile(name, n));
        QFile::remove(PictureFile(name, n));
        if (!img.isNull()) out.push_back(img);
    }
    if (out.size() != static_cast<size_t>(kFlashPictures)) out.clear();
    return out;
}

// Where the frames show: over the first center pile with two players and three piles,
// else over the human's side place.
PictureBox& Spot() {
    TableForm& f = frmGrulm();
    if (Com.NumPlayers == 2 && Com.NumCenters == 3) return f.PicCenter(1);
    return f.Picture7(1);
}

} // namespace

std::vector<int> Flash_Frames(int style) {
    std::vector<int> frames;
    for (int n = 1; n <= kFlashPictures; ++n)
        frames.push_back(n);
    if (style == 1) {
        for (int n = 1; n <= kFlashPictures; ++n)
            frames.push_back(n);
    } else {
        for (int n = kFlashPictures - 1; n >= 1; --n)
            frames.push_back(n);
    }
    return frames;
}

double Flash_FrameSeconds(int image, bool goingUp) {
    if (image == kFlashPictures) return kFlashLast;
    if (image == 1 && goingUp) return kFlashFirstUp;
    return kFlashOther;
}

bool Flash_NameSafe(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':')) &&
           !name.contains(QLatin1String(".."));
}

QImage Flash_Picture(const QString& name, int n) {
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Each personality has its own skin; Grulm is green.
    const int hue = name == QLatin1String("Grulm") ? 110 : static_cast<int>(qHash(name) % 360);
    const QColor skin = QColor::fromHsv(hue, 140, 200);
    const double t = (n - 1) / double(kFlashPictures - 1); // 0 to 1: the cheer grows
    // Arms go up as the cheer grows.
    p.setPen(QPen(skin.darker(130), 7, Qt::SolidLine, Qt::RoundCap));
    const double a = qDegreesToRadians(200.0 + 130.0 * t);
    const QPointF l(30, 60), r(66, 60);
    p.drawLine(l, l + QPointF(28 * std::cos(a), 28 * std::sin(a)));
    p.drawLine(r, r + QPointF(-28 * std::cos(a), 28 * std::sin(a)));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(skin);
    p.drawEllipse(QRectF(22, 22 - 6 * t, 52, 52));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(34, 36 - 6 * t, 10, 10));
    p.drawEllipse(QRectF(52, 36 - 6 * t, 10, 10));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(37, 39 - 6 * t, 4, 4));
    p.drawEllipse(QRectF(55, 39 - 6 * t, 4, 4));
    // The grin opens wider picture by picture.
    p.setBrush(QColor(120, 20, 20));
    p.drawChord(QRectF(34, 46 - 6 * t, 28, 8 + 14 * t), 180 * 16, 180 * 16);
    return img;
}

bool Flash_WritePictures(const QString& name) {
    if (!Flash_NameSafe(name)) return false;
    for (int n = 1; n <= kFlashPictures; ++n)
        if (!Flash_Picture(name, n).save(PictureFile(name, n), "PNG")) return false;
    return true;
}

PauseAnswer Flash(int index, const GameOnTable& mine) {
    const int style = static_cast<int>(NumVal(Eng.SeatSounds(0)));
    QString name = FlashHooks.Person_Name(index).trimmed();
    // Oskrel's pictures come with Juvo's.
    if (name == QLatin1String("Oskrel")) name = QStringLiteral("Juvo");
    const std::vector<QImage> pictures = Pictures(name);
    if (pictures.empty()) return mine.Answer();

    PictureBox& spot = Spot();
    const bool wasVisible = spot.Visible();
    spot.SetVisible(false);
    auto view = std::make_unique<QLabel>(frmGrulm().Window());
    view->setGeometry(static_cast<int>(spot.LeftPx()), static_cast<int>(spot.TopPx()), kSize, kSize);
    view->show();
    view->raise();
    const std::vector<int> frames = Flash_Frames(style);
    PauseAnswer on = mine.Answer();
    for (size_t i = 0; on && i < frames.size(); ++i) {
        const int n = frames[i];
        view->setPixmap(QPixmap::fromImage(pictures[static_cast<size_t>(n - 1)]));
        const bool goingUp = i + 1 < frames.size() && frames[i + 1] > n;
        on = mine.Pause(Flash_FrameSeconds(n, goingUp));
    }
    if (on) on = mine.Pause(kFlashSettle);
    view.reset();
    // The spot belongs to whatever game took the table meanwhile; a closing program leaves it.
    if (!on) return on;
    spot.SetVisible(wasVisible);
    frmGrulm().Window()->update();
    return on;
}
