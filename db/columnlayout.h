#pragma once

#include <QHash>
#include <QSqlRecord>
#include <QString>

namespace Sorven::DB {

// Where each named column of a query's rows stands, looked up once per statement: finding a
// column by name in a row compares every column, which dominates reading a chip otherwise.
class ColumnLayout
{
public:
    explicit ColumnLayout(const QSqlRecord &row);

    // The first column of that name, or -1. Names are given in upper case, as the schema
    // writes them; the row's own spelling does not matter.
    int indexOf(const QString &column) const { return m_positions.value(column, -1); }

private:
    QHash<QString, int> m_positions;
};

} // namespace Sorven::DB
