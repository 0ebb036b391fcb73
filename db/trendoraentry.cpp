#include "db/trendoraentry.h"

#include "db/recordfields.h"

namespace Sorven::DB {

TrendoraEntry::TrendoraEntry(const QSqlRecord &row) : TrendoraEntry(row, ColumnLayout(row)) { }

TrendoraEntry::TrendoraEntry(const QSqlRecord &record, const ColumnLayout &columns)
{
    const Fields::Row row {record, columns};
    AbstractBase::load(row);
    Fields::read(row, QStringLiteral("ROW_ID"), rowId);
    Fields::read(row, QStringLiteral("NAME_1"), name1);
    Fields::read(row, QStringLiteral("NAME_2"), name2);
    int channel = 0;
    if (Fields::read(row, QStringLiteral("RED"), channel))
        color.setRed(channel);
    if (Fields::read(row, QStringLiteral("GREEN"), channel))
        color.setGreen(channel);
    if (Fields::read(row, QStringLiteral("BLUE"), channel))
        color.setBlue(channel);
    Fields::read(row, QStringLiteral("ORDER"), order);
}

} // namespace Sorven::DB
