#include "db/databasefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace Sorven::DB {

namespace {

// SQLite's result code for a file another connection has locked.
const QString Busy = QStringLiteral("5");

// The file header's read and write versions are 2 in WAL mode.
bool isInWalMode(const QString &path)
{
    QFile file(path);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(20) : QByteArray();
    return header.size() == 20 && header.startsWith("SQLite format 3") && header.at(18) == 2;
}

} // namespace

QSqlDatabase addReadOnlyConnection(const QString &path, const QString &connectionName)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!isInWalMode(path)) {
        database.setDatabaseName(path);
        database.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=100"));
        return database;
    }
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

bool isLockedError(const QSqlError &error)
{
    return error.nativeErrorCode() == Busy;
}

} // namespace Sorven::DB
