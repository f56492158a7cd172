#pragma once
// The install, data, user and documents folders, and the file and folder tests.
// Paths use "/"; DataPath and UserPath end with it, the others do not.
#include <QString>

// Shell folder ids the game asks for.
constexpr int kFolderDocuments = 5;
constexpr int kFolderAppData = 26;

// The per-user product folder under the XDG data folder, created when missing;
// "" when it cannot be named or created.
QString GetAppDataPath();
// The path of a shell folder; AppPath when there is none.
QString GetSpecialFolder(int id);

// The install folder for an executable in `exeDir`: its "assets" folder when present.
QString Folders_AppPathFor(const QString& exeDir);
// Makes Folders_Init take `path` as the install folder; "" goes back to the executable's.
void Folders_SetAppPath(const QString& path);
// Sets AppPath, DataPath, UserPath and DocsPath and creates the per-user folders.
// On failure the data and user paths stay empty and `error` names the folder.
bool Folders_Init(QString* error);

// True when a file or a folder of that name exists.
bool FileExists(const QString& path);
// True when the path, with one trailing "/" removed, is a folder.
bool DirExists(const QString& path);
// Trims blanks and removes one trailing "/" (the root "/" stays).
QString StripSlash(const QString& path);
// `path` less `name` and the separator before it; "" when `name` is not shorter than `path`.
QString FolderOf(const QString& path, const QString& name);
