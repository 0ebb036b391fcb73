#include "palette/filesaving.h"

#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace Sorven {

namespace {

bool fail(const QString &why, QString *reason)
{
    if (reason)
        *reason = why;
    return false;
}

int syncToDisk(int handle)
{
#ifdef Q_OS_WIN
    return ::_commit(handle);
#else
    return ::fsync(handle);
#endif
}

} // namespace

// Qt 6.4 buffers small writes and its QSaveFile::commit() renames even when the flush inside it
// failed, which put an empty file in place of the old one on a full disk; so each step is
// checked here, before anything is renamed.
bool writeDurably(QFileDevice &file, const QByteArray &bytes, QString *reason)
{
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(file.errorString(), reason);
    if (syncToDisk(file.handle()) != 0)
        return fail(qt_error_string(errno), reason);
    return true;
}

bool saveWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    // Without a commit the temporary file goes with the QSaveFile and the old file stays.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString(), reason);
    if (!writeDurably(file, bytes, reason))
        return false;
    return file.commit() || fail(file.errorString(), reason);
}

} // namespace Sorven
