#pragma once

#include <QSqlDatabase>
#include <QString>

class QSqlError;

// How the palette opens a collection database file, and why a file in the collection folder
// cannot be one.
namespace Sorven::DB {

// Adds a read-only connection that never writes beside the file. A file in WAL mode is read
// immutable, as it stands, since a reader of the log would create "-shm" and "-wal" files in
// the machine-wide folder; any other file is read with a short busy wait, so a lock another
// program holds cannot stall the palette.
QSqlDatabase addReadOnlyConnection(const QString &path, const QString &connectionName);

// "no such file", "not a regular file" or "unreadable"; empty for a readable regular file.
// Opening anything else could block (a FIFO) or fail with a less helpful message.
QString databaseFileProblem(const QString &path);

// "not an SQLite database" or "truncated" from the file's header, which records the page size
// and, while valid, the page count; empty when the header and the file's length agree. A file
// cut short or overwritten in place while it is read fails only on the pages it lost.
QString databaseContentProblem(const QString &path);

// Whether a statement failed because another program holds a lock on the file.
bool isLockedError(const QSqlError &error);

} // namespace Sorven::DB
