#pragma once
// Comment sets: files of 20 general comments "<name>.cmt" in the user folder, one
// 100-character text record each, and how seat 2 takes a set at once.
#include <QString>
#include <QtCore/qcontainerfwd.h>

constexpr int kSetComments = 20;   // comments in a set
constexpr int kCommentChars = 100; // characters of one comment
inline constexpr char kCommentEnding[] = ".cmt";
inline constexpr char kCustomComments[] = "Custom.cmt"; // the editor's default file

enum class CommentFile { Ok, Missing, Damaged };
// Reads records 1 to 20, trimmed. A file that is not made of whole records is damaged;
// `texts` is then left as it was.
CommentFile Comments_ReadFile(const QString& path, QStringList* texts);
// Tells the user that a comment file cannot be read (once per file and run).
void Comments_ReportDamaged(const QString& path);
// Writes the 20 texts, trimmed, as records 1 to 20. The file is written beside the
// target and renamed over it, so a failed write leaves the old set whole.
bool Comments_WriteFile(const QString& path, const QStringList& texts, QString* error);
// Copies a file through a temporary file renamed over the target; copying a file onto
// itself does nothing.
bool Media_CopyFile(const QString& from, const QString& to, QString* error);

// The set's name as typed in the name box: trimmed, with a ".cmt" (any case) cut off.
QString CommentSet_Name(const QString& typed);
// True, after telling the user with the bad-name message, when `name` cannot be a
// file name of the user folder (a path separator, : * ? " < > | or a control character)
// or names one of the comment lists' own choices, "No Comments" and "Default Personality".
bool CommentSet_BadName(const QString& name);
// The first text (1-based) that is longer than a comment may be, trimmed; 0 when none.
int Comments_FirstTooLong(const QStringList& texts);

// Seat 2 speaks these comments now; its comment set is recorded in the player's
// profile (opponent slot 1).
void Comments_UseNow(const QStringList& texts);
