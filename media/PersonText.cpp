#include "media/PersonText.h"
#include "media/GrulmText.h"

#include <QStringList>

QString Personality_SoundName(const QString& prefix, int column, int slot) {
    return QStringLiteral("%1-%2%3.wav").arg(prefix).arg(slot, 2, 10, QChar('0')).arg(column == 1 ? "b" : "");
}

namespace {
bool Number(const QString& s, int lo, int hi, int* out) {
    bool ok = false;
    const int v = s.toInt(&ok);
    if (!ok || v < lo || v > hi) return false;
    *out = v;
    return true;
}

bool Apply(Personality& p, const QString& key, const QString& value) {
    int k = 0, c = 0, i = 0;
    if (key == QLatin1String("description")) {
        p.Comments(0) = value;
    } else if (key == QLatin1String("avatar")) {
        p.DefaultAvatar = value;
    } else if (key == QLatin1String("flash")) {
        p.Sounds(0, 0) = value;
    } else if (key == QLatin1String("sounds")) {
        for (int col = 0; col <= 1; ++col)
            for (int slot = 1; slot <= kPersonSounds; ++slot)
                p.Sounds(col, slot) = Personality_SoundName(value, col, slot);
    } else if (key.startsWith('c') && Number(key.mid(1), 1, kPersonComments, &k)) {
        p.Comments(k) = value;
    } else if (key.startsWith('s') && key.size() > 3 && key.at(2) == '.' && Number(key.mid(1, 1), 0, 1, &c) &&
               Number(key.mid(3), 1, kPersonSounds, &i)) {
        p.Sounds(c, i) = value;
    } else {
        return false;
    }
    return true;
}
} // namespace

bool Personality_FromText(const QString& text, Personality* out, QString* error) {
    Personality p;
    const QStringList lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || !Apply(p, line.left(eq).trimmed(), line.mid(eq + 1).trimmed())) {
            if (error) *error = QStringLiteral("line %1 not understood: %2").arg(n + 1).arg(line);
            return false;
        }
    }
    *out = p;
    return true;
}

const Personality& Personality_Grulm() {
    static const Personality grulm = [] {
        Personality p;
        Personality_FromText(QString::fromUtf8(kGrulmText), &p, nullptr);
        return p;
    }();
    return grulm;
}
