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

QString notRegular(mode_t mode)
{
    return QStringLiteral("not a regular file but %1").arg(kindOf(mode));
}
#endif

// Opens the file; why not, empty when it was opened.
QString openWithoutBlocking(QFile &file)
{
#ifdef Q_OS_WIN
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        return QStringLiteral("not a regular file");
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
#else
    // Opened without blocking and then asked what it is, so that a FIFO put in place between a
    // check and the open cannot block either.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot be opened at all; say what it is rather than the system's puzzle.
        const QString error = qt_error_string(errno);
        struct stat status
        { };
        if (::stat(QFile::encodeName(file.fileName()).constData(), &status) == 0
            && !S_ISREG(status.st_mode))
            return notRegular(status.st_mode);
        return error;
    }
    struct stat status
    { };
    QString refusal;
    if (::fstat(fd, &status) != 0)
        refusal = qt_error_string(errno);
    else if (!S_ISREG(status.st_mode))
        refusal = notRegular(status.st_mode);
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0
             || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refusal = QStringLiteral("cannot be opened");
    if (!refusal.isEmpty())
        ::close(fd);
    return refusal;
#endif
}

} // namespace

bool openRegularFile(QFile &file, QString *reason)
{
    const QString refusal = openWithoutBlocking(file);
    if (!refusal.isEmpty() && reason)
        *reason = refusal;
    return refusal.isEmpty();
}

} // namespace Sorven
