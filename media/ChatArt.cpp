#include "media/ChatArt.h"
#include "media/GifWriter.h"
#include "media/Synth.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

enum Eyes { kDots, kWink, kCross, kHappy, kXes, kPleading, kSockets };
enum Mouth { kSmile, kGrin, kFrown, kWavy, kTongue, kOpen, kSmirk, kTeeth };
enum Extra { kNone, kTears, kBlush, kSweat, kHorns, kRope, kPistol };

struct Face {
    const char* name;
    QColor skin;
    Eyes eyes;
    Mouth mouth;
    Extra extra;
};

const QColor kYellow(250, 205, 40), kInk(40, 30, 20);

const Face kFaces[] = {
    {"Angry", QColor(225, 60, 40), kCross, kFrown, kNone},
    {"Begging", kYellow, kPleading, kTongue, kNone},
    {"Crying", kYellow, kHappy, kFrown, kTears},
    {"Dumb_Move", kYellow, kXes, kOpen, kNone},
    {"Embarrassed", kYellow, kDots, kWavy, kBlush},
    {"Grinning", kYellow, kDots, kGrin, kNone},
    {"Hotflash", QColor(250, 140, 40), kDots, kOpen, kSweat},
    {"Mischievous", QColor(160, 90, 200), kCross, kSmirk, kHorns},
    {"Noose", kYellow, kXes, kFrown, kRope},
    {"Sad", QColor(150, 190, 240), kDots, kFrown, kNone},
    {"Shoot", kYellow, kCross, kSmirk, kPistol},
    {"Skull", QColor(235, 235, 225), kSockets, kTeeth, kNone},
    {"Wink", kYellow, kWink, kSmile, kNone},
};

void DrawEyes(QPainter& p, Eyes eyes) {
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(kInk);
    const QPointF l(-5.5, -3.5), r(5.5, -3.5);
    switch (eyes) {
    case kDots:
        p.drawEllipse(l, 1.8, 2.4), p.drawEllipse(r, 1.8, 2.4);
        break;
    case kWink:
        p.drawEllipse(l, 1.8, 2.4), p.drawLine(r + QPointF(-2.5, 0.5), r + QPointF(2.5, 0.5));
        break;
    case kCross:
        p.drawEllipse(l + QPointF(0, 1), 1.6, 1.6), p.drawEllipse(r + QPointF(0, 1), 1.6, 1.6);
        p.drawLine(l + QPointF(-3, -3.5), l + QPointF(2.5, -1)),
            p.drawLine(r + QPointF(3, -3.5), r + QPointF(-2.5, -1));
        break;
    case kHappy:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(l.x() - 2.5, l.y() - 1, 5, 4), 0, 180 * 16);
        p.drawArc(QRectF(r.x() - 2.5, r.y() - 1, 5, 4), 0, 180 * 16);
        break;
    case kXes:
        for (QPointF c : {l, r})
            p.drawLine(c + QPointF(-2, -2), c + QPointF(2, 2)),
                p.drawLine(c + QPointF(-2, 2), c + QPointF(2, -2));
        break;
    case kPleading:
        p.setBrush(Qt::white);
        p.drawEllipse(l, 3.6, 3.8), p.drawEllipse(r, 3.6, 3.8);
        p.setBrush(kInk);
        p.drawEllipse(l + QPointF(0, 0.8), 1.8, 2), p.drawEllipse(r + QPointF(0, 0.8), 1.8, 2);
        break;
    case kSockets:
        p.setPen(Qt::NoPen);
        p.drawEllipse(l + QPointF(0, 0.5), 3.6, 3.4), p.drawEllipse(r + QPointF(0, 0.5), 3.6, 3.4);
        p.drawPolygon(QPolygonF({QPointF(0, 1), QPointF(-1.6, 4.5), QPointF(1.6, 4.5)}));
        break;
    }
}

