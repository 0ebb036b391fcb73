#include "db/querysupport.h"

#include "db/connections.h"

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

} // namespace Sorven::DB
