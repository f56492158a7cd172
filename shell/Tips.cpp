#include "shell/Tips.h"

#include <QFile>

QStringList Tips_Parse(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.isEmpty()) return {};
    if (text.endsWith('\n')) text.chop(1);
    return text.split('\n');
}

bool Tips_Load(const QString& path, QStringList* tips) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    *tips = Tips_Parse(f.readAll());
    return true;
}

int Tip_Start(int stored, int count) {
    return stored < 0 || stored > count ? 0 : stored;
}

int Tip_Step(int current, int count, bool back) {
    if (back) return current <= 1 ? count : current - 1;
    return current + 1 > count ? 1 : current + 1;
}

QString Tip_Text(const QString& tip) {
    QString out = tip;
    return out.replace('~', QLatin1String("\r\n\r\n"));
}

QString Tips_MissingText() {
    const QString file = QLatin1String(kTipsFile);
    return "That the " + file + " file was not found? " + "\r\n\r\n" + "Create a text file named " + file +
           " using NotePad with 1 tip per line. " +
           "Then place it in the same directory as the application. ";
}
