#include "db/abstractbase.h"

namespace Sorven::DB {

void AbstractBase::clear()
{
    id = -1;
}

void AbstractBase::load(const QSqlRecord &row)
{
    const ColumnLayout columns(row);
    load(Fields::Row {row, columns});
}

void AbstractBase::load(const Fields::Row &row)
{
    clear();
    Fields::read(row, QStringLiteral("ID"), id);
}

} // namespace Sorven::DB
