#include "db/databasefile.h"

#include <QFileInfo>
#include <QUrl>

namespace Sorven::DB {

QSqlDatabase addReadOnlyConnection(const QString &path, const QString &connectionName)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // Percent-encoded, so that a "?" or "#" in the path cannot pass as a URI parameter.
    database.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)
                             + QStringLiteral("?immutable=1"));
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    return database;
}

QString databaseFileProblem(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink())
        return QStringLiteral("no such file");
    if (!file.isFile())
        return QStringLiteral("not a regular file");
    if (!file.isReadable())
        return QStringLiteral("unreadable");
    return {};
}

} // namespace Sorven::DB
