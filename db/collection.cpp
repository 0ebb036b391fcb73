#include "db/collection.h"

#include "db/recordfields.h"

namespace Sorven::DB {

Collection::Collection(const QSqlRecord &record)
{
    const ColumnLayout columns(record);
    const Fields::Row row {record, columns};
    AbstractBase::load(row);
    Fields::read(row, QStringLiteral("SYSTEMID"), systemId);
    Fields::read(row, QStringLiteral("VERSION"), version);
    QString uuidText;
    Fields::read(row, QStringLiteral("UUID"), uuidText);
    if (const QUuid parsed(uuidText); !parsed.isNull())
        uuid = parsed;
    Fields::read(row, QStringLiteral("NAME"), name);
    Fields::read(row, QStringLiteral("ORDER"), order);
}

} // namespace Sorven::DB
