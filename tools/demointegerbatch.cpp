#include "tools/demointegerbatch.h"

#include <QSqlError>
#include <QSqlQuery>

namespace Sorven::Demo {

namespace {

constexpr int BatchRows = 500;

const char *const InsertSql = "INSERT INTO %1 (%2) VALUES ";

} // namespace

DemoIntegerBatch::DemoIntegerBatch(const QSqlDatabase &database, const QString &table,
                                   const QStringList &columns)
    : m_database(database),
      m_prefix(QString::fromLatin1(InsertSql).arg(table, columns.join(QLatin1Char(','))).toLatin1())
{ }

void DemoIntegerBatch::add(std::initializer_list<qint64> row)
{
    if (!m_error.isEmpty())
        return;
    m_statement += m_rows == 0 ? m_prefix : QByteArray(",");
    char separator = '(';
    for (qint64 value : row) {
        m_statement += separator;
        m_statement += QByteArray::number(value);
        separator = ',';
    }
    m_statement += ')';
    if (++m_rows == BatchRows)
        flush();
}

bool DemoIntegerBatch::flush()
{
    if (!m_error.isEmpty() || m_rows == 0)
        return m_error.isEmpty();
    QSqlQuery query(m_database);
    if (!query.exec(QString::fromLatin1(m_statement)))
        m_error = QStringLiteral("%1: %2").arg(m_table, query.lastError().text());
    m_statement.clear();
    m_rows = 0;
    return m_error.isEmpty();
}

} // namespace Sorven::Demo
