#include "db/querysupport.h"

#include "db/connections.h"
#include "db/databasefile.h"
#include "db/opencollection.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>

#include <atomic>
#include <optional>

namespace Sorven::DB {

namespace {

// A statement taken from the waiting ones, if one was prepared on this very connection: a
// connection removed and added again under its name has a new driver.
std::optional<QSqlQuery> takePrepared(QHash<QString, QSqlQuery> &statements, const QString &key,
                                      const QSqlDatabase &database)
{
    const auto found = statements.find(key);
    if (found == statements.end())
        return std::nullopt;
    QSqlQuery query = std::move(*found);
    statements.erase(found);
    if (query.driver() != database.driver())
        return std::nullopt;
    return query;
}

QString parameterName(qsizetype number)
{
    return QStringLiteral(":v%1").arg(number);
}

// Named rather than numbered parameters: Qt rewrites every "?" into a name of its own.
QString withNamedParameters(const QString &sql)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+)"));
    return QString(sql).replace(placeholder, QStringLiteral(":v\\1"));
}

// Runs the statement as readPrepared does, binding its named values too.
QSqlError runPrepared(const QUuid &uuid, const CollectionStatement &statement,
                      const std::function<void(QSqlQuery &query)> &read)
{
    OpenCollection *open = OpenCollection::of(uuid);
    if (!open)
        return QSqlError(QStringLiteral("not installed"), {}, QSqlError::ConnectionError);
    const QSqlDatabase database = collectionDatabase(uuid);
    std::optional<QSqlQuery> query = takePrepared(open->statements(), statement.sql, database);
    if (!query) {
        query.emplace(database);
        query->setForwardOnly(true);
        if (!query->prepare(withNamedParameters(statement.sql)))
            return query->lastError();
    }
    for (qsizetype value = 0; value < statement.values.size(); ++value)
        query->bindValue(parameterName(value + 1), statement.values[value]);
    for (const auto &[name, value] : statement.named)
        query->bindValue(name, value);
    if (!query->exec())
        return query->lastError();
    read(*query);
    // Reset, so that the waiting statement holds no read lock on the file.
    query->finish();
    open->statements().insert(statement.sql, std::move(*query));
    return {};
}

} // namespace

bool runStatement(QSqlQuery &query, const QString &sql, BoundValues values)
{
    if (!query.prepare(sql))
        return false;
    for (const auto &[name, value] : values)
        query.bindValue(QLatin1String(name), value);
    return query.exec();
}

QSqlError readPrepared(const QUuid &uuid, const QString &sql, const QVariantList &values,
                       const std::function<void(QSqlQuery &query)> &read)
{
    return runPrepared(uuid, {sql, values}, read);
}

int queryCollection(const QUuid &uuid, const std::function<CollectionStatement()> &statement,
                    const std::function<int(QSqlQuery &query)> &read)
{
    if (const int result = connectCollection(uuid); result < 0)
        return result;
    int answer = QueryFailed;
    const QSqlError error
        = runPrepared(uuid, statement(), [&](QSqlQuery &query) { answer = read(query); });
    if (!error.isValid())
        return answer;
    logSqlError(error);
    return QueryFailed;
}

bool withOwnConnection(const QString &path, const std::function<void(const QSqlDatabase &)> &use)
{
    static std::atomic<int> serial;
    const QString name = QStringLiteral("own connection %1").arg(++serial);
    bool opened = false;
    {
        QSqlDatabase database = addReadOnlyConnection(path, name);
        opened = database.open();
        if (opened)
            use(database);
    }
    QSqlDatabase::removeDatabase(name);
    return opened;
}

} // namespace Sorven::DB
