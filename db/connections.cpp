#include "db/connections.h"

#include "core/platformpaths.h"
#include "db/databasefile.h"
#include "db/lookups.h"
#include "db/opencollection.h"
#include "db/querylog.h"
#include "db/querysupport.h"
#include "db/schema.h"

#include <QDebug>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace Sorven::DB {

namespace {

const QString EnumeratorConnection = QStringLiteral("collectionEnumerator");
const QString AvailabilityConnection = QStringLiteral("tmpCheckAvailability");

const char *const EnabledCollectionsSql
    = "SELECT     DISTINCT C.* FROM     COLLECTION C     LEFT JOIN SETTING S ON "
      "S.COLLECTION_ID = C.ID WHERE     (C.UUID = '%1' COLLATE NOCASE) OR     (S.NAME = '%2' "
      "COLLATE NOCASE AND S.VALUE = 1)";

struct StartupPaths
{
    QString module;
    QString data;
};

StartupPaths &startupPaths()
{
    static StartupPaths paths;
    return paths;
}

const char *const CollectionTableSql
    = "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE";

QString unreadable(const QSqlError &error)
{
    return isLockedError(error) ? QStringLiteral("locked by another program")
                                : QStringLiteral("cannot be read (%1)").arg(error.text());
}

// Registers the file's collections; answers why the file was passed over, or nothing.
QString registerCollections(CollectionRegistry &registry, const QSqlDatabase &database,
                            const QString &path)
{
    QSqlQuery query(database);
    // A damaged or locked file fails as early as the statement is prepared.
    const bool prepared = query.prepare(QString::fromLatin1(CollectionTableSql));
    query.addBindValue(QLatin1String(COLLECTION));
    if (!prepared || !query.exec() || !query.next())
        return unreadable(query.lastError());
    if (query.value(0).toInt() == 0)
        return QStringLiteral("no COLLECTION table");
    const QString sql = QString::fromLatin1(EnabledCollectionsSql)
                            .arg(SystemWideCollectionUuid.toString(QUuid::WithBraces).toUpper(),
                                 QStringLiteral("collection.enabled"));
    if (!query.exec(sql))
        return unreadable(query.lastError());
    while (query.next()) {
        const QSqlRecord row = query.record();
        const QUuid uuid(row.value(QStringLiteral("UUID")).toString());
        if (uuid.isNull())
            continue;
        if (registry.insert({uuid, row.value(QStringLiteral("ID")).toLongLong(),
                             row.value(QStringLiteral("ORDER")).toInt(), path,
                             row.value(QStringLiteral("SYSTEMID")).toString()}))
            continue;
        // A copy in another file must not pass in silence: the first file keeps the collection
        // (and, for the system-wide one, every collection's theme and shared settings).
        const QString keptIn = registry.find(uuid)->databasePath;
        if (keptIn != path && registry.shadow({uuid, keptIn, path}))
            qWarning().noquote() << registry.shadowedCollections().constLast().notice();
    }
    return {};
}

QString enumerateFile(CollectionRegistry &registry, const QString &path)
{
    if (const QString problem = databaseFileProblem(path); !problem.isEmpty())
        return problem;
    QString problem;
    {
        QSqlDatabase database = addReadOnlyConnection(path, EnumeratorConnection);
        problem = database.open() ? registerCollections(registry, database, path)
                                  : unreadable(database.lastError());
    }
    QSqlDatabase::removeDatabase(EnumeratorConnection);
    return problem;
}

QString connectionName(const CollectionInfo &info)
{
    return Platform::pathIdentity(info.databasePath);
}

} // namespace

QString collectionDatabaseFolder(const QString &dataPath)
{
    QString folder = QDir::toNativeSeparators(dataPath);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder + QDir::toNativeSeparators(QStringLiteral("Contents/Resources"));
}

QString collectionDataPath()
{
    return QStringLiteral("%1%2Orvo Kalin%2Vexa Plugin%2SQLite")
        .arg(Platform::commonAppDataFolder(), QDir::separator());
}

QString modulePath()
{
    return startupPaths().module;
}

QString dataPath()
{
    return startupPaths().data;
}

void setStartupPaths(const QString &modulePath, const QString &dataPath)
{
    startupPaths() = {modulePath, dataPath};
}

CollectionRegistry &collectionRegistry()
{
    static CollectionRegistry registry;
    return registry;
}

int enumerateCollections(CollectionRegistry &registry, bool reset)
{
    if (reset) {
        registry.clear();
        forgetCachedLookups();
    }
    const QDir folder(
        collectionDatabaseFolder(dataPath().isEmpty() ? collectionDataPath() : dataPath()));
    if (!folder.exists())
        return Success;
    // File-name order, so that which copy of a duplicated collection wins is the same on
    // every machine. Folders, links and special files are listed too, so that a "*.db" that
    // cannot be read is reported rather than passed over in silence.
    const QFileInfoList files
        = folder.entryInfoList({QStringLiteral("*.db")},
                               QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString path = file.absoluteFilePath();
        const QString problem = enumerateFile(registry, path);
        if (!problem.isEmpty() && registry.skip(path, problem))
            qWarning().noquote()
                << QStringLiteral("skipped collection database %1: %2").arg(path, problem);
    }
    return Success;
}

