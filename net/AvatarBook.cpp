#include "net/AvatarBook.h"
#include "common/Shared.h"
#include "engine/Model.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A picture name from the book names a file of the Avatars folder, nothing beyond it.
QString AvatarFile(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    const QDir dir(Com.UserPath + QStringLiteral("Avatars"));
    for (const QString& f : dir.entryList(QDir::Files))
        if (f.compare(name, Qt::CaseInsensitive) == 0) return f;
    return QString();
}

platform::RecordBuf Entry(const SeatRecord& seat) {
    platform::RecordBuf rec(kBookRecord);
    rec.SetText(kBookNameAt, kBookNameWidth, seat.RecName.trimmed());
    rec.SetText(kBookAvatarAt, kBookAvatarWidth, seat.RecAvatar);
    rec.SetText(kBookCommentsAt, kBookCommentsWidth, QString());
    rec.SetI16(kBookLevelAt, 0);
    rec.SetI16(kBookSoundAt, 0);
    return rec;
}

} // namespace

QString Avatar_BookPath() {
    const QString player = Com.PlayerName.trimmed();
    if (Com.UserPath.isEmpty() || player.isEmpty() || player.contains(QLatin1Char('/'))) return QString();
    return Com.UserPath + player + QStringLiteral(".avt");
}

void Avatar_Load(SeatRecord& seat, bool store) {
    const QString path = Avatar_BookPath();
    const QString name = seat.RecName.trimmed();
    if (path.isEmpty() || name.isEmpty()) return;
    if (!store && !QFileInfo::exists(path)) return;
    platform::RecordFile book;
    if (!(store ? book.Open(path, kBookRecord) : book.OpenReadOnly(path, kBookRecord))) return;
    const int count = book.RecordCount();
    for (int r = 1; r <= count; ++r) {
        platform::RecordBuf rec = book.Read(r);
        if (rec.Text(kBookNameAt, kBookNameWidth).trimmed().compare(name, Qt::CaseInsensitive) != 0) continue;
        if (store) {
            rec.SetText(kBookAvatarAt, kBookAvatarWidth, seat.RecAvatar);
            book.Write(r, rec);
        } else {
            const QString file = AvatarFile(rec.Text(kBookAvatarAt, kBookAvatarWidth).trimmed());
            if (!file.isEmpty()) seat.RecAvatar = file;
        }
        return;
    }
    if (store) book.Write(count + 1, Entry(seat));
}
