#include "media/PersonPack.h"
#include "common/Shared.h"
#include "media/MediaLists.h"
#include "media/Synth.h"
#include "platform/RegularFile.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace {
struct Pack {
    const char* name;
    Voice voice;
    QRgb skin;
    int horns; // 0 none, 1 two small, 2 one big
};

const Pack kPacks[] = {
    {"Grulm", {110, 6, 0.012}, 0x6f8f3a, 1},  {"Torvek", {98, 5, 0.008}, 0x8a6a4a, 2},
    {"Zub", {330, 3, 0.02}, 0x4a8ab8, 0},     {"Hamlo", {196, 4, 0.01}, 0xc89060, 0},
    {"Drask", {147, 7, 0.006}, 0x9a3030, 1},  {"Juvo", {262, 3, 0.03}, 0xb070c0, 0},
    {"Vesk", {175, 5, 0.015}, 0x508070, 2},   {"Ombrel", {123, 4, 0.004}, 0x505068, 1},
    {"Falsio", {294, 4, 0.025}, 0xd0b040, 0},
};

const Pack* Find(const QString& name) {
    const QString key = name.compare(QLatin1String("Oskrel"), Qt::CaseInsensitive) == 0 ? "Juvo" : name;
    for (const Pack& p : kPacks)
        if (key.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

void DrawFace(QPainter& p, const Pack& pack, int frame, int size) {
    const double s = size / 100.0;
    // The animation bobs and grins wider frame by frame.
    const double bob = frame == 0 ? 0 : 3 * std::sin(frame * std::numbers::pi / 3.5);
    const double grin = frame == 0 ? 0.5 : frame / 7.0;
    p.scale(s, s);
    p.translate(0, bob);
    const QColor skin(pack.skin);
    if (pack.horns > 0) {
        p.setBrush(QColor(0xe8, 0xe0, 0xc8));
        p.setPen(QPen(Qt::black, 1.5));
        const double w = pack.horns == 2 ? 12 : 6;
        for (int side : {-1, 1}) {
            QPainterPath horn;
            horn.moveTo(50 + side * 16, 24);
            horn.quadTo(50 + side * (28 + w), 18, 50 + side * (26 + w), 5);
            horn.quadTo(50 + side * (20 + w / 2), 16, 50 + side * 8, 28);
            p.drawPath(horn);
        }
    }
    p.setBrush(skin);
    p.setPen(QPen(skin.darker(160), 2));
    p.drawEllipse(QRectF(14, 20, 72, 74));
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawEllipse(QRectF(30, 38, 15, 13));
    p.drawEllipse(QRectF(55, 38, 15, 13));
    p.setBrush(Qt::black);
    const double look = frame == 0 ? 0 : std::cos(frame) * 2.5;
    p.drawEllipse(QPointF(37.5 + look, 45), 3.5, 3.5);
    p.drawEllipse(QPointF(62.5 + look, 45), 3.5, 3.5);
    QPainterPath mouth;
    mouth.moveTo(34, 70);
    mouth.quadTo(50, 70 + 18 * grin, 66, 70);
    mouth.quadTo(50, 72 + 6 * grin, 34, 70);
    p.setBrush(QColor(0x60, 0x10, 0x10));
    p.drawPath(mouth);
}
} // namespace

bool PersonPack_Has(const QString& name) {
    return Find(name) != nullptr;
}

QImage PersonPack_Picture(const QString& name, int frame, int size) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(QColor(0x20, 0x50, 0x28));
    const Pack* pack = Find(name);
    if (!pack) return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFace(p, *pack, frame, size);
    return img;
}

void PersonPack_Install(const QString& name, const Personality& rec) {
    const Pack* pack = Find(name);
    if (!pack || Com.UserPath.isEmpty()) return;
    const QString sounds = Com.UserPath + "Sounds/";
    for (int c = 0; c <= 1; ++c) {
        for (int i = 1; i <= kPersonSounds; ++i) {
            const QString file = rec.Sounds(c, i);
            if (!Media_PlainFileName(file) || !file.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
                continue;
            if (!Media_FindNoCase(sounds, file).isEmpty()) continue;
            platform::RegularFile_Write(sounds + file, Wav_Make(Synth_Slot(pack->voice, i, c)));
        }
    }
    PersonPack_InstallAvatar(name, rec);
}

void PersonPack_InstallAvatar(const QString& name, const Personality& rec) {
    if (!Find(name) || Com.UserPath.isEmpty()) return;
    const QString avatars = Com.UserPath + "Avatars/";
    const QString avatar = rec.DefaultAvatar;
    if (Media_PlainFileName(avatar) && avatar.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) &&
        Media_FindNoCase(avatars, avatar).isEmpty())
        PersonPack_Picture(name, 0, 128).save(avatars + avatar, "JPG");
}

bool PersonPack_InstallPictures(const QString& name) {
    if (!Find(name) || Com.DataPath.isEmpty() || !Media_PlainFileName(name)) return false;
    for (int k = 1; k <= kPackFrames; ++k)
        if (!PersonPack_Picture(name, k, 120).save(Com.DataPath + name + QString::number(k) + ".tmp", "PNG"))
            return false;
    return true;
}
