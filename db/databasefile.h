#pragma once

#include <QSqlDatabase>
#include <QString>

// How the palette opens a collection database file, and why a file in the collection folder
// cannot be one.
namespace Sorven::DB {

// Adds a connection that reads the file as it stands and never writes beside it: read-only
// and immutable, so that SQLite takes no locks and creates no "-wal", "-shm" or journal file in
// the machine-wide folder, and a lock another program holds cannot stall the palette.
QSqlDatabase addReadOnlyConnection(const QString &path, const QString &connectionName);

// "no such file", "not a regular file" or "unreadable"; empty for a readable regular file.
// Opening anything else could block (a FIFO) or fail with a less helpful message.
QString databaseFileProblem(const QString &path);

} // namespace Sorven::DB
