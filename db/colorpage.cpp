#include "db/colorpage.h"

#include "db/recordfields.h"

#include <algorithm>

namespace Sorven::DB {

ColorPage::ColorPage(const QSqlRecord &record)
{
    const ColumnLayout columns(record);
    const Fields::Row row {record, columns};
    AbstractBase::load(row);
    Fields::read(row, QStringLiteral("PAGE_INDEX"), pageIndex);
    Fields::read(row, QStringLiteral("SEGMENT"), segment);
    Fields::readNames(row, names);
    Fields::readExtras(row, extras);
    Fields::read(row, QStringLiteral("EXTERIOR"), exterior);
    Fields::readMood(row, mood);
}

QString ColorPage::name(int index) const
{
    return Fields::at(names, index);
}

void ColorPage::sortEntries()
{
    std::sort(entries.begin(), entries.end(), [](const ColorEntry &left, const ColorEntry &right) {
        return left.rowIndex < right.rowIndex;
    });
}

} // namespace Sorven::DB
