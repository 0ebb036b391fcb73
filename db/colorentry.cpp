#include "db/colorentry.h"

#include "db/querylog.h"
#include "db/recordfields.h"

namespace Sorven::DB {

ColorEntry::ColorEntry(const QSqlRecord &row)
{
    load(row);
}

ColorEntry::ColorEntry(const QSqlRecord &row, const ColumnLayout &columns)
{
    load(Fields::Row {row, columns});
}

void ColorEntry::clear()
{
    *this = ColorEntry();
}

void ColorEntry::load(const Fields::Row &row)
{
    clear();
    AbstractBase::load(row);
    if (!Fields::read(row, QStringLiteral("COLLECTION_ID"), collectionId))
        qCDebug(queryLog) << "Oops.";
    Fields::read(row, QStringLiteral("PAGE_ID"), pageId);
    Fields::read(row, QStringLiteral("CODE"), code);
    Fields::readNames(row, names);
    Fields::readExtras(row, extras);
    Fields::read(row, QStringLiteral("SEGMENT"), segment);
    Fields::read(row, QStringLiteral("ROW_INDEX"), rowIndex);
    Fields::read(row, QStringLiteral("PAGE_ORDER"), pageOrder);
    Fields::read(row, QStringLiteral("RED"), red);
    Fields::read(row, QStringLiteral("GREEN"), green);
    Fields::read(row, QStringLiteral("BLUE"), blue);
    Fields::read(row, QStringLiteral("L"), l);
    Fields::read(row, QStringLiteral("A"), a);
    Fields::read(row, QStringLiteral("B"), b);
    Fields::read(row, QStringLiteral("IS_MTO"), isMto);
    Fields::read(row, QStringLiteral("NEUTRAL"), neutral);
    Fields::read(row, QStringLiteral("WHITE"), white);
    Fields::readMood(row, mood);
    Fields::read(row, QStringLiteral("SCHEME_POS"), schemePos);
    Fields::read(row, QStringLiteral("NSCHEME_POS"), nschemePos);
}

QString ColorEntry::name(int index) const
{
    return Fields::at(names, index);
}

QString ColorEntry::extra(int index) const
{
    return Fields::at(extras, index);
}

} // namespace Sorven::DB
