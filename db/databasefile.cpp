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

quint32 bigEndian(const QByteArray &bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = offset; i < offset + size; ++i)
        value = (value << 8) | quint8(bytes.at(i));
    return value;
}

} // namespace

QString databaseContentProblem(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return QStringLiteral("not an SQLite database");
    // A page size of 1 stands for 65536; the page count is valid while the "version valid for"
    // number equals the change counter.
    const quint32 pageSize = bigEndian(header, 16, 2) == 1 ? 65536 : bigEndian(header, 16, 2);
    const bool countValid = bigEndian(header, 92, 4) == bigEndian(header, 24, 4);
    const qint64 expected = qint64(pageSize) * bigEndian(header, 28, 4);
    if (countValid && file.size() < expected)
        return QStringLiteral("truncated (%1 of %2 bytes)").arg(file.size()).arg(expected);
    return {};
}

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
