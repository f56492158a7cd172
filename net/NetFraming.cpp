#include "net/NetFraming.h"

#include <QByteArray>

bool Frame_Append(QByteArray& buffer, const QByteArray& bytes, int maxPending) {
    qsizetype run = buffer.size() - (buffer.lastIndexOf(kNetDelim) + 1);
    for (const char c : bytes) {
        if (c == kNetDelim)
            run = 0;
        else if (++run > maxPending)
            return false;
    }
    buffer += bytes;
    return true;
}

bool Frame_TakeLine(QByteArray& buffer, QByteArray& line) {
    const qsizetype p = buffer.indexOf(kNetDelim);
    if (p < 0) return false;
    line = buffer.left(p);
    buffer.remove(0, p + 1);
    return true;
}
