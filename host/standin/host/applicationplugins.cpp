#include "applicationplugins.h"

#include "packagecontents.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <utility>

QStringList ApplicationPlugins::folders()
{
    QStringList dataFolders
        = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    // An installation moved elsewhere still finds its own bundles.
    dataFolders.append(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share")));
    QStringList folders;
    for (const QString &data : std::as_const(dataFolders)) {
        const QString folder = QDir::cleanPath(
            QDir(data).filePath(QStringLiteral("Stand-in CAD/ApplicationPlugins")));
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QStringList ApplicationPlugins::startupModules()
{
    QStringList modules;
    QStringList seen;
    for (const QString &folder : folders()) {
        const QFileInfoList bundles = QDir(folder).entryInfoList(
            {QStringLiteral("*.bundle")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &bundle : bundles) {
            // The same bundle reached through two data folders is loaded once.
            const QString identity = bundle.canonicalFilePath();
            if (seen.contains(identity))
                continue;
            seen.append(identity);
            const PackageContents contents = PackageContents::read(bundle.filePath());
            for (const QString &problem : contents.problems())
                std::fprintf(stderr, "vexa-host: skipped %s\n", qPrintable(problem));
            modules.append(contents.startupModules());
        }
    }
    return modules;
}
