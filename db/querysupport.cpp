#include "db/querysupport.h"

#include "db/connections.h"
#include "db/databasefile.h"

#include <QSqlError>

#include <atomic>

namespace Sorven::DB {

QSqlQuery collectionQuery(const QUuid &uuid)
{
    QSqlQuery query(collectionDatabase(uuid));
    // Rows are read once, front to back; not caching them saves a copy of every row.
    query.setForwardOnly(true);
    return query;
}

bool runStatement(QSqlQuery &query, const QString &sql, BoundValues values)
{
    if (!query.prepare(sql))
        return false;
    for (const auto &[name, value] : values)
        query.bindValue(QLatin1String(name), value);
    return query.exec();
}

bool runOnOwnConnection(const QString &path, const QString &sql,
                        const std::function<void(QSqlQuery &query)> &read)
{
    static std::atomic<int> serial;
    const QString name = QStringLiteral("own connection %1").arg(++serial);
    bool ran = false;
    {
        QSqlDatabase database = addReadOnlyConnection(path, name);
        if (database.open()) {
            QSqlQuery query(database);
            query.setForwardOnly(true);
            ran = runStatement(query, sql);
            if (ran)
                read(query);
            else
                logSqlError(query.lastError());
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ran;
}

} // namespace Sorven::DB
