#pragma once
// Fixed-width text as the game's record files and network peers hold it:
// Windows-1252 bytes padded with blanks.
#include <QByteArray>
#include <QString>

namespace platform {
// Encodes to Windows-1252; a character that has no byte there becomes '?'.
QByteArray ToCp1252(const QString& s);
QString FromCp1252(const QByteArray& b);
// Exactly `width` bytes: cut or padded with blanks.
QByteArray FixedText(const QString& s, int width);
// Decodes and trims trailing and leading blanks and NULs.
QString TrimFixed(const QByteArray& b);
} // namespace platform
