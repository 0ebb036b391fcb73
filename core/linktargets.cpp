#include "core/linktargets.h"

#include <QDir>
#include <QFileInfo>

namespace Sorven::LinkTargets {

namespace {

const QString AppFolder = QStringLiteral("%APP%");

// A file URL of a folder that starts with a slash would get a fourth one from "file:///%APP%".
QString expandAppFolder(QString link, const QString &folder)
{
    if (folder.startsWith(u'/'))
        link.replace(u'/' + AppFolder, folder);
    return link.replace(AppFolder, folder);
}

bool isDocument(const QFileInfo &file)
{
    const QString suffix = file.suffix().toLower();
    return file.isFile()
        && (suffix == QLatin1String("html") || suffix == QLatin1String("htm")
            || suffix == QLatin1String("pdf"));
}

// Checked on the path as written, before the file system resolves it.
bool climbsOut(const QString &path)
{
    return QDir::fromNativeSeparators(path).split(u'/').contains(QStringLiteral(".."));
}

} // namespace

QUrl webLink(const QString &link)
{
    const QUrl url(link.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {};
    return url;
}

QUrl helpLink(const QString &link, const QString &moduleFolder)
{
    if (const QUrl web = webLink(link); !web.isEmpty())
        return web;
    const QString folder = QFileInfo(moduleFolder).canonicalFilePath();
    const QUrl url(expandAppFolder(link.trimmed(), folder), QUrl::StrictMode);
    if (folder.isEmpty() || !url.isValid() || !url.isLocalFile() || climbsOut(url.path()))
        return {};
    // A symbolic link inside the folder may still lead out of it, or to a program.
    const QString canonical = QFileInfo(url.toLocalFile()).canonicalFilePath();
    if (!canonical.startsWith(folder + u'/') || !isDocument(QFileInfo(canonical)))
        return {};
    return QUrl::fromLocalFile(canonical);
}

} // namespace Sorven::LinkTargets
