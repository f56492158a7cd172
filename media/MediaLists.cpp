#include "media/MediaLists.h"
#include "common/Shared.h"
#include "media/MediaState.h"
#include "platform/Services.h"
#include "table/TableState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {
// Our own pictures are PNG: this toolkit writes no GIF.
const QStringList kPictureEndings{"JPG", "GIF", "BMP", "PNG"};

void Fill(BArray<QString, 1>& list, int& count, const QStringList& files, bool dropExtension) {
    count = static_cast<int>(files.size());
    list.Redim(count);
    for (int i = 1; i <= count; ++i) {
        const QString& f = files.at(i - 1);
        list(i) = dropExtension ? f.left(f.size() - 4) : f;
    }
}
} // namespace

bool Media_PlainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && name != "." && name != "..";
}

QString Media_FindNoCase(const QString& folder, const QString& name) {
    if (folder.isEmpty() || !Media_PlainFileName(name)) return QString();
    if (QFileInfo(folder + name).isFile()) return name;
    for (const QString& e : QDir(folder).entryList(QDir::Files))
        if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
    return QString();
}

QString Media_FitName(const QString& folder, const QString& name, int width) {
    if (name.size() <= width) return name;
    const qsizetype dot = name.lastIndexOf('.');
    const QString ending = dot > 0 ? name.mid(dot) : QString();
    const QString stem = name.left(name.size() - ending.size());
    QSet<QString> taken;
    for (const QString& e : QDir(folder).entryList(QDir::Files))
        taken.insert(e.toLower());
    // The mark grows a digit at a time, so some name is free while the stem keeps a letter.
    for (int n = 1;; ++n) {
        const QString mark = n == 1 ? QString() : QStringLiteral("~%1").arg(n);
        const qsizetype keep = width - ending.size() - mark.size();
        if (keep < 1) return QString();
        const QString fitted = stem.left(keep) + mark + ending;
        if (!taken.contains(fitted.toLower())) return fitted;
    }
}

QStringList Media_FolderFiles(const QString& folder, const QStringList& endings) {
    QStringList out;
    if (folder.isEmpty()) return out;
    const QStringList all = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : all)
        if (endings.contains(f.right(3).toUpper())) out << f;
    return out;
}

void List_Avatars() {
    Fill(Med.AvatarList, Med.AvatarCount, Media_FolderFiles(Com.UserPath + "Avatars/", kPictureEndings),
         false);
}

void List_Backgrounds() {
    Fill(Med.BackgroundList, Tbl.BackgroundCount,
         Media_FolderFiles(Com.UserPath + "Backgrounds/", kPictureEndings), false);
    Med.GameBoardIndex = 0;
    for (int i = 1; i <= Tbl.BackgroundCount; ++i)
        if (Med.BackgroundList(i) == QLatin1String(kGameBoard)) Med.GameBoardIndex = i;
    if (Tbl.BackgroundIndex < 0 || Tbl.BackgroundIndex > Tbl.BackgroundCount + 1) Tbl.BackgroundIndex = 1;
    // The table cycles through the same list, in the same order, that removing reads.
    Tbl.BackgroundList.clear();
    for (int i = 1; i <= Tbl.BackgroundCount; ++i)
        Tbl.BackgroundList << Med.BackgroundList(i);
}

void List_ScoreFiles() {
    Fill(Med.ScoreFiles, Med.ScoreFileCount, Media_FolderFiles(Com.UserPath, {"RAN"}), true);
}

void List_CommentFiles() {
    Fill(Med.CommentFiles, Med.CommentFileCount, Media_FolderFiles(Com.UserPath, {"CMT"}), true);
}

void Background_Remove() {
    // The plain colour (count + 1) and a stale index name no picture to remove.
    if (Tbl.BackgroundIndex < 1 || Tbl.BackgroundIndex > Tbl.BackgroundCount) return;
    const QString name = Med.BackgroundList(Tbl.BackgroundIndex);
    const QString title = QStringLiteral("Remove Background");
    if (name == QLatin1String(kGameBoard)) {
        platform::MsgBox(QStringLiteral("The default game board green background cannot be deleted."),
                         platform::vbCritical, title);
        return;
    }
    const QString path = Com.UserPath + "Backgrounds/" + name;
    if (!QFileInfo(path).isFile() || !QFile::remove(path)) return;
    platform::MsgBox(QStringLiteral("Background removed."), platform::vbInformation, title);
    Tbl.BackgroundIndex -= 1;
    List_Backgrounds();
    MedHooks.Background_Cycle(40);
}
