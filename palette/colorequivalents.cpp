#include "palette/colorequivalents.h"

#include "core/collectionsettings.h"
#include "db/collectionqueries.h"
#include "db/connections.h"
#include "db/search.h"
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

struct CachedTable
{
    TableSource source;
    QString collectionName;
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
    QVector<DB::LabSample> samples;
    QSharedPointer<DB::Collection> collection;
    if (DB::loadLabSamples(uuid, samples) != DB::Success
        || DB::loadCollection(uuid, collection) != DB::Success)
        return nullptr;
    return std::make_shared<const CachedTable>(
        CachedTable {source, collection->name, EquivalentTable(samples)});
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
    const double interval = CollectionSettings::cie2000DeltaIntervals(uuid).value(0);
    QList<ColorEquivalent> equivalents;
    for (const auto &[difference, rowId] : cached->table.nearest(target, n)) {
        DB::ColorEntry entry;
        if (DB::loadEntryById(uuid, rowId, entry) != DB::Success)
            return {};
        equivalents.append({DB::ItemIndex {uuid, entry.pageId, entry.id}, cached->collectionName,
                            entry.code, entry.color(), difference, interval > difference});
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