void DrawMouth(QPainter& p, Mouth mouth) {
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    switch (mouth) {
    case kSmile:
        p.drawArc(QRectF(-7, -3, 14, 12), 200 * 16, 140 * 16);
        break;
    case kGrin: {
        QPainterPath path;
        path.moveTo(-8, 3);
        path.quadTo(0, 15, 8, 3);
        path.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(path);
        break;
    }
    case kFrown:
        p.drawArc(QRectF(-6, 6, 12, 9), 20 * 16, 140 * 16);
        break;
    case kWavy: {
        QPainterPath path;
        path.moveTo(-7, 8);
        path.cubicTo(-4, 5, -2, 11, 0, 8);
        path.cubicTo(2, 5, 4, 11, 7, 8);
        p.drawPath(path);
        break;
    }
    case kTongue:
        p.drawLine(QPointF(-6, 6), QPointF(6, 6));
        p.setBrush(QColor(230, 80, 110));
        p.drawChord(QRectF(-3.5, 3, 7, 9), 180 * 16, 180 * 16);
        break;
    case kOpen:
        p.setBrush(kInk), p.drawEllipse(QPointF(0, 8), 3, 3.5);
        break;
    case kSmirk:
        p.drawArc(QRectF(-3, 0, 12, 9), 220 * 16, 110 * 16);
        break;
    case kTeeth:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-5, 7, 10, 4));
        for (double x : {-2.5, 0.0, 2.5})
            p.drawLine(QPointF(x, 7), QPointF(x, 11));
        break;
    }
}

