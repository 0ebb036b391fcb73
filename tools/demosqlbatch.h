#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace Sorven::Demo {

// Inserts rows into one table many at a time: one prepared statement carries a whole batch of
// rows, which makes writing hundreds of thousands of rows a matter of seconds.
class DemoSqlBatch
{
public:
    DemoSqlBatch(const QSqlDatabase &database, const QString &table, const QStringList &columns);
    DemoSqlBatch(const DemoSqlBatch &) = delete;
    DemoSqlBatch &operator=(const DemoSqlBatch &) = delete;

    // Queues one row (one value per column); a full batch is written at once. After a
    // failure rows are dropped, and flush() reports the first error.
    void add(const QVariantList &row);
    // Writes the queued rows; false when any write of this batch failed.
    bool flush();
    QString errorText() const { return m_error; }

private:
    void write(QSqlQuery &query, int rows);
    QString statement(int rows) const;

    QSqlDatabase m_database;
    QString m_table;
    QStringList m_columns;
    int m_batchRows;
    QSqlQuery m_batch;
    bool m_prepared = false;
    QVariantList m_pending;
    QString m_error;
};

} // namespace Sorven::Demo
