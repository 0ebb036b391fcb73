#include "db/texture.h"

#include "db/recordfields.h"

#include <QDebug>

namespace Sorven::DB {

Texture::Texture(const QSqlRecord &row)
{
    AbstractBase::load(row);
    if (!Fields::read(row, QStringLiteral("COLLECTION_ID"), collectionId))
        qDebug() << "Oops.";
    Fields::read(row, QStringLiteral("NAME"), name);
    Fields::read(row, QStringLiteral("BASE_ALPHA"), baseAlpha);
    image = QImage::fromData(row.value(QStringLiteral("IMAGE")).toByteArray());
}

} // namespace Sorven::DB
