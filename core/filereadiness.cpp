#include "core/filereadiness.h"

#include "core/regularfile.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace Sorven {

namespace {

#ifdef Q_OS_LINUX
// Linux grants a write-open next to a writer, but refuses a read lease while any process has
// the file open for writing. Where leases are not to be had (another owner, a file system
// without them) the open test alone decides.
bool hasWriter(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool refused = ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0 && errno == EAGAIN;
    if (!refused)
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
    ::close(fd);
    return refused;
}
#else
// Windows refuses the write-open itself while the writer holds the file.
bool hasWriter(const QString &)
{
    return false;
}
#endif

} // namespace

bool isFileFinished(const QString &path)
{
    // Anyone can put a FIFO in the watched folder; opening one for reading would wait for a
    // writer forever.
    QFile regular(path);
    if (path.isEmpty() || !openRegularFile(regular))
        return false;
    regular.close();
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    file.close();
    return !hasWriter(path);
}

} // namespace Sorven