void DrawExtra(QPainter& p, Extra extra) {
    p.setPen(Qt::NoPen);
    switch (extra) {
    case kNone:
        break;
    case kTears:
        p.setBrush(QColor(70, 150, 240));
        p.drawEllipse(QPointF(-6, 3), 1.6, 3), p.drawEllipse(QPointF(6, 3), 1.6, 3);
        break;
    case kBlush:
        p.setBrush(QColor(240, 110, 110, 200));
        p.drawEllipse(QPointF(-9, 3), 3, 2), p.drawEllipse(QPointF(9, 3), 3, 2);
        break;
    case kSweat:
        p.setBrush(QColor(90, 170, 250));
        p.drawEllipse(QPointF(11, -9), 1.8, 3), p.drawEllipse(QPointF(-12, -6), 1.5, 2.5);
        break;
    case kHorns:
        p.setBrush(QColor(200, 30, 30));
        p.drawPolygon(QPolygonF({QPointF(-11, -8), QPointF(-14, -15.5), QPointF(-6, -11.5)}));
        p.drawPolygon(QPolygonF({QPointF(11, -8), QPointF(14, -15.5), QPointF(6, -11.5)}));
        break;
    case kRope:
        p.setPen(QPen(QColor(160, 110, 50), 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(-12, 6, 24, 12), 180 * 16, 180 * 16);
        p.drawLine(QPointF(0, -16), QPointF(0, -13));
        break;
    case kPistol:
        p.setBrush(QColor(90, 90, 100));
        p.drawRect(QRectF(6, 8, 10, 3.5));
        p.drawRect(QRectF(6, 8, 3.5, 7));
        break;
    }
}

// Samples of a sound: a sine whose pitch follows `hz(t)` and loudness `env(t)`, t in seconds.
template <typename Hz, typename Env>
std::vector<std::int16_t> Sweep(double secs, Hz hz, Env env, double square = 0) {
    std::vector<std::int16_t> out;
    double phase = 0;
    const int n = static_cast<int>(secs * kSynthRate);
    for (int k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / kSynthRate;
        phase += 2 * std::numbers::pi * hz(t) / kSynthRate;
        double s = std::sin(phase);
        if (square > 0) s = (1 - square) * s + square * (s >= 0 ? 1 : -1);
        out.push_back(static_cast<std::int16_t>(std::clamp(s * env(t) * 9000, -32000.0, 32000.0)));
    }
    return out;
}

std::vector<std::int16_t> Slap() {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<std::int16_t> out;
    const int n = kSynthRate / 4;
    for (int k = 0; k < n; ++k) {
        const double t = static_cast<double>(k) / kSynthRate;
        const double thump = std::sin(2 * std::numbers::pi * 120 * t) * std::exp(-30 * t);
        const double crack = u(gen) * std::exp(-45 * t);
        out.push_back(
            static_cast<std::int16_t>(std::clamp((0.8 * crack + 0.5 * thump) * 22000, -32000.0, 32000.0)));
    }
    return out;
}

std::vector<std::int16_t> Fanfare() {
    std::vector<std::int16_t> out;
    for (const double hz : {523.25, 659.25, 783.99, 1046.5}) {
        const auto note = Sweep(
            hz > 1000 ? 0.45 : 0.14, [hz](double) { return hz; },
            [](double t) { return std::min(1.0, t * 200) * std::exp(-3 * t); }, 0.3);
        out.insert(out.end(), note.begin(), note.end());
    }
    return out;
}

std::vector<std::int16_t> ChatSamples(const QString& name) {
    if (name == QLatin1String("slap")) return Slap();
    if (name == QLatin1String("Boing"))
        return Sweep(
            0.6,
            [](double t) { return 180 + 90 * std::sin(2 * std::numbers::pi * 9 * t) * std::exp(-4 * t); },
            [](double t) { return std::exp(-4 * t); });
    if (name == QLatin1String("Whistle"))
        return Sweep(
            0.7, [](double t) { return t < 0.35 ? 900 + 2400 * t : 1740 - 2000 * (t - 0.35); },
            [](double t) {
                return std::min({1.0, t * 30, (0.7 - t) * 30});
            });
    if (name == QLatin1String("Buzzer"))
        return Sweep(
            0.5, [](double) { return 110.0; },
            [](double t) {
                return std::min({1.0, t * 80, (0.5 - t) * 80});
            },
            0.9);
    if (name == QLatin1String("Fanfare")) return Fanfare();
    return {};
}

bool HasFile(const QDir& dir, const QString& name) {
    for (const QString& f : dir.entryList(QDir::Files))
        if (f.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void WriteMissing(const QDir& dir, const QString& name, const QByteArray& bytes) {
    if (bytes.isEmpty() || HasFile(dir, name)) return;
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

} // namespace

QStringList ChatArt_IconNames() {
    QStringList names;
    for (const Face& f : kFaces)
        names << QLatin1String(f.name);
    return names;
}

QStringList ChatArt_SoundNames() {
    return {QStringLiteral("slap"), QStringLiteral("Boing"), QStringLiteral("Buzzer"),
            QStringLiteral("Fanfare"), QStringLiteral("Whistle")};
}

QImage ChatArt_Icon(const QString& name, int size) {
    const auto it = std::find_if(std::begin(kFaces), std::end(kFaces),
                                 [&](const Face& f) { return name == QLatin1String(f.name); });
    if (it == std::end(kFaces)) return QImage();
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(size / 2.0, size / 2.0);
    p.scale(size / 34.0, size / 34.0);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(it->skin);
    p.drawEllipse(QPointF(0, 0), 13.5, 13.5);
    DrawEyes(p, it->eyes);
    DrawMouth(p, it->mouth);
    DrawExtra(p, it->extra);
    return img;
}

QByteArray ChatArt_Sound(const QString& name) {
    const auto samples = ChatSamples(name);
    return samples.empty() ? QByteArray() : Wav_Make(samples);
}

void ChatArt_Install(const QString& userPath) {
    const QDir icons(userPath + QStringLiteral("Icons")), sounds(userPath + QStringLiteral("Sounds"));
    if (icons.exists())
        for (const QString& n : ChatArt_IconNames())
            WriteMissing(icons, n + QStringLiteral(".gif"), Gif_Encode(ChatArt_Icon(n)));
    if (sounds.exists())
        for (const QString& n : ChatArt_SoundNames())
            WriteMissing(sounds, n + QStringLiteral(".wav"), ChatArt_Sound(n));
}
