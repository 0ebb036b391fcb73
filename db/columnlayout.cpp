#include "db/columnlayout.h"

namespace Sorven::DB {

ColumnLayout::ColumnLayout(const QSqlRecord &row)
{
    m_positions.reserve(row.count());
    // A join may repeat a name; the first column of it is the one every reader means.
    for (int column = 0; column < row.count(); ++column) {
        const QString name = row.fieldName(column).toUpper();
        if (!m_positions.contains(name))
            m_positions.insert(name, column);
    }
}

} // namespace Sorven::DB
