#include "db/texture.h"

#include "db/querylog.h"
#include "db/recordfields.h"

namespace Sorven::DB {

Texture::Texture(const QSqlRecord &record)
{
    const ColumnLayout columns(record);
    const Fields::Row row {record, columns};
    AbstractBase::load(row);
    if (!Fields::read(row, QStringLiteral("COLLECTION_ID"), collectionId))
        qCDebug(queryLog) << "Oops.";
    Fields::read(row, QStringLiteral("NAME"), name);
    Fields::read(row, QStringLiteral("BASE_ALPHA"), baseAlpha);
    if (const int column = columns.indexOf(QStringLiteral("IMAGE")); column >= 0)
        image = QImage::fromData(record.value(column).toByteArray());
}

} // namespace Sorven::DB
