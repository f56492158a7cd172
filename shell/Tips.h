#pragma once
// The tips of the day: the list read from the install folder's text file and the
// numbering that steps through it.
#include <QString>
#include <QStringList>

class QByteArray;

inline constexpr char kTipsFile[] = "TIPOFDAY.TXT";

// One tip per line, empty lines included; a line break at the very end starts no tip.
QStringList Tips_Parse(const QByteArray& bytes);
// The tips of `path`; false when the file cannot be read.
bool Tips_Load(const QString& path, QStringList* tips);
// The stored number of the tip shown last, as the window starts from it: a number
// outside the list (below 0 or past its end) counts as 0.
int Tip_Start(int stored, int count);
// The next tip's number (or the previous one's): past either end it goes round.
int Tip_Step(int current, int count, bool back);
// A tip as shown: each "~" is a paragraph break.
QString Tip_Text(const QString& tip);
// The text shown when the tips file is missing.
QString Tips_MissingText();
