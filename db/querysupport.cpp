#include "db/querysupport.h"

#include "db/connections.h"
#include "db/databasefile.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>

#include <atomic>
#include <optional>

namespace Sorven::DB {

namespace {

// Prepared statements by connection and text, each waiting for its next run.
QHash<QString, QSqlQuery> &preparedStatements()
{
    static QHash<QString, QSqlQuery> statements;
    return statements;
}

// A statement taken from the waiting ones, if one was prepared on this very connection: a
// connection removed and added again under its name has a new driver.
std::optional<QSqlQuery> takePrepared(const QString &key, const QSqlDatabase &database)
{
    QHash<QString, QSqlQuery> &statements = preparedStatements();
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

} // namespace

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

QSqlError readPrepared(const QUuid &uuid, const QString &sql, const QVariantList &values,
                       const std::function<void(QSqlQuery &query)> &read)
{
    const QSqlDatabase database = collectionDatabase(uuid);
    const QString key = database.connectionName() + u'\n' + sql;
    std::optional<QSqlQuery> query = takePrepared(key, database);
    if (!query) {
        query.emplace(database);
        query->setForwardOnly(true);
        if (!query->prepare(withNamedParameters(sql)))
            return query->lastError();
    }
    for (qsizetype value = 0; value < values.size(); ++value)
        query->bindValue(parameterName(value + 1), values[value]);
    if (!query->exec())
        return query->lastError();
    read(*query);
    // Reset, so that the waiting statement holds no read lock on the file.
    query->finish();
    preparedStatements().insert(key, std::move(*query));
    return {};
}

void forgetPreparedStatements(const QString &connectionName)
{
    const QString prefix = connectionName + u'\n';
    QHash<QString, QSqlQuery> &statements = preparedStatements();
    for (auto statement = statements.begin(); statement != statements.end();) {
        if (statement.key().startsWith(prefix))
            statement = statements.erase(statement);
        else
            ++statement;
    }
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
