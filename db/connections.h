#pragma once

#include "db/collectionregistry.h"

#include <QSqlDatabase>
#include <QString>
#include <QUuid>

class QSqlError;

// Discovery of the collection databases and the connections every query runs on.
namespace Sorven::DB {

inline const QUuid SystemWideCollectionUuid {0xffffffff, 0xffff, 0xffff, 0xff, 0xff, 0xff,
                                             0xff,       0xff,   0xff,   0xff, 0xff};

enum Result {
    Success = 0,
    QueryFailed = -1,
    NullCollection = -2,
    NoCollectionAvailable = -3,
    UnknownCollection = -4,
    DatabaseUnavailable = -5,
    NoMatch = -6,
    RowOutsidePage = -10,
};

// The folder that holds the collection databases below "Contents/Resources".
QString collectionDataPath();
// The folder the "*.db" files are read from.
QString collectionDatabaseFolder(const QString &dataPath);

// Start-up state kept for the module's lifetime.
QString modulePath();
QString dataPath();
void setStartupPaths(const QString &modulePath, const QString &dataPath);

CollectionRegistry &collectionRegistry();

int enumerateCollections(CollectionRegistry &registry, bool reset);
int ensureCollectionsEnumerated();
QList<QUuid> availableCollections();
int connectCollection(const QUuid &uuid);
// Why the collection's database cannot be read now (locked, damaged, truncated, gone), in one
// line; empty when it reads. Asked again after every failure: nothing here is remembered, so a
// file that reads again is used again. A file changed since it was opened is read anew, and
// so is a file that fails.
QString collectionReadProblem(const QUuid &uuid);
// The collection the user now looks at: what was read of collections left behind is dropped
// or, beyond the two before it, closed.
void selectCollection(const QUuid &uuid);
// Cancels the reads under way, waits for them and closes every collection and connection, so
// that the module's code may go.
void closeCollections();
qint64 collectionId(const QUuid &uuid);
QUuid collectionUuidById(qint64 id);
// The registered collection with that ID in the file that holds the collection fileOf.
// Collection IDs repeat across files, so a chip found in one file is resolved only within it.
QUuid collectionUuidInFileOf(const QUuid &fileOf, qint64 id);
int collectionUuidBySystemId(const QString &systemId, QUuid &uuid);

// The open connection of the file that holds the collection; invalid when the collection is
// not registered. Call connectCollection first.
QSqlDatabase collectionDatabase(const QUuid &uuid);

// Writes a failed statement's error to the debug output as "number : text".
void logSqlError(const QSqlError &error);

} // namespace Sorven::DB
