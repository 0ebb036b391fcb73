#include "palette/freecolorchip.h"

#include "core/collectionsettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
#include "palette/collectioncolortable.h"
#include "palette/colorchipdnd.h"
#include "palette/colorscience.h"

namespace Sorven {

namespace {

std::optional<DB::ItemIndex> systemWideChip(const DB::ColorEntry &entry)
{
    const QUuid collection
        = DB::collectionUuidInFileOf(DB::SystemWideCollectionUuid, entry.collectionId);
    if (collection.isNull())
        return std::nullopt;
    return DB::ItemIndex {collection, entry.pageId, entry.id};
}

// An empty name would match every chip without a code.
std::optional<DB::ItemIndex> chipByCode(const QString &code)
{
    DB::ColorEntry entry;
    if (code.isEmpty() || DB::findEntryByCode(code, entry) != DB::Success)
        return std::nullopt;
    return systemWideChip(entry);
}

std::optional<DB::ItemIndex> chipByExactColor(const QColor &color)
{
    DB::ColorEntry entry;
    if (DB::findEntryByColor(color, entry) != DB::Success)
        return std::nullopt;
    return systemWideChip(entry);
}

std::optional<DB::ItemIndex> nearestChipWithin(const QUuid &uuid, const QColor &color)
{
    const qint64 rowId = nearestChip(uuid, color);
    DB::ColorEntry entry;
    if (rowId < 0 || DB::loadEntryById(uuid, rowId, entry) != DB::Success)
        return std::nullopt;
    const double difference = ciede2000Difference(labFromColor(color), labFromColor(entry.color()));
    if (!(CollectionSettings::cie2000DeltaIntervals(uuid).value(0) > difference))
        return std::nullopt;
    return DB::ItemIndex {uuid, entry.pageId, entry.id};
}

} // namespace

std::optional<DB::ItemIndex> chipForFreeColor(const QUuid &selectedCollection, const QColor &color,
                                              const QStringList &names)
{
    for (const QString &name : names) {
        if (std::optional<DB::ItemIndex> chip = chipByCode(name))
            return chip;
    }
    if (std::optional<DB::ItemIndex> chip = chipByExactColor(color))
        return chip;
    return nearestChipWithin(selectedCollection, color);
}

std::optional<DB::ItemIndex> chipForDrop(const QUuid &selectedCollection, const QMimeData *mimeData)
{
    QUuid collection;
    DB::ColorEntry entry;
    if (readColorChipDndEntry(mimeData, collection, entry) == DB::Success)
        return DB::ItemIndex {collection, entry.pageId, entry.id};
    if (hasColorChipDndRgb(mimeData)) {
        QColor color;
        QString name1;
        QString name2;
        readColorChipDndRgb(mimeData, color);
        readColorChipDndNames(mimeData, name1, name2);
        return chipForFreeColor(selectedCollection, color, {name1, name2});
    }
    if (const std::optional<QColor> color = foreignColor(mimeData))
        return chipForFreeColor(selectedCollection, *color);
    return std::nullopt;
}

} // namespace Sorven
