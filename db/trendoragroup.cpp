#include "db/trendoragroup.h"

#include "db/recordfields.h"

namespace Sorven::DB {

TrendoraGroup::TrendoraGroup(const QSqlRecord &record)
{
    const ColumnLayout columns(record);
    const Fields::Row row {record, columns};
    AbstractBase::load(row);
    Fields::read(row, QStringLiteral("NAME"), name);
    Fields::read(row, QStringLiteral("DEFAULT_OPEN"), defaultOpen);
    Fields::read(row, QStringLiteral("ORDER"), order);
}

} // namespace Sorven::DB
