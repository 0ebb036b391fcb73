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

bool DemoIntegerBatch::add(std::initializer_list<qint64> row)
{
    m_statement += m_rows == 0 ? m_prefix : QByteArray(",");
    char separator = '(';
    for (qint64 value : row) {
        m_statement += separator;
        m_statement += QByteArray::number(value);
        separator = ',';
    }
    m_statement += ')';
    return ++m_rows < BatchRows || flush();
}

bool DemoIntegerBatch::flush()
{
    if (m_rows == 0)
        return true;
    QSqlQuery query(m_database);
    const bool written = query.exec(QString::fromLatin1(m_statement));
    m_statement.clear();
    m_rows = 0;
    if (!written)
        m_error = query.lastError().text();
    return written;
}

} // namespace Sorven::Demo
