#include "palette/collectioncolortable.h"

#include "db/connections.h"
#include "db/search.h"

#include <QColor>
#include <QFuture>

namespace Sorven {

namespace {

struct ColorTable
{
    QUuid collection;
    QFuture<QList<DB::LabSample>> samples;
};

ColorTable &table()
{
    static ColorTable table;
    return table;
}

} // namespace

void setCollectionColorTable(const QUuid &uuid, const QList<DB::LabSample> &samples)
{
    // The type named, or the list would become a future of its elements.
    table() = {uuid, QtFuture::makeReadyFuture<QList<DB::LabSample>>(QList(samples))};
}

int loadCollectionColorTable(const QUuid &uuid)
{
    QVector<DB::LabSample> samples;
    const int result = DB::loadLabSamples(uuid, samples);
    setCollectionColorTable(uuid, result == DB::Success ? samples : QList<DB::LabSample>());
    return result;
}

void loadCollectionColorTableLater(const QUuid &uuid)
{
    table() = {uuid, DB::loadLabSamplesLater(uuid)};
}

void clearCollectionColorTable()
{
    table() = {};
}

LabMatches nearestChips(const QUuid &uuid, const QColor &color, int n)
{
    if (uuid.isNull() || uuid != table().collection)
        return {};
    return nearestLabSamples(labFromColor(color), table().samples.result(), n);
}

qint64 nearestChip(const QUuid &uuid, const QColor &color)
{
    const LabMatches matches = nearestChips(uuid, color, 1);
    return matches.isEmpty() ? -1 : matches.first().second;
}

} // namespace Sorven
