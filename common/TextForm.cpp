#include "common/TextForm.h"

#include <algorithm>
#include <cmath>

QString NumStr(long long n) {
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

double NumVal(const QString& s) {
    int i = 0;
    const int n = static_cast<int>(s.size());
    auto skipBlanks = [&] {
        while (i < n && (s.at(i) == ' ' || s.at(i) == '\t' || s.at(i) == '\n' || s.at(i) == '\r'))
            ++i;
    };
    skipBlanks();
    bool neg = false;
    if (i < n && (s.at(i) == '-' || s.at(i) == '+')) {
        neg = s.at(i) == '-';
        ++i;
    }
    double v = 0;
    bool frac = false;
    double scale = 0.1;
    for (; i < n; ++i) {
        const QChar c = s.at(i);
        if (c == ' ') continue; // blanks inside a number are skipped
        if (c == '.' && !frac) {
            frac = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9') break;
        const int d = c.unicode() - '0';
        if (frac) {
            v += d * scale;
            scale /= 10;
        } else {
            v = v * 10 + d;
        }
    }
    return neg ? -v : v;
}

int NumVal16(const QString& s) {
    const double v = std::nearbyint(NumVal(s));
    return static_cast<int>(std::clamp(v, -32768.0, 32767.0));
}
