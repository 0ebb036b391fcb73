#include "db/texturemapentry.h"

#include "db/recordfields.h"

namespace Sorven::DB {

TextureMapEntry::TextureMapEntry(const QSqlRecord &record)
{
    const ColumnLayout columns(record);
    const Fields::Row row {record, columns};
    Fields::read(row, QStringLiteral("TEXTURE_ID"), textureId);
    Fields::read(row, QStringLiteral("PAGE_ID"), pageId);
    Fields::read(row, QStringLiteral("NAME"), name);
    Fields::read(row, QStringLiteral("ALPHA"), alpha);
}

} // namespace Sorven::DB
