#include "tools/demosqlbatch.h"

#include <QSqlError>

#include <algorithm>

namespace Sorven::Demo {

namespace {

// Stays below the smallest limit of bound parameters SQLite builds have used (999).
constexpr int MaxBoundValues = 960;

const char *const InsertSql = "INSERT INTO %1 (%2) VALUES %3";

} // namespace

DemoSqlBatch::DemoSqlBatch(const QSqlDatabase &database, const QString &table,
                           const QStringList &columns)
    : m_database(database),
      m_table(table),
      m_columns(columns),
      m_batchRows(std::max(1, MaxBoundValues / int(columns.size()))),
      m_batch(database)
{ }

void DemoSqlBatch::add(const QVariantList &row)
{
    if (!m_error.isEmpty())
        return;
    m_pending += row;
    if (m_pending.size() < qsizetype(m_batchRows) * m_columns.size())
        return;
    if (!m_prepared && !m_batch.prepare(statement(m_batchRows))) {
        m_error = QStringLiteral("%1: %2").arg(m_table, m_batch.lastError().text());
        return;
    }
    m_prepared = true;
    write(m_batch, m_batchRows);
}

bool DemoSqlBatch::flush()
{
    if (!m_error.isEmpty() || m_pending.isEmpty())
        return m_error.isEmpty();
    QSqlQuery rest(m_database);
    const int rows = int(m_pending.size() / m_columns.size());
    if (rest.prepare(statement(rows)))
        write(rest, rows);
    else
        m_error = QStringLiteral("%1: %2").arg(m_table, rest.lastError().text());
    return m_error.isEmpty();
}

void DemoSqlBatch::write(QSqlQuery &query, int rows)
{
    const int values = rows * int(m_columns.size());
    for (int i = 0; i < values; ++i)
        query.bindValue(i, m_pending[i]);
    m_pending.clear();
    if (!query.exec())
        m_error = QStringLiteral("%1: %2").arg(m_table, query.lastError().text());
}

QString DemoSqlBatch::statement(int rows) const
{
    const QString placeholders = QLatin1Char('(')
        + QStringList(m_columns.size(), QStringLiteral("?")).join(QLatin1Char(','))
        + QLatin1Char(')');
    return QString::fromLatin1(InsertSql).arg(
        m_table, m_columns.join(QLatin1Char(',')),
        QStringList(rows, placeholders).join(QLatin1Char(',')));
}

} // namespace Sorven::Demo
