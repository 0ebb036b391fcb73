#include "palette/colorequivalents.h"

#include "core/collectionsettings.h"
#include "db/chipswatch.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "palette/equivalenttable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

#include <memory>

namespace Sorven {

namespace {

// What a cached table was read from. A file replaced while the module runs (an update of the
// collections) must not go on answering from the old chips.
struct TableSource
{
    QString path;
    qint64 size = 0;
    QDateTime modified;
    qint64 collectionId = -1;

    friend bool operator==(const TableSource &, const TableSource &) = default;
};

// What a question needs of a collection, read once: no statement runs while the answer for
// twenty collections is put together.
struct CachedTable
{
    TableSource source;
    QString collectionName;
    double interval = 0.0;
    QVector<DB::ChipSwatch> swatches;
    QHash<qint64, qsizetype> swatchOfRow;
    EquivalentTable table;
};

TableSource tableSource(const QUuid &uuid)
{
    const QString path = DB::collectionRegistry().find(uuid)->databasePath;
    const QFileInfo file(path);
    return {path, file.size(), file.lastModified(), DB::collectionId(uuid)};
}

std::shared_ptr<const CachedTable> readTable(const QUuid &uuid, const TableSource &source)
{
    auto cached = std::make_shared<CachedTable>();
    QSharedPointer<DB::Collection> collection;
    if (DB::loadChipSwatches(uuid, cached->swatches) != DB::Success
        || DB::loadCollection(uuid, collection) != DB::Success)
        return nullptr;
    cached->source = source;
    cached->collectionName = collection->name;
    cached->interval = CollectionSettings::cie2000DeltaIntervals(uuid).value(0);
    QList<DB::LabSample> samples;
    samples.reserve(cached->swatches.size());
    for (qsizetype i = 0; i < cached->swatches.size(); ++i) {
        samples.append(cached->swatches.at(i).lab);
        cached->swatchOfRow.insert(samples.last().rowId, i);
    }
    cached->table = EquivalentTable(samples);
    return cached;
}

// Every access to the per-collection tables goes through here. A failed read is not cached,
// so a file that reads again is used again.
std::shared_ptr<const CachedTable> equivalentTable(const QUuid &uuid)
{
    static QHash<QUuid, std::shared_ptr<const CachedTable>> tables;
    if (DB::connectCollection(uuid) != DB::Success) {
        tables.remove(uuid);
        return nullptr;
    }
    const TableSource source = tableSource(uuid);
    std::shared_ptr<const CachedTable> &cached = tables[uuid];
    if (!cached || cached->source != source)
        cached = readTable(uuid, source);
    return cached;
}

QList<ColorEquivalent> equivalentsIn(const QUuid &uuid, const LabColor &target, int n)
{
    const std::shared_ptr<const CachedTable> cached = equivalentTable(uuid);
    if (!cached)
        return {};
    QList<ColorEquivalent> equivalents;
    for (const auto &[difference, rowId] : cached->table.nearest(target, n)) {
        const DB::ChipSwatch &swatch = cached->swatches.at(cached->swatchOfRow.value(rowId));
        equivalents.append({DB::ItemIndex {uuid, swatch.pageId, rowId}, cached->collectionName,
                            swatch.code, swatch.color, difference, cached->interval > difference});
    }
    return equivalents;
}

} // namespace

QList<ColorEquivalent> nearestEquivalents(const QUuid &collection, const LabColor &target, int n)
{
    return equivalentsIn(collection, target, n);
}

QList<ColorEquivalent> equivalentsInOtherCollections(const LabColor &target, const QUuid &except)
{
    QList<ColorEquivalent> equivalents;
    for (const QUuid &uuid : DB::availableCollections()) {
        if (uuid != except)
            equivalents += equivalentsIn(uuid, target, 1);
    }
    return equivalents;
}

} // namespace Sorven
