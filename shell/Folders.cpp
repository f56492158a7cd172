#include "shell/Folders.h"
#include "common/Shared.h"
#include "platform/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kProductFolder = QStringLiteral("/Vornhelm/Grulm and Torvek");
// Folders below UserPath that the import dialogs and the chat expect to find.
const char* const kUserFolders[] = {"Avatars", "Backgrounds", "Sounds", "Icons"};

QString& AppPathOverride() {
    static QString path;
    return path;
}

// mkpath also succeeds when the folder is already there; a file of that name fails.
bool MakeFolder(const QString& path) {
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

QString CannotCreate(const QString& folder) {
    return QStringLiteral("Grulm and Torvek cannot create the folder \"%1\" for its files. Please check that "
                          "the folder can be written and start the game again.")
        .arg(folder);
}

QString TrimBlanks(const QString& s) {
    qsizetype lo = 0, hi = s.size();
    while (lo < hi && s.at(lo) == ' ')
        ++lo;
    while (hi > lo && s.at(hi - 1) == ' ')
        --hi;
    return s.mid(lo, hi - lo);
}
} // namespace

QString GetAppDataPath() {
    const QString root = platform::UserDataRoot();
    if (root.isEmpty()) return QString();
    const QString path = root + kProductFolder;
    return MakeFolder(path) ? path : QString();
}

QString GetSpecialFolder(int id) {
    QString path;
    if (id == kFolderDocuments) {
        path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        // Without a Documents folder the player's dialogs start where the player may write:
        // the home folder, else the game's data folder (never the install folder).
        for (const QString& next : {QDir::homePath(), Com.DataPath}) {
            if (!path.isEmpty() && QFileInfo(path).isDir()) break;
            path = StripSlash(next);
        }
    } else if (id == kFolderAppData) {
        path = platform::UserDataRoot();
    }
    if (path.isEmpty() || !QFileInfo(path).isDir()) return Com.AppPath;
    return path;
}

QString Folders_AppPathFor(const QString& exeDir) {
    const QString assets = exeDir + "/assets";
    return QFileInfo(assets).isDir() ? assets : exeDir;
}

void Folders_SetAppPath(const QString& path) {
    AppPathOverride() = path;
}

bool Folders_Init(QString* error) {
    auto fail = [&](const QString& text) {
        Com.DataPath.clear();
        Com.UserPath.clear();
        if (error) *error = text;
        return false;
    };

    Com.AppPath = AppPathOverride().isEmpty() ? Folders_AppPathFor(QCoreApplication::applicationDirPath())
                                              : AppPathOverride();

    const QString root = platform::UserDataRoot();
    if (root.isEmpty())
        return fail(QStringLiteral("The folder for the game's own files cannot be found, because the "
                                   "home folder is not known. Please set HOME and start the game again."));
    const QString base = GetAppDataPath();
    if (base.isEmpty()) return fail(CannotCreate(root + kProductFolder));

    const QString data = base + "/Data";
    const QString user = base + "/User";
    QStringList folders{data, user};
    for (const char* sub : kUserFolders)
        folders << user + "/" + sub;
    for (const QString& f : folders)
        if (!MakeFolder(f)) return fail(CannotCreate(f));

    Com.DataPath = data + "/";
    Com.UserPath = user + "/";
    Com.DocsPath = GetSpecialFolder(kFolderDocuments);
    return true;
}

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool DirExists(const QString& path) {
    const QString p = StripSlash(path);
    return !p.isEmpty() && QFileInfo(p).isDir();
}

QString StripSlash(const QString& path) {
    QString p = TrimBlanks(path);
    if (p.size() > 1 && p.endsWith('/')) p.chop(1);
    return p;
}

QString FolderOf(const QString& path, const QString& name) {
    const qsizetype keep = path.size() - name.size() - 1;
    return keep < 0 ? QString() : path.left(keep);
}
