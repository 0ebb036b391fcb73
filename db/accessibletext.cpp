#include "db/accessibletext.h"

#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/lookups.h"
#include "db/search.h"

#include <QStringList>

namespace Sorven::DB {

namespace {

// The non-empty texts of the columns the display order names, after those already listed.
void appendNamed(QStringList &list, const QVector<qint64> &order, const QStringList &texts)
{
    for (const int column : nameColumns(order)) {
        if (!texts.value(column).isEmpty())
            list << texts.value(column);
    }
}

} // namespace

ChipAccessibleText chipAccessibleText(const QUuid &uuid, qint64 rowId)
{
    ColorEntry chip;
    if (loadEntryById(uuid, rowId, chip) != Success)
        return {};
    QStringList names;
    if (!chip.code.isEmpty())
        names << chip.code;
    appendNamed(names, rowNameDisplayOrder(), chip.names);
    QStringList place;
    if (QSharedPointer<Collection> collection; loadCollection(uuid, collection) == Success)
        place << collection->name;
    ColorPage page;
    if (loadPageById(uuid, chip.pageId, true, page) == Success) {
        appendNamed(place, pageNameDisplayOrder(), page.names);
        // Both numbers in one call: a text without places for them stays as it is.
        place << localeString(uuid, QStringLiteral("accessible.chip.place"))
                     .arg(QString::number(page.pageIndex), QString::number(chip.rowIndex));
    }
    return {names.join(QStringLiteral(", ")), place.join(QStringLiteral(", "))};
}

} // namespace Sorven::DB
