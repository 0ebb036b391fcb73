#include "db/abstractbase.h"

#include "db/recordfields.h"

namespace Sorven::DB {

void AbstractBase::clear()
{
    id = -1;
}

void AbstractBase::load(const QSqlRecord &row)
{
    clear();
    Fields::read(row, QStringLiteral("ID"), id);
}

} // namespace Sorven::DB
