#include "db/colorpage.h"

#include "db/recordfields.h"

#include <algorithm>

namespace Sorven::DB {

ColorPage::ColorPage(const QSqlRecord &row)
{
    AbstractBase::load(row);
    Fields::read(row, QStringLiteral("PAGE_INDEX"), pageIndex);
    Fields::read(row, QStringLiteral("SEGMENT"), segment);
    Fields::readTen(row, QStringLiteral("NAME"), names);
    Fields::readTen(row, QStringLiteral("EXTRA"), extras);
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
