#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace Sorven::Demo {

// Inserts rows of integers many at a time, written into the statement as numbers. The mapping
// tables (schemes, pages, products) hold millions of such rows in a benchmark collection, and
// binding each value costs more than writing it.
class DemoIntegerBatch
{
public:
    DemoIntegerBatch(const QSqlDatabase &database, const QString &table,
                     const QStringList &columns);
    DemoIntegerBatch(const DemoIntegerBatch &) = delete;
    DemoIntegerBatch &operator=(const DemoIntegerBatch &) = delete;

    // Queues one row (one value per column); a full batch is written at once. After a
    // failure rows are dropped, and flush() reports the first error.
    void add(std::initializer_list<qint64> row);
    // Writes the queued rows; false when any write of this batch failed.
    bool flush();
    QString errorText() const { return m_error; }

private:
    QSqlDatabase m_database;
    QString m_table;
    QByteArray m_prefix;
    QByteArray m_statement;
    int m_rows = 0;
    QString m_error;
};

} // namespace Sorven::Demo
