#include "db/connections.h"

#include "db/schema.h"
#include "host/platformpaths.h"

#include <QDebug>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace Sorven::DB {

namespace {

const QString Driver = QStringLiteral("QSQLITE");
const QString EnumeratorConnection = QStringLiteral("collectionEnumerator");
const QString AvailabilityConnection = QStringLiteral("tmpCheckAvailability");
// Read-only, so that opening a file that has gone missing cannot create an empty database.
const QString ReadOnly = QStringLiteral("QSQLITE_OPEN_READONLY");

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

QSqlDatabase addReadOnlyConnection(const QString &path, const QString &name)
{
    QSqlDatabase database = QSqlDatabase::addDatabase(Driver, name);
    database.setDatabaseName(path);
    database.setConnectOptions(ReadOnly);
    return database;
}

void registerCollections(CollectionRegistry &registry, QSqlDatabase &database)
{
    QSqlQuery query(database);
    const QString sql = QString::fromLatin1(EnabledCollectionsSql)
                            .arg(SystemWideCollectionUuid.toString(QUuid::WithBraces).toUpper(),
                                 QStringLiteral("collection.enabled"));
    if (!query.exec(sql))
        return;
    while (query.next()) {
        const QSqlRecord row = query.record();
        const QUuid uuid(row.value(QStringLiteral("UUID")).toString());
        if (uuid.isNull())
            continue;
        registry.insert({uuid, row.value(QStringLiteral("ID")).toLongLong(),
                         row.value(QStringLiteral("ORDER")).toInt(), database.databaseName(),
                         row.value(QStringLiteral("SYSTEMID")).toString()});
    }
}

void enumerateFile(CollectionRegistry &registry, const QString &path)
{
    {
        QSqlDatabase database = addReadOnlyConnection(path, EnumeratorConnection);
        const bool hasCollections = database.open()
            && database.tables().contains(QLatin1String(COLLECTION), Qt::CaseInsensitive);
        if (hasCollections)
            registerCollections(registry, database);
    }
    QSqlDatabase::removeDatabase(EnumeratorConnection);
}

QString connectionName(const CollectionInfo &info)
{
    return info.databasePath.toLower();
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
    if (reset)
        registry.clear();
    const QDir folder(
        collectionDatabaseFolder(dataPath().isEmpty() ? collectionDataPath() : dataPath()));
    if (!folder.exists())
        return Success;
    // File-name order, so that which copy of a duplicated collection wins is the same on
    // every machine.
    const QFileInfoList files
        = folder.entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files)
        enumerateFile(registry, file.absoluteFilePath());
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
    if (QSqlDatabase::contains(name))
        return Success;
    bool available = false;
    {
        QSqlDatabase probe = addReadOnlyConnection(info->databasePath, AvailabilityConnection);
        available = QFileInfo::exists(info->databasePath) && probe.open();
        probe.close();
    }
    QSqlDatabase::removeDatabase(AvailabilityConnection);
    if (!available)
        return DatabaseUnavailable;
    addReadOnlyConnection(info->databasePath, name).open();
    return Success;
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
    qDebug().noquote() << error.nativeErrorCode() + QStringLiteral(" : ") + error.text();
}

} // namespace Sorven::DB
