#include "db/trendoragroup.h"

#include "db/recordfields.h"

namespace Sorven::DB {

TrendoraGroup::TrendoraGroup(const QSqlRecord &row)
{
    AbstractBase::load(row);
    Fields::read(row, QStringLiteral("NAME"), name);
    Fields::read(row, QStringLiteral("DEFAULT_OPEN"), defaultOpen);
    Fields::read(row, QStringLiteral("ORDER"), order);
}

} // namespace Sorven::DB
