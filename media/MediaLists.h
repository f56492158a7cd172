#pragma once
// The lists of the user's media, rebuilt from the folders whenever they are needed:
// avatars, backgrounds, comment sets and network score files.
#include <QString>
#include <QStringList>

inline constexpr char kGameBoard[] = "GameBoard.png";

// The entry of `folder` named `name` regardless of letter case, a regular file; ""
// when there is none or `name` is not a plain file name.
QString Media_FindNoCase(const QString& folder, const QString& name);
// A name read from a file may only name a file inside its folder.
bool Media_PlainFileName(const QString& name);
// The name under which the file `name` goes into `folder` when a record's text field of
// `width` characters keeps it: `name` itself when it fits, else its start cut to fit with
// its ending kept, marked "~2", "~3", ... when another file of the folder has that name.
// "" only when the field is too narrow for a cut name with its mark.
QString Media_FitName(const QString& folder, const QString& name, int width);
// The files of `folder` whose last three characters, in capitals, are one of `endings`,
// in the folder's order; a missing folder has none.
QStringList Media_FolderFiles(const QString& folder, const QStringList& endings);

void List_Avatars();
void List_Backgrounds();
void List_ScoreFiles();
void List_CommentFiles();
// Deletes the background shown now, unless it is the default board.
void Background_Remove();
