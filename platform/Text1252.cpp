#include "platform/Text1252.h"

namespace platform {
namespace {
// Code points of bytes 0x80..0x9F; 0 marks the five bytes that have none.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char EncodeOne(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}
} // namespace

QByteArray ToCp1252(const QString& s) {
    QByteArray out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        const QChar ch = s.at(i);
        if (ch.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out.append('?');
            ++i;
            continue;
        }
        out.append(EncodeOne(ch.unicode()));
    }
    return out;
}

QString FromCp1252(const QByteArray& b) {
    QString out;
    out.reserve(b.size());
    for (char c : b) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 && u <= 0x9F) {
            const char16_t m = kHigh[u - 0x80];
            out.append(QChar(m != 0 ? m : u));
        } else {
            out.append(QChar(static_cast<char16_t>(u)));
        }
    }
    return out;
}

QByteArray FixedText(const QString& s, int width) {
    QByteArray b = ToCp1252(s).left(width);
    if (b.size() < width) b.append(QByteArray(width - b.size(), ' '));
    return b;
}

QString TrimFixed(const QByteArray& b) {
    int lo = 0, hi = b.size();
    auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (lo < hi && blank(b.at(lo)))
        ++lo;
    while (hi > lo && blank(b.at(hi - 1)))
        --hi;
    return FromCp1252(b.mid(lo, hi - lo));
}
} // namespace platform
