#pragma once
// A named pipe, a device or a folder where the program expects a file would hold it in open()
// until another program came to the other end: these open and write only plain files, at once.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace platform {

// Opens `path` for reading when it is a plain file (a link to one counts); false for anything
// else, without waiting on it.
bool RegularFile_OpenRead(QFile& file, const QString& path);

// Writes `bytes` as the plain file `path`, put in the place of whatever stood there.
bool RegularFile_Write(const QString& path, const QByteArray& bytes);

} // namespace platform