int ensureCollectionsEnumerated()
{
    CollectionRegistry &registry = collectionRegistry();
    if (registry.isEmpty()) {
        if (const int result = enumerateCollections(registry, true); result < 0)
            return result;
    }
    return registry.isEmpty() ? 2 : 1;
}

QList<QUuid> availableCollections()
{
    if (ensureCollectionsEnumerated() < 0)
        return {};
    QList<CollectionInfo> offered;
    for (const CollectionInfo &info : collectionRegistry().entries()) {
        if (info.uuid != SystemWideCollectionUuid)
            offered.append(info);
    }
    // Collections that share an ORDER value (possible across files) are all offered.
    std::stable_sort(offered.begin(), offered.end(),
                     [](const CollectionInfo &left, const CollectionInfo &right) {
                         return std::tie(left.order, left.databasePath)
                             < std::tie(right.order, right.databasePath);
                     });
    QList<QUuid> uuids;
    for (const CollectionInfo &info : offered)
        uuids.append(info.uuid);
    return uuids;
}

int connectCollection(const QUuid &uuid)
{
    if (uuid.isNull())
        return NullCollection;
    CollectionRegistry &registry = collectionRegistry();
    if (!registry.contains(uuid))
        enumerateCollections(registry, false);
    const CollectionInfo *info = registry.find(uuid);
    if (!info)
        return UnknownCollection;
    const QString name = connectionName(*info);
    // Every connected collection has its owner, which closes the connection with the file.
    OpenCollection::of(uuid);
    if (QSqlDatabase::contains(name))
        return Success;
    bool available = false;
    {
        QSqlDatabase probe = addReadOnlyConnection(info->databasePath, AvailabilityConnection);
        available = databaseFileProblem(info->databasePath).isEmpty() && probe.open();
        probe.close();
    }
    QSqlDatabase::removeDatabase(AvailabilityConnection);
    if (!available)
        return DatabaseUnavailable;
    addReadOnlyConnection(info->databasePath, name).open();
    return Success;
}

const char *const ReadProbeSql = "SELECT COUNT(*) FROM COLLECTION_PAGE_MAP WHERE COLLECTION_ID = ?";

namespace {

QString readProblem(const QUuid &uuid)
{
    const int connected = connectCollection(uuid);
    if (connected == NullCollection || connected == UnknownCollection)
        return QStringLiteral("not installed");
    const QString path = collectionRegistry().find(uuid)->databasePath;
    if (const QString problem = databaseFileProblem(path); !problem.isEmpty())
        return problem;
    if (const QString problem = databaseContentProblem(path); !problem.isEmpty())
        return problem;
    if (connected != Success)
        return QStringLiteral("cannot be opened");
    QSqlQuery query(collectionDatabase(uuid));
    const bool prepared = query.prepare(QString::fromLatin1(ReadProbeSql));
    query.addBindValue(collectionId(uuid));
    if (!prepared || !query.exec() || !query.next())
        return unreadable(query.lastError());
    return {};
}

} // namespace

QString collectionReadProblem(const QUuid &uuid)
{
    OpenCollection::forgetIfChanged(uuid);
    const QString problem = readProblem(uuid);
    if (const CollectionInfo *info = collectionRegistry().find(uuid); info && !problem.isEmpty())
        OpenCollection::forgetFile(info->databasePath);
    return problem;
}

void selectCollection(const QUuid &uuid)
{
    OpenCollection::select(uuid);
}

void closeCollections()
{
    OpenCollection::closeAll();
}

qint64 collectionId(const QUuid &uuid)
{
    const CollectionInfo *info = collectionRegistry().find(uuid);
    return info ? info->id : -1;
}

QUuid collectionUuidById(qint64 id)
{
    for (const CollectionInfo &info : collectionRegistry().entries()) {
        if (info.id == id)
            return info.uuid;
    }
    return {};
}

QUuid collectionUuidInFileOf(const QUuid &fileOf, qint64 id)
{
    const CollectionRegistry &registry = collectionRegistry();
    const CollectionInfo *file = registry.find(fileOf);
    if (!file)
        return {};
    for (const CollectionInfo &info : registry.entries()) {
        if (info.id == id && info.databasePath == file->databasePath)
            return info.uuid;
    }
    return {};
}

int collectionUuidBySystemId(const QString &systemId, QUuid &uuid)
{
    for (const CollectionInfo &info : collectionRegistry().entries()) {
        if (info.systemId.compare(systemId, Qt::CaseInsensitive) == 0) {
            uuid = info.uuid;
            return Success;
        }
    }
    return QueryFailed;
}

QSqlDatabase collectionDatabase(const QUuid &uuid)
{
    const CollectionInfo *info = collectionRegistry().find(uuid);
    return info ? QSqlDatabase::database(connectionName(*info), true) : QSqlDatabase();
}

void logSqlError(const QSqlError &error)
{
    qCDebug(queryLog).noquote() << error.nativeErrorCode() + QStringLiteral(" : ") + error.text();
}

} // namespace Sorven::DB
