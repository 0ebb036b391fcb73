#include "core/platformpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Sorven::Platform {

static QString overridden(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::cleanPath(value.isEmpty() ? fallback : value);
}

// On Linux the shared, read-only data of installed software lives in the folders of
// XDG_DATA_DIRS, which is what the all-users program-data folder is to a Windows installation.
// Packages install below /usr/share, a build installed by hand below /usr/local/share.
static QString systemDataFolder()
{
    // The collections decide, so that the measurement folder and the collections of one
    // installation are found in the same place.
    const QString holding = QStringLiteral("Orvo Kalin/Vexa Plugin/SQLite");
    QStringList folders = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
    if (folders.isEmpty())
        folders = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    const QStringList candidates = folders;
    // An installation moved elsewhere still finds the data installed with it.
    if (QCoreApplication::instance())
        folders.append(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share")));
    for (const QString &folder : std::as_const(folders)) {
        if (QFileInfo(QDir(folder).filePath(holding)).isDir())
            return folder;
    }
    return candidates.first();
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
