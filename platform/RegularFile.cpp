#include "platform/RegularFile.h"

#include <QSaveFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool RegularFile_OpenRead(QFile& file, const QString& path) {
    // Without waiting: opening a pipe to read returns at once, and is then refused.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool RegularFile_Write(const QString& path, const QByteArray& bytes) {
    // Written beside and renamed over the old one: what stood there is never opened.
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

} // namespace platform
