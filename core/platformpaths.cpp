#include "core/platformpaths.h"

#include <QDir>
#include <QStandardPaths>

namespace Sorven::Platform {

static QString overridden(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::cleanPath(value.isEmpty() ? fallback : value);
}

// On Linux the shared, read-only data of installed software lives below /usr/local/share
// (or the first folder of XDG_DATA_DIRS), which is what the all-users program-data folder
// is to a Windows installation.
static QString systemDataFolder()
{
    const QStringList xdg = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
    return xdg.isEmpty() ? QStringLiteral("/usr/local/share") : xdg.first();
}

QString commonAppDataFolder()
{
    return overridden("VEXA_COMMON_APPDATA", systemDataFolder());
}

QString tempFolder()
{
    return overridden("VEXA_TEMP_DIR", QDir::tempPath());
}

QString documentsFolder()
{
    return overridden("VEXA_DOCUMENTS_DIR",
                      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString pathIdentity(const QString &path)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return path.toLower();
#else
    return path;
#endif
}

} // namespace Sorven::Platform
