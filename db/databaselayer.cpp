#include "db/databaselayer.h"

#include "core/usersettings.h"
#include "db/connections.h"
#include "db/search.h"

#include <QCoreApplication>
#include <QSqlDatabase>

#include <libxml/xmlversion.h>

namespace Sorven::DB {

int initializeDatabaseLayer(const QString &modulePath, const QString &dataPath)
{
    setStartupPaths(modulePath, dataPath);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return QueryFailed;
    const int enumerated = ensureCollectionsEnumerated();
    if (enumerated < 0)
        return enumerated;
    const QList<QUuid> collections = availableCollections();
    if (enumerated == 2 || collections.isEmpty())
        return NoCollectionAvailable;
    // A new host process starts on the first collection; a reload inside the same process
    // keeps the user's choice.
    const qint64 pid = QCoreApplication::applicationPid();
    if (pid != UserSettings::hostApplicationPid()) {
        UserSettings::setLastUsedCollection(collections.first());
        UserSettings::setHostApplicationPid(pid);
    }
    loadNameOrders(UserSettings::lastUsedCollection());
    xmlCheckVersion(20900);
    return Success;
}

} // namespace Sorven::DB
