#include "core/regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace Sorven {

namespace {

bool fail(const QString &why, QString *reason)
{
    if (reason)
        *reason = why;
    return false;
}

#ifndef Q_OS_WIN
QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    return QStringLiteral("a special file");
}
#endif

} // namespace

bool openRegularFile(QFile &file, QString *reason)
{
#ifdef Q_OS_WIN
    if (QFileInfo(file.fileName()).exists() && !QFileInfo(file.fileName()).isFile())
        return fail(QStringLiteral("not a regular file"), reason);
    return file.open(QIODevice::ReadOnly) || fail(file.errorString(), reason);
#else
    // Opened without blocking and then asked what it is, so that a FIFO put in place between a
    // check and the open cannot block either.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(qt_error_string(errno), reason);
    struct stat status
    { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const QString kind = S_ISREG(status.st_mode)
            ? qt_error_string(errno)
            : QStringLiteral("not a regular file but %1").arg(kindOf(status.st_mode));
        ::close(fd);
        return fail(kind, reason);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString(), reason);
    }
    return true;
#endif
}

} // namespace Sorven
